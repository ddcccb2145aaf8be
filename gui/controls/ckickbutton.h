// A momentary button: at its maximum only while it is pressed. Its
// background holds two images stacked vertically, each one image height
// tall: released on top, pressed below.
//
// A click released inside reports the maximum and then the minimum within
// one edit; a press dragged out and released reports only the minimum.
// Return works the same way: the edit begins at the first key-down (repeats
// are ignored) and ends at the key-up.
//
// Ownership: the background is remembered by the view. User-interface
// thread only.
#pragma once

#include "gui/controls/ccontrol.h"
#include "gui/controls/imultibitmapcontrol.h"

namespace VSTGUI
{

class CKickButton : public CControl, public IMultiBitmapControl
{
public:
	// One image is as tall as the view. offset is the source offset of the
	// released image.
	CKickButton(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background,
	            const CPoint& offset = CPoint(0, 0));
	CKickButton(const CRect& size, CControlListener* listener, int32 tag, double heightOfOneImage, CBitmap* background,
	            const CPoint& offset = CPoint(0, 0));
	CKickButton(const CKickButton& other) = default;
	~CKickButton() override = default;

	// The source offset of the image for the current value.
	CPoint getImageOffset() const;

	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return new CKickButton(*this); }
	void draw(CDrawContext* context) override;
	MouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
	MouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
	int32 onKeyDown(VstKeyCode& keyCode) override;
	// Answers -1 unless it ends an edit that Return's key-down began.
	int32 onKeyUp(VstKeyCode& keyCode) override;
	bool sizeToFit() override;

	// IMultiBitmapControl
	void setNumSubPixmaps(int32 count) override;

protected:
	CPoint offset;
	// The value when the last press began.
	float entryState{0.f};
	// An edit begun by Return's key-down and not yet ended by its key-up.
	bool keyEditOpen{false};
};

} // namespace VSTGUI
