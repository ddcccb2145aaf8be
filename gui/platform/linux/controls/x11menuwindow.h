// One open (sub)menu of the pop-up on X11: an override-redirect window on
// the frame's display, child of the root window, drawn with cairo and
// Pango into a back buffer that is copied to the window on every change and
// Expose.
//
// Ownership: the window remembers its option menu and, through its layout,
// the entries' icons and sub-menus, for its whole life; it uses the frame's
// display, which the pop-up that makes it keeps (it holds the frame). The destructor
// destroys the X window while the connection still works. User-interface
// thread only.
#pragma once

#include "gui/platform/linux/controls/x11menulayout.h"
#include "gui/platform/linux/window/x11display.h"

#include <cairo.h>
#include <memory>
#include <xcb/xcb.h>

namespace VSTGUI
{

class CFontDesc;
class COptionMenu;

class X11MenuWindow
{
public:
	struct Look
	{
		bool toggleCheck{false};
		bool markCurrent{false};
		double minWidth{0.};
	};

	// Lays menu out for screen (root coordinates); no window yet. The layout
	// is in the frame's units (minWidth too) and the window in device pixels,
	// scale per unit, as the frame that opens the menu draws.
	X11MenuWindow(X11Display& display, COptionMenu* menu, const Look& look, const CRect& screen, double scale = 1.);
	~X11MenuWindow();
	X11MenuWindow(const X11MenuWindow&) = delete;
	X11MenuWindow& operator=(const X11MenuWindow&) = delete;

	// Creates and maps the window at rootRect (its size is getSize());
	// false when the server refused.
	bool open(const CRect& rootRect);
	// The window's size in device pixels: the layout's, scaled.
	CPoint getSize() const;
	// An entry's row in device pixels from the window's top-left corner.
	CRect entryRect(int32 index) const;

	COptionMenu* getMenu() const { return menu; }
	const X11MenuLayout& getLayout() const { return *layout; }
	xcb_window_t getWindow() const { return window; }
	// Root coordinates.
	const CRect& getRootRect() const { return rootRect; }
	bool contains(const CPoint& rootPoint) const { return rootRect.pointInside(rootPoint); }
	// The entry at a point in root coordinates, or -1.
	int32 entryAtRoot(const CPoint& rootPoint) const;
	// An entry's row in root coordinates.
	CRect entryRootRect(int32 index) const;

	int32 getHighlight() const { return highlight; }
	// -1 highlights nothing; the window is redrawn when it changes.
	void setHighlight(int32 index);
	// Draws the back buffer anew and copies it to the window.
	void redraw();
	// Copies the back buffer to the window again (Expose).
	void refresh();

	// The menu's text, as it is drawn: for measuring.
	static CFontDesc* getFont();

private:
	void draw();
	void drawEntry(CDrawContext* context, int32 index);
	void drawCheckMark(CDrawContext* context, const CRect& rect, bool highlighted);
	void drawArrow(CDrawContext* context, const CRect& rect, bool highlighted);
	void copyToWindow();
	bool canPutImage() const;

	X11Display& display;
	xcb_connection_t* connection;
	COptionMenu* menu;
	std::unique_ptr<X11MenuLayout> layout;
	double scale;
	CRect rootRect;
	xcb_window_t window{XCB_WINDOW_NONE};
	xcb_gcontext_t gc{0};
	cairo_surface_t* backBuffer{nullptr};
	int32 highlight{-1};
};

} // namespace VSTGUI
