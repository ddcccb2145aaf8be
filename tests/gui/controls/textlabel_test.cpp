// The text label: its own copy of a fixed text, drawn instead of the value,
// and sizing to the text.
#include "controltestsupport.h"

#include "gui/controls/ctextlabel.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::test;

namespace
{

class TextLabelTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		font = new RecordingFont();
		context = new RecordingContext(CRect(0, 0, 100, 100));
	}
	void TearDown() override
	{
		context->forget();
		EXPECT_EQ(font->getNbReference(), 1);
		font->forget();
	}
	CTextLabel* makeLabel(const CRect& size, const char* text)
	{
		auto* label = new CTextLabel(size, text);
		label->setFont(font);
		return label;
	}

	RecordingFont* font{nullptr};
	RecordingContext* context{nullptr};
};

TEST_F(TextLabelTest, LabelWithoutTextHoldsAnEmptyOneAndDrawsOnlyItsBack)
{
	CTextLabel* label = makeLabel(CRect(0, 0, 60, 20), nullptr);
	ASSERT_NE(label->getText(), nullptr);
	EXPECT_STREQ(label->getText(), "");
	label->draw(context);
	EXPECT_TRUE(font->drawn.empty());
	EXPECT_EQ(context->ops.size(), 2u); // fill and frame
	EXPECT_FALSE(label->isDirty());
	label->forget();
}

TEST_F(TextLabelTest, LabelShowsItsTextNotItsValue)
{
	CTextLabel* label = makeLabel(CRect(0, 0, 60, 20), "Distance");
	label->setValue(0.5f);
	label->draw(context);
	ASSERT_EQ(font->drawn.size(), 1u);
	EXPECT_EQ(font->drawn[0].text, "Distance");
	EXPECT_TRUE(label->isTypeOf("CTextLabel"));
	EXPECT_TRUE(label->isTypeOf("CParamDisplay"));
	EXPECT_TRUE(label->isTypeOf("CBaseObject"));
	label->forget();
}

TEST_F(TextLabelTest, SettingTheSameTextTwiceMarksTheLabelDirtyOnce)
{
	CTextLabel* label = makeLabel(CRect(0, 0, 60, 20), nullptr);
	label->setDirty(false);
	label->setText("abc");
	EXPECT_TRUE(label->isDirty());
	label->setDirty(false);
	const char sameBytes[] = "abc";
	label->setText(sameBytes);
	EXPECT_FALSE(label->isDirty());
	label->setText(nullptr);
	EXPECT_TRUE(label->isDirty());
	EXPECT_STREQ(label->getText(), "");
	label->forget();
}

TEST_F(TextLabelTest, TextTakenFromTheLabelsOwnTextIsCopiedSafely)
{
	CTextLabel* label = makeLabel(CRect(0, 0, 60, 20), "abcdef");
	label->setText(label->getText() + 2);
	EXPECT_STREQ(label->getText(), "cdef");
	label->forget();
}

TEST_F(TextLabelTest, LabelKeepsItsOwnCopyOfTheText)
{
	char text[] = "left";
	CTextLabel* label = makeLabel(CRect(0, 0, 60, 20), text);
	text[0] = 'X';
	EXPECT_STREQ(label->getText(), "left");
	auto* copy = dynamic_cast<CTextLabel*>(label->newCopy());
	ASSERT_NE(copy, nullptr);
	copy->setText("right");
	EXPECT_STREQ(label->getText(), "left");
	EXPECT_STREQ(copy->getText(), "right");
	EXPECT_EQ(copy->getFont(), font);
	copy->forget();
	label->forget();
}

TEST_F(TextLabelTest, SizeToFitTakesTheTextWidthPlusTheInsetOnBothSides)
{
	CTextLabel* label = makeLabel(CRect(5, 6, 20, 26), "abcd"); // 40 wide
	label->setTextInset(CPoint(2, 0));
	label->setDirty(false);
	EXPECT_TRUE(label->sizeToFit());
	EXPECT_EQ(label->getViewSize(), CRect(5, 6, 49, 26));
	EXPECT_EQ(label->getMouseableArea(), CRect(5, 6, 49, 26));
	EXPECT_TRUE(label->isDirty());
	label->forget();
}

TEST_F(TextLabelTest, SizeToFitWithNothingToMeasureChangesNothing)
{
	CTextLabel* label = makeLabel(CRect(5, 6, 20, 26), "");
	EXPECT_FALSE(label->sizeToFit());
	EXPECT_EQ(label->getViewSize(), CRect(5, 6, 20, 26));
	label->forget();
}

TEST(TextLabelWithRealFont, SizeToFitFollowsTheMeasuredText)
{
	auto* narrow = new CTextLabel(CRect(0, 0, 1, 20), "iiii");
	auto* wide = new CTextLabel(CRect(0, 0, 1, 20), "WWWW");
	narrow->setFont(kNormalFontSmall);
	wide->setFont(kNormalFontSmall);
	ASSERT_TRUE(narrow->sizeToFit());
	ASSERT_TRUE(wide->sizeToFit());
	EXPECT_GT(narrow->getWidth(), 1.);
	EXPECT_GT(wide->getWidth(), narrow->getWidth());
	// An 11-point W is less than 11 pixels wide.
	EXPECT_LT(wide->getWidth(), 4. * 11.);
	wide->forget();
	narrow->forget();
}

} // namespace
