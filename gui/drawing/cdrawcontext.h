// The platform-neutral drawing surface every view draws through.
//
// The context keeps the current drawing state, a stack of saved states and
// the text layout rules; the primitive drawing operations are abstract and
// realised by the platform back end. Coordinates given to a context are
// local: the current offset is added before they reach the surface.
//
// A context is used by one thread at a time, the user-interface thread.
// Nothing reports an error: null inputs are ignored as stated per operation.
#pragma once

#include "gui/base/cbaseobject.h"
#include "gui/base/ccolor.h"
#include "gui/base/crect.h"
#include "gui/base/textconstants.h"
#include "gui/drawing/clinestyle.h"

#include <cstddef>
#include <vector>

namespace VSTGUI
{

class CBitmap;
class CFontDesc;
class CGradient;
class CGraphicsPath;
class CString;
struct CGraphicsTransform;

enum CDrawMode : int32
{
	kDrawModeAliased = 0,
	kDrawModeAntialiased = 1
};

// Values other than kShapeFilled and kShapeFilledAndStroked stroke.
enum CDrawStyle : int32
{
	kShapeStroked = 0,
	kShapeFilled = 1,
	kShapeFilledAndStroked = 2
};

class CDrawContext : public CBaseObject
{
public:
	enum PathDrawMode : int32
	{
		kPathModeFill = 0,
		kPathModeFillEvenOdd = 1,
		kPathModeStroke = 2
	};

	// One complete drawing state. The font pointer carries one reference held
	// by whoever owns the state (the context manages it).
	struct CDrawContextState
	{
		CFontDesc* font{nullptr};
		CColor frameColor{kTransparentCColor};
		CColor fillColor{kTransparentCColor};
		CColor fontColor{kTransparentCColor};
		double frameWidth{0.};
		CPoint offset;
		CPoint penLoc;
		// Surface coordinates: the offset is already added.
		CRect clipRect;
		CLineStyle lineStyle{kLineOnOffDash};
		CDrawMode drawMode{kDrawModeAntialiased};
		float globalAlpha{1.f};
	};

	bool isTypeOf(const char* className) const override;
	CBaseObject* newCopy() const override { return nullptr; }

	// Sets the pen location; draws nothing.
	virtual void moveTo(const CPoint& point);
	// Strokes from the pen location to point, then moves the pen there.
	virtual void lineTo(const CPoint& point) = 0;
	// 2 * numberOfLines points, taken in pairs, each pair one segment. The
	// pen location is neither used nor changed.
	virtual void drawLines(const CPoint* points, const int32& numberOfLines) = 0;
	// The open polyline through the points, not closed explicitly.
	virtual void drawPolygon(const CPoint* points, const int32& numberOfPoints,
	                         const CDrawStyle drawStyle = kShapeStroked) = 0;
	virtual void drawRect(const CRect& rect, const CDrawStyle drawStyle = kShapeStroked) = 0;
	// Angles in degrees; a pie segment (arc plus line to the centre).
	virtual void drawArc(const CRect& rect, const float startAngle, const float endAngle,
	                     const CDrawStyle drawStyle = kShapeStroked) = 0;
	virtual void drawEllipse(const CRect& rect, const CDrawStyle drawStyle = kShapeStroked) = 0;
	// One pixel; leaves the state as it was.
	virtual void drawPoint(const CPoint& point, const CColor& color) = 0;
	// Bitmap pixel offset lands on dest's top-left corner, cut at dest and the
	// clip; opacity alpha * global alpha. Null bitmap, no platform bitmap or
	// alpha 0: nothing. Views draw through CBitmap::draw instead.
	virtual void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint(0, 0),
	                        float alpha = 1.f) = 0;
	// Makes every pixel of rect fully transparent.
	virtual void clearRect(const CRect& rect) = 0;

	virtual void setLineStyle(const CLineStyle& style);
	virtual void setLineWidth(double width);
	virtual void setDrawMode(CDrawMode mode);
	// Stores clip plus the current offset.
	virtual void setClipRect(const CRect& clip);
	// The clip becomes the whole surface.
	virtual void resetClipRect();
	virtual void setFillColor(const CColor& color);
	virtual void setFrameColor(const CColor& color);
	virtual void setFontColor(const CColor& color);
	// Null changes nothing. size <= 0 keeps the font's size, style -1 keeps its
	// style; a size or style that differs makes the state hold a private copy,
	// the caller's font is never changed. The state remembers what it holds.
	virtual void setFont(CFontDesc* font, const double& size = 0., const int32& style = -1);
	virtual void setGlobalAlpha(float newAlpha);
	// Pushes a copy of the current state (its own font reference).
	virtual void saveGlobalState();
	// Pops the last saved state into the current one; nothing when empty.
	virtual void restoreGlobalState();
	// Replaces the offset; the stored clip keeps its surface coordinates.
	virtual void setOffset(const CPoint& offset);
	// A new empty path of the back end's kind, count 1; the caller forgets it.
	virtual CGraphicsPath* createGraphicsPath() = 0;
	// transform (may be null) maps the path for this one drawing. A null path
	// or one of another back end draws nothing.
	virtual void drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode = kPathModeFill,
	                              CGraphicsTransform* transform = nullptr) = 0;
	// Fills path with the linear gradient whose axis runs from startPoint to
	// endPoint. Null or foreign path or gradient draws nothing.
	virtual void fillLinearGradient(CGraphicsPath* path, CGradient* gradient, const CPoint& startPoint,
	                                const CPoint& endPoint, bool evenOdd = false,
	                                CGraphicsTransform* transform = nullptr) = 0;
	// Bracket one frame of drawing; empty here.
	virtual void beginDraw() {}
	virtual void endDraw() {}

	// The current clip in local coordinates, written to clip and returned.
	CRect& getClipRect(CRect& clip) const;
	const CLineStyle& getLineStyle() const { return currentState.lineStyle; }
	double getLineWidth() const { return currentState.frameWidth; }
	CDrawMode getDrawMode() const { return currentState.drawMode; }
	const CColor& getFillColor() const { return currentState.fillColor; }
	const CColor& getFrameColor() const { return currentState.frameColor; }
	const CColor& getFontColor() const { return currentState.fontColor; }
	// Not owned by the caller; may be null.
	CFontDesc* getFont() const { return currentState.font; }
	float getGlobalAlpha() const { return currentState.globalAlpha; }
	const CPoint& getOffset() const { return currentState.offset; }
	const CPoint& getPenLocation() const { return currentState.penLoc; }
	const CRect& getSurfaceRect() const { return surfaceRect; }
	std::size_t getStateStackDepth() const { return stateStack.size(); }

	// Width of UTF-8 text in the current font (measured anti-aliased); -1 when
	// there is no font, no painter or no text.
	double getStringWidth(const char* string);
	// Lays the text out in rect (vertically centred by the cap height, or the
	// font size when the platform font reports none) and clips it to rect.
	void drawString(const char* string, const CRect& rect, const CHoriTxtAlign hAlign = kTextAlignCenter,
	                bool antialias = true);
	// Draws with the baseline starting at point.
	void drawString(const char* string, const CPoint& point, bool antialias = true);

	// createGraphicsPath() plus addRoundRect; null when no path could be made.
	// The caller owns the reference.
	CGraphicsPath* createRoundRectGraphicsPath(const CRect& rect, double radius);

protected:
	// Surface rectangle fixed for life; the construction state is replaced by
	// init() once the concrete context has its surface.
	explicit CDrawContext(const CRect& surfaceRect);
	~CDrawContext() override;
	CDrawContext(const CDrawContext&) = delete;
	CDrawContext& operator=(const CDrawContext&) = delete;

	// Sets the working initial state through the virtual setters.
	virtual void init();

	CString* getDrawString(const char* string);
	void clearDrawString();

	CString* drawStringObject{nullptr};
	CRect surfaceRect;
	CDrawContextState currentState;
	std::vector<CDrawContextState> stateStack;
};

} // namespace VSTGUI
