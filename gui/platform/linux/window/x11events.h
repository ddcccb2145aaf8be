// Pure translation of X11 core input events into the toolkit's values:
// button and modifier bits, wheel axis and distance, double clicks, and which
// focus changes count as activation. Nothing here talks to the X server, so
// every rule can be checked with hand-made event records.
//
// Threads: any; the double-click detector is an object owned by one frame.
#pragma once

#include "gui/base/cbuttonstate.h"

#include <cstdint>
#include <optional>
#include <xcb/xcb.h>

namespace VSTGUI::X11Events
{

// X core button numbers.
inline constexpr uint8_t kButtonWheelUp = 4;
inline constexpr uint8_t kButtonWheelDown = 5;
inline constexpr uint8_t kButtonWheelLeft = 6;
inline constexpr uint8_t kButtonWheelRight = 7;

// Modifier bits (kModifierShift, ...) from an event's state field. Mod1 is
// Alt and Mod4 is Super on every keymap a desktop ships; Lock and NumLock are
// not modifiers for the toolkit.
int32 modifiersFromState(uint16_t state);
// Button bits of the buttons held according to a state field (buttons 1-3;
// the core protocol has no state bits for buttons 8 and 9).
int32 buttonsFromState(uint16_t state);
// The toolkit bit of one X button number; 0 for the wheel and unknown buttons.
int32 buttonFromDetail(uint8_t detail);

struct Wheel
{
	CMouseWheelAxis axis;
	float distance;
	bool operator==(const Wheel&) const = default;
};
// Buttons 4-7 are wheel notches: one notch is a distance of 1.
std::optional<Wheel> wheelFromDetail(uint8_t detail);

// The button state of a press, release or motion: the button of the event
// (press and release) or the held buttons (motion), and the modifiers, all
// taken from the event itself.
CButtonState buttonStateOfPress(const xcb_button_press_event_t& event);
CButtonState buttonStateOfRelease(const xcb_button_release_event_t& event);
CButtonState buttonStateOfMotion(const xcb_motion_notify_event_t& event);
// Enter and leave carry modifiers only: the toolkit sees no buttons there.
CButtonState buttonStateOfCrossing(const xcb_enter_notify_event_t& event);

// FocusIn and FocusOut change the activation unless the focus only moved
// between our window and a window inside it, or the event speaks of the
// pointer window or the root instead of ours.
bool isActivationChange(const xcb_focus_in_event_t& event);

// A second press of the same button within kIntervalMs of the server's
// clock and kDistance pixels in each direction is a double click. Server
// times wrap at 2^32 ms.
class DoubleClickDetector
{
public:
	static constexpr uint32_t kIntervalMs = 400;
	static constexpr int kDistance = 4;

	// true when this press completes a double click.
	bool press(uint8_t button, uint32_t timeMs, int x, int y);
	void reset() { last.reset(); }

private:
	struct Press
	{
		uint8_t button;
		uint32_t timeMs;
		int x;
		int y;
	};
	std::optional<Press> last;
};

} // namespace VSTGUI::X11Events
