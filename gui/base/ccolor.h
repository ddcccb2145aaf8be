// A colour of four 8-bit channels; alpha 255 is opaque, 0 fully transparent.
#pragma once

#include "gui/base/vstguitypes.h"

namespace VSTGUI
{

struct CColor
{
	constexpr CColor() = default;
	constexpr CColor(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255)
	: red(red), green(green), blue(blue), alpha(alpha)
	{
	}

	bool operator==(const CColor& other) const = default;

	// h in degrees 0..360, s and v in 0..1; alpha is not involved.
	void toHSV(double& h, double& s, double& v) const;
	// Sets red, green and blue from h (any value; wrapped into 0..360), s and v
	// (clamped to at most 1); alpha is left unchanged.
	void fromHSV(double h, double s, double v);

	uint8 red{0};
	uint8 green{0};
	uint8 blue{0};
	uint8 alpha{255};
};

constexpr CColor MakeCColor(uint8 red, uint8 green, uint8 blue, uint8 alpha = 255)
{
	return CColor(red, green, blue, alpha);
}

// The predefined colours: constant data, ready before any dynamic initialiser.
inline constexpr CColor kTransparentCColor{255, 255, 255, 0};
inline constexpr CColor kBlackCColor{0, 0, 0, 255};
inline constexpr CColor kWhiteCColor{255, 255, 255, 255};
inline constexpr CColor kGreyCColor{127, 127, 127, 255};
inline constexpr CColor kRedCColor{255, 0, 0, 255};
inline constexpr CColor kGreenCColor{0, 255, 0, 255};
inline constexpr CColor kBlueCColor{0, 0, 255, 255};
inline constexpr CColor kYellowCColor{255, 255, 0, 255};
inline constexpr CColor kMagentaCColor{255, 0, 255, 255};
inline constexpr CColor kCyanCColor{0, 255, 255, 255};

} // namespace VSTGUI
