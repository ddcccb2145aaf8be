// The editor's slider drawn by the cairo back end into an image: a blue
// 250 x 60 track and a red 20 x 60 handle, made here, land on the pixels
// the geometry computes.
#include "controltestsupport.h"

#include "gui/controls/cslider.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::test;

namespace
{

constexpr CColor kTrack = kBlueCColor;
constexpr CColor kHandle = kRedCColor;
constexpr CColor kNothing(0, 0, 0, 0);

class SliderRenderTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		track = makeSolidBitmap(250, 60, kTrack);
		handle = makeSolidBitmap(20, 60, kHandle);
		slider = new CHorizontalSlider(CRect(73, 94, 323, 154), nullptr, 0, 73, 302, handle, track, CPoint(0, 0), 8);
	}
	void TearDown() override
	{
		slider->forget();
		handle->forget();
		track->forget();
	}
	Pixels render(float value)
	{
		slider->setValue(value);
		CairoDrawContext* context = CairoDrawContext::createOffscreen(400, 200);
		slider->draw(context);
		Pixels pixels(context);
		context->forget();
		return pixels;
	}

	CBitmap* track{nullptr};
	CBitmap* handle{nullptr};
	CSlider* slider{nullptr};
};

TEST_F(SliderRenderTest, HandleLandsAtTheComputedColumnForValuesZeroHalfAndOne)
{
	for (float value : {0.f, 0.5f, 1.f})
	{
		SCOPED_TRACE(value);
		const int x = 73 + static_cast<int>(std::floor(value * 229.));
		Pixels pixels = render(value);
		ASSERT_EQ(pixels.width(), 400);
		EXPECT_TRUE(near(pixels.at(x, 120), kHandle)) << describe(pixels.at(x, 120));
		EXPECT_TRUE(near(pixels.at(x + 19, 120), kHandle)) << describe(pixels.at(x + 19, 120));
		EXPECT_TRUE(near(pixels.at(x + 20, 120), kTrack)) << describe(pixels.at(x + 20, 120));
		const CColor before = x == 73 ? kNothing : kTrack;
		EXPECT_TRUE(near(pixels.at(x - 1, 120), before)) << describe(pixels.at(x - 1, 120));
		// Top to bottom of the view, and nothing outside it.
		EXPECT_TRUE(near(pixels.at(x + 10, 94), kHandle));
		EXPECT_TRUE(near(pixels.at(x + 10, 153), kHandle));
		EXPECT_TRUE(near(pixels.at(x + 10, 93), kNothing));
		EXPECT_TRUE(near(pixels.at(x + 10, 154), kNothing));
	}
}

TEST_F(SliderRenderTest, TrackFillsExactlyTheViewRectangle)
{
	Pixels pixels = render(1.f);
	EXPECT_TRUE(near(pixels.at(73, 94), kTrack)) << describe(pixels.at(73, 94));
	EXPECT_TRUE(near(pixels.at(322, 153), kTrack)) << describe(pixels.at(322, 153));
	EXPECT_TRUE(near(pixels.at(72, 120), kNothing));
	EXPECT_TRUE(near(pixels.at(323, 120), kNothing));
}

TEST(SliderValueBarRender, ValueBarCoversTheValuesShareOfTheInsetBack)
{
	auto* slider = new CHorizontalSlider(CRect(0, 0, 102, 12), nullptr, 0, 0, 100, nullptr, nullptr);
	slider->setDrawStyle(kSliderDrawBack | kSliderDrawValue);
	slider->setBackColor(kBlueCColor);
	slider->setValueColor(kGreenCColor);
	slider->setValue(0.5f);
	CairoDrawContext* context = CairoDrawContext::createOffscreen(110, 20);
	slider->draw(context);
	Pixels pixels(context);
	EXPECT_TRUE(near(pixels.at(0, 6), kBlueCColor)) << describe(pixels.at(0, 6));
	EXPECT_TRUE(near(pixels.at(20, 0), kBlueCColor)) << describe(pixels.at(20, 0));
	for (int x : {2, 25, 49})
		EXPECT_TRUE(near(pixels.at(x, 6), kGreenCColor)) << x << ": " << describe(pixels.at(x, 6));
	// The bar is drawn anti-aliased: its end columns are shared half and half.
	for (int x : {1, 50})
	{
		const CColor mixed = pixels.at(x, 6);
		EXPECT_TRUE(mixed.green > 100 && mixed.blue > 100) << x << ": " << describe(mixed);
	}
	EXPECT_TRUE(near(pixels.at(51, 6), kBlueCColor)) << describe(pixels.at(51, 6));
	context->forget();
	slider->forget();
}

} // namespace
