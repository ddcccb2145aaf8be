# Where `cmake --install` puts things, relative to CMAKE_INSTALL_PREFIX.

# Debian names the documentation folder after the package, in lower case.
set(CMAKE_INSTALL_DOCDIR share/doc/corvane CACHE PATH "Documentation (DOCDIR)")
include(GNUInstallDirs)

# Not ${CMAKE_INSTALL_LIBDIR}: on Debian that is lib/x86_64-linux-gnu, and
# no host looks for plug-ins there; every one looks in /usr/lib/vst.
set(CORVANE_VST_INSTALL_DIR lib/vst CACHE PATH
  "Folder for the plug-in bundle Corvane.vst, relative to the prefix")

# LV2 hosts look in the library folder's lv2 (Debian's lilv also in the
# multiarch one, /usr/lib/x86_64-linux-gnu/lv2).
set(CORVANE_LV2_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/lv2 CACHE PATH
  "Folder for the plug-in bundle Corvane.lv2, relative to the prefix")

option(CORVANE_INSTALL_STRIP "Strip the installed binaries" ON)
if(CORVANE_INSTALL_STRIP)
  # What `cmake --install --strip` does, by default: a build with debug
  # information (RelWithDebInfo) would install a module four times larger.
  install(CODE "set(CMAKE_INSTALL_DO_STRIP TRUE)")
endif()
