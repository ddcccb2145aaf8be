// Stand-ins for the control tests: frames on the recording platform frame, a drawing context that records what is
// drawn, a font whose painter records the text it is asked to draw, and helpers for real cairo drawing into an
// offscreen image.
#pragma once

#include "gui/base/cfontdesc.h"
#include "gui/base/ifontpainter.h"
#include "gui/controls/ccontrol.h"
#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cdrawcontext.h"
#include "gui/drawing/coffscreencontext.h"
#include "gui/views/cframe.h"
#include "tests/support/eventlog.h"
#include "tests/support/nulldrawcontext.h"
#include "tests/support/recordingeditor.h"
#include "tests/support/recordinglistener.h"
#include "tests/support/recordingplatformframe.h"
#include "tests/support/vstkeys.h"

#include <string>
#include <vector>

namespace VSTGUI::test
{

// A frame on a RecordingPlatformFrame; the test ends it with close().
CFrame* makeFrame(const CRect& size, VSTGUIEditorInterface* editor);
RecordingPlatformFrame* platformOf(CFrame* frame);

// What was drawn, in local coordinates, with the state at the time.
struct DrawOp
{
	std::string what; // "rect", "line", "bitmap"
	CRect rect;       // a line runs from its top-left to its bottom-right
	CDrawStyle style{kShapeStroked};
	CColor fillColor;
	CColor frameColor;
	double lineWidth{0.};
	bool solidLine{false};
	CDrawMode drawMode{kDrawModeAntialiased};
	CBitmap* bitmap{nullptr};
	CPoint bitmapOffset;
	float alpha{1.f};
};

class RecordingContext : public NullDrawContext
{
public:
	explicit RecordingContext(const CRect& surface) : NullDrawContext(surface) {}

	void lineTo(const CPoint& point) override;
	void drawRect(const CRect& rect, const CDrawStyle style) override;
	void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha) override;

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
	bool antialias{true};
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
	double charWidth{10.};
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
	int w{0};
	int h{0};
};

bool near(const CColor& a, const CColor& b, int tolerance = 2);
std::string describe(const CColor& color);

} // namespace VSTGUI::test
