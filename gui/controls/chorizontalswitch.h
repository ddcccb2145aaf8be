// A multi-position switch whose background holds the images of the
// positions side by side, each one image width wide, the first (leftmost)
// for the minimum. A click picks the position by where it lands along the
// view's width; left and right keys step one position.
//
// The image size along the strip is kept in IMultiBitmapControl's "height
// of one image": for this switch it is the width of one image.
//
// Ownership: the background is remembered by the view. User-interface
// thread only.
#pragma once

#include "gui/controls/ccontrol.h"
#include "gui/controls/imultibitmapcontrol.h"

namespace VSTGUI
{

class CHorizontalSwitch : public CControl, public IMultiBitmapControl
{
public:
	// One image is as wide as the view; the image count follows from the
	// background's width (0 without background).
	CHorizontalSwitch(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
	                  const CPoint& offset = CPoint(0, 0));
	// widthOfOneImage in pixels; iMaxPositions is accepted for source
	// compatibility and not used.
	CHorizontalSwitch(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps,
	                  double widthOfOneImage, int32 iMaxPositions, CBitmap* background,
	                  const CPoint& offset = CPoint(0, 0));
	CHorizontalSwitch(const CHorizontalSwitch& other) = default;
	~CHorizontalSwitch() override = default;

	// The source offset of the image for the current value.
	CPoint getImageOffset() const;
	double getStepLength() const { return stepLength; }

	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return new CHorizontalSwitch(*this); }
	void draw(CDrawContext* context) override;
	MouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
	int32 onKeyDown(VstKeyCode& keyCode) override;
	// One image wide, as tall as the background.
	bool sizeToFit() override;

	// IMultiBitmapControl
	void setNumSubPixmaps(int32 count) override;
	// The image size becomes the view's width.
	void autoComputeHeightOfOneImage() override;

protected:
	int32 currentIndex() const;
	int32 stepTo(int32 index);

	CPoint offset;
	double stepLength{0.};
};

} // namespace VSTGUI
