// The frame's tooltip on X11: an override-redirect window below the
// rectangle it describes, faded out by a timer.
//
// The text is split into lines at every backslash followed by "n" (the two
// characters, as views write it) and drawn with Pango in the system font at
// the size of control content, black on pale yellow with a thin border. The
// window is centred horizontally under the rectangle with its top edge 4
// pixels below the rectangle's bottom, and kept on the screen. Its picture is
// the window's background pixmap, so the server repaints it without us.
//
// Fading goes through _NET_WM_WINDOW_OPACITY (a compositing manager applies
// it; without one the window just stays opaque until it is unmapped): 0.95
// when shown, 0.05 less every 10 ms of a CVSTGUITimer once hidden, unmapped
// when nothing is left.
//
// Ownership: the frame owns the tooltip (count 1 from new) and releases it
// before its window goes; the tooltip holds no reference on the frame. All
// requests go through the frame's display and stop once the frame's window
// is closed or lost.
// Threads: user-interface thread only.
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/base/cpoint.h"
#include "gui/base/crect.h"

#include <string>
#include <vector>
#include <xcb/xcb.h>

namespace VSTGUI
{

class CVSTGUITimer;
class PangoFont;
class X11Display;
class X11Frame;

class X11Tooltip : public CBaseObject
{
public:
	// Opacity in twentieths: 19 is 0.95, each fade step takes one away.
	static constexpr int kShownOpacitySteps = 19;
	static constexpr int32 kFadeIntervalMs = 10;
	// Between the rectangle's bottom edge and the window's top edge.
	static constexpr double kGap = 4.;

	explicit X11Tooltip(X11Frame* frame);

	// Stops a running fade and shows text for rect (frame coordinates).
	void set(const CRect& rect, const char* utf8Text);
	// Starts the fade-out, unless it is already running; the first step is
	// taken at once.
	void hide();
	MessageResult notify(CBaseObject* sender, const char* message) override;

	xcb_window_t getWindow() const { return window; }
	bool isFading() const;

	// The pieces between the two-character sequences backslash-n; a null
	// text is one empty line.
	static std::vector<std::string> splitLines(const char* utf8Text);
	// Top-left corner for a window of size on a screen of screenSize, for a
	// rectangle in root coordinates: centred under it 4 pixels below; moved
	// above it when there is no room below, then pushed inside the screen.
	static CPoint placement(const CRect& rootRect, const CPoint& size, const CPoint& screenSize);
	// The _NET_WM_WINDOW_OPACITY value for an opacity of steps twentieths.
	static uint32_t opacityValue(int steps);

protected:
	~X11Tooltip() override;

private:
	bool usable() const;
	bool createWindow();
	void layOut(const std::vector<std::string>& lines, CPoint& size);
	// size in the frame's units, deviceSize in the screen's pixels.
	void render(const std::vector<std::string>& lines, const CPoint& size, const CPoint& deviceSize);
	void moveAndShow(const CRect& rect, const CPoint& deviceSize);
	void setOpacity(int steps);
	void fadeStep();
	void stopFade();

	X11Frame* frame;
	X11Display& display;
	xcb_connection_t* connection;
	xcb_window_t window{XCB_WINDOW_NONE};
	xcb_pixmap_t background{XCB_PIXMAP_NONE};
	CVSTGUITimer* timer{nullptr};
	PangoFont* font{nullptr};
	xcb_atom_t opacityAtom{XCB_ATOM_NONE};
	int opacity{0};
	bool mapped{false};
	double lineHeight{0.};
};

} // namespace VSTGUI
