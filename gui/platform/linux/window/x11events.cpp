#include "gui/platform/linux/window/x11events.h"

#include <array>
#include <cstdlib>

namespace VSTGUI::X11Events
{

namespace
{

struct BitMapping
{
	uint16_t x11;
	int32 toolkit;
};

constexpr std::array<BitMapping, 4> kModifierTable{{
    {XCB_MOD_MASK_SHIFT, kModifierShift},
    {XCB_MOD_MASK_CONTROL, kModifierControl},
    {XCB_MOD_MASK_1, kModifierAlt},
    {XCB_MOD_MASK_4, kModifierCommand},
}};
static_assert(kModifierTable.size() == 4, "Shift, Control, Alt and Super");

constexpr std::array<BitMapping, 3> kHeldButtonTable{{
    {XCB_BUTTON_MASK_1, kButtonLeft},
    {XCB_BUTTON_MASK_2, kButtonMiddle},
    {XCB_BUTTON_MASK_3, kButtonRight},
}};
static_assert(kHeldButtonTable.size() == 3, "the core state knows buttons 1 to 3");

// Indexed by the X button number.
constexpr std::array<int32, 10> kButtonTable{0, kButtonLeft, kButtonMiddle, kButtonRight, 0, 0,
                                             0, 0,           kButtonFourth, kButtonFifth};
static_assert(kButtonTable.size() == 10, "X buttons 0 to 9");

int32 collect(uint16_t state, const auto& table)
{
	int32 bits = 0;
	for (const BitMapping& entry : table)
	{
		if (state & entry.x11)
			bits |= entry.toolkit;
	}
	return bits;
}

} // namespace

int32 modifiersFromState(uint16_t state)
{
	return collect(state, kModifierTable);
}

int32 buttonsFromState(uint16_t state)
{
	return collect(state, kHeldButtonTable);
}

int32 buttonFromDetail(uint8_t detail)
{
	return detail < kButtonTable.size() ? kButtonTable[detail] : 0;
}

std::optional<Wheel> wheelFromDetail(uint8_t detail)
{
	switch (detail)
	{
		case kButtonWheelUp: return Wheel{kWheelAxisVertical, 1.f};
		case kButtonWheelDown: return Wheel{kWheelAxisVertical, -1.f};
		case kButtonWheelLeft: return Wheel{kWheelAxisHorizontal, 1.f};
		case kButtonWheelRight: return Wheel{kWheelAxisHorizontal, -1.f};
		default: return std::nullopt;
	}
}

CButtonState buttonStateOfPress(const xcb_button_press_event_t& event)
{
	return CButtonState(buttonFromDetail(event.detail) | modifiersFromState(event.state));
}

CButtonState buttonStateOfRelease(const xcb_button_release_event_t& event)
{
	return CButtonState(buttonFromDetail(event.detail) | modifiersFromState(event.state));
}

CButtonState buttonStateOfMotion(const xcb_motion_notify_event_t& event)
{
	return CButtonState(buttonsFromState(event.state) | modifiersFromState(event.state));
}

CButtonState buttonStateOfCrossing(const xcb_enter_notify_event_t& event)
{
	return CButtonState(modifiersFromState(event.state));
}

bool isActivationChange(const xcb_focus_in_event_t& event)
{
	switch (event.detail)
	{
		case XCB_NOTIFY_DETAIL_INFERIOR:
		case XCB_NOTIFY_DETAIL_POINTER:
		case XCB_NOTIFY_DETAIL_POINTER_ROOT:
		case XCB_NOTIFY_DETAIL_NONE: return false;
		default: return true;
	}
}

bool DoubleClickDetector::press(uint8_t button, uint32_t timeMs, int x, int y)
{
	// Unsigned subtraction keeps the interval right across the wrap.
	bool isDouble = last && last->button == button && timeMs - last->timeMs <= kIntervalMs &&
	                std::abs(x - last->x) <= kDistance && std::abs(y - last->y) <= kDistance;
	last = Press{button, timeMs, x, y};
	return isDouble;
}

} // namespace VSTGUI::X11Events
