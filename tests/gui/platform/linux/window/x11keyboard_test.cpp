// Key translation from hand-made keysym records: no server involved.
#include "gui/platform/linux/window/x11keyboard.h"
#include "tests/support/vstkeys.h"

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

using namespace VSTGUI;
using namespace VSTGUI::X11Keyboard;
using VSTGUI::test::expectKey;

namespace
{

VstKeyCode translate(xkb_keysym_t keysym, xkb_keysym_t unshifted, uint16_t state = 0)
{
	return translateKey(KeyInput{keysym, unshifted, state});
}

} // namespace

TEST(X11KeyTranslation, ShiftAGivesLowerCaseAWithShift)
{
	expectKey(translate(XKB_KEY_A, XKB_KEY_a, XCB_MOD_MASK_SHIFT), 97, 0, MODIFIER_SHIFT);
}

TEST(X11KeyTranslation, CapsLockedLetterIsStillLowerCase)
{
	expectKey(translate(XKB_KEY_Q, XKB_KEY_q, XCB_MOD_MASK_LOCK), 'q', 0, 0);
}

TEST(X11KeyTranslation, ControlLetterIsTheLetterNotAControlCharacter)
{
	expectKey(translate(XKB_KEY_a, XKB_KEY_a, XCB_MOD_MASK_CONTROL), 'a', 0, MODIFIER_CONTROL);
}

TEST(X11KeyTranslation, ShiftedDigitGivesTheDigitOfTheKey)
{
	expectKey(translate(XKB_KEY_exclam, XKB_KEY_1, XCB_MOD_MASK_SHIFT), '1', 0, MODIFIER_SHIFT);
}

TEST(X11KeyTranslation, KeypadKeysAreVirtualInBothNumLockForms)
{
	expectKey(translate(XKB_KEY_KP_5, XKB_KEY_KP_Begin, XCB_MOD_MASK_2), 0, VKEY_NUMPAD5, 0);
	expectKey(translate(XKB_KEY_KP_Begin, XKB_KEY_KP_Begin), 0, VKEY_NUMPAD5, 0);
	expectKey(translate(XKB_KEY_KP_0, XKB_KEY_KP_Insert), 0, VKEY_NUMPAD0, 0);
	expectKey(translate(XKB_KEY_KP_Insert, XKB_KEY_KP_Insert), 0, VKEY_NUMPAD0, 0);
	expectKey(translate(XKB_KEY_KP_9, XKB_KEY_KP_Prior), 0, VKEY_NUMPAD9, 0);
	expectKey(translate(XKB_KEY_KP_Decimal, XKB_KEY_KP_Delete), 0, VKEY_DECIMAL, 0);
	expectKey(translate(XKB_KEY_KP_Enter, XKB_KEY_KP_Enter), 0, VKEY_ENTER, 0);
	expectKey(translate(XKB_KEY_KP_Multiply, XKB_KEY_KP_Multiply), 0, VKEY_MULTIPLY, 0);
	expectKey(translate(XKB_KEY_KP_Add, XKB_KEY_KP_Add), 0, VKEY_ADD, 0);
	expectKey(translate(XKB_KEY_KP_Subtract, XKB_KEY_KP_Subtract), 0, VKEY_SUBTRACT, 0);
	expectKey(translate(XKB_KEY_KP_Divide, XKB_KEY_KP_Divide), 0, VKEY_DIVIDE, 0);
}

TEST(X11KeyTranslation, NamedKeysAreVirtualWithoutCharacter)
{
	struct Case
	{
		xkb_keysym_t keysym;
		unsigned char virt;
	};
	const Case cases[] = {
	    {XKB_KEY_BackSpace, VKEY_BACK}, {XKB_KEY_Tab, VKEY_TAB},       {XKB_KEY_ISO_Left_Tab, VKEY_TAB},
	    {XKB_KEY_Return, VKEY_RETURN},  {XKB_KEY_Escape, VKEY_ESCAPE}, {XKB_KEY_space, VKEY_SPACE},
	    {XKB_KEY_Up, VKEY_UP},          {XKB_KEY_Down, VKEY_DOWN},     {XKB_KEY_Left, VKEY_LEFT},
	    {XKB_KEY_Right, VKEY_RIGHT},    {XKB_KEY_F1, VKEY_F1},         {XKB_KEY_F7, VKEY_F7},
	    {XKB_KEY_F12, VKEY_F12},        {XKB_KEY_Insert, VKEY_INSERT}, {XKB_KEY_Delete, VKEY_DELETE},
	    {XKB_KEY_Home, VKEY_HOME},      {XKB_KEY_End, VKEY_END},       {XKB_KEY_Prior, VKEY_PAGEUP},
	    {XKB_KEY_Next, VKEY_PAGEDOWN},  {XKB_KEY_Pause, VKEY_PAUSE},   {XKB_KEY_Print, VKEY_PRINT},
	    {XKB_KEY_Clear, VKEY_CLEAR},    {XKB_KEY_Select, VKEY_SELECT}, {XKB_KEY_Help, VKEY_HELP}};
	for (const Case& c : cases)
		expectKey(translate(c.keysym, c.keysym), 0, c.virt, 0);
	EXPECT_EQ(virtualKeyOf(XKB_KEY_F13), 0);
}

TEST(X11KeyTranslation, ControlPauseIsPauseAndAltPrintIsPrint)
{
	// PC keymaps give these keys other keysyms with those modifiers.
	expectKey(translate(XKB_KEY_Break, XKB_KEY_Pause, XCB_MOD_MASK_CONTROL), 0, VKEY_PAUSE, MODIFIER_CONTROL);
	expectKey(translate(XKB_KEY_Sys_Req, XKB_KEY_Print, XCB_MOD_MASK_1), 0, VKEY_PRINT, MODIFIER_ALTERNATE);
}

TEST(X11KeyTranslation, ModifierAndLockKeysAreModifierKeys)
{
	for (xkb_keysym_t keysym :
	     {XKB_KEY_Shift_L, XKB_KEY_Shift_R, XKB_KEY_Control_L, XKB_KEY_Control_R, XKB_KEY_Alt_L, XKB_KEY_Alt_R,
	      XKB_KEY_Meta_L, XKB_KEY_Meta_R, XKB_KEY_Super_L, XKB_KEY_Super_R, XKB_KEY_Hyper_L, XKB_KEY_Hyper_R,
	      XKB_KEY_Caps_Lock, XKB_KEY_Shift_Lock, XKB_KEY_Num_Lock, XKB_KEY_ISO_Level3_Shift, XKB_KEY_ISO_Level5_Shift,
	      XKB_KEY_ISO_Next_Group, XKB_KEY_Mode_switch})
		EXPECT_TRUE(isModifierKey(keysym)) << keysym;
	for (xkb_keysym_t keysym : {XKB_KEY_a, XKB_KEY_space, XKB_KEY_Pause, XKB_KEY_Break, XKB_KEY_Scroll_Lock, XKB_KEY_F1,
	                            XKB_KEY_dead_acute, XKB_KEY_NoSymbol})
		EXPECT_FALSE(isModifierKey(keysym)) << keysym;
}

TEST(X11KeyTranslation, ShiftTabIsTabWithShift)
{
	expectKey(translate(XKB_KEY_ISO_Left_Tab, XKB_KEY_Tab, XCB_MOD_MASK_SHIFT), 0, VKEY_TAB, MODIFIER_SHIFT);
}

TEST(X11KeyTranslation, ModifierBitsFollowTheEditorInterface)
{
	EXPECT_EQ(keyModifiersFromState(XCB_MOD_MASK_SHIFT), MODIFIER_SHIFT);
	EXPECT_EQ(keyModifiersFromState(XCB_MOD_MASK_1), MODIFIER_ALTERNATE);
	EXPECT_EQ(keyModifiersFromState(XCB_MOD_MASK_4), MODIFIER_COMMAND);
	EXPECT_EQ(keyModifiersFromState(XCB_MOD_MASK_CONTROL), MODIFIER_CONTROL);
	EXPECT_EQ(keyModifiersFromState(uint16_t(XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2) | XCB_BUTTON_MASK_1), 0);
}

TEST(X11KeyTranslation, DeadAndModifierKeysGiveNothing)
{
	expectKey(translate(XKB_KEY_dead_acute, XKB_KEY_dead_acute), 0, 0, 0);
	expectKey(translate(XKB_KEY_Shift_L, XKB_KEY_Shift_L, XCB_MOD_MASK_SHIFT), 0, 0, MODIFIER_SHIFT);
	expectKey(translate(XKB_KEY_NoSymbol, XKB_KEY_NoSymbol), 0, 0, 0);
}

TEST(X11KeyTranslation, NonAsciiCharactersAreLowerCaseCodePoints)
{
	expectKey(translate(XKB_KEY_Adiaeresis, XKB_KEY_Adiaeresis), 0xE4, 0, 0);
	expectKey(translate(XKB_KEY_multiply, XKB_KEY_multiply), 0xD7, 0, 0);
	expectKey(translate(XKB_KEY_EuroSign, XKB_KEY_EuroSign), 0x20AC, 0, 0);
}
