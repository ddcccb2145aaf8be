#include "gui/platform/linux/window/x11hostwindow.h"

#include "gui/platform/linux/window/x11display.h"

#include <cairo.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace VSTGUI
{

struct X11HostWindow::Impl
{
	xcb_connection_t* connection = nullptr;
	xcb_window_t window = XCB_WINDOW_NONE;
	xcb_atom_t deleteWindow = XCB_ATOM_NONE;
	int width = 0;
	int height = 0;

	// The window's pixels as 32-bit words (0x00RRGGBB); empty on failure.
	std::vector<std::uint32_t> capture()
	{
		std::vector<std::uint32_t> pixels;
		xcb_get_image_reply_t* reply = xcb_get_image_reply(connection,
		                                                   xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window,
		                                                                 0, 0, static_cast<std::uint16_t>(width),
		                                                                 static_cast<std::uint16_t>(height), ~0u),
		                                                   nullptr);
		if (!reply)
			return pixels;
		// A 24-bit visual arrives as 32 bits a pixel, rows without padding.
		int length = xcb_get_image_data_length(reply);
		if (reply->depth >= 24 && length >= width * height * 4)
		{
			pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
			std::memcpy(pixels.data(), xcb_get_image_data(reply), pixels.size() * 4);
		}
		std::free(reply);
		return pixels;
	}
};

std::unique_ptr<X11HostWindow> X11HostWindow::create(const std::string& title, int width, int height,
                                                     std::string& error)
{
	if (width <= 0 || height <= 0 || width > 16384 || height > 16384)
	{
		error = "window size " + std::to_string(width) + " x " + std::to_string(height) + " is not drawable";
		return nullptr;
	}
	std::unique_ptr<X11HostWindow> host(new X11HostWindow);
	host->impl = std::make_unique<Impl>();
	Impl& d = *host->impl;
	d.connection = xcb_connect(nullptr, nullptr);
	if (xcb_connection_has_error(d.connection))
	{
		xcb_disconnect(d.connection);
		d.connection = nullptr;
		const char* display = std::getenv("DISPLAY");
		error = std::string("cannot open the X display ") + (display ? display : "(DISPLAY is not set)");
		return nullptr;
	}
	xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(d.connection)).data;
	d.width = width;
	d.height = height;
	std::uint32_t values[] = {kBackgroundPixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_KEY_PRESS};
	d.window = createCheckedWindow(d.connection,
	                               {screen->root, CRect(0, 0, width, height), XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK,
	                                values, XCB_COPY_FROM_PARENT, screen->root_visual});
	if (d.window == XCB_WINDOW_NONE)
	{
		error = "the X server refused a window of " + std::to_string(width) + " x " + std::to_string(height);
		return nullptr;
	}
	xcb_change_property(d.connection, XCB_PROP_MODE_REPLACE, d.window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
	                    static_cast<std::uint32_t>(title.size()), title.data());
	// Ask the window manager to tell us about a close instead of killing us.
	X11AtomTable atoms(d.connection);
	xcb_atom_t protocols = atoms[X11Atom::wmProtocols];
	d.deleteWindow = atoms[X11Atom::wmDeleteWindow];
	if (protocols != XCB_ATOM_NONE && d.deleteWindow != XCB_ATOM_NONE)
		xcb_change_property(d.connection, XCB_PROP_MODE_REPLACE, d.window, protocols, XCB_ATOM_ATOM, 32, 1,
		                    &d.deleteWindow);
	xcb_map_window(d.connection, d.window);
	// A round trip, so that the window exists for the plug-in's own connection.
	std::free(xcb_get_input_focus_reply(d.connection, xcb_get_input_focus(d.connection), nullptr));
	host->open = true;
	return host;
}

X11HostWindow::~X11HostWindow()
{
	if (!impl || !impl->connection)
		return;
	if (impl->window != XCB_WINDOW_NONE)
		xcb_destroy_window(impl->connection, impl->window);
	xcb_flush(impl->connection);
	xcb_disconnect(impl->connection);
}

std::uintptr_t X11HostWindow::getWindowId() const
{
	return impl->window;
}

bool X11HostWindow::resize(int width, int height)
{
	if (width <= 0 || height <= 0 || width > 16384 || height > 16384)
		return false;
	std::uint32_t values[] = {static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
	xcb_configure_window(impl->connection, impl->window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
	xcb_flush(impl->connection);
	impl->width = width;
	impl->height = height;
	return true;
}

bool X11HostWindow::processEvents()
{
	if (!open)
		return false;
	if (xcb_connection_has_error(impl->connection))
		return open = false;
	while (xcb_generic_event_t* event = xcb_poll_for_event(impl->connection))
	{
		std::uint8_t type = event->response_type & 0x7f;
		if (type == XCB_CLIENT_MESSAGE)
		{
			auto* message = reinterpret_cast<xcb_client_message_event_t*>(event);
			if (message->data.data32[0] == impl->deleteWindow)
				open = false;
		}
		else if (type == XCB_DESTROY_NOTIFY)
			open = false;
		std::free(event);
	}
	return open;
}

bool X11HostWindow::showsContent()
{
	for (std::uint32_t pixel : impl->capture())
		if ((pixel & 0x00ffffff) != kBackgroundPixel)
			return true;
	return false;
}

bool X11HostWindow::savePNG(const std::string& path, std::string& error)
{
	std::vector<std::uint32_t> pixels = impl->capture();
	if (pixels.empty())
	{
		error = "cannot read the window's pixels";
		return false;
	}
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, impl->width, impl->height);
	cairo_surface_flush(surface);
	unsigned char* data = cairo_image_surface_get_data(surface);
	int stride = cairo_image_surface_get_stride(surface);
	for (int y = 0; y < impl->height; y++)
		std::memcpy(data + y * stride,
		            pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(impl->width),
		            static_cast<std::size_t>(impl->width) * 4);
	cairo_surface_mark_dirty(surface);
	std::string temporary = path + ".part";
	cairo_status_t status = cairo_surface_write_to_png(surface, temporary.c_str());
	cairo_surface_destroy(surface);
	if (status != CAIRO_STATUS_SUCCESS || std::rename(temporary.c_str(), path.c_str()) != 0)
	{
		std::remove(temporary.c_str());
		error = "cannot write " + path;
		return false;
	}
	return true;
}

} // namespace VSTGUI
