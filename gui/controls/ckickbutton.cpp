#include "gui/controls/ckickbutton.h"

#include "gui/drawing/cbitmap.h"

#include <cstring>

namespace VSTGUI
{

namespace
{

bool isPlainReturn(const VstKeyCode& keyCode)
{
	return keyCode.virt == VKEY_RETURN && keyCode.modifier == 0;
}

} // namespace

CKickButton::CKickButton(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
                         const CPoint& offset)
: CKickButton(size, listener, tag, size.getHeight(), background, offset)
{
}

CKickButton::CKickButton(const CRect& size, CControlListener* listener, int32 tag, double heightOfOneImage,
                         CBitmap* background, const CPoint& offset)
: CControl(size, listener, tag, background), offset(offset)
{
	this->heightOfOneImage = heightOfOneImage;
	setWantsFocus(true);
}

bool CKickButton::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CKickButton") == 0 || CControl::isTypeOf(className);
}

void CKickButton::setNumSubPixmaps(int32 count)
{
	IMultiBitmapControl::setNumSubPixmaps(count);
	invalid();
}

CPoint CKickButton::getImageOffset() const
{
	CPoint source(offset);
	if (value == getMax())
		source.y += heightOfOneImage;
	return source;
}

void CKickButton::draw(CDrawContext* context)
{
	bounceValue();
	if (getBackground())
		getBackground()->draw(context, viewRect, getImageOffset());
	setDirty(false);
}

bool CKickButton::sizeToFit()
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

MouseEventResult CKickButton::onMouseDown(CPoint& where, const CButtonState& buttons)
{
	if (!buttons.isLeftButton())
		return kMouseNotHandled;
	entryState = value;
	beginEdit();
	return onMouseMoved(where, buttons);
}

MouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
	if (buttons.isLeftButton())
	{
		value = viewRect.pointInsideClosed(where) ? getMax() : getMin();
		if (isDirty())
			invalid();
	}
	return kMouseHandled;
}

MouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&)
{
	// Compared with the minimum rather than 0, so that a button whose range
	// does not start at 0 reports a release outside only once.
	if (value != getMin())
		valueChanged();
	value = getMin();
	valueChanged();
	if (isDirty())
		invalid();
	endEdit();
	return kMouseHandled;
}

int32 CKickButton::onKeyDown(VstKeyCode& keyCode)
{
	if (!isPlainReturn(keyCode))
		return -1;
	if (value == getMax())
		return 1;
	beginEdit();
	keyEditOpen = true;
	value = getMax();
	invalid();
	valueChanged();
	return 1;
}

int32 CKickButton::onKeyUp(VstKeyCode& keyCode)
{
	if (!isPlainReturn(keyCode) || !keyEditOpen)
		return -1;
	keyEditOpen = false;
	value = getMin();
	invalid();
	valueChanged();
	endEdit();
	return 1;
}

} // namespace VSTGUI
