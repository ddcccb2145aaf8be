// Controls drawn with the cairo back end into offscreen bitmaps, their
// pictures painted by the tests, and the resulting pixels read back.
#include "gui/controls/canimknob.h"
#include "gui/controls/chorizontalswitch.h"
#include "gui/controls/ckickbutton.h"
#include "gui/controls/cknob.h"
#include "gui/controls/conoffbutton.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"
#include "knobtestsupport.h"

#include <cstdlib>

using namespace VSTGUI;
using namespace VSTGUI::knobtest;

namespace
{

const CColor kRed(255, 0, 0, 255);
const CColor kBlue(0, 0, 255, 255);
const CColor kNone(0, 0, 0, 0);
// One colour per image of the test strips.
const CColor kImageColors[] = {
    {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 0, 255}, {0, 255, 255, 255}};

bool near(const CColor& actual, const CColor& expected)
{
	auto close = [](int a, int b) { return std::abs(a - b) <= 3; };
	return close(actual.red, expected.red) && close(actual.green, expected.green) &&
	       close(actual.blue, expected.blue) && close(actual.alpha, expected.alpha);
}

std::string describe(const CColor& color)
{
	return std::to_string(color.red) + "," + std::to_string(color.green) + "," + std::to_string(color.blue) + "," +
	       std::to_string(color.alpha);
}

class RenderTest : public ControlFixture
{
protected:
	void TearDown() override
	{
		if (context)
			context->forget();
		ControlFixture::TearDown();
	}

	// Draws control alone into a new offscreen surface of that size.
	void render(CControl* control, int width, int height)
	{
		if (context)
			context->forget();
		context = CairoDrawContext::createOffscreen(width, height);
		control->draw(context);
		context->endDraw();
	}

	CColor pixel(int x, int y) { return pixelAt(context->getBitmap(), x, y); }
	void expectPixel(int x, int y, const CColor& expected)
	{
		EXPECT_PRED2(near, pixel(x, y), expected) << "pixel " << x << "," << y << " is " << describe(pixel(x, y));
	}
	bool inked(int x, int y) { return pixel(x, y).alpha > 0; }

	CairoDrawContext* context{nullptr};
};

// Images of size x size pixels in a row (horizontal) or a column.
CBitmap* stripOf(int images, int size, bool horizontal)
{
	return paintedBitmap(horizontal ? images * size : size, horizontal ? size : images * size,
	                     [=](int x, int y) { return kImageColors[(horizontal ? x : y) / size]; });
}

TEST_F(RenderTest, LineHandlePointsAtTheValue)
{
	auto* knob = add(new CKnob(CRect(0, 0, 40, 40), nullptr, 1, nullptr, nullptr));
	knob->setValue(0.5f);
	render(knob, 40, 40);
	EXPECT_TRUE(inked(20, 8));
	EXPECT_TRUE(inked(20, 15));
	EXPECT_FALSE(inked(12, 28));
	EXPECT_FALSE(inked(28, 28));
	// The white highlight lies right of the grey shadow.
	EXPECT_GT(pixel(20, 10).green, pixel(18, 10).green);

	knob->setValue(0.f);
	render(knob, 40, 40);
	EXPECT_TRUE(inked(12, 28));
	EXPECT_FALSE(inked(20, 8));
	EXPECT_FALSE(inked(28, 28));
}

TEST_F(RenderTest, CoronaCoversTheArcUpToTheValue)
{
	auto* knob = add(new CKnob(CRect(0, 0, 40, 40), nullptr, 1, nullptr, nullptr, CPoint(), kKnobCorona));
	knob->setCoronaInset(4.);
	knob->setHandleLineWidth(3.);
	knob->setCoronaColor(kRed);
	knob->setValue(0.5f);
	render(knob, 40, 40);
	// Radius 16 around (20, 20): start at the lower left, the left side.
	expectPixel(4, 20, kRed);
	expectPixel(6, 28, kRed);
	expectPixel(35, 20, kNone);
	expectPixel(33, 28, kNone);

	knob->setDrawStyle(kKnobCorona | kKnobCoronaInverted);
	render(knob, 40, 40);
	expectPixel(35, 20, kRed);
	expectPixel(33, 28, kRed);
	expectPixel(4, 20, kNone);
	expectPixel(6, 28, kNone);
}

TEST_F(RenderTest, HandleBitmapSitsOnTheValuesPoint)
{
	auto* handle = paintedBitmap(6, 6, [](int, int) { return kBlue; });
	auto* knob = add(new CKnob(CRect(0, 0, 40, 40), nullptr, 1, nullptr, handle));
	handle->forget();
	knob->setValue(0.f);
	render(knob, 40, 40);
	// Inset 5.5: point (10.25, 30.75), corner (7, 27).
	expectPixel(7, 27, kBlue);
	expectPixel(12, 32, kBlue);
	expectPixel(6, 27, kNone);
	expectPixel(13, 32, kNone);
	expectPixel(20, 20, kNone);
}

TEST_F(RenderTest, FilmStripShowsTheImageOfTheValue)
{
	CBitmap* strip = stripOf(5, 20, false);
	auto* knob = add(new CAnimKnob(CRect(5, 5, 25, 25), nullptr, 1, strip));
	strip->forget();
	knob->setValue(0.5f);
	render(knob, 30, 30);
	expectPixel(5, 5, kImageColors[2]);
	expectPixel(24, 24, kImageColors[2]);
	expectPixel(4, 4, kNone);
	expectPixel(25, 25, kNone);

	knob->setInverseBitmap(true);
	knob->setValue(0.25f);
	render(knob, 30, 30);
	expectPixel(15, 15, kImageColors[3]);
}

TEST_F(RenderTest, OnOffButtonShowsTheLowerImageWhenOn)
{
	CBitmap* strip = stripOf(2, 10, false);
	auto* button = add(new COnOffButton(CRect(0, 0, 10, 10), nullptr, 1, strip));
	strip->forget();
	render(button, 10, 10);
	expectPixel(5, 5, kImageColors[0]);
	button->setValue(1.f);
	render(button, 10, 10);
	expectPixel(0, 0, kImageColors[1]);
	expectPixel(9, 9, kImageColors[1]);
}

TEST_F(RenderTest, KickButtonShowsThePressedImageWhilePressed)
{
	CBitmap* strip = stripOf(2, 10, false);
	auto* button = add(new CKickButton(CRect(0, 0, 10, 10), nullptr, 1, strip));
	strip->forget();
	CPoint where(5, 5);
	button->onMouseDown(where, kButtonLeft);
	render(button, 10, 10);
	expectPixel(5, 5, kImageColors[1]);
	button->onMouseUp(where, 0);
	render(button, 10, 10);
	expectPixel(5, 5, kImageColors[0]);
}

TEST_F(RenderTest, HorizontalSwitchShowsItsImagesSideBySide)
{
	CBitmap* strip = stripOf(4, 10, true);
	auto* control = add(new CHorizontalSwitch(CRect(0, 0, 10, 10), nullptr, 1, strip));
	strip->forget();
	for (int index = 0; index < 4; ++index)
	{
		SCOPED_TRACE(index);
		control->setValue(static_cast<float>(index) / 3.f);
		render(control, 10, 10);
		expectPixel(0, 0, kImageColors[index]);
		expectPixel(9, 9, kImageColors[index]);
	}
}

} // namespace
