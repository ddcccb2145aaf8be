// CGradient realised as a linear cairo pattern.
//
// The pattern depends on the axis, which is known only when the gradient is
// drawn, so it is made for each fill from the stored stops.
#pragma once

#include "gui/base/cpoint.h"
#include "gui/drawing/cgradient.h"

#include <cairo.h>

namespace VSTGUI
{

class CairoGradient : public CGradient
{
public:
	// Both stops are clamped to 0..1.
	CairoGradient(double color1Start, double color2Start, const CColor& color1, const CColor& color2);

	// A new linear pattern (owned by the caller: cairo_pattern_destroy) along
	// start to end, not extended beyond either end, with the colours' alpha
	// multiplied by alpha.
	cairo_pattern_t* createPattern(const CPoint& start, const CPoint& end, double alpha) const;
};

} // namespace VSTGUI
