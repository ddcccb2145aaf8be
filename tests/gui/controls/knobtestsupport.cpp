#include "knobtestsupport.h"

#include "gui/drawing/cbitmappixelaccess.h"
#include "tests/support/testplatform.h"

namespace
{

// The tests' frames have no window.
[[maybe_unused]] const bool kPlatformInstalled =
    VSTGUI::test::installLinuxPlatformWith(nullptr, [] { return VSTGUI::uint32{0}; });

} // namespace

namespace VSTGUI::knobtest
{

std::string valueEntry(float value)
{
	return RecordingListener(RecordingListener::shortest()).valueEntry(nullptr, value);
}

std::vector<std::string> editWith(const std::vector<float>& values)
{
	std::vector<std::string> entries{"listener:beginEdit", "editor:beginEdit 1"};
	for (float value : values)
		entries.push_back(valueEntry(value));
	entries.push_back("editor:endEdit 1");
	entries.push_back("listener:endEdit");
	return entries;
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

} // namespace VSTGUI::knobtest
