// A rotary control that shows its value as an angle.
//
// Over an optional background bitmap it draws either a handle bitmap at the
// value's point on a circle, or vector graphics chosen by the draw style: a
// line or dot handle, a value arc (the corona) and an outline of the whole
// arc. Angles are radians in view coordinates (y down): the default arc runs
// clockwise on screen from the lower left (3/4 pi) over the top to the lower
// right, 3/2 pi in all.
//
// Dragging follows the frame's knob mode: mode 2 drags linearly (right and
// up increase, 200 pixels for the whole range), any other mode circularly
// (the pointer's angle around the centre sets the value); Alt at the press
// swaps the two. The zoom modifier makes linear drags, wheel and arrow keys
// finer.
//
// Value mapping: the arc covers min..max; a knob whose range is empty
// (min == max) shows and keeps its minimum instead of dividing by zero.
//
// Ownership: the handle bitmap is remembered while set and forgotten by the
// destructor. User-interface thread only.
#pragma once

#include "gui/base/ccolor.h"
#include "gui/controls/ccontrol.h"

namespace VSTGUI
{

enum CKnobDrawStyle : int32
{
	kKnobHandleCircle = 1 << 0,
	kKnobCorona = 1 << 1,
	kKnobCoronaFromCenter = 1 << 2,
	kKnobCoronaInverted = 1 << 3,
	kKnobCoronaDashed = 1 << 4,
	kKnobCoronaOutline = 1 << 5
};

class CKnob : public CControl
{
public:
	// background and handle may be null; handle is remembered. offset is the
	// source offset into the background bitmap.
	CKnob(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background, CBitmap* handle,
	      const CPoint& offset = CPoint(0, 0), int32 drawStyle = 0);
	CKnob(const CKnob& knob);
	~CKnob() override;

	// Radians; both mark the knob dirty.
	virtual void setStartAngle(float angle);
	virtual float getStartAngle() const;
	virtual void setRangeAngle(float angle);
	virtual float getRangeAngle() const;
	// The value's point on the circle, relative to the view's top-left corner.
	virtual void valueToPoint(CPoint& point) const;
	// The value at a point relative to the view's top-left corner; beyond the
	// ends of the arc the nearer limit.
	virtual float valueFromPoint(CPoint& point) const;
	// Distance of the handle's point from the view edge, in pixels.
	virtual double getInsetValue() const;
	virtual void setInsetValue(double value);
	virtual int32 getDrawStyle() const;
	virtual void setDrawStyle(int32 style);
	virtual CColor getCoronaColor() const;
	virtual void setCoronaColor(const CColor& color);
	virtual double getCoronaInset() const;
	virtual void setCoronaInset(double inset);
	virtual CColor getColorShadowHandle() const;
	virtual void setColorShadowHandle(const CColor& color);
	virtual CColor getColorHandle() const;
	virtual void setColorHandle(const CColor& color);
	virtual double getHandleLineWidth() const;
	virtual void setHandleLineWidth(double width);
	// Not owned by the caller; may be null.
	virtual CBitmap* getHandleBitmap() const;
	// Forgets the old handle, remembers the new one (may be null).
	virtual void setHandleBitmap(CBitmap* bitmap);
	// Linear drags with the zoom modifier need this many times the travel.
	virtual void setZoomFactor(float factor);
	virtual float getZoomFactor() const;
	virtual void drawHandle(CDrawContext* context);

	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return new CKnob(*this); }
	void draw(CDrawContext* context) override;
	MouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
	using CView::onWheel;
	bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
	int32 onKeyDown(VstKeyCode& keyCode) override;
	void setViewSize(const CRect& rect, bool invalid = true) override;
	bool sizeToFit() override;
	void setMin(float value) override;
	void setMax(float value) override;

protected:
	// The value's position in the range, 0 for an empty range.
	float normalizedValue() const;
	bool linearDragWanted(const CButtonState& buttons) const;
	void startLinearDrag(const CPoint& where, const CButtonState& buttons);
	void linearDrag(const CPoint& where, const CButtonState& buttons);
	void circularDrag(const CPoint& where);
	// Adds steps of the wheel increment to the normalised value and reports
	// a change as one complete edit.
	void stepValue(float steps);
	void drawCoronaOutline(CDrawContext* context);
	void drawCorona(CDrawContext* context);
	void drawHandleCircle(CDrawContext* context, const CPoint& where);
	void drawHandleLine(CDrawContext* context, const CPoint& where);
	void computeInsetValue();

	CPoint offset;
	int32 drawStyle;
	CColor colorHandle{kWhiteCColor};
	CColor colorShadowHandle{kGreyCColor};
	CColor coronaColor{255, 255, 255, 255};
	double handleLineWidth{1.};
	double insetValue{3.};
	double coronaInset{0.};
	CBitmap* handleBitmap{nullptr};
	float startAngle{0.f};
	float rangeAngle{0.f};
	float zoomFactor{1.5f};

	CPoint firstPoint;
	CPoint lastPoint;
	float startValue{0.f};
	float entryValue{0.f};
	float range{0.f};
	float coef{0.f};
	CButtonState oldButton;
	bool modeLinear{false};
};

} // namespace VSTGUI
