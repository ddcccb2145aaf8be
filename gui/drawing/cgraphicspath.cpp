#include "gui/drawing/cgraphicspath.h"

#include "gui/drawing/cgraphicstransform.h"

#include <cstring>

namespace VSTGUI
{

bool CGraphicsPath::isTypeOf(const char* className) const
{
	return (className && std::strcmp(className, "CGraphicsPath") == 0) || CBaseObject::isTypeOf(className);
}

void CGraphicsPath::appendElement(const Element& element)
{
	elements.push_back(element);
	dirty();
}

void CGraphicsPath::addArc(const CRect& rect, double startAngle, double endAngle, bool clockwise)
{
	Element e;
	e.type = Element::kArc;
	e.rect = rect;
	e.startAngle = startAngle;
	e.endAngle = endAngle;
	e.clockwise = clockwise;
	appendElement(e);
}

void CGraphicsPath::addEllipse(const CRect& rect)
{
	Element e;
	e.type = Element::kEllipse;
	e.rect = rect;
	appendElement(e);
}

void CGraphicsPath::addRect(const CRect& rect)
{
	Element e;
	e.type = Element::kRect;
	e.rect = rect;
	appendElement(e);
}

void CGraphicsPath::addLine(const CPoint& to)
{
	Element e;
	e.type = Element::kLine;
	e.point = to;
	appendElement(e);
}

void CGraphicsPath::addBezierCurve(const CPoint& control1, const CPoint& control2, const CPoint& end)
{
	Element e;
	e.type = Element::kBezierCurve;
	e.control1 = control1;
	e.control2 = control2;
	e.point = end;
	appendElement(e);
}

void CGraphicsPath::beginSubpath(const CPoint& start)
{
	Element e;
	e.type = Element::kBeginSubpath;
	e.point = start;
	appendElement(e);
}

void CGraphicsPath::closeSubpath()
{
	Element e;
	e.type = Element::kCloseSubpath;
	appendElement(e);
}

namespace
{

void transformElement(CGraphicsPath::Element& e, const CGraphicsTransform& t)
{
	using Element = CGraphicsPath::Element;
	switch (e.type)
	{
		case Element::kArc:
		case Element::kEllipse:
		case Element::kRect: t.transform(e.rect); break;
		case Element::kBezierCurve:
			t.transform(e.control1);
			t.transform(e.control2);
			t.transform(e.point);
			break;
		case Element::kLine:
		case Element::kBeginSubpath: t.transform(e.point); break;
		case Element::kCloseSubpath: break;
	}
}

} // namespace

void CGraphicsPath::addPath(const CGraphicsPath& path, const CGraphicsTransform* transform)
{
	// A copy first: path may be this very path, whose list grows below.
	ElementList copied = path.elements;
	if (transform)
	{
		for (auto& e : copied)
			transformElement(e, *transform);
	}
	elements.insert(elements.end(), copied.begin(), copied.end());
	dirty();
}

void CGraphicsPath::addRoundRect(const CRect& rect, double radius)
{
	CRect r(rect);
	r.normalize();
	const double d = radius * 2.;
	beginSubpath(CPoint(r.right - radius, r.top));
	addArc(CRect(r.right - d, r.top, r.right, r.top + d), 270., 360., true);
	addArc(CRect(r.right - d, r.bottom - d, r.right, r.bottom), 0., 90., true);
	addArc(CRect(r.left, r.bottom - d, r.left + d, r.bottom), 90., 180., true);
	addArc(CRect(r.left, r.top, r.left + d, r.top + d), 180., 270., true);
	closeSubpath();
}

} // namespace VSTGUI
