// Translation of hand-made X core events: no server involved.
#include "gui/platform/linux/window/x11cursor.h"
#include "gui/platform/linux/window/x11events.h"

#include <gtest/gtest.h>
#include <string>

using namespace VSTGUI;
using namespace VSTGUI::X11Events;

namespace
{

xcb_button_press_event_t press(uint8_t button, uint16_t state = 0)
{
	xcb_button_press_event_t event{};
	event.response_type = XCB_BUTTON_PRESS;
	event.detail = button;
	event.state = state;
	return event;
}

} // namespace

TEST(X11ButtonTranslation, PressCarriesTheToolkitBitOfItsButton)
{
	EXPECT_EQ(buttonStateOfPress(press(1))(), kButtonLeft);
	EXPECT_EQ(buttonStateOfPress(press(2))(), kButtonMiddle);
	EXPECT_EQ(buttonStateOfPress(press(3))(), kButtonRight);
	EXPECT_EQ(buttonStateOfPress(press(8))(), kButtonFourth);
	EXPECT_EQ(buttonStateOfPress(press(9))(), kButtonFifth);
	EXPECT_EQ(buttonStateOfPress(press(10))(), 0);
	EXPECT_EQ(buttonStateOfPress(press(255))(), 0);
}

TEST(X11ButtonTranslation, PressIgnoresButtonsAlreadyHeldInItsState)
{
	// The state field describes the moment before the press.
	EXPECT_EQ(buttonStateOfPress(press(3, XCB_BUTTON_MASK_1))(), kButtonRight);
}

TEST(X11ButtonTranslation, ReleaseCarriesTheReleasedButton)
{
	xcb_button_release_event_t event{};
	event.detail = 2;
	event.state = uint16_t(XCB_BUTTON_MASK_2) | XCB_MOD_MASK_SHIFT;
	EXPECT_EQ(buttonStateOfRelease(event)(), kButtonMiddle | kModifierShift);
}

TEST(X11ButtonTranslation, MotionCarriesTheHeldButtons)
{
	xcb_motion_notify_event_t event{};
	event.state = uint16_t(XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_3) | XCB_MOD_MASK_CONTROL;
	EXPECT_EQ(buttonStateOfMotion(event)(), kButtonLeft | kButtonRight | kModifierControl);
	event.state = 0;
	EXPECT_EQ(buttonStateOfMotion(event)(), 0);
}

TEST(X11ButtonTranslation, CrossingCarriesModifiersButNoButtons)
{
	xcb_enter_notify_event_t event{};
	event.state = uint16_t(XCB_BUTTON_MASK_1) | XCB_MOD_MASK_1;
	EXPECT_EQ(buttonStateOfCrossing(event)(), kModifierAlt);
}

TEST(X11ModifierTranslation, EachModifierComesFromTheEventState)
{
	EXPECT_EQ(modifiersFromState(XCB_MOD_MASK_SHIFT), kModifierShift);
	EXPECT_EQ(modifiersFromState(XCB_MOD_MASK_CONTROL), kModifierControl);
	EXPECT_EQ(modifiersFromState(XCB_MOD_MASK_1), kModifierAlt);
	EXPECT_EQ(modifiersFromState(XCB_MOD_MASK_4), kModifierCommand);
	EXPECT_EQ(modifiersFromState(0xFFFF), kAllModifiersMask);
}

TEST(X11ModifierTranslation, LocksAndOtherModifiersAreNotToolkitModifiers)
{
	EXPECT_EQ(modifiersFromState(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2 | XCB_MOD_MASK_3 | XCB_MOD_MASK_5), 0);
}

TEST(X11ModifierTranslation, ControlClickStaysALeftClickWithControl)
{
	EXPECT_EQ(buttonStateOfPress(press(1, XCB_MOD_MASK_CONTROL))(), kButtonLeft | kModifierControl);
}

TEST(X11WheelTranslation, ButtonsFourToSevenAreOneNotchEach)
{
	EXPECT_EQ(wheelFromDetail(4), (Wheel{kWheelAxisVertical, 1.f}));
	EXPECT_EQ(wheelFromDetail(5), (Wheel{kWheelAxisVertical, -1.f}));
	EXPECT_EQ(wheelFromDetail(6), (Wheel{kWheelAxisHorizontal, 1.f}));
	EXPECT_EQ(wheelFromDetail(7), (Wheel{kWheelAxisHorizontal, -1.f}));
}

TEST(X11WheelTranslation, OtherButtonsAreNoWheel)
{
	for (uint8_t button : {0, 1, 2, 3, 8, 9, 10})
		EXPECT_FALSE(wheelFromDetail(button).has_value()) << int(button);
	for (uint8_t button : {4, 5, 6, 7})
		EXPECT_EQ(buttonFromDetail(button), 0) << int(button);
}

TEST(X11FocusTranslation, OnlyFocusChangesOfOurOwnWindowActivate)
{
	xcb_focus_in_event_t event{};
	for (uint8_t detail : {XCB_NOTIFY_DETAIL_ANCESTOR, XCB_NOTIFY_DETAIL_VIRTUAL, XCB_NOTIFY_DETAIL_NONLINEAR,
	                       XCB_NOTIFY_DETAIL_NONLINEAR_VIRTUAL})
	{
		event.detail = detail;
		EXPECT_TRUE(isActivationChange(event)) << int(detail);
	}
	for (uint8_t detail : {XCB_NOTIFY_DETAIL_INFERIOR, XCB_NOTIFY_DETAIL_POINTER, XCB_NOTIFY_DETAIL_POINTER_ROOT,
	                       XCB_NOTIFY_DETAIL_NONE})
	{
		event.detail = detail;
		EXPECT_FALSE(isActivationChange(event)) << int(detail);
	}
}

TEST(X11DoubleClick, SecondPressOfTheSameButtonSoonAndNearIsADoubleClick)
{
	DoubleClickDetector detector;
	EXPECT_FALSE(detector.press(1, 1000, 10, 10));
	EXPECT_TRUE(detector.press(1, 1000 + DoubleClickDetector::kIntervalMs, 10 + DoubleClickDetector::kDistance,
	                           10 - DoubleClickDetector::kDistance));
}

TEST(X11DoubleClick, OtherButtonLateOrFarPressesAreSingleClicks)
{
	DoubleClickDetector detector;
	detector.press(1, 1000, 10, 10);
	EXPECT_FALSE(detector.press(3, 1100, 10, 10));
	EXPECT_FALSE(detector.press(1, 1200, 10, 10)) << "the button changed in between";
	EXPECT_FALSE(detector.press(1, 1201 + DoubleClickDetector::kIntervalMs, 10, 10));
	EXPECT_FALSE(
	    detector.press(1, 1700 + DoubleClickDetector::kIntervalMs, 10 + DoubleClickDetector::kDistance + 1, 10));
}

TEST(X11DoubleClick, ServerTimeWrappingBetweenPressesStillCounts)
{
	DoubleClickDetector detector;
	detector.press(1, 0xFFFFFF00u, 0, 0);
	EXPECT_TRUE(detector.press(1, 0x10u, 0, 0));
}

TEST(X11DoubleClick, ResetForgetsThePreviousPress)
{
	DoubleClickDetector detector;
	detector.press(1, 100, 0, 0);
	detector.reset();
	EXPECT_FALSE(detector.press(1, 110, 0, 0));
}

TEST(X11CursorNames, EveryTypeHasNamesAndUnknownTypesShowTheArrow)
{
	for (int32 type = kCursorDefault; type <= kCursorHand; ++type)
		EXPECT_FALSE(X11Cursor::namesFor(static_cast<CCursorType>(type)).empty()) << type;
	EXPECT_EQ(std::string(X11Cursor::namesFor(kCursorDefault)[0]), "left_ptr");
	EXPECT_EQ(std::string(X11Cursor::namesFor(kCursorWait)[0]), "left_ptr");
	EXPECT_EQ(std::string(X11Cursor::namesFor(kCursorHSize)[0]), "sb_h_double_arrow");
	EXPECT_EQ(std::string(X11Cursor::namesFor(kCursorVSize)[0]), "sb_v_double_arrow");
	for (CCursorType type : {kCursorSizeAll, kCursorNESWSize, kCursorNWSESize})
		EXPECT_EQ(std::string(X11Cursor::namesFor(type)[0]), "crosshair");
	EXPECT_EQ(std::string(X11Cursor::namesFor(kCursorCopy)[0]), "copy");
	EXPECT_EQ(std::string(X11Cursor::namesFor(kCursorNotAllowed)[0]), "not-allowed");
	EXPECT_EQ(std::string(X11Cursor::namesFor(kCursorHand)[0]), "hand1");
	EXPECT_EQ(std::string(X11Cursor::namesFor(static_cast<CCursorType>(10))[0]), "left_ptr");
	EXPECT_EQ(std::string(X11Cursor::namesFor(static_cast<CCursorType>(-3))[0]), "left_ptr");
}
