#include "gui/platform/linux/drawing/cairodrawcontext.h"

#include "gui/drawing/cbitmap.h"
#include "gui/drawing/iplatformbitmap.h"
#include "gui/platform/linux/drawing/cairobitmap.h"
#include "gui/platform/linux/drawing/cairogradient.h"
#include "gui/platform/linux/drawing/cairographicspath.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace VSTGUI
{

namespace
{

constexpr double kPi = std::numbers::pi;

// NaN and out-of-range values must never reach cairo as colour or alpha.
double unitValue(double value)
{
	if (!(value > 0.))
		return 0.;
	return value < 1. ? value : 1.;
}

bool isFinite(const CPoint& point)
{
	return std::isfinite(point.x) && std::isfinite(point.y);
}

CBitmap* newBitmapAround(CairoBitmap* platformBitmap)
{
	return new CBitmap(platformBitmap);
}

cairo_t* createCairoOn(CairoBitmap* bitmap)
{
	cairo_surface_t* surface = bitmap ? bitmap->getSurface() : nullptr;
	return surface ? cairo_create(surface) : nullptr;
}

cairo_line_cap_t cairoCap(CLineStyle::LineCap cap)
{
	switch (cap)
	{
		case CLineStyle::kCapRound: return CAIRO_LINE_CAP_ROUND;
		case CLineStyle::kCapSquare: return CAIRO_LINE_CAP_SQUARE;
		default: return CAIRO_LINE_CAP_BUTT;
	}
}

cairo_line_join_t cairoJoin(CLineStyle::LineJoin join)
{
	switch (join)
	{
		case CLineStyle::kJoinRound: return CAIRO_LINE_JOIN_ROUND;
		case CLineStyle::kJoinBevel: return CAIRO_LINE_JOIN_BEVEL;
		default: return CAIRO_LINE_JOIN_MITER;
	}
}

// cairo puts the whole context into an error state for a negative dash or
// one whose lengths are all 0; such a pattern (a zero line width included)
// is drawn solid instead.
std::vector<double> scaledDashes(const CLineStyle& style, double lineWidth)
{
	std::vector<double> dashes;
	bool anyPositive = false;
	for (int32 i = 0; i < style.getDashCount(); ++i)
	{
		const double length = style.getDashLengths()[i] * lineWidth;
		if (!std::isfinite(length) || length < 0.)
			return {};
		anyPositive = anyPositive || length > 0.;
		dashes.push_back(length);
	}
	return anyPositive ? dashes : std::vector<double>();
}

bool hasOddIntegerPart(double width)
{
	if (!(std::fabs(width) < 1e9))
		return false;
	return static_cast<long long>(width) % 2 != 0;
}

// The rounding of drawBitmap: floor(v + 0.5).
double roundedPixel(double value)
{
	return std::floor(value + 0.5);
}

} // namespace

CairoDrawContext::CairoDrawContext(cairo_t* cr, const CRect& surfaceRect)
: COffscreenContext(surfaceRect), windowForm(true)
{
	if (cr && cairo_status(cr) == CAIRO_STATUS_SUCCESS)
	{
		cairo = cairo_reference(cr);
		cairo_save(cairo);
		double unitX = 1.;
		double unitY = 0.;
		cairo_user_to_device_distance(cairo, &unitX, &unitY);
		deviceScale = std::hypot(unitX, unitY);
	}
	init();
}

// The CBitmap's creation reference is released once the base class holds
// its own, so the context ends up with the only one.
CairoDrawContext::CairoDrawContext(CairoBitmap* bitmap)
: COffscreenContext(newBitmapAround(bitmap)), cairo(createCairoOn(bitmap))
{
	COffscreenContext::bitmap->forget();
	init();
}

CairoDrawContext* CairoDrawContext::createOffscreen(double width, double height)
{
	auto* bitmap = new CairoBitmap(CPoint(width, height));
	auto* context = new CairoDrawContext(bitmap);
	bitmap->forget();
	return context;
}

CairoDrawContext* CairoDrawContext::createOffscreen(double width, double height, double scaleFactor)
{
	if (!(scaleFactor >= 1. && scaleFactor <= 4.))
		return nullptr;
	auto* context = createOffscreen(std::round(width * scaleFactor), std::round(height * scaleFactor));
	if (scaleFactor != 1. && context->cairo)
	{
		cairo_scale(context->cairo, scaleFactor, scaleFactor);
		context->deviceScale = scaleFactor;
		context->surfaceRect = CRect(0., 0., width, height);
		context->setClipRect(context->surfaceRect);
	}
	return context;
}

CairoDrawContext::~CairoDrawContext()
{
	if (!cairo)
		return;
	if (windowForm)
		cairo_restore(cairo);
	cairo_destroy(cairo);
}

cairo_t* CairoDrawContext::beginCairoContext(bool integralOffset)
{
	if (!cairo || cairo_status(cairo) != CAIRO_STATUS_SUCCESS)
		return nullptr;
	cairo_save(cairo);
	const CRect& clip = currentState.clipRect;
	if (clip.getWidth() > 0. && clip.getHeight() > 0.)
		cairo_rectangle(cairo, clip.left, clip.top, clip.getWidth(), clip.getHeight());
	else
		cairo_rectangle(cairo, 0., 0., 0., 0.);
	cairo_clip(cairo);
	CPoint offset = currentState.offset;
	if (integralOffset)
		offset = CPoint(std::ceil(offset.x), std::ceil(offset.y));
	if (isFinite(offset))
		cairo_translate(cairo, offset.x, offset.y);
	cairo_set_antialias(cairo,
	                    currentState.drawMode == kDrawModeAntialiased ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
	return cairo;
}

void CairoDrawContext::releaseCairoContext(cairo_t* cr)
{
	if (cr)
		cairo_restore(cr);
}

void CairoDrawContext::setSourceColor(cairo_t* cr, const CColor& color) const
{
	cairo_set_source_rgba(cr, color.red / 255., color.green / 255., color.blue / 255.,
	                      unitValue(color.alpha / 255. * currentState.globalAlpha));
}

void CairoDrawContext::applyLineStyle(cairo_t* cr) const
{
	const double width = currentState.frameWidth;
	const CLineStyle& style = currentState.lineStyle;
	cairo_set_line_width(cr, std::isfinite(width) && width > 0. ? width : 0.);
	cairo_set_line_cap(cr, cairoCap(style.getLineCap()));
	cairo_set_line_join(cr, cairoJoin(style.getLineJoin()));
	const std::vector<double> dashes = scaledDashes(style, width);
	const double phase = std::isfinite(style.getDashPhase()) ? style.getDashPhase() : 0.;
	cairo_set_dash(cr, dashes.data(), static_cast<int>(dashes.size()), phase);
}

void CairoDrawContext::shiftForOddLineWidth(cairo_t* cr) const
{
	if (hasOddIntegerPart(currentState.frameWidth))
		cairo_translate(cr, 0.5, -0.5);
}

void CairoDrawContext::drawCurrentPath(cairo_t* cr, CDrawStyle style)
{
	if (style == kShapeFilled || style == kShapeFilledAndStroked)
	{
		setSourceColor(cr, currentState.fillColor);
		cairo_fill_preserve(cr);
	}
	if (style != kShapeFilled)
	{
		applyLineStyle(cr);
		setSourceColor(cr, currentState.frameColor);
		cairo_stroke_preserve(cr);
	}
	cairo_new_path(cr);
}

void CairoDrawContext::lineTo(const CPoint& point)
{
	if (cairo_t* cr = beginCairoContext(false))
	{
		shiftForOddLineWidth(cr);
		cairo_move_to(cr, currentState.penLoc.x, currentState.penLoc.y);
		cairo_line_to(cr, point.x, point.y);
		drawCurrentPath(cr, kShapeStroked);
		releaseCairoContext(cr);
	}
	currentState.penLoc = point;
}

void CairoDrawContext::drawLines(const CPoint* points, const int32& numberOfLines)
{
	if (!points || numberOfLines <= 0)
		return;
	if (cairo_t* cr = beginCairoContext(false))
	{
		shiftForOddLineWidth(cr);
		for (int32 i = 0; i < numberOfLines; ++i)
		{
			cairo_move_to(cr, points[2 * i].x, points[2 * i].y);
			cairo_line_to(cr, points[2 * i + 1].x, points[2 * i + 1].y);
		}
		drawCurrentPath(cr, kShapeStroked);
		releaseCairoContext(cr);
	}
}

void CairoDrawContext::drawPolygon(const CPoint* points, const int32& numberOfPoints, const CDrawStyle drawStyle)
{
	if (!points || numberOfPoints <= 0)
		return;
	if (cairo_t* cr = beginCairoContext(false))
	{
		cairo_move_to(cr, points[0].x, points[0].y);
		for (int32 i = 1; i < numberOfPoints; ++i)
			cairo_line_to(cr, points[i].x, points[i].y);
		drawCurrentPath(cr, drawStyle);
		releaseCairoContext(cr);
	}
}

void CairoDrawContext::drawRect(const CRect& rect, const CDrawStyle drawStyle)
{
	if (cairo_t* cr = beginCairoContext(false))
	{
		shiftForOddLineWidth(cr);
		cairo_move_to(cr, rect.left, rect.top + 1.);
		cairo_line_to(cr, rect.right - 1., rect.top + 1.);
		cairo_line_to(cr, rect.right - 1., rect.bottom);
		cairo_line_to(cr, rect.left, rect.bottom);
		cairo_close_path(cr);
		drawCurrentPath(cr, drawStyle);
		releaseCairoContext(cr);
	}
}

// The arc is taken in a space centred on the rectangle, scaled by its half
// sizes and turned by -π/2, from -startAngle to -endAngle with decreasing
// angles. Turning the unit circle by -π/2 only shifts its angles, so the
// turn is folded into them.
void CairoDrawContext::appendArcPath(cairo_t* cr, const CRect& rect, float startAngle, float endAngle) const
{
	const CPoint centre(rect.left + rect.getWidth() / 2., rect.top + rect.getHeight() / 2.);
	const double start = -static_cast<double>(startAngle) * kPi / 180. - kPi / 2.;
	const double end = -static_cast<double>(endAngle) * kPi / 180. - kPi / 2.;
	appendEllipticArc(cr, centre, rect.getWidth() / 2., rect.getHeight() / 2., start, end, false);
	cairo_line_to(cr, centre.x, centre.y);
}

void CairoDrawContext::drawArc(const CRect& rect, const float startAngle, const float endAngle,
                               const CDrawStyle drawStyle)
{
	if (cairo_t* cr = beginCairoContext(false))
	{
		appendArcPath(cr, rect, startAngle, endAngle);
		drawCurrentPath(cr, drawStyle);
		releaseCairoContext(cr);
	}
}

void CairoDrawContext::drawEllipse(const CRect& rect, const CDrawStyle drawStyle)
{
	if (cairo_t* cr = beginCairoContext(false))
	{
		const CPoint centre(rect.left + rect.getWidth() / 2., rect.top + rect.getHeight() / 2.);
		appendEllipticArc(cr, centre, rect.getWidth() / 2., rect.getHeight() / 2., 0., 2. * kPi, true);
		cairo_close_path(cr);
		drawCurrentPath(cr, drawStyle);
		releaseCairoContext(cr);
	}
}

void CairoDrawContext::drawPoint(const CPoint& point, const CColor& color)
{
	saveGlobalState();
	setLineWidth(1.);
	setFrameColor(color);
	moveTo(point);
	lineTo(CPoint(point.x + 1., point.y));
	restoreGlobalState();
}

void CairoDrawContext::clearRect(const CRect& rect)
{
	if (cairo_t* cr = beginCairoContext(false))
	{
		cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
		cairo_rectangle(cr, rect.left, rect.top, rect.getWidth(), rect.getHeight());
		cairo_fill(cr);
		releaseCairoContext(cr);
	}
}

// In a scaled window the destination's corners go to the nearest device
// pixels, so that neighbouring pictures meet without a seam or a blurred
// edge, and the picture is drawn at its size in frame units from the pixels
// that suit the factor. Pixels that map one to one, or onto whole blocks,
// are copied as they are; any other factor is filtered.
void CairoDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha)
{
	if (!bitmap || alpha == 0.f)
		return;
	IPlatformBitmap* chosen = bitmap->getPlatformBitmapForScale(deviceScale);
	auto* platformBitmap = dynamic_cast<CairoBitmap*>(chosen);
	cairo_surface_t* surface = platformBitmap ? platformBitmap->getSurface() : nullptr;
	if (!surface)
		return;
	const double pixelsPerUnit = chosen == bitmap->getPlatformBitmap() ? 1. : 2.;
	if (cairo_t* cr = beginCairoContext(true))
	{
		double left = roundedPixel(dest.left);
		double top = roundedPixel(dest.top);
		double right = roundedPixel(dest.right);
		double bottom = roundedPixel(dest.bottom);
		if (deviceScale != 1.)
		{
			snapToDevicePixel(cr, left, top);
			snapToDevicePixel(cr, right, bottom);
		}
		cairo_rectangle(cr, left, top, right - left, bottom - top);
		cairo_clip(cr);
		cairo_translate(cr, left - roundedPixel(offset.x), top - roundedPixel(offset.y));
		cairo_scale(cr, 1. / pixelsPerUnit, 1. / pixelsPerUnit);
		cairo_set_source_surface(cr, surface, 0., 0.);
		const double stretch = deviceScale / pixelsPerUnit;
		const bool wholeBlocks = stretch >= 1. && stretch == std::floor(stretch);
		cairo_pattern_set_filter(cairo_get_source(cr), wholeBlocks ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
		cairo_paint_with_alpha(cr, unitValue(static_cast<double>(alpha) * currentState.globalAlpha));
		releaseCairoContext(cr);
	}
}

void CairoDrawContext::snapToDevicePixel(cairo_t* cr, double& x, double& y)
{
	cairo_user_to_device(cr, &x, &y);
	x = std::round(x);
	y = std::round(y);
	cairo_device_to_user(cr, &x, &y);
}

CGraphicsPath* CairoDrawContext::createGraphicsPath()
{
	return new CairoGraphicsPath();
}

void CairoDrawContext::drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode, CGraphicsTransform* transform)
{
	auto* cairoPath = dynamic_cast<CairoGraphicsPath*>(path);
	if (!cairoPath)
		return;
	if (cairo_t* cr = beginCairoContext(false))
	{
		cairoPath->appendTo(cr, transform);
		if (mode == kPathModeStroke)
			drawCurrentPath(cr, kShapeStroked);
		else
		{
			cairo_set_fill_rule(cr, mode == kPathModeFillEvenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
			drawCurrentPath(cr, kShapeFilled);
		}
		releaseCairoContext(cr);
	}
}

void CairoDrawContext::fillLinearGradient(CGraphicsPath* path, CGradient* gradient, const CPoint& startPoint,
                                          const CPoint& endPoint, bool evenOdd, CGraphicsTransform* transform)
{
	auto* cairoPath = dynamic_cast<CairoGraphicsPath*>(path);
	auto* cairoGradient = dynamic_cast<CairoGradient*>(gradient);
	if (!cairoPath || !cairoGradient)
		return;
	if (cairo_t* cr = beginCairoContext(false))
	{
		cairoPath->appendTo(cr, transform);
		cairo_set_fill_rule(cr, evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
		cairo_clip(cr);
		const double alpha = unitValue(currentState.globalAlpha);
		cairo_pattern_t* pattern = cairoGradient->createPattern(startPoint, endPoint, alpha);
		cairo_set_source(cr, pattern);
		cairo_paint(cr);
		cairo_pattern_destroy(pattern);
		releaseCairoContext(cr);
	}
}

void CairoDrawContext::endDraw()
{
	if (cairo)
		cairo_surface_flush(cairo_get_target(cairo));
}

} // namespace VSTGUI
