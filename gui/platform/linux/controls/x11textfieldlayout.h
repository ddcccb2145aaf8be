// Where the single-line text field puts its window, its line of text and its
// caret, and which character a click hits. Pure geometry on numbers that the
// field measures with the control's font, so it is checked without a server.
//
// Units are pixels. The window covers the control's visible part; the text
// is laid out against the whole control, so that a control partly scrolled
// out of view keeps its text where it would be.
#pragma once

#include "gui/base/crect.h"
#include "gui/base/textconstants.h"

#include <cstddef>
#include <vector>

namespace VSTGUI::X11TextFieldLayout
{

struct Placement
{
	// The window in frame coordinates: the visible part, in whole pixels.
	CRect window;
	// Left and right ends of the text area, in window coordinates.
	double textLeft{0.};
	double textRight{0.};
	// The line: its top and bottom (for caret and selection) and baseline,
	// in window coordinates.
	double lineTop{0.};
	double lineBottom{0.};
	double baseline{0.};
};

// control and visible are in frame coordinates; inset is the control's text
// inset, of which the field keeps half on each side. The line (ascent plus
// descent high) is centred in the height that the inset leaves when it fits,
// else it starts half the inset below the top.
Placement place(const CRect& control, const CRect& visible, const CPoint& inset, double ascent, double descent);

// Horizontal scrolling keeps the caret inside the text area. scroll is how
// far the text is moved left (0 while it fits); caretX is measured from the
// text's start. Answers the new scroll.
double scrollToShow(double caretX, double textWidth, double areaWidth, double scroll);
// Window x of the text's start: aligned inside the area while it fits,
// moved left by scroll otherwise.
double textStart(const Placement& placement, double textWidth, CHoriTxtAlign align, double scroll);

struct Boundary
{
	size_t position;
	// Distance from the text's start.
	double x;
};
// The boundary nearest to x (measured like the boundaries' x); boundaries
// are in increasing order; 0 when there are none.
size_t hitTest(const std::vector<Boundary>& boundaries, double x);

} // namespace VSTGUI::X11TextFieldLayout
