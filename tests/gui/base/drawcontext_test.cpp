#include "tests/gui/base/fakeplatform.h"

#include "gui/drawing/cgraphicstransform.h"

#include <gtest/gtest.h>

using namespace VSTGUI;

namespace
{

class DrawContextTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		CFontDesc::cleanup();
		Fake::Platform::reset();
	}
	void TearDown() override { CFontDesc::cleanup(); }

	Fake::Font* painterOf(CDrawContext& context)
	{
		return dynamic_cast<Fake::Font*>(context.getFont()->getFontPainter());
	}
};

using Element = CGraphicsPath::Element;

} // namespace

TEST_F(DrawContextTest, InitGivesTheWorkingStartState)
{
	Fake::RecordingContext context(CRect(0, 0, 200, 100));
	EXPECT_EQ(context.getFrameColor(), kWhiteCColor);
	EXPECT_EQ(context.getFillColor(), kBlackCColor);
	EXPECT_EQ(context.getFontColor(), kWhiteCColor);
	EXPECT_EQ(context.getFont(), kSystemFont);
	EXPECT_EQ(kSystemFont->getNbReference(), 2);
	EXPECT_EQ(context.getLineWidth(), 1.);
	EXPECT_EQ(context.getLineStyle(), kLineSolid);
	EXPECT_EQ(context.getDrawMode(), kDrawModeAliased);
	EXPECT_EQ(context.getGlobalAlpha(), 1.f);
	EXPECT_EQ(context.getOffset(), CPoint(0, 0));
	CRect clip;
	EXPECT_EQ(context.getClipRect(clip), CRect(0, 0, 200, 100));
	EXPECT_TRUE(context.isTypeOf("CDrawContext"));
	EXPECT_TRUE(context.isTypeOf("CBaseObject"));
	EXPECT_FALSE(context.isTypeOf("COffscreenContext"));
	EXPECT_EQ(context.newCopy(), nullptr);
}

TEST_F(DrawContextTest, SaveChangeRestoreBringsBackAllElevenValuesAndTheFontCount)
{
	auto* context = new Fake::RecordingContext(CRect(0, 0, 200, 100));
	CFontDesc* font = new CFontDesc("Arial", 9);
	context->setFont(kNormalFontBig);
	context->setGlobalAlpha(0.75f);
	context->moveTo(CPoint(3, 4));
	const int fontCountBefore = kNormalFontBig->getNbReference();

	context->saveGlobalState();
	EXPECT_EQ(kNormalFontBig->getNbReference(), fontCountBefore + 1);
	context->setFont(font);
	context->setFrameColor(kRedCColor);
	context->setFillColor(kGreenCColor);
	context->setFontColor(kBlueCColor);
	context->setLineWidth(3);
	context->setOffset(CPoint(10, 20));
	context->moveTo(CPoint(30, 40));
	context->setClipRect(CRect(1, 2, 3, 4));
	context->setLineStyle(kLineOnOffDash);
	context->setDrawMode(kDrawModeAntialiased);
	context->setGlobalAlpha(0.25f);
	context->restoreGlobalState();

	EXPECT_EQ(context->getFont(), kNormalFontBig);
	EXPECT_EQ(kNormalFontBig->getNbReference(), fontCountBefore);
	EXPECT_EQ(font->getNbReference(), 1);
	EXPECT_EQ(context->getFrameColor(), kWhiteCColor);
	EXPECT_EQ(context->getFillColor(), kBlackCColor);
	EXPECT_EQ(context->getFontColor(), kWhiteCColor);
	EXPECT_EQ(context->getLineWidth(), 1.);
	EXPECT_EQ(context->getOffset(), CPoint(0, 0));
	EXPECT_EQ(context->getPenLocation(), CPoint(3, 4));
	CRect clip;
	EXPECT_EQ(context->getClipRect(clip), CRect(0, 0, 200, 100));
	EXPECT_EQ(context->getLineStyle(), kLineSolid);
	EXPECT_EQ(context->getDrawMode(), kDrawModeAliased);
	EXPECT_EQ(context->getGlobalAlpha(), 0.75f);
	EXPECT_EQ(context->getStateStackDepth(), 0u);

	context->forget();
	EXPECT_EQ(kNormalFontBig->getNbReference(), 1);
	font->forget();
}

TEST_F(DrawContextTest, RestoreWithoutSaveChangesNothingAndDestructionReleasesSavedFonts)
{
	auto* context = new Fake::RecordingContext(CRect(0, 0, 50, 50));
	context->setFrameColor(kCyanCColor);
	context->restoreGlobalState();
	EXPECT_EQ(context->getFrameColor(), kCyanCColor);
	EXPECT_EQ(context->getFont(), kSystemFont);

	context->setFont(kNormalFont);
	context->saveGlobalState();
	context->saveGlobalState();
	EXPECT_EQ(kNormalFont->getNbReference(), 4);
	context->forget();
	EXPECT_EQ(kNormalFont->getNbReference(), 1);
	EXPECT_EQ(kSystemFont->getNbReference(), 1);
}

TEST_F(DrawContextTest, SetFontSharesOrCopiesAndNeverChangesTheCallersFont)
{
	Fake::RecordingContext context(CRect(0, 0, 50, 50));
	CFontDesc font("Arial", 12);
	context.setFont(&font, 0, -1);
	EXPECT_EQ(context.getFont(), &font);
	EXPECT_EQ(font.getNbReference(), 2);
	context.setFont(&font, 12, 0);
	EXPECT_EQ(context.getFont(), &font);
	EXPECT_EQ(font.getNbReference(), 2);

	context.setFont(&font, 20);
	ASSERT_NE(context.getFont(), &font);
	EXPECT_EQ(context.getFont()->getSize(), 20.);
	EXPECT_EQ(font.getSize(), 12.);
	EXPECT_EQ(font.getNbReference(), 1);
	EXPECT_EQ(context.getFont()->getNbReference(), 1);

	context.setFont(&font, 0, kFontStyleBold);
	EXPECT_EQ(context.getFont()->getSize(), 12.);
	EXPECT_EQ(context.getFont()->getStyle(), kFontStyleBold);
	EXPECT_EQ(font.getStyle(), kFontStyleNormal);

	CFontDesc* before = context.getFont();
	context.setFont(nullptr);
	EXPECT_EQ(context.getFont(), before);
	context.setFont(kSystemFont);
}

TEST_F(DrawContextTest, ClipIsStoredWithTheOffsetAndReportedWithout)
{
	Fake::RecordingContext context(CRect(0, 0, 200, 100));
	context.setOffset(CPoint(10, 5));
	context.setClipRect(CRect(0, 0, 100, 50));
	CRect clip;
	EXPECT_EQ(context.getClipRect(clip), CRect(0, 0, 100, 50));

	// The stored clip keeps its surface position when the offset changes.
	context.setOffset(CPoint(30, 5));
	EXPECT_EQ(context.getClipRect(clip), CRect(-20, 0, 80, 50));
	context.setOffset(CPoint(7, 7));
	context.resetClipRect();
	EXPECT_EQ(context.getClipRect(clip), CRect(-7, -7, 193, 93));
}

TEST_F(DrawContextTest, TextBaselineCentresByFontSizeWithoutCapHeightAndByCapHeightWithIt)
{
	Fake::RecordingContext context(CRect(0, 0, 200, 100));
	CFontDesc font("Arial", 12);
	context.setFont(&font);
	context.drawString("x", CRect(0, 30, 100, 50), kTextAlignLeft);
	auto* painter = painterOf(context);
	ASSERT_EQ(painter->drawn.size(), 1u);
	EXPECT_DOUBLE_EQ(painter->drawn[0].point.y, 45);
	EXPECT_DOUBLE_EQ(painter->drawn[0].point.x, 0);

	Fake::Platform::capHeight = 9;
	CFontDesc capped("Arial", 12);
	context.setFont(&capped);
	context.drawString("x", CRect(0, 30, 100, 50), kTextAlignLeft);
	ASSERT_EQ(painterOf(context)->drawn.size(), 1u);
	EXPECT_DOUBLE_EQ(painterOf(context)->drawn[0].point.y, 44.5);
	context.setFont(kSystemFont);
}

TEST_F(DrawContextTest, HorizontalAlignmentUsesTheMeasuredWidth)
{
	Fake::RecordingContext context(CRect(0, 0, 200, 100));
	CFontDesc font("Arial", 12);
	context.setFont(&font);
	const CRect box(10, 0, 110, 20);
	context.drawString("abcd", box, kTextAlignRight);
	context.drawString("abcd", box, kTextAlignCenter);
	context.drawString("abcd", box, static_cast<CHoriTxtAlign>(7));
	const auto& drawn = painterOf(context)->drawn;
	ASSERT_EQ(drawn.size(), 3u);
	EXPECT_DOUBLE_EQ(drawn[0].point.x, 90);
	EXPECT_DOUBLE_EQ(drawn[1].point.x, 50);
	EXPECT_DOUBLE_EQ(drawn[2].point.x, 50);
	EXPECT_EQ(drawn[0].text, "abcd");
	context.setFont(kSystemFont);
}

TEST_F(DrawContextTest, TextIsClippedToItsRectangleAndTheClipComesBackExactly)
{
	Fake::RecordingContext context(CRect(0, 0, 200, 100));
	CFontDesc font("Arial", 12);
	context.setFont(&font);
	context.setOffset(CPoint(0.1, 0.7));
	context.setClipRect(CRect(0.3, 0, 60, 40));
	CRect before;
	context.getClipRect(before);
	context.drawString("clipped", CRect(40, 30, 300, 60), kTextAlignLeft, false);

	const auto& drawn = painterOf(context)->drawn;
	ASSERT_EQ(drawn.size(), 1u);
	EXPECT_NEAR(drawn[0].clip.left, 40, 1e-9);
	EXPECT_NEAR(drawn[0].clip.top, 30, 1e-9);
	EXPECT_NEAR(drawn[0].clip.right, 60, 1e-9);
	EXPECT_NEAR(drawn[0].clip.bottom, 40, 1e-9);
	EXPECT_FALSE(drawn[0].antialias);
	CRect after;
	context.getClipRect(after);
	EXPECT_EQ(after, before);
	context.setFont(kSystemFont);
}

TEST_F(DrawContextTest, TextOperationsNeverKeepTheCallersPointer)
{
	Fake::RecordingContext context(CRect(0, 0, 200, 100));
	CFontDesc font("Arial", 12);
	context.setFont(&font);
	char text[] = "abc";
	EXPECT_EQ(context.getStringWidth(text), 15.);
	context.drawString(text, CPoint(5, 6));
	context.drawString(text, CRect(0, 0, 50, 20));
	text[0] = 'X';
	context.drawString("later", CPoint(0, 0));
	const auto& drawn = painterOf(context)->drawn;
	ASSERT_EQ(drawn.size(), 3u);
	EXPECT_EQ(drawn[0].text, "abc");
	EXPECT_EQ(drawn[0].point, CPoint(5, 6));
	EXPECT_EQ(drawn[2].text, "later");
	context.setFont(kSystemFont);
}

TEST_F(DrawContextTest, WithoutFontPainterOrTextNothingIsDrawnAndTheWidthIsMinusOne)
{
	Fake::RecordingContext context(CRect(0, 0, 200, 100));
	EXPECT_EQ(context.getStringWidth(nullptr), -1.);
	Fake::Platform::missingFonts = {"Gone"};
	CFontDesc missing("Gone", 12);
	context.setFont(&missing);
	EXPECT_EQ(context.getStringWidth("abc"), -1.);
	context.drawString("abc", CRect(0, 0, 50, 20));
	context.drawString("abc", CPoint(0, 0));
	EXPECT_TRUE(context.clipRequests.empty());
	context.setFont(kSystemFont);
}

TEST_F(DrawContextTest, LineStylesCopyDashesOnlyWithCountAndArray)
{
	const double oneTwo[] = {1, 2};
	const double oneOne[] = {1, 1};
	const CLineStyle a(CLineStyle::kCapButt, CLineStyle::kJoinMiter, 0, 2, oneOne);
	const CLineStyle b(CLineStyle::kCapButt, CLineStyle::kJoinMiter, 0, 2, oneTwo);
	EXPECT_NE(a, b);
	EXPECT_EQ(a, kLineOnOffDash);
	const CLineStyle noArray(CLineStyle::kCapRound, CLineStyle::kJoinRound, 0.5, 2, nullptr);
	EXPECT_EQ(noArray.getDashCount(), 0);
	EXPECT_EQ(noArray.getDashLengths(), nullptr);
	const CLineStyle negative(CLineStyle::kCapButt, CLineStyle::kJoinMiter, 0, -3, oneTwo);
	EXPECT_EQ(negative, kLineSolid);

	CLineStyle copy(b);
	copy.setDashLengths(1, oneTwo);
	EXPECT_EQ(b.getDashCount(), 2);
	EXPECT_EQ(b.getDashLengths()[1], 2);
	copy = a;
	EXPECT_EQ(copy, a);
	EXPECT_NE(copy.getDashLengths(), a.getDashLengths());
	EXPECT_EQ(kLineSolid.getDashCount(), 0);
}

TEST_F(DrawContextTest, PathElementsAreAppendedInOrderAndEachMarksThePathDirty)
{
	Fake::RecordingContext context(CRect(0, 0, 10, 10));
	auto* path = static_cast<Fake::Path*>(context.createGraphicsPath());
	path->beginSubpath(CPoint(1, 2));
	path->addLine(CPoint(3, 4));
	path->addBezierCurve(CPoint(5, 6), CPoint(7, 8), CPoint(9, 10));
	path->addArc(CRect(0, 0, 4, 4), 10, 20, true);
	path->addEllipse(CRect(1, 1, 2, 2));
	path->addRect(CRect(2, 2, 3, 3));
	path->closeSubpath();
	const auto& e = path->getElements();
	ASSERT_EQ(e.size(), 7u);
	EXPECT_EQ(path->dirtyCalls, 7);
	const Element::Type types[] = {Element::kBeginSubpath, Element::kLine, Element::kBezierCurve, Element::kArc,
	                               Element::kEllipse,      Element::kRect, Element::kCloseSubpath};
	for (std::size_t i = 0; i < e.size(); ++i)
		EXPECT_EQ(e[i].type, types[i]) << i;
	EXPECT_EQ(e[2].control2, CPoint(7, 8));
	EXPECT_EQ(e[3].endAngle, 20);
	EXPECT_TRUE(e[3].clockwise);
	EXPECT_TRUE(path->isTypeOf("CGraphicsPath"));

	auto* gradient = path->createGradient(0.2, 0.8, kRedCColor, kBlueCColor);
	EXPECT_EQ(gradient->getColor2(), kBlueCColor);
	EXPECT_TRUE(gradient->isTypeOf("CGradient"));
	EXPECT_EQ(gradient->newCopy(), nullptr);
	gradient->forget();
	path->forget();
}

TEST_F(DrawContextTest, RoundRectIsFourClockwiseQuarterArcsAndIgnoresInversion)
{
	Fake::RecordingContext context(CRect(0, 0, 10, 10));
	CGraphicsPath* path = context.createRoundRectGraphicsPath(CRect(0, 0, 100, 50), 5);
	ASSERT_NE(path, nullptr);
	const auto& e = path->getElements();
	ASSERT_EQ(e.size(), 6u);
	EXPECT_EQ(e[0].type, Element::kBeginSubpath);
	EXPECT_EQ(e[0].point, CPoint(95, 0));
	EXPECT_EQ(e[1].rect, CRect(90, 0, 100, 10));
	EXPECT_EQ(e[1].startAngle, 270);
	EXPECT_EQ(e[1].endAngle, 360);
	EXPECT_EQ(e[2].rect, CRect(90, 40, 100, 50));
	EXPECT_EQ(e[3].rect, CRect(0, 40, 10, 50));
	EXPECT_EQ(e[4].rect, CRect(0, 0, 10, 10));
	EXPECT_EQ(e[4].startAngle, 180);
	for (int i = 1; i <= 4; ++i)
		EXPECT_TRUE(e[i].clockwise);
	EXPECT_EQ(e[5].type, Element::kCloseSubpath);

	CGraphicsPath* inverted = context.createRoundRectGraphicsPath(CRect(100, 50, 0, 0), 5);
	ASSERT_EQ(inverted->getElements().size(), e.size());
	for (std::size_t i = 0; i < e.size(); ++i)
	{
		EXPECT_EQ(inverted->getElements()[i].rect, e[i].rect);
		EXPECT_EQ(inverted->getElements()[i].point, e[i].point);
	}
	inverted->forget();
	path->forget();
}

TEST_F(DrawContextTest, AddPathCopiesElementsMappingCoordinatesButNotAngles)
{
	Fake::RecordingContext context(CRect(0, 0, 10, 10));
	auto* source = static_cast<Fake::Path*>(context.createGraphicsPath());
	source->beginSubpath(CPoint(1, 1));
	source->addBezierCurve(CPoint(1, 2), CPoint(2, 3), CPoint(3, 4));
	source->addArc(CRect(0, 0, 2, 2), 45, 90, false);
	source->closeSubpath();

	auto* target = static_cast<Fake::Path*>(context.createGraphicsPath());
	target->addLine(CPoint(0, 0));
	const int dirtyBefore = target->dirtyCalls;
	const CGraphicsTransform shift(2, 0, 0, 2, 10, 20);
	target->addPath(*source, &shift);
	EXPECT_EQ(target->dirtyCalls, dirtyBefore + 1);
	const auto& e = target->getElements();
	ASSERT_EQ(e.size(), 5u);
	EXPECT_EQ(e[1].point, CPoint(12, 22));
	EXPECT_EQ(e[2].control1, CPoint(12, 24));
	EXPECT_EQ(e[2].control2, CPoint(14, 26));
	EXPECT_EQ(e[2].point, CPoint(16, 28));
	EXPECT_EQ(e[3].rect, CRect(10, 20, 14, 24));
	EXPECT_EQ(e[3].startAngle, 45);
	EXPECT_FALSE(e[3].clockwise);
	EXPECT_EQ(e[4].type, Element::kCloseSubpath);

	source->addPath(*source);
	ASSERT_EQ(source->getElements().size(), 8u);
	EXPECT_EQ(source->getElements()[4].point, CPoint(1, 1));
	target->forget();
	source->forget();
}
