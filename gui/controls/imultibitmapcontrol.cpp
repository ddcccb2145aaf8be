#include "gui/controls/imultibitmapcontrol.h"

#include "gui/views/cview.h"

namespace VSTGUI
{

void IMultiBitmapControl::autoComputeHeightOfOneImage()
{
	if (CView* view = dynamic_cast<CView*>(this))
		heightOfOneImage = view->getViewSize().getHeight();
}

} // namespace VSTGUI
