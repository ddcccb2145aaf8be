// Starting a drag on X11: the frame's window becomes an XDND source
// (version 5).
//
// The drag runs modally inside the view's mouse call that started it, by
// pumping the module's run loop (x11runloop.h) until it ends: the frame's
// window owns XdndSelection and grabs pointer and keyboard; the window under
// the pointer that is XdndAware is told of the drag (XdndEnter, one
// XdndPosition at a time, each answered by an XdndStatus before the next),
// the data is served to it as the selection, and a release over a target
// that accepts drops it there. Escape or a release anywhere else cancels.
// The window under the pointer that counts is the deepest XdndAware one; a
// window that names a valid XdndProxy counts when the proxy is aware, and
// the messages then go to the proxy while naming the window.
// The grabs, the selection and the type list go on every path out, also
// when the frame's window is closed during the drag.
//
// Threads: user-interface thread only.
#pragma once

#include "gui/platform/linux/window/x11frame.h"

namespace VSTGUI
{

class CBitmap;
class CDropSource;

namespace X11DragSource
{

// Runs the drag modally until it ends: -1 when the source can never be
// dragged (null, no entries, an error entry first; checked before anything
// else), 0 when nothing happens (not called while a left press or a drag with
// the left button is being delivered, no entry carries its terminating NUL,
// no grab, another drag running) or nothing took the data, 1 when the target
// moved it, 2 for any other operation. The frame
// must be kept alive by the caller for the length of the call. With an image
// (may be null) its pixels follow the pointer, the image's top-left corner
// at the pointer plus offset (x11dragimage.h).
int32 run(X11Frame* frame, CDropSource* source, const CPoint& offset, CBitmap* image);

} // namespace X11DragSource
} // namespace VSTGUI
