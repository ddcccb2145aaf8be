// Key codes as a host hands them to the editor.
#pragma once

#include "host/aeffectx.h"

namespace VSTGUI::test
{

inline VstKeyCode virtualKey(unsigned char virt, unsigned char modifier = 0)
{
	VstKeyCode code{};
	code.virt = virt;
	code.modifier = modifier;
	return code;
}

} // namespace VSTGUI::test
