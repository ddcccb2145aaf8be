#include "gui/base/cbuttonstate.h"
#include "gui/controls/cmenuitem.h"
#include "gui/controls/coptionmenu.h"
#include "gui/drawing/cbitmap.h"

#include <gtest/gtest.h>
#include <string>

using namespace VSTGUI;

namespace
{

TEST(MenuItem, KeepsPrivateCopiesOfTitleAndKey)
{
	std::string title = "Open";
	std::string key = "o";
	auto* item = new CMenuItem(title.c_str(), key.c_str(), kModifierControl | kModifierShift);
	title[0] = 'X';
	key[0] = 'X';
	EXPECT_STREQ(item->getTitle(), "Open");
	EXPECT_STREQ(item->getKeycode(), "o");
	EXPECT_EQ(item->getKeyModifiers(), kModifierControl | kModifierShift);
	EXPECT_EQ(item->getTag(), -1);
	item->setTitle(item->getTitle() + 1);
	EXPECT_STREQ(item->getTitle(), "pen");
	item->setTitle(nullptr);
	EXPECT_EQ(item->getTitle(), nullptr);
	item->setKey(nullptr);
	EXPECT_EQ(item->getKeycode(), nullptr);
	EXPECT_EQ(item->getKeyModifiers(), 0);
	item->forget();
}

TEST(MenuItem, FlagSettersSetAndClearTheirOwnBitOnly)
{
	auto* item = new CMenuItem("A", nullptr, 0, nullptr, CMenuItem::kItemTitle);
	EXPECT_TRUE(item->isTitle());
	EXPECT_TRUE(item->isEnabled());
	item->setEnabled(false);
	EXPECT_EQ(item->getFlags(), CMenuItem::kItemTitle | CMenuItem::kItemDisabled);
	item->setChecked(true);
	item->setIsSeparator(true);
	item->setIsTitle(false);
	EXPECT_EQ(item->getFlags(), CMenuItem::kItemDisabled | CMenuItem::kItemChecked | CMenuItem::kItemSeparator);
	item->setEnabled(true);
	item->setChecked(false);
	EXPECT_EQ(item->getFlags(), CMenuItem::kItemSeparator);
	EXPECT_TRUE(item->isTypeOf("CMenuItem"));
	EXPECT_TRUE(item->isTypeOf("CBaseObject"));
	EXPECT_FALSE(item->isTypeOf("COptionMenu"));
	item->forget();
}

TEST(MenuItem, HoldsOneReferenceToItsSubmenuAndIcon)
{
	auto* submenu = new COptionMenu();
	auto* icon = new CBitmap(4, 4);
	auto* item = new CMenuItem("Sub", submenu, icon);
	EXPECT_EQ(item->getSubmenu(), submenu);
	EXPECT_EQ(submenu->getNbReference(), 2);
	EXPECT_EQ(icon->getNbReference(), 2);
	item->setSubmenu(submenu);
	item->setIcon(icon);
	EXPECT_EQ(submenu->getNbReference(), 2);
	EXPECT_EQ(icon->getNbReference(), 2);
	item->setIcon(nullptr);
	EXPECT_EQ(icon->getNbReference(), 1);
	item->forget();
	EXPECT_EQ(submenu->getNbReference(), 1);
	submenu->forget();
	icon->forget();
}

TEST(MenuItem, TagConstructorStoresTheTag)
{
	auto* item = new CMenuItem("Tagged", 42);
	EXPECT_EQ(item->getTag(), 42);
	EXPECT_STREQ(item->getTitle(), "Tagged");
	item->setTag(7);
	EXPECT_EQ(item->getTag(), 7);
	item->forget();
}

} // namespace
