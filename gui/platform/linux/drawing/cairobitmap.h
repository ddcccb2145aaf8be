// The platform bitmap: a premultiplied ARGB32 pixel buffer with a cairo
// image surface over it.
//
// CAIRO_FORMAT_ARGB32 is a native-endian 32-bit word with alpha in the top
// byte: on x86-64 the bytes are blue, green, red, alpha, so pixel access
// reports kPixelOrderBGRA. Rows are padded to a multiple of 16 bytes.
//
// A bitmap loaded from a file first reads only the image header (size and
// format); the pixels are decoded on the first size query, draw or pixel
// access. A file that then turns out to be truncated or corrupt leaves the
// bitmap empty: size (0, 0), nothing drawn, no pixel access.
//
// Threads: user-interface thread only.
#pragma once

#include "gui/drawing/iplatformbitmap.h"
#include "gui/platform/linux/drawing/argbpixels.h"

#include <cairo.h>
#include <string>

namespace VSTGUI
{

class CairoBitmap : public IPlatformBitmap
{
public:
	// Names of 1,024 bytes or more are refused by load.
	static constexpr size_t kMaxResourceNameLength = 1023;
	// cairo's limit for image surfaces, in pixels, in either direction.
	static constexpr int32 kMaxDimension = 32767;
	// Image files larger than this in either direction are refused as they
	// are loaded, from their header: a file of a few kilobytes can declare a
	// size whose pixels would take gigabytes and seconds to decode.
	static constexpr int32 kMaxFileDimension = 8192;

	// The platform's bitmap factories (see gui/base/platformfactory.h): an
	// empty bitmap to be loaded when size is null, else transparent pixels of
	// that size; one loaded from a file, or null. Count 1, owned by the caller.
	static IPlatformBitmap* createPlatformBitmap(CPoint* size);
	static IPlatformBitmap* createFromPath(const char* absolutePath);

	// An empty bitmap, to be loaded.
	CairoBitmap() = default;
	// Transparent pixels of that size (each coordinate truncated). A size
	// that is not positive or exceeds kMaxDimension gives an empty bitmap.
	explicit CairoBitmap(const CPoint& size);
	~CairoBitmap() override;
	CairoBitmap(const CairoBitmap&) = delete;
	CairoBitmap& operator=(const CairoBitmap&) = delete;

	// Looks the file up in gBundleRef's resources, else among the module's
	// built-in ones (findResourceFile in gui/drawing/pluginbundle.h).
	bool load(const CResourceDescription& description) override;
	CPoint getSize() const override;
	IPlatformBitmapPixelAccess* lockPixels(bool alphaPremultiplied) override;

	// Reads the header of an image file; false when the bitmap already holds
	// an image or the file is not a readable image.
	bool loadFromPath(const std::string& path);

	// The surface over the pixels, decoding a pending file first; null when
	// there are no pixels. Owned by the bitmap and valid while it lives.
	cairo_surface_t* getSurface();
	// For code that wrote into the buffer directly (the pixel access).
	void markDirty();

private:
	friend class CairoBitmapPixelAccess;

	// The size query may decode, so the decoding state is mutable.
	void decodePending() const;
	bool holdsImage() const { return !pendingPath.empty() || !pixels.empty(); }

	mutable std::string pendingPath;
	mutable CPoint size;
	mutable ArgbPixels::Buffer pixels;
	cairo_surface_t* surface{nullptr};
};

// Access to the pixels of one CairoBitmap; holds a reference to it. With
// straight alpha requested, the buffer is unpremultiplied when the access
// is made and premultiplied again when its last reference goes.
class CairoBitmapPixelAccess : public IPlatformBitmapPixelAccess
{
public:
	CairoBitmapPixelAccess(CairoBitmap* bitmap, bool alphaPremultiplied);
	~CairoBitmapPixelAccess() override;
	CairoBitmapPixelAccess(const CairoBitmapPixelAccess&) = delete;
	CairoBitmapPixelAccess& operator=(const CairoBitmapPixelAccess&) = delete;

	uint8* getAddress() const override;
	int32 getBytesPerRow() const override;
	PixelFormat getPixelFormat() const override;

private:
	CairoBitmap* bitmap;
	bool alphaPremultiplied;
};

} // namespace VSTGUI
