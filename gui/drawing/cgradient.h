// A linear gradient of two colour stops (positions 0..1 along the axis).
// Immutable; created only by CGraphicsPath::createGradient of a back end.
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/base/ccolor.h"

namespace VSTGUI
{

class CGradient : public CBaseObject
{
public:
	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return nullptr; }

	double getColor1Start() const { return color1Start; }
	double getColor2Start() const { return color2Start; }
	const CColor& getColor1() const { return color1; }
	const CColor& getColor2() const { return color2; }

protected:
	CGradient(double color1Start, double color2Start, const CColor& color1, const CColor& color2)
	: color1Start(color1Start), color2Start(color2Start), color1(color1), color2(color2)
	{
	}

	double color1Start;
	double color2Start;
	CColor color1;
	CColor color2;
};

} // namespace VSTGUI
