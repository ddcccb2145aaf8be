// The platform bitmap contract: owns the pixels and loads images from the
// plug-in's resources. Implemented by the platform library.
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/base/cpoint.h"

namespace VSTGUI
{

class CResourceDescription;

// Access to the pixels of a platform bitmap; 4 bytes per pixel. Releasing
// the last reference ends the access: straight alpha is premultiplied back,
// the drawable image is rebuilt from the changed pixels, and the access
// releases its reference to the platform bitmap.
class IPlatformBitmapPixelAccess : public CBaseObject
{
public:
	// Byte order of one pixel in memory.
	enum PixelFormat : int32
	{
		kPixelOrderARGB = 0,
		kPixelOrderRGBA = 1,
		kPixelOrderABGR = 2,
		kPixelOrderBGRA = 3
	};

	// First byte of the top row.
	virtual uint8* getAddress() const = 0;
	virtual int32 getBytesPerRow() const = 0;
	virtual PixelFormat getPixelFormat() const = 0;
};

class IPlatformBitmap : public CBaseObject
{
public:
	// A new platform bitmap (count 1, owned by the caller) of that size with
	// all pixels transparent, or an empty one to be loaded when size is null.
	static IPlatformBitmap* create(CPoint* size = nullptr);
	// A new platform bitmap loaded from an absolute file path, or null.
	static IPlatformBitmap* createFromPath(const char* absolutePath);

	// Loads the described image into this empty bitmap; false when it already
	// holds one or the resource cannot be found or decoded. File names follow
	// CResourceDescription::getFileNameCandidates.
	virtual bool load(const CResourceDescription& description) = 0;
	// Width (x) and height (y) in pixels; (0, 0) when empty.
	virtual CPoint getSize() const = 0;
	// New, owned by the caller (forget ends the access), or null. With false
	// the pixels are handed over with straight alpha.
	virtual IPlatformBitmapPixelAccess* lockPixels(bool alphaPremultiplied) = 0;
};

} // namespace VSTGUI
