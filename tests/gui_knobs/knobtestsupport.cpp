#include "knobtestsupport.h"

#include "gui/drawing/cbitmappixelaccess.h"
#include "tests/support/testplatform.h"

#include <sstream>

namespace {

// The tests' frames have no window.
[[maybe_unused]] const bool kPlatformInstalled = VSTGUI::test::installLinuxPlatformWith(nullptr, [] { return VSTGUI::uint32{0}; });

} // namespace

namespace VSTGUI::knobtest {

std::vector<std::string>& eventLog()
{
	static std::vector<std::string> log;
	return log;
}

void clearLog()
{
	eventLog().clear();
}

std::string valueEntry(float value)
{
	std::ostringstream text;
	text << "listener:valueChanged " << value;
	return text.str();
}

std::vector<std::string> editWith(const std::vector<float>& values)
{
	std::vector<std::string> entries {"listener:beginEdit", "editor:beginEdit 1"};
	for (float value : values)
		entries.push_back(valueEntry(value));
	entries.push_back("editor:endEdit 1");
	entries.push_back("listener:endEdit");
	return entries;
}

void RecordingListener::valueChanged(CControl* control)
{
	eventLog().push_back(valueEntry(control->getValue()));
}

void RecordingListener::controlBeginEdit(CControl*)
{
	eventLog().push_back("listener:beginEdit");
}

void RecordingListener::controlEndEdit(CControl*)
{
	eventLog().push_back("listener:endEdit");
}

void ControlFixture::SetUp()
{
	clearLog();
	frame = new CFrame(CRect(0, 0, 300, 300), nullptr, &editor);
}

void ControlFixture::TearDown()
{
	frame->close();
}

void RecordingContext::lineTo(const CPoint& point)
{
	lines.push_back({getPenLocation(), point, getFrameColor(), getLineWidth()});
	moveTo(point);
}

void RecordingContext::drawEllipse(const CRect& rect, const CDrawStyle style)
{
	ellipses.push_back({rect, style, getFrameColor(), getFillColor(), getLineWidth()});
}

void RecordingContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset, float alpha)
{
	bitmaps.push_back({bitmap, dest, offset, alpha});
}

void RecordingContext::drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode, CGraphicsTransform*)
{
	paths.push_back({path->getElements(), mode, getFrameColor(), getLineWidth(), getLineStyle()});
}

CBitmap* paintedBitmap(int width, int height, const std::function<CColor(int x, int y)>& paint)
{
	auto* bitmap = new CBitmap(width, height);
	CBitmapPixelAccess* access = CBitmapPixelAccess::create(bitmap, false);
	EXPECT_NE(access, nullptr);
	if (!access)
		return bitmap;
	for (int y = 0; y < height; ++y)
		for (int x = 0; x < width; ++x)
		{
			access->setPosition(static_cast<uint32>(x), static_cast<uint32>(y));
			access->setColor(paint(x, y));
		}
	access->forget();
	return bitmap;
}

CColor pixelAt(CBitmap* bitmap, int x, int y)
{
	CColor color(0, 0, 0, 0);
	CBitmapPixelAccess* access = CBitmapPixelAccess::create(bitmap, false);
	if (!access)
		return color;
	if (access->setPosition(static_cast<uint32>(x), static_cast<uint32>(y)))
		access->getColor(color);
	access->forget();
	return color;
}

} // namespace VSTGUI::knobtest
