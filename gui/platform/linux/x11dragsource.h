// Starting a drag on X11: the frame's window becomes an XDND source.
#pragma once

#include "gui/platform/linux/x11frame.h"

namespace VSTGUI {

class CBitmap;
class CDropSource;

namespace X11DragSource {

// Runs the drag modally until it ends: -1 when it cannot start, 0 when nothing
// took the data, 1 when the target moved it, 2 for any other operation.
int32 run(X11Frame* frame, CDropSource* source, const CPoint& offset, CBitmap* image);

} // namespace X11DragSource
} // namespace VSTGUI
