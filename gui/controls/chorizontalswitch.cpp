#include "gui/controls/chorizontalswitch.h"

#include "gui/controls/cverticalswitch.h"
#include "gui/drawing/cbitmap.h"

#include <algorithm>
#include <cstring>

namespace VSTGUI
{

CHorizontalSwitch::CHorizontalSwitch(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
                                     const CPoint& offset)
: CControl(size, listener, tag, background), offset(offset)
{
	heightOfOneImage = size.getWidth();
	if (background && heightOfOneImage > 0.)
		subPixmaps = static_cast<int32>(std::min(background->getWidth() / heightOfOneImage, 32767.));
	setDefaultValue(0.f);
	setWantsFocus(true);
}

CHorizontalSwitch::CHorizontalSwitch(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps,
                                     double widthOfOneImage, int32, CBitmap* background, const CPoint& offset)
: CControl(size, listener, tag, background), offset(offset)
{
	this->subPixmaps = subPixmaps;
	heightOfOneImage = widthOfOneImage;
	setDefaultValue(0.f);
	setWantsFocus(true);
}

bool CHorizontalSwitch::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CHorizontalSwitch") == 0 || CControl::isTypeOf(className);
}

void CHorizontalSwitch::setNumSubPixmaps(int32 count)
{
	IMultiBitmapControl::setNumSubPixmaps(count);
	invalid();
}

void CHorizontalSwitch::autoComputeHeightOfOneImage()
{
	heightOfOneImage = getWidth();
}

int32 CHorizontalSwitch::currentIndex() const
{
	return SwitchPositions::indexOfValue(value, getMin(), getMax(), subPixmaps);
}

CPoint CHorizontalSwitch::getImageOffset() const
{
	return CPoint(heightOfOneImage * currentIndex(), 0.);
}

void CHorizontalSwitch::draw(CDrawContext* context)
{
	if (getBackground())
		getBackground()->draw(context, viewRect, getImageOffset());
	setDirty(false);
}

bool CHorizontalSwitch::sizeToFit()
{
	if (!getBackground())
		return false;
	CRect fitted(viewRect);
	fitted.setWidth(heightOfOneImage);
	fitted.setHeight(getBackground()->getHeight());
	setViewSize(fitted, true);
	setMouseableArea(fitted);
	return true;
}

MouseEventResult CHorizontalSwitch::onMouseDown(CPoint& where, const CButtonState& buttons)
{
	if (!buttons.isLeftButton())
		return kMouseNotHandled;
	stepLength = subPixmaps > 0 ? heightOfOneImage / subPixmaps : 0.;
	beginEdit();
	if (checkDefaultValue(buttons))
	{
		endEdit();
		return kMouseHandledNoFollowUp;
	}
	return onMouseMoved(where, buttons);
}

MouseEventResult CHorizontalSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
	if (!buttons.isLeftButton())
		return kMouseHandled;
	SwitchPositions::followIndex(*this, SwitchPositions::indexAt(where.x - viewRect.left, stepLength, subPixmaps),
	                             subPixmaps);
	return kMouseHandled;
}

MouseEventResult CHorizontalSwitch::onMouseUp(CPoint&, const CButtonState&)
{
	endEdit();
	return kMouseHandled;
}

int32 CHorizontalSwitch::onKeyDown(VstKeyCode& keyCode)
{
	if (keyCode.modifier != 0)
		return -1;
	const int32 index = currentIndex();
	if (keyCode.virt == VKEY_LEFT && index >= 1)
		return stepTo(index - 1);
	if (keyCode.virt == VKEY_RIGHT && index < subPixmaps - 1)
		return stepTo(index + 1);
	return -1;
}

int32 CHorizontalSwitch::stepTo(int32 index)
{
	return SwitchPositions::stepTo(*this, index, subPixmaps);
}

} // namespace VSTGUI
