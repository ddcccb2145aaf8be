#include "gui/drawing/coffscreencontext.h"

#include "gui/drawing/cbitmap.h"
#include "gui/drawing/iplatformbitmap.h"

namespace VSTGUI
{

namespace
{

CRect surfaceOf(const CBitmap* bitmap)
{
	if (!bitmap || !bitmap->getPlatformBitmap())
		return {};
	const CPoint size = bitmap->getPlatformBitmap()->getSize();
	return {0., 0., size.x, size.y};
}

} // namespace

COffscreenContext::COffscreenContext(CBitmap* bitmap) : CDrawContext(surfaceOf(bitmap)), bitmap(bitmap)
{
	if (bitmap)
		bitmap->remember();
}

COffscreenContext::COffscreenContext(const CRect& surfaceRect) : CDrawContext(surfaceRect) {}

COffscreenContext::~COffscreenContext()
{
	if (bitmap)
		bitmap->forget();
}

void COffscreenContext::copyFrom(CDrawContext* context, const CRect& destRect, const CPoint& srcOffset)
{
	if (bitmap && context)
		bitmap->draw(context, destRect, srcOffset, 1.f);
}

} // namespace VSTGUI
