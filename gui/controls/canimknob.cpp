#include "gui/controls/canimknob.h"

#include "gui/drawing/cbitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace VSTGUI
{

namespace
{

// How many images of size one fit into total, truncated; the division is
// checked so that a tiny or odd image size cannot overflow the count.
int32 imagesIn(double total, double one)
{
	const double count = std::trunc(total / one);
	if (!(count > 0.))
		return 0;
	return static_cast<int32>(std::min(count, static_cast<double>(std::numeric_limits<int32>::max())));
}

} // namespace

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps,
                     double heightOfOneImage, CBitmap* background, const CPoint& offset)
: CKnob(size, listener, tag, background, nullptr, offset, 0)
{
	this->subPixmaps = subPixmaps;
	setHeightOfOneImage(heightOfOneImage);
	insetValue = 0.;
}

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
                     const CPoint& offset)
: CKnob(size, listener, tag, background, nullptr, offset, 0)
{
	heightOfOneImage = size.getHeight();
	if (background && heightOfOneImage > 0.)
		subPixmaps = imagesIn(background->getHeight(), heightOfOneImage);
	insetValue = 0.;
}

bool CAnimKnob::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CAnimKnob") == 0 || CKnob::isTypeOf(className);
}

void CAnimKnob::setInverseBitmap(bool state)
{
	if (state == inverseBitmap)
		return;
	inverseBitmap = state;
	setDirty(true);
}

void CAnimKnob::setHeightOfOneImage(const double& height)
{
	IMultiBitmapControl::setHeightOfOneImage(height);
	if (getBackground() && height != 0.)
		setNumSubPixmaps(imagesIn(getBackground()->getHeight(), height));
}

void CAnimKnob::setNumSubPixmaps(int32 count)
{
	IMultiBitmapControl::setNumSubPixmaps(count);
	invalid();
}

void CAnimKnob::setBackground(CBitmap* background)
{
	CKnob::setBackground(background);
	if (heightOfOneImage == 0.)
		heightOfOneImage = getHeight();
	if (background && heightOfOneImage != 0.)
		setNumSubPixmaps(imagesIn(background->getHeight(), heightOfOneImage));
}

CPoint CAnimKnob::getImageOffset() const
{
	// Fewer than two images or an image under one pixel tall leave nothing
	// to step through (and would divide by zero below).
	const int32 imageHeight = static_cast<int32>(heightOfOneImage);
	if (subPixmaps < 2 || imageHeight <= 0)
		return CPoint(0., 0.);
	float position = std::clamp(normalizedValue(), 0.f, 1.f);
	if (inverseBitmap)
		position = 1.f - position;
	const double y = std::floor(position * (subPixmaps - 1.) * heightOfOneImage);
	return CPoint(0., y - std::fmod(y, static_cast<double>(imageHeight)));
}

void CAnimKnob::draw(CDrawContext* context)
{
	if (getBackground())
		getBackground()->draw(context, viewRect, getImageOffset());
	setDirty(false);
}

bool CAnimKnob::sizeToFit()
{
	if (!getBackground())
		return false;
	CRect fitted(viewRect);
	fitted.setWidth(getBackground()->getWidth());
	fitted.setHeight(heightOfOneImage);
	setViewSize(fitted, true);
	setMouseableArea(fitted);
	return true;
}

} // namespace VSTGUI
