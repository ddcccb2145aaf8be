// The picture that follows the pointer during a drag: an override-redirect
// window showing the view's bitmap, its top-left corner at the pointer plus
// the offset the view gave.
//
// With a 32-bit visual on the screen the window keeps the bitmap's alpha (a
// compositing manager blends it); otherwise the bitmap is shown over white.
// The window takes no part in finding the drop target: the drag source looks
// past it (getWindow).
//
// Ownership: owned by the drag; uses the frame's display, which outlives
// it. Requests stop once the connection is lost; a picture the server
// refuses is not shown. Threads: user-interface thread only.
#pragma once

#include "gui/base/cpoint.h"

#include <cairo.h>
#include <xcb/xcb.h>

namespace VSTGUI
{

class CBitmap;
class X11Display;

class X11DragImage
{
public:
	// Shows nothing for a null or empty bitmap.
	X11DragImage(X11Display& display, CBitmap* bitmap, const CPoint& offset);
	~X11DragImage();
	X11DragImage(const X11DragImage&) = delete;
	X11DragImage& operator=(const X11DragImage&) = delete;

	// Moves the picture to the pointer at root (x, y); mapped on the first call.
	void follow(int16_t rootX, int16_t rootY);
	// XCB_WINDOW_NONE when nothing is shown.
	xcb_window_t getWindow() const { return window; }

private:
	xcb_visualid_t findArgbVisual() const;
	void create(cairo_surface_t* surface);
	static cairo_surface_t* flattenedOverWhite(cairo_surface_t* surface);
	bool usable() const;

	X11Display& display;
	xcb_connection_t* connection;
	CPoint offset;
	xcb_window_t window{XCB_WINDOW_NONE};
	xcb_pixmap_t picture{XCB_PIXMAP_NONE};
	xcb_colormap_t colormap{0};
	bool mapped{false};
};

} // namespace VSTGUI
