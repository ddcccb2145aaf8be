#include "gui/base/cbuttonstate.h"

namespace VSTGUI
{

namespace
{

struct ModifierPair
{
	uint8 key;
	int32 button;
};

constexpr ModifierPair kModifierPairs[] = {
    {MODIFIER_SHIFT, kModifierShift},
    {MODIFIER_ALTERNATE, kModifierAlt},
    {MODIFIER_COMMAND, kModifierCommand},
    {MODIFIER_CONTROL, kModifierControl},
};

} // namespace

CButtonState& CButtonState::operator|=(int32 bits)
{
	state |= bits;
	return *this;
}

CButtonState& CButtonState::operator&=(int32 mask)
{
	state &= mask;
	return *this;
}

int32 buttonStateFromKeyModifiers(uint8 keyModifiers)
{
	int32 result = 0;
	for (const auto& pair : kModifierPairs)
	{
		if (keyModifiers & pair.key)
			result |= pair.button;
	}
	return result;
}

uint8 keyModifiersFromButtonState(const CButtonState& buttons)
{
	uint8 result = 0;
	for (const auto& pair : kModifierPairs)
	{
		if (buttons & pair.button)
			result = static_cast<uint8>(result | pair.key);
	}
	return result;
}

} // namespace VSTGUI
