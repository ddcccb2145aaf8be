// Mouse buttons and modifier keys at the time of an event, the results of the
// mouse handlers, the wheel axis and the key record of the VST editor
// interface. Which native key sets which modifier bit is the platform
// layer's decision.
#pragma once

#include "gui/base/vstguitypes.h"
#include "host/aeffectx.h"

namespace VSTGUI
{

enum CButton : int32
{
	kButtonLeft = 1 << 1,
	kButtonMiddle = 1 << 2,
	kButtonRight = 1 << 3,
	kModifierShift = 1 << 4,
	// The primary shortcut modifier, counterpart of MODIFIER_CONTROL.
	kModifierControl = 1 << 5,
	kModifierAlt = 1 << 6,
	// The secondary modifier, counterpart of MODIFIER_COMMAND.
	kModifierCommand = 1 << 7,
	kButtonFourth = 1 << 8,
	kButtonFifth = 1 << 9,
	kButtonDoubleClick = 1 << 10,
	kWheelInverted = 1 << 11
};

inline constexpr int32 kAllButtonsMask = kButtonLeft | kButtonMiddle | kButtonRight | kButtonFourth | kButtonFifth;
inline constexpr int32 kAllModifiersMask = kModifierShift | kModifierControl | kModifierAlt | kModifierCommand;

class CButtonState
{
public:
	constexpr CButtonState(int32 state = 0) : state(state) {}

	int32 operator()() const { return state; }
	int32 getButtonState() const { return state & kAllButtonsMask; }
	int32 getModifierState() const { return state & kAllModifiersMask; }
	bool isLeftButton() const { return (state & kButtonLeft) != 0; }
	bool isRightButton() const { return (state & kButtonRight) != 0; }
	bool isDoubleClick() const { return (state & kButtonDoubleClick) != 0; }

	int32 operator&(int32 mask) const { return state & mask; }
	CButtonState& operator|=(int32 bits);
	CButtonState& operator&=(int32 mask);
	bool operator==(const CButtonState& other) const = default;

private:
	int32 state;
};

// Converts the modifier bits of a VstKeyCode (MODIFIER_*) to CButtonState
// modifier bits, and back.
int32 buttonStateFromKeyModifiers(uint8 keyModifiers);
uint8 keyModifiersFromButtonState(const CButtonState& buttons);

enum MouseEventResult
{
	// The view does not process this event (the default of every handler).
	kMouseNotImplemented = 0,
	// Handled; after a mouse-down the view wants the moved and up events.
	kMouseHandled = 1,
	kMouseNotHandled = 2,
	// The mouse-down was handled; no moved or up events are wanted.
	kMouseHandledNoFollowUp = 3
};

enum CMouseWheelAxis : int32
{
	kWheelAxisHorizontal = 0,
	kWheelAxisVertical = 1
};

} // namespace VSTGUI
