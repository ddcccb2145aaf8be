#include "gui/platform/linux/drawing/pixbufdecoder.h"

#include <algorithm>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <vector>

namespace VSTGUI
{
namespace PixbufDecoder
{

namespace
{

// Only 8-bit RGB and RGBA pixbufs are produced by the loaders we use; anything
// else is refused rather than misread.
bool hasSupportedLayout(GdkPixbuf* pixbuf)
{
	const int channels = gdk_pixbuf_get_n_channels(pixbuf);
	const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
	return gdk_pixbuf_get_colorspace(pixbuf) == GDK_COLORSPACE_RGB && gdk_pixbuf_get_bits_per_sample(pixbuf) == 8 &&
	       ((channels == 4 && alpha) || (channels == 3 && !alpha));
}

// gdk-pixbuf rows are packed R, G, B[, A] with their own stride; the last row
// may be shorter than the stride, so only width * channels bytes are read.
void convertPixbuf(GdkPixbuf* pixbuf, ArgbPixels::Buffer& pixels)
{
	const int channels = gdk_pixbuf_get_n_channels(pixbuf);
	const int sourceStride = gdk_pixbuf_get_rowstride(pixbuf);
	const guint8* source = gdk_pixbuf_read_pixels(pixbuf);
	for (int32_t y = 0; y < pixels.getHeight(); ++y)
	{
		const guint8* in = source + static_cast<size_t>(y) * static_cast<size_t>(sourceStride);
		uint8_t* out = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(pixels.getBytesPerRow());
		for (int32_t x = 0; x < pixels.getWidth(); ++x, in += channels, out += 4)
		{
			const uint8_t alpha = channels == 4 ? in[3] : 255;
			ArgbPixels::storePremultiplied(out, in[0], in[1], in[2], alpha);
		}
	}
}

// Rows that the loader reported as written, one flag per row.
void markRows(GdkPixbufLoader*, gint, gint y, gint, gint height, gpointer data)
{
	auto& rows = *static_cast<std::vector<bool>*>(data);
	if (y < 0 || height <= 0)
		return;
	const size_t end = static_cast<size_t>(y) + static_cast<size_t>(height);
	if (rows.size() < end)
		rows.resize(end, false);
	std::fill(rows.begin() + y, rows.begin() + static_cast<std::ptrdiff_t>(end), true);
}

bool allRowsWritten(const std::vector<bool>& rows, int height)
{
	return height > 0 && rows.size() >= static_cast<size_t>(height) &&
	       std::all_of(rows.begin(), rows.begin() + height, [](bool row) { return row; });
}

// The segments before the first start-of-scan are skipped by their lengths
// (an Exif thumbnail carries an end marker of its own), fill bytes one by
// one; in the compressed
// data after it, the bytes FF D9 can only be the end-of-image marker.
bool jpegReachesItsEnd(const guint8* data, size_t length)
{
	size_t i = 2;
	while (i + 4 <= length && data[i] == 0xFF)
	{
		const guint8 marker = data[i + 1];
		if (marker == 0xFF)
		{
			++i;
			continue;
		}
		i += 2 + ((static_cast<size_t>(data[i + 2]) << 8) | data[i + 3]);
		if (marker == 0xDA)
			break;
	}
	for (; i + 1 < length; ++i)
		if (data[i] == 0xFF && data[i + 1] == 0xD9)
			return true;
	return false;
}

bool isJpeg(GdkPixbufLoader* loader)
{
	GdkPixbufFormat* format = gdk_pixbuf_loader_get_format(loader);
	gchar* name = format ? gdk_pixbuf_format_get_name(format) : nullptr;
	const bool jpeg = name && g_strcmp0(name, "jpeg") == 0;
	g_free(name);
	return jpeg;
}

// A new reference to the decoded image, or null when it is incomplete.
GdkPixbuf* completeImage(GdkPixbufLoader* loader, const std::vector<bool>& rows, const guint8* data, size_t length)
{
	GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader);
	if (!pixbuf || !allRowsWritten(rows, gdk_pixbuf_get_height(pixbuf)))
		return nullptr;
	if (isJpeg(loader) && !jpegReachesItsEnd(data, length))
		return nullptr;
	return GDK_PIXBUF(g_object_ref(pixbuf));
}

// The loader must be closed even after a failed write.
GdkPixbuf* loadCompleteImage(const char* path)
{
	gchar* contents = nullptr;
	gsize length = 0;
	if (!g_file_get_contents(path, &contents, &length, nullptr))
		return nullptr;
	GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
	std::vector<bool> rows;
	g_signal_connect(loader, "area-updated", G_CALLBACK(markRows), &rows);
	const auto* data = reinterpret_cast<const guint8*>(contents);
	const bool written = gdk_pixbuf_loader_write(loader, data, length, nullptr);
	const bool closed = gdk_pixbuf_loader_close(loader, nullptr);
	GdkPixbuf* pixbuf = written && closed ? completeImage(loader, rows, data, length) : nullptr;
	g_object_unref(loader);
	g_free(contents);
	return pixbuf;
}

} // namespace

bool readImageSize(const char* path, int32_t& width, int32_t& height)
{
	if (!path)
		return false;
	gint fileWidth = 0;
	gint fileHeight = 0;
	if (!gdk_pixbuf_get_file_info(path, &fileWidth, &fileHeight) || fileWidth <= 0 || fileHeight <= 0)
		return false;
	width = fileWidth;
	height = fileHeight;
	return true;
}

bool decodeImageFile(const char* path, ArgbPixels::Buffer& pixels)
{
	pixels.reset();
	if (!path)
		return false;
	GdkPixbuf* pixbuf = loadCompleteImage(path);
	if (!pixbuf)
		return false;
	const bool ok =
	    hasSupportedLayout(pixbuf) && pixels.allocate(gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf));
	if (ok)
		convertPixbuf(pixbuf, pixels);
	g_object_unref(pixbuf);
	return ok;
}

} // namespace PixbufDecoder
} // namespace VSTGUI
