#include "gui/platform/linux/x11optionmenu.h"

namespace VSTGUI {

X11OptionMenu::X11OptionMenu(X11Frame* frame) : frame(frame)
{
	frame->remember();
}

X11OptionMenu::~X11OptionMenu()
{
	frame->forget();
}

OptionMenuChoice X11OptionMenu::popup(COptionMenu*)
{
	return {};
}

} // namespace VSTGUI
