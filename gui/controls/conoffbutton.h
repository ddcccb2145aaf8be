// A two-state toggle. Its background holds two images stacked vertically:
// off on top, on below. A left press or Return flips the value between the
// minimum and the maximum and reports it as one complete edit.
//
// Ownership: the background is remembered by the view. User-interface
// thread only.
#pragma once

#include "gui/controls/ccontrol.h"

namespace VSTGUI
{

class COnOffButton : public CControl
{
public:
	// style is stored for the owner; no behaviour depends on it.
	COnOffButton(const CRect& size, CControlListener* listener, int32 tag, CBitmap* background, int32 style = 0);
	COnOffButton(const COnOffButton& other) = default;
	~COnOffButton() override = default;

	virtual int32 getStyle() const;
	virtual void setStyle(int32 newStyle);

	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return new COnOffButton(*this); }
	void draw(CDrawContext* context) override;
	MouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
	int32 onKeyDown(VstKeyCode& keyCode) override;
	// As wide as the background, half as tall.
	bool sizeToFit() override;

protected:
	void toggle();

	int32 style;
};

} // namespace VSTGUI
