// Entries, the current entry, the value and the keys of the option menu.
#include "menutestsupport.h"

#include "gui/controls/cmenuitem.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::menutest;

namespace
{

class OptionMenuTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		eventLog().clear();
		menu = new COptionMenu(CRect(10, 10, 90, 30), &listener, 3);
	}
	void TearDown() override
	{
		menu->forget();
		EXPECT_EQ(liveObjects(), 0);
	}
	std::vector<std::string> titles() const
	{
		std::vector<std::string> result;
		for (int32 i = 0; i < menu->getNbEntries(); ++i)
		{
			const CMenuItem* item = menu->getEntry(i);
			result.push_back(item->isSeparator() ? "<sep>" : item->getTitle());
		}
		return result;
	}
	int32 keyDown(unsigned char virt, unsigned char modifier = 0)
	{
		VstKeyCode key = virtualKey(virt, modifier);
		return menu->onKeyDown(key);
	}

	RecordingListener listener{RecordingListener::bare()};
	COptionMenu* menu{nullptr};
};

using Titles = std::vector<std::string>;

TEST_F(OptionMenuTest, DashAddsASeparatorNotAnEntryTitledDash)
{
	menu->addEntry("A");
	menu->addEntry("-");
	menu->addSeparator();
	ASSERT_EQ(menu->getNbEntries(), 3);
	EXPECT_TRUE(menu->getEntry(1)->isSeparator());
	EXPECT_STREQ(menu->getEntry(1)->getTitle(), "");
	EXPECT_TRUE(menu->getEntry(2)->isSeparator());
}

TEST_F(OptionMenuTest, AddEntryInsertsBeforeAPositionAndAppendsOtherwise)
{
	menu->addEntry("B");
	menu->addEntry("A", 0);
	menu->addEntry("D", 7);
	menu->addEntry("C", 2);
	menu->addEntry("E", -5);
	EXPECT_EQ(titles(), Titles({"A", "B", "C", "D", "E"}));
	EXPECT_EQ(menu->addEntry(static_cast<CMenuItem*>(nullptr)), nullptr);
	EXPECT_EQ(menu->getNbEntries(), 5);
}

TEST_F(OptionMenuTest, EntryFlagsTitlesAndSubmenusAreKept)
{
	auto* submenu = new COptionMenu();
	menu->addEntry("Title", -1, CMenuItem::kItemTitle);
	menu->addEntry("Off", -1, CMenuItem::kItemDisabled);
	CMenuItem* sub = menu->addEntry(submenu, "More");
	submenu->forget();
	EXPECT_TRUE(menu->getEntry(0)->isTitle());
	EXPECT_FALSE(menu->getEntry(1)->isEnabled());
	EXPECT_STREQ(sub->getTitle(), "More");
	EXPECT_EQ(menu->getSubMenu(2), submenu);
	EXPECT_EQ(menu->getSubMenu(0), nullptr);
	EXPECT_EQ(menu->getSubMenu(9), nullptr);
}

TEST_F(OptionMenuTest, GetEntryClampsLowIndicesAndFailsPastTheEnd)
{
	EXPECT_EQ(menu->getEntry(0), nullptr);
	EXPECT_EQ(menu->getCurrent(), nullptr);
	menu->addEntry("A");
	menu->addEntry("B");
	EXPECT_STREQ(menu->getEntry(-4)->getTitle(), "A");
	EXPECT_STREQ(menu->getEntry(1)->getTitle(), "B");
	EXPECT_EQ(menu->getEntry(2), nullptr);
	EXPECT_STREQ(menu->getCurrent()->getTitle(), "A"); // current index -1 counts as the first
}

TEST_F(OptionMenuTest, CurrentIndexCountsWithAndWithoutSeparators)
{
	menu->addEntry("A");
	menu->addEntry("-");
	menu->addEntry("B");
	EXPECT_EQ(menu->getCurrentIndex(true), -1);
	EXPECT_EQ(menu->getCurrentIndex(false), -1);
	EXPECT_TRUE(menu->setCurrent(1, false));
	EXPECT_STREQ(menu->getCurrent()->getTitle(), "B");
	EXPECT_EQ(menu->getCurrentIndex(false), 1);
	EXPECT_EQ(menu->getCurrentIndex(true), 2);
	EXPECT_TRUE(menu->isDirty());
}

TEST_F(OptionMenuTest, SetCurrentRefusesSeparatorsAndMissingEntries)
{
	menu->addEntry("A");
	menu->addEntry("-");
	menu->addEntry("B");
	EXPECT_FALSE(menu->setCurrent(1, true));
	EXPECT_FALSE(menu->setCurrent(3, true));
	EXPECT_FALSE(menu->setCurrent(-1, true));
	EXPECT_FALSE(menu->setCurrent(2, false));
	EXPECT_EQ(menu->getCurrentIndex(true), -1);
	EXPECT_TRUE(menu->setCurrent(2, true));
	EXPECT_EQ(menu->getCurrentIndex(true), 2);
}

TEST_F(OptionMenuTest, SetValueOutOfRangeChangesNothing)
{
	menu->addEntry("A");
	menu->addEntry("B");
	menu->addEntry("C");
	menu->setValue(1.f);
	menu->setValue(5.f);
	menu->setValue(3.f);
	menu->setValue(-1.f);
	EXPECT_EQ(menu->getValue(), 1.f);
	EXPECT_EQ(menu->getCurrentIndex(true), 1);
	menu->setValue(2.7f);
	EXPECT_EQ(menu->getValue(), 2.f);
	EXPECT_EQ(menu->getCurrentIndex(true), 2);
	EXPECT_TRUE(eventLog().empty()); // the listener hears only of user changes
}

TEST_F(OptionMenuTest, RangeFollowsTheEntriesAndIgnoresSetters)
{
	EXPECT_EQ(menu->getMax(), 0.f);
	menu->addEntry("A");
	menu->addEntry("B");
	menu->addEntry("C");
	menu->setMin(1.f);
	menu->setMax(10.f);
	EXPECT_EQ(menu->getMin(), 0.f);
	EXPECT_EQ(menu->getMax(), 2.f);
}

TEST_F(OptionMenuTest, ToggleCheckStyleTogglesTheChosenEntry)
{
	menu->setStyle(kOptionToggleCheck);
	menu->addEntry("A");
	menu->addEntry("B");
	menu->setValue(1.f);
	EXPECT_TRUE(menu->isCheckEntry(1));
	menu->setCurrent(1, true);
	EXPECT_FALSE(menu->isCheckEntry(1));
	EXPECT_FALSE(menu->isCheckEntry(0));
}

TEST_F(OptionMenuTest, CheckMarksAreSetPerEntryOrAlone)
{
	menu->addEntry("A");
	menu->addEntry("B");
	menu->addEntry("C");
	EXPECT_TRUE(menu->checkEntry(0, true));
	EXPECT_TRUE(menu->checkEntry(2, true));
	EXPECT_FALSE(menu->checkEntry(3, true));
	EXPECT_FALSE(menu->checkEntry(-1, true));
	EXPECT_FALSE(menu->isCheckEntry(-1));
	EXPECT_TRUE(menu->checkEntryAlone(1));
	EXPECT_FALSE(menu->isCheckEntry(0));
	EXPECT_TRUE(menu->isCheckEntry(1));
	EXPECT_FALSE(menu->isCheckEntry(2));
}

TEST_F(OptionMenuTest, RemovingEntriesGivesBackTheirReferences)
{
	auto* shared = new CMenuItem("S");
	shared->remember(); // one reference per list position
	shared->remember(); // and the test's own
	menu->addEntry("A");
	menu->addEntry(shared);
	menu->addEntry("B");
	menu->addEntry(shared);
	EXPECT_FALSE(menu->removeEntry(4));
	EXPECT_TRUE(menu->removeEntry(1));
	EXPECT_EQ(titles(), Titles({"A", "B"}));
	EXPECT_EQ(shared->getNbReference(), 1);
	EXPECT_TRUE(menu->removeAllEntry());
	EXPECT_EQ(menu->getNbEntries(), 0);
	shared->forget();
}

TEST_F(OptionMenuTest, PrefixNumbersAcceptOnlyZeroToFour)
{
	menu->setPrefixNumbers(3);
	menu->setPrefixNumbers(5);
	menu->setPrefixNumbers(-1);
	EXPECT_EQ(menu->getPrefixNumbers(), 3);
	menu->setNbItemsPerColumn(8);
	EXPECT_EQ(menu->getNbItemsPerColumn(), 8);
}

TEST_F(OptionMenuTest, CopySharesEntriesButNotTheLastChoice)
{
	menu->addEntry("A");
	menu->addEntry("B");
	menu->setNbItemsPerColumn(4);
	menu->setValue(1.f);
	auto* copy = static_cast<COptionMenu*>(menu->newCopy());
	EXPECT_EQ(copy->getEntry(1), menu->getEntry(1));
	EXPECT_EQ(menu->getEntry(1)->getNbReference(), 2);
	EXPECT_EQ(copy->getCurrentIndex(true), -1);
	EXPECT_EQ(copy->getNbItemsPerColumn(), 4);
	EXPECT_EQ(copy->getLastMouseButtons(), CButtonState(0));
	EXPECT_EQ(menu->getLastMouseButtons(), CButtonState(kButtonRight));
	EXPECT_TRUE(copy->isTypeOf("COptionMenu"));
	EXPECT_TRUE(copy->isTypeOf("CParamDisplay"));
	EXPECT_FALSE(copy->isTypeOf("CTextLabel"));
	copy->forget();
	EXPECT_EQ(menu->getEntry(1)->getNbReference(), 1);
}

// Arrow keys move to the next entry a user may choose: separators, titles,
// disabled entries and sub-menus are passed over.
class OptionMenuArrowTest : public OptionMenuTest
{
protected:
	void SetUp() override
	{
		OptionMenuTest::SetUp();
		submenu = new COptionMenu();
		menu->addEntry("A");
		menu->addEntry("T", -1, CMenuItem::kItemTitle);
		menu->addEntry("B");
		menu->addEntry("-");
		menu->addEntry("Off", -1, CMenuItem::kItemDisabled);
		menu->addEntry(submenu, "Sub");
		menu->addEntry("C");
		submenu->forget();
	}
	COptionMenu* submenu{nullptr};
};

TEST_F(OptionMenuArrowTest, DownSkipsATitleAndIsOneCompleteEdit)
{
	EXPECT_EQ(keyDown(VKEY_DOWN), 1);
	EXPECT_EQ(menu->getValue(), 2.f);
	EXPECT_EQ(menu->getLastChoiceIndex(), 2);
	EXPECT_EQ(eventLog(), Titles({"beginEdit", "valueChanged 2.000000", "endEdit"}));
}

TEST_F(OptionMenuArrowTest, ArrowsSkipSeparatorsDisabledEntriesAndSubmenus)
{
	menu->setValue(2.f);
	EXPECT_EQ(keyDown(VKEY_DOWN), 1);
	EXPECT_EQ(menu->getValue(), 6.f);
	EXPECT_EQ(keyDown(VKEY_UP), 1);
	EXPECT_EQ(menu->getValue(), 2.f);
	EXPECT_EQ(keyDown(VKEY_UP), 1);
	EXPECT_EQ(menu->getValue(), 0.f);
}

TEST_F(OptionMenuArrowTest, ArrowsAtTheEndsAreHandledWithoutChange)
{
	EXPECT_EQ(keyDown(VKEY_UP), 1);
	EXPECT_EQ(menu->getValue(), 0.f);
	menu->setValue(6.f);
	EXPECT_EQ(keyDown(VKEY_DOWN), 1);
	EXPECT_EQ(menu->getValue(), 6.f);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(OptionMenuArrowTest, ToggleCheckModeLeavesArrowsUnhandled)
{
	menu->setStyle(kOptionToggleCheck);
	EXPECT_EQ(keyDown(VKEY_DOWN), -1);
	EXPECT_EQ(keyDown(VKEY_UP), -1);
	EXPECT_EQ(menu->getValue(), 0.f);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(OptionMenuArrowTest, ModifiersCharactersAndOtherKeysAreNotHandled)
{
	EXPECT_EQ(keyDown(VKEY_DOWN, MODIFIER_SHIFT), -1);
	VstKeyCode character = virtualKey(0);
	character.character = 'a';
	EXPECT_EQ(menu->onKeyDown(character), -1);
	EXPECT_EQ(keyDown(VKEY_LEFT), -1);
	EXPECT_EQ(menu->getValue(), 0.f);
}

} // namespace
