// A path as an ordered list of elements. The back end derives from it and
// caches a platform path built from the list; every change calls dirty() so
// that the cache is rebuilt. Created by CDrawContext::createGraphicsPath
// (count 1, the caller forgets it).
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/base/ccolor.h"
#include "gui/base/crect.h"

#include <vector>

namespace VSTGUI
{

class CGradient;
struct CGraphicsTransform;

class CGraphicsPath : public CBaseObject
{
public:
	struct Element
	{
		enum Type : int32
		{
			kArc = 0,
			kEllipse = 1,
			kRect = 2,
			kLine = 3,
			kBezierCurve = 4,
			kBeginSubpath = 5,
			kCloseSubpath = 6
		};

		Type type{kCloseSubpath};
		// Arc, ellipse and rectangle.
		CRect rect;
		// Arc, in degrees.
		double startAngle{0.};
		double endAngle{0.};
		bool clockwise{false};
		// Bezier control points.
		CPoint control1;
		CPoint control2;
		// End of a line or a Bezier curve, start of a subpath.
		CPoint point;
	};
	using ElementList = std::vector<Element>;

	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return nullptr; }

	// A new gradient of the back end's kind, count 1, owned by the caller.
	virtual CGradient* createGradient(double color1Start, double color2Start, const CColor& color1,
	                                  const CColor& color2) = 0;
	virtual void addArc(const CRect& rect, double startAngle, double endAngle, bool clockwise);
	virtual void addEllipse(const CRect& rect);
	virtual void addRect(const CRect& rect);
	// Appends a copy of every element of path (which may be this path), with
	// coordinates mapped by transform when it is given; dirty() once.
	virtual void addPath(const CGraphicsPath& path, const CGraphicsTransform* transform = nullptr);
	virtual void addLine(const CPoint& to);
	virtual void addBezierCurve(const CPoint& control1, const CPoint& control2, const CPoint& end);
	virtual void beginSubpath(const CPoint& start);
	virtual void closeSubpath();
	// The end point of the last element, as the platform path reports it.
	virtual CPoint getCurrentPosition() = 0;
	virtual CRect getBoundingBox() = 0;

	// A subpath of four clockwise quarter arcs; an inverted rect is normalised
	// first; the radius is not limited against the rectangle's size.
	void addRoundRect(const CRect& rect, double radius);

	const ElementList& getElements() const { return elements; }

protected:
	CGraphicsPath() = default;
	// Discards the back end's cached platform path.
	virtual void dirty() = 0;

	void appendElement(const Element& element);

	ElementList elements;
};

} // namespace VSTGUI
