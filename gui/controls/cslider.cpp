#include "gui/controls/cslider.h"

#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cdrawcontext.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace VSTGUI
{

CSlider::CSlider(const CRect& size, CControlListener* listener, int32 tag, int32 iMinPos, int32 iMaxPos,
                 CBitmap* handle, CBitmap* background, const CPoint& offset, int32 style)
: CControl(size, listener, tag, background), offset(offset), style(style)
{
	adoptHandle(size, handle);
	minPos = isHorizontal() ? iMinPos - size.left : iMinPos - size.top;
	range = static_cast<double>(iMaxPos) - iMinPos;
	setOffsetHandle(CPoint(0, 0));
}

CSlider::CSlider(const CRect& size, CControlListener* listener, int32 tag, const CPoint& offsetHandle,
                 int32 rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset, int32 style)
: CControl(size, listener, tag, background), offset(offset), style(style)
{
	adoptHandle(size, handle);
	minPos = 0.;
	range = rangeHandle - handleLength();
	setOffsetHandle(offsetHandle);
}

CSlider::CSlider(const CSlider& slider)
: CControl(slider), offset(slider.offset), offsetHandle(slider.offsetHandle), pHandle(slider.pHandle),
  style(slider.style), handleWidth(slider.handleWidth), handleHeight(slider.handleHeight), range(slider.range),
  lowestHandlePos(slider.lowestHandlePos), highestHandlePos(slider.highestHandlePos), minPos(slider.minPos),
  controlWidth(slider.controlWidth), controlHeight(slider.controlHeight), zoomFactor(slider.zoomFactor),
  drawTransparentHandle(slider.drawTransparentHandle), freeClick(slider.freeClick), drawStyle(slider.drawStyle),
  frameColor(slider.frameColor), backColor(slider.backColor), valueColor(slider.valueColor)
{
	if (pHandle)
		pHandle->remember();
}

CSlider::~CSlider()
{
	if (pHandle)
		pHandle->forget();
}

void CSlider::adoptHandle(const CRect& size, CBitmap* handle)
{
	pHandle = handle;
	if (pHandle)
	{
		pHandle->remember();
		handleWidth = pHandle->getWidth();
		handleHeight = pHandle->getHeight();
	}
	controlWidth = size.getWidth();
	controlHeight = size.getHeight();
	setWantsFocus(true);
}

bool CSlider::isTypeOf(const char* className) const
{
	return std::strcmp(className, "CSlider") == 0 || CControl::isTypeOf(className);
}

void CSlider::setDrawTransparentHandle(bool state)
{
	drawTransparentHandle = state;
}

bool CSlider::getDrawTransparentHandle() const
{
	return drawTransparentHandle;
}

void CSlider::setFreeClick(bool state)
{
	freeClick = state;
}

bool CSlider::getFreeClick() const
{
	return freeClick;
}

void CSlider::setOffsetHandle(const CPoint& newOffset)
{
	offsetHandle = newOffset;
	lowestHandlePos = alongAxis(offsetHandle) + minPos;
	highestHandlePos = lowestHandlePos + range + handleLength();
}

CPoint CSlider::getOffsetHandle() const
{
	return offsetHandle;
}

void CSlider::setOffset(const CPoint& newOffset)
{
	offset = newOffset;
}

CPoint CSlider::getOffset() const
{
	return offset;
}

void CSlider::setStyle(int32 newStyle)
{
	style = newStyle;
}

int32 CSlider::getStyle() const
{
	return style;
}

void CSlider::setHandle(CBitmap* handle)
{
	if (handle)
		handle->remember();
	if (pHandle)
		pHandle->forget();
	pHandle = handle;
	if (pHandle)
	{
		handleWidth = pHandle->getWidth();
		handleHeight = pHandle->getHeight();
	}
}

CBitmap* CSlider::getHandle() const
{
	return pHandle;
}

void CSlider::setZoomFactor(float factor)
{
	zoomFactor = factor;
}

float CSlider::getZoomFactor() const
{
	return zoomFactor;
}

void CSlider::setDrawStyle(int32 newStyle)
{
	if (newStyle == drawStyle)
		return;
	drawStyle = newStyle;
	invalid();
}

void CSlider::setFrameColor(CColor color)
{
	if (color == frameColor)
		return;
	frameColor = color;
	invalid();
}

void CSlider::setBackColor(CColor color)
{
	if (color == backColor)
		return;
	backColor = color;
	invalid();
}

void CSlider::setValueColor(CColor color)
{
	if (color == valueColor)
		return;
	valueColor = color;
	invalid();
}

bool CSlider::areStepsReversed() const
{
	const bool verticalFromTop = (style & (kOrientationVertical | kOriginTop)) == (kOrientationVertical | kOriginTop);
	const bool horizontalFromRight =
	    (style & (kOrientationHorizontal | kOriginRight)) == (kOrientationHorizontal | kOriginRight);
	return verticalFromTop || horizontalFromRight;
}

float CSlider::positionValue() const
{
	const float normalized = getValueNormalized();
	return isPositionReversed() ? 1.f - normalized : normalized;
}

double CSlider::handleLeadingEdge(float position) const
{
	return alongAxis(offsetHandle) + std::floor(position * range);
}

std::optional<float> CSlider::normalizedAt(double coordinate) const
{
	if (range == 0.)
		return std::nullopt;
	// Single precision, as the value itself.
	float normalized = static_cast<float>(coordinate - dragAnchor) / static_cast<float>(range);
	return isPositionReversed() ? 1.f - normalized : normalized;
}

CRect CSlider::getHandleRect() const
{
	const double leading = std::max(lowestHandlePos, handleLeadingEdge(positionValue()));
	const double trailing = std::min(highestHandlePos, leading + handleLength());
	const double across = acrossAxis(offsetHandle);
	CRect rect = isHorizontal() ? CRect(leading, across, trailing, across + handleHeight)
	                            : CRect(across, leading, across + handleWidth, trailing);
	return rect.offset(viewRect.left, viewRect.top);
}

void CSlider::draw(CDrawContext* context)
{
	if (pBackground)
	{
		CRect track(viewRect.left, viewRect.top, viewRect.left + controlWidth, viewRect.top + controlHeight);
		pBackground->draw(context, track, offset, 1.f);
	}
	if (drawStyle != 0)
		drawColouredParts(context);
	if (pHandle)
		pHandle->draw(context, getHandleRect(), CPoint(0, 0), 1.f);
	setDirty(false);
}

void CSlider::drawColouredParts(CDrawContext* context)
{
	context->setDrawMode(kDrawModeAliased);
	const bool frame = (drawStyle & kSliderDrawFrame) != 0;
	const bool back = (drawStyle & kSliderDrawBack) != 0;
	if (frame || back)
	{
		context->setFrameColor(frameColor);
		context->setFillColor(backColor);
		context->drawRect(viewRect, frame && back ? kShapeFilledAndStroked : frame ? kShapeStroked : kShapeFilled);
	}
	context->setDrawMode(kDrawModeAntialiased);
	if (drawStyle & kSliderDrawValue)
		drawValueBar(context);
}

void CSlider::drawValueBar(CDrawContext* context)
{
	// Laid out along x whatever the orientation; nothing depends on a
	// vertical bar.
	CRect bar(viewRect);
	bar.inset(1., 1.);
	float normalized = getValueNormalized();
	const double width = bar.getWidth();
	if (drawStyle & kSliderDrawValueFromCenter)
	{
		if (drawStyle & kSliderDrawInverted)
			normalized = 1.f - normalized;
		bar.right = bar.left + width * normalized;
		bar.left = bar.left + width * 0.5;
		bar.normalize();
	}
	else if (drawStyle & kSliderDrawInverted)
		bar.left = bar.right - width * normalized;
	else
		bar.right = bar.left + width * normalized;
	context->setFillColor(valueColor);
	context->drawRect(bar, kShapeFilled);
}

bool CSlider::anchorDrag(const CPoint& where)
{
	dragAnchor = viewEdgeAlong() + alongAxis(offsetHandle);
	if (freeClick)
	{
		// The handle's centre follows the pointer.
		dragAnchor += 0.5 * handleLength() - 1.;
		return true;
	}
	const double leading = viewEdgeAlong() + handleLeadingEdge(positionValue());
	const double acrossStart = viewEdgeAcross() + acrossAxis(offsetHandle);
	const double along = alongAxis(where);
	const double across = acrossAxis(where);
	if (along < leading || along > leading + handleLength() || across < acrossStart ||
	    across > acrossStart + handleThickness())
		return false;
	// The handle keeps the point where it was gripped.
	dragAnchor += along - leading;
	return true;
}

MouseEventResult CSlider::onMouseDown(CPoint& where, const CButtonState& buttons)
{
	if (!(buttons & kButtonLeft))
		return kMouseNotHandled;
	if (!anchorDrag(where))
		return kMouseNotHandled;
	oldNormalized = getMin() - 1.f;
	oldButtons = buttons;
	beginEdit();
	if (checkDefaultValue(buttons))
	{
		// No moves or release follow this press: no drag stays open.
		oldButtons = 0;
		endEdit();
		return kMouseHandledNoFollowUp;
	}
	if (buttons & kZoomModifier)
		return kMouseHandled;
	return onMouseMoved(where, buttons);
}

MouseEventResult CSlider::onMouseUp(CPoint&, const CButtonState&)
{
	// Only a press that began an edit ends one.
	if (oldButtons() == 0)
		return kMouseHandled;
	oldButtons = 0;
	endEdit();
	return kMouseHandled;
}

void CSlider::takeOldNormalizedValue(const CButtonState& buttons)
{
	if (oldNormalized == getMin() - 1.f)
		oldNormalized = getValueNormalized();
	if (!(buttons & kZoomModifier))
		oldNormalized = getValueNormalized();
	else if (!(buttons == oldButtons))
	{
		oldNormalized = getValueNormalized();
		oldButtons = buttons;
	}
}

MouseEventResult CSlider::onMouseMoved(CPoint& where, const CButtonState& buttons)
{
	if (oldButtons() == 0 || !(buttons & kButtonLeft))
		return kMouseHandled;
	takeOldNormalizedValue(buttons);
	std::optional<float> normalized = normalizedAt(alongAxis(where));
	if (!normalized)
		return kMouseHandled;
	if (buttons & kZoomModifier)
		*normalized = oldNormalized + (*normalized - oldNormalized) / zoomFactor;
	// A zoom factor of 0 leaves 0 / 0 when the pointer has not moved.
	if (std::isnan(*normalized))
		return kMouseHandled;
	setValueNormalized(*normalized);
	if (isDirty())
	{
		valueChanged();
		invalid();
	}
	return kMouseHandled;
}

void CSlider::stepValue(float steps, const CButtonState& buttons)
{
	const float increment = (buttons & kZoomModifier) ? 0.1f * wheelInc : wheelInc;
	setValueNormalized(getValueNormalized() + steps * increment);
	if (!isDirty())
		return;
	invalid();
	beginEdit();
	valueChanged();
	endEdit();
}

bool CSlider::onWheel(const CPoint&, const float& distance, const CButtonState& buttons)
{
	if (!getMouseEnabled())
		return false;
	stepValue(areStepsReversed() ? -distance : distance, buttons);
	return true;
}

int32 CSlider::onKeyDown(VstKeyCode& keyCode)
{
	float step = 0.f;
	switch (keyCode.virt)
	{
		case VKEY_LEFT:
		case VKEY_DOWN: step = -1.f; break;
		case VKEY_UP:
		case VKEY_RIGHT: step = 1.f; break;
		default: return -1;
	}
	if (areStepsReversed())
		step = -step;
	stepValue(step, CButtonState(mapVstKeyModifier(keyCode.modifier)));
	return 1;
}

void CSlider::setViewSize(const CRect& rect, bool invalid)
{
	CControl::setViewSize(rect, invalid);
	minPos = 0.;
	if (isHorizontal())
		range = rect.getWidth() - (2. * offsetHandle.x + handleWidth);
	else
		range = rect.getHeight() - (2. * offsetHandle.y + handleHeight);
	controlWidth = rect.getWidth();
	controlHeight = rect.getHeight();
	setOffsetHandle(offsetHandle);
}

bool CSlider::sizeToFit()
{
	if (!pBackground)
		return false;
	CRect fitted(viewRect);
	fitted.setWidth(pBackground->getWidth());
	fitted.setHeight(pBackground->getHeight());
	setViewSize(fitted, true);
	setMouseableArea(fitted);
	return true;
}

CHorizontalSlider::CHorizontalSlider(const CRect& size, CControlListener* listener, int32 tag, int32 iMinPos,
                                     int32 iMaxPos, CBitmap* handle, CBitmap* background, const CPoint& offset,
                                     int32 style)
: CSlider(size, listener, tag, iMinPos, iMaxPos, handle, background, offset, style | kOrientationHorizontal)
{
}

CHorizontalSlider::CHorizontalSlider(const CRect& size, CControlListener* listener, int32 tag,
                                     const CPoint& offsetHandle, int32 rangeHandle, CBitmap* handle,
                                     CBitmap* background, const CPoint& offset, int32 style)
: CSlider(size, listener, tag, offsetHandle, rangeHandle, handle, background, offset, style | kOrientationHorizontal)
{
}

CVerticalSlider::CVerticalSlider(const CRect& size, CControlListener* listener, int32 tag, int32 iMinPos, int32 iMaxPos,
                                 CBitmap* handle, CBitmap* background, const CPoint& offset, int32 style)
: CSlider(size, listener, tag, iMinPos, iMaxPos, handle, background, offset, style | kOrientationVertical)
{
}

CVerticalSlider::CVerticalSlider(const CRect& size, CControlListener* listener, int32 tag, const CPoint& offsetHandle,
                                 int32 rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset,
                                 int32 style)
: CSlider(size, listener, tag, offsetHandle, rangeHandle, handle, background, offset, style | kOrientationVertical)
{
}

} // namespace VSTGUI
