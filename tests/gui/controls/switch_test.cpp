#include "gui/controls/chorizontalswitch.h"
#include "gui/controls/cverticalswitch.h"
#include "knobtestsupport.h"

#include <cmath>

using namespace VSTGUI;
using namespace VSTGUI::knobtest;

namespace
{

class VerticalSwitchTest : public ControlFixture
{
protected:
	void SetUp() override
	{
		ControlFixture::SetUp();
		// Four images of 20 pixels, stacked.
		strip = new CBitmap(30, 80);
		control = add(new CVerticalSwitch(CRect(10, 10, 40, 30), &listener, 1, strip));
		strip->forget();
		control->setDirty(false);
	}

	CBitmap* strip{nullptr};
	CVerticalSwitch* control{nullptr};
};

TEST_F(VerticalSwitchTest, ClickPicksTheZoneUnderThePointer)
{
	EXPECT_EQ(control->getNumSubPixmaps(), 4);
	EXPECT_EQ(control->getDefaultValue(), 0.f);
	CPoint where(20, 22);
	EXPECT_EQ(control->onMouseDown(where, kButtonLeft), kMouseHandled);
	EXPECT_EQ(control->getStepLength(), 5.);
	EXPECT_FLOAT_EQ(control->getValue(), 2.f / 3.f);
	EXPECT_EQ(control->getImageOffset(), CPoint(0, 40));
	control->onMouseUp(where, 0);
	EXPECT_EQ(eventLog(), editWith({2.f / 3.f}));
}

TEST_F(VerticalSwitchTest, DragBeyondTheViewStopsAtTheEnds)
{
	CPoint where(20, 10);
	control->onMouseDown(where, kButtonLeft);
	EXPECT_EQ(control->getValue(), 0.f);
	CPoint below(20, 300);
	control->onMouseMoved(below, kButtonLeft);
	EXPECT_EQ(control->getValue(), 1.f);
	CPoint above(20, -300);
	control->onMouseMoved(above, kButtonLeft);
	EXPECT_EQ(control->getValue(), 0.f);
	control->onMouseUp(above, 0);
	EXPECT_EQ(eventLog(), editWith({1.f, 0.f}));
}

TEST_F(VerticalSwitchTest, DrawsTheImageOfTheNearestPosition)
{
	control->setValue(0.4f);
	auto* context = new RecordingContext();
	control->draw(context);
	ASSERT_EQ(context->bitmaps.size(), 1u);
	// 0.4 * 3 + 0.5 truncates to 1.
	EXPECT_EQ(context->bitmaps[0].offset, CPoint(0, 20));
	EXPECT_EQ(context->bitmaps[0].dest, CRect(10, 10, 40, 30));
	context->forget();
}

TEST_F(VerticalSwitchTest, KeysStepAndRefuseAtTheEnds)
{
	VstKeyCode up{0, VKEY_UP, 0};
	VstKeyCode down{0, VKEY_DOWN, 0};
	EXPECT_EQ(control->onKeyDown(up), -1);
	EXPECT_TRUE(eventLog().empty());
	EXPECT_EQ(control->onKeyDown(down), 1);
	EXPECT_FLOAT_EQ(control->getValue(), 1.f / 3.f);
	EXPECT_EQ(eventLog(), editWith({1.f / 3.f}));

	control->setValue(1.f);
	control->setDirty(false);
	clearLog();
	EXPECT_EQ(control->onKeyDown(down), -1);
	EXPECT_TRUE(eventLog().empty());
	EXPECT_EQ(control->onKeyDown(up), 1);
	EXPECT_FLOAT_EQ(control->getValue(), 2.f / 3.f);

	VstKeyCode withModifier{0, VKEY_DOWN, MODIFIER_SHIFT};
	VstKeyCode sideways{0, VKEY_RIGHT, 0};
	EXPECT_EQ(control->onKeyDown(withModifier), -1);
	EXPECT_EQ(control->onKeyDown(sideways), -1);
}

TEST_F(VerticalSwitchTest, OtherRangesStepThroughTheirOwnValues)
{
	control->setMax(30.f);
	control->setMin(0.f);
	control->setMin(-30.f);
	control->setValue(-30.f);
	control->setDirty(false);
	VstKeyCode down{0, VKEY_DOWN, 0};
	control->onKeyDown(down);
	EXPECT_FLOAT_EQ(control->getValue(), -10.f);
	EXPECT_EQ(control->getImageOffset(), CPoint(0, 20));
}

TEST_F(VerticalSwitchTest, TooFewPositionsKeepTheMinimum)
{
	auto* single = add(new CVerticalSwitch(CRect(0, 0, 30, 20), &listener, 2, 1, 20., 0, nullptr));
	auto* empty = add(new CVerticalSwitch(CRect(0, 0, 30, 20), &listener, 3, 0, 0., 0, nullptr));
	for (CVerticalSwitch* s : {single, empty})
	{
		CPoint where(5, 15);
		s->onMouseDown(where, kButtonLeft);
		EXPECT_EQ(s->getValue(), 0.f);
		EXPECT_FALSE(std::isnan(s->getValue()));
		EXPECT_EQ(s->getImageOffset().y, 0.);
		s->onMouseUp(where, 0);
	}
	VstKeyCode down{0, VKEY_DOWN, 0};
	EXPECT_EQ(single->onKeyDown(down), -1);
}

TEST_F(VerticalSwitchTest, EmptyRangeShowsTheFirstImage)
{
	control->setMin(1.f);
	control->setMax(1.f);
	control->setValue(1.f);
	EXPECT_EQ(control->getImageOffset(), CPoint(0, 0));
}

TEST_F(VerticalSwitchTest, DefaultModifierClickResetsToTheFirstPosition)
{
	control->setValue(1.f);
	CPoint where(20, 25);
	EXPECT_EQ(control->onMouseDown(where, kButtonLeft | kModifierControl), kMouseHandledNoFollowUp);
	EXPECT_EQ(control->getValue(), 0.f);
}

TEST_F(VerticalSwitchTest, SizeToFitTakesOneImage)
{
	control->setViewSize(CRect(10, 10, 15, 15));
	EXPECT_TRUE(control->sizeToFit());
	EXPECT_EQ(control->getViewSize(), CRect(10, 10, 40, 30));
	EXPECT_TRUE(control->isTypeOf("CVerticalSwitch"));
	EXPECT_FALSE(control->isTypeOf("CHorizontalSwitch"));
}

class HorizontalSwitchTest : public ControlFixture
{
protected:
	void SetUp() override
	{
		ControlFixture::SetUp();
		// Four images of 20 x 30 pixels, side by side.
		strip = new CBitmap(80, 30);
		control = add(new CHorizontalSwitch(CRect(10, 10, 30, 40), &listener, 1, strip));
		strip->forget();
		control->setDirty(false);
	}

	CBitmap* strip{nullptr};
	CHorizontalSwitch* control{nullptr};
};

TEST_F(HorizontalSwitchTest, CountsClicksAndDrawsAlongTheWidth)
{
	EXPECT_EQ(control->getNumSubPixmaps(), 4);
	CPoint where(22, 35);
	control->onMouseDown(where, kButtonLeft);
	EXPECT_EQ(control->getStepLength(), 5.);
	EXPECT_FLOAT_EQ(control->getValue(), 2.f / 3.f);
	control->onMouseUp(where, 0);
	EXPECT_EQ(eventLog(), editWith({2.f / 3.f}));

	auto* context = new RecordingContext();
	control->draw(context);
	ASSERT_EQ(context->bitmaps.size(), 1u);
	EXPECT_EQ(context->bitmaps[0].offset, CPoint(40, 0));
	context->forget();
}

TEST_F(HorizontalSwitchTest, LeftAndRightKeysStepAndRefuseAtTheEnds)
{
	VstKeyCode left{0, VKEY_LEFT, 0};
	VstKeyCode right{0, VKEY_RIGHT, 0};
	VstKeyCode down{0, VKEY_DOWN, 0};
	EXPECT_EQ(control->onKeyDown(left), -1);
	EXPECT_EQ(control->onKeyDown(down), -1);
	EXPECT_EQ(control->onKeyDown(right), 1);
	EXPECT_FLOAT_EQ(control->getValue(), 1.f / 3.f);
	control->setValue(1.f);
	control->setDirty(false);
	clearLog();
	EXPECT_EQ(control->onKeyDown(right), -1);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(HorizontalSwitchTest, SizeToFitTakesOneImageOfTheRow)
{
	control->setViewSize(CRect(10, 10, 15, 15));
	EXPECT_TRUE(control->sizeToFit());
	EXPECT_EQ(control->getViewSize(), CRect(10, 10, 30, 40));
	control->setViewSize(CRect(0, 0, 25, 30));
	control->autoComputeHeightOfOneImage();
	EXPECT_EQ(control->getHeightOfOneImage(), 25.);
}

} // namespace
