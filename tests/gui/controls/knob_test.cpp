#include "gui/controls/cknob.h"
#include "knobtestsupport.h"

#include <cmath>
#include <numbers>

using namespace VSTGUI;
using namespace VSTGUI::knobtest;

namespace
{

// 40 x 40 at (10, 20): centre (30, 40) in frame coordinates, handle circle
// radius 17 with the default inset of 3.
const CRect kKnobRect(10, 20, 50, 60);
constexpr double kHalfSqrt2 = std::numbers::sqrt2 / 2.;

// A point in frame coordinates at the angle where the default arc shows the
// normalised position, 15 pixels from the centre.
CPoint pointForPosition(double position)
{
	const double angle = (135. + position * 270.) * std::numbers::pi / 180.;
	return CPoint(30. + 15. * std::cos(angle), 40. + 15. * std::sin(angle));
}

// A point in frame coordinates at an angle in degrees (0 right, 90 down).
CPoint pointAtDegrees(double degrees)
{
	const double angle = degrees * std::numbers::pi / 180.;
	return CPoint(30. + 15. * std::cos(angle), 40. + 15. * std::sin(angle));
}

class KnobTest : public ControlFixture
{
protected:
	void SetUp() override
	{
		ControlFixture::SetUp();
		knob = add(new CKnob(kKnobRect, &listener, 1, nullptr, nullptr));
	}

	void press(CPoint where, int32 buttons = kButtonLeft) { knob->onMouseDown(where, buttons); }
	void move(CPoint where, int32 buttons = kButtonLeft) { knob->onMouseMoved(where, buttons); }
	void release(CPoint where = CPoint()) { knob->onMouseUp(where, kButtonLeft); }
	// Drags and stands still, so that only the value is observed.
	float dragTo(CPoint where, int32 buttons = kButtonLeft)
	{
		move(where, buttons);
		return knob->getValue();
	}

	CKnob* knob{nullptr};
};

void expectPoint(const CPoint& actual, double x, double y)
{
	EXPECT_NEAR(actual.x, x, 1e-3);
	EXPECT_NEAR(actual.y, y, 1e-3);
}

TEST_F(KnobTest, LineHandleRunsFromTheValuesPointToTheCentre)
{
	struct Case
	{
		float value;
		CPoint point;
	};
	// Lower left at 0, top at 0.5, lower right at 1 (y grows downwards).
	const Case cases[] = {{0.f, {20.5 - 17. * kHalfSqrt2, 20.5 + 17. * kHalfSqrt2}},
	                      {0.5f, {20.5, 3.5}},
	                      {1.f, {20.5 + 17. * kHalfSqrt2, 20.5 + 17. * kHalfSqrt2}}};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.value);
		knob->setValue(c.value);
		auto* context = new RecordingContext();
		knob->draw(context);
		ASSERT_EQ(context->lines.size(), 2u);
		// The shadow one pixel left of the view's coordinates, the highlight
		// one pixel up from them.
		expectPoint(context->lines[0].from, c.point.x + 9., c.point.y + 20.);
		expectPoint(context->lines[0].to, 29., 40.);
		EXPECT_EQ(context->lines[0].color, kGreyCColor);
		expectPoint(context->lines[1].from, c.point.x + 10., c.point.y + 19.);
		expectPoint(context->lines[1].to, 30., 39.);
		EXPECT_EQ(context->lines[1].color, kWhiteCColor);
		EXPECT_EQ(context->getDrawMode(), kDrawModeAntialiased);
		EXPECT_FALSE(knob->isDirty());
		context->forget();
	}
}

TEST_F(KnobTest, ValueFromPointCoversTheArcAndPinsTheGapToTheNearerEnd)
{
	auto local = [](CPoint frameAt) { return frameAt - kKnobRect.getTopLeft(); };
	CPoint top = local(pointAtDegrees(270.));
	EXPECT_NEAR(knob->valueFromPoint(top), 0.5f, 1e-5);
	CPoint quarter = local(pointForPosition(0.25));
	EXPECT_NEAR(knob->valueFromPoint(quarter), 0.25f, 1e-5);
	CPoint gapNearStart = local(pointAtDegrees(100.));
	EXPECT_EQ(knob->valueFromPoint(gapNearStart), 0.f);
	CPoint gapNearEnd = local(pointAtDegrees(80.));
	EXPECT_EQ(knob->valueFromPoint(gapNearEnd), 1.f);
}

TEST_F(KnobTest, OtherRangesMapTheArcOntoMinimumToMaximum)
{
	knob->setMax(20.f);
	knob->setMin(10.f);
	EXPECT_EQ(knob->getValue(), 10.f);
	auto local = [](CPoint frameAt) { return frameAt - kKnobRect.getTopLeft(); };
	CPoint top = local(pointAtDegrees(270.));
	EXPECT_NEAR(knob->valueFromPoint(top), 15.f, 1e-4);
	CPoint gapNearStart = local(pointAtDegrees(100.));
	EXPECT_EQ(knob->valueFromPoint(gapNearStart), 10.f);
	CPoint gapNearEnd = local(pointAtDegrees(80.));
	EXPECT_EQ(knob->valueFromPoint(gapNearEnd), 20.f);

	CPoint atMinimum;
	knob->valueToPoint(atMinimum);
	expectPoint(atMinimum, 20.5 - 17. * kHalfSqrt2, 20.5 + 17. * kHalfSqrt2);
	knob->setValue(15.f);
	CPoint atMiddle;
	knob->valueToPoint(atMiddle);
	expectPoint(atMiddle, 20.5, 3.5);
}

TEST_F(KnobTest, EmptyRangeShowsTheStartAndDragsToNoNumber)
{
	knob->setMax(0.5f);
	knob->setMin(0.5f);
	CPoint where;
	knob->valueToPoint(where);
	expectPoint(where, 20.5 - 17. * kHalfSqrt2, 20.5 + 17. * kHalfSqrt2);
	editor.knobMode = 2;
	press(CPoint(30, 40));
	EXPECT_EQ(dragTo(CPoint(80, 40)), 0.5f);
	editor.knobMode = 0;
	press(pointForPosition(0.2));
	EXPECT_EQ(dragTo(pointForPosition(0.8)), 0.5f);
}

TEST_F(KnobTest, CircularDragFollowsThePointersAngle)
{
	knob->setValue(0.9f);
	press(pointForPosition(0.9));
	EXPECT_EQ(knob->getValue(), 0.9f);
	EXPECT_NEAR(dragTo(pointForPosition(0.95)), 0.95f, 1e-5);
	EXPECT_NEAR(dragTo(pointForPosition(0.6)), 0.6f, 1e-5);
}

TEST_F(KnobTest, CircularDragAcrossTheBottomGapStaysAtTheEndItCameFrom)
{
	knob->setValue(0.9f);
	press(pointForPosition(0.9));
	dragTo(pointForPosition(0.95));
	EXPECT_EQ(dragTo(pointAtDegrees(90.)), 1.f);
	EXPECT_EQ(dragTo(pointAtDegrees(120.)), 1.f);
	EXPECT_EQ(dragTo(pointForPosition(0.05)), 1.f);
	// Back on the arc near where it left, the knob follows again.
	EXPECT_NEAR(dragTo(pointForPosition(0.9)), 0.9f, 1e-5);
	release();

	knob->setValue(0.1f);
	press(pointForPosition(0.1));
	dragTo(pointForPosition(0.05));
	EXPECT_EQ(dragTo(pointAtDegrees(90.)), 0.f);
	EXPECT_EQ(dragTo(pointForPosition(0.97)), 0.f);
	release();
}

TEST_F(KnobTest, CircularDragAcrossTheGapKeepsTheMaximumOfOtherRanges)
{
	knob->setMax(20.f);
	knob->setMin(10.f);
	knob->setValue(19.f);
	press(pointForPosition(0.9));
	dragTo(pointForPosition(0.95));
	EXPECT_EQ(dragTo(pointForPosition(0.05)), 20.f);
}

TEST_F(KnobTest, DragIsOneEditWithTheValuesInBetween)
{
	knob->setValue(0.9f);
	knob->setDirty(false);
	press(pointForPosition(0.9));
	dragTo(pointAtDegrees(90.));
	release();
	EXPECT_EQ(eventLog(), editWith({1.f}));
}

TEST_F(KnobTest, LinearDragOf200PixelsCoversTheRange)
{
	editor.knobMode = 2;
	press(CPoint(30, 40));
	EXPECT_NEAR(dragTo(CPoint(80, 40)), 0.25f, 1e-6);
	// Right and up both count.
	EXPECT_NEAR(dragTo(CPoint(130, -60)), 1.f, 1e-6);
	EXPECT_EQ(dragTo(CPoint(200, -60)), 1.f);
	EXPECT_NEAR(dragTo(CPoint(30, 0)), 0.2f, 1e-6);
	EXPECT_EQ(dragTo(CPoint(0, 100)), 0.f);
}

TEST_F(KnobTest, LinearDragOfOtherRangesScalesWithTheRange)
{
	knob->setMax(20.f);
	knob->setMin(10.f);
	editor.knobMode = 2;
	press(CPoint(30, 40));
	EXPECT_NEAR(dragTo(CPoint(130, 40)), 15.f, 1e-5);
}

TEST_F(KnobTest, ZoomModifierNeedsTheZoomFactorMoreTravel)
{
	editor.knobMode = 2;
	press(CPoint(30, 40), kButtonLeft | kModifierShift);
	EXPECT_NEAR(dragTo(CPoint(230, 40), kButtonLeft | kModifierShift), 1.f / 1.5f, 1e-6);
}

TEST_F(KnobTest, ChangingTheZoomModifierMidDragDoesNotJump)
{
	editor.knobMode = 2;
	press(CPoint(0, 0));
	EXPECT_NEAR(dragTo(CPoint(60, 0)), 0.3f, 1e-6);
	// One more pixel with the modifier: still the plain rate up to here.
	EXPECT_NEAR(dragTo(CPoint(61, 0), kButtonLeft | kModifierShift), 0.305f, 1e-6);
	EXPECT_NEAR(dragTo(CPoint(211, 0), kButtonLeft | kModifierShift), 0.805f, 1e-5);
	// Released again: continues from there at the plain rate.
	EXPECT_NEAR(dragTo(CPoint(212, 0)), 0.805f + 1.f / 300.f, 1e-5);
	EXPECT_NEAR(dragTo(CPoint(232, 0)), 0.905f + 1.f / 300.f, 1e-5);
}

TEST_F(KnobTest, AltSwapsLinearAndCircularAgainstTheFramesKnobMode)
{
	// Mode 0 is circular: Alt makes the drag linear.
	editor.knobMode = 0;
	press(CPoint(30, 40), kButtonLeft | kModifierAlt);
	EXPECT_NEAR(dragTo(CPoint(50, 40), kButtonLeft | kModifierAlt), 0.1f, 1e-6);
	release();

	// Mode 2 is linear: Alt makes it circular.
	knob->setValue(0.f);
	editor.knobMode = 2;
	press(pointForPosition(0.25), kButtonLeft | kModifierAlt);
	EXPECT_NEAR(dragTo(pointForPosition(0.3), kButtonLeft | kModifierAlt), 0.3f, 1e-5);
	release();
}

TEST_F(KnobTest, PressWithOtherButtonsIsNotHandled)
{
	CPoint where(30, 40);
	EXPECT_EQ(knob->onMouseDown(where, kButtonRight), kMouseNotHandled);
	EXPECT_EQ(knob->onMouseDown(where, kButtonLeft | kButtonRight), kMouseNotHandled);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(KnobTest, DefaultModifierClickResetsWithoutFollowUp)
{
	knob->setValue(0.2f);
	CPoint where(30, 40);
	EXPECT_EQ(knob->onMouseDown(where, kButtonLeft | kModifierControl), kMouseHandledNoFollowUp);
	EXPECT_EQ(knob->getValue(), 0.5f);
	ASSERT_FALSE(eventLog().empty());
	EXPECT_EQ(eventLog().front(), "listener:beginEdit");
	EXPECT_EQ(eventLog().back(), "listener:endEdit");
}

TEST_F(KnobTest, WheelStepsByTheWheelIncrementAsOneEdit)
{
	knob->setValue(0.5f);
	knob->setDirty(false);
	EXPECT_TRUE(knob->onWheel(CPoint(30, 40), 1.f, 0));
	EXPECT_NEAR(knob->getValue(), 0.6f, 1e-6);
	EXPECT_EQ(eventLog(), editWith({knob->getValue()}));

	clearLog();
	EXPECT_TRUE(knob->onWheel(CPoint(30, 40), -1.f, kModifierShift));
	EXPECT_NEAR(knob->getValue(), 0.59f, 1e-6);

	knob->setValue(1.f);
	knob->setDirty(false);
	clearLog();
	EXPECT_TRUE(knob->onWheel(CPoint(30, 40), 1.f, 0));
	EXPECT_EQ(knob->getValue(), 1.f);
	EXPECT_TRUE(eventLog().empty());

	knob->setMouseEnabled(false);
	EXPECT_FALSE(knob->onWheel(CPoint(30, 40), -1.f, 0));
	EXPECT_EQ(knob->getValue(), 1.f);
}

TEST_F(KnobTest, ArrowKeysStepAndOtherKeysAreRefused)
{
	knob->setValue(0.5f);
	knob->setDirty(false);
	VstKeyCode right{0, VKEY_RIGHT, MODIFIER_SHIFT};
	EXPECT_EQ(knob->onKeyDown(right), 1);
	EXPECT_NEAR(knob->getValue(), 0.51f, 1e-6);
	EXPECT_EQ(eventLog(), editWith({knob->getValue()}));

	VstKeyCode down{0, VKEY_DOWN, 0};
	EXPECT_EQ(knob->onKeyDown(down), 1);
	EXPECT_NEAR(knob->getValue(), 0.41f, 1e-6);

	clearLog();
	VstKeyCode space{0, VKEY_SPACE, 0};
	EXPECT_EQ(knob->onKeyDown(space), -1);
	EXPECT_TRUE(eventLog().empty());

	knob->setValue(1.f);
	knob->setDirty(false);
	VstKeyCode up{0, VKEY_UP, 0};
	EXPECT_EQ(knob->onKeyDown(up), 1);
	EXPECT_TRUE(eventLog().empty());
}

TEST_F(KnobTest, HandleBitmapIsCentredOnTheValuesPointAndReplacesTheLines)
{
	auto* handle = new CBitmap(20, 10);
	knob->setHandleBitmap(handle);
	EXPECT_DOUBLE_EQ(knob->getInsetValue(), 12.5);
	// The knob's reference survives setting the same bitmap again.
	handle->forget();
	knob->setHandleBitmap(handle);
	ASSERT_EQ(knob->getHandleBitmap(), handle);
	EXPECT_EQ(handle->getNbReference(), 1);

	knob->setValue(0.5f);
	auto* context = new RecordingContext();
	knob->draw(context);
	ASSERT_EQ(context->bitmaps.size(), 1u);
	// Point (20.5, 13) in the view: corner floor(30.5 - 10), floor(33 - 5).
	EXPECT_EQ(context->bitmaps[0].dest, CRect(20, 28, 40, 38));
	EXPECT_EQ(context->bitmaps[0].offset, CPoint(0, 0));
	EXPECT_TRUE(context->lines.empty());
	context->forget();

	knob->setHandleBitmap(nullptr);
	EXPECT_DOUBLE_EQ(knob->getInsetValue(), 12.5);
}

TEST_F(KnobTest, BackgroundIsDrawnWithTheKnobsOffset)
{
	auto* background = new CBitmap(40, 80);
	auto* withBack = add(new CKnob(CRect(100, 100, 140, 140), nullptr, 2, background, nullptr, CPoint(0, 40)));
	background->forget();
	auto* context = new RecordingContext();
	withBack->draw(context);
	ASSERT_EQ(context->bitmaps.size(), 1u);
	EXPECT_EQ(context->bitmaps[0].dest, CRect(100, 100, 140, 140));
	EXPECT_EQ(context->bitmaps[0].offset, CPoint(0, 40));
	context->forget();
}

class CoronaTest : public KnobTest
{
protected:
	// Draws and gives the recorded paths.
	std::vector<RecordingContext::Path> pathsAt(float value, int32 style)
	{
		knob->setDrawStyle(style);
		knob->setValue(value);
		auto* context = new RecordingContext();
		knob->draw(context);
		auto paths = context->paths;
		context->forget();
		return paths;
	}

	void SetUp() override
	{
		KnobTest::SetUp();
		knob->setCoronaInset(2.);
		knob->setCoronaColor(CColor(255, 0, 0, 255));
	}
};

void expectArc(const RecordingContext::Path& path, double from, double to, bool clockwise)
{
	ASSERT_EQ(path.elements.size(), 1u);
	const auto& arc = path.elements[0];
	EXPECT_EQ(arc.type, CGraphicsPath::Element::kArc);
	EXPECT_EQ(arc.rect, CRect(12, 22, 48, 58));
	EXPECT_NEAR(arc.startAngle, from, 1e-4);
	EXPECT_NEAR(arc.endAngle, to, 1e-4);
	EXPECT_EQ(arc.clockwise, clockwise);
	EXPECT_EQ(path.mode, CDrawContext::kPathModeStroke);
}

TEST_F(CoronaTest, OutlineUnderAValueArcFromTheStart)
{
	auto paths = pathsAt(0.5f, kKnobCorona | kKnobCoronaOutline);
	ASSERT_EQ(paths.size(), 2u);
	expectArc(paths[0], 135., 405., true);
	EXPECT_EQ(paths[0].color, kGreyCColor);
	EXPECT_DOUBLE_EQ(paths[0].width, 3.);
	expectArc(paths[1], 135., 270., true);
	EXPECT_EQ(paths[1].color, CColor(255, 0, 0, 255));
	EXPECT_DOUBLE_EQ(paths[1].width, 1.);
	EXPECT_EQ(paths[1].lineStyle, kLineSolid);
}

TEST_F(CoronaTest, InvertedArcGrowsBackFromTheEnd)
{
	auto paths = pathsAt(0.25f, kKnobCorona | kKnobCoronaInverted);
	ASSERT_EQ(paths.size(), 1u);
	expectArc(paths[0], 405., 202.5, false);
}

TEST_F(CoronaTest, FromCentreArcGrowsFromTheTopToEitherSide)
{
	expectArc(pathsAt(0.25f, kKnobCorona | kKnobCoronaFromCenter).at(0), 270., 202.5, false);
	expectArc(pathsAt(0.75f, kKnobCorona | kKnobCoronaFromCenter).at(0), 270., 337.5, true);
}

TEST_F(CoronaTest, DashedArcUsesTheOnOffDash)
{
	auto paths = pathsAt(0.5f, kKnobCorona | kKnobCoronaDashed);
	ASSERT_EQ(paths.size(), 1u);
	EXPECT_EQ(paths[0].lineStyle, kLineOnOffDash);
}

TEST_F(KnobTest, CircleHandleIsAFilledDotAtTheValuesPoint)
{
	knob->setDrawStyle(kKnobHandleCircle);
	knob->setHandleLineWidth(2.);
	knob->setValue(0.5f);
	auto* context = new RecordingContext();
	knob->draw(context);
	EXPECT_TRUE(context->lines.empty());
	ASSERT_EQ(context->ellipses.size(), 1u);
	const auto& dot = context->ellipses[0];
	// (20.5, 3.5) in the view is (30.5, 23.5) in the frame; radius 0.5 + 2.
	EXPECT_NEAR(dot.rect.left, 28., 1e-4);
	EXPECT_NEAR(dot.rect.top, 21., 1e-4);
	EXPECT_NEAR(dot.rect.right, 33., 1e-4);
	EXPECT_NEAR(dot.rect.bottom, 26., 1e-4);
	EXPECT_EQ(dot.style, kShapeFilledAndStroked);
	EXPECT_EQ(dot.frameColor, kGreyCColor);
	EXPECT_EQ(dot.fillColor, kWhiteCColor);
	EXPECT_DOUBLE_EQ(dot.width, 0.5);
	context->forget();
}

TEST_F(KnobTest, NarrowingTheRangePullsTheValueIn)
{
	knob->setValue(0.2f);
	knob->setMin(0.5f);
	EXPECT_EQ(knob->getValue(), 0.5f);
	knob->setValue(0.9f);
	knob->setMax(0.6f);
	EXPECT_EQ(knob->getValue(), 0.6f);
	EXPECT_TRUE(knob->isDirty());
}

TEST_F(KnobTest, CopyKeepsItsOwnReferenceToTheHandle)
{
	auto* handle = new CBitmap(8, 8);
	knob->setHandleBitmap(handle);
	auto* copy = static_cast<CKnob*>(knob->newCopy());
	EXPECT_EQ(copy->getHandleBitmap(), handle);
	EXPECT_EQ(handle->getNbReference(), 3);
	EXPECT_TRUE(copy->isTypeOf("CKnob"));
	EXPECT_TRUE(copy->wantsFocus());
	copy->forget();
	EXPECT_EQ(handle->getNbReference(), 2);
	handle->forget();
}

} // namespace
