#include "gui/drawing/iplatformbitmap.h"

#include "gui/base/platformfactory.h"

namespace VSTGUI
{

IPlatformBitmap* IPlatformBitmap::create(CPoint* size)
{
	auto create = getPlatformFactory().createBitmap;
	return create ? create(size) : nullptr;
}

IPlatformBitmap* IPlatformBitmap::createFromPath(const char* absolutePath)
{
	auto create = getPlatformFactory().createBitmapFromPath;
	return create ? create(absolutePath) : nullptr;
}

} // namespace VSTGUI
