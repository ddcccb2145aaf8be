// An axis-aligned rectangle in toolkit coordinates (doubles, origin top-left,
// y down). Width is right - left, height bottom - top; a rectangle is empty
// when right <= left or bottom <= top. Operations change it in place and
// return it, except the queries.
#pragma once

#include "gui/base/cpoint.h"

namespace VSTGUI
{

struct CRect
{
	constexpr CRect() = default;
	constexpr CRect(double left, double top, double right, double bottom)
	: left(left), top(top), right(right), bottom(bottom)
	{
	}
	constexpr CRect(const CPoint& origin, const CPoint& size)
	: left(origin.x), top(origin.y), right(origin.x + size.x), bottom(origin.y + size.y)
	{
	}

	double getWidth() const { return right - left; }
	double getHeight() const { return bottom - top; }
	CRect& setWidth(double width);
	CRect& setHeight(double height);

	CRect& offset(double dx, double dy);
	CRect& offset(const CPoint& delta) { return offset(delta.x, delta.y); }
	CRect& offsetInverse(const CPoint& delta) { return offset(-delta.x, -delta.y); }
	// Moves the top-left corner to (x, y), keeping the size.
	CRect& moveTo(double x, double y);
	CRect& moveTo(const CPoint& where) { return moveTo(where.x, where.y); }
	// Moves the rectangle to the origin, keeping the size.
	CRect& originize() { return moveTo(0., 0.); }
	// left -= dx, right += dx, top -= dy, bottom += dy.
	CRect& extend(double dx, double dy);
	// The opposite of extend.
	CRect& inset(double dx, double dy) { return extend(-dx, -dy); }

	// Half-open: left and top edges inside, right and bottom edges outside.
	bool pointInside(const CPoint& where) const;
	// Closed: all four edges inside (hit tests of views).
	bool pointInsideClosed(const CPoint& where) const;
	// Closed-edge overlap: touching rectangles overlap.
	bool rectOverlap(const CRect& other) const;
	bool isEmpty() const;

	// Intersection; disjoint operands give an empty, never an inverted, result.
	CRect& bound(const CRect& other);
	// Smallest rectangle holding both; an empty operand is not special.
	CRect& unite(const CRect& other);
	// Swaps left/right and top/bottom where they are inverted.
	CRect& normalize();
	// Each coordinate becomes floor(v + 0.5).
	CRect& makeIntegral();

	CPoint getTopLeft() const { return {left, top}; }
	CPoint getTopRight() const { return {right, top}; }
	CPoint getBottomLeft() const { return {left, bottom}; }
	CPoint getBottomRight() const { return {right, bottom}; }
	CRect& setTopLeft(const CPoint& p);
	CRect& setTopRight(const CPoint& p);
	CRect& setBottomLeft(const CPoint& p);
	CRect& setBottomRight(const CPoint& p);

	CPoint getSize() const { return {getWidth(), getHeight()}; }
	// right = left + size.x, bottom = top + size.y.
	CRect& setSize(const CPoint& size);
	CPoint getCenter() const;
	// Moves this rectangle, keeping its size, so that its centre is r's.
	CRect& centerInside(const CRect& r);

	bool operator==(const CRect& other) const = default;

	double left{0.};
	double top{0.};
	double right{0.};
	double bottom{0.};
};

} // namespace VSTGUI
