#include "gui/controls/ccontrol.h"

#include "gui/drawing/cgraphicspath.h"
#include "gui/views/cframe.h"

#include <cstring>

namespace VSTGUI
{

const char* const CControl::kMessageTagWillChange = "kMessageTagWillChange";
const char* const CControl::kMessageTagDidChange = "kMessageTagDidChange";
const char* const CControl::kMessageValueChanged = "kMessageValueChanged";
const char* const CControl::kMessageBeginEdit = "kMessageBeginEdit";
const char* const CControl::kMessageEndEdit = "kMessageEndEdit";

int32 CControl::kZoomModifier = kModifierShift;
int32 CControl::kDefaultValueModifier = kModifierControl;

CControl::CControl(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background)
: CView(size), listener(listener), tag(tag)
{
	if (background)
		setBackground(background);
	setDirty(true);
}

CControl::CControl(const CControl& control)
: CView(control), IFocusDrawing(control), IDependency(control), listener(control.listener), tag(control.tag),
  oldValue(control.oldValue), defaultValue(control.defaultValue), value(control.value), vmin(control.vmin),
  vmax(control.vmax), wheelInc(control.wheelInc)
{
}

bool CControl::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CControl") == 0 || CView::isTypeOf(className);
}

void CControl::setValue(float newValue)
{
	if (newValue < getMin())
		newValue = getMin();
	else if (newValue > getMax())
		newValue = getMax();
	if (newValue == value)
		return;
	value = newValue;
	changed(kMessageValueChanged);
}

float CControl::getValue() const
{
	return value;
}

void CControl::setValueNormalized(float normalized)
{
	if (normalized > 1.f)
		normalized = 1.f;
	else if (normalized < 0.f)
		normalized = 0.f;
	setValue(getMin() + (getMax() - getMin()) * normalized);
}

float CControl::getValueNormalized() const
{
	return (value - getMin()) / (getMax() - getMin());
}

void CControl::setMin(float newMin)
{
	vmin = newMin;
}

float CControl::getMin() const
{
	return vmin;
}

void CControl::setMax(float newMax)
{
	vmax = newMax;
}

float CControl::getMax() const
{
	return vmax;
}

void CControl::setOldValue(float newOldValue)
{
	oldValue = newOldValue;
}

float CControl::getOldValue() const
{
	return oldValue;
}

void CControl::setDefaultValue(float newDefault)
{
	defaultValue = newDefault;
}

float CControl::getDefaultValue() const
{
	return defaultValue;
}

void CControl::bounceValue()
{
	if (value > getMax())
		value = getMax();
	else if (value < getMin())
		value = getMin();
}

bool CControl::checkDefaultValue(CButtonState buttons)
{
	constexpr int32 kMouseButtonBits = kAllButtonsMask;
	if ((buttons & kMouseButtonBits) != kButtonLeft || !(buttons & (kDefaultValueModifier & kAllModifiersMask)))
		return false;
	if (getDefaultValue() == getValue())
		return true;
	beginEdit();
	setValue(getDefaultValue());
	valueChanged();
	endEdit();
	return true;
}

void CControl::valueChanged()
{
	if (listener)
		listener->valueChanged(this);
	changed(kMessageValueChanged);
}

void CControl::setTag(int32 newTag)
{
	if (listener)
		listener->controlTagWillChange(this);
	changed(kMessageTagWillChange);
	tag = newTag;
	if (listener)
		listener->controlTagDidChange(this);
	changed(kMessageTagDidChange);
}

int32 CControl::getTag() const
{
	return tag;
}

void CControl::beginEdit()
{
	if (listener)
		listener->controlBeginEdit(this);
	changed(kMessageBeginEdit);
	if (CFrame* frame = getFrame())
		frame->beginEdit(tag);
}

void CControl::endEdit()
{
	if (CFrame* frame = getFrame())
		frame->endEdit(tag);
	if (listener)
		listener->controlEndEdit(this);
	changed(kMessageEndEdit);
}

CControlListener* CControl::getListener() const
{
	return listener;
}

void CControl::setListener(CControlListener* newListener)
{
	listener = newListener;
}

void CControl::setBackOffset(const CPoint& offset)
{
	backOffset = offset;
}

const CPoint& CControl::getBackOffset() const
{
	return backOffset;
}

void CControl::copyBackOffset()
{
	backOffset = viewRect.getTopLeft();
}

void CControl::setWheelInc(float increment)
{
	wheelInc = increment;
}

float CControl::getWheelInc() const
{
	return wheelInc;
}

void CControl::doIdleStuff()
{
	if (CFrame* frame = getFrame())
		frame->doIdleStuff();
}

bool CControl::offerModifierClick(const CButtonState& buttons)
{
	CControlListener* target = getListener();
	return target && target->controlModifierClicked(this, buttons) != 0;
}

bool CControl::drawFocusOnTop()
{
	return false;
}

bool CControl::getFocusPath(CGraphicsPath& path)
{
	if (!wantsFocus())
		return true;
	CRect visible = getVisibleSize();
	if (visible.left >= visible.right || visible.top >= visible.bottom)
		return true;
	double width = getFrame() ? getFrame()->getFocusWidth() : 0.;
	path.addRect(visible);
	path.addRect(visible.extend(width, width));
	return true;
}

bool CControl::isDirty() const
{
	// A comparison with a not-a-number counts as different.
	if (!(getOldValue() == value))
		return true;
	return CView::isDirty();
}

void CControl::setDirty(bool state)
{
	if (!state)
	{
		CView::setDirty(false);
		oldValue = value;
		return;
	}
	oldValue = value == -1.f ? 0.f : -1.f;
	if (!kDirtyCallAlwaysOnMainThread)
	{
		CView::setDirty(true);
		return;
	}
	invalidRect(viewRect);
	CView::setDirty(false);
}

int32 CControl::mapVstKeyModifier(int32 vstModifier)
{
	int32 buttons = 0;
	if (vstModifier & MODIFIER_SHIFT)
		buttons |= kModifierShift;
	if (vstModifier & MODIFIER_ALTERNATE)
		buttons |= kModifierAlt;
	if (vstModifier & MODIFIER_COMMAND)
		buttons |= kModifierCommand;
	if (vstModifier & MODIFIER_CONTROL)
		buttons |= kModifierControl;
	return buttons;
}

} // namespace VSTGUI
