#include "gui/platform/linux/drawing/cairographicspath.h"

#include "gui/drawing/cgraphicstransform.h"
#include "gui/platform/linux/drawing/cairogradient.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>

namespace VSTGUI
{

namespace
{

constexpr double kPi = std::numbers::pi;

double toRadians(double degrees)
{
	return degrees * kPi / 180.;
}

CPoint ellipsePoint(const CPoint& centre, double rx, double ry, double angle)
{
	return {centre.x + rx * std::cos(angle), centre.y + ry * std::sin(angle)};
}

// One Bezier segment of at most a quarter turn; the control points lie on
// the tangents at a distance of 4/3 tan(delta / 4) of the radius.
void appendArcSegment(cairo_t* cr, const CPoint& centre, double rx, double ry, double from, double to)
{
	const double k = 4. / 3. * std::tan((to - from) / 4.);
	const CPoint end = ellipsePoint(centre, rx, ry, to);
	cairo_curve_to(cr, centre.x + rx * (std::cos(from) - k * std::sin(from)),
	               centre.y + ry * (std::sin(from) + k * std::cos(from)),
	               centre.x + rx * (std::cos(to) + k * std::sin(to)), centre.y + ry * (std::sin(to) - k * std::cos(to)),
	               end.x, end.y);
}

// The angle at which the arc ends after cairo's wrapping rule: the end is
// moved by whole turns until it lies on the side of travel.
// More than one full turn looks the same as one, so the sweep is limited to
// a turn: absurd angles cannot make the segment count explode.
double wrappedEndAngle(double angle1, double angle2, bool increasing)
{
	const double turn = 2. * kPi;
	if (increasing && angle2 < angle1)
		angle2 += std::ceil((angle1 - angle2) / turn) * turn;
	else if (!increasing && angle2 > angle1)
		angle2 -= std::ceil((angle2 - angle1) / turn) * turn;
	return angle1 + std::clamp(angle2 - angle1, -turn, turn);
}

bool allFinite(std::initializer_list<double> values)
{
	for (double value : values)
		if (!std::isfinite(value))
			return false;
	return true;
}

CPoint mapped(const CGraphicsTransform* transform, double x, double y)
{
	return transform ? transform->transformed(CPoint(x, y)) : CPoint(x, y);
}

void appendPathElement(cairo_t* cr, const CGraphicsPath::Element& element)
{
	const CRect& r = element.rect;
	const CPoint centre(r.left + r.getWidth() / 2., r.top + r.getHeight() / 2.);
	switch (element.type)
	{
		case CGraphicsPath::Element::kArc:
			// The element's clockwise flag means increasing angles in the y-down
			// space: on screen that turns clockwise.
			appendEllipticArc(cr, centre, r.getWidth() / 2., r.getHeight() / 2., toRadians(element.startAngle),
			                  toRadians(element.endAngle), element.clockwise);
			break;
		case CGraphicsPath::Element::kEllipse:
			cairo_new_sub_path(cr);
			appendEllipticArc(cr, centre, r.getWidth() / 2., r.getHeight() / 2., 0., 2. * kPi, true);
			cairo_close_path(cr);
			break;
		case CGraphicsPath::Element::kRect: cairo_rectangle(cr, r.left, r.top, r.getWidth(), r.getHeight()); break;
		case CGraphicsPath::Element::kLine: cairo_line_to(cr, element.point.x, element.point.y); break;
		case CGraphicsPath::Element::kBezierCurve:
			cairo_curve_to(cr, element.control1.x, element.control1.y, element.control2.x, element.control2.y,
			               element.point.x, element.point.y);
			break;
		case CGraphicsPath::Element::kBeginSubpath: cairo_move_to(cr, element.point.x, element.point.y); break;
		case CGraphicsPath::Element::kCloseSubpath: cairo_close_path(cr); break;
	}
}

} // namespace

void appendEllipticArc(cairo_t* cr, const CPoint& centre, double rx, double ry, double angle1, double angle2,
                       bool increasing)
{
	if (!allFinite({centre.x, centre.y, rx, ry, angle1, angle2}))
		return;
	angle2 = wrappedEndAngle(angle1, angle2, increasing);
	const CPoint start = ellipsePoint(centre, rx, ry, angle1);
	if (cairo_has_current_point(cr))
		cairo_line_to(cr, start.x, start.y);
	else
		cairo_move_to(cr, start.x, start.y);
	const int segments = static_cast<int>(std::ceil(std::fabs(angle2 - angle1) / (kPi / 2.)));
	const double step = segments > 0 ? (angle2 - angle1) / segments : 0.;
	for (int i = 0; i < segments; ++i)
		appendArcSegment(cr, centre, rx, ry, angle1 + i * step, i + 1 == segments ? angle2 : angle1 + (i + 1) * step);
}

CairoGraphicsPath::~CairoGraphicsPath()
{
	dirty();
}

CGradient* CairoGraphicsPath::createGradient(double color1Start, double color2Start, const CColor& color1,
                                             const CColor& color2)
{
	return new CairoGradient(color1Start, color2Start, color1, color2);
}

CPoint CairoGraphicsPath::getCurrentPosition()
{
	return build() ? currentPosition : CPoint();
}

CRect CairoGraphicsPath::getBoundingBox()
{
	return build() ? boundingBox : CRect();
}

void CairoGraphicsPath::dirty()
{
	if (cachedPath)
		cairo_path_destroy(cachedPath);
	cachedPath = nullptr;
}

// The path is recorded on a throw-away context with an identity transform,
// so the cached coordinates are path coordinates.
bool CairoGraphicsPath::build()
{
	if (cachedPath)
		return true;
	if (elements.empty())
		return false;
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
	cairo_t* cr = cairo_create(surface);
	for (const Element& element : elements)
		appendPathElement(cr, element);
	double x = 0.;
	double y = 0.;
	cairo_get_current_point(cr, &x, &y);
	currentPosition = CPoint(x, y);
	double x2 = 0.;
	double y2 = 0.;
	cairo_path_extents(cr, &x, &y, &x2, &y2);
	boundingBox = CRect(x, y, x2, y2);
	cachedPath = cairo_copy_path(cr);
	cairo_destroy(cr);
	cairo_surface_destroy(surface);
	if (cachedPath->status == CAIRO_STATUS_SUCCESS)
		return true;
	dirty();
	return false;
}

void CairoGraphicsPath::appendTo(cairo_t* cr, const CGraphicsTransform* transform)
{
	if (!build())
		return;
	for (int i = 0; i < cachedPath->num_data; i += cachedPath->data[i].header.length)
	{
		const cairo_path_data_t* data = &cachedPath->data[i];
		CPoint p[3];
		for (int n = 1; n < data->header.length && n <= 3; ++n)
			p[n - 1] = mapped(transform, data[n].point.x, data[n].point.y);
		switch (data->header.type)
		{
			case CAIRO_PATH_MOVE_TO: cairo_move_to(cr, p[0].x, p[0].y); break;
			case CAIRO_PATH_LINE_TO: cairo_line_to(cr, p[0].x, p[0].y); break;
			case CAIRO_PATH_CURVE_TO: cairo_curve_to(cr, p[0].x, p[0].y, p[1].x, p[1].y, p[2].x, p[2].y); break;
			case CAIRO_PATH_CLOSE_PATH: cairo_close_path(cr); break;
		}
	}
}

} // namespace VSTGUI
