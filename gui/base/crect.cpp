#include "gui/base/crect.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace VSTGUI
{

CRect& CRect::setWidth(double width)
{
	right = left + width;
	return *this;
}

CRect& CRect::setHeight(double height)
{
	bottom = top + height;
	return *this;
}

CRect& CRect::offset(double dx, double dy)
{
	left += dx;
	right += dx;
	top += dy;
	bottom += dy;
	return *this;
}

CRect& CRect::moveTo(double x, double y)
{
	return offset(x - left, y - top);
}

CRect& CRect::extend(double dx, double dy)
{
	left -= dx;
	right += dx;
	top -= dy;
	bottom += dy;
	return *this;
}

bool CRect::pointInside(const CPoint& where) const
{
	return where.x >= left && where.x < right && where.y >= top && where.y < bottom;
}

bool CRect::pointInsideClosed(const CPoint& where) const
{
	return where.x >= left && where.x <= right && where.y >= top && where.y <= bottom;
}

bool CRect::rectOverlap(const CRect& other) const
{
	return !(left > other.right || other.left > right || top > other.bottom || other.top > bottom);
}

bool CRect::isEmpty() const
{
	return right <= left || bottom <= top;
}

CRect& CRect::bound(const CRect& other)
{
	left = std::max(left, other.left);
	top = std::max(top, other.top);
	right = std::min(right, other.right);
	bottom = std::min(bottom, other.bottom);
	if (bottom < top)
		bottom = top;
	if (right < left)
		right = left;
	return *this;
}

CRect& CRect::unite(const CRect& other)
{
	left = std::min(left, other.left);
	top = std::min(top, other.top);
	right = std::max(right, other.right);
	bottom = std::max(bottom, other.bottom);
	return *this;
}

CRect& CRect::normalize()
{
	if (left > right)
		std::swap(left, right);
	if (top > bottom)
		std::swap(top, bottom);
	return *this;
}

CRect& CRect::makeIntegral()
{
	left = std::floor(left + 0.5);
	top = std::floor(top + 0.5);
	right = std::floor(right + 0.5);
	bottom = std::floor(bottom + 0.5);
	return *this;
}

CRect& CRect::setTopLeft(const CPoint& p)
{
	left = p.x;
	top = p.y;
	return *this;
}

CRect& CRect::setTopRight(const CPoint& p)
{
	right = p.x;
	top = p.y;
	return *this;
}

CRect& CRect::setBottomLeft(const CPoint& p)
{
	left = p.x;
	bottom = p.y;
	return *this;
}

CRect& CRect::setBottomRight(const CPoint& p)
{
	right = p.x;
	bottom = p.y;
	return *this;
}

CRect& CRect::setSize(const CPoint& size)
{
	right = left + size.x;
	bottom = top + size.y;
	return *this;
}

CPoint CRect::getCenter() const
{
	return {left + getWidth() * 0.5, top + getHeight() * 0.5};
}

CRect& CRect::centerInside(const CRect& r)
{
	const CPoint target = r.getCenter();
	const CPoint current = getCenter();
	return offset(target.x - current.x, target.y - current.y);
}

} // namespace VSTGUI
