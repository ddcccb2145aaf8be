#include "gui/platform/linux/drawing/cairobitmap.h"

#include "gui/drawing/cresourcedescription.h"
#include "gui/drawing/pluginbundle.h"
#include "gui/platform/linux/drawing/pixbufdecoder.h"

#include <bit>
#include <cstring>

namespace VSTGUI
{

namespace
{

bool validDimension(double value)
{
	return value >= 1. && value < CairoBitmap::kMaxDimension + 1.;
}

// Every resource name passes through a working buffer of 1,024 bytes on the
// platform this layer mirrors; longer names are refused rather than cut.
bool nameFitsLimit(const CResourceDescription& description)
{
	if (description.type != CResourceDescription::kStringType)
		return true;
	const char* name = description.u.name;
	return name && ::strnlen(name, CairoBitmap::kMaxResourceNameLength + 1) <= CairoBitmap::kMaxResourceNameLength;
}

} // namespace

IPlatformBitmap* CairoBitmap::createPlatformBitmap(CPoint* size)
{
	return size ? new CairoBitmap(*size) : new CairoBitmap();
}

IPlatformBitmap* CairoBitmap::createFromPath(const char* absolutePath)
{
	auto* bitmap = new CairoBitmap();
	if (absolutePath && bitmap->loadFromPath(absolutePath))
		return bitmap;
	bitmap->forget();
	return nullptr;
}

CairoBitmap::CairoBitmap(const CPoint& newSize)
{
	if (!validDimension(newSize.x) || !validDimension(newSize.y))
		return;
	if (pixels.allocate(static_cast<int32>(newSize.x), static_cast<int32>(newSize.y)))
		size = CPoint(pixels.getWidth(), pixels.getHeight());
}

CairoBitmap::~CairoBitmap()
{
	if (surface)
		cairo_surface_destroy(surface);
}

bool CairoBitmap::load(const CResourceDescription& description)
{
	if (holdsImage() || !nameFitsLimit(description))
		return false;
	for (const std::string& candidate : description.getFileNameCandidates())
	{
		const std::string path = findResourceFile(candidate.c_str());
		if (!path.empty())
			return loadFromPath(path);
	}
	return false;
}

bool CairoBitmap::loadFromPath(const std::string& path)
{
	int32 width = 0;
	int32 height = 0;
	if (holdsImage() || !PixbufDecoder::readImageSize(path.c_str(), width, height))
		return false;
	if (width > kMaxFileDimension || height > kMaxFileDimension)
		return false;
	pendingPath = path;
	size = CPoint(width, height);
	return true;
}

void CairoBitmap::decodePending() const
{
	if (pendingPath.empty())
		return;
	const std::string path = std::move(pendingPath);
	pendingPath.clear();
	if (PixbufDecoder::decodeImageFile(path.c_str(), pixels) && pixels.getWidth() <= kMaxFileDimension &&
	    pixels.getHeight() <= kMaxFileDimension)
		size = CPoint(pixels.getWidth(), pixels.getHeight());
	else
	{
		pixels.reset();
		size = CPoint();
	}
}

CPoint CairoBitmap::getSize() const
{
	decodePending();
	return size;
}

cairo_surface_t* CairoBitmap::getSurface()
{
	decodePending();
	if (!surface && !pixels.empty())
		surface = cairo_image_surface_create_for_data(pixels.data(), CAIRO_FORMAT_ARGB32, pixels.getWidth(),
		                                              pixels.getHeight(), pixels.getBytesPerRow());
	return surface;
}

void CairoBitmap::markDirty()
{
	if (surface)
		cairo_surface_mark_dirty(surface);
}

IPlatformBitmapPixelAccess* CairoBitmap::lockPixels(bool alphaPremultiplied)
{
	decodePending();
	if (pixels.empty())
		return nullptr;
	return new CairoBitmapPixelAccess(this, alphaPremultiplied);
}

// Pending cairo drawing is flushed into the buffer before it is handed out.
CairoBitmapPixelAccess::CairoBitmapPixelAccess(CairoBitmap* bitmap, bool alphaPremultiplied)
: bitmap(bitmap), alphaPremultiplied(alphaPremultiplied)
{
	bitmap->remember();
	if (bitmap->surface)
		cairo_surface_flush(bitmap->surface);
	const ArgbPixels::Buffer& pixels = bitmap->pixels;
	if (!alphaPremultiplied)
		ArgbPixels::unpremultiplyBuffer(pixels.data(), pixels.getWidth(), pixels.getHeight(), pixels.getBytesPerRow());
}

CairoBitmapPixelAccess::~CairoBitmapPixelAccess()
{
	const ArgbPixels::Buffer& pixels = bitmap->pixels;
	if (!alphaPremultiplied)
		ArgbPixels::premultiplyBuffer(pixels.data(), pixels.getWidth(), pixels.getHeight(), pixels.getBytesPerRow());
	bitmap->markDirty();
	bitmap->forget();
}

uint8* CairoBitmapPixelAccess::getAddress() const
{
	return bitmap->pixels.data();
}

int32 CairoBitmapPixelAccess::getBytesPerRow() const
{
	return bitmap->pixels.getBytesPerRow();
}

// The word is native-endian with alpha in the top byte.
IPlatformBitmapPixelAccess::PixelFormat CairoBitmapPixelAccess::getPixelFormat() const
{
	return std::endian::native == std::endian::little ? kPixelOrderBGRA : kPixelOrderARGB;
}

} // namespace VSTGUI
