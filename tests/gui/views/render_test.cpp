// A small tree drawn by the cairo back end into an image: what the window
// would show, pixel by pixel.
#include "viewtestsupport.h"

#include "gui/drawing/cbitmappixelaccess.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::test;

namespace
{

constexpr CColor kHalfBlue(0, 0, 255, 128);

// Every pixel of a context's bitmap, row by row.
std::vector<CColor> readPixels(COffscreenContext* context)
{
	std::vector<CColor> pixels;
	CBitmapPixelAccess* access = CBitmapPixelAccess::create(context->getBitmap(), true);
	if (access == nullptr)
		return pixels;
	do
	{
		CColor color;
		access->getColor(color);
		pixels.push_back(color);
	} while (++*access);
	access->forget();
	return pixels;
}

bool near(const CColor& a, const CColor& b, int tolerance = 2)
{
	return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
	       std::abs(a.blue - b.blue) <= tolerance && std::abs(a.alpha - b.alpha) <= tolerance;
}

std::string describe(const CColor& c)
{
	return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue) + "," +
	       std::to_string(c.alpha);
}

class RenderTest : public ::testing::Test
{
protected:
	static constexpr int kWidth = 40;
	static constexpr int kHeight = 30;

	// Frame (white) > box (5, 5, 35, 25), transparent with a translucent blue
	// background > red view at (2, 2, 12, 12) with the focus, and a green
	// view at (25, 15, 40, 30) that sticks out of the box.
	void SetUp() override
	{
		frame = makeFrame(CRect(0, 0, kWidth, kHeight));
		frame->setBackgroundColor(kWhiteCColor);
		frame->setFocusDrawingEnabled(true);
		frame->setFocusColor(kMagentaCColor);
		frame->setFocusWidth(1);
		box = new CViewContainer(CRect(5, 5, 35, 25));
		box->setTransparency(true);
		box->setBackgroundColor(kHalfBlue);
		frame->addView(box);
		red = new RecordingView("red", CRect(2, 2, 12, 12));
		red->drawColor = kRedCColor;
		red->setWantsFocus(true);
		box->addView(red);
		green = new RecordingView("green", CRect(25, 15, 40, 30));
		green->drawColor = kGreenCColor;
		box->addView(green);
		frame->setFocusView(red);
		context = CairoDrawContext::createOffscreen(kWidth, kHeight);
	}
	void TearDown() override
	{
		context->forget();
		frame->close();
		EXPECT_EQ(liveObjects(), 0);
	}

	CColor at(const std::vector<CColor>& pixels, int x, int y) const
	{
		return pixels[static_cast<size_t>(y * kWidth + x)];
	}

	CFrame* frame{nullptr};
	CViewContainer* box{nullptr};
	RecordingView* red{nullptr};
	RecordingView* green{nullptr};
	CairoDrawContext* context{nullptr};
};

TEST_F(RenderTest, TreeDrawsBackgroundsClippedChildrenAndTheFocusRing)
{
	ASSERT_TRUE(frame->platformDrawRect(context, CRect(0, 0, kWidth, kHeight)));
	auto pixels = readPixels(context);
	ASSERT_EQ(pixels.size(), static_cast<size_t>(kWidth * kHeight));
	const CColor blueOverWhite(127, 127, 255, 255);
	EXPECT_TRUE(near(at(pixels, 1, 1), kWhiteCColor)) << describe(at(pixels, 1, 1));
	EXPECT_TRUE(near(at(pixels, 22, 10), blueOverWhite)) << describe(at(pixels, 22, 10));
	EXPECT_TRUE(near(at(pixels, 12, 12), kRedCColor)) << describe(at(pixels, 12, 12));
	// The green view is cut at the box's right and bottom edges.
	EXPECT_TRUE(near(at(pixels, 32, 22), kGreenCColor)) << describe(at(pixels, 32, 22));
	EXPECT_TRUE(near(at(pixels, 37, 22), kWhiteCColor)) << describe(at(pixels, 37, 22));
	EXPECT_TRUE(near(at(pixels, 32, 27), kWhiteCColor)) << describe(at(pixels, 32, 27));
	// A one-pixel ring just outside the focused view (7, 7, 17, 17).
	EXPECT_TRUE(near(at(pixels, 6, 12), kMagentaCColor)) << describe(at(pixels, 6, 12));
	EXPECT_TRUE(near(at(pixels, 17, 12), kMagentaCColor)) << describe(at(pixels, 17, 12));
	EXPECT_TRUE(near(at(pixels, 12, 17), kMagentaCColor)) << describe(at(pixels, 12, 17));
	EXPECT_TRUE(near(at(pixels, 18, 12), blueOverWhite)) << describe(at(pixels, 18, 12));
	EXPECT_TRUE(near(at(pixels, 3, 12), kWhiteCColor)) << describe(at(pixels, 3, 12));
	EXPECT_EQ(context->getOffset(), CPoint(0, 0));
}

TEST_F(RenderTest, RedrawAfterOneChildChangesTouchesOnlyThatChildsRectangle)
{
	frame->platformDrawRect(context, CRect(0, 0, kWidth, kHeight));
	auto before = readPixels(context);
	platformOf(frame)->invalidRects.clear();
	frame->idle();
	EXPECT_TRUE(platformOf(frame)->invalidRects.empty());

	red->drawColor = kYellowCColor;
	red->setDirty(true);
	frame->idle();
	ASSERT_EQ(platformOf(frame)->invalidRects, std::vector<CRect>({CRect(7, 7, 17, 17)}));
	frame->platformDrawRect(context, platformOf(frame)->invalidRects[0]);
	auto after = readPixels(context);

	int changedOutside = 0;
	for (int y = 0; y < kHeight; ++y)
	{
		for (int x = 0; x < kWidth; ++x)
		{
			bool inside = x >= 7 && x < 17 && y >= 7 && y < 17;
			if (!inside && !(at(before, x, y) == at(after, x, y)))
				++changedOutside;
		}
	}
	EXPECT_EQ(changedOutside, 0);
	for (int y = 9; y < 15; ++y)
	{
		for (int x = 9; x < 15; ++x)
			EXPECT_TRUE(near(at(after, x, y), kYellowCColor)) << x << "," << y;
	}
}

TEST_F(RenderTest, HiddenChildIsNotDrawnAndAlphaFadesIt)
{
	green->setVisible(false);
	red->setAlphaValue(0.5f);
	frame->setFocusDrawingEnabled(false);
	frame->platformDrawRect(context, CRect(0, 0, kWidth, kHeight));
	auto pixels = readPixels(context);
	const CColor blueOverWhite(127, 127, 255, 255);
	EXPECT_TRUE(near(at(pixels, 32, 22), blueOverWhite)) << describe(at(pixels, 32, 22));
	// Half red over the blue-tinted white.
	EXPECT_TRUE(near(at(pixels, 12, 12), CColor(191, 63, 127, 255), 3)) << describe(at(pixels, 12, 12));
	EXPECT_TRUE(near(at(pixels, 6, 12), blueOverWhite)) << describe(at(pixels, 6, 12));
}

} // namespace
