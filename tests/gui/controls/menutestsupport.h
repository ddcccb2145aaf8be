// Stand-ins for the text edit and option menu tests: a platform frame whose
// text fields and pop-up menus are fakes that record what the controls ask
// of them (the pop-up answers a choice set by the test), a frame on it, a
// listener and an editor that write into one shared log, and a drawing
// context that draws nothing.
#pragma once

#include "gui/controls/coptionmenu.h"
#include "gui/controls/ctextedit.h"
#include "gui/drawing/cdrawcontext.h"
#include "gui/views/cframe.h"

#include <functional>
#include <string>
#include <vector>

namespace VSTGUI::menutest
{

// Every recorded call, in order.
std::vector<std::string>& eventLog();
// Fake platform objects alive now.
int& liveFakes();

struct LiveFake
{
	LiveFake() { ++liveFakes(); }
	~LiveFake() { --liveFakes(); }
	LiveFake(const LiveFake&) = delete;
	LiveFake& operator=(const LiveFake&) = delete;
};

class FakeTextEdit : public IPlatformTextEdit, LiveFake
{
public:
	explicit FakeTextEdit(IPlatformTextEditCallback* callback);
	~FakeTextEdit() override;

	const char* getText() override { return text.c_str(); }
	bool setText(const char* newText) override;
	bool updateSize() override;

	// What the user does in the field: the text changes and the field tells
	// its callback, as a native field does after every keystroke.
	void type(const char* newText);

	IPlatformTextEditCallback* callback;
	std::string text;
	int setTextCalls{0};
	int updateSizeCalls{0};
};

class FakeOptionMenu : public IPlatformOptionMenu, LiveFake
{
public:
	explicit FakeOptionMenu(OptionMenuChoice answer) : answer(answer) {}
	OptionMenuChoice popup(COptionMenu* optionMenu) override;

	OptionMenuChoice answer;
	// Runs inside popup, while the menu is open.
	std::function<void(COptionMenu*)> whileOpen;
};

class FakePlatformFrame : public IPlatformFrame, LiveFake
{
public:
	bool getGlobalPosition(CPoint& position) const override;
	bool setSize(const CRect&) override { return true; }
	bool getSize(CRect& size) const override;
	bool getCurrentMousePosition(CPoint& position) const override;
	bool getCurrentMouseButtons(CButtonState& buttons) const override
	{
		buttons |= currentButtons();
		return true;
	}
	bool setMouseCursor(CCursorType) override { return true; }
	bool invalidRect(const CRect&) override { return true; }
	bool scrollRect(const CRect&, const CPoint&) override { return false; }
	bool showTooltip(const CRect&, const char*) override { return false; }
	bool hideTooltip() override { return false; }
	void* getPlatformRepresentation() const override { return nullptr; }
	IPlatformTextEdit* createPlatformTextEdit(IPlatformTextEditCallback* textEdit) override;
	IPlatformOptionMenu* createPlatformOptionMenu() override;
	COffscreenContext* createOffscreenContext(double, double) override { return nullptr; }
	int32 doDrag(CDropSource*, const CPoint&, CBitmap*) override { return kDragError; }

	// What getCurrentMouseButtons reports as held.
	CButtonState currentButtons;
	// The field made last, while it is alive.
	FakeTextEdit* textEdit{nullptr};
	int textEditsCreated{0};
	// false: no pop-up menu can be made.
	bool canMakeMenus{true};
	OptionMenuChoice menuAnswer;
	std::function<void(COptionMenu*)> whileMenuOpen;
	int menusCreated{0};
	std::vector<COptionMenu*> poppedUp;
};

// A frame on a fake platform frame (or on none); the test ends it with close().
class TestFrame : public CFrame
{
public:
	TestFrame(const CRect& size, FakePlatformFrame* platform, VSTGUIEditorInterface* editor = nullptr);
	FakePlatformFrame* fake() const { return static_cast<FakePlatformFrame*>(platformFrame); }
};

class LoggingListener : public CControlListener
{
public:
	void valueChanged(CControl* control) override;
	void controlBeginEdit(CControl* control) override;
	void controlEndEdit(CControl* control) override;
};

class LoggingEditor : public VSTGUIEditorInterface
{
public:
	void beginEdit(int32 index) override { eventLog().push_back("host begin " + std::to_string(index)); }
	void endEdit(int32 index) override { eventLog().push_back("host end " + std::to_string(index)); }
};

// Records the messages it receives and answers them as handled when asked
// to, so that the walk up the ancestors can be seen.
class LoggingContainer : public CViewContainer
{
public:
	LoggingContainer(const char* name, const CRect& size, bool handles)
	: CViewContainer(size), name(name), handles(handles)
	{
	}
	MessageResult notify(CBaseObject* sender, const char* message) override;

	std::string name;
	bool handles;
};

// Draws nothing; the controls' own drawing hooks are what the tests watch.
class NullContext : public CDrawContext
{
public:
	NullContext() : CDrawContext(CRect(0, 0, 200, 200)) { init(); }
	void lineTo(const CPoint&) override {}
	void drawLines(const CPoint*, const int32&) override {}
	void drawPolygon(const CPoint*, const int32&, const CDrawStyle) override {}
	void drawRect(const CRect&, const CDrawStyle) override {}
	void drawArc(const CRect&, const float, const float, const CDrawStyle) override {}
	void drawEllipse(const CRect&, const CDrawStyle) override {}
	void drawPoint(const CPoint&, const CColor&) override {}
	void drawBitmap(CBitmap*, const CRect&, const CPoint&, float) override {}
	void clearRect(const CRect&) override {}
	CGraphicsPath* createGraphicsPath() override { return nullptr; }
	void drawGraphicsPath(CGraphicsPath*, PathDrawMode, CGraphicsTransform*) override {}
	void fillLinearGradient(CGraphicsPath*, CGradient*, const CPoint&, const CPoint&, bool,
	                        CGraphicsTransform*) override
	{
	}
};

VstKeyCode virtualKey(unsigned char virt, unsigned char modifier = 0);

} // namespace VSTGUI::menutest
