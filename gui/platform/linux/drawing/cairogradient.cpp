#include "gui/platform/linux/drawing/cairogradient.h"

#include <algorithm>

namespace VSTGUI
{

namespace
{

// Written so that NaN becomes 0 too: cairo must never see it as an offset.
double clampUnit(double value)
{
	if (!(value > 0.))
		return 0.;
	return std::min(value, 1.);
}

void addStop(cairo_pattern_t* pattern, double offset, const CColor& color, double alpha)
{
	cairo_pattern_add_color_stop_rgba(pattern, offset, color.red / 255., color.green / 255., color.blue / 255.,
	                                  color.alpha / 255. * alpha);
}

} // namespace

CairoGradient::CairoGradient(double color1Start, double color2Start, const CColor& color1, const CColor& color2)
: CGradient(clampUnit(color1Start), clampUnit(color2Start), color1, color2)
{
}

cairo_pattern_t* CairoGradient::createPattern(const CPoint& start, const CPoint& end, double alpha) const
{
	cairo_pattern_t* pattern = cairo_pattern_create_linear(start.x, start.y, end.x, end.y);
	addStop(pattern, color1Start, color1, alpha);
	addStop(pattern, color2Start, color2, alpha);
	cairo_pattern_set_extend(pattern, CAIRO_EXTEND_NONE);
	return pattern;
}

} // namespace VSTGUI
