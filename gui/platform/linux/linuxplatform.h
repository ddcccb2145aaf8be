// The Linux platform's factory table: X11 frames and run loop, cairo
// bitmaps, Pango fonts and strings (see gui/base/platformfactory.h).
//
// A program or module that shows the toolkit on Linux installs it once at
// start, before it makes the first toolkit object: the plug-in's entry
// point, our hosts and tools, and the tests that use the real platform.
// Threads: the user-interface thread.
#pragma once

#include "gui/base/platformfactory.h"

namespace VSTGUI
{

// Lives as long as the program; a test may copy it and replace slots.
const PlatformFactory& getLinuxPlatformFactory();
// Installs getLinuxPlatformFactory(); installing it again changes nothing.
void installLinuxPlatform();

} // namespace VSTGUI
