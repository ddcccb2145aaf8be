#include "tests/support/recordingplatformframe.h"

namespace VSTGUI::test
{

FakeTextEdit::FakeTextEdit(IPlatformTextEditCallback* callback) : callback(callback)
{
	const char* initial = callback->platformGetText();
	text = initial ? initial : "";
	eventLog().push_back("field open");
}

FakeTextEdit::~FakeTextEdit()
{
	eventLog().push_back("field closed");
}

bool FakeTextEdit::setText(const char* newText)
{
	++setTextCalls;
	text = newText ? newText : "";
	return true;
}

bool FakeTextEdit::updateSize()
{
	++updateSizeCalls;
	return true;
}

void FakeTextEdit::type(const char* newText)
{
	text = newText;
	callback->platformTextDidChange();
}

OptionMenuChoice FakeOptionMenu::popup(COptionMenu* optionMenu)
{
	eventLog().push_back("popup");
	if (whileOpen)
		whileOpen(optionMenu);
	return answer;
}

bool RecordingPlatformFrame::getGlobalPosition(CPoint& position) const
{
	position = globalPosition;
	return true;
}

bool RecordingPlatformFrame::setSize(const CRect& newSize)
{
	setSizeCalls.push_back(newSize);
	if (acceptSize)
		size = newSize;
	return acceptSize;
}

bool RecordingPlatformFrame::getSize(CRect& result) const
{
	result = size;
	return true;
}

bool RecordingPlatformFrame::getCurrentMousePosition(CPoint& position) const
{
	position = mousePosition;
	return true;
}

bool RecordingPlatformFrame::getCurrentMouseButtons(CButtonState& buttons) const
{
	buttons |= mouseButtons();
	return true;
}

bool RecordingPlatformFrame::setMouseCursor(CCursorType type)
{
	lastCursor = type;
	return true;
}

bool RecordingPlatformFrame::invalidRect(const CRect& rect)
{
	invalidRects.push_back(rect);
	return true;
}

namespace
{

// The field tells the frame when it dies, so that a test never reaches a
// field the control has already let go of.
class TrackedTextEdit : public FakeTextEdit
{
public:
	TrackedTextEdit(IPlatformTextEditCallback* callback, FakeTextEdit*& slot) : FakeTextEdit(callback), slot(slot)
	{
		slot = this;
	}
	~TrackedTextEdit() override
	{
		if (slot == this)
			slot = nullptr;
	}

private:
	FakeTextEdit*& slot;
};

} // namespace

IPlatformTextEdit* RecordingPlatformFrame::createPlatformTextEdit(IPlatformTextEditCallback* callback)
{
	if (!canMakeTextEdits)
		return nullptr;
	++textEditsCreated;
	return new TrackedTextEdit(callback, textEdit);
}

IPlatformOptionMenu* RecordingPlatformFrame::createPlatformOptionMenu()
{
	if (!canMakeMenus)
		return nullptr;
	++menusCreated;
	auto* menu = new FakeOptionMenu(menuAnswer);
	menu->whileOpen = [this](COptionMenu* optionMenu)
	{
		poppedUp.push_back(optionMenu);
		if (whileMenuOpen)
			whileMenuOpen(optionMenu);
	};
	return menu;
}

} // namespace VSTGUI::test
