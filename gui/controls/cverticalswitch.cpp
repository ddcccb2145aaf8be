#include "gui/controls/cverticalswitch.h"

#include "gui/drawing/cbitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace VSTGUI
{

namespace SwitchPositions
{

int32 indexOfValue(float value, float min, float max, int32 count)
{
	if (count < 2 || max == min)
		return 0;
	const float normalized = (value - min) / (max - min);
	const float index = std::trunc(normalized * static_cast<float>(count - 1) + 0.5f);
	// Also keeps a value outside the range (or not a number) on the strip.
	if (!(index > 0.f))
		return 0;
	return index >= static_cast<float>(count - 1) ? count - 1 : static_cast<int32>(index);
}

float valueOfIndex(int32 index, float min, float max, int32 count)
{
	if (count < 2)
		return min;
	return min + static_cast<float>(index) / static_cast<float>(count - 1) * (max - min);
}

int32 indexAt(double distance, double stepLength, int32 count)
{
	if (!(stepLength > 0.) || count < 1)
		return 0;
	const double index = std::trunc(distance / stepLength);
	if (!(index > 0.))
		return 0;
	return index >= count - 1 ? count - 1 : static_cast<int32>(index);
}

void followIndex(CControl& control, int32 index, int32 count)
{
	control.setValue(valueOfIndex(index, control.getMin(), control.getMax(), count));
	if (control.isDirty())
	{
		control.valueChanged();
		control.invalid();
	}
}

int32 stepTo(CControl& control, int32 index, int32 count)
{
	control.setValue(valueOfIndex(index, control.getMin(), control.getMax(), count));
	if (!control.isDirty())
		return -1;
	control.invalid();
	control.beginEdit();
	control.valueChanged();
	control.endEdit();
	return 1;
}

} // namespace SwitchPositions

CVerticalSwitch::CVerticalSwitch(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
                                 const CPoint& offset)
: CControl(size, listener, tag, background), offset(offset)
{
	heightOfOneImage = size.getHeight();
	if (background && heightOfOneImage > 0.)
		subPixmaps = static_cast<int32>(std::min(background->getHeight() / heightOfOneImage, 32767.));
	setDefaultValue(0.f);
	setWantsFocus(true);
}

CVerticalSwitch::CVerticalSwitch(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps,
                                 double heightOfOneImage, int32, CBitmap* background, const CPoint& offset)
: CControl(size, listener, tag, background), offset(offset)
{
	this->subPixmaps = subPixmaps;
	this->heightOfOneImage = heightOfOneImage;
	setDefaultValue(0.f);
	setWantsFocus(true);
}

bool CVerticalSwitch::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CVerticalSwitch") == 0 || CControl::isTypeOf(className);
}

void CVerticalSwitch::setNumSubPixmaps(int32 count)
{
	IMultiBitmapControl::setNumSubPixmaps(count);
	invalid();
}

int32 CVerticalSwitch::currentIndex() const
{
	return SwitchPositions::indexOfValue(value, getMin(), getMax(), subPixmaps);
}

CPoint CVerticalSwitch::getImageOffset() const
{
	return CPoint(0., heightOfOneImage * currentIndex());
}

void CVerticalSwitch::draw(CDrawContext* context)
{
	if (getBackground())
		getBackground()->draw(context, viewRect, getImageOffset());
	setDirty(false);
}

bool CVerticalSwitch::sizeToFit()
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

MouseEventResult CVerticalSwitch::onMouseDown(CPoint& where, const CButtonState& buttons)
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

MouseEventResult CVerticalSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
	if (!buttons.isLeftButton())
		return kMouseHandled;
	SwitchPositions::followIndex(*this, SwitchPositions::indexAt(where.y - viewRect.top, stepLength, subPixmaps),
	                             subPixmaps);
	return kMouseHandled;
}

MouseEventResult CVerticalSwitch::onMouseUp(CPoint&, const CButtonState&)
{
	endEdit();
	return kMouseHandled;
}

int32 CVerticalSwitch::onKeyDown(VstKeyCode& keyCode)
{
	if (keyCode.modifier != 0)
		return -1;
	const int32 index = currentIndex();
	if (keyCode.virt == VKEY_UP && index >= 1)
		return stepTo(index - 1);
	if (keyCode.virt == VKEY_DOWN && index < subPixmaps - 1)
		return stepTo(index + 1);
	return -1;
}

int32 CVerticalSwitch::stepTo(int32 index)
{
	return SwitchPositions::stepTo(*this, index, subPixmaps);
}

} // namespace VSTGUI
