#include "gui/controls/ckickbutton.h"
#include "gui/controls/conoffbutton.h"
#include "knobtestsupport.h"

using namespace VSTGUI;
using namespace VSTGUI::knobtest;

namespace
{

const CRect kButtonRect(10, 10, 40, 30);

class OnOffButtonTest : public ControlFixture
{
protected:
	void SetUp() override
	{
		ControlFixture::SetUp();
		strip = new CBitmap(30, 40);
		button = add(new COnOffButton(kButtonRect, &listener, 1, strip, 7));
		strip->forget();
	}

	CPoint offsetDrawnAt(float value)
	{
		button->setValue(value);
		auto* context = new RecordingContext();
		button->draw(context);
		CPoint offset = context->bitmaps.empty() ? CPoint(-1, -1) : context->bitmaps[0].offset;
		context->forget();
		return offset;
	}

	CBitmap* strip{nullptr};
	COnOffButton* button{nullptr};
};

TEST_F(OnOffButtonTest, LeftPressTogglesAndReportsOneEdit)
{
	button->setValue(1.f);
	CPoint where(20, 20);
	EXPECT_EQ(button->onMouseDown(where, kButtonLeft), kMouseHandledNoFollowUp);
	EXPECT_EQ(button->getValue(), 0.f);
	EXPECT_EQ(eventLog(), editWith({0.f}));

	clearLog();
	EXPECT_EQ(button->onMouseDown(where, kButtonLeft), kMouseHandledNoFollowUp);
	EXPECT_EQ(button->getValue(), 1.f);
	EXPECT_EQ(eventLog(), editWith({1.f}));
}

TEST_F(OnOffButtonTest, RightPressIsNotHandled)
{
	CPoint where(20, 20);
	EXPECT_EQ(button->onMouseDown(where, kButtonRight), kMouseNotHandled);
	EXPECT_EQ(button->getValue(), 0.f);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(OnOffButtonTest, ReturnWithoutModifiersToggles)
{
	VstKeyCode plain{0, VKEY_RETURN, 0};
	EXPECT_EQ(button->onKeyDown(plain), 1);
	EXPECT_EQ(button->getValue(), 1.f);
	EXPECT_EQ(eventLog(), editWith({1.f}));

	clearLog();
	VstKeyCode shifted{0, VKEY_RETURN, MODIFIER_SHIFT};
	VstKeyCode space{0, VKEY_SPACE, 0};
	EXPECT_EQ(button->onKeyDown(shifted), -1);
	EXPECT_EQ(button->onKeyDown(space), -1);
	EXPECT_EQ(button->getValue(), 1.f);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(OnOffButtonTest, OtherRangesToggleBetweenTheirEnds)
{
	button->setMax(5.f);
	button->setMin(2.f);
	button->setValue(3.f);
	CPoint where(20, 20);
	button->onMouseDown(where, kButtonLeft);
	EXPECT_EQ(button->getValue(), 5.f);
	button->onMouseDown(where, kButtonLeft);
	EXPECT_EQ(button->getValue(), 2.f);
}

TEST_F(OnOffButtonTest, OnImageIsTheLowerHalf)
{
	EXPECT_EQ(offsetDrawnAt(0.f), CPoint(0, 0));
	EXPECT_EQ(offsetDrawnAt(1.f), CPoint(0, 20));
	EXPECT_EQ(offsetDrawnAt(0.5f), CPoint(0, 0));
	EXPECT_EQ(button->getStyle(), 7);
}

TEST_F(OnOffButtonTest, SizeToFitTakesHalfTheStrip)
{
	EXPECT_TRUE(button->sizeToFit());
	EXPECT_EQ(button->getViewSize(), CRect(10, 10, 40, 30));
	EXPECT_TRUE(button->wantsFocus());
}

class KickButtonTest : public ControlFixture
{
protected:
	void SetUp() override
	{
		ControlFixture::SetUp();
		strip = new CBitmap(30, 40);
		button = add(new CKickButton(kButtonRect, &listener, 1, strip, CPoint(0, 0)));
		strip->forget();
	}

	CBitmap* strip{nullptr};
	CKickButton* button{nullptr};
};

TEST_F(KickButtonTest, PressReleasedInsideReportsMaximumThenMinimumInOneEdit)
{
	CPoint where(20, 20);
	EXPECT_EQ(button->onMouseDown(where, kButtonLeft), kMouseHandled);
	EXPECT_EQ(button->getValue(), 1.f);
	EXPECT_EQ(button->getImageOffset(), CPoint(0, 20));
	// The right and bottom edges still count as inside.
	CPoint edge(40, 30);
	button->onMouseMoved(edge, kButtonLeft);
	EXPECT_EQ(button->getValue(), 1.f);
	EXPECT_EQ(button->onMouseUp(edge, 0), kMouseHandled);
	EXPECT_EQ(button->getValue(), 0.f);
	EXPECT_EQ(eventLog(), editWith({1.f, 0.f}));
}

TEST_F(KickButtonTest, PressDraggedOutAndReleasedReportsOnlyTheMinimum)
{
	CPoint where(20, 20);
	button->onMouseDown(where, kButtonLeft);
	CPoint outside(41, 20);
	button->onMouseMoved(outside, kButtonLeft);
	EXPECT_EQ(button->getValue(), 0.f);
	EXPECT_EQ(button->getImageOffset(), CPoint(0, 0));
	button->onMouseUp(outside, 0);
	EXPECT_EQ(eventLog(), editWith({0.f}));
}

TEST_F(KickButtonTest, DraggedOutReportsOnceAlsoForRangesAboveZero)
{
	button->setMax(2.f);
	button->setMin(1.f);
	CPoint where(20, 20);
	button->onMouseDown(where, kButtonLeft);
	CPoint outside(20, 50);
	button->onMouseMoved(outside, kButtonLeft);
	button->onMouseUp(outside, 0);
	EXPECT_EQ(eventLog(), editWith({1.f}));
}

TEST_F(KickButtonTest, RightPressIsNotHandled)
{
	CPoint where(20, 20);
	EXPECT_EQ(button->onMouseDown(where, kButtonRight), kMouseNotHandled);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(KickButtonTest, ReturnHeldGivesOneEdit)
{
	VstKeyCode enter{0, VKEY_RETURN, 0};
	for (int repeat = 0; repeat < 3; ++repeat)
		EXPECT_EQ(button->onKeyDown(enter), 1);
	EXPECT_EQ(button->getValue(), 1.f);
	EXPECT_EQ(button->onKeyUp(enter), 1);
	EXPECT_EQ(button->getValue(), 0.f);
	EXPECT_EQ(eventLog(), editWith({1.f, 0.f}));
}

TEST_F(KickButtonTest, KeyUpWithoutItsKeyDownEndsNoEdit)
{
	VstKeyCode enter{0, VKEY_RETURN, 0};
	EXPECT_EQ(button->onKeyUp(enter), -1);
	VstKeyCode shifted{0, VKEY_RETURN, MODIFIER_SHIFT};
	EXPECT_EQ(button->onKeyDown(shifted), -1);
	EXPECT_EQ(button->onKeyUp(shifted), -1);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(KickButtonTest, PressedImageFollowsTheImageHeightAndOffset)
{
	auto* tall = new CBitmap(30, 100);
	auto* shifted = add(new CKickButton(CRect(0, 0, 30, 20), nullptr, 2, 50., tall, CPoint(3, 4)));
	tall->forget();
	EXPECT_EQ(shifted->getImageOffset(), CPoint(3, 4));
	shifted->setValue(1.f);
	auto* context = new RecordingContext();
	shifted->draw(context);
	ASSERT_EQ(context->bitmaps.size(), 1u);
	EXPECT_EQ(context->bitmaps[0].offset, CPoint(3, 54));
	context->forget();
	EXPECT_TRUE(shifted->sizeToFit());
	EXPECT_EQ(shifted->getViewSize(), CRect(0, 0, 30, 50));
}

} // namespace
