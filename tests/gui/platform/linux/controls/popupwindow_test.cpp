// The pop-up on a real X server: an option menu in a frame is clicked with
// XTEST, and a script on a timer plays the rest of the gesture from inside
// the pop-up's modal loop while the test's own client watches the pop-up's
// windows and pixels.
#include "popuptestsupport.h"

#include "gui/base/cbuttonstate.h"
#include "gui/controls/cmenuitem.h"
#include "gui/controls/coptionmenu.h"
#include "gui/platform/linux/controls/x11menulayout.h"
#include "gui/platform/linux/controls/x11menuwindow.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

using namespace corvane::test;

namespace
{

const CRect kControl(20, 20, 140, 40);

class PopupWindow : public ::testing::Test
{
protected:
	explicit PopupWindow(const CRect& frameRect = CRect(0, 0, 300, 200), int parentHeight = 300)
	: fx(frameRect, 400, parentHeight)
	{
	}

	void SetUp() override
	{
		ASSERT_NE(fx.platform(), nullptr);
		script = new InputScript;
		script->client = &fx.client;
	}

	void TearDown() override
	{
		script->forget();
		if (menu)
			menu->forget();
	}

	// The control in the frame; the test keeps a reference of its own so
	// that the menu outlives a closed frame.
	void addMenu(int32 style)
	{
		menu = new COptionMenu(control, &listener, 7, nullptr, nullptr, style);
		fx.frame->addView(menu);
		menu->remember();
		fx.paintNow();
	}

	void addSubmenu()
	{
		sub = new COptionMenu();
		sub->addEntry("One");
		sub->addEntry("Two");
		sub->addEntry("Three");
		menu->addEntry(sub, "More");
		sub->forget();
	}

	// Clicks the control (in a frame at scale device pixels per unit), then
	// pumps until the script is through and the pop-up has returned.
	void clickControlAndRun(double scale = 1.)
	{
		script->start();
		fx.client.movePointer(fx.rootX((control.left + 10) * scale), fx.rootY((control.top + 10) * scale));
		fx.client.click(1);
		EXPECT_TRUE(pumpUntil([&] { return script->finished() && openings() > 0 && !menu->isMenuOpen(); }, 10000));
		EXPECT_FALSE(script->gaveUp());
	}

	// Counts pop-ups by the edit bracket that every opening makes.
	int openings() const { return edits; }

	size_t popupCount() { return mappedPopups(fx.client).size(); }
	InputScript::Condition popupsAre(size_t count)
	{
		return [this, count] { return popupCount() == count; };
	}

	// The root position of entry index of m in the pop-up window w (its row
	// middle, a little inside the label), in a frame at scale device pixels
	// per unit.
	CPoint entryPoint(xcb_window_t w, COptionMenu* m, int32 index, double scale = 1.)
	{
		X11MenuLayout layout(X11MenuLayout::entriesOf(m, false, false), {}, [](const std::string&) { return 0.; });
		CRect where = geometryOf(fx.client, w);
		CRect row = layout.entryRect(index);
		return CPoint(where.left + 30 * scale, where.top + (row.top + row.bottom) / 2 * scale);
	}
	void moveTo(const CPoint& p) { fx.client.movePointer(static_cast<int>(p.x), static_cast<int>(p.y)); }
	void tap(uint32_t keysym) { fx.client.tapKey(fx.client.keycodeOf(keysym)); }
	xcb_window_t popup(size_t level) { return mappedPopups(fx.client).at(level); }

	CRect controlRootRect() const
	{
		return CRect(fx.rootX(control.left), fx.rootY(control.top), fx.rootX(control.right), fx.rootY(control.bottom));
	}

	class EditCounter : public CountingListener
	{
	public:
		explicit EditCounter(int& edits) : edits(edits) {}
		void controlBeginEdit(CControl*) override { ++edits; }
		int& edits;
	};

	FrameFixture fx;
	CRect control{kControl};
	int edits{0};
	EditCounter listener{edits};
	COptionMenu* menu{nullptr};
	COptionMenu* sub{nullptr};
	InputScript* script{nullptr};
};

TEST_F(PopupWindow, AClickOpensAnOverrideRedirectWindowBelowTheControlAndEscapeDismissesIt)
{
	addMenu(0);
	menu->addEntry("Alpha");
	menu->addEntry("Beta");
	CRect seen;
	script->then(popupsAre(1),
	             [&]
	             {
		             seen = geometryOf(fx.client, popup(0));
		             tap(XKB_KEY_Escape);
	             });
	clickControlAndRun();
	EXPECT_EQ(seen.left, controlRootRect().left);
	EXPECT_EQ(seen.top, controlRootRect().bottom);
	EXPECT_GE(seen.getWidth(), control.getWidth());
	EXPECT_EQ(seen.getHeight(), 2 * X11MenuLayout::kPadding + 2 * X11MenuLayout::kRowHeight);
	EXPECT_EQ(popupCount(), 0u);
	EXPECT_EQ(listener.changes, 0);
	EXPECT_EQ(menu->getValue(), 0.f);
	int32 index = 0;
	EXPECT_EQ(menu->getLastItemMenu(index), nullptr);
}

TEST_F(PopupWindow, HoveringASubmenuEntryOpensItBesideAndAClickThereChoosesInTheSubmenu)
{
	addMenu(0);
	menu->addEntry("Alpha");
	menu->addSeparator();
	addSubmenu();
	CRect rootWindow;
	CRect subWindow;
	script
	    ->then(popupsAre(1),
	           [&]
	           {
		           rootWindow = geometryOf(fx.client, popup(0));
		           moveTo(entryPoint(popup(0), menu, 2));
	           })
	    .then(popupsAre(2),
	          [&]
	          {
		          subWindow = geometryOf(fx.client, popup(1));
		          moveTo(entryPoint(popup(1), sub, 1));
	          })
	    .then([&] { fx.client.click(1); });
	clickControlAndRun();
	EXPECT_EQ(subWindow.left, rootWindow.right);
	// Its first row is level with the entry that opened it.
	EXPECT_EQ(subWindow.top, rootWindow.top + X11MenuLayout::kRowHeight + X11MenuLayout::kSeparatorHeight);
	EXPECT_EQ(listener.changes, 1);
	EXPECT_EQ(listener.last, menu);
	int32 index = -1;
	EXPECT_EQ(menu->getLastItemMenu(index), sub);
	EXPECT_EQ(index, 1);
	EXPECT_EQ(menu->getLastChoiceIndex(), 1);
	EXPECT_EQ(menu->getValue(), 0.f);
	EXPECT_EQ(popupCount(), 0u);
}

// A frame at factor 2: the pop-up is laid out in the frame's units and shown,
// placed and hit in device pixels, its sub-menu too.
TEST_F(PopupWindow, AtFactorTwoTheMenusAreTwiceTheSizeAndAClickChoosesWhatItHits)
{
	ASSERT_TRUE(fx.frame->setScaleFactor(2.));
	addMenu(0);
	menu->addEntry("Alpha");
	menu->addSeparator();
	addSubmenu();
	CRect rootWindow;
	CRect subWindow;
	script
	    ->then(popupsAre(1),
	           [&]
	           {
		           rootWindow = geometryOf(fx.client, popup(0));
		           moveTo(entryPoint(popup(0), menu, 2, 2.));
	           })
	    .then(popupsAre(2),
	          [&]
	          {
		          subWindow = geometryOf(fx.client, popup(1));
		          moveTo(entryPoint(popup(1), sub, 2, 2.));
	          })
	    .then([&] { fx.client.click(1); });
	clickControlAndRun(2.);
	EXPECT_EQ(rootWindow.left, fx.rootX(2 * control.left));
	EXPECT_EQ(rootWindow.top, fx.rootY(2 * control.bottom));
	EXPECT_GE(rootWindow.getWidth(), 2 * control.getWidth());
	EXPECT_EQ(subWindow.getHeight(), 2 * (2 * X11MenuLayout::kPadding + 3 * X11MenuLayout::kRowHeight));
	EXPECT_EQ(subWindow.left, rootWindow.right);
	EXPECT_EQ(subWindow.top, rootWindow.top + 2 * (X11MenuLayout::kRowHeight + X11MenuLayout::kSeparatorHeight));
	int32 index = -1;
	EXPECT_EQ(menu->getLastItemMenu(index), sub);
	EXPECT_EQ(index, 2);
	EXPECT_EQ(popupCount(), 0u);
}

TEST_F(PopupWindow, EscapeClosesTheSubmenuFirstAndThenTheMenuWithoutAChange)
{
	addMenu(0);
	menu->addEntry("Alpha");
	addSubmenu();
	script->then(popupsAre(1), [&] { moveTo(entryPoint(popup(0), menu, 1)); })
	    .then(popupsAre(2), [&] { tap(XKB_KEY_Escape); })
	    .then(popupsAre(1), [&] { tap(XKB_KEY_Escape); });
	clickControlAndRun();
	EXPECT_EQ(listener.changes, 0);
	EXPECT_EQ(menu->getValue(), 0.f);
	EXPECT_EQ(popupCount(), 0u);
}

TEST_F(PopupWindow, HoveringAnotherEntryClosesTheSubmenu)
{
	addMenu(0);
	menu->addEntry("Alpha");
	addSubmenu();
	script->then(popupsAre(1), [&] { moveTo(entryPoint(popup(0), menu, 1)); })
	    .then(popupsAre(2), [&] { moveTo(entryPoint(popup(0), menu, 0)); })
	    .then(popupsAre(1), [&] { tap(XKB_KEY_Escape); });
	clickControlAndRun();
	EXPECT_EQ(listener.changes, 0);
}

TEST_F(PopupWindow, AClickOutsideDismissesAndReachesNoView)
{
	addMenu(0);
	menu->addEntry("Alpha");
	menu->addEntry("Beta");
	ProbeView* probe = fx.addProbe(CRect(200, 120, 280, 180), CColor(90, 90, 90, 255));
	fx.paintNow();
	script->then(popupsAre(1),
	             [&]
	             {
		             fx.client.movePointer(fx.rootX(240), fx.rootY(150));
		             fx.client.click(1);
	             });
	clickControlAndRun();
	EXPECT_EQ(listener.changes, 0);
	EXPECT_EQ(menu->getValue(), 0.f);
	EXPECT_EQ(popupCount(), 0u);
	EXPECT_TRUE(probe->eventsOf("down").empty());
	// The grab is gone: the next click reaches the view again.
	fx.client.click(1);
	EXPECT_TRUE(pumpUntil([&] { return !probe->eventsOf("down").empty(); }));
}

TEST_F(PopupWindow, DownDownReturnSkipsTitleSeparatorAndDisabledEntries)
{
	addMenu(0);
	menu->addEntry("Alpha");
	menu->addEntry("Heading", -1, CMenuItem::kItemTitle);
	menu->addSeparator();
	menu->addEntry("Off", -1, CMenuItem::kItemDisabled);
	menu->addEntry("Beta");
	menu->addEntry("Gamma");
	script->then(popupsAre(1),
	             [&]
	             {
		             tap(XKB_KEY_Down);
		             tap(XKB_KEY_Down);
		             tap(XKB_KEY_Return);
	             });
	clickControlAndRun();
	EXPECT_EQ(listener.changes, 1);
	EXPECT_EQ(menu->getValue(), 4.f);
	int32 index = -1;
	EXPECT_EQ(menu->getLastItemMenu(index), menu);
	EXPECT_EQ(index, 4);
}

TEST_F(PopupWindow, RightOpensTheSubmenuOnItsFirstEntryLeftClosesItReturnChoosesThere)
{
	addMenu(0);
	menu->addEntry("Alpha");
	addSubmenu();
	script
	    ->then(popupsAre(1),
	           [&]
	           {
		           tap(XKB_KEY_Down);
		           tap(XKB_KEY_Down);
		           tap(XKB_KEY_Right);
	           })
	    .then(popupsAre(2), [&] { tap(XKB_KEY_Left); })
	    .then(popupsAre(1), [&] { tap(XKB_KEY_Right); })
	    .then(popupsAre(2),
	          [&]
	          {
		          tap(XKB_KEY_Down);
		          tap(XKB_KEY_Return);
	          });
	clickControlAndRun();
	EXPECT_EQ(listener.changes, 1);
	int32 index = -1;
	EXPECT_EQ(menu->getLastItemMenu(index), sub);
	EXPECT_EQ(index, 1);
}

TEST_F(PopupWindow, APopUpMenuPutsTheCurrentEntryOverTheControlAndAPlainClickChoosesNothing)
{
	addMenu(kOptionPopupMode);
	for (const char* title : {"Alpha", "Beta", "Gamma", "Delta"})
		menu->addEntry(title);
	menu->setValue(2);
	CRect seen;
	bool stillOpen = false;
	int ticks = 0;
	script
	    ->then(popupsAre(1), [&] { seen = geometryOf(fx.client, popup(0)); })
	    // The click's release has long been handled after a few ticks.
	    .then([&] { return ++ticks > 10; },
	          [&]
	          {
		          stillOpen = popupCount() == 1;
		          tap(XKB_KEY_Escape);
	          });
	clickControlAndRun();
	double rowMiddle = X11MenuLayout::kPadding + 2.5 * X11MenuLayout::kRowHeight;
	EXPECT_EQ(seen.top + rowMiddle, controlRootRect().top + control.getHeight() / 2);
	EXPECT_EQ(seen.left, controlRootRect().left);
	EXPECT_TRUE(stillOpen);
	EXPECT_EQ(listener.changes, 0);
	EXPECT_EQ(menu->getValue(), 2.f);
}

TEST_F(PopupWindow, PressDragAndReleaseOnAnEntryChoosesIt)
{
	addMenu(0);
	menu->addEntry("Alpha");
	menu->addEntry("Beta");
	script->then(popupsAre(1),
	             [&]
	             {
		             moveTo(entryPoint(popup(0), menu, 1));
		             fx.client.releaseButton(1);
	             });
	script->start();
	fx.client.movePointer(fx.rootX(control.left + 10), fx.rootY(control.top + 10));
	fx.client.pressButton(1);
	EXPECT_TRUE(pumpUntil([&] { return script->finished() && openings() > 0 && !menu->isMenuOpen(); }, 10000));
	EXPECT_EQ(listener.changes, 1);
	EXPECT_EQ(menu->getValue(), 1.f);
}

TEST_F(PopupWindow, TheHighlightedEntryAndTheCheckMarkAreDrawn)
{
	addMenu(kOptionMarkCurrent);
	for (const char* title : {"Alpha", "Beta", "Gamma"})
		menu->addEntry(title);
	menu->setValue(1);
	std::vector<uint32_t> pixels;
	int width = 0;
	auto count = [&](int row, int left, int right, auto predicate)
	{
		int top = static_cast<int>(X11MenuLayout::kPadding + row * X11MenuLayout::kRowHeight);
		int n = 0;
		for (int y = top; y < top + X11MenuLayout::kRowHeight; ++y)
			for (int x = left; x < right; ++x)
				n += predicate(pixels[static_cast<size_t>(y * width + x)]) ? 1 : 0;
		return n;
	};
	auto blue = [](uint32_t p) { return (p & 0xFF) > 0x90 && ((p >> 16) & 0xFF) < 0x60; };
	auto dark = [](uint32_t p) { return ((p >> 16) & 0xFF) < 0x60 && ((p >> 8) & 0xFF) < 0x60 && (p & 0xFF) < 0x60; };
	auto readPopup = [&]
	{
		CRect window = geometryOf(fx.client, popup(0));
		width = static_cast<int>(window.getWidth());
		pixels = fx.client.readPixels(popup(0), width, static_cast<int>(window.getHeight()));
		return pixels.size() == static_cast<size_t>(window.getWidth() * window.getHeight());
	};
	script
	    ->then(popupsAre(1), [&] { moveTo(entryPoint(popup(0), menu, 0)); })
	    // Until the hover has been drawn.
	    .then([&] { return readPopup() && count(0, 2, width - 2, blue) > 0; }, [&] { tap(XKB_KEY_Escape); });
	clickControlAndRun();
	ASSERT_GT(width, 0);
	int checkColumn = static_cast<int>(X11MenuLayout::kCheckColumn);
	// The hovered row is filled with the highlight colour, the others not.
	EXPECT_GT(count(0, 2, width - 2, blue), width * 10);
	EXPECT_EQ(count(1, 2, width - 2, blue), 0);
	EXPECT_EQ(count(2, 2, width - 2, blue), 0);
	// The current entry (1) has a check mark in its check column; 2 has none.
	EXPECT_GT(count(1, 1, checkColumn, dark), 10);
	EXPECT_EQ(count(2, 1, checkColumn, dark), 0);
	// Its title is drawn beside.
	EXPECT_GT(count(2, checkColumn, width - 2, dark), 10);
}

TEST_F(PopupWindow, IconsAndKeyEquivalentsAreDrawnWhereTheLayoutPutsThem)
{
	addMenu(0);
	CairoDrawContext* red = CairoDrawContext::createOffscreen(16, 16);
	red->setFillColor(CColor(220, 30, 30, 255));
	// Filled rectangles leave out their right column and top row.
	red->drawRect(CRect(-1, -1, 17, 17), kShapeFilled);
	red->endDraw();
	menu->addEntry(new CMenuItem("Picture", nullptr, 0, red->getBitmap()));
	menu->addEntry(new CMenuItem("Save", "s", kModifierControl));
	red->forget();
	// The same layout as the pop-up's, fonts included.
	X11MenuWindow measured(fx.platform()->getDisplay(), menu, X11MenuWindow::Look{false, false, control.getWidth()},
	                       CRect(0, 0, 1024, 768));
	const X11MenuLayout& layout = measured.getLayout();
	std::vector<uint32_t> pixels;
	int width = 0;
	script->then(popupsAre(1),
	             [&]
	             {
		             CRect window = geometryOf(fx.client, popup(0));
		             width = static_cast<int>(window.getWidth());
		             pixels = fx.client.readPixels(popup(0), width, static_cast<int>(window.getHeight()));
		             tap(XKB_KEY_Escape);
	             });
	clickControlAndRun();
	ASSERT_EQ(width, static_cast<int>(layout.getWidth()));
	auto count = [&](const CRect& r, auto predicate)
	{
		int n = 0;
		for (auto y = static_cast<int>(r.top); y < static_cast<int>(r.bottom); ++y)
			for (auto x = static_cast<int>(r.left); x < static_cast<int>(r.right); ++x)
				n += predicate(pixels[static_cast<size_t>(y * width + x)]) ? 1 : 0;
		return n;
	};
	auto reddish = [](uint32_t p) { return ((p >> 16) & 0xFF) > 0xC0 && ((p >> 8) & 0xFF) < 0x40; };
	auto dark = [](uint32_t p) { return ((p >> 16) & 0xFF) < 0x60 && ((p >> 8) & 0xFF) < 0x60 && (p & 0xFF) < 0x60; };
	// The icon at its pixel size, and nowhere else.
	EXPECT_EQ(count(layout.iconRect(0), reddish), 16 * 16);
	EXPECT_EQ(count(CRect(0, 0, width, layout.getHeight()), reddish), 16 * 16);
	// "Ctrl+S" in the key column of its row, ending at its right edge.
	CRect key = layout.keyRect(1);
	CRect keyEnd(key.right - 8, key.top, key.right, key.bottom);
	EXPECT_GT(count(keyEnd, dark), 5);
	EXPECT_EQ(count(layout.keyRect(0), dark), 0);
}

TEST_F(PopupWindow, ClosingTheFrameWhileTheMenuIsOpenEndsItWithNothingChosen)
{
	addMenu(0);
	menu->addEntry("Alpha");
	addSubmenu();
	bool openAfterClose = false;
	int ticks = 0;
	script->then(popupsAre(1), [&] { moveTo(entryPoint(popup(0), menu, 1)); })
	    .then(popupsAre(2), [&] { fx.close(); })
	    // A pop-up that missed the close would wait for the user for ever:
	    // end it, so that the test fails instead of hanging.
	    .then([&] { return ++ticks > 20; },
	          [&]
	          {
		          openAfterClose = menu->isMenuOpen();
		          // Once for the sub-menu, once for the menu.
		          for (int i = 0; openAfterClose && i < 2; ++i)
			          tap(XKB_KEY_Escape);
	          });
	clickControlAndRun();
	EXPECT_FALSE(openAfterClose);
	EXPECT_EQ(listener.changes, 0);
	EXPECT_EQ(popupCount(), 0u);
	EXPECT_EQ(fx.frame, nullptr);
	EXPECT_EQ(menu->getFrame(), nullptr);
	// The pop-up gave the pointer back: the test client can grab it.
	auto* reply = xcb_grab_pointer_reply(fx.client.get(),
	                                     xcb_grab_pointer(fx.client.get(), 0, fx.client.root(), 0, XCB_GRAB_MODE_ASYNC,
	                                                      XCB_GRAB_MODE_ASYNC, XCB_WINDOW_NONE, XCB_CURSOR_NONE,
	                                                      XCB_CURRENT_TIME),
	                                     nullptr);
	ASSERT_NE(reply, nullptr);
	EXPECT_EQ(reply->status, XCB_GRAB_STATUS_SUCCESS);
	std::free(reply);
	xcb_ungrab_pointer(fx.client.get(), XCB_CURRENT_TIME);
	fx.client.sync();
}

// A frame reaching the bottom of the 1024 x 768 screen, the control at its
// foot.
class PopupAtTheBottom : public PopupWindow
{
protected:
	PopupAtTheBottom() : PopupWindow(CRect(0, 0, 300, 738), 738) { control = CRect(20, 710, 140, 730); }
};

TEST_F(PopupAtTheBottom, APullDownOpensAboveTheControlWhenThereIsNoRoomBelow)
{
	addMenu(0);
	for (const char* title : {"Alpha", "Beta", "Gamma"})
		menu->addEntry(title);
	CRect seen;
	script->then(popupsAre(1),
	             [&]
	             {
		             seen = geometryOf(fx.client, popup(0));
		             tap(XKB_KEY_Escape);
	             });
	clickControlAndRun();
	EXPECT_EQ(seen.bottom, controlRootRect().top);
	EXPECT_LE(seen.bottom, 768);
}

} // namespace
