#include "gui/drawing/cgraphicstransform.h"

#include <cmath>

namespace VSTGUI
{

CGraphicsTransform& CGraphicsTransform::translate(double x, double y)
{
	dx += x;
	dy += y;
	return *this;
}

CGraphicsTransform& CGraphicsTransform::scale(double sx, double sy)
{
	m11 *= sx;
	m12 *= sx;
	m21 *= sy;
	m22 *= sy;
	return *this;
}

CGraphicsTransform& CGraphicsTransform::rotate(double angle)
{
	const double a = angle * 3.141592653589793 / 180.;
	const double c = std::cos(a);
	const double s = std::sin(a);
	const CGraphicsTransform old = *this;
	m11 = c * old.m11 + s * old.m21;
	m12 = c * old.m12 + s * old.m22;
	m21 = -s * old.m11 + c * old.m21;
	m22 = -s * old.m12 + c * old.m22;
	return *this;
}

CPoint& CGraphicsTransform::transform(CPoint& point) const
{
	point = transformed(point);
	return point;
}

CPoint CGraphicsTransform::transformed(const CPoint& point) const
{
	return {m11 * point.x + m12 * point.y + dx, m21 * point.x + m22 * point.y + dy};
}

CRect& CGraphicsTransform::transform(CRect& rect) const
{
	const CPoint topLeft = transformed(rect.getTopLeft());
	const CPoint bottomRight = transformed(rect.getBottomRight());
	rect = CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
	return rect;
}

} // namespace VSTGUI
