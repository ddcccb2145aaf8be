// Key codes as a host hands them to the editor, and checking them.
#pragma once

#include "host/aeffectx.h"

#include <gtest/gtest.h>

namespace VSTGUI::test
{

inline VstKeyCode virtualKey(unsigned char virt, unsigned char modifier = 0)
{
	VstKeyCode code{};
	code.virt = virt;
	code.modifier = modifier;
	return code;
}

inline void expectKey(const VstKeyCode& code, VstInt32 character, unsigned char virt, unsigned char modifier)
{
	EXPECT_EQ(code.character, character);
	EXPECT_EQ(code.virt, virt);
	EXPECT_EQ(code.modifier, modifier);
}

} // namespace VSTGUI::test
