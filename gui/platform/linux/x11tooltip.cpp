#include "gui/platform/linux/x11tooltip.h"

namespace VSTGUI {

X11Tooltip::X11Tooltip(X11Frame* frame) : frame(frame)
{
}

void X11Tooltip::set(const CRect&, const char*)
{
}

void X11Tooltip::hide()
{
}

} // namespace VSTGUI
