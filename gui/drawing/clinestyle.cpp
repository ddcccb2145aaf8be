#include "gui/drawing/clinestyle.h"

#include "gui/base/loadorder.h"

namespace VSTGUI
{

CLineStyle::CLineStyle(LineCap cap, LineJoin join, double dashPhase, int32 dashCount, const double* dashLengths)
: cap(cap), join(join), dashPhase(dashPhase)
{
	setDashLengths(dashCount, dashLengths);
}

void CLineStyle::setDashLengths(int32 count, const double* lengths)
{
	dashes.clear();
	if (count > 0 && lengths)
		dashes.assign(lengths, lengths + count);
}

namespace
{

constexpr double kOnOffDashLengths[] = {1., 1.};

} // namespace

[[gnu::init_priority(kLoadOrderLineStyles)]] const CLineStyle kLineSolid;
[[gnu::init_priority(kLoadOrderLineStyles)]] const CLineStyle
    kLineOnOffDash(CLineStyle::kCapButt, CLineStyle::kJoinMiter, 0., 2, kOnOffDashLengths);

} // namespace VSTGUI
