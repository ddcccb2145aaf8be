#include "gui/drawing/cbitmap.h"

#include "gui/drawing/cdrawcontext.h"
#include "gui/drawing/iplatformbitmap.h"

#include <cstring>

namespace VSTGUI
{

CBitmap::CBitmap(const CResourceDescription& description)
: resourceDesc(description), platformBitmap(IPlatformBitmap::create(nullptr))
{
	if (platformBitmap && !platformBitmap->load(description))
	{
		platformBitmap->forget();
		platformBitmap = nullptr;
	}
}

CBitmap::CBitmap(double width, double height)
{
	CPoint size(width, height);
	platformBitmap = IPlatformBitmap::create(&size);
}

CBitmap::CBitmap(IPlatformBitmap* platformBitmap)
{
	setPlatformBitmap(platformBitmap);
}

CBitmap::CBitmap() = default;

CBitmap::~CBitmap()
{
	if (platformBitmap)
		platformBitmap->forget();
}

bool CBitmap::isTypeOf(const char* className) const
{
	return (className && std::strcmp(className, "CBitmap") == 0) || CBaseObject::isTypeOf(className);
}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset, float alpha)
{
	if (!context)
		return;
	CRect visible;
	context->getClipRect(visible);
	if (visible.bound(rect).isEmpty())
		return;
	context->drawBitmap(this, rect, offset, alpha);
}

double CBitmap::getWidth() const
{
	return platformBitmap ? platformBitmap->getSize().x : 0.;
}

double CBitmap::getHeight() const
{
	return platformBitmap ? platformBitmap->getSize().y : 0.;
}

void CBitmap::setPlatformBitmap(IPlatformBitmap* bitmap)
{
	if (bitmap)
		bitmap->remember();
	if (platformBitmap)
		platformBitmap->forget();
	platformBitmap = bitmap;
}

} // namespace VSTGUI
