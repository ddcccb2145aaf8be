# The toolkit as a package for plug-ins of other projects: the host-interface
# classes, the editor base, the GUI toolkit with its Linux platform layer and
# the small host our tests use, as headers, position-independent static
# libraries and a CMake package configuration. An outside project writes
#
#   find_package(CorvaneToolkit CONFIG REQUIRED)
#   add_library(MyPlugin MODULE ...)
#   target_link_libraries(MyPlugin PRIVATE CorvaneToolkit::PluginBase CorvaneToolkit::Toolkit)
#   corvane_add_vst_bundle(MyPlugin RESOURCES ...)
#
# It is a component of its own, `toolkit`, left out of a plain install (and
# so out of the Debian package, which is for users of the plug-in):
#
#   cmake --install build --component toolkit --prefix /usr/local
include(CMakePackageConfigHelpers)

set(CORVANE_TOOLKIT_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/CorvaneToolkit)
# One folder of its own, so that the headers' short names ("gui/...",
# "host/...") cannot clash with other packages' headers.
set(CORVANE_TOOLKIT_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/corvane-toolkit)

# What users link: the plug-in's side (host interface and editor base), the
# toolkit with its platform layer, and the host for tests.
add_library(corvane_plugin_base INTERFACE)
target_link_libraries(corvane_plugin_base INTERFACE corvane_host corvane_editor_base)
add_library(corvane_toolkit INTERFACE)
target_link_libraries(corvane_toolkit INTERFACE corvane_gui_platform_linux)
target_include_directories(corvane_warnings INTERFACE $<INSTALL_INTERFACE:${CORVANE_TOOLKIT_INCLUDE_DIR}>)

set(_corvane_toolkit_targets
  corvane_plugin_base=PluginBase corvane_toolkit=Toolkit corvane_vsthost=VstHost
  corvane_warnings=headers corvane_host=host corvane_editor_base=editor_base
  corvane_gui_base=gui_base corvane_gui_drawing=gui_drawing corvane_gui_views=gui_views
  corvane_gui_controls=gui_controls corvane_gui_platform_linux=gui_platform_linux)
set(_corvane_toolkit_target_names)
foreach(pair IN LISTS _corvane_toolkit_targets)
  string(REPLACE "=" ";" pair ${pair})
  list(GET pair 0 target)
  list(GET pair 1 name)
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name})
  list(APPEND _corvane_toolkit_target_names ${target})
endforeach()

install(TARGETS ${_corvane_toolkit_target_names} EXPORT CorvaneToolkitTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT toolkit EXCLUDE_FROM_ALL)
install(DIRECTORY host gui DESTINATION ${CORVANE_TOOLKIT_INCLUDE_DIR}
  COMPONENT toolkit EXCLUDE_FROM_ALL FILES_MATCHING PATTERN "*.h")
install(FILES editor/aeffguieditor.h DESTINATION ${CORVANE_TOOLKIT_INCLUDE_DIR}/editor
  COMPONENT toolkit EXCLUDE_FROM_ALL)
install(FILES tools/vsthost/pluginhost.h DESTINATION ${CORVANE_TOOLKIT_INCLUDE_DIR}/tools/vsthost
  COMPONENT toolkit EXCLUDE_FROM_ALL)
install(EXPORT CorvaneToolkitTargets NAMESPACE CorvaneToolkit:: DESTINATION ${CORVANE_TOOLKIT_CMAKE_DIR}
  COMPONENT toolkit EXCLUDE_FROM_ALL)

get_property(CORVANE_TOOLKIT_PKG_MODULES GLOBAL PROPERTY CORVANE_PLATFORM_DEPS_MODULES)
list(JOIN CORVANE_TOOLKIT_PKG_MODULES " " CORVANE_TOOLKIT_PKG_MODULES)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/toolkit/CorvaneToolkitConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/CorvaneToolkitConfig.cmake
  INSTALL_DESTINATION ${CORVANE_TOOLKIT_CMAKE_DIR})
# The libraries are built with our compiler and flags; a new minor version
# may change any class, so only the same minor version is compatible.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/CorvaneToolkitConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/CorvaneToolkitConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/CorvaneToolkitConfigVersion.cmake
  ${CMAKE_CURRENT_LIST_DIR}/toolkit/CorvaneToolkitBundle.cmake
  DESTINATION ${CORVANE_TOOLKIT_CMAKE_DIR} COMPONENT toolkit EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_SOURCE_DIR}/plugin/exports.map DESTINATION ${CORVANE_TOOLKIT_CMAKE_DIR}
  RENAME CorvaneToolkitExports.map COMPONENT toolkit EXCLUDE_FROM_ALL)
