#include "gui/platform/linux/x11dragsource.h"

namespace VSTGUI::X11DragSource {

int32 run(X11Frame*, CDropSource*, const CPoint&, CBitmap*)
{
	return -1;
}

} // namespace VSTGUI::X11DragSource
