#include "gui/platform/linux/controls/x11textfieldlayout.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI::X11TextFieldLayout
{

Placement place(const CRect& control, const CRect& visible, const CPoint& inset, double ascent, double descent)
{
	Placement p;
	p.window =
	    CRect(std::floor(visible.left), std::floor(visible.top), std::ceil(visible.right), std::ceil(visible.bottom));
	// From the control's own coordinates to the window's.
	const double dx = control.left - p.window.left;
	const double dy = control.top - p.window.top;
	const double halfX = inset.x / 2.;
	const double halfY = inset.y / 2.;
	p.textLeft = dx + halfX;
	p.textRight = dx + std::max(halfX, control.getWidth() - halfX);
	const double lineHeight = ascent + descent;
	const double available = control.getHeight() - halfY;
	const double top = available > lineHeight ? (available - lineHeight) / 2. : halfY;
	p.lineTop = dy + top;
	p.lineBottom = p.lineTop + lineHeight;
	p.baseline = p.lineTop + ascent;
	return p;
}

double scrollToShow(double caretX, double textWidth, double areaWidth, double scroll)
{
	if (textWidth <= areaWidth)
		return 0.;
	if (caretX - scroll < 0.)
		scroll = caretX;
	else if (caretX - scroll > areaWidth)
		scroll = caretX - areaWidth;
	// Deleting at the end must not leave empty room on the right.
	return std::clamp(scroll, 0., textWidth - areaWidth);
}

double textStart(const Placement& placement, double textWidth, CHoriTxtAlign align, double scroll)
{
	const double area = placement.textRight - placement.textLeft;
	if (textWidth > area)
		return placement.textLeft - scroll;
	switch (align)
	{
		case kTextAlignLeft: return placement.textLeft;
		case kTextAlignRight: return placement.textRight - textWidth;
		default: return placement.textLeft + (area - textWidth) / 2.;
	}
}

size_t hitTest(const std::vector<Boundary>& boundaries, double x)
{
	size_t best = 0;
	for (size_t i = 1; i < boundaries.size(); ++i)
	{
		if (std::abs(boundaries[i].x - x) < std::abs(boundaries[best].x - x))
			best = i;
	}
	return boundaries.empty() ? 0 : boundaries[best].position;
}

} // namespace VSTGUI::X11TextFieldLayout
