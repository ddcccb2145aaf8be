#include "gui/drawing/cbitmappixelaccess.h"

#include "gui/drawing/cbitmap.h"

namespace VSTGUI
{

namespace
{

CBitmapPixelAccess* newAccessFor(IPlatformBitmapPixelAccess::PixelFormat format);

} // namespace

CBitmapPixelAccess* CBitmapPixelAccess::create(CBitmap* bitmap, bool alphaPremultiplied)
{
	IPlatformBitmap* platformBitmap = bitmap ? bitmap->getPlatformBitmap() : nullptr;
	// An empty image has no pixel to stand on: the access would point nowhere.
	if (!platformBitmap || bitmap->getWidth() < 1. || bitmap->getHeight() < 1.)
		return nullptr;
	IPlatformBitmapPixelAccess* platformAccess = platformBitmap->lockPixels(alphaPremultiplied);
	if (!platformAccess)
		return nullptr;
	CBitmapPixelAccess* access =
	    platformAccess->getAddress() ? newAccessFor(platformAccess->getPixelFormat()) : nullptr;
	if (!access)
	{
		platformAccess->forget();
		return nullptr;
	}
	access->init(bitmap, platformAccess);
	return access;
}

CBitmapPixelAccess::~CBitmapPixelAccess()
{
	if (pixelAccess)
		pixelAccess->forget();
}

void CBitmapPixelAccess::init(CBitmap* newBitmap, IPlatformBitmapPixelAccess* platformAccess)
{
	bitmap = newBitmap;
	pixelAccess = platformAccess;
	address = platformAccess->getAddress();
	bytesPerRow = platformAccess->getBytesPerRow();
	currentPos = address;
	maxX = static_cast<int32>(bitmap->getWidth()) - 1;
	maxY = static_cast<int32>(bitmap->getHeight()) - 1;
	x = 0;
	y = 0;
}

bool CBitmapPixelAccess::operator++()
{
	if (static_cast<int64>(x) < maxX)
	{
		++x;
		currentPos += 4;
		return true;
	}
	if (static_cast<int64>(y) < maxY)
	{
		++y;
		x = 0;
		currentPos = address + static_cast<std::ptrdiff_t>(y) * bytesPerRow;
		return true;
	}
	return false;
}

bool CBitmapPixelAccess::setPosition(uint32 newX, uint32 newY)
{
	if (static_cast<int64>(newX) > maxX || static_cast<int64>(newY) > maxY)
		return false;
	x = newX;
	y = newY;
	currentPos = address + static_cast<std::ptrdiff_t>(y) * bytesPerRow + static_cast<std::ptrdiff_t>(x) * 4;
	return true;
}

namespace
{

CBitmapPixelAccess* newAccessFor(IPlatformBitmapPixelAccess::PixelFormat format)
{
	switch (format)
	{
		case IPlatformBitmapPixelAccess::kPixelOrderARGB: return new CBitmapPixelAccessOrder<1, 2, 3, 0>();
		case IPlatformBitmapPixelAccess::kPixelOrderRGBA: return new CBitmapPixelAccessOrder<0, 1, 2, 3>();
		case IPlatformBitmapPixelAccess::kPixelOrderABGR: return new CBitmapPixelAccessOrder<3, 2, 1, 0>();
		case IPlatformBitmapPixelAccess::kPixelOrderBGRA: return new CBitmapPixelAccessOrder<2, 1, 0, 3>();
	}
	return nullptr;
}

} // namespace

} // namespace VSTGUI
