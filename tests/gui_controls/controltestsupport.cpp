#include "controltestsupport.h"

#include "gui/base/cstring.h"
#include "gui/drawing/cbitmappixelaccess.h"

#include <cstdio>
#include <cstdlib>

#include "tests/support/testplatform.h"

namespace {

// The window layer is not part of these tests: the frame opens on a
// recording stand-in.
[[maybe_unused]] const bool kPlatformInstalled = VSTGUI::test::installLinuxPlatformWith(
    [](VSTGUI::IPlatformFrameCallback*, const VSTGUI::CRect& size, void*) -> VSTGUI::IPlatformFrame* {
	    return new VSTGUI::test::TestPlatformFrame(size);
    },
    [] { return VSTGUI::uint32{1000}; });

} // namespace

namespace VSTGUI::test {

std::vector<std::string>& eventLog()
{
	static std::vector<std::string> entries;
	return entries;
}

void clearLog()
{
	eventLog().clear();
}

bool TestPlatformFrame::getGlobalPosition(CPoint& position) const
{
	position = CPoint(0, 0);
	return true;
}

bool TestPlatformFrame::setSize(const CRect& newSize)
{
	size = newSize;
	return true;
}

bool TestPlatformFrame::getSize(CRect& result) const
{
	result = size;
	return true;
}

bool TestPlatformFrame::getCurrentMousePosition(CPoint& position) const
{
	position = CPoint(0, 0);
	return true;
}

bool TestPlatformFrame::getCurrentMouseButtons(CButtonState&) const
{
	return true;
}

bool TestPlatformFrame::invalidRect(const CRect& rect)
{
	invalidRects.push_back(rect);
	return true;
}

CFrame* makeFrame(const CRect& size, VSTGUIEditorInterface* editor)
{
	static int parentWindow = 0;
	return new CFrame(size, &parentWindow, editor);
}

TestPlatformFrame* platformOf(CFrame* frame)
{
	return static_cast<TestPlatformFrame*>(frame->getPlatformFrame());
}

namespace {

std::string twoDecimals(float value)
{
	char text[32];
	std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
	return text;
}

} // namespace

void RecordingListener::valueChanged(CControl* control)
{
	eventLog().push_back("listener:valueChanged " + twoDecimals(control->getValue()));
}

void RecordingListener::controlBeginEdit(CControl*)
{
	eventLog().push_back("listener:beginEdit");
}

void RecordingListener::controlEndEdit(CControl*)
{
	eventLog().push_back("listener:endEdit");
}

void RecordingEditor::beginEdit(int32 index)
{
	eventLog().push_back("editor:beginEdit " + std::to_string(index));
}

void RecordingEditor::endEdit(int32 index)
{
	eventLog().push_back("editor:endEdit " + std::to_string(index));
}

DrawOp RecordingContext::opWithState(const char* what, const CRect& rect) const
{
	DrawOp op;
	op.what = what;
	op.rect = rect;
	op.fillColor = getFillColor();
	op.frameColor = getFrameColor();
	op.lineWidth = getLineWidth();
	op.solidLine = getLineStyle() == kLineSolid;
	op.drawMode = getDrawMode();
	return op;
}

void RecordingContext::lineTo(const CPoint& point)
{
	ops.push_back(opWithState("line", CRect(getPenLocation().x, getPenLocation().y, point.x, point.y)));
	currentState.penLoc = point;
}

void RecordingContext::drawRect(const CRect& rect, const CDrawStyle style)
{
	DrawOp op = opWithState("rect", rect);
	op.style = style;
	ops.push_back(op);
}

void RecordingContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha)
{
	DrawOp op = opWithState("bitmap", dest);
	op.bitmap = bitmap;
	op.bitmapOffset = offset;
	op.alpha = alpha;
	ops.push_back(op);
}

void RecordingFont::drawString(CDrawContext* context, const CString& string, const CPoint& point, bool antialias)
{
	CRect clip;
	context->getClipRect(clip);
	const char* text = string.getUTF8String();
	drawn.push_back({text ? text : "", point, context->getFontColor(), clip, antialias});
}

double RecordingFont::getStringWidth(CDrawContext*, const CString& string, bool)
{
	const char* text = string.getUTF8String();
	return text ? charWidth * static_cast<double>(std::string(text).size()) : 0.;
}

CBitmap* makeSolidBitmap(int width, int height, const CColor& color)
{
	auto* bitmap = new CBitmap(width, height);
	if (CBitmapPixelAccess* access = CBitmapPixelAccess::create(bitmap, true))
	{
		do
			access->setColor(color);
		while (++*access);
		access->forget();
	}
	return bitmap;
}

Pixels::Pixels(COffscreenContext* context)
{
	context->endDraw();
	CBitmap* bitmap = context->getBitmap();
	if (!bitmap)
		return;
	w = static_cast<int>(bitmap->getWidth());
	h = static_cast<int>(bitmap->getHeight());
	CBitmapPixelAccess* access = CBitmapPixelAccess::create(bitmap, true);
	if (!access)
		return;
	do
	{
		CColor color;
		access->getColor(color);
		pixels.push_back(color);
	} while (++*access);
	access->forget();
}

CColor Pixels::at(int x, int y) const
{
	if (x < 0 || y < 0 || x >= w || y >= h || pixels.size() != static_cast<size_t>(w * h))
		return CColor(1, 2, 3, 4);
	return pixels[static_cast<size_t>(y * w + x)];
}

bool near(const CColor& a, const CColor& b, int tolerance)
{
	return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
		   std::abs(a.blue - b.blue) <= tolerance && std::abs(a.alpha - b.alpha) <= tolerance;
}

std::string describe(const CColor& c)
{
	return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue) + "," +
		   std::to_string(c.alpha);
}

} // namespace VSTGUI::test
