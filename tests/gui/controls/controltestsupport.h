// Stand-ins for the control tests: a platform frame that records
// invalidations, a listener and an editor that record edits into one shared
// log, a drawing context that records what is drawn, a font whose painter
// records the text it is asked to draw, and helpers for real cairo
// drawing into an offscreen image.
#pragma once

#include "gui/base/cfontdesc.h"
#include "gui/base/ifontpainter.h"
#include "gui/controls/ccontrol.h"
#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cdrawcontext.h"
#include "gui/drawing/coffscreencontext.h"
#include "gui/views/cframe.h"

#include <string>
#include <vector>

namespace VSTGUI::test {

// Every recorded call, in order, as "who:what".
std::vector<std::string>& eventLog();
void clearLog();

class TestPlatformFrame : public IPlatformFrame
{
public:
	explicit TestPlatformFrame(const CRect& size) : size(size) {}

	bool getGlobalPosition(CPoint& position) const override;
	bool setSize(const CRect& newSize) override;
	bool getSize(CRect& result) const override;
	bool getCurrentMousePosition(CPoint& position) const override;
	bool getCurrentMouseButtons(CButtonState& buttons) const override;
	bool setMouseCursor(CCursorType) override { return true; }
	bool invalidRect(const CRect& rect) override;
	bool scrollRect(const CRect&, const CPoint&) override { return false; }
	bool showTooltip(const CRect&, const char*) override { return false; }
	bool hideTooltip() override { return false; }
	void* getPlatformRepresentation() const override { return nullptr; }
	IPlatformTextEdit* createPlatformTextEdit(IPlatformTextEditCallback*) override { return nullptr; }
	IPlatformOptionMenu* createPlatformOptionMenu() override { return nullptr; }
	COffscreenContext* createOffscreenContext(double, double) override { return nullptr; }
	int32 doDrag(CDropSource*, const CPoint&, CBitmap*) override { return kDragError; }

	CRect size;
	std::vector<CRect> invalidRects;
};

// A frame on a TestPlatformFrame; the test ends it with close().
CFrame* makeFrame(const CRect& size, VSTGUIEditorInterface* editor);
TestPlatformFrame* platformOf(CFrame* frame);

// Logs "listener:beginEdit", "listener:valueChanged <value>" (two decimals),
// "listener:endEdit".
class RecordingListener : public CControlListener
{
public:
	void valueChanged(CControl* control) override;
	void controlBeginEdit(CControl* control) override;
	void controlEndEdit(CControl* control) override;
};

// Logs "editor:beginEdit <tag>" and "editor:endEdit <tag>".
class RecordingEditor : public VSTGUIEditorInterface
{
public:
	void beginEdit(int32 index) override;
	void endEdit(int32 index) override;
};

// What was drawn, in local coordinates, with the state at the time.
struct DrawOp
{
	std::string what; // "rect", "line", "bitmap"
	CRect rect;		  // a line runs from its top-left to its bottom-right
	CDrawStyle style {kShapeStroked};
	CColor fillColor;
	CColor frameColor;
	double lineWidth {0.};
	bool solidLine {false};
	CDrawMode drawMode {kDrawModeAntialiased};
	CBitmap* bitmap {nullptr};
	CPoint bitmapOffset;
	float alpha {1.f};
};

class RecordingContext : public CDrawContext
{
public:
	explicit RecordingContext(const CRect& surface) : CDrawContext(surface) { init(); }

	void lineTo(const CPoint& point) override;
	void drawLines(const CPoint*, const int32&) override {}
	void drawPolygon(const CPoint*, const int32&, const CDrawStyle) override {}
	void drawRect(const CRect& rect, const CDrawStyle style) override;
	void drawArc(const CRect&, const float, const float, const CDrawStyle) override {}
	void drawEllipse(const CRect&, const CDrawStyle) override {}
	void drawPoint(const CPoint&, const CColor&) override {}
	void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha) override;
	void clearRect(const CRect&) override {}
	CGraphicsPath* createGraphicsPath() override { return nullptr; }
	void drawGraphicsPath(CGraphicsPath*, PathDrawMode, CGraphicsTransform*) override {}
	void fillLinearGradient(CGraphicsPath*, CGradient*, const CPoint&, const CPoint&, bool,
							CGraphicsTransform*) override
	{
	}

	std::vector<DrawOp> ops;

private:
	DrawOp opWithState(const char* what, const CRect& rect) const;
};

// A text drawn through a RecordingFont.
struct DrawnText
{
	std::string text;
	CPoint baselineStart;
	CColor color;
	CRect clip;
	bool antialias {true};
};

// A font without platform font whose painter records instead of drawing;
// every character is charWidth wide. Size 12, so drawString's baseline is
// at the rectangle's vertical centre plus 5.
class RecordingFont : public CFontDesc, public IFontPainter
{
public:
	RecordingFont() : CFontDesc("Recording", 12.) {}

	IPlatformFont* getPlatformFont() override { return nullptr; }
	IFontPainter* getFontPainter() override { return this; }
	void drawString(CDrawContext* context, const CString& string, const CPoint& point, bool antialias) override;
	double getStringWidth(CDrawContext* context, const CString& string, bool antialias) override;

	std::vector<DrawnText> drawn;
	double charWidth {10.};
};

// A bitmap of that size filled with one colour; the caller forgets it.
CBitmap* makeSolidBitmap(int width, int height, const CColor& color);

// Real cairo drawing: every pixel of an offscreen context, row by row.
class Pixels
{
public:
	explicit Pixels(COffscreenContext* context);
	CColor at(int x, int y) const;
	int width() const { return w; }
	int height() const { return h; }

private:
	std::vector<CColor> pixels;
	int w {0};
	int h {0};
};

bool near(const CColor& a, const CColor& b, int tolerance = 2);
std::string describe(const CColor& color);

} // namespace VSTGUI::test
