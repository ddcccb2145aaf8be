#include "tools/corvane-host/windowcapture.h"

#include <cairo.h>
#include <xcb/composite.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace corvane::cli
{

struct WindowCapture::Impl
{
	xcb_connection_t* connection = nullptr;
	xcb_window_t window = XCB_WINDOW_NONE;
	bool composite = false;

	// The size now: the plug-in may have had the window resized.
	bool geometry(int& width, int& height)
	{
		xcb_get_geometry_reply_t* reply =
		    xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
		if (!reply)
			return false;
		width = reply->width;
		height = reply->height;
		std::free(reply);
		return width > 0 && height > 0;
	}

	// A pixmap named anew each time: a resize gives the window a new one.
	std::vector<std::uint32_t> read(xcb_drawable_t drawable, int width, int height)
	{
		std::vector<std::uint32_t> pixels;
		xcb_get_image_reply_t* reply = xcb_get_image_reply(
		    connection,
		    xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, 0, 0, static_cast<std::uint16_t>(width),
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
			for (std::uint32_t& pixel : pixels)
				pixel &= 0x00ffffff;
		}
		std::free(reply);
		return pixels;
	}
};

std::unique_ptr<WindowCapture> WindowCapture::create(std::uint32_t window, std::string& error)
{
	std::unique_ptr<WindowCapture> capture(new WindowCapture);
	capture->impl_ = std::make_unique<Impl>();
	Impl& d = *capture->impl_;
	d.connection = xcb_connect(nullptr, nullptr);
	if (xcb_connection_has_error(d.connection))
	{
		error = "cannot open the X display to read the editor's pixels";
		return nullptr;
	}
	d.window = window;
	const xcb_query_extension_reply_t* extension = xcb_get_extension_data(d.connection, &xcb_composite_id);
	if (extension && extension->present)
	{
		xcb_composite_query_version_reply_t* version =
		    xcb_composite_query_version_reply(d.connection, xcb_composite_query_version(d.connection, 0, 2), nullptr);
		// Naming a window's pixmap came with version 0.2.
		if (version && (version->major_version > 0 || version->minor_version >= 2))
		{
			xcb_void_cookie_t cookie =
			    xcb_composite_redirect_window_checked(d.connection, window, XCB_COMPOSITE_REDIRECT_AUTOMATIC);
			xcb_generic_error_t* failure = xcb_request_check(d.connection, cookie);
			d.composite = failure == nullptr;
			std::free(failure);
		}
		std::free(version);
	}
	return capture;
}

WindowCapture::~WindowCapture()
{
	if (!impl_ || !impl_->connection)
		return;
	if (impl_->composite)
		xcb_composite_unredirect_window(impl_->connection, impl_->window, XCB_COMPOSITE_REDIRECT_AUTOMATIC);
	xcb_flush(impl_->connection);
	xcb_disconnect(impl_->connection);
}

std::vector<std::uint32_t> WindowCapture::pixels(int& width, int& height)
{
	Impl& d = *impl_;
	if (!d.geometry(width, height))
		return {};
	if (!d.composite)
		return d.read(d.window, width, height);
	xcb_pixmap_t pixmap = xcb_generate_id(d.connection);
	xcb_void_cookie_t cookie = xcb_composite_name_window_pixmap_checked(d.connection, d.window, pixmap);
	if (xcb_generic_error_t* failure = xcb_request_check(d.connection, cookie))
	{
		std::free(failure);
		return {};
	}
	std::vector<std::uint32_t> result = d.read(pixmap, width, height);
	xcb_free_pixmap(d.connection, pixmap);
	xcb_flush(d.connection);
	return result;
}

bool WindowCapture::savePNG(const std::string& path, std::string& error)
{
	int width = 0, height = 0;
	std::vector<std::uint32_t> picture = pixels(width, height);
	if (picture.empty())
	{
		error = "cannot read the editor's pixels";
		return false;
	}
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
	cairo_surface_flush(surface);
	unsigned char* data = cairo_image_surface_get_data(surface);
	int stride = cairo_image_surface_get_stride(surface);
	for (int y = 0; y < height; y++)
		std::memcpy(data + y * stride, picture.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width),
		            static_cast<std::size_t>(width) * 4);
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

std::uint64_t pictureHash(const std::vector<std::uint32_t>& pixels, int width)
{
	// FNV-1a; the width is mixed in so that a resize alone counts as change.
	std::uint64_t hash = 1469598103934665603ull ^ static_cast<std::uint64_t>(width);
	for (std::uint32_t pixel : pixels)
		hash = (hash ^ pixel) * 1099511628211ull;
	return hash ^ pixels.size();
}

} // namespace corvane::cli
