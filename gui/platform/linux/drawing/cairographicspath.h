// CGraphicsPath realised as a cached cairo path.
//
// The cairo path is built from the element list on first demand, in path
// coordinates (no transform), and kept until the next element is added.
// Arcs and ellipses are built from Bezier segments computed here rather
// than through a scaled cairo transform, so that a rectangle of zero width
// or height yields a degenerate path instead of putting cairo into an error
// state.
#pragma once

#include "gui/drawing/cgraphicspath.h"

#include <cairo.h>

namespace VSTGUI
{

struct CGraphicsTransform;

// Appends to cr's current path the arc of the ellipse around centre with
// radii rx and ry from angle1 to angle2 (radians; (cos a, sin a) scaled by
// the radii), with increasing angles when increasing is true and decreasing
// ones otherwise, wrapping angle2 by 2π as cairo_arc and cairo_arc_negative
// do. Like those, it starts with a line from the current point when there is
// one and with a move otherwise.
void appendEllipticArc(cairo_t* cr, const CPoint& centre, double rx, double ry, double angle1, double angle2,
                       bool increasing);

class CairoGraphicsPath : public CGraphicsPath
{
public:
	CairoGraphicsPath() = default;
	~CairoGraphicsPath() override;
	CairoGraphicsPath(const CairoGraphicsPath&) = delete;
	CairoGraphicsPath& operator=(const CairoGraphicsPath&) = delete;

	// A new CairoGradient, count 1, owned by the caller; stops clamped to 0..1.
	CGradient* createGradient(double color1Start, double color2Start, const CColor& color1,
	                          const CColor& color2) override;
	// (0, 0) for an empty path.
	CPoint getCurrentPosition() override;
	// All 0 for an empty path.
	CRect getBoundingBox() override;

	// Adds the path to cr's current path with every point mapped by transform
	// (when given) while it is added: the transform never reaches the line
	// width or the dashes. Nothing when the path cannot be built.
	void appendTo(cairo_t* cr, const CGraphicsTransform* transform);

protected:
	void dirty() override;

private:
	bool build();

	cairo_path_t* cachedPath{nullptr};
	CPoint currentPosition;
	CRect boundingBox;
};

} // namespace VSTGUI
