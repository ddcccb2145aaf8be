// The desktop's scale factor on X11. Desktops set for a HiDPI screen (GNOME,
// KDE, Xfce) publish their font resolution as Xft.dpi in the root window's
// RESOURCE_MANAGER property; 96 dpi is one device pixel per pixel.
//
// Factors run from 1 to 4 in steps of a quarter, the steps desktops offer:
// a layout edge on a multiple of 4 pixels then lands on a whole device
// pixel, and a slightly odd setting (100 dpi) does not blur every picture.
//
// Threads: user-interface thread only.
#pragma once

#include <string_view>
#include <xcb/xcb.h>

namespace VSTGUI::X11DesktopScale
{

// The factor of a resource string ("Xft.dpi:\t192\n..."); 1 without a
// usable Xft.dpi.
double fromResources(std::string_view resources);
// Reads the factor from root's resources (one round trip) and remembers it
// for current().
double read(xcb_connection_t* connection, xcb_window_t root);
// The factor last read; the first call without one reads it on a connection
// of its own. 1 when no server can be reached.
double current();

} // namespace VSTGUI::X11DesktopScale
