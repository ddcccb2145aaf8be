// The platform a GUI test program runs on. Suites that draw, measure text or
// open real windows link corvane_test_linux_platform, which installs the
// Linux platform before any test runs. Suites that record what the toolkit
// asks of its window install the Linux platform with the window layer
// replaced, from a static initializer of their own support file.
#pragma once

#include "gui/base/platformfactory.h"

namespace VSTGUI::test
{

using FrameFactory = IPlatformFrame* (*)(IPlatformFrameCallback* frame, const CRect& size, void* parent);
using TickSource = uint32 (*)();

// The Linux platform, but frames come from createFrame (null: no frame can
// be made) and ticks from getTicks; installed at once. Answers true, so that
// it can initialise a namespace-scope constant.
bool installLinuxPlatformWith(FrameFactory createFrame, TickSource getTicks);

} // namespace VSTGUI::test
