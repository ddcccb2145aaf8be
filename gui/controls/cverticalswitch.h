// A multi-position switch: its background holds the images of the
// positions stacked vertically, each one image height tall, the first for
// the minimum. A click picks the position by where it lands in the view
// (the view's height is split into as many zones as there are positions);
// dragging follows the pointer; up and down keys step one position.
//
// Position i of n stands for min + i / (n - 1) * (max - min). A switch with
// fewer than two positions has only its minimum.
//
// Ownership: the background is remembered by the view. User-interface
// thread only.
#pragma once

#include "gui/controls/ccontrol.h"
#include "gui/controls/imultibitmapcontrol.h"

namespace VSTGUI
{

// The position arithmetic that vertical and horizontal switches share.
namespace SwitchPositions
{

// The position nearest to value; 0 for an empty range or too few positions.
int32 indexOfValue(float value, float min, float max, int32 count);
// The value that position index stands for.
float valueOfIndex(int32 index, float min, float max, int32 count);
// The zone of a distance along the view, zones stepLength apart, limited to
// 0..count - 1; 0 without a usable step length.
int32 indexAt(double distance, double stepLength, int32 count);
// A drag onto position index: the value follows, and the listener hears of
// a change (the drag's own edit brackets it).
void followIndex(CControl& control, int32 index, int32 count);
// A key onto position index: one complete edit when the value changes;
// answers 1, or -1 when nothing changed.
int32 stepTo(CControl& control, int32 index, int32 count);

} // namespace SwitchPositions

class CVerticalSwitch : public CControl, public IMultiBitmapControl
{
public:
	// One image is as tall as the view; the image count follows from the
	// background's height (0 without background).
	CVerticalSwitch(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
	                const CPoint& offset = CPoint(0, 0));
	// iMaxPositions is accepted for source compatibility and not used.
	CVerticalSwitch(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps, double heightOfOneImage,
	                int32 iMaxPositions, CBitmap* background, const CPoint& offset = CPoint(0, 0));
	CVerticalSwitch(const CVerticalSwitch& other) = default;
	~CVerticalSwitch() override = default;

	// The source offset of the image for the current value.
	CPoint getImageOffset() const;
	double getStepLength() const { return stepLength; }

	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return new CVerticalSwitch(*this); }
	void draw(CDrawContext* context) override;
	MouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
	int32 onKeyDown(VstKeyCode& keyCode) override;
	bool sizeToFit() override;

	// IMultiBitmapControl
	void setNumSubPixmaps(int32 count) override;

protected:
	int32 currentIndex() const;
	// Sets the value of position index and reports a change as one edit.
	int32 stepTo(int32 index);

	CPoint offset;
	double stepLength{0.};
};

} // namespace VSTGUI
