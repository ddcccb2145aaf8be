#include "gui/base/cpoint.h"

#include <cmath>

namespace VSTGUI
{

CPoint& CPoint::offset(double dx, double dy)
{
	x += dx;
	y += dy;
	return *this;
}

CPoint& CPoint::makeIntegral()
{
	x = std::floor(x + 0.5);
	y = std::floor(y + 0.5);
	return *this;
}

} // namespace VSTGUI
