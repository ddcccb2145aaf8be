// How lines are stroked: cap, join and dashes. A value type with a deep copy
// of the dash lengths. Dash lengths are multiples of the line width; the
// back end multiplies them when it applies the style.
#pragma once

#include "gui/base/vstguitypes.h"

#include <vector>

namespace VSTGUI
{

class CLineStyle
{
public:
	enum LineCap : int32
	{
		kCapButt = 0,
		kCapRound,
		kCapSquare
	};
	enum LineJoin : int32
	{
		kJoinMiter = 0,
		kJoinRound,
		kJoinBevel
	};

	// The lengths are copied only when dashCount > 0 and dashLengths is given;
	// otherwise the style has no dashes.
	CLineStyle(LineCap cap = kCapButt, LineJoin join = kJoinMiter, double dashPhase = 0., int32 dashCount = 0,
	           const double* dashLengths = nullptr);

	bool operator==(const CLineStyle& other) const = default;

	LineCap getLineCap() const { return cap; }
	LineJoin getLineJoin() const { return join; }
	double getDashPhase() const { return dashPhase; }
	int32 getDashCount() const { return static_cast<int32>(dashes.size()); }
	// Null when there are no dashes.
	const double* getDashLengths() const { return dashes.empty() ? nullptr : dashes.data(); }

	void setLineCap(LineCap newCap) { cap = newCap; }
	void setLineJoin(LineJoin newJoin) { join = newJoin; }
	void setDashPhase(double phase) { dashPhase = phase; }
	// Same rule as the constructor.
	void setDashLengths(int32 count, const double* lengths);

private:
	LineCap cap{kCapButt};
	LineJoin join{kJoinMiter};
	double dashPhase{0.};
	std::vector<double> dashes;
};

// Butt cap, miter join, phase 0, no dashes.
extern const CLineStyle kLineSolid;
// Butt cap, miter join, phase 0, dashes {1, 1}.
extern const CLineStyle kLineOnOffDash;

} // namespace VSTGUI
