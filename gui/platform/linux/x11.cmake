# The window layer on X11: the editor window, event and key translation,
# cursors, drag and drop and the module's run loop. Added to the platform
# library; the only code besides the drawing back end that may include xcb
# or xkbcommon headers.
pkg_check_modules(CORVANE_X11_DEPS REQUIRED IMPORTED_TARGET
  xcb xcb-xkb xkbcommon xkbcommon-x11 xcb-cursor cairo cairo-xcb)

target_sources(corvane_gui_platform_linux PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/controls/x11menulayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/x11menuwindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/x11optionmenu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/x11textedit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/x11textfieldbuffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/x11textfieldclipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/x11textfieldlayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controls/x11tooltip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dragdrop/x11dragcontainer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dragdrop/x11dragdrop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dragdrop/x11dragimage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dragdrop/x11dragoffer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dragdrop/x11dragsource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dragdrop/x11selection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window/x11argbimage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window/x11cursor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window/x11display.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window/x11events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window/x11frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window/x11keyboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window/x11runloop.cpp
)
target_link_libraries(corvane_gui_platform_linux PUBLIC PkgConfig::CORVANE_X11_DEPS)
# The X libraries follow the toolkit's link group (see CMakeLists.txt).
target_link_libraries(corvane_gui_platform_linux INTERFACE ${CORVANE_X11_DEPS_LINK_LIBRARIES})
