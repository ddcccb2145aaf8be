// A 2-D affine transform: (x, y) maps to
// (m11*x + m12*y + dx, m21*x + m22*y + dy). Identity is (1, 0, 0, 1, 0, 0).
#pragma once

#include "gui/base/crect.h"

namespace VSTGUI
{

struct CGraphicsTransform
{
	constexpr CGraphicsTransform() = default;
	constexpr CGraphicsTransform(double m11, double m12, double m21, double m22, double dx, double dy)
	: m11(m11), m12(m12), m21(m21), m22(m22), dx(dx), dy(dy)
	{
	}

	// Adds to the translation.
	CGraphicsTransform& translate(double x, double y);
	// Scales the linear part's rows (x by sx, y by sy); the translation stays.
	CGraphicsTransform& scale(double sx, double sy);
	// angle in degrees; rotates the linear part, the translation stays.
	CGraphicsTransform& rotate(double angle);

	CPoint& transform(CPoint& point) const;
	CPoint transformed(const CPoint& point) const;
	// Maps the corners (left, top) and (right, bottom) as points.
	CRect& transform(CRect& rect) const;

	bool operator==(const CGraphicsTransform& other) const = default;

	double m11{1.};
	double m12{0.};
	double m21{0.};
	double m22{1.};
	double dx{0.};
	double dy{0.};
};

} // namespace VSTGUI
