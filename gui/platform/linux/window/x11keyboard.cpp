#include "gui/platform/linux/window/x11keyboard.h"

#include <array>
#include <xkbcommon/xkbcommon-x11.h>

namespace VSTGUI::X11Keyboard
{

namespace
{

struct VirtualKey
{
	xkb_keysym_t keysym;
	uint8 virt;
};

constexpr std::array<VirtualKey, 62> kVirtualKeys{{
    {XKB_KEY_BackSpace, VKEY_BACK},
    {XKB_KEY_Tab, VKEY_TAB},
    {XKB_KEY_ISO_Left_Tab, VKEY_TAB},
    {XKB_KEY_Return, VKEY_RETURN},
    {XKB_KEY_Escape, VKEY_ESCAPE},
    {XKB_KEY_space, VKEY_SPACE},
    {XKB_KEY_Up, VKEY_UP},
    {XKB_KEY_Down, VKEY_DOWN},
    {XKB_KEY_Left, VKEY_LEFT},
    {XKB_KEY_Right, VKEY_RIGHT},
    {XKB_KEY_F1, VKEY_F1},
    {XKB_KEY_F2, VKEY_F2},
    {XKB_KEY_F3, VKEY_F3},
    {XKB_KEY_F4, VKEY_F4},
    {XKB_KEY_F5, VKEY_F5},
    {XKB_KEY_F6, VKEY_F6},
    {XKB_KEY_F7, VKEY_F7},
    {XKB_KEY_F8, VKEY_F8},
    {XKB_KEY_F9, VKEY_F9},
    {XKB_KEY_F10, VKEY_F10},
    {XKB_KEY_F11, VKEY_F11},
    {XKB_KEY_F12, VKEY_F12},
    {XKB_KEY_Insert, VKEY_INSERT},
    {XKB_KEY_Delete, VKEY_DELETE},
    {XKB_KEY_Home, VKEY_HOME},
    {XKB_KEY_End, VKEY_END},
    {XKB_KEY_Prior, VKEY_PAGEUP},
    {XKB_KEY_Next, VKEY_PAGEDOWN},
    {XKB_KEY_Pause, VKEY_PAUSE},
    // The same keys with Control and with Alt: the keymaps of PC keyboards
    // give them other keysyms.
    {XKB_KEY_Break, VKEY_PAUSE},
    {XKB_KEY_Print, VKEY_PRINT},
    {XKB_KEY_Sys_Req, VKEY_PRINT},
    {XKB_KEY_Clear, VKEY_CLEAR},
    {XKB_KEY_Select, VKEY_SELECT},
    {XKB_KEY_Help, VKEY_HELP},
    {XKB_KEY_KP_0, VKEY_NUMPAD0},
    {XKB_KEY_KP_1, VKEY_NUMPAD1},
    {XKB_KEY_KP_2, VKEY_NUMPAD2},
    {XKB_KEY_KP_3, VKEY_NUMPAD3},
    {XKB_KEY_KP_4, VKEY_NUMPAD4},
    {XKB_KEY_KP_5, VKEY_NUMPAD5},
    {XKB_KEY_KP_6, VKEY_NUMPAD6},
    {XKB_KEY_KP_7, VKEY_NUMPAD7},
    {XKB_KEY_KP_8, VKEY_NUMPAD8},
    {XKB_KEY_KP_9, VKEY_NUMPAD9},
    // The same keypad keys with NumLock off.
    {XKB_KEY_KP_Insert, VKEY_NUMPAD0},
    {XKB_KEY_KP_End, VKEY_NUMPAD1},
    {XKB_KEY_KP_Down, VKEY_NUMPAD2},
    {XKB_KEY_KP_Next, VKEY_NUMPAD3},
    {XKB_KEY_KP_Left, VKEY_NUMPAD4},
    {XKB_KEY_KP_Begin, VKEY_NUMPAD5},
    {XKB_KEY_KP_Right, VKEY_NUMPAD6},
    {XKB_KEY_KP_Home, VKEY_NUMPAD7},
    {XKB_KEY_KP_Up, VKEY_NUMPAD8},
    {XKB_KEY_KP_Prior, VKEY_NUMPAD9},
    {XKB_KEY_KP_Delete, VKEY_DECIMAL},
    {XKB_KEY_KP_Decimal, VKEY_DECIMAL},
    {XKB_KEY_KP_Multiply, VKEY_MULTIPLY},
    {XKB_KEY_KP_Add, VKEY_ADD},
    {XKB_KEY_KP_Subtract, VKEY_SUBTRACT},
    {XKB_KEY_KP_Divide, VKEY_DIVIDE},
    {XKB_KEY_KP_Enter, VKEY_ENTER},
}};
static_assert(kVirtualKeys.size() == 62, "35 named keys, 20 keypad digits, 7 keypad operators");

struct KeysymRange
{
	xkb_keysym_t first;
	xkb_keysym_t last;
};

// Xlib's IsModifierKey set: what the X world calls a modifier key.
constexpr std::array<KeysymRange, 4> kModifierKeys{{
    {XKB_KEY_Shift_L, XKB_KEY_Hyper_R},
    {XKB_KEY_ISO_Lock, XKB_KEY_ISO_Level5_Lock},
    {XKB_KEY_Mode_switch, XKB_KEY_Mode_switch},
    {XKB_KEY_Num_Lock, XKB_KEY_Num_Lock},
}};
static_assert(kModifierKeys.size() == 4, "modifiers and locks, ISO shifts, Mode_switch, Num_Lock");

struct ModifierBit
{
	uint16_t x11;
	uint8 key;
};

constexpr std::array<ModifierBit, 4> kKeyModifiers{{
    {XCB_MOD_MASK_SHIFT, MODIFIER_SHIFT},
    {XCB_MOD_MASK_1, MODIFIER_ALTERNATE},
    {XCB_MOD_MASK_4, MODIFIER_COMMAND},
    {XCB_MOD_MASK_CONTROL, MODIFIER_CONTROL},
}};
static_assert(kKeyModifiers.size() == 4, "Shift, Alt, Super and Control");

// Lower case for ASCII and Latin-1; other scripts' first shift level is
// already the lower-case form on every layout xkeyboard-config ships.
char32_t toLower(char32_t c)
{
	bool upperAscii = c >= U'A' && c <= U'Z';
	bool upperLatin1 = c >= 0xC0 && c <= 0xDE && c != 0xD7;
	return upperAscii || upperLatin1 ? c + 32 : c;
}

bool isControlCharacter(char32_t c)
{
	return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

} // namespace

uint8 virtualKeyOf(xkb_keysym_t keysym)
{
	for (const VirtualKey& entry : kVirtualKeys)
	{
		if (entry.keysym == keysym)
			return entry.virt;
	}
	return 0;
}

bool isModifierKey(xkb_keysym_t keysym)
{
	for (const KeysymRange& range : kModifierKeys)
	{
		if (keysym >= range.first && keysym <= range.last)
			return true;
	}
	return false;
}

uint8 keyModifiersFromState(uint16_t state)
{
	uint8 bits = 0;
	for (const ModifierBit& entry : kKeyModifiers)
	{
		if (state & entry.x11)
			bits |= entry.key;
	}
	return bits;
}

VstKeyCode translateKey(const KeyInput& key)
{
	VstKeyCode code{0, virtualKeyOf(key.keysym), keyModifiersFromState(key.state)};
	if (code.virt != 0)
		return code;
	char32_t c = xkb_keysym_to_utf32(key.unshiftedKeysym);
	if (!isControlCharacter(c))
		code.character = static_cast<VstInt32>(toLower(c));
	return code;
}

Keymap::~Keymap()
{
	invalidate();
}

void Keymap::invalidate()
{
	xkb_state_unref(xkbState);
	xkb_keymap_unref(keymap);
	xkb_context_unref(context);
	xkbState = nullptr;
	keymap = nullptr;
	context = nullptr;
}

bool Keymap::load()
{
	if (xkbState)
		return true;
	if (unavailable)
		return false;
	if (!xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
	                                 XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr))
	{
		unavailable = true;
		return false;
	}
	int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
	context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
	if (context && device >= 0)
		keymap = xkb_x11_keymap_new_from_device(context, connection, device, XKB_KEYMAP_COMPILE_NO_FLAGS);
	if (keymap)
		xkbState = xkb_state_new(keymap);
	if (xkbState == nullptr)
		invalidate();
	return xkbState != nullptr;
}

std::optional<KeyInput> Keymap::lookUp(xcb_keycode_t keycode, uint16_t state)
{
	if (!load())
		return std::nullopt;
	// The event's own state, not a tracked one: the server has already
	// applied latches, locks and the group (bits 13 and 14) to it.
	xkb_layout_index_t group = (state >> 13) & 3;
	xkb_state_update_mask(xkbState, state & 0xFF, 0, 0, 0, 0, group);
	KeyInput input{xkb_state_key_get_one_sym(xkbState, keycode), XKB_KEY_NoSymbol, state};
	const xkb_keysym_t* syms = nullptr;
	xkb_layout_index_t layout = xkb_state_key_get_layout(xkbState, keycode);
	if (layout != XKB_LAYOUT_INVALID && xkb_keymap_key_get_syms_by_level(keymap, keycode, layout, 0, &syms) == 1)
		input.unshiftedKeysym = syms[0];
	return input;
}

} // namespace VSTGUI::X11Keyboard
