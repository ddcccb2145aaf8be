#include "tests/support/pixelaccess.h"

#include "gui/drawing/cbitmappixelaccess.h"

namespace VSTGUI::test
{

CColor pixelAt(CBitmap* bitmap, int x, int y)
{
	CColor color(0, 0, 0, 0);
	CBitmapPixelAccess* access = CBitmapPixelAccess::create(bitmap, false);
	if (!access)
		return color;
	if (access->setPosition(static_cast<uint32>(x), static_cast<uint32>(y)))
		access->getColor(color);
	access->forget();
	return color;
}

} // namespace VSTGUI::test
