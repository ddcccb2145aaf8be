// A platform frame that stands in for the window layer: it records what the
// frame asks of it and answers what the suite sets. Text fields and pop-up
// menus are made only where the suite asks for them; they are fakes that
// record what the controls ask of them (the pop-up answers a choice set by
// the test). Frame, fields and menus are counted in liveObjects().
#pragma once

#include "gui/controls/coptionmenu.h"
#include "gui/controls/iplatformoptionmenu.h"
#include "gui/controls/iplatformtextedit.h"
#include "gui/views/iplatformframe.h"
#include "tests/support/eventlog.h"

#include <functional>
#include <string>
#include <vector>

namespace VSTGUI::test
{

// Logs "field open" when made and "field closed" when it dies.
class FakeTextEdit : public IPlatformTextEdit, LiveCounted
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

// Logs "popup" when it pops up.
class FakeOptionMenu : public IPlatformOptionMenu, LiveCounted
{
public:
	explicit FakeOptionMenu(OptionMenuChoice answer) : answer(answer) {}
	OptionMenuChoice popup(COptionMenu* optionMenu) override;

	OptionMenuChoice answer;
	// Runs inside popup, while the menu is open.
	std::function<void(COptionMenu*)> whileOpen;
};

class RecordingPlatformFrame : public IPlatformFrame, LiveCounted
{
public:
	explicit RecordingPlatformFrame(const CRect& size) : size(size) {}

	bool getGlobalPosition(CPoint& position) const override;
	bool setSize(const CRect& newSize) override;
	bool getSize(CRect& result) const override;
	bool getCurrentMousePosition(CPoint& position) const override;
	bool getCurrentMouseButtons(CButtonState& buttons) const override;
	bool setMouseCursor(CCursorType type) override;
	bool invalidRect(const CRect& rect) override;
	bool scrollRect(const CRect&, const CPoint&) override { return false; }
	bool showTooltip(const CRect&, const char*) override { return false; }
	bool hideTooltip() override { return false; }
	void* getPlatformRepresentation() const override { return nullptr; }
	IPlatformTextEdit* createPlatformTextEdit(IPlatformTextEditCallback* callback) override;
	IPlatformOptionMenu* createPlatformOptionMenu() override;
	COffscreenContext* createOffscreenContext(double, double) override { return nullptr; }
	int32 doDrag(CDropSource*, const CPoint&, CBitmap*) override { return kDragError; }

	// What it answers.
	CPoint globalPosition;
	CPoint mousePosition;
	CButtonState mouseButtons;
	// false: setSize fails and the size stays.
	bool acceptSize{true};
	// false: no text field can be made.
	bool canMakeTextEdits{false};
	// false: no pop-up menu can be made.
	bool canMakeMenus{false};
	OptionMenuChoice menuAnswer;
	// Runs inside every pop-up, while the menu is open.
	std::function<void(COptionMenu*)> whileMenuOpen;

	// What it was asked.
	CRect size;
	std::vector<CRect> invalidRects;
	std::vector<CRect> setSizeCalls;
	int32 lastCursor{-1};
	// The field made last, while it is alive.
	FakeTextEdit* textEdit{nullptr};
	int textEditsCreated{0};
	int menusCreated{0};
	std::vector<COptionMenu*> poppedUp;
};

} // namespace VSTGUI::test
