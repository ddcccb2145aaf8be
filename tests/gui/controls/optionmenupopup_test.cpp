// Opening the option menu through the platform frame's pop-up, and what the
// menu shows and tells while it does.
#include "menutestsupport.h"

#include "gui/base/messageids.h"
#include "gui/controls/cmenuitem.h"
#include "gui/drawing/cbitmap.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::menutest;

namespace
{

using Log = std::vector<std::string>;

// Records what the menu hands to the display's drawing hooks.
class RecordingMenu : public COptionMenu
{
public:
	using COptionMenu::COptionMenu;
	void drawBack(CDrawContext*, CBitmap* newBack) override { backs.push_back(newBack); }
	void drawText(CDrawContext*, const char* string) override { texts.push_back(string ? string : "<null>"); }

	std::vector<CBitmap*> backs;
	std::vector<std::string> texts;
};

class OptionMenuPopupTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		eventLog().clear();
		platform = newPlatformFrame();
		frame = new TestFrame(CRect(0, 0, 200, 200), platform, &editor);
		menu = new RecordingMenu(CRect(10, 10, 90, 30), &listener, 3);
		menu->addEntry("A");
		menu->addEntry("-");
		menu->addEntry("B");
		frame->addView(menu);
	}
	void TearDown() override
	{
		frame->close();
		EXPECT_EQ(liveObjects(), 0);
	}
	MouseEventResult click(int32 buttons)
	{
		CPoint where(20, 20);
		return frame->platformOnMouseDown(where, CButtonState(buttons));
	}

	RecordingEditor editor{{.beginEntry = "host begin ", .endEntry = "host end "}};
	RecordingListener listener{RecordingListener::bare()};
	RecordingPlatformFrame* platform{nullptr};
	TestFrame* frame{nullptr};
	RecordingMenu* menu{nullptr};
};

TEST_F(OptionMenuPopupTest, ChoiceSetsTheValueInsideOneEditBracket)
{
	platform->menuAnswer = {menu, 2};
	bool openDuringPopup = false;
	platform->whileMenuOpen = [&](COptionMenu* shown) { openDuringPopup = shown->isMenuOpen(); };
	EXPECT_TRUE(menu->popup());
	EXPECT_TRUE(openDuringPopup);
	EXPECT_FALSE(menu->isMenuOpen());
	EXPECT_EQ(menu->getValue(), 2.f);
	EXPECT_STREQ(menu->getCurrent()->getTitle(), "B");
	EXPECT_EQ(eventLog(),
	          Log({"beginEdit", "host begin 3", "popup", "valueChanged 2.000000", "host end 3", "endEdit"}));
	int32 index = 0;
	EXPECT_EQ(menu->getLastItemMenu(index), menu);
	EXPECT_EQ(index, 2);
	EXPECT_EQ(platform->poppedUp, std::vector<COptionMenu*>({menu}));
}

TEST_F(OptionMenuPopupTest, DismissedMenuChangesNothingButClosesTheBracket)
{
	menu->setValue(2.f);
	EXPECT_FALSE(menu->popup());
	EXPECT_EQ(menu->getValue(), 2.f);
	EXPECT_EQ(eventLog(), Log({"beginEdit", "host begin 3", "popup", "host end 3", "endEdit"}));
	int32 index = 0;
	EXPECT_EQ(menu->getLastItemMenu(index), nullptr);
	EXPECT_EQ(index, -1);
}

TEST_F(OptionMenuPopupTest, WithoutAPlatformMenuNothingOpens)
{
	platform->canMakeMenus = false;
	platform->menuAnswer = {menu, 2};
	EXPECT_FALSE(menu->popup());
	EXPECT_EQ(menu->getValue(), 0.f);
	EXPECT_EQ(eventLog(), Log({"beginEdit", "host begin 3", "host end 3", "endEdit"}));
}

TEST_F(OptionMenuPopupTest, MenuOutsideAFrameDoesNotOpen)
{
	auto* detached = new COptionMenu(CRect(0, 0, 10, 10), &listener, 1);
	detached->addEntry("A");
	EXPECT_FALSE(detached->popup());
	EXPECT_TRUE(eventLog().empty());
	detached->forget();
}

TEST_F(OptionMenuPopupTest, RootListenerHearsOfAChoiceInASubmenu)
{
	auto* submenu = new COptionMenu();
	submenu->addEntry("X");
	submenu->addEntry("Y");
	menu->addEntry(submenu, "More");
	submenu->forget();
	platform->menuAnswer = {submenu, 1};
	EXPECT_TRUE(menu->popup());
	EXPECT_EQ(submenu->getValue(), 1.f);
	EXPECT_EQ(menu->getValue(), 0.f);
	EXPECT_EQ(eventLog(),
	          Log({"beginEdit", "host begin 3", "popup", "valueChanged 0.000000", "host end 3", "endEdit"}));
	int32 index = 0;
	EXPECT_EQ(menu->getLastItemMenu(index), submenu);
	EXPECT_EQ(index, 1);
	EXPECT_EQ(menu->getLastChoiceIndex(), 1);
}

TEST_F(OptionMenuPopupTest, LastChoiceInARemovedSubmenuIsForgotten)
{
	auto* submenu = new COptionMenu();
	submenu->addEntry("X");
	menu->addEntry(submenu, "More");
	submenu->forget();
	platform->menuAnswer = {submenu, 0};
	EXPECT_TRUE(menu->popup());
	EXPECT_TRUE(menu->removeEntry(3));
	int32 index = 0;
	EXPECT_EQ(menu->getLastItemMenu(index), nullptr);
	EXPECT_EQ(index, -1);
}

TEST_F(OptionMenuPopupTest, LeftOrRightClickOpensWithTheFocusOnTheMenu)
{
	COptionMenu* focusWhileOpen = nullptr;
	platform->whileMenuOpen = [&](COptionMenu*) { focusWhileOpen = dynamic_cast<COptionMenu*>(frame->getFocusView()); };
	platform->menuAnswer = {menu, 2};
	EXPECT_EQ(click(kButtonLeft), kMouseHandledNoFollowUp);
	EXPECT_EQ(focusWhileOpen, menu);
	EXPECT_EQ(menu->getValue(), 2.f);
	EXPECT_EQ(menu->getLastMouseButtons(), CButtonState(kButtonLeft));
	EXPECT_EQ(click(kButtonRight), kMouseHandledNoFollowUp);
	EXPECT_EQ(platform->menusCreated, 2);
}

TEST_F(OptionMenuPopupTest, MiddleClickIsNotHandled)
{
	CPoint where(20, 20);
	EXPECT_EQ(menu->onMouseDown(where, CButtonState(kButtonMiddle)), kMouseNotHandled);
	EXPECT_EQ(platform->menusCreated, 0);
	EXPECT_EQ(menu->getLastMouseButtons(), CButtonState(kButtonMiddle));
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(OptionMenuPopupTest, ReturnOpensTheMenu)
{
	platform->menuAnswer = {menu, 2};
	VstKeyCode key = virtualKey(VKEY_RETURN);
	EXPECT_EQ(menu->onKeyDown(key), 1);
	EXPECT_EQ(menu->getValue(), 2.f);
	key.modifier = MODIFIER_CONTROL;
	EXPECT_EQ(menu->onKeyDown(key), -1);
	EXPECT_EQ(platform->menusCreated, 1);
}

TEST_F(OptionMenuPopupTest, PopupAtAPointAttachesOnlyWhileOpenAndRestoresTheFocus)
{
	auto* context = new COptionMenu();
	context->addEntry("Cut");
	context->addEntry("Copy");
	frame->setFocusView(menu);
	bool attachedWhileOpen = false;
	platform->whileMenuOpen = [&](COptionMenu* shown) { attachedWhileOpen = shown->isAttached(); };
	platform->menuAnswer = {context, 1};
	EXPECT_TRUE(context->popup(frame, CPoint(50, 60)));
	EXPECT_TRUE(attachedWhileOpen);
	EXPECT_FALSE(context->isAttached());
	EXPECT_EQ(context->getViewSize(), CRect(50, 60, 50, 60));
	EXPECT_EQ(context->getValue(), 1.f);
	EXPECT_EQ(frame->getFocusView(), menu);
	EXPECT_EQ(context->getNbReference(), 1);
	EXPECT_FALSE(menu->popup(frame, CPoint(0, 0))); // already attached
	EXPECT_FALSE(context->popup(nullptr, CPoint(0, 0)));
	context->forget();
}

TEST_F(OptionMenuPopupTest, FreshMenuDrawsItsFirstEntry)
{
	NullContext context;
	menu->draw(&context);
	EXPECT_EQ(menu->texts, Log({"A"}));
	EXPECT_EQ(menu->backs, std::vector<CBitmap*>({nullptr}));
	EXPECT_FALSE(menu->isDirty());
	menu->setValue(2.f);
	menu->draw(&context);
	EXPECT_EQ(menu->texts.back(), "B");
}

TEST_F(OptionMenuPopupTest, EmptyMenuDrawsNoText)
{
	NullContext context;
	menu->removeAllEntry();
	menu->draw(&context);
	EXPECT_TRUE(menu->texts.empty());
	EXPECT_EQ(menu->backs.size(), 1u);
}

TEST_F(OptionMenuPopupTest, ClickBackgroundIsDrawnOnlyWhileTheMenuIsOpen)
{
	auto* clickBack = new CBitmap(80, 20);
	auto* withBack = new RecordingMenu(CRect(10, 40, 90, 60), &listener, 4, nullptr, clickBack);
	clickBack->forget();
	withBack->addEntry("A");
	frame->addView(withBack);
	NullContext context;
	platform->whileMenuOpen = [&](COptionMenu*) { withBack->draw(&context); };
	withBack->popup();
	withBack->draw(&context);
	EXPECT_EQ(withBack->backs, std::vector<CBitmap*>({clickBack, nullptr}));
}

TEST_F(OptionMenuPopupTest, LoosingFocusIsToldUpTheAncestorsUntilHandled)
{
	auto* outer = new LoggingContainer("outer", CRect(0, 100, 200, 200), false);
	auto* middle = new LoggingContainer("middle", CRect(0, 0, 200, 100), true);
	auto* inner = new LoggingContainer("inner", CRect(0, 0, 200, 100), false);
	auto* nested = new COptionMenu(CRect(0, 0, 10, 10), &listener, 5);
	frame->addView(outer);
	outer->addView(middle);
	middle->addView(inner);
	inner->addView(nested);
	nested->looseFocus();
	EXPECT_EQ(eventLog(), Log({"inner heard LooseFocus", "middle heard LooseFocus"}));
}

} // namespace
