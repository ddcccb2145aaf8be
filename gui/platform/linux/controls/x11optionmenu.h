// The option menu's native pop-up on X11: one override-redirect window per
// open (sub)menu (x11menuwindow.h), run modally by pumping the module's run
// loop until the user chooses or dismisses.
//
// While it is open the pop-up grabs pointer and keyboard, so that clicks
// outside its windows reach it (and dismiss it); every pointer and key event
// on the frame's connection is its own until it closes. Pull-down menus open
// below the control, pop-up menus (kOptionPopupMode) over it with the current
// entry on the control; sub-menus open beside their entry on hover, Right or
// Return, and close on Left, Escape or hovering another entry of their
// parent. Escape closes the innermost sub-menu, at the root the whole menu.
//
// Re-entrancy: timers and other frames keep running during the loop. When
// the frame's window goes (the editor closed) or its connection fails, the
// pop-up ends with nothing chosen; it holds a reference to the frame (one
// that does not keep the window) and to every menu it shows, and touches
// only those.
//
// Ownership: made by X11Frame::createPlatformOptionMenu for one popup() call.
// User-interface thread only.
#pragma once

#include "gui/controls/iplatformoptionmenu.h"
#include "gui/platform/linux/controls/x11menuwindow.h"
#include "gui/platform/linux/window/x11frame.h"

#include <memory>
#include <vector>

namespace VSTGUI
{

class X11OptionMenu : public IPlatformOptionMenu, public IX11EventHandler
{
public:
	explicit X11OptionMenu(X11Frame* frame);
	~X11OptionMenu() override;

	// Null menu when dismissed, when the frame has no window, or when called
	// again while open.
	OptionMenuChoice popup(COptionMenu* menu) override;

	bool handleX11Event(const xcb_generic_event_t& event) override;

private:
	X11MenuWindow::Look lookFor(COptionMenu* menu) const;
	bool openRoot(COptionMenu* menu);
	void notePointerAtOpening();
	CRect controlRootRect(COptionMenu* menu) const;
	CRect screenRect() const;
	bool openSubmenu(size_t level, int32 index, bool highlightFirst);
	void closeLevelsAbove(size_t level);
	void grabInput();
	void releaseInput();
	void runModalLoop();
	void waitForInput() const;
	void finish(COptionMenu* menu, int32 index);
	void closeAll();

	// The innermost level whose window holds rootPoint, or -1.
	int findLevel(const CPoint& rootPoint) const;
	void onMotion(const CPoint& rootPoint);
	void onPress(const CPoint& rootPoint);
	void onRelease(const CPoint& rootPoint);
	void onKey(const xcb_key_press_event_t& event);
	void moveHighlight(int32 step);
	void enterHighlighted();
	bool onExpose(const xcb_expose_event_t& event);

	X11Frame* frame;
	X11Display& display;
	xcb_connection_t* connection;
	std::vector<std::unique_ptr<X11MenuWindow>> levels;
	int32 lookStyle{0};
	OptionMenuChoice choice;
	// popup() is under way / the user has chosen or dismissed.
	bool running{false};
	bool ended{false};
	bool pointerGrabbed{false};
	bool keyboardGrabbed{false};
	// A release may choose. Not while the press that opened the menu is
	// held and has not yet moved onto an entry: the release of a plain
	// click on the control must not choose what lies under the pointer.
	bool armed{false};
	CPoint openedAt;
};

} // namespace VSTGUI
