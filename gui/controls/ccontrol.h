// The base of every view that edits or shows one value: a float value with
// its range, default and last drawn ("old") value, a tag (the host parameter
// index the control stands for), a listener told of user changes, the edit
// bracketing that reaches the host through the frame, the reset-to-default
// gesture and dirty tracking by value.
//
// Ownership: the listener is a plain pointer (see CControlListener);
// dependents (IDependency) are plain pointers; the background bitmap is
// remembered by the view. User-interface thread only.
#pragma once

#include "gui/base/idependency.h"
#include "gui/controls/ccontrollistener.h"
#include "gui/views/cview.h"
#include "gui/views/ifocusdrawing.h"
#include "gui/views/imodifierclicktarget.h"

namespace VSTGUI
{

class CControl : public CView, public IFocusDrawing, public IDependency, public IModifierClickTarget
{
public:
	// Sent through IDependency::changed; compared by pointer identity.
	static const char* const kMessageTagWillChange;
	static const char* const kMessageTagDidChange;
	static const char* const kMessageValueChanged;
	static const char* const kMessageBeginEdit;
	static const char* const kMessageEndEdit;

	// CButtonState modifier bits of the value gestures.
	static int32 kZoomModifier;
	static int32 kDefaultValueModifier;

	// Marks itself dirty, so that a new control is drawn on the first update.
	CControl(const CRect& size, CControlListener* listener = nullptr, int32 tag = 0, CBitmap* background = nullptr);
	// Copies the view, the listener and the value fields; the background
	// offset starts at (0, 0) and there are no dependents.
	CControl(const CControl& control);

	// Limited to the range; sends kMessageValueChanged when it changed. Does
	// not call the listener.
	virtual void setValue(float value);
	virtual float getValue() const;
	// normalized is limited to 0..1 first.
	virtual void setValueNormalized(float normalized);
	// (value - min) / (max - min); min and max must differ.
	virtual float getValueNormalized() const;
	virtual void setMin(float value);
	virtual float getMin() const;
	virtual void setMax(float value);
	virtual float getMax() const;
	virtual void setOldValue(float value);
	virtual float getOldValue() const;
	virtual void setDefaultValue(float value);
	virtual float getDefaultValue() const;
	// Back into the range without notification.
	virtual void bounceValue();
	// The reset gesture: exactly the left button with the default-value
	// modifier. true when the click was the gesture (it is then consumed).
	virtual bool checkDefaultValue(CButtonState buttons);
	// After a user gesture: the listener's valueChanged, then dependents.
	virtual void valueChanged();
	virtual void setTag(int32 tag);
	virtual int32 getTag() const;
	virtual void beginEdit();
	virtual void endEdit();
	virtual CControlListener* getListener() const;
	virtual void setListener(CControlListener* listener);
	virtual void setBackOffset(const CPoint& offset);
	virtual const CPoint& getBackOffset() const;
	// The background offset becomes the view's top-left corner.
	virtual void copyBackOffset();
	// Normalised step of one wheel notch.
	virtual void setWheelInc(float increment);
	virtual float getWheelInc() const;
	virtual void doIdleStuff();

	// IFocusDrawing: a ring of the frame's focus width around the visible
	// part of a control that wants focus.
	bool drawFocusOnTop() override;
	bool getFocusPath(CGraphicsPath& path) override;

	// IModifierClickTarget: the listener's controlModifierClicked decides.
	bool offerModifierClick(const CButtonState& buttons) override;

	// CView
	bool isDirty() const override;
	void setDirty(bool state = true) override;
	bool isTypeOf(const char* className) const override;
	void draw(CDrawContext* context) override = 0;
	CBaseObject* newCopy() const override = 0;

protected:
	// VstKeyCode modifier bits (MODIFIER_*) to CButtonState modifier bits.
	static int32 mapVstKeyModifier(int32 vstModifier);

	CControlListener* listener;
	int32 tag;
	float oldValue{1.f};
	float defaultValue{0.5f};
	float value{0.f};
	float vmin{0.f};
	float vmax{1.f};
	float wheelInc{0.1f};
	CPoint backOffset;
};

} // namespace VSTGUI
