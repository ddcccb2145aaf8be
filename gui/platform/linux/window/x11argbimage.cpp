#include "gui/platform/linux/window/x11argbimage.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <vector>

namespace VSTGUI::X11ArgbImage
{

namespace
{

// Bytes of a PutImage request besides the pixels.
constexpr size_t kPutImageHeader = 24;

bool hasWordPixels(const xcb_setup_t* setup, uint8_t depth)
{
	if (depth != 24 && depth != 32)
		return false;
	for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it))
	{
		if (it.data->depth == depth)
			return it.data->bits_per_pixel == 32;
	}
	return false;
}

} // namespace

bool put(xcb_connection_t* connection, xcb_drawable_t drawable, uint8_t depth, const unsigned char* data, int stride,
         int width, int height)
{
	const xcb_setup_t* setup = xcb_get_setup(connection);
	if (data == nullptr || width <= 0 || height <= 0 || !hasWordPixels(setup, depth))
		return false;
	bool swap = (setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) != (std::endian::native == std::endian::little);
	xcb_gcontext_t gc = xcb_generate_id(connection);
	xcb_create_gc(connection, gc, drawable, 0, nullptr);
	auto rowBytes = static_cast<size_t>(width) * 4;
	size_t maxBytes = static_cast<size_t>(xcb_get_maximum_request_length(connection)) * 4 - kPutImageHeader;
	int bandRows = static_cast<int>(std::max<size_t>(1, maxBytes / rowBytes));
	std::vector<unsigned char> band(rowBytes * static_cast<size_t>(std::min(bandRows, height)));
	for (int row = 0; row < height; row += bandRows)
	{
		int rows = std::min(bandRows, height - row);
		for (int i = 0; i < rows; ++i)
			std::memcpy(band.data() + static_cast<size_t>(i) * rowBytes,
			            data + static_cast<std::ptrdiff_t>(row + i) * stride, rowBytes);
		for (size_t b = 0; swap && b + 3 < band.size(); b += 4)
			std::reverse(band.begin() + static_cast<std::ptrdiff_t>(b),
			             band.begin() + static_cast<std::ptrdiff_t>(b + 4));
		xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, drawable, gc, static_cast<uint16_t>(width),
		              static_cast<uint16_t>(rows), 0, static_cast<int16_t>(row), 0, depth,
		              static_cast<uint32_t>(rowBytes * static_cast<size_t>(rows)), band.data());
	}
	xcb_free_gc(connection, gc);
	return true;
}

} // namespace VSTGUI::X11ArgbImage
