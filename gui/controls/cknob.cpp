#include "gui/controls/cknob.h"

#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cdrawcontext.h"
#include "gui/drawing/cgraphicspath.h"
#include "gui/views/cframe.h"

#include <cmath>
#include <cstring>
#include <numbers>

namespace VSTGUI
{

namespace
{

constexpr float kPi = std::numbers::pi_v<float>;
// The frame's knob mode in which plain drags are linear.
constexpr int32 kLinearKnobMode = 2;
// Pixels of linear travel for the whole range.
constexpr float kLinearTravel = 200.f;

double toDegrees(float radians)
{
	return radians / std::numbers::pi * 180.;
}

bool onlyLeftButton(const CButtonState& buttons)
{
	return (buttons & kAllButtonsMask) == kButtonLeft;
}

} // namespace

CKnob::CKnob(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background, CBitmap* handle,
             const CPoint& offset, int32 drawStyle)
: CControl(size, listener, tag, background), offset(offset), drawStyle(drawStyle), handleBitmap(handle)
{
	if (handleBitmap)
	{
		handleBitmap->remember();
		computeInsetValue();
	}
	setStartAngle(3.f * kPi / 4.f);
	setRangeAngle(3.f * kPi / 2.f);
	setWantsFocus(true);
	setDirty(true);
}

CKnob::CKnob(const CKnob& knob)
: CControl(knob), offset(knob.offset), drawStyle(knob.drawStyle), colorHandle(knob.colorHandle),
  colorShadowHandle(knob.colorShadowHandle), coronaColor(knob.coronaColor), handleLineWidth(knob.handleLineWidth),
  insetValue(knob.insetValue), coronaInset(knob.coronaInset), handleBitmap(knob.handleBitmap),
  startAngle(knob.startAngle), rangeAngle(knob.rangeAngle), zoomFactor(knob.zoomFactor)
{
	if (handleBitmap)
		handleBitmap->remember();
}

CKnob::~CKnob()
{
	if (handleBitmap)
		handleBitmap->forget();
}

bool CKnob::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CKnob") == 0 || CControl::isTypeOf(className);
}

void CKnob::computeInsetValue()
{
	insetValue = static_cast<float>(handleBitmap->getWidth()) * 0.5f + 2.5f;
}

float CKnob::normalizedValue() const
{
	const float span = getMax() - getMin();
	return span == 0.f ? 0.f : (value - getMin()) / span;
}

void CKnob::setStartAngle(float angle)
{
	startAngle = angle;
	setDirty(true);
}

float CKnob::getStartAngle() const
{
	return startAngle;
}

void CKnob::setRangeAngle(float angle)
{
	rangeAngle = angle;
	setDirty(true);
}

float CKnob::getRangeAngle() const
{
	return rangeAngle;
}

void CKnob::valueToPoint(CPoint& point) const
{
	const float angle = normalizedValue() * rangeAngle + startAngle;
	const double halfWidth = getWidth() / 2.;
	const double halfHeight = getHeight() / 2.;
	point.x = halfWidth + std::cos(static_cast<double>(angle)) * (halfWidth - insetValue) + 0.5;
	point.y = halfHeight + std::sin(static_cast<double>(angle)) * (halfHeight - insetValue) + 0.5;
}

float CKnob::valueFromPoint(CPoint& point) const
{
	// The angle is measured from the middle of the arc, positive in the
	// direction in which the value grows; a counter-clockwise arc (negative
	// range angle) is mirrored so that both directions use the same test.
	const double half = std::fabs(rangeAngle * 0.5f);
	if (half == 0.)
		return getMin();
	const double halfWidth = getWidth() / 2.;
	const double halfHeight = getHeight() / 2.;
	double alpha = std::atan2((point.y - halfHeight) / (halfHeight - insetValue),
	                          (point.x - halfWidth) / (halfWidth - insetValue)) -
	               (startAngle + rangeAngle * 0.5f);
	alpha = std::remainder(alpha, 2. * std::numbers::pi);
	if (alpha >= std::numbers::pi)
		alpha -= 2. * std::numbers::pi;
	if (rangeAngle < 0.f)
		alpha = -alpha;
	float position = 0.f;
	if (alpha > half)
		position = 1.f;
	else if (alpha >= -half)
		position = static_cast<float>(alpha / (2. * half) + 0.5);
	return getMin() + (getMax() - getMin()) * position;
}

double CKnob::getInsetValue() const
{
	return insetValue;
}

void CKnob::setInsetValue(double newValue)
{
	insetValue = newValue;
}

int32 CKnob::getDrawStyle() const
{
	return drawStyle;
}

void CKnob::setDrawStyle(int32 style)
{
	if (style == drawStyle)
		return;
	drawStyle = style;
	setDirty(true);
}

CColor CKnob::getCoronaColor() const
{
	return coronaColor;
}

void CKnob::setCoronaColor(const CColor& color)
{
	if (color == coronaColor)
		return;
	coronaColor = color;
	setDirty(true);
}

double CKnob::getCoronaInset() const
{
	return coronaInset;
}

void CKnob::setCoronaInset(double inset)
{
	if (inset == coronaInset)
		return;
	coronaInset = inset;
	setDirty(true);
}

CColor CKnob::getColorShadowHandle() const
{
	return colorShadowHandle;
}

void CKnob::setColorShadowHandle(const CColor& color)
{
	if (color == colorShadowHandle)
		return;
	colorShadowHandle = color;
	setDirty(true);
}

CColor CKnob::getColorHandle() const
{
	return colorHandle;
}

void CKnob::setColorHandle(const CColor& color)
{
	if (color == colorHandle)
		return;
	colorHandle = color;
	setDirty(true);
}

double CKnob::getHandleLineWidth() const
{
	return handleLineWidth;
}

void CKnob::setHandleLineWidth(double width)
{
	if (width == handleLineWidth)
		return;
	handleLineWidth = width;
	setDirty(true);
}

CBitmap* CKnob::getHandleBitmap() const
{
	return handleBitmap;
}

void CKnob::setHandleBitmap(CBitmap* bitmap)
{
	// Remember first: the new bitmap may be the old one, held only by us.
	if (bitmap)
		bitmap->remember();
	if (handleBitmap)
		handleBitmap->forget();
	handleBitmap = bitmap;
	if (handleBitmap)
		computeInsetValue();
	setDirty(true);
}

void CKnob::setZoomFactor(float factor)
{
	zoomFactor = factor;
}

float CKnob::getZoomFactor() const
{
	return zoomFactor;
}

void CKnob::setMin(float newMin)
{
	CControl::setMin(newMin);
	if (getValue() < newMin)
		setValue(newMin);
	setDirty(true);
}

void CKnob::setMax(float newMax)
{
	CControl::setMax(newMax);
	if (getValue() > newMax)
		setValue(newMax);
	setDirty(true);
}

void CKnob::setViewSize(const CRect& rect, bool invalid)
{
	CControl::setViewSize(rect, invalid);
	setDirty(true);
}

bool CKnob::sizeToFit()
{
	if (!getBackground())
		return false;
	CRect fitted(viewRect);
	fitted.setWidth(getBackground()->getWidth());
	fitted.setHeight(getBackground()->getHeight());
	setViewSize(fitted, true);
	setMouseableArea(fitted);
	return true;
}

MouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons)
{
	if (!onlyLeftButton(buttons))
		return kMouseNotHandled;
	beginEdit();
	if (checkDefaultValue(buttons))
	{
		endEdit();
		return kMouseHandledNoFollowUp;
	}
	firstPoint = where;
	lastPoint = CPoint(-1., -1.);
	startValue = getOldValue();
	modeLinear = false;
	entryValue = value;
	range = kLinearTravel;
	coef = (getMax() - getMin()) / range;
	oldButton = buttons;
	if (linearDragWanted(buttons))
		startLinearDrag(where, buttons);
	else
	{
		CPoint local(where - viewRect.getTopLeft());
		startValue = valueFromPoint(local);
		lastPoint = where;
	}
	return onMouseMoved(where, buttons);
}

bool CKnob::linearDragWanted(const CButtonState& buttons) const
{
	const int32 mode = getFrame() ? getFrame()->getKnobMode() : 0;
	const bool alt = (buttons & kModifierAlt) != 0;
	return (mode == kLinearKnobMode) != alt;
}

void CKnob::startLinearDrag(const CPoint& where, const CButtonState& buttons)
{
	if (buttons & kZoomModifier)
		range = kLinearTravel * zoomFactor;
	lastPoint = where;
	modeLinear = true;
	coef = (getMax() - getMin()) / range;
}

MouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&)
{
	endEdit();
	return kMouseHandled;
}

MouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
	if (!onlyLeftButton(buttons) || where == lastPoint)
		return kMouseHandled;
	lastPoint = where;
	if (modeLinear)
		linearDrag(where, buttons);
	else
		circularDrag(where);
	if (value != getOldValue())
		valueChanged();
	if (isDirty())
		invalid();
	return kMouseHandled;
}

void CKnob::linearDrag(const CPoint& where, const CButtonState& buttons)
{
	const float diff = static_cast<float>((where.x - firstPoint.x) + (firstPoint.y - where.y));
	if (buttons != oldButton)
	{
		// A modifier changed mid-drag: the travel so far is re-valued at the
		// new rate by moving the entry value, so the knob does not jump.
		const float newRange = (buttons & kZoomModifier) ? kLinearTravel * zoomFactor : kLinearTravel;
		const float newCoef = (getMax() - getMin()) / newRange;
		entryValue += (coef - newCoef) * diff;
		coef = newCoef;
		range = newRange;
		oldButton = buttons;
	}
	value = entryValue + coef * diff;
	bounceValue();
}

void CKnob::circularDrag(const CPoint& where)
{
	// The caller's point stays as it was: containers may still use it.
	CPoint local(where - viewRect.getTopLeft());
	const float position = valueFromPoint(local);
	const float halfRange = (getMax() - getMin()) * 0.5f;
	value = position;
	// A jump of more than half the range means the pointer crossed the gap
	// at the bottom: the knob stays at the end it came from.
	if (startValue - position > halfRange)
		value = getMax();
	else if (position - startValue > halfRange)
		value = getMin();
	else
		startValue = position;
}

bool CKnob::onWheel(const CPoint&, const float& distance, const CButtonState& buttons)
{
	if (!getMouseEnabled())
		return false;
	stepValue((buttons & kZoomModifier) ? distance * 0.1f : distance);
	return true;
}

int32 CKnob::onKeyDown(VstKeyCode& keyCode)
{
	float steps = 0.f;
	switch (keyCode.virt)
	{
		case VKEY_LEFT:
		case VKEY_DOWN: steps = -1.f; break;
		case VKEY_UP:
		case VKEY_RIGHT: steps = 1.f; break;
		default: return -1;
	}
	if (mapVstKeyModifier(keyCode.modifier) & kZoomModifier)
		steps *= 0.1f;
	stepValue(steps);
	return 1;
}

void CKnob::stepValue(float steps)
{
	setValueNormalized(normalizedValue() + steps * getWheelInc());
	if (!isDirty())
		return;
	invalid();
	beginEdit();
	valueChanged();
	endEdit();
}

void CKnob::draw(CDrawContext* context)
{
	if (getBackground())
		getBackground()->draw(context, viewRect, offset);
	drawHandle(context);
	setDirty(false);
}

void CKnob::drawHandle(CDrawContext* context)
{
	CPoint where;
	valueToPoint(where);
	if (handleBitmap)
	{
		const double width = handleBitmap->getWidth();
		const double height = handleBitmap->getHeight();
		const CPoint corner(std::floor(where.x + viewRect.left - width / 2.),
		                    std::floor(where.y + viewRect.top - height / 2.));
		handleBitmap->draw(context, CRect(corner, CPoint(width, height)));
		return;
	}
	context->setDrawMode(kDrawModeAntialiased);
	if (drawStyle & kKnobCoronaOutline)
		drawCoronaOutline(context);
	if (drawStyle & kKnobCorona)
		drawCorona(context);
	if (drawStyle & kKnobHandleCircle)
		drawHandleCircle(context, where);
	else
		drawHandleLine(context, where);
}

namespace
{

void strokeArc(CDrawContext* context, const CRect& rect, double from, double to, bool clockwise)
{
	CGraphicsPath* path = context->createGraphicsPath();
	if (!path)
		return;
	path->addArc(rect, from, to, clockwise);
	context->drawGraphicsPath(path, CDrawContext::kPathModeStroke);
	path->forget();
}

} // namespace

void CKnob::drawCoronaOutline(CDrawContext* context)
{
	CRect arcRect(viewRect);
	arcRect.inset(coronaInset, coronaInset);
	const double startDeg = toDegrees(startAngle);
	const double rangeDeg = toDegrees(rangeAngle);
	context->setFrameColor(colorShadowHandle);
	context->setLineStyle(kLineSolid);
	context->setLineWidth(handleLineWidth + 2.);
	strokeArc(context, arcRect, startDeg, startDeg + rangeDeg, rangeDeg > 0.);
}

void CKnob::drawCorona(CDrawContext* context)
{
	CRect arcRect(viewRect);
	arcRect.inset(coronaInset, coronaInset);
	const double startDeg = toDegrees(startAngle);
	const double rangeDeg = toDegrees(rangeAngle);
	const bool inverted = (drawStyle & kKnobCoronaInverted) != 0;
	const double shown = inverted ? 1. - normalizedValue() : normalizedValue();
	context->setFrameColor(coronaColor);
	context->setLineStyle((drawStyle & kKnobCoronaDashed) ? kLineOnOffDash : kLineSolid);
	context->setLineWidth(handleLineWidth);
	if (drawStyle & kKnobCoronaFromCenter)
	{
		const double sweep = (shown - 0.5) * rangeDeg;
		strokeArc(context, arcRect, 270., 270. + sweep, sweep > 0.);
	}
	else if (inverted)
	{
		const double sweep = shown * rangeDeg;
		strokeArc(context, arcRect, startDeg + rangeDeg, startDeg + rangeDeg - sweep, sweep <= 0.);
	}
	else
	{
		const double sweep = shown * rangeDeg;
		strokeArc(context, arcRect, startDeg, startDeg + sweep, sweep >= 0.);
	}
}

void CKnob::drawHandleCircle(CDrawContext* context, const CPoint& where)
{
	const CPoint centre(where + viewRect.getTopLeft());
	const double radius = 0.5 + handleLineWidth;
	context->setFrameColor(colorShadowHandle);
	context->setFillColor(colorHandle);
	context->setLineWidth(0.5);
	context->setLineStyle(kLineSolid);
	context->drawEllipse(CRect(centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius),
	                     kShapeFilledAndStroked);
}

void CKnob::drawHandleLine(CDrawContext* context, const CPoint& where)
{
	CPoint origin(viewRect.left - 1., viewRect.top);
	const CPoint centre(getWidth() / 2., getHeight() / 2.);
	context->setFrameColor(colorShadowHandle);
	context->setLineWidth(handleLineWidth);
	context->setLineStyle(kLineSolid);
	context->moveTo(where + origin);
	context->lineTo(centre + origin);
	// The highlight: the same line one pixel up and to the right.
	origin.offset(1., -1.);
	context->setFrameColor(colorHandle);
	context->moveTo(where + origin);
	context->lineTo(centre + origin);
}

} // namespace VSTGUI
