// The bitmap slider: a background bitmap (the track) with a handle bitmap
// that moves along one axis in proportion to the normalised value. Dragging
// moves the handle (a click anywhere jumps there unless free click is off),
// the wheel and the arrow keys step the value, the zoom modifier makes drags
// and steps finer and the default-value modifier resets the value. Besides
// bitmaps the slider can paint a frame, a back and a value bar in colours
// (the draw style).
//
// Geometry, in pixels relative to the view's top-left corner: at value 0 the
// handle's leading edge sits at the handle offset along the axis, at value 1
// that plus the range; the drawn handle is kept between the lowest and the
// highest handle position. The kOriginRight and kOriginBottom styles put
// value 0 at the far end. handleLeadingEdge and normalizedAt are the one
// value/pixel mapping that drawing and the mouse share.
//
// Ownership: the handle bitmap is remembered while set and forgotten by the
// destructor; the background bitmap is the view's. User-interface thread
// only.
#pragma once

#include "gui/base/ccolor.h"
#include "gui/controls/ccontrol.h"

#include <optional>

namespace VSTGUI
{

// Style bits given to the constructors.
enum CSliderStyle : int32
{
	kOrientationHorizontal = 1 << 0,
	kOrientationVertical = 1 << 1,
	kOriginLeft = 1 << 3,
	kOriginRight = 1 << 4,
	kOriginTop = 1 << 5,
	kOriginBottom = 1 << 6
};

// Draw-style bits; the colours are used only when one is set.
enum CSliderDrawStyle : int32
{
	kSliderDrawFrame = 1 << 0,
	kSliderDrawBack = 1 << 1,
	kSliderDrawValue = 1 << 2,
	kSliderDrawValueFromCenter = 1 << 3,
	kSliderDrawInverted = 1 << 4
};

class CSlider : public CControl
{
public:
	// iMinPos and iMaxPos are pixel coordinates along the axis in the
	// parent's space: the handle's leading edge travels from iMinPos to
	// iMaxPos. handle and background may be null; offset is the source offset
	// into the background bitmap.
	CSlider(const CRect& size, CControlListener* listener, int32 tag, int32 iMinPos, int32 iMaxPos, CBitmap* handle,
	        CBitmap* background, const CPoint& offset = CPoint(0, 0),
	        int32 style = kOriginLeft | kOrientationHorizontal);
	// offsetHandle places the handle relative to the view; rangeHandle is the
	// length along the axis that the whole handle sweeps.
	CSlider(const CRect& size, CControlListener* listener, int32 tag, const CPoint& offsetHandle, int32 rangeHandle,
	        CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
	        int32 style = kOriginLeft | kOrientationHorizontal);
	// Copies everything but the state of a drag in progress.
	CSlider(const CSlider& slider);
	~CSlider() override;

	// Stored and copied only.
	virtual void setDrawTransparentHandle(bool state);
	virtual bool getDrawTransparentHandle() const;
	// With free click off a press must hit the handle.
	virtual void setFreeClick(bool state);
	virtual bool getFreeClick() const;
	// Recomputes the lowest and highest handle positions.
	virtual void setOffsetHandle(const CPoint& offset);
	virtual CPoint getOffsetHandle() const;
	// Source offset into the background bitmap.
	virtual void setOffset(const CPoint& offset);
	virtual CPoint getOffset() const;
	virtual void setStyle(int32 style);
	virtual int32 getStyle() const;
	// Remembers the new handle and forgets the old one. A non-null handle
	// gives the handle size; the travel limits are not recomputed.
	virtual void setHandle(CBitmap* handle);
	// Not owned by the caller; may be null.
	virtual CBitmap* getHandle() const;
	// Drags with the zoom modifier move the value this many times slower.
	virtual void setZoomFactor(float factor);
	virtual float getZoomFactor() const;
	// These redraw when the value changes.
	virtual void setDrawStyle(int32 style);
	virtual void setFrameColor(CColor color);
	virtual void setBackColor(CColor color);
	virtual void setValueColor(CColor color);

	int32 getDrawStyle() const { return drawStyle; }
	CColor getFrameColor() const { return frameColor; }
	CColor getBackColor() const { return backColor; }
	CColor getValueColor() const { return valueColor; }
	// Geometry in pixels relative to the view's top-left corner.
	double getRange() const { return range; }
	double getMinPosition() const { return minPos; }
	double getLowestHandlePosition() const { return lowestHandlePos; }
	double getHighestHandlePosition() const { return highestHandlePos; }
	double getHandleWidth() const { return handleWidth; }
	double getHandleHeight() const { return handleHeight; }
	// Where the handle is drawn for the current value, parent coordinates.
	CRect getHandleRect() const;

	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return new CSlider(*this); }
	void draw(CDrawContext* context) override;
	MouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
	using CView::onWheel;
	bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
	int32 onKeyDown(VstKeyCode& keyCode) override;
	// The travel becomes the whole length of rect minus the handle and
	// twice its offset.
	void setViewSize(const CRect& rect, bool invalid = true) override;
	// The size of the background bitmap; false without one.
	bool sizeToFit() override;

protected:
	bool isHorizontal() const { return (style & kOrientationHorizontal) != 0; }
	// Value 0 at the right or bottom end.
	bool isPositionReversed() const { return (style & (kOriginRight | kOriginBottom)) != 0; }
	// Wheel and arrow keys run the other way.
	bool areStepsReversed() const;
	double alongAxis(const CPoint& point) const { return isHorizontal() ? point.x : point.y; }
	double acrossAxis(const CPoint& point) const { return isHorizontal() ? point.y : point.x; }
	double handleLength() const { return isHorizontal() ? handleWidth : handleHeight; }
	double handleThickness() const { return isHorizontal() ? handleHeight : handleWidth; }
	// The view's top-left corner along and across the axis.
	double viewEdgeAlong() const { return alongAxis(viewRect.getTopLeft()); }
	double viewEdgeAcross() const { return acrossAxis(viewRect.getTopLeft()); }

	// The normalised value as a position: reversed for kOriginRight and
	// kOriginBottom.
	float positionValue() const;
	// The handle's leading edge for a position value, relative to the view,
	// before the travel limits are applied.
	double handleLeadingEdge(float position) const;
	// The normalised value that a coordinate along the axis (parent space)
	// gives with the current drag anchor; none while the range is 0, where
	// every pixel would be every value.
	std::optional<float> normalizedAt(double coordinate) const;
	// Anchors a drag that starts at where; false when the press misses the
	// handle with free click off.
	bool anchorDrag(const CPoint& where);
	void takeOldNormalizedValue(const CButtonState& buttons);
	// Adds steps of the wheel increment; a change is one complete edit.
	void stepValue(float steps, const CButtonState& buttons);
	void drawColouredParts(CDrawContext* context);
	void drawValueBar(CDrawContext* context);
	// What both constructors share: the handle, the view size, the focus.
	void adoptHandle(const CRect& size, CBitmap* handle);

	CPoint offset;
	CPoint offsetHandle;
	CBitmap* pHandle{nullptr};
	int32 style;
	double handleWidth{1.};
	double handleHeight{1.};
	double range{0.};
	double lowestHandlePos{0.};
	double highestHandlePos{0.};
	double minPos{0.};
	double controlWidth{0.};
	double controlHeight{0.};
	float zoomFactor{10.f};
	bool drawTransparentHandle{true};
	bool freeClick{true};
	int32 drawStyle{0};
	CColor frameColor{255, 255, 255, 255};
	CColor backColor{255, 255, 255, 255};
	CColor valueColor{255, 255, 255, 255};

	// A drag in progress: old buttons non-zero. The old normalised value
	// holds min - 1 until the first move takes the current one.
	double dragAnchor{0.};
	float oldNormalized{0.f};
	CButtonState oldButtons;
};

// A slider with kOrientationHorizontal forced on.
class CHorizontalSlider : public CSlider
{
public:
	CHorizontalSlider(const CRect& size, CControlListener* listener, int32 tag, int32 iMinPos, int32 iMaxPos,
	                  CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
	                  int32 style = kOriginLeft);
	CHorizontalSlider(const CRect& size, CControlListener* listener, int32 tag, const CPoint& offsetHandle,
	                  int32 rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
	                  int32 style = kOriginLeft);
};

// A slider with kOrientationVertical forced on.
class CVerticalSlider : public CSlider
{
public:
	CVerticalSlider(const CRect& size, CControlListener* listener, int32 tag, int32 iMinPos, int32 iMaxPos,
	                CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
	                int32 style = kOriginBottom);
	CVerticalSlider(const CRect& size, CControlListener* listener, int32 tag, const CPoint& offsetHandle,
	                int32 rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
	                int32 style = kOriginBottom);
};

} // namespace VSTGUI
