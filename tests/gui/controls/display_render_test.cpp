// Displays and labels drawn by the cairo back end with Pango text: frame,
// fill, 3D edges and text cut at the text rectangle.
#include "controltestsupport.h"

#include "gui/controls/ctextlabel.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::test;

namespace
{

constexpr CColor kNothing(0, 0, 0, 0);

bool painted(const CColor& color)
{
	return color.alpha > 0;
}

// Pixels of rows top..bottom - 1 in columns left..right - 1 that satisfy test.
template <typename Test> int countIn(const Pixels& pixels, const CRect& area, Test test)
{
	int count = 0;
	for (int y = static_cast<int>(area.top); y < static_cast<int>(area.bottom); ++y)
	{
		for (int x = static_cast<int>(area.left); x < static_cast<int>(area.right); ++x)
			count += test(pixels.at(x, y)) ? 1 : 0;
	}
	return count;
}

Pixels render(CParamDisplay* display, int width, int height)
{
	CairoDrawContext* context = CairoDrawContext::createOffscreen(width, height);
	display->draw(context);
	Pixels pixels(context);
	context->forget();
	return pixels;
}

TEST(DisplayRender, OpaqueDisplayShowsFrameFillAndItsTextInside)
{
	auto* display = new CParamDisplay(CRect(0, 0, 60, 20));
	display->setBackColor(kBlueCColor);
	display->setFrameColor(kRedCColor);
	display->setFontColor(kWhiteCColor);
	display->setValue(0.5f);
	Pixels pixels = render(display, 60, 20);
	for (auto [x, y] : {std::pair(0, 0), std::pair(30, 0), std::pair(59, 10), std::pair(30, 19), std::pair(0, 10)})
		EXPECT_TRUE(near(pixels.at(x, y), kRedCColor)) << x << "," << y << ": " << describe(pixels.at(x, y));
	EXPECT_TRUE(near(pixels.at(2, 2), kBlueCColor)) << describe(pixels.at(2, 2));
	auto whitish = [](const CColor& c) { return c.red > 160 && c.green > 160 && c.blue > 200; };
	EXPECT_GT(countIn(pixels, CRect(10, 2, 50, 18), whitish), 10);
	EXPECT_EQ(countIn(pixels, CRect(1, 1, 8, 19), whitish), 0);
	display->forget();
}

TEST(DisplayRender, SunkenAndRaisedEdgesSitOnTheOutermostPixelsOverTheBitmap)
{
	CBitmap* back = makeSolidBitmap(60, 20, kGreenCColor);
	for (int32 style : {kDisplaySunken, kDisplayRaised})
	{
		SCOPED_TRACE(style);
		auto* display = new CParamDisplay(CRect(0, 0, 60, 20), back, style | kDisplayNoText);
		display->setBackColor(kBlueCColor);
		display->setFrameColor(kRedCColor);
		Pixels pixels = render(display, 60, 20);
		const CColor topLeft = style == kDisplaySunken ? kBlueCColor : kRedCColor;
		const CColor bottomRight = style == kDisplaySunken ? kRedCColor : kBlueCColor;
		EXPECT_TRUE(near(pixels.at(30, 0), topLeft)) << describe(pixels.at(30, 0));
		EXPECT_TRUE(near(pixels.at(0, 10), topLeft)) << describe(pixels.at(0, 10));
		EXPECT_TRUE(near(pixels.at(30, 19), bottomRight)) << describe(pixels.at(30, 19));
		EXPECT_TRUE(near(pixels.at(59, 10), bottomRight)) << describe(pixels.at(59, 10));
		EXPECT_TRUE(near(pixels.at(30, 10), kGreenCColor)) << describe(pixels.at(30, 10));
		EXPECT_TRUE(near(pixels.at(1, 1), kGreenCColor)) << describe(pixels.at(1, 1));
		display->forget();
	}
	back->forget();
}

TEST(DisplayRender, TextWiderThanItsRectangleIsCutAtTheEdgesShadowIncluded)
{
	auto* label = new CTextLabel(CRect(10, 5, 50, 25), "WWWWWWWWWWWWWWWWWWWW");
	label->setTransparency(true);
	label->setTextInset(CPoint(5, 0));
	label->setStyle(kDisplayShadowText);
	label->setShadowColor(kRedCColor);
	label->setFontColor(kWhiteCColor);
	Pixels pixels = render(label, 60, 30);
	const CRect textRect(15, 5, 45, 25);
	EXPECT_EQ(countIn(pixels, CRect(0, 0, 60, 30), painted), countIn(pixels, textRect, painted));
	// The text runs to both edges: it is cut, not squeezed.
	EXPECT_GT(countIn(pixels, CRect(15, 5, 18, 25), painted), 0);
	EXPECT_GT(countIn(pixels, CRect(42, 5, 45, 25), painted), 0);
	auto reddish = [](const CColor& c) { return c.alpha > 100 && c.red > 150 && c.green < 80; };
	EXPECT_GT(countIn(pixels, textRect, reddish), 0);
	EXPECT_TRUE(near(pixels.at(12, 15), kNothing));
	label->forget();
}

} // namespace
