#include "gui/platform/linux/drawing/argbpixels.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

namespace VSTGUI
{
namespace ArgbPixels
{

namespace
{

// The word layout is native-endian; build the word instead of poking bytes so
// that the code is right on either byte order.
inline uint32_t loadWord(const uint8_t* pixel)
{
	uint32_t word;
	std::memcpy(&word, pixel, sizeof(word));
	return word;
}

inline void storeWord(uint8_t* pixel, uint32_t word)
{
	std::memcpy(pixel, &word, sizeof(word));
}

inline uint32_t makeWord(uint32_t alpha, uint32_t red, uint32_t green, uint32_t blue)
{
	return (alpha << 24) | (red << 16) | (green << 8) | blue;
}

template <uint8_t (*convert)(uint8_t, uint8_t)>
void convertBuffer(uint8_t* pixels, int32_t width, int32_t height, int32_t bytesPerRow)
{
	for (int32_t y = 0; y < height; ++y)
	{
		uint8_t* pixel = pixels + static_cast<size_t>(y) * static_cast<size_t>(bytesPerRow);
		for (int32_t x = 0; x < width; ++x, pixel += 4)
		{
			const uint32_t word = loadWord(pixel);
			const uint8_t alpha = static_cast<uint8_t>(word >> 24);
			if (alpha == 255)
				continue;
			storeWord(pixel, makeWord(alpha, convert(static_cast<uint8_t>(word >> 16), alpha),
			                          convert(static_cast<uint8_t>(word >> 8), alpha),
			                          convert(static_cast<uint8_t>(word), alpha)));
		}
	}
}

} // namespace

int32_t bytesPerRow(int32_t width)
{
	if (width <= 0 || width > (std::numeric_limits<int32_t>::max() - 15) / 4)
		return 0;
	return (width * 4 + 15) / 16 * 16;
}

size_t bufferSize(int32_t bytesPerRow, int32_t height)
{
	if (bytesPerRow <= 0 || height <= 0)
		return 0;
	const size_t rows = static_cast<size_t>(height);
	const size_t row = static_cast<size_t>(bytesPerRow);
	if (rows > std::numeric_limits<size_t>::max() / row)
		return 0;
	return rows * row;
}

void premultiplyBuffer(uint8_t* pixels, int32_t width, int32_t height, int32_t bytesPerRow)
{
	convertBuffer<premultiply>(pixels, width, height, bytesPerRow);
}

void unpremultiplyBuffer(uint8_t* pixels, int32_t width, int32_t height, int32_t bytesPerRow)
{
	convertBuffer<unpremultiply>(pixels, width, height, bytesPerRow);
}

void storePremultiplied(uint8_t* pixel, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
	storeWord(pixel, makeWord(alpha, premultiply(red, alpha), premultiply(green, alpha), premultiply(blue, alpha)));
}

Buffer::Buffer(Buffer&& other) noexcept
{
	*this = std::move(other);
}

Buffer& Buffer::operator=(Buffer&& other) noexcept
{
	if (this != &other)
	{
		reset();
		std::swap(pixels, other.pixels);
		std::swap(width, other.width);
		std::swap(height, other.height);
		std::swap(rowBytes, other.rowBytes);
	}
	return *this;
}

Buffer::~Buffer()
{
	reset();
}

bool Buffer::allocate(int32_t newWidth, int32_t newHeight)
{
	reset();
	const int32_t newRowBytes = bytesPerRow(newWidth);
	const size_t size = bufferSize(newRowBytes, newHeight);
	if (size == 0)
		return false;
	pixels = static_cast<uint8_t*>(std::calloc(size, 1));
	if (!pixels)
		return false;
	width = newWidth;
	height = newHeight;
	rowBytes = newRowBytes;
	return true;
}

void Buffer::reset()
{
	std::free(pixels);
	pixels = nullptr;
	width = height = rowBytes = 0;
}

} // namespace ArgbPixels
} // namespace VSTGUI
