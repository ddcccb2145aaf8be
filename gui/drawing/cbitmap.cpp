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
	if (platformBitmap)
		loadHighResolution();
}

std::string CBitmap::highResolutionName(const char* name)
{
	std::string result(name ? name : "");
	const auto dot = result.find_last_of('.');
	const auto slash = result.find_last_of('/');
	const bool hasExtension = dot != std::string::npos && dot > 0 && (slash == std::string::npos || dot > slash + 1);
	result.insert(hasExtension ? dot : result.size(), "@2x");
	return result;
}

// The name is taken now, while the caller's string lives; the companion is
// looked for when a scaled window first draws the bitmap, so that a window
// at factor 1 never pays for it.
void CBitmap::loadHighResolution()
{
	if (resourceDesc.type == CResourceDescription::kStringType && resourceDesc.u.name)
		companionName = highResolutionName(resourceDesc.u.name);
}

IPlatformBitmap* CBitmap::getPlatformBitmapForScale(double scaleFactor) const
{
	if (!(scaleFactor > 1.) || !platformBitmap || companionName.empty())
		return platformBitmap;
	if (!highResolutionChecked)
	{
		highResolutionChecked = true;
		IPlatformBitmap* companion = IPlatformBitmap::create(nullptr);
		const CPoint own = platformBitmap->getSize();
		if (companion && companion->load(CResourceDescription(companionName.c_str())) &&
		    companion->getSize().x == 2. * own.x && companion->getSize().y == 2. * own.y)
			highResolution = companion;
		else if (companion)
			companion->forget();
	}
	return highResolution ? highResolution : platformBitmap;
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
	if (highResolution)
		highResolution->forget();
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

// New pixels replace the companion too: it showed the old picture.
void CBitmap::setPlatformBitmap(IPlatformBitmap* bitmap)
{
	if (bitmap)
		bitmap->remember();
	if (platformBitmap)
		platformBitmap->forget();
	platformBitmap = bitmap;
	if (highResolution)
		highResolution->forget();
	highResolution = nullptr;
	companionName.clear();
}

} // namespace VSTGUI
