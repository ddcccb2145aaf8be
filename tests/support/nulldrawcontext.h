// A drawing context that draws nothing: the base of the suites' recording
// contexts, which override what they record.
#pragma once

#include "gui/drawing/cdrawcontext.h"

namespace VSTGUI::test
{

class NullDrawContext : public CDrawContext
{
public:
	explicit NullDrawContext(const CRect& surface) : CDrawContext(surface) { init(); }

	void lineTo(const CPoint&) override {}
	void drawLines(const CPoint*, const int32&) override {}
	void drawPolygon(const CPoint*, const int32&, const CDrawStyle) override {}
	void drawRect(const CRect&, const CDrawStyle) override {}
	void drawArc(const CRect&, const float, const float, const CDrawStyle) override {}
	void drawEllipse(const CRect&, const CDrawStyle) override {}
	void drawPoint(const CPoint&, const CColor&) override {}
	void drawBitmap(CBitmap*, const CRect&, const CPoint&, float) override {}
	void clearRect(const CRect&) override {}
	// No path: a control that asks for one draws without it.
	CGraphicsPath* createGraphicsPath() override { return nullptr; }
	void drawGraphicsPath(CGraphicsPath*, PathDrawMode, CGraphicsTransform*) override {}
	void fillLinearGradient(CGraphicsPath*, CGradient*, const CPoint&, const CPoint&, bool,
	                        CGraphicsTransform*) override
	{
	}
};

} // namespace VSTGUI::test
