// Image files decoded by gdk-pixbuf into premultiplied ARGB32 pixel buffers.
//
// A truncated file is refused, whatever its format: gdk-pixbuf itself hands
// out a truncated BMP (and, from memory, a truncated PNG) with rows it never
// wrote, and libjpeg pads a truncated JPEG with grey. So the decoder checks
// that every row was delivered and that a JPEG reaches its end marker. Any
// format gdk-pixbuf has a loader for is accepted; the resource lookup
// decides which names are tried.
#pragma once

#include "gui/platform/linux/drawing/argbpixels.h"

#include <cstdint>

namespace VSTGUI
{
namespace PixbufDecoder
{

// Reads only the header: true with the pixel size when the file is an image
// of a known format with a positive size. Does not decode the pixels.
bool readImageSize(const char* path, int32_t& width, int32_t& height);

// Decodes the whole file into a new buffer (rows padded to 16 bytes, alpha
// premultiplied, images without alpha made opaque). False, and the buffer
// left empty, for a missing, truncated or corrupt file.
bool decodeImageFile(const char* path, ArgbPixels::Buffer& pixels);

} // namespace PixbufDecoder
} // namespace VSTGUI
