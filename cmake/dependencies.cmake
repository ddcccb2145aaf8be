# Dependencies are never optional: a missing one stops the configuration
# with the Debian package that provides it (scripts/install-deps.sh installs
# them all), instead of leaving a part out of the build.

# corvane_require_package(NAME DEBIAN_PACKAGE): find_package in CONFIG or
# module mode.
macro(corvane_require_package name debian)
  find_package(${name} QUIET)
  if(NOT ${name}_FOUND)
    message(FATAL_ERROR "${name} was not found: install the Debian package ${debian}")
  endif()
endmacro()

# corvane_require_modules(PREFIX MODULE DEBIAN_PACKAGE [MODULE DEBIAN_PACKAGE]...):
# the pkg-config modules as one imported target PkgConfig::PREFIX.
function(corvane_require_modules prefix)
  set(modules)
  set(missing)
  set(pairs ${ARGN})
  while(pairs)
    list(POP_FRONT pairs module debian)
    string(MAKE_C_IDENTIFIER "_corvane_probe_${module}" probe)
    pkg_check_modules(${probe} QUIET ${module})
    if(NOT ${probe}_FOUND)
      list(APPEND missing "${module} (Debian package ${debian})")
    endif()
    list(APPEND modules ${module})
  endwhile()
  if(missing)
    list(JOIN missing ", " missing)
    message(FATAL_ERROR "Missing pkg-config modules: ${missing}")
  endif()
  pkg_check_modules(${prefix} REQUIRED IMPORTED_TARGET GLOBAL ${modules})
  # The toolkit's package finds the same modules again for its users.
  set_property(GLOBAL PROPERTY ${prefix}_MODULES ${modules})
endfunction()
