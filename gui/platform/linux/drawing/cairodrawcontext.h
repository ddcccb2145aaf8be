// The drawing context on cairo: every primitive of CDrawContext with the
// pixel placement the toolkit's views are laid out for.
//
// Two forms: on a cairo_t supplied by the window (its user space is the
// window's pixel space, origin top-left, y down), and offscreen on the pixels
// of a CairoBitmap. Each drawing operation brackets its cairo calls with
// beginCairoContext / releaseCairoContext, which apply the whole toolkit
// state (clip, offset, draw mode) from scratch; colours, line width and
// style are applied by the operation that uses them. So the toolkit's state
// stack needs no cairo save/restore of its own, and the setters only store.
//
// Geometry that views rely on:
// - lines and rectangle outlines with an odd integer part of the line width
//   are shifted by (+0.5, -0.5), so that one-pixel lines fall on pixel
//   centres; drawRect's path runs (left, top + 1), (right - 1, top + 1),
//   (right - 1, bottom), (left, bottom): a stroked one-pixel outline covers
//   exactly columns left..right - 1 and rows top..bottom - 1. The shift
//   moves a horizontal lineTo at y onto row y - 1.
// - drawArc angles are degrees, 0 at the top of the ellipse and growing
//   counter-clockwise on screen; the arc is followed by a line to the centre.
// - bitmaps are never scaled: pixel (offset.x, offset.y) lands on the
//   rounded top-left corner of the destination, which cuts the image. A
//   window with a scale factor (its cairo_t scaled to device pixels) draws
//   them at their size in its units, from their twice-resolution pixels
//   where they have them.
// - dash lengths are multiples of the line width; the phase is not.
// - the global alpha multiplies everything drawn.
//
// Threads: user-interface thread only.
#pragma once

#include "gui/drawing/coffscreencontext.h"

#include <cairo.h>

namespace VSTGUI
{

class CairoBitmap;

class CairoDrawContext : public COffscreenContext
{
public:
	// Window form: cr is referenced for the context's life and left in the
	// state it was found in. A null cr draws nothing.
	CairoDrawContext(cairo_t* cr, const CRect& surfaceRect);
	// Offscreen form on bitmap's pixels (the surface is (0, 0, width,
	// height)); the context holds a CBitmap around it. A null or empty
	// bitmap draws nothing.
	explicit CairoDrawContext(CairoBitmap* bitmap);
	// A new transparent bitmap of width x height pixels and a context on it
	// that holds the only reference to the bitmap; the caller owns the
	// context (forget). Sizes are truncated to whole pixels.
	static CairoDrawContext* createOffscreen(double width, double height);
	// The same with scaleFactor device pixels per unit (1 to 4): the bitmap
	// has the scaled size, the context the given one.
	static CairoDrawContext* createOffscreen(double width, double height, double scaleFactor);

	void lineTo(const CPoint& point) override;
	void drawLines(const CPoint* points, const int32& numberOfLines) override;
	void drawPolygon(const CPoint* points, const int32& numberOfPoints, const CDrawStyle drawStyle) override;
	void drawRect(const CRect& rect, const CDrawStyle drawStyle) override;
	void drawArc(const CRect& rect, const float startAngle, const float endAngle, const CDrawStyle drawStyle) override;
	void drawEllipse(const CRect& rect, const CDrawStyle drawStyle) override;
	void drawPoint(const CPoint& point, const CColor& color) override;
	void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha) override;
	void clearRect(const CRect& rect) override;
	CGraphicsPath* createGraphicsPath() override;
	void drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode, CGraphicsTransform* transform) override;
	void fillLinearGradient(CGraphicsPath* path, CGradient* gradient, const CPoint& startPoint, const CPoint& endPoint,
	                        bool evenOdd, CGraphicsTransform* transform) override;
	// Flushes cairo's pending work into the target's pixels.
	void endDraw() override;

	// Saves the cairo state, clips to the current clip and translates by the
	// current offset (rounded up to whole pixels when integralOffset), with
	// anti-aliasing per the draw mode. Null when there is nothing to draw on.
	// Every non-null result is handed back to releaseCairoContext. Used by
	// the font painter too.
	cairo_t* beginCairoContext(bool integralOffset);
	void releaseCairoContext(cairo_t* cr);
	// Sets cr's source to colour with the global alpha multiplied in.
	void setSourceColor(cairo_t* cr, const CColor& color) const;
	// Device pixels per unit: the window's scale factor, 1 offscreen.
	double getDeviceScale() const { return deviceScale; }

protected:
	~CairoDrawContext() override;

private:
	void applyLineStyle(cairo_t* cr) const;
	void shiftForOddLineWidth(cairo_t* cr) const;
	// Fills and/or strokes cr's current path per style, then clears it.
	void drawCurrentPath(cairo_t* cr, CDrawStyle style);
	void appendArcPath(cairo_t* cr, const CRect& rect, float startAngle, float endAngle) const;

	static void snapToDevicePixel(cairo_t* cr, double& x, double& y);

	cairo_t* cairo{nullptr};
	bool windowForm{false};
	// Device pixels per unit of the window's cairo_t.
	double deviceScale{1.};
};

} // namespace VSTGUI
