// Pango fonts: realisation and substitution, metrics, measuring and the
// placement of drawn text, underline and strikethrough.
#include "platformtestsupport.h"

#include "gui/base/cfontdesc.h"
#include "gui/base/cstring.h"
#include "gui/drawing/cbitmap.h"
#include "gui/platform/linux/text/pangofont.h"

#include <cmath>
#include <list>
#include <memory>
#include <string>

namespace VSTGUI::Test
{
namespace
{

struct ForgetDeleter
{
	void operator()(CBaseObject* object) const { object->forget(); }
};
template <typename T> using Owned = std::unique_ptr<T, ForgetDeleter>;

Owned<PangoFont> makeFont(const char* name, double size, int32 style = 0)
{
	return Owned<PangoFont>(PangoFont::create(name, size, style));
}

double widthOf(IFontPainter* painter, const char* text, CDrawContext* context = nullptr)
{
	CString string(text);
	return painter->getStringWidth(context, string, true);
}

TEST(PangoFont, ArialElevenIsLiberationSansWithSensibleMetrics)
{
	Owned<CFontDesc> description(new CFontDesc("Arial", 11));
	auto* font = dynamic_cast<PangoFont*>(description->getPlatformFont());
	ASSERT_NE(font, nullptr);
	EXPECT_EQ(font->getRealisedFamily(), "Liberation Sans");
	// Liberation Sans: ascent 0.905 em, descent 0.212 em, cap height 0.688 em.
	EXPECT_NEAR(font->getAscent(), 0.905 * 11, 0.1);
	EXPECT_NEAR(font->getDescent(), 0.212 * 11, 0.1);
	EXPECT_NEAR(font->getCapHeight(), 0.688 * 11, 0.1);
	EXPECT_GE(font->getLeading(), 0.);
	EXPECT_LT(font->getLeading(), 2.);
	EXPECT_EQ(description->getFontPainter(), static_cast<IFontPainter*>(font));
}

TEST(PangoFont, MissingFamiliesAreSubstitutedNullNamesAreRefused)
{
	Owned<PangoFont> missing = makeFont("No Such Family Anywhere", 12);
	ASSERT_NE(missing, nullptr);
	EXPECT_FALSE(missing->getRealisedFamily().empty());
	EXPECT_GT(missing->getCapHeight(), 0.);
	EXPECT_GT(widthOf(missing.get(), "text"), 0.);
	EXPECT_EQ(IPlatformFont::create(nullptr, 12., 0), nullptr);
	Owned<PangoFont> sizeless = makeFont("Arial", 0);
	ASSERT_NE(sizeless, nullptr);
	EXPECT_NEAR(sizeless->getCapHeight(), 0.688 * 12, 0.1) << "an unusable size falls back to 12 points";
}

TEST(PangoFont, WidthIsExactScalesWithSizeAndIgnoresTheContext)
{
	Owned<PangoFont> small = makeFont("Arial", 11);
	Owned<PangoFont> large = makeFont("Arial", 22);
	const double width = widthOf(small.get(), "Distance 2.50 m");
	EXPECT_GT(width, 60.);
	EXPECT_LT(width, 100.);
	EXPECT_NEAR(widthOf(large.get(), "Distance 2.50 m"), 2. * width, 0.05);
	EXPECT_NE(width, std::round(width)) << "glyph positions are not rounded";
	CairoDrawContext* context = CairoDrawContext::createOffscreen(10, 10);
	EXPECT_EQ(widthOf(small.get(), "Distance 2.50 m", context), width);
	context->forget();
	EXPECT_EQ(widthOf(small.get(), ""), 0.);
	EXPECT_EQ(widthOf(small.get(), nullptr), 0.);
	EXPECT_EQ(widthOf(small.get(), "\xff\xfe"), 0.) << "invalid UTF-8 is no text";
}

TEST(PangoFont, BoldIsWiderAndItalicIsRealised)
{
	Owned<PangoFont> regular = makeFont("Arial", 14);
	Owned<PangoFont> bold = makeFont("Arial", 14, kFontStyleBold);
	Owned<PangoFont> boldItalic = makeFont("Arial", 14, kFontStyleBold | kFontStyleItalic);
	ASSERT_NE(boldItalic, nullptr);
	EXPECT_GT(widthOf(bold.get(), "Halvenor"), widthOf(regular.get(), "Halvenor"));
	EXPECT_EQ(boldItalic->getRealisedDescription(), "Liberation Sans Bold Italic 14");
}

TEST(PangoFont, FamilyListIncludesTheSubstitute)
{
	std::list<std::string> families;
	EXPECT_TRUE(IPlatformFont::getAllPlatformFontFamilies(families));
	EXPECT_NE(std::find(families.begin(), families.end(), "Liberation Sans"), families.end());
}

class TextRenderTest : public RenderTest
{
protected:
	void SetUp() override
	{
		makeContext(120, 40);
		context->setFontColor(kBlackCColor);
	}
	void TearDown() override
	{
		if (font)
			font->forget();
		RenderTest::TearDown();
	}
	CFontDesc* useFont(int32 style)
	{
		font = new CFontDesc("Arial", 16, style);
		context->setFont(font);
		return font;
	}
	// The baseline the drawing context computes for a rectangle.
	double baselineIn(const CRect& rect) const
	{
		return rect.bottom - (rect.getHeight() / 2. - font->getPlatformFont()->getCapHeight() / 2.);
	}
	// Ink of the columns x0..x1 in row y.
	int inkInRow(int y, int x0, int x1)
	{
		int count = 0;
		for (int x = x0; x < x1; ++x)
			count += pixel(x, y).alpha > 0;
		return count;
	}

	CFontDesc* font{nullptr};
};

// "HEH" has no descenders and flat tops: its ink sits exactly between the
// baseline and the cap height.
TEST_F(TextRenderTest, DrawnTextSitsOnTheBaselineTheContextComputes)
{
	useFont(0);
	const CRect rect(10, 5, 110, 35);
	context->drawString("HEH", rect, kTextAlignLeft, true);
	const double baseline = baselineIn(rect);
	const CRect ink = inkBounds(context->getBitmap());
	ASSERT_FALSE(ink.isEmpty());
	EXPECT_NEAR(ink.bottom, std::ceil(baseline), 1.);
	EXPECT_NEAR(ink.top, std::floor(baseline - font->getPlatformFont()->getCapHeight()), 1.);
	EXPECT_GE(ink.left, 10.);
	EXPECT_LE(ink.left, 13.);
	EXPECT_NEAR(ink.right - ink.left, context->getStringWidth("HEH"), 3.);
}

TEST_F(TextRenderTest, TextIsCutAtItsRectangleAndAlignedToIt)
{
	useFont(0);
	context->drawString("HHHHHHHHHHHHHHHH", CRect(20, 5, 50, 35), kTextAlignLeft, true);
	CRect ink = inkBounds(context->getBitmap());
	EXPECT_GE(ink.left, 20.);
	EXPECT_EQ(ink.right, 50.);
	context->clearRect(CRect(0, 0, 120, 40));
	context->drawString("HEH", CRect(0, 5, 100, 35), kTextAlignRight, true);
	ink = inkBounds(context->getBitmap());
	EXPECT_LE(ink.right, 100.);
	EXPECT_GE(ink.right, 97.);
}

TEST_F(TextRenderTest, UnderlineRunsBelowTheBaselineAlongTheText)
{
	useFont(kFontStyleUnderline);
	const CRect rect(10, 5, 110, 35);
	context->drawString("HEH", rect, kTextAlignLeft, false);
	const int underlineRow = static_cast<int>(std::ceil(baselineIn(rect)));
	const int textEnd = static_cast<int>(10. + context->getStringWidth("HEH"));
	EXPECT_GE(inkInRow(underlineRow, 10, 120), textEnd - 10 - 1);
	EXPECT_EQ(inkInRow(underlineRow, textEnd + 1, 120), 0) << "the line ends with the text";
	context->clearRect(CRect(0, 0, 120, 40));
	font->setStyle(0);
	context->setFont(font);
	context->drawString("HEH", rect, kTextAlignLeft, false);
	EXPECT_EQ(inkInRow(underlineRow, 0, 120), 0) << "no line without the style";
}

// "I I" leaves a gap between the letters: only the strikethrough puts ink
// there, half an x-height above the baseline.
TEST_F(TextRenderTest, StrikethroughCrossesHalfAnXHeightAboveTheBaseline)
{
	useFont(kFontStyleStrikethrough);
	const CRect rect(10, 5, 110, 35);
	context->drawString("I   I", rect, kTextAlignLeft, false);
	const double baseline = baselineIn(rect);
	const int gapColumn = static_cast<int>(10. + context->getStringWidth("I ") + 1.);
	int inkRows = 0;
	int firstInkRow = -1;
	for (int y = 0; y < 40; ++y)
		if (pixel(gapColumn, y).alpha > 0)
		{
			++inkRows;
			firstInkRow = firstInkRow < 0 ? y : firstInkRow;
		}
	EXPECT_GE(inkRows, 1);
	EXPECT_LE(inkRows, 2);
	EXPECT_NEAR(firstInkRow, baseline - 0.53 * 16 / 2., 1.5);
}

TEST_F(TextRenderTest, FontColourAndGlobalAlphaColourTheGlyphs)
{
	useFont(0);
	context->setFontColor(kRedCColor);
	context->setGlobalAlpha(0.5f);
	context->drawString("HEH", CRect(10, 5, 110, 35), kTextAlignLeft, false);
	const CRect ink = inkBounds(context->getBitmap());
	ASSERT_FALSE(ink.isEmpty());
	// The left stem of the H is a solid vertical bar.
	const CColor stem = pixel(static_cast<int>(ink.left), static_cast<int>(ink.top + ink.getHeight() / 2.));
	EXPECT_EQ(stem.red, 255);
	EXPECT_NEAR(stem.alpha, 128, 1);
}

} // namespace
} // namespace VSTGUI::Test
