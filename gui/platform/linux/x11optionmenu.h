// The option menu's native pop-up on X11: override-redirect windows drawn
// with cairo and Pango, run modally by pumping the module's run loop.
#pragma once

#include "gui/controls/iplatformoptionmenu.h"
#include "gui/platform/linux/x11frame.h"

namespace VSTGUI {

class X11OptionMenu : public IPlatformOptionMenu
{
public:
	explicit X11OptionMenu(X11Frame* frame);
	~X11OptionMenu() override;

	OptionMenuChoice popup(COptionMenu* menu) override;

private:
	X11Frame* frame;
};

} // namespace VSTGUI
