#include "gui/controls/canimknob.h"
#include "knobtestsupport.h"

using namespace VSTGUI;
using namespace VSTGUI::knobtest;

namespace
{

class AnimKnobTest : public ControlFixture
{
protected:
	void SetUp() override
	{
		ControlFixture::SetUp();
		strip = new CBitmap(30, 900);
		knob = add(new CAnimKnob(CRect(0, 0, 30, 30), &listener, 1, strip));
	}
	void TearDown() override
	{
		strip->forget();
		ControlFixture::TearDown();
	}

	double offsetAt(float value)
	{
		knob->setValue(value);
		return knob->getImageOffset().y;
	}

	CBitmap* strip{nullptr};
	CAnimKnob* knob{nullptr};
};

TEST_F(AnimKnobTest, FilmStripOffsetsAreWholeImages)
{
	EXPECT_EQ(knob->getNumSubPixmaps(), 30);
	EXPECT_EQ(knob->getHeightOfOneImage(), 30.);
	EXPECT_EQ(offsetAt(0.f), 0.);
	// floor(0.5 * 29 * 30) = 435, lowered to the image that holds it.
	EXPECT_EQ(offsetAt(0.5f), 420.);
	EXPECT_EQ(offsetAt(1.f), 870.);
	EXPECT_EQ(offsetAt(0.999f), 840.);
}

TEST_F(AnimKnobTest, InverseStripRunsFromTheLastImage)
{
	knob->setInverseBitmap(true);
	EXPECT_EQ(offsetAt(0.f), 870.);
	EXPECT_EQ(offsetAt(1.f), 0.);
	EXPECT_EQ(offsetAt(0.5f), 420.);
}

TEST_F(AnimKnobTest, OtherRangesIndexTheStripByTheirPositionInTheRange)
{
	knob->setMax(20.f);
	knob->setMin(10.f);
	EXPECT_EQ(offsetAt(10.f), 0.);
	EXPECT_EQ(offsetAt(15.f), 420.);
	EXPECT_EQ(offsetAt(20.f), 870.);
	knob->setMax(1.f);
	knob->setMin(-1.f);
	EXPECT_EQ(offsetAt(-1.f), 0.);
	EXPECT_EQ(offsetAt(1.f), 870.);
}

TEST_F(AnimKnobTest, DrawsTheChosenImageIntoTheView)
{
	knob->setValue(0.5f);
	auto* context = new RecordingContext();
	knob->draw(context);
	ASSERT_EQ(context->bitmaps.size(), 1u);
	EXPECT_EQ(context->bitmaps[0].bitmap, strip);
	EXPECT_EQ(context->bitmaps[0].dest, CRect(0, 0, 30, 30));
	EXPECT_EQ(context->bitmaps[0].offset, CPoint(0, 420));
	EXPECT_TRUE(context->lines.empty());
	EXPECT_FALSE(knob->isDirty());
	context->forget();
}

TEST_F(AnimKnobTest, ImageHeightSetsTheImageCount)
{
	knob->setHeightOfOneImage(60.);
	EXPECT_EQ(knob->getNumSubPixmaps(), 15);
	EXPECT_EQ(offsetAt(1.f), 840.);

	auto* shorter = new CBitmap(30, 300);
	knob->setBackground(shorter);
	shorter->forget();
	EXPECT_EQ(knob->getNumSubPixmaps(), 5);

	auto* explicitKnob = add(new CAnimKnob(CRect(0, 0, 30, 30), nullptr, 2, 99, 45., strip));
	EXPECT_EQ(explicitKnob->getNumSubPixmaps(), 20);
	EXPECT_EQ(explicitKnob->getInsetValue(), 0.);
	EXPECT_TRUE(explicitKnob->isTypeOf("CAnimKnob"));
	EXPECT_TRUE(explicitKnob->isTypeOf("CKnob"));
}

TEST_F(AnimKnobTest, StripsWithoutImagesToStepThroughStayAtTheTop)
{
	// A strip shorter than two images, or images under a pixel tall.
	knob->setHeightOfOneImage(600.);
	EXPECT_EQ(knob->getNumSubPixmaps(), 1);
	EXPECT_EQ(offsetAt(1.f), 0.);
	knob->setHeightOfOneImage(0.5);
	EXPECT_EQ(offsetAt(1.f), 0.);
	knob->setHeightOfOneImage(1e-12);
	EXPECT_EQ(offsetAt(0.5f), 0.);
}

TEST_F(AnimKnobTest, SizeToFitTakesOneImage)
{
	knob->setViewSize(CRect(5, 6, 10, 10));
	EXPECT_TRUE(knob->sizeToFit());
	EXPECT_EQ(knob->getViewSize(), CRect(5, 6, 35, 36));
	EXPECT_EQ(knob->getMouseableArea(), CRect(5, 6, 35, 36));
}

TEST_F(AnimKnobTest, WithoutBackgroundThereIsNothingToCount)
{
	auto* bare = add(new CAnimKnob(CRect(0, 0, 30, 30), nullptr, 2, nullptr));
	EXPECT_EQ(bare->getNumSubPixmaps(), 0);
	EXPECT_FALSE(bare->sizeToFit());
	auto* context = new RecordingContext();
	bare->draw(context);
	EXPECT_TRUE(context->bitmaps.empty());
	context->forget();
}

} // namespace
