// The option menu and the text edit drawn by the cairo back end: white text
// on the display's default black fill shows where a title was drawn.
#include "menutestsupport.h"

#include "gui/drawing/cbitmappixelaccess.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::menutest;

namespace
{

constexpr double kWidth = 80;
constexpr double kHeight = 24;

// Pixels of the context's bitmap bright enough to be white text.
int brightPixels(COffscreenContext* context)
{
	int count = 0;
	CBitmapPixelAccess* access = CBitmapPixelAccess::create(context->getBitmap(), true);
	if (access == nullptr)
		return -1;
	do
	{
		CColor color;
		access->getColor(color);
		count += (color.red > 128 && color.green > 128 && color.blue > 128) ? 1 : 0;
	} while (++*access);
	access->forget();
	return count;
}

int brightPixelsOf(CView* view)
{
	CairoDrawContext* context = CairoDrawContext::createOffscreen(kWidth, kHeight);
	view->draw(context);
	int count = brightPixels(context);
	context->forget();
	return count;
}

TEST(MenuDrawing, FreshMenuDrawsItsFirstEntryAndAnEmptyOneNoText)
{
	auto* menu = new COptionMenu(CRect(0, 0, kWidth, kHeight), nullptr, 0);
	EXPECT_EQ(brightPixelsOf(menu), 0);
	menu->addEntry("MMMM");
	EXPECT_GT(brightPixelsOf(menu), 10);
	menu->forget();
}

TEST(MenuDrawing, TextEditHidesItsTextWhileEditing)
{
	auto* platform = newPlatformFrame();
	auto* frame = new TestFrame(CRect(0, 0, 200, 200), platform);
	auto* edit = new CTextEdit(CRect(0, 0, kWidth, kHeight), nullptr, 0, "MMMM");
	frame->addView(edit);
	EXPECT_GT(brightPixelsOf(edit), 10);
	frame->setFocusView(edit);
	ASSERT_TRUE(edit->isEditing());
	EXPECT_EQ(brightPixelsOf(edit), 0);
	frame->close();
}

} // namespace
