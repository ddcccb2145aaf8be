#include "gui/base/ccolor.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{

namespace
{

uint8 channel(double value)
{
	return static_cast<uint8>(std::floor(value));
}

// Non-finite hues would never leave a wrap-by-subtraction loop; they count as 0.
double wrapHue(double h)
{
	if (!std::isfinite(h))
		return 0.;
	h = std::fmod(h, 360.);
	return h < 0. ? h + 360. : h;
}

} // namespace

void CColor::toHSV(double& h, double& s, double& v) const
{
	const double r = red / 255.;
	const double g = green / 255.;
	const double b = blue / 255.;
	v = std::max({r, g, b});
	h = 0.;
	s = 0.;
	if (v == 0.)
		return;
	const double rn = r / v, gn = g / v, bn = b / v;
	const double lo = std::min({rn, gn, bn});
	s = std::max({rn, gn, bn}) - lo;
	if (s == 0.)
		return;
	const double rs = (rn - lo) / s, gs = (gn - lo) / s, bs = (bn - lo) / s;
	if (red >= green && red >= blue)
		h = (gs - bs) * 60.;
	else if (green >= blue)
		h = (bs - rs) * 60. + 120.;
	else
		h = (rs - gs) * 60. + 240.;
	if (h < 0.)
		h += 360.;
}

void CColor::fromHSV(double h, double s, double v)
{
	if (!(v > 0.))
	{
		red = green = blue = 0;
		return;
	}
	v = std::min(v, 1.);
	if (!(s > 0.))
	{
		red = green = blue = channel(v * 255.);
		return;
	}
	h = wrapHue(h) / 60.;
	const double i = std::floor(h);
	const double f = h - i;
	s = std::min(s, 1.);
	const double V = v * 255. + 0.5;
	const double P = (1. - s) * v * 255. + 0.5;
	const double Q = (1. - s * f) * v * 255. + 0.5;
	const double T = (1. - (1. - f) * s) * v * 255. + 0.5;
	double rgb[3];
	switch (static_cast<int>(i))
	{
		case 1: rgb[0] = Q, rgb[1] = V, rgb[2] = P; break;
		case 2: rgb[0] = P, rgb[1] = V, rgb[2] = T; break;
		case 3: rgb[0] = P, rgb[1] = Q, rgb[2] = V; break;
		case 4: rgb[0] = T, rgb[1] = P, rgb[2] = V; break;
		case 5:
		case -1: rgb[0] = V, rgb[1] = P, rgb[2] = Q; break;
		default: rgb[0] = V, rgb[1] = T, rgb[2] = P; break;
	}
	red = channel(rgb[0]);
	green = channel(rgb[1]);
	blue = channel(rgb[2]);
}

} // namespace VSTGUI
