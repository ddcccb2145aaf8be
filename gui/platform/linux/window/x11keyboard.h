// Keys: X key events to the VstKeyCode of the editor interface.
//
// translateKey is pure: it takes the two keysyms xkbcommon found for a key
// and the event's own modifier state. X11Keyboard finds those keysyms with
// the server's current keymap, which it loads on first use and drops again on
// MappingNotify (a keymap must never outlive a mapping change).
//
// Threads: user-interface thread only.
#pragma once

#include "gui/base/cbuttonstate.h"

#include <cstdint>
#include <optional>
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon.h>

namespace VSTGUI::X11Keyboard
{

struct KeyInput
{
	// The keysym under the event's modifiers (NumLock decides between KP_5
	// and KP_Begin, Shift between a and A).
	xkb_keysym_t keysym;
	// The keysym of the key's first shift level: the character a key stands
	// for whatever modifiers are held.
	xkb_keysym_t unshiftedKeysym;
	// The state field of the X event.
	uint16_t state;
};

// virt from the keysym table (keypad keys in either NumLock form included)
// with character 0; otherwise character is the lower-case code point of the
// unshifted symbol, 0 for dead keys, modifier keys and control characters.
VstKeyCode translateKey(const KeyInput& key);
// MODIFIER_* bits from an X state field.
uint8 keyModifiersFromState(uint16_t state);
// The virtual key of a keysym, 0 for none.
uint8 virtualKeyOf(xkb_keysym_t keysym);
// True for keys that only change the modifier state (Shift, Control, Alt,
// Meta, Super, Hyper, the locks, the level and group shifts): pressed alone
// they give views no key event, since views learn of modifiers from the state
// of the events they do get.
bool isModifierKey(xkb_keysym_t keysym);

// The server's keymap for one connection.
class Keymap
{
public:
	explicit Keymap(xcb_connection_t* connection) : connection(connection) {}
	~Keymap();
	Keymap(const Keymap&) = delete;
	Keymap& operator=(const Keymap&) = delete;

	// Both keysyms of a key event; nothing when the server has no XKB or the
	// keymap cannot be read.
	std::optional<KeyInput> lookUp(xcb_keycode_t keycode, uint16_t state);
	// Forget the keymap; the next lookUp reads it again.
	void invalidate();

private:
	bool load();

	xcb_connection_t* connection;
	xkb_context* context{nullptr};
	xkb_keymap* keymap{nullptr};
	xkb_state* xkbState{nullptr};
	bool unavailable{false};
};

} // namespace VSTGUI::X11Keyboard
