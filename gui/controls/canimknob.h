// A knob drawn as one picture out of a film strip: the background bitmap
// holds equally tall images stacked vertically, the first for the minimum,
// the last for the maximum. The image is chosen by the value's position in
// the range (min..max), so any range covers the whole strip; with
// setInverseBitmap(true) the strip runs the other way. Turned like CKnob.
//
// Ownership: the background is remembered by the view. User-interface
// thread only.
#pragma once

#include "gui/controls/cknob.h"
#include "gui/controls/imultibitmapcontrol.h"

namespace VSTGUI
{

class CAnimKnob : public CKnob, public IMultiBitmapControl
{
public:
	// heightOfOneImage in pixels; a background makes the image count follow
	// from its height.
	CAnimKnob(const CRect& size, CControlListener* listener, int32 tag, int32 subPixmaps, double heightOfOneImage,
	          CBitmap* background, const CPoint& offset = CPoint(0, 0));
	// One image is as tall as the view.
	CAnimKnob(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
	          const CPoint& offset = CPoint(0, 0));
	CAnimKnob(const CAnimKnob& knob) = default;
	~CAnimKnob() override = default;

	void setInverseBitmap(bool state);
	bool getInverseBitmap() const { return inverseBitmap; }
	// The source offset of the image shown for the current value: a whole
	// multiple of the height of one image, 0 when there is no strip.
	CPoint getImageOffset() const;

	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return new CAnimKnob(*this); }
	void draw(CDrawContext* context) override;
	bool sizeToFit() override;
	void setBackground(CBitmap* background) override;

	// IMultiBitmapControl
	void setHeightOfOneImage(const double& height) override;
	void setNumSubPixmaps(int32 count) override;

protected:
	bool inverseBitmap{false};
};

} // namespace VSTGUI
