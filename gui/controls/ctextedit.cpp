#include "gui/controls/ctextedit.h"

#include "gui/base/messageids.h"
#include "gui/views/cframe.h"

#include <cstring>
#include <string>

namespace VSTGUI
{

CTextEdit::CTextEdit(const CRect& size, CControlListener* listener, int32 tag, const char* text, CBitmap* background,
                     int32 style)
: CTextLabel(size, text, background, style)
{
	this->listener = listener;
	this->tag = tag;
	setWantsFocus(true);
}

CTextEdit::CTextEdit(const CTextEdit& textEdit)
: CTextLabel(textEdit), IPlatformTextEditCallback(textEdit), textToValue(textEdit.textToValue),
  textToValueUserData(textEdit.textToValueUserData), immediateTextChange(textEdit.immediateTextChange)
{
	setWantsFocus(true);
}

// The object is already on its way out: no reference may be taken here and
// nobody but the dependents hears of the last commit.
CTextEdit::~CTextEdit()
{
	listener = nullptr;
	if (platformTextEdit)
		finishEditing();
}

void CTextEdit::setStringToValueProc(CTextEditStringToValueProc procedure, void* userData)
{
	textToValue = procedure;
	textToValueUserData = userData;
}

void CTextEdit::setImmediateTextChange(bool state)
{
	immediateTextChange = state;
}

// ---------------------------------------------------------------------------
// Text and value

void CTextEdit::setText(const char* newText)
{
	const char* wanted = newText ? newText : "";
	if (textToValue)
	{
		float converted = getValue();
		if (textToValue(wanted, converted, textToValueUserData))
			CControl::setValue(converted);
	}
	CTextLabel::setText(wanted);
	// Writing an equal text into the field would only move its caret.
	if (platformTextEdit)
	{
		const char* shown = platformTextEdit->getText();
		if (!shown || std::strcmp(shown, getText()) != 0)
			platformTextEdit->setText(getText());
	}
}

void CTextEdit::setValue(float newValue)
{
	CControl::setValue(newValue);
	char text[kTextBufferSize] = {};
	formatValue(text);
	setText(text);
}

void CTextEdit::draw(CDrawContext* context)
{
	drawBack(context, nullptr);
	if (!platformTextEdit)
		drawText(context, getText());
	setDirty(false);
}

// ---------------------------------------------------------------------------
// Starting and ending the edit

MouseEventResult CTextEdit::onMouseDown(CPoint&, const CButtonState& buttons)
{
	if (!buttons.isLeftButton())
		return kMouseNotHandled;
	if ((style & kEditOnDoubleClick) && !buttons.isDoubleClick())
		return kMouseNotHandled;
	CFrame* frame = getFrame();
	const bool isFocus = frame && frame->getFocusView() == this;
	// A double-click edit was given the focus, without editing, by the
	// first press of the double click (see takeFocus).
	if (isFocus && (isEditing() || !(style & kEditOnDoubleClick)))
		return kMouseNotHandled;
	startEditing();
	return kMouseHandledNoFollowUp;
}

void CTextEdit::takeFocus()
{
	// A container gives a clicked control the focus before its mouse-down:
	// an edit that opens only on a double click must not open on the first
	// press of one. Focus that arrives otherwise (Tab) opens the field.
	if ((style & kEditOnDoubleClick) && focusComesFromClick())
		return;
	startEditing();
}

bool CTextEdit::focusComesFromClick() const
{
	CFrame* frame = getFrame();
	return frame && frame->getCurrentMouseButtons().isLeftButton();
}

void CTextEdit::startEditing()
{
	if (platformTextEdit)
		return;
	returnPressed = false;
	CFrame* frame = getFrame();
	IPlatformFrame* platformFrame = frame ? frame->getPlatformFrame() : nullptr;
	if (platformFrame)
		platformTextEdit = platformFrame->createPlatformTextEdit(this);
}

void CTextEdit::looseFocus()
{
	if (!platformTextEdit)
		return;
	CBaseObjectGuard guard(this);
	finishEditing();
	notifyLooseFocus();
}

// The field is detached first: committing may call back into the control,
// which must already see it as idle.
void CTextEdit::finishEditing()
{
	IPlatformTextEdit* field = platformTextEdit;
	platformTextEdit = nullptr;
	updateText(field);
	field->forget();
}

// The field's text is copied: it is valid only until the field changes.
void CTextEdit::updateText(IPlatformTextEdit* field)
{
	const char* fieldText = field->getText();
	const std::string edited(fieldText ? fieldText : "");
	if (edited == getText())
		return;
	beginEdit();
	setText(edited.c_str());
	valueChanged();
	endEdit();
}

void CTextEdit::leaveField()
{
	CBaseObjectGuard guard(this);
	CFrame* frame = getFrame();
	if (frame && frame->getFocusView() == this)
		frame->setFocusView(nullptr);
	// An inactive frame, or one already changing its focus, does not call
	// looseFocus; the edit must end all the same.
	looseFocus();
}

void CTextEdit::notifyLooseFocus()
{
	CView* receiver = getParentView();
	if (!receiver)
		receiver = getFrame();
	for (; receiver; receiver = receiver->getParentView())
	{
		if (receiver->notify(this, kMsgLooseFocus) == kMessageHandled)
			break;
	}
}

int32 CTextEdit::onKeyDown(VstKeyCode& keyCode)
{
	if (!platformTextEdit)
		return -1;
	if (keyCode.virt == VKEY_ESCAPE)
	{
		returnPressed = false;
		platformTextEdit->setText(getText());
		leaveField();
		return 1;
	}
	if (keyCode.virt == VKEY_RETURN)
	{
		returnPressed = true;
		leaveField();
		return 1;
	}
	return -1;
}

// ---------------------------------------------------------------------------
// Geometry

void CTextEdit::setViewSize(const CRect& rect, bool invalid)
{
	CTextLabel::setViewSize(rect, invalid);
	if (platformTextEdit)
		platformTextEdit->updateSize();
}

void CTextEdit::parentSizeChanged()
{
	CTextLabel::parentSizeChanged();
	if (platformTextEdit)
		platformTextEdit->updateSize();
}

CRect CTextEdit::toFrame(CRect rect) const
{
	CPoint origin(rect.left, rect.top);
	localToFrame(origin);
	return rect.moveTo(origin);
}

CRect CTextEdit::platformGetSize() const
{
	return toFrame(getViewSize());
}

CRect CTextEdit::platformGetVisibleSize() const
{
	return toFrame(getVisibleSize());
}

// ---------------------------------------------------------------------------
// Calls from the field

// A field that calls after the edit ended (as it goes away) is not heard:
// the control may be in its destructor by then.
void CTextEdit::platformLooseFocus(bool wasReturn)
{
	if (!platformTextEdit)
		return;
	CBaseObjectGuard guard(this);
	returnPressed = wasReturn;
	leaveField();
}

bool CTextEdit::platformOnKeyDown(const VstKeyCode& key)
{
	CFrame* frame = getFrame();
	if (!platformTextEdit || !frame)
		return false;
	CBaseObjectGuard guard(this);
	CBaseObjectGuard frameGuard(frame);
	VstKeyCode copy = key;
	return frame->onKeyDown(copy) == 1;
}

void CTextEdit::platformTextDidChange()
{
	if (!platformTextEdit || !immediateTextChange)
		return;
	CBaseObjectGuard guard(this);
	updateText(platformTextEdit);
}

bool CTextEdit::isTypeOf(const char* className) const
{
	return (className && std::strcmp(className, "CTextEdit") == 0) || CParamDisplay::isTypeOf(className);
}

} // namespace VSTGUI
