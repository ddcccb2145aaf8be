# `cpack` (or `make deb`) builds a Debian package, corvane_VERSION_ARCH.deb,
# from what `cmake --install` puts under the prefix /usr.

file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/debian/changelog _corvane_changelog_top LIMIT_COUNT 1)
if(NOT _corvane_changelog_top MATCHES "^corvane \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog does not start with version ${PROJECT_VERSION}")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR Halvenor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Halvenor <packaging@halvenor.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "near-field compensation effect as a Linux VST 2.4 plug-in")
set(CPACK_PACKAGE_DESCRIPTION
  "Corvane compensates loudspeakers set up close to the listener: it runs the\n"
  "difference of a stereo signal through a first-order high-pass whose corner\n"
  "follows the loudspeaker distance (0.5 m to 5.0 m) and leaves the sum alone.\n"
  "The plug-in is installed into /usr/lib/vst, where Linux VST hosts look.\n"
  "\n"
  "The package also holds corvane-host, a command-line host for any Linux\n"
  "VST 2.4 plug-in: it prints a plug-in's description, processes audio files\n"
  "through it and shows or saves its editor.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends comes from the shared libraries the binaries link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Debian's copyright file and changelog, and its compressed manual pages,
# go into the package only, not into a plain `cmake --install`.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_SOURCE_DIR}/cmake/debian-files.cmake)
set(CPACK_CORVANE_DEBIAN_DIR ${CMAKE_SOURCE_DIR}/packaging/debian)
set(CPACK_CORVANE_DOCDIR ${CMAKE_INSTALL_DOCDIR})
set(CPACK_CORVANE_MANDIR ${CMAKE_INSTALL_MANDIR})
include(CPack)
