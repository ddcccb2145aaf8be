// Reading pixels back through the toolkit's own pixel access.
#pragma once

#include "gui/base/ccolor.h"
#include "gui/drawing/cbitmap.h"

namespace VSTGUI::test
{

// Straight-alpha colour of pixel (x, y) of a bitmap (or of an offscreen
// context's bitmap); transparent black outside it.
CColor pixelAt(CBitmap* bitmap, int x, int y);

} // namespace VSTGUI::test
