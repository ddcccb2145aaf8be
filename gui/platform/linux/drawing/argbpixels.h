// Pixel-buffer arithmetic shared by the image decoder and the bitmap: the
// 16-byte row alignment and the conversion between straight and
// premultiplied alpha.
//
// Pixels are 32-bit native-endian ARGB words (cairo's CAIRO_FORMAT_ARGB32),
// which on a little-endian machine are the bytes blue, green, red, alpha.
// Every conversion rounds to the nearest value instead of truncating, so that
// premultiplying and unpremultiplying an opaque pixel is exact and other
// pixels move by at most one step.
#pragma once

#include <cstddef>
#include <cstdint>

namespace VSTGUI
{
namespace ArgbPixels
{

// Bytes per row for a width in pixels: width * 4 rounded up to a multiple
// of 16. Returns 0 when the width is not positive or the result would not fit
// a signed 32-bit value.
int32_t bytesPerRow(int32_t width);

// Buffer size for height rows; 0 when it would overflow or is not positive.
size_t bufferSize(int32_t bytesPerRow, int32_t height);

// Straight colour channel value times alpha / 255, rounded.
inline uint8_t premultiply(uint8_t channel, uint8_t alpha)
{
	return static_cast<uint8_t>((channel * alpha + 127) / 255);
}

// Premultiplied channel value times 255 / alpha, rounded and limited to 255;
// 0 for a fully transparent pixel.
inline uint8_t unpremultiply(uint8_t channel, uint8_t alpha)
{
	if (alpha == 0)
		return 0;
	const unsigned value = (channel * 255u + alpha / 2u) / alpha;
	return static_cast<uint8_t>(value > 255u ? 255u : value);
}

// In-place conversion of width pixels in each of height rows.
void premultiplyBuffer(uint8_t* pixels, int32_t width, int32_t height, int32_t bytesPerRow);
void unpremultiplyBuffer(uint8_t* pixels, int32_t width, int32_t height, int32_t bytesPerRow);

// A zero-filled (transparent black) pixel buffer with aligned rows. Owns its
// memory; moving hands it over.
class Buffer
{
public:
	Buffer() = default;
	Buffer(Buffer&& other) noexcept;
	Buffer& operator=(Buffer&& other) noexcept;
	Buffer(const Buffer&) = delete;
	Buffer& operator=(const Buffer&) = delete;
	~Buffer();

	// Replaces the contents by a new transparent buffer; false (and empty)
	// when the size is not positive, overflows or cannot be allocated.
	bool allocate(int32_t width, int32_t height);
	void reset();

	uint8_t* data() const { return pixels; }
	int32_t getWidth() const { return width; }
	int32_t getHeight() const { return height; }
	int32_t getBytesPerRow() const { return rowBytes; }
	bool empty() const { return pixels == nullptr; }

private:
	uint8_t* pixels{nullptr};
	int32_t width{0};
	int32_t height{0};
	int32_t rowBytes{0};
};

// Writes one straight-alpha colour as a premultiplied ARGB32 pixel.
void storePremultiplied(uint8_t* pixel, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha);

} // namespace ArgbPixels
} // namespace VSTGUI
