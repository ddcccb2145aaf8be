#include "gui/platform/linux/dragdrop/x11dragimage.h"

#include "gui/drawing/cbitmap.h"
#include "gui/platform/linux/drawing/cairobitmap.h"
#include "gui/platform/linux/window/x11argbimage.h"
#include "gui/platform/linux/window/x11display.h"

#include <cmath>

namespace VSTGUI
{

namespace
{

// Larger pictures would hide what the pointer is over.
constexpr int kMaxSide = 512;

} // namespace

X11DragImage::X11DragImage(X11Display& display, CBitmap* bitmap, const CPoint& offset)
: display(display), connection(display.getConnection()), offset(std::round(offset.x), std::round(offset.y))
{
	auto* platformBitmap = bitmap ? dynamic_cast<CairoBitmap*>(bitmap->getPlatformBitmap()) : nullptr;
	cairo_surface_t* surface = platformBitmap ? platformBitmap->getSurface() : nullptr;
	if (surface && usable() && cairo_image_surface_get_width(surface) > 0 &&
	    cairo_image_surface_get_height(surface) > 0)
		create(surface);
}

X11DragImage::~X11DragImage()
{
	if (!usable())
		return;
	if (window != XCB_WINDOW_NONE)
		xcb_destroy_window(connection, window);
	if (picture != XCB_PIXMAP_NONE)
		xcb_free_pixmap(connection, picture);
	if (colormap != 0)
		xcb_free_colormap(connection, colormap);
	xcb_flush(connection);
}

bool X11DragImage::usable() const
{
	return !xcb_connection_has_error(connection);
}

xcb_visualid_t X11DragImage::findArgbVisual() const
{
	for (auto depths = xcb_screen_allowed_depths_iterator(display.getScreen()); depths.rem; xcb_depth_next(&depths))
	{
		if (depths.data->depth != 32)
			continue;
		for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem; xcb_visualtype_next(&visuals))
		{
			if (visuals.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR)
				return visuals.data->visual_id;
		}
	}
	return 0;
}

void X11DragImage::create(cairo_surface_t* surface)
{
	xcb_screen_t* screen = display.getScreen();
	int width = std::min(cairo_image_surface_get_width(surface), kMaxSide);
	int height = std::min(cairo_image_surface_get_height(surface), kMaxSide);
	xcb_visualid_t visual = findArgbVisual();
	uint8_t depth = visual ? 32 : screen->root_depth;
	picture = xcb_generate_id(connection);
	xcb_create_pixmap(connection, depth, picture, screen->root, static_cast<uint16_t>(width),
	                  static_cast<uint16_t>(height));
	cairo_surface_t* pixels = visual ? cairo_surface_reference(surface) : flattenedOverWhite(surface);
	cairo_surface_flush(pixels);
	X11ArgbImage::put(connection, picture, depth, cairo_image_surface_get_data(pixels),
	                  cairo_image_surface_get_stride(pixels), width, height);
	cairo_surface_destroy(pixels);

	// A window of another depth than its parent needs a colormap and a border
	// pixel of its own, or the server refuses it.
	if (visual)
	{
		colormap = xcb_generate_id(connection);
		xcb_create_colormap(connection, XCB_COLORMAP_ALLOC_NONE, colormap, screen->root, visual);
	}
	const uint32_t values[] = {picture, 0, 1, colormap};
	uint32_t mask = XCB_CW_BACK_PIXMAP | XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT;
	if (visual)
		mask |= XCB_CW_COLORMAP;
	window = display.createWindow(
	    {screen->root, CRect(0, 0, width, height), mask, values, depth, visual ? visual : screen->root_visual});
}

// Without alpha on the screen, transparent pixels would show as black.
cairo_surface_t* X11DragImage::flattenedOverWhite(cairo_surface_t* surface)
{
	cairo_surface_t* flat = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(surface),
	                                                   cairo_image_surface_get_height(surface));
	cairo_t* cr = cairo_create(flat);
	cairo_set_source_rgb(cr, 1., 1., 1.);
	cairo_paint(cr);
	cairo_set_source_surface(cr, surface, 0, 0);
	cairo_paint(cr);
	cairo_destroy(cr);
	return flat;
}

void X11DragImage::follow(int16_t rootX, int16_t rootY)
{
	if (window == XCB_WINDOW_NONE || !usable())
		return;
	const uint32_t values[] = {static_cast<uint32_t>(static_cast<int32_t>(rootX + offset.x)),
	                           static_cast<uint32_t>(static_cast<int32_t>(rootY + offset.y)), XCB_STACK_MODE_ABOVE};
	xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_STACK_MODE,
	                     values);
	if (!mapped)
		xcb_map_window(connection, window);
	mapped = true;
}

} // namespace VSTGUI
