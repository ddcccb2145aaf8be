// The pop-up's layout without a server: what each entry shows, where its row
// and parts are, which entries the user can reach, arrow stepping and where
// a menu window goes on the screen. Text is measured by a stand-in (7 px per
// byte) so that widths are exact.
#include "gui/base/cbuttonstate.h"
#include "gui/controls/cmenuitem.h"
#include "gui/controls/coptionmenu.h"
#include "gui/drawing/cbitmap.h"
#include "gui/platform/linux/controls/x11menulayout.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace
{

using Kind = X11MenuEntry::Kind;
using L = X11MenuLayout;

double sevenPerByte(const std::string& text)
{
	return 7. * static_cast<double>(text.size());
}

X11MenuEntry item(const char* label, bool enabled = true)
{
	X11MenuEntry e;
	e.label = label;
	e.enabled = enabled;
	return e;
}

X11MenuEntry separator()
{
	X11MenuEntry e;
	e.kind = Kind::kSeparator;
	return e;
}

X11MenuEntry title(const char* label)
{
	X11MenuEntry e = item(label);
	e.kind = Kind::kTitle;
	return e;
}

std::unique_ptr<L> layoutOf(std::vector<X11MenuEntry> entries, L::Options options = {})
{
	return std::make_unique<L>(std::move(entries), options, sevenPerByte);
}

// ---------------------------------------------------------------------------

TEST(PopupText, PrefixNumbersFollowTheirFormatsAndOnlyTwoToFourDigitStyles)
{
	EXPECT_EQ(X11MenuText::prefixed("Hall", 3, 2), "3 Hall");
	EXPECT_EQ(X11MenuText::prefixed("Hall", 12, 2), "12 Hall");
	EXPECT_EQ(X11MenuText::prefixed("Hall", 3, 3), "03 Hall");
	EXPECT_EQ(X11MenuText::prefixed("Hall", 3, 4), "003 Hall");
	EXPECT_EQ(X11MenuText::prefixed("Hall", 1234, 4), "1234 Hall");
	EXPECT_EQ(X11MenuText::prefixed("Hall", 3, 1), "Hall");
	EXPECT_EQ(X11MenuText::prefixed("Hall", 3, 0), "Hall");
	EXPECT_EQ(X11MenuText::prefixed(nullptr, 5, 3), "05 ");
}

TEST(PopupText, KeyEquivalentsNameTheirModifiersInAFixedOrder)
{
	EXPECT_EQ(X11MenuText::keyEquivalent("s", kModifierControl), "Ctrl+S");
	EXPECT_EQ(X11MenuText::keyEquivalent("s", kModifierShift | kModifierControl), "Ctrl+Shift+S");
	EXPECT_EQ(X11MenuText::keyEquivalent("q", kModifierCommand | kModifierAlt), "Alt+Super+Q");
	EXPECT_EQ(X11MenuText::keyEquivalent("F5", 0), "F5");
	EXPECT_EQ(X11MenuText::keyEquivalent("+", kModifierControl), "Ctrl++");
	EXPECT_EQ(X11MenuText::keyEquivalent("", kModifierControl), "");
	EXPECT_EQ(X11MenuText::keyEquivalent(nullptr, kModifierControl), "");
}

// ---------------------------------------------------------------------------

class PopupEntries : public ::testing::Test
{
protected:
	void SetUp() override
	{
		menu = new COptionMenu(CRect(0, 0, 100, 20), nullptr, 1);
		menu->addEntry("Alpha");
		menu->addSeparator();
		menu->addEntry(new CMenuItem("Save", "s", kModifierControl));
		menu->addEntry("Heading", -1, CMenuItem::kItemTitle);
		menu->addEntry("Off", -1, CMenuItem::kItemDisabled | CMenuItem::kItemChecked);
		sub = new COptionMenu();
		sub->addEntry("Inner");
		menu->addEntry(sub, "More");
	}
	void TearDown() override
	{
		sub->forget();
		menu->forget();
	}

	COptionMenu* menu{nullptr};
	COptionMenu* sub{nullptr};
};

TEST_F(PopupEntries, OneEntryPerItemInOrderWithItsKindTextAndState)
{
	menu->setPrefixNumbers(3);
	auto entries = L::entriesOf(menu, false, false);
	ASSERT_EQ(entries.size(), 6u);
	EXPECT_EQ(entries[0].kind, Kind::kItem);
	EXPECT_EQ(entries[0].label, "01 Alpha");
	EXPECT_EQ(entries[1].kind, Kind::kSeparator);
	EXPECT_EQ(entries[1].label, "");
	// Separators count in the numbering.
	EXPECT_EQ(entries[2].label, "03 Save");
	EXPECT_EQ(entries[2].keyText, "Ctrl+S");
	EXPECT_EQ(entries[3].kind, Kind::kTitle);
	EXPECT_FALSE(entries[4].enabled);
	EXPECT_EQ(entries[5].submenu, sub);
	// The entry that opens a sub-menu is not numbered.
	EXPECT_EQ(entries[5].label, "More");
}

TEST_F(PopupEntries, CheckMarksFollowToggleCheckOrTheCurrentValue)
{
	menu->setValue(2);
	auto toggled = L::entriesOf(menu, true, false);
	EXPECT_TRUE(toggled[4].checked);
	EXPECT_FALSE(toggled[2].checked);
	// Toggle-check wins over marking the current entry.
	auto both = L::entriesOf(menu, true, true);
	EXPECT_FALSE(both[2].checked);
	auto marked = L::entriesOf(menu, false, true);
	EXPECT_TRUE(marked[2].checked);
	EXPECT_FALSE(marked[4].checked);
	auto plain = L::entriesOf(menu, false, false);
	for (const X11MenuEntry& e : plain)
		EXPECT_FALSE(e.checked);
}

TEST_F(PopupEntries, TheLayoutHoldsSubmenusAndIconsWhileItLives)
{
	auto* icon = new CBitmap(16, 16);
	menu->addEntry(new CMenuItem("Pic", nullptr, 0, icon));
	int32 subCount = sub->getNbReference();
	int32 iconCount = icon->getNbReference();
	{
		L layout(L::entriesOf(menu, false, false), {}, sevenPerByte);
		EXPECT_EQ(sub->getNbReference(), subCount + 1);
		EXPECT_EQ(icon->getNbReference(), iconCount + 1);
	}
	EXPECT_EQ(sub->getNbReference(), subCount);
	EXPECT_EQ(icon->getNbReference(), iconCount);
	icon->forget();
}

// ---------------------------------------------------------------------------

TEST(PopupLayout, RowsStackBelowThePaddingWithThinSeparators)
{
	auto layout = layoutOf({item("A"), separator(), item("B")});
	EXPECT_EQ(layout->entryRect(0), CRect(0, L::kPadding, layout->getWidth(), L::kPadding + L::kRowHeight));
	double separatorTop = L::kPadding + L::kRowHeight;
	EXPECT_EQ(layout->entryRect(1).top, separatorTop);
	EXPECT_EQ(layout->entryRect(1).getHeight(), L::kSeparatorHeight);
	EXPECT_EQ(layout->entryRect(2).top, separatorTop + L::kSeparatorHeight);
	EXPECT_EQ(layout->getHeight(), 2 * L::kPadding + 2 * L::kRowHeight + L::kSeparatorHeight);
	EXPECT_EQ(layout->getColumnCount(), 1);
	EXPECT_TRUE(layout->entryRect(3).isEmpty());
	EXPECT_TRUE(layout->entryRect(-1).isEmpty());
}

TEST(PopupLayout, TheWidthHoldsCheckLabelKeyAndArrowColumns)
{
	X11MenuEntry save = item("Save");
	save.keyText = "Ctrl+S";
	auto layout = layoutOf({item("Longest label"), save});
	double label = 7. * 13;
	double key = L::kKeyGap + 7. * 6;
	EXPECT_EQ(layout->getWidth(), L::kCheckColumn + label + key + L::kArrowColumn + L::kRightMargin);
	EXPECT_EQ(layout->labelRect(0).left, L::kCheckColumn);
	EXPECT_EQ(layout->labelRect(0).getWidth(), label);
	// Key text ends where the arrow column starts, on the right.
	EXPECT_EQ(layout->keyRect(1).right, layout->arrowRect(1).left);
	EXPECT_EQ(layout->arrowRect(1).right, layout->getWidth() - L::kRightMargin);
	EXPECT_EQ(layout->checkRect(1), CRect(0, layout->entryRect(1).top, L::kCheckColumn, layout->entryRect(1).bottom));
}

TEST(PopupLayout, TitlesAreIndentedAndTheMenuIsAtLeastItsControlsWidth)
{
	L::Options options;
	options.minWidth = 400;
	auto layout = layoutOf({item("Item"), title("Item")}, options);
	EXPECT_EQ(layout->labelRect(1).left - layout->labelRect(0).left, L::kTitleIndent);
	EXPECT_EQ(layout->getWidth(), 400);
	EXPECT_EQ(layout->entryRect(1).right, 400);
}

TEST(PopupLayout, IconsMakeRoomAtTheirPixelSize)
{
	auto* icon = new CBitmap(30, 24);
	X11MenuEntry withIcon = item("Pic");
	withIcon.icon = icon;
	auto layout = layoutOf({item("Plain"), withIcon});
	EXPECT_EQ(layout->entryRect(0).getHeight(), L::kRowHeight);
	EXPECT_EQ(layout->entryRect(1).getHeight(), 28);
	EXPECT_EQ(layout->iconRect(1), CRect(L::kCheckColumn, layout->entryRect(1).top + 2, L::kCheckColumn + 30,
	                                     layout->entryRect(1).top + 26));
	// Every label starts after the widest icon, so the texts line up.
	EXPECT_EQ(layout->labelRect(0).left, L::kCheckColumn + 30 + L::kIconGap);
	EXPECT_EQ(layout->labelRect(1).left, layout->labelRect(0).left);
	layout.reset();
	icon->forget();
}

TEST(PopupLayout, ItemsPerColumnStartsNewColumnsSideBySide)
{
	L::Options options;
	options.itemsPerColumn = 2;
	auto layout = layoutOf({item("A"), item("B"), item("C"), item("D"), item("E")}, options);
	EXPECT_EQ(layout->getColumnCount(), 3);
	double column = layout->getWidth() / 3;
	EXPECT_EQ(layout->entryRect(2).left, column);
	EXPECT_EQ(layout->entryRect(2).top, L::kPadding);
	EXPECT_EQ(layout->entryRect(4).left, 2 * column);
	EXPECT_EQ(layout->entryRect(3).top, L::kPadding + L::kRowHeight);
	EXPECT_EQ(layout->getHeight(), 2 * L::kPadding + 2 * L::kRowHeight);
	EXPECT_EQ(layout->entryAt(CPoint(column + 5, L::kPadding + 25)), 3);
}

TEST(PopupLayout, AMenuTallerThanTheScreenSpreadsOverColumns)
{
	L::Options options;
	options.maxHeight = 100;
	std::vector<X11MenuEntry> entries(10, item("Row"));
	auto layout = layoutOf(entries, options);
	// (100 - 2 * 4) / 20 = 4 rows fit a column.
	EXPECT_EQ(layout->getColumnCount(), 3);
	EXPECT_LE(layout->getHeight(), 100);
	EXPECT_EQ(layout->entryRect(4).top, L::kPadding);
	EXPECT_GT(layout->entryRect(4).left, 0);
}

TEST(PopupLayout, HitTestingFindsRowsAndNothingInThePaddingOrOutside)
{
	auto layout = layoutOf({item("A"), separator(), item("B")});
	EXPECT_EQ(layout->entryAt(CPoint(10, L::kPadding)), 0);
	EXPECT_EQ(layout->entryAt(CPoint(10, L::kPadding + L::kRowHeight - 1)), 0);
	EXPECT_EQ(layout->entryAt(CPoint(10, L::kPadding + L::kRowHeight)), 1);
	EXPECT_EQ(layout->entryAt(CPoint(10, layout->getHeight() - L::kPadding - 1)), 2);
	EXPECT_EQ(layout->entryAt(CPoint(10, 1)), -1);
	EXPECT_EQ(layout->entryAt(CPoint(10, layout->getHeight() - 1)), -1);
	EXPECT_EQ(layout->entryAt(CPoint(layout->getWidth() + 1, 10)), -1);
}

// ---------------------------------------------------------------------------

TEST(PopupNavigation, OnlyEnabledItemsAreSelectableAndSubmenusAreNotChosen)
{
	auto* sub = new COptionMenu();
	X11MenuEntry more = item("More");
	more.submenu = sub;
	X11MenuEntry disabledMore = more;
	disabledMore.enabled = false;
	auto layout = layoutOf({item("A"), separator(), title("T"), item("D", false), more, disabledMore});
	EXPECT_TRUE(layout->isSelectable(0));
	EXPECT_TRUE(layout->isChoosable(0));
	EXPECT_FALSE(layout->isSelectable(1));
	EXPECT_FALSE(layout->isSelectable(2));
	EXPECT_FALSE(layout->isSelectable(3));
	EXPECT_TRUE(layout->isSelectable(4));
	EXPECT_FALSE(layout->isChoosable(4));
	EXPECT_TRUE(layout->opensSubmenu(4));
	EXPECT_FALSE(layout->opensSubmenu(5));
	EXPECT_FALSE(layout->isSelectable(-1));
	EXPECT_FALSE(layout->isSelectable(6));
	layout.reset();
	sub->forget();
}

TEST(PopupNavigation, ArrowsSkipTitlesSeparatorsAndDisabledEntriesWithoutWrapping)
{
	auto layout = layoutOf({title("T"), item("A"), separator(), item("D", false), title("U"), item("B"), separator()});
	EXPECT_EQ(layout->nextSelectable(-1, 1), 1);
	EXPECT_EQ(layout->nextSelectable(1, 1), 5);
	EXPECT_EQ(layout->nextSelectable(5, 1), 5);
	EXPECT_EQ(layout->nextSelectable(5, -1), 1);
	EXPECT_EQ(layout->nextSelectable(1, -1), 1);
	EXPECT_EQ(layout->nextSelectable(-1, -1), 5);
}

TEST(PopupNavigation, AMenuWithNothingSelectableKeepsNoHighlight)
{
	auto layout = layoutOf({title("T"), separator(), item("D", false)});
	EXPECT_EQ(layout->nextSelectable(-1, 1), -1);
	EXPECT_EQ(layout->nextSelectable(-1, -1), -1);
	auto empty = layoutOf({});
	EXPECT_EQ(empty->nextSelectable(-1, 1), -1);
	EXPECT_EQ(empty->getHeight(), 2 * L::kPadding);
}

// ---------------------------------------------------------------------------

const CRect kScreen(0, 0, 1024, 768);

TEST(PopupPlacement, APullDownOpensBelowItsControl)
{
	CRect r = X11MenuPlacement::below(CPoint(150, 100), CRect(100, 200, 220, 220), kScreen);
	EXPECT_EQ(r, CRect(100, 220, 250, 320));
}

TEST(PopupPlacement, APullDownFlipsAboveWhenTheScreenEndsBelow)
{
	CRect r = X11MenuPlacement::below(CPoint(150, 100), CRect(100, 700, 220, 720), kScreen);
	EXPECT_EQ(r, CRect(100, 600, 250, 700));
}

TEST(PopupPlacement, APullDownWithRoomOnNeitherSideIsShiftedOntoTheScreen)
{
	CRect r = X11MenuPlacement::below(CPoint(150, 500), CRect(100, 300, 220, 320), kScreen);
	EXPECT_EQ(r, CRect(100, 268, 250, 768));
}

TEST(PopupPlacement, AMenuPastTheRightEdgeIsShiftedLeft)
{
	CRect r = X11MenuPlacement::below(CPoint(150, 100), CRect(950, 200, 1010, 220), kScreen);
	EXPECT_EQ(r, CRect(874, 220, 1024, 320));
}

TEST(PopupPlacement, APopUpPutsTheCurrentRowOverItsControl)
{
	CRect row(0, 44, 150, 64);
	CRect r = X11MenuPlacement::over(CPoint(150, 200), CRect(100, 300, 220, 320), row, kScreen);
	// Row middle 54 lands on the control's middle 310.
	EXPECT_EQ(r, CRect(100, 256, 250, 456));
	// A row in a second column moves the menu left as far.
	CRect second(150, 44, 300, 64);
	EXPECT_EQ(X11MenuPlacement::over(CPoint(300, 200), CRect(400, 300, 520, 320), second, kScreen).left, 250);
}

TEST(PopupPlacement, APopUpNearTheTopIsShiftedDown)
{
	CRect row(0, 104, 150, 124);
	CRect r = X11MenuPlacement::over(CPoint(150, 200), CRect(100, 10, 220, 30), row, kScreen);
	EXPECT_EQ(r.top, 0);
	EXPECT_EQ(r.getHeight(), 200);
}

TEST(PopupPlacement, ASubmenuOpensToTheRightLevelWithItsEntry)
{
	CRect entry(100, 200, 250, 220);
	CRect r = X11MenuPlacement::beside(CPoint(120, 80), entry, kScreen);
	EXPECT_EQ(r, CRect(250, 200 - L::kPadding, 370, 276));
}

TEST(PopupPlacement, ASubmenuFlipsLeftAtTheRightEdgeAndShiftsUpAtTheBottom)
{
	CRect entry(850, 740, 1000, 760);
	CRect r = X11MenuPlacement::beside(CPoint(120, 80), entry, kScreen);
	EXPECT_EQ(r, CRect(730, 688, 850, 768));
}

TEST(PopupPlacement, AMenuLargerThanTheScreenKeepsItsTopLeftCornerOnIt)
{
	CRect r = X11MenuPlacement::keepOnScreen(CRect(-50, -20, 1100, 800), kScreen);
	EXPECT_EQ(r.getTopLeft(), CPoint(0, 0));
	EXPECT_EQ(r.getWidth(), 1150);
}

} // namespace
