#include "gui/controls/conoffbutton.h"

#include "gui/drawing/cbitmap.h"

#include <cstring>

namespace VSTGUI
{

COnOffButton::COnOffButton(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background, int32 style)
: CControl(size, listener, tag, background), style(style)
{
	setWantsFocus(true);
}

int32 COnOffButton::getStyle() const
{
	return style;
}

void COnOffButton::setStyle(int32 newStyle)
{
	style = newStyle;
}

bool COnOffButton::isTypeOf(const char* className) const
{
	return std::strcmp(className, "COnOffButton") == 0 || CControl::isTypeOf(className);
}

void COnOffButton::draw(CDrawContext* context)
{
	if (CBitmap* strip = getBackground())
	{
		const double top = value == getMax() ? strip->getHeight() / 2. : 0.;
		strip->draw(context, viewRect, CPoint(0., top));
	}
	setDirty(false);
}

void COnOffButton::toggle()
{
	value = value == getMax() ? getMin() : getMax();
	invalid();
	beginEdit();
	valueChanged();
	endEdit();
}

MouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons)
{
	if (!buttons.isLeftButton())
		return kMouseNotHandled;
	toggle();
	return kMouseHandledNoFollowUp;
}

int32 COnOffButton::onKeyDown(VstKeyCode& keyCode)
{
	if (keyCode.virt != VKEY_RETURN || keyCode.modifier != 0)
		return -1;
	toggle();
	return 1;
}

bool COnOffButton::sizeToFit()
{
	if (!getBackground())
		return false;
	CRect fitted(viewRect);
	fitted.setWidth(getBackground()->getWidth());
	fitted.setHeight(getBackground()->getHeight() / 2.);
	setViewSize(fitted, true);
	setMouseableArea(fitted);
	return true;
}

} // namespace VSTGUI
