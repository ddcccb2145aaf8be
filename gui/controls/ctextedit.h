// A text label that the user edits in place: taking the focus (a click, or
// a double click with kEditOnDoubleClick) puts the platform's single-line
// field over the control; Return or leaving the field commits the text,
// Escape restores it. A committed change reaches the listener as one
// complete edit (begin, value changed, end).
//
// Ownership: the control holds the field's only reference while editing and
// forgets it when the edit ends, which removes the field from the window.
// The text-to-value procedure's user data belongs to the owner, who keeps it
// alive while the procedure is installed. User-interface thread only.
#pragma once

#include "gui/controls/ctextlabel.h"
#include "gui/controls/iplatformtextedit.h"

namespace VSTGUI
{

// Style bit beside those of the display: editing starts only on a double
// click.
enum CTextEditStyle : int32
{
	kEditOnDoubleClick = 0x2000
};

// Turns text (UTF-8, never null) into value, which holds the current value on
// entry; false leaves the value alone.
using CTextEditStringToValueProc = bool (*)(const char* text, float& value, void* userData);

class CTextEdit : public CTextLabel, public IPlatformTextEditCallback
{
public:
	// text and background may be null. The control always wants the focus.
	CTextEdit(const CRect& size, CControlListener* listener, int32 tag, const char* text = nullptr,
	          CBitmap* background = nullptr, int32 style = 0);
	// Copies the label, the procedure and the immediate flag; not editing.
	CTextEdit(const CTextEdit& textEdit);
	// Commits an edit in progress without telling the listener.
	~CTextEdit() override;

	// procedure may be null.
	virtual void setStringToValueProc(CTextEditStringToValueProc procedure, void* userData = nullptr);
	// true commits the text after every keystroke.
	virtual void setImmediateTextChange(bool state);

	bool getImmediateTextChange() const { return immediateTextChange; }
	bool isEditing() const { return platformTextEdit != nullptr; }
	// Not owned by the caller; null when not editing.
	IPlatformTextEdit* getPlatformTextEdit() const { return platformTextEdit; }
	// Whether the last edit ended with Return.
	bool wasReturnPressed() const { return returnPressed; }

	// Runs the text-to-value procedure (its value is set without touching the
	// text again), shows text and, while editing, puts it into the field.
	void setText(const char* text) override;
	// The value, then its text through the value-to-string procedure or
	// "%2.2f".
	void setValue(float value) override;
	void draw(CDrawContext* context) override;
	MouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
	// Escape and Return end the edit; -1 when not editing.
	int32 onKeyDown(VstKeyCode& keyCode) override;
	void setViewSize(const CRect& rect, bool invalid = true) override;
	void parentSizeChanged() override;
	// Starts editing; stays idle when the frame has no window to put the
	// field in, and, with kEditOnDoubleClick, while the left button is down
	// (the first press of a double click gives the focus; the second one
	// opens the field).
	void takeFocus() override;
	// Ends the edit, commits the field's text and tells the ancestors.
	void looseFocus() override;
	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return new CTextEdit(*this); }

	// IPlatformTextEditCallback
	CColor platformGetBackColor() const override { return getBackColor(); }
	CColor platformGetFontColor() const override { return getFontColor(); }
	CFontDesc* platformGetFont() const override { return getFont(); }
	CHoriTxtAlign platformGetHoriTxtAlign() const override { return getHoriAlign(); }
	const char* platformGetText() const override { return getText(); }
	CRect platformGetSize() const override;
	CRect platformGetVisibleSize() const override;
	CPoint platformGetTextInset() const override { return getTextInset(); }
	void platformLooseFocus(bool returnPressed) override;
	bool platformOnKeyDown(const VstKeyCode& key) override;
	void platformTextDidChange() override;

protected:
	// Puts the field over the control unless it is there already.
	void startEditing();
	bool focusComesFromClick() const;
	// Detaches the field, commits its text and forgets it.
	void finishEditing();
	// Commits the field's text as one user edit unless it is the label's.
	void updateText(IPlatformTextEdit* field);
	// Ends the edit through the frame when this is its focus view, so that
	// the frame's focus and the editing state agree.
	void leaveField();
	void notifyLooseFocus();
	CRect toFrame(CRect rect) const;

	IPlatformTextEdit* platformTextEdit{nullptr};
	bool returnPressed{false};
	CTextEditStringToValueProc textToValue{nullptr};
	void* textToValueUserData{nullptr};
	bool immediateTextChange{false};
};

} // namespace VSTGUI
