// The slider's geometry, mouse, wheel and key handling, resizing and its
// coloured draw style, mostly on the editor's distance slider: a 250-pixel
// track and a 20-pixel handle in the view (73, 94, 323, 154).
#include "controltestsupport.h"

#include "gui/controls/cslider.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::test;

namespace
{

using Log = std::vector<std::string>;

constexpr CRect kSliderRect(73, 94, 323, 154);
constexpr double kRange = 229.; // 302 - 73
// Where a free click puts the handle's centre for a normalised value.
constexpr double clickFor(double normalized)
{
	return 73. + 0.5 * 20. - 1. + normalized * kRange;
}

class SliderTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		clearLog();
		frame = makeFrame(CRect(0, 0, 400, 300), &editor);
		track = new CBitmap(250, 60);
		handle = new CBitmap(20, 60);
		const auto maxPos = static_cast<int32>(track->getWidth() + 73. - handle->getWidth() - 1.);
		slider = new CHorizontalSlider(kSliderRect, &listener, 0, 73, maxPos, handle, track, CPoint(0, 0), 8);
		frame->addView(slider);
	}
	void TearDown() override
	{
		frame->close();
		EXPECT_EQ(handle->getNbReference(), 1);
		EXPECT_EQ(track->getNbReference(), 1);
		handle->forget();
		track->forget();
	}

	MouseEventResult press(double x, int32 buttons, double y = 120.)
	{
		CPoint where(x, y);
		return frame->platformOnMouseDown(where, buttons);
	}
	MouseEventResult move(double x, int32 buttons, double y = 120.)
	{
		CPoint where(x, y);
		return frame->platformOnMouseMoved(where, buttons);
	}
	MouseEventResult release(double x, int32 buttons = 0, double y = 120.)
	{
		CPoint where(x, y);
		return frame->platformOnMouseUp(where, buttons);
	}
	// As after a redraw: the value drawn is the value held.
	void markDrawn() { slider->setDirty(false); }

	RecordingEditor editor;
	RecordingListener listener{RecordingListener::twoDecimals()};
	CFrame* frame{nullptr};
	CBitmap* track{nullptr};
	CBitmap* handle{nullptr};
	CHorizontalSlider* slider{nullptr};
};

TEST_F(SliderTest, EditorSliderTravelFollowsTrackAndHandleSizes)
{
	EXPECT_EQ(slider->getStyle(), kOrientationHorizontal | kOriginLeft);
	EXPECT_EQ(slider->getMinPosition(), 0.);
	EXPECT_EQ(slider->getRange(), kRange);
	EXPECT_EQ(slider->getLowestHandlePosition(), 0.);
	EXPECT_EQ(slider->getHighestHandlePosition(), 249.);
	EXPECT_EQ(slider->getHandleWidth(), 20.);
	EXPECT_EQ(slider->getHandleHeight(), 60.);
	EXPECT_TRUE(slider->wantsFocus());
	EXPECT_FLOAT_EQ(slider->getZoomFactor(), 10.f);
	EXPECT_TRUE(slider->getFreeClick());
	EXPECT_TRUE(slider->isTypeOf("CSlider"));
	EXPECT_TRUE(slider->isTypeOf("CControl"));
}

TEST_F(SliderTest, HandleSitsAtTheValuesPixelBetweenTheEnds)
{
	slider->setValue(0.f);
	EXPECT_EQ(slider->getHandleRect(), CRect(73, 94, 93, 154));
	slider->setValue(0.5f);
	EXPECT_EQ(slider->getHandleRect(), CRect(73 + 114, 94, 93 + 114, 154));
	slider->setValue(1.f);
	EXPECT_EQ(slider->getHandleRect(), CRect(302, 94, 322, 154));
}

TEST_F(SliderTest, DrawingPutsTrackAndHandleBitmapsInPlaceAndCleansTheSlider)
{
	slider->setValue(0.5f);
	ASSERT_TRUE(slider->isDirty());
	auto* context = new RecordingContext(CRect(0, 0, 400, 300));
	slider->draw(context);
	ASSERT_EQ(context->ops.size(), 2u);
	EXPECT_EQ(context->ops[0].bitmap, track);
	EXPECT_EQ(context->ops[0].rect, kSliderRect);
	EXPECT_EQ(context->ops[1].bitmap, handle);
	EXPECT_EQ(context->ops[1].rect, CRect(187, 94, 207, 154));
	EXPECT_EQ(context->ops[1].bitmapOffset, CPoint(0, 0));
	EXPECT_FALSE(slider->isDirty());
	context->forget();
}

TEST_F(SliderTest, FreeClickJumpsTheHandleCentreToThePointerWithinOneEdit)
{
	EXPECT_EQ(press(clickFor(0.5), kButtonLeft), kMouseHandled);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
	EXPECT_EQ(release(clickFor(0.5)), kMouseHandled);
	EXPECT_EQ(eventLog(), Log({"listener:beginEdit", "editor:beginEdit 0", "listener:valueChanged 0.50",
	                           "editor:endEdit 0", "listener:endEdit"}));
}

TEST_F(SliderTest, DragFollowsThePointerAndStopsAtTheEnds)
{
	press(clickFor(0.25), kButtonLeft);
	move(clickFor(0.75), kButtonLeft);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.75f);
	move(500., kButtonLeft, 280.);
	EXPECT_EQ(slider->getValue(), 1.f);
	move(500., kButtonLeft);
	move(-40., kButtonLeft);
	EXPECT_EQ(slider->getValue(), 0.f);
	release(-40.);
	// A move that changes nothing is not reported.
	EXPECT_EQ(eventLog(), Log({"listener:beginEdit", "editor:beginEdit 0", "listener:valueChanged 0.25",
	                           "listener:valueChanged 0.75", "listener:valueChanged 1.00", "listener:valueChanged 0.00",
	                           "editor:endEdit 0", "listener:endEdit"}));
}

TEST_F(SliderTest, MovesWithoutAPressOrWithoutTheLeftButtonChangeNothing)
{
	CPoint where(clickFor(0.8), 120.);
	EXPECT_EQ(slider->onMouseMoved(where, kButtonLeft), kMouseHandled);
	press(clickFor(0.2), kButtonLeft);
	move(clickFor(0.8), kButtonRight);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.2f);
	release(clickFor(0.8));
	move(clickFor(0.9), kButtonLeft);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.2f);
}

TEST_F(SliderTest, WithoutFreeClickOnlyAPressOnTheHandleCounts)
{
	slider->setFreeClick(false);
	slider->setValue(0.5f); // handle at 187..207, 94..154, edges included
	CPoint beside(150., 120.);
	EXPECT_EQ(slider->onMouseDown(beside, kButtonLeft), kMouseNotHandled);
	CPoint belowHandle(190., 155.);
	EXPECT_EQ(slider->onMouseDown(belowHandle, kButtonLeft), kMouseNotHandled);
	CPoint pastTrailingEdge(208., 120.);
	EXPECT_EQ(slider->onMouseDown(pastTrailingEdge, kButtonLeft), kMouseNotHandled);
	EXPECT_TRUE(eventLog().empty());
	EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);

	CPoint onTrailingEdge(207., 154.);
	EXPECT_EQ(slider->onMouseDown(onTrailingEdge, kButtonLeft), kMouseHandled);
	slider->onMouseUp(onTrailingEdge, 0);
}

TEST_F(SliderTest, WithoutFreeClickTheHandleKeepsItsGripPoint)
{
	slider->setFreeClick(false);
	slider->setValue(0.5f);
	press(190., kButtonLeft);
	// The handle does not jump: the value stays on the pixel it was drawn at.
	EXPECT_NEAR(slider->getValue(), 114. / kRange, 1e-6);
	move(190. + 50., kButtonLeft);
	EXPECT_NEAR(slider->getValue(), 164. / kRange, 1e-6);
	release(240.);
}

TEST_F(SliderTest, ZoomModifierPressKeepsTheValueAndDragsTenTimesSlower)
{
	slider->setValue(0.3f);
	EXPECT_EQ(press(clickFor(0.9), kButtonLeft | kModifierShift), kMouseHandled);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.3f);
	EXPECT_EQ(eventLog(), Log({"listener:beginEdit", "editor:beginEdit 0"}));

	move(clickFor(0.8), kButtonLeft | kModifierShift);
	EXPECT_NEAR(slider->getValue(), 0.3 + (0.8 - 0.3) / 10., 1e-5);
	// Letting go of the modifier: the handle follows the pointer again.
	move(clickFor(0.6), kButtonLeft);
	EXPECT_NEAR(slider->getValue(), 0.6, 1e-5);
	release(clickFor(0.6));
}

TEST_F(SliderTest, ZoomModifierPressedDuringADragAnchorsAtTheValueReached)
{
	press(clickFor(0.5), kButtonLeft);
	move(clickFor(0.7), kButtonLeft | kModifierShift);
	EXPECT_NEAR(slider->getValue(), 0.5 + 0.2 / 10., 1e-5);
	move(clickFor(0.2), kButtonLeft | kModifierShift);
	EXPECT_NEAR(slider->getValue(), 0.5 + (0.2 - 0.5) / 10., 1e-5);
	release(clickFor(0.2));
}

TEST_F(SliderTest, ZoomFactorOfZeroNeverStoresANotANumber)
{
	slider->setZoomFactor(0.f);
	// At the anchor the pointer maps to the value held: 0 / 0.
	const double anchor = 73. + 0.5 * 20. - 1.;
	press(anchor, kButtonLeft | kModifierShift);
	move(anchor, kButtonLeft | kModifierShift);
	EXPECT_EQ(slider->getValue(), 0.f);
	release(anchor);
}

TEST_F(SliderTest, DefaultValueClickIsOneCompleteEditInsideThePressAndGetsNoFollowUp)
{
	slider->setValue(0.3f);
	EXPECT_EQ(press(clickFor(0.9), kButtonLeft | kModifierControl), kMouseHandledNoFollowUp);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
	move(clickFor(0.9), kButtonLeft | kModifierControl);
	release(clickFor(0.9));
	EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
	EXPECT_EQ(eventLog(), Log({"listener:beginEdit", "editor:beginEdit 0", "listener:beginEdit", "editor:beginEdit 0",
	                           "listener:valueChanged 0.50", "editor:endEdit 0", "listener:endEdit", "editor:endEdit 0",
	                           "listener:endEdit"}));
}

TEST_F(SliderTest, DefaultValueClickAtTheDefaultOnlyBracketsThePress)
{
	slider->setValue(0.5f);
	EXPECT_EQ(press(clickFor(0.9), kButtonLeft | kModifierControl), kMouseHandledNoFollowUp);
	EXPECT_EQ(eventLog(), Log({"listener:beginEdit", "editor:beginEdit 0", "editor:endEdit 0", "listener:endEdit"}));
}

TEST_F(SliderTest, NoDragStaysOpenAfterTheDefaultValueClick)
{
	slider->setValue(0.3f);
	CPoint where(clickFor(0.9), 120.);
	ASSERT_EQ(slider->onMouseDown(where, kButtonLeft | kModifierControl), kMouseHandledNoFollowUp);
	clearLog();
	// Even delivered directly, a move or a release cannot edit any more.
	slider->onMouseMoved(where, kButtonLeft);
	slider->onMouseUp(where, 0);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(SliderTest, RightButtonPressIsNotHandledAndBeginsNoEdit)
{
	CPoint where(clickFor(0.9), 120.);
	EXPECT_EQ(slider->onMouseDown(where, kButtonRight), kMouseNotHandled);
	EXPECT_EQ(slider->onMouseDown(where, kButtonRight | kModifierControl), kMouseNotHandled);
	EXPECT_TRUE(eventLog().empty());
	EXPECT_EQ(slider->getValue(), 0.f);
}

TEST_F(SliderTest, DefaultValueModifierWithAnotherButtonHeldDragsInstead)
{
	slider->setValue(0.3f);
	EXPECT_EQ(press(clickFor(0.9), kButtonLeft | kButtonRight | kModifierControl), kMouseHandled);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.9f);
	release(clickFor(0.9));
}

TEST_F(SliderTest, ReleaseWithoutAPressEndsNoEdit)
{
	CPoint where(100., 120.);
	EXPECT_EQ(slider->onMouseUp(where, 0), kMouseHandled);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(SliderTest, WheelStepsOneIncrementPerNotchAndNothingBeyondTheEnd)
{
	slider->setValue(0.95f);
	CPoint where(100., 120.);
	EXPECT_TRUE(slider->onWheel(where, 1.f, 0));
	EXPECT_EQ(slider->getValue(), 1.f);
	EXPECT_EQ(eventLog(), Log({"listener:beginEdit", "editor:beginEdit 0", "listener:valueChanged 1.00",
	                           "editor:endEdit 0", "listener:endEdit"}));
	clearLog();
	EXPECT_TRUE(slider->onWheel(where, 1.f, 0));
	EXPECT_EQ(slider->getValue(), 1.f);
	EXPECT_TRUE(eventLog().empty());

	EXPECT_TRUE(slider->onWheel(where, -1.f, kModifierShift));
	EXPECT_NEAR(slider->getValue(), 0.99, 1e-6);
	EXPECT_TRUE(slider->onWheel(where, -2.f, 0));
	EXPECT_NEAR(slider->getValue(), 0.79, 1e-6);
}

TEST_F(SliderTest, WheelIsRefusedWhileTheMouseIsDisabled)
{
	slider->setMouseEnabled(false);
	CPoint where(100., 120.);
	EXPECT_FALSE(slider->onWheel(where, 1.f, 0));
	EXPECT_EQ(slider->getValue(), 0.f);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(SliderTest, ArrowKeysStepTheValueAndOtherKeysAreNotUsed)
{
	markDrawn();
	auto right = virtualKey(VKEY_RIGHT);
	EXPECT_EQ(slider->onKeyDown(right), 1);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.1f);
	auto up = virtualKey(VKEY_UP, MODIFIER_SHIFT);
	EXPECT_EQ(slider->onKeyDown(up), 1);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.11f);
	auto down = virtualKey(VKEY_DOWN);
	EXPECT_EQ(slider->onKeyDown(down), 1);
	EXPECT_NEAR(slider->getValue(), 0.01, 1e-6);
	auto left = virtualKey(VKEY_LEFT);
	slider->onKeyDown(left);
	EXPECT_EQ(slider->getValue(), 0.f);
	EXPECT_EQ(eventLog().size(), 4u * 5u);
	auto enter = virtualKey(VKEY_RETURN);
	EXPECT_EQ(slider->onKeyDown(enter), -1);
}

TEST_F(SliderTest, ArrowKeysAtTheLimitsAnswerUsedButEditNothing)
{
	markDrawn();
	auto left = virtualKey(VKEY_LEFT);
	EXPECT_EQ(slider->onKeyDown(left), 1);
	EXPECT_EQ(slider->getValue(), 0.f);
	slider->setValue(1.f);
	markDrawn();
	auto right = virtualKey(VKEY_RIGHT);
	EXPECT_EQ(slider->onKeyDown(right), 1);
	EXPECT_EQ(slider->getValue(), 1.f);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(SliderTest, ResizingReplacesTheTravelByTheViewLengthMinusTheHandle)
{
	slider->setViewSize(CRect(73, 94, 373, 154));
	EXPECT_EQ(slider->getMinPosition(), 0.);
	EXPECT_EQ(slider->getRange(), 280.);
	EXPECT_EQ(slider->getLowestHandlePosition(), 0.);
	EXPECT_EQ(slider->getHighestHandlePosition(), 300.);
	slider->setValue(1.f);
	EXPECT_EQ(slider->getHandleRect(), CRect(353, 94, 373, 154));

	slider->setOffsetHandle(CPoint(5, 2));
	slider->setViewSize(CRect(73, 94, 373, 164));
	EXPECT_EQ(slider->getRange(), 270.);
	EXPECT_EQ(slider->getLowestHandlePosition(), 5.);
	EXPECT_EQ(slider->getHighestHandlePosition(), 295.);
	EXPECT_EQ(slider->getHandleRect(), CRect(73 + 5 + 270, 96, 73 + 5 + 290, 156));
}

TEST_F(SliderTest, SizeToFitTakesTheTrackSizeAndRecomputesTheTravel)
{
	auto* small = new CHorizontalSlider(CRect(10, 10, 50, 20), nullptr, 1, 10, 20, handle, track);
	EXPECT_TRUE(small->sizeToFit());
	EXPECT_EQ(small->getViewSize(), CRect(10, 10, 260, 70));
	EXPECT_EQ(small->getMouseableArea(), CRect(10, 10, 260, 70));
	EXPECT_EQ(small->getRange(), 230.);
	small->forget();

	auto* bare = new CHorizontalSlider(CRect(10, 10, 50, 20), nullptr, 1, 10, 20, handle, nullptr);
	EXPECT_FALSE(bare->sizeToFit());
	EXPECT_EQ(bare->getViewSize(), CRect(10, 10, 50, 20));
	bare->forget();
}

TEST_F(SliderTest, ZeroRangeLeavesTheValueToWheelAndKeys)
{
	slider->setViewSize(CRect(73, 94, 93, 154)); // exactly the handle's width
	ASSERT_EQ(slider->getRange(), 0.);
	slider->setValue(0.4f);
	press(80., kButtonLeft);
	move(90., kButtonLeft);
	move(82., kButtonLeft);
	release(82.);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.4f);
	EXPECT_EQ(slider->getHandleRect(), CRect(73, 94, 93, 154));
	CPoint where(80., 120.);
	slider->onWheel(where, 1.f, 0);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
}

TEST_F(SliderTest, CopyIsASliderWithTheSameGeometryAndItsOwnHandleReference)
{
	slider->setFreeClick(false);
	slider->setZoomFactor(4.f);
	slider->setOffset(CPoint(3, 4));
	auto* copy = dynamic_cast<CSlider*>(slider->newCopy());
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(handle->getNbReference(), 3);
	EXPECT_EQ(copy->getStyle(), slider->getStyle());
	EXPECT_EQ(copy->getRange(), kRange);
	EXPECT_EQ(copy->getHighestHandlePosition(), 249.);
	EXPECT_EQ(copy->getHandle(), handle);
	EXPECT_FALSE(copy->getFreeClick());
	EXPECT_FLOAT_EQ(copy->getZoomFactor(), 4.f);
	EXPECT_EQ(copy->getOffset(), CPoint(3, 4));
	copy->forget();
	EXPECT_EQ(handle->getNbReference(), 2);
}

TEST_F(SliderTest, NewHandleGivesItsSizeButKeepsTheLimits)
{
	auto* wide = new CBitmap(40, 30);
	slider->setHandle(wide);
	EXPECT_EQ(slider->getHandleWidth(), 40.);
	EXPECT_EQ(slider->getHandleHeight(), 30.);
	EXPECT_EQ(slider->getHighestHandlePosition(), 249.);
	EXPECT_EQ(handle->getNbReference(), 1);
	slider->setValue(1.f);
	// The trailing edge is held at the old limit.
	EXPECT_EQ(slider->getHandleRect(), CRect(302, 94, 73 + 249, 124));
	slider->setHandle(nullptr);
	EXPECT_EQ(slider->getHandle(), nullptr);
	EXPECT_EQ(slider->getHandleWidth(), 40.);
	wide->forget();
	slider->setHandle(handle);
}

TEST(SliderOrigin, OriginRightPutsZeroAtTheRightAndReversesKeysAndWheel)
{
	auto* handle = new CBitmap(20, 60);
	auto* slider = new CHorizontalSlider(kSliderRect, nullptr, 0, 73, 302, handle, nullptr, CPoint(0, 0), kOriginRight);
	EXPECT_EQ(slider->getHandleRect(), CRect(302, 94, 322, 154));
	slider->setValue(1.f);
	EXPECT_EQ(slider->getHandleRect(), CRect(73, 94, 93, 154));
	slider->setValue(0.5f);
	auto left = virtualKey(VKEY_LEFT);
	slider->onKeyDown(left);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.6f);
	slider->onWheel(CPoint(100, 120), 2.f, 0);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.4f);
	// A free click near the left end means a value near 1.
	CPoint where(clickFor(0.1), 120.);
	slider->onMouseDown(where, kButtonLeft);
	slider->onMouseUp(where, 0);
	EXPECT_FLOAT_EQ(slider->getValue(), 0.9f);
	slider->forget();
	handle->forget();
}

TEST(SliderOrigin, VerticalSliderRunsUpFromTheBottomAndFromTheTopWithReversedKeys)
{
	auto* handle = new CBitmap(20, 30);
	auto* fromBottom = new CVerticalSlider(CRect(0, 0, 30, 200), nullptr, 1, CPoint(5, 10), 180, handle, nullptr);
	EXPECT_EQ(fromBottom->getStyle(), kOrientationVertical | kOriginBottom);
	EXPECT_EQ(fromBottom->getRange(), 150.);
	EXPECT_EQ(fromBottom->getLowestHandlePosition(), 10.);
	EXPECT_EQ(fromBottom->getHighestHandlePosition(), 190.);
	EXPECT_EQ(fromBottom->getHandleRect(), CRect(5, 160, 25, 190));
	auto up = virtualKey(VKEY_UP);
	fromBottom->onKeyDown(up);
	EXPECT_FLOAT_EQ(fromBottom->getValue(), 0.1f);
	fromBottom->setValue(1.f);
	EXPECT_EQ(fromBottom->getHandleRect(), CRect(5, 10, 25, 40));
	fromBottom->forget();

	auto* fromTop =
	    new CVerticalSlider(CRect(0, 0, 30, 200), nullptr, 1, 0, 170, handle, nullptr, CPoint(0, 0), kOriginTop);
	EXPECT_EQ(fromTop->getHandleRect(), CRect(0, 0, 20, 30));
	fromTop->setValue(0.5f);
	fromTop->onKeyDown(up);
	EXPECT_FLOAT_EQ(fromTop->getValue(), 0.4f);
	// Mouse mapping runs down the y axis: a free click at the centre.
	CPoint where(10., 0.5 * 30. - 1. + 0.8 * 170.);
	fromTop->onMouseDown(where, kButtonLeft);
	fromTop->onMouseUp(where, 0);
	EXPECT_FLOAT_EQ(fromTop->getValue(), 0.8f);
	fromTop->forget();
	handle->forget();
}

TEST(SliderWithoutHandle, UsesAOnePixelHandleAndDrawsOnlyTheTrack)
{
	auto* track = new CBitmap(100, 10);
	auto* slider = new CHorizontalSlider(CRect(0, 0, 100, 10), nullptr, 0, CPoint(0, 0), 100, nullptr, track);
	EXPECT_EQ(slider->getHandleWidth(), 1.);
	EXPECT_EQ(slider->getHandleHeight(), 1.);
	EXPECT_EQ(slider->getRange(), 99.);
	auto* context = new RecordingContext(CRect(0, 0, 100, 10));
	slider->draw(context);
	ASSERT_EQ(context->ops.size(), 1u);
	EXPECT_EQ(context->ops[0].bitmap, track);
	context->forget();
	slider->forget();
	track->forget();
}

class SliderDrawStyleTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		slider = new CHorizontalSlider(CRect(0, 0, 102, 12), nullptr, 0, 0, 100, nullptr, nullptr);
		slider->setFrameColor(kRedCColor);
		slider->setBackColor(kBlueCColor);
		slider->setValueColor(kGreenCColor);
		slider->setValue(0.25f);
		context = new RecordingContext(CRect(0, 0, 200, 50));
	}
	void TearDown() override
	{
		context->forget();
		slider->forget();
	}
	// The value bar drawn with this draw style.
	CRect barFor(int32 drawStyle)
	{
		context->ops.clear();
		slider->setDrawStyle(drawStyle);
		slider->draw(context);
		if (context->ops.empty() || !(context->ops.back().fillColor == kGreenCColor))
			return CRect(-1, -1, -1, -1);
		return context->ops.back().rect;
	}

	CSlider* slider{nullptr};
	RecordingContext* context{nullptr};
};

TEST_F(SliderDrawStyleTest, ColoursAreWhiteAndUnusedUntilADrawStyleIsSet)
{
	auto* fresh = new CHorizontalSlider(CRect(0, 0, 102, 12), nullptr, 0, 0, 100, nullptr, nullptr);
	EXPECT_EQ(fresh->getFrameColor(), kWhiteCColor);
	EXPECT_EQ(fresh->getValueColor(), kWhiteCColor);
	fresh->draw(context);
	EXPECT_TRUE(context->ops.empty());
	fresh->forget();
}

TEST_F(SliderDrawStyleTest, FrameAndBackPaintTheViewRectangleAliased)
{
	slider->setDrawStyle(kSliderDrawFrame | kSliderDrawBack);
	slider->draw(context);
	ASSERT_EQ(context->ops.size(), 1u);
	EXPECT_EQ(context->ops[0].rect, CRect(0, 0, 102, 12));
	EXPECT_EQ(context->ops[0].style, kShapeFilledAndStroked);
	EXPECT_EQ(context->ops[0].frameColor, kRedCColor);
	EXPECT_EQ(context->ops[0].fillColor, kBlueCColor);
	EXPECT_EQ(context->ops[0].drawMode, kDrawModeAliased);
	context->ops.clear();
	slider->setDrawStyle(kSliderDrawFrame);
	slider->draw(context);
	EXPECT_EQ(context->ops.at(0).style, kShapeStroked);
	context->ops.clear();
	slider->setDrawStyle(kSliderDrawBack);
	slider->draw(context);
	EXPECT_EQ(context->ops.at(0).style, kShapeFilled);
}

TEST_F(SliderDrawStyleTest, ValueBarGrowsFromEitherEndOrFromTheCentre)
{
	EXPECT_EQ(barFor(kSliderDrawValue), CRect(1, 1, 26, 11));
	EXPECT_EQ(barFor(kSliderDrawValue | kSliderDrawInverted), CRect(76, 1, 101, 11));
	EXPECT_EQ(barFor(kSliderDrawValue | kSliderDrawValueFromCenter), CRect(26, 1, 51, 11));
	EXPECT_EQ(barFor(kSliderDrawValue | kSliderDrawValueFromCenter | kSliderDrawInverted), CRect(51, 1, 76, 11));
	EXPECT_EQ(context->ops.back().style, kShapeFilled);
	EXPECT_EQ(context->ops.back().drawMode, kDrawModeAntialiased);
}

TEST(SliderDrawStyleInvalidation, ChangedStyleOrColourRedrawsAndAnUnchangedOneDoesNot)
{
	RecordingEditor editor;
	CFrame* frame = makeFrame(CRect(0, 0, 200, 50), &editor);
	auto* slider = new CHorizontalSlider(CRect(0, 0, 102, 12), nullptr, 0, 0, 100, nullptr, nullptr);
	frame->addView(slider);
	auto& invalid = platformOf(frame)->invalidRects;
	invalid.clear();
	slider->setDrawStyle(0);
	slider->setValueColor(kWhiteCColor);
	EXPECT_TRUE(invalid.empty());
	slider->setDrawStyle(kSliderDrawValue);
	slider->setFrameColor(kRedCColor);
	slider->setBackColor(kRedCColor);
	slider->setValueColor(kRedCColor);
	EXPECT_EQ(invalid.size(), 4u);
	frame->close();
}

} // namespace
