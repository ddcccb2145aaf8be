# corvane_add_vst_bundle(TARGET [NAME name] [RESOURCES file...]
#                        [INSTALL_DESTINATION dir])
#
# Makes the MODULE library TARGET a plug-in bundle in the current binary
# folder, the shape every Linux VST host scans for:
#
#   NAME.vst/Contents/x86_64-linux/NAME.so
#   NAME.vst/Contents/Resources/<each resource file>
#
# NAME defaults to TARGET. The resources are copied whenever they change; a
# resource that the build makes (an image drawn by a program of the
# project) is given by its absolute path and its rule must be in the same
# folder. The module exports only VSTPluginMain, links the C++ runtime
# statically (hosts built against another one cannot clash with it), must
# resolve every symbol at link time, and stays mapped once loaded: GLib's
# type registry, which gdk-pixbuf and Pango fill, outlives an unloaded
# module. With INSTALL_DESTINATION, `cmake --install` puts the bundle there
# (for example lib/vst).
#
# The target property CORVANE_BUNDLE_DIR holds the bundle's folder.
set_property(GLOBAL PROPERTY CORVANE_TOOLKIT_EXPORTS_MAP ${CMAKE_CURRENT_LIST_DIR}/CorvaneToolkitExports.map)

function(corvane_add_vst_bundle target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "NAME;INSTALL_DESTINATION" "RESOURCES")
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "corvane_add_vst_bundle: unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  get_target_property(type ${target} TYPE)
  if(NOT type STREQUAL "MODULE_LIBRARY")
    message(FATAL_ERROR "corvane_add_vst_bundle: ${target} is not a MODULE library")
  endif()
  set(name ${target})
  if(ARG_NAME)
    set(name ${ARG_NAME})
  endif()
  set(bundle ${CMAKE_CURRENT_BINARY_DIR}/${name}.vst)
  get_property(exports GLOBAL PROPERTY CORVANE_TOOLKIT_EXPORTS_MAP)

  set_target_properties(${target} PROPERTIES
    PREFIX ""
    OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY ${bundle}/Contents/x86_64-linux
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS ${exports}
    CORVANE_BUNDLE_DIR ${bundle})
  target_link_options(${target} PRIVATE
    -Wl,--version-script=${exports} -Wl,--no-undefined -Wl,-z,defs -Wl,-z,nodelete
    -static-libstdc++ -static-libgcc)

  set(copies)
  foreach(resource IN LISTS ARG_RESOURCES)
    get_filename_component(source ${resource} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    get_filename_component(file ${resource} NAME)
    set(copy ${bundle}/Contents/Resources/${file})
    add_custom_command(OUTPUT ${copy}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${bundle}/Contents/Resources
      COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
      DEPENDS ${source}
      COMMENT "Adding ${file} to ${name}.vst")
    list(APPEND copies ${copy})
  endforeach()
  file(MAKE_DIRECTORY ${bundle}/Contents/Resources)
  add_custom_target(${target}_resources ALL DEPENDS ${copies})
  add_dependencies(${target} ${target}_resources)

  if(ARG_INSTALL_DESTINATION)
    install(TARGETS ${target} LIBRARY DESTINATION ${ARG_INSTALL_DESTINATION}/${name}.vst/Contents/x86_64-linux)
    if(copies)
      install(FILES ${copies} DESTINATION ${ARG_INSTALL_DESTINATION}/${name}.vst/Contents/Resources)
    endif()
  endif()
endfunction()
