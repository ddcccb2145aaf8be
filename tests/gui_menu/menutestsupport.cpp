#include "menutestsupport.h"

#include "gui/base/messageids.h"

#include "tests/support/testplatform.h"

namespace {

// The tests never open a native window: their frames get a fake platform
// frame directly.
[[maybe_unused]] const bool kPlatformInstalled = VSTGUI::test::installLinuxPlatformWith(nullptr, [] { return VSTGUI::uint32{0}; });

} // namespace

namespace VSTGUI::menutest
{

std::vector<std::string>& eventLog()
{
	static std::vector<std::string> log;
	return log;
}

int& liveFakes()
{
	static int count = 0;
	return count;
}

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

bool FakePlatformFrame::getGlobalPosition(CPoint& position) const
{
	position = CPoint(0, 0);
	return true;
}

bool FakePlatformFrame::getSize(CRect& size) const
{
	size = CRect(0, 0, 200, 200);
	return true;
}

bool FakePlatformFrame::getCurrentMousePosition(CPoint& position) const
{
	position = CPoint(-1, -1);
	return true;
}

// The field tells the fake when it dies, so that a test never reaches a
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

IPlatformTextEdit* FakePlatformFrame::createPlatformTextEdit(IPlatformTextEditCallback* callback)
{
	++textEditsCreated;
	return new TrackedTextEdit(callback, textEdit);
}

IPlatformOptionMenu* FakePlatformFrame::createPlatformOptionMenu()
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

TestFrame::TestFrame(const CRect& size, FakePlatformFrame* platform, VSTGUIEditorInterface* editor)
: CFrame(size, nullptr, editor)
{
	platformFrame = platform;
}

void LoggingListener::valueChanged(CControl* control)
{
	eventLog().push_back("valueChanged " + std::to_string(control->getValue()));
}

void LoggingListener::controlBeginEdit(CControl*)
{
	eventLog().push_back("beginEdit");
}

void LoggingListener::controlEndEdit(CControl*)
{
	eventLog().push_back("endEdit");
}

MessageResult LoggingContainer::notify(CBaseObject* sender, const char* message)
{
	if (message != kMsgLooseFocus)
		return CViewContainer::notify(sender, message);
	eventLog().push_back(name + " heard LooseFocus");
	return handles ? kMessageHandled : kMessageIgnored;
}

VstKeyCode virtualKey(unsigned char virt, unsigned char modifier)
{
	VstKeyCode key{};
	key.virt = virt;
	key.modifier = modifier;
	return key;
}

} // namespace VSTGUI::menutest
