// Copying cairo's ARGB32 pixels into an X drawable, for the small windows of
// the platform layer that keep their picture in a pixmap (the tooltip, the
// drag image).
//
// Threads: user-interface thread only.
#pragma once

#include <cstdint>
#include <xcb/xcb.h>

namespace VSTGUI::X11ArgbImage
{

// Copies width x height pixels (rows stride bytes apart) to (0, 0) of
// drawable, which has depth 24 or 32. The pixels go in bands of rows below
// the server's request limit and in the server's byte order. False (nothing
// sent) when the server keeps that depth in anything but 32-bit pixels.
bool put(xcb_connection_t* connection, xcb_drawable_t drawable, uint8_t depth, const unsigned char* data, int stride,
         int width, int height);

} // namespace VSTGUI::X11ArgbImage
