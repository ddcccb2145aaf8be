// The parameter display: the text it makes of its value, what it draws for
// each style, the text rectangle and clip, and which setters redraw it.
#include "controltestsupport.h"

#include "gui/controls/cparamdisplay.h"

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::test;

namespace
{

constexpr CRect kDisplayRect(10, 20, 70, 40);

// The editor's read-out: metres from the normalised distance.
bool metres(float value, char* text, void*)
{
	return std::snprintf(text, 256, "%2.2f", value * 4.5 + 0.5) > 0;
}

bool writesButDeclines(float, char* text, void*)
{
	std::strcpy(text, "junk");
	return false;
}

bool fillsTheWholeBuffer(float, char* text, void*)
{
	std::memset(text, 'x', CParamDisplay::kTextBufferSize);
	return true;
}

bool writesNothing(float, char* text, void*)
{
	text[0] = 0;
	return true;
}

bool withUnit(float value, char* text, void* userData)
{
	std::snprintf(text, 256, "%.1f %s", static_cast<double>(value), static_cast<const char*>(userData));
	return true;
}

class ParamDisplayTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		font = new RecordingFont();
		display = new CParamDisplay(kDisplayRect);
		display->setFont(font);
		context = new RecordingContext(CRect(0, 0, 100, 100));
	}
	void TearDown() override
	{
		context->forget();
		display->forget();
		EXPECT_EQ(font->getNbReference(), 1);
		font->forget();
	}

	// The texts drawn by one draw of the display.
	std::vector<std::string> drawnTexts()
	{
		font->drawn.clear();
		context->ops.clear();
		display->draw(context);
		std::vector<std::string> texts;
		for (const DrawnText& drawn : font->drawn)
			texts.push_back(drawn.text);
		return texts;
	}
	std::string shownText()
	{
		auto texts = drawnTexts();
		return texts.size() == 1 ? texts[0] : "<" + std::to_string(texts.size()) + " texts>";
	}
	std::vector<std::string> opKinds() const
	{
		std::vector<std::string> kinds;
		for (const DrawOp& op : context->ops)
			kinds.push_back(op.what);
		return kinds;
	}

	RecordingFont* font{nullptr};
	CParamDisplay* display{nullptr};
	RecordingContext* context{nullptr};
};

TEST_F(ParamDisplayTest, NewDisplayHasItsDefaults)
{
	auto* fresh = new CParamDisplay(kDisplayRect);
	EXPECT_EQ(fresh->getTag(), -1);
	EXPECT_EQ(fresh->getListener(), nullptr);
	EXPECT_EQ(fresh->getFont(), kNormalFont);
	EXPECT_EQ(fresh->getFontColor(), kWhiteCColor);
	EXPECT_EQ(fresh->getBackColor(), kBlackCColor);
	EXPECT_EQ(fresh->getFrameColor(), kBlackCColor);
	EXPECT_EQ(fresh->getShadowColor(), kRedCColor);
	EXPECT_EQ(fresh->getHoriAlign(), kTextAlignCenter);
	EXPECT_EQ(fresh->getTextInset(), CPoint(0, 0));
	EXPECT_TRUE(fresh->getAntialias());
	EXPECT_TRUE(fresh->getTextTransparency());
	EXPECT_EQ(fresh->getValueToStringProc(), nullptr);
	EXPECT_TRUE(fresh->isDirty());
	EXPECT_TRUE(fresh->isTypeOf("CParamDisplay"));
	EXPECT_TRUE(fresh->isTypeOf("CControl"));
	EXPECT_FALSE(fresh->isTypeOf("CTextLabel"));
	fresh->forget();
}

TEST_F(ParamDisplayTest, WithoutAProcedureTheValueShowsWithTwoDecimals)
{
	display->setValue(0.5f);
	EXPECT_EQ(shownText(), "0.50");
	display->setMax(100.f);
	display->setValue(12.345f);
	EXPECT_EQ(shownText(), "12.35");
	display->setMin(-100.f);
	display->setValue(-3.f);
	EXPECT_EQ(shownText(), "-3.00");
}

TEST_F(ParamDisplayTest, TheEditorsProcedureShowsTheDistanceInMetres)
{
	display->setValueToStringProc(metres, nullptr);
	display->setValue(0.f);
	EXPECT_EQ(shownText(), "0.50");
	display->setValue(0.675f);
	EXPECT_EQ(shownText(), "3.54");
	display->setValue(1.f);
	EXPECT_EQ(shownText(), "5.00");
}

TEST_F(ParamDisplayTest, ProcedureThatDeclinesLeavesTheTwoDecimalText)
{
	display->setValueToStringProc(writesButDeclines, nullptr);
	display->setValue(0.25f);
	EXPECT_EQ(shownText(), "0.25");
}

TEST_F(ParamDisplayTest, ProcedureReceivesItsUserData)
{
	char unit[] = "dB";
	display->setValueToStringProc(withUnit, unit);
	EXPECT_EQ(display->getValueToStringUserData(), unit);
	display->setValue(0.5f);
	EXPECT_EQ(shownText(), "0.5 dB");
}

TEST_F(ParamDisplayTest, ProcedureThatFillsTheWholeBufferIsCutInsideIt)
{
	display->setValueToStringProc(fillsTheWholeBuffer, nullptr);
	EXPECT_EQ(shownText(), std::string(CParamDisplay::kTextBufferSize - 1, 'x'));
}

TEST_F(ParamDisplayTest, EmptyTextDrawsOnlyTheBack)
{
	display->setValueToStringProc(writesNothing, nullptr);
	EXPECT_TRUE(drawnTexts().empty());
	EXPECT_EQ(opKinds(), std::vector<std::string>({"rect", "rect"}));
	EXPECT_FALSE(display->isDirty());
}

TEST_F(ParamDisplayTest, OpaqueDisplayIsFilledAndFramedAliasedWithCentredText)
{
	display->setBackColor(kBlueCColor);
	display->setFrameColor(kRedCColor);
	display->setFontColor(kYellowCColor);
	display->setValue(0.5f);
	drawnTexts();
	ASSERT_EQ(opKinds(), std::vector<std::string>({"rect", "rect"}));
	const DrawOp& fill = context->ops[0];
	EXPECT_EQ(fill.rect, kDisplayRect);
	EXPECT_EQ(fill.style, kShapeFilled);
	EXPECT_EQ(fill.fillColor, kBlueCColor);
	EXPECT_EQ(fill.drawMode, kDrawModeAliased);
	const DrawOp& frame = context->ops[1];
	EXPECT_EQ(frame.rect, kDisplayRect);
	EXPECT_EQ(frame.style, kShapeStroked);
	EXPECT_EQ(frame.frameColor, kRedCColor);
	EXPECT_EQ(frame.lineWidth, 1.);
	EXPECT_TRUE(frame.solidLine);
	ASSERT_EQ(font->drawn.size(), 1u);
	// "0.50" is 40 wide in the recording font: centred in 10..70.
	EXPECT_EQ(font->drawn[0].baselineStart, CPoint(20, 35));
	EXPECT_EQ(font->drawn[0].color, kYellowCColor);
	EXPECT_EQ(font->drawn[0].clip, kDisplayRect);
}

TEST_F(ParamDisplayTest, TransparentDisplayDrawsNoBack)
{
	display->setTransparency(true);
	EXPECT_EQ(shownText(), "0.00");
	EXPECT_TRUE(context->ops.empty());
}

TEST_F(ParamDisplayTest, BitmapBackIsDrawnWithTheControlsOffsetAndNeverFilledOrFramed)
{
	auto* back = new CBitmap(60, 20);
	auto* withBack = new CParamDisplay(kDisplayRect, back, 0);
	withBack->setBackOffset(CPoint(2, 3));
	withBack->draw(context);
	ASSERT_EQ(context->ops.size(), 1u);
	EXPECT_EQ(context->ops[0].bitmap, back);
	EXPECT_EQ(context->ops[0].rect, kDisplayRect);
	EXPECT_EQ(context->ops[0].bitmapOffset, CPoint(2, 3));
	EXPECT_EQ(context->ops[0].alpha, 1.f);
	withBack->forget();
	back->forget();
}

TEST_F(ParamDisplayTest, BackGivenToDrawBackReplacesTheBackgroundBitmap)
{
	auto* other = new CBitmap(60, 20);
	display->drawBack(context, other);
	ASSERT_EQ(context->ops.size(), 1u);
	EXPECT_EQ(context->ops[0].bitmap, other);
	other->forget();
}

TEST_F(ParamDisplayTest, EditorsReadoutDrawsItsPictureAndBlackCentredText)
{
	auto* picture = new CBitmap(40, 24);
	auto* readout = new CParamDisplay(CRect(222, 70, 262, 94), picture, 1);
	readout->setFont(font);
	readout->setFontColor(kBlackCColor);
	readout->setBackColor(kTransparentCColor);
	readout->setFrameColor(kTransparentCColor);
	readout->setValueToStringProc(metres, nullptr);
	readout->setValue(1.f);
	auto* wide = new RecordingContext(CRect(0, 0, 400, 200));
	readout->draw(wide);
	ASSERT_EQ(wide->ops.size(), 1u);
	EXPECT_EQ(wide->ops[0].what, "bitmap");
	ASSERT_EQ(font->drawn.size(), 1u);
	EXPECT_EQ(font->drawn[0].text, "5.00");
	EXPECT_EQ(font->drawn[0].color, kBlackCColor);
	EXPECT_EQ(font->drawn[0].baselineStart.x, 222. + 20. - 20.);
	wide->forget();
	readout->forget();
	picture->forget();
}

TEST_F(ParamDisplayTest, NoFrameStyleFillsWithoutAFrame)
{
	display->setStyle(kDisplayNoFrame);
	drawnTexts();
	ASSERT_EQ(opKinds(), std::vector<std::string>({"rect"}));
	EXPECT_EQ(context->ops[0].style, kShapeFilled);
}

// The two edge polylines: left and top first, then right and bottom.
std::vector<std::pair<CRect, CColor>> edgeLines(const RecordingContext& context)
{
	std::vector<std::pair<CRect, CColor>> lines;
	for (const DrawOp& op : context.ops)
	{
		if (op.what == "line")
			lines.emplace_back(op.rect, op.frameColor);
	}
	return lines;
}

TEST_F(ParamDisplayTest, SunkenEdgesAreBackColouredTopLeftAndFrameColouredBottomRight)
{
	display->setBackColor(kBlueCColor);
	display->setFrameColor(kRedCColor);
	display->setStyle(kDisplaySunken);
	drawnTexts();
	ASSERT_EQ(context->ops.at(0).what, "rect");
	EXPECT_EQ(context->ops[0].style, kShapeFilled);
	EXPECT_NE(context->ops.at(1).what, "rect"); // no frame rectangle
	auto lines = edgeLines(*context);
	ASSERT_EQ(lines.size(), 4u);
	EXPECT_EQ(lines[0], std::make_pair(CRect(10, 40, 10, 21), kBlueCColor));
	EXPECT_EQ(lines[1], std::make_pair(CRect(10, 21, 69, 21), kBlueCColor));
	EXPECT_EQ(lines[2], std::make_pair(CRect(69, 21, 69, 40), kRedCColor));
	EXPECT_EQ(lines[3], std::make_pair(CRect(69, 40, 10, 40), kRedCColor));
	EXPECT_EQ(context->ops.back().lineWidth, 1.);
	EXPECT_TRUE(context->ops.back().solidLine);
}

TEST_F(ParamDisplayTest, RaisedEdgesSwapTheColoursAndSunkenWinsOverRaised)
{
	display->setBackColor(kBlueCColor);
	display->setFrameColor(kRedCColor);
	display->setStyle(kDisplayRaised);
	drawnTexts();
	auto lines = edgeLines(*context);
	ASSERT_EQ(lines.size(), 4u);
	EXPECT_EQ(lines[0].second, kRedCColor);
	EXPECT_EQ(lines[3].second, kBlueCColor);

	display->setStyle(kDisplayRaised | kDisplaySunken);
	drawnTexts();
	lines = edgeLines(*context);
	ASSERT_EQ(lines.size(), 4u);
	EXPECT_EQ(lines[0].second, kBlueCColor);
	EXPECT_EQ(lines[3].second, kRedCColor);
}

TEST_F(ParamDisplayTest, EdgesAreDrawnOverABitmapBackToo)
{
	auto* back = new CBitmap(60, 20);
	auto* withBack = new CParamDisplay(kDisplayRect, back, kDisplayRaised);
	withBack->draw(context);
	ASSERT_EQ(context->ops.size(), 5u);
	EXPECT_EQ(context->ops[0].what, "bitmap");
	EXPECT_EQ(edgeLines(*context).size(), 4u);
	withBack->forget();
	back->forget();
}

TEST_F(ParamDisplayTest, ShadowTextGoesFirstOnePixelRightAndDown)
{
	display->setStyle(kDisplayShadowText);
	display->setShadowColor(kGreenCColor);
	display->setFontColor(kYellowCColor);
	drawnTexts();
	ASSERT_EQ(font->drawn.size(), 2u);
	EXPECT_EQ(font->drawn[0].color, kGreenCColor);
	EXPECT_EQ(font->drawn[1].color, kYellowCColor);
	EXPECT_EQ(font->drawn[0].baselineStart.x, font->drawn[1].baselineStart.x + 1.);
	EXPECT_EQ(font->drawn[0].baselineStart.y, font->drawn[1].baselineStart.y + 1.);
	// Both are cut at the text rectangle.
	EXPECT_EQ(font->drawn[0].clip, CRect(11, 21, 70, 40));
	EXPECT_EQ(font->drawn[1].clip, kDisplayRect);
}

TEST_F(ParamDisplayTest, NoTextStyleDrawsTheBackOnly)
{
	display->setStyle(kDisplayNoText);
	EXPECT_TRUE(drawnTexts().empty());
	EXPECT_EQ(opKinds(), std::vector<std::string>({"rect", "rect"}));
}

TEST_F(ParamDisplayTest, NoDrawDisplayDrawsNothingAndDoesNotStayDirty)
{
	auto* hidden = new CParamDisplay(kDisplayRect, nullptr, kDisplayNoDraw);
	EXPECT_FALSE(hidden->isDirty());
	hidden->setValue(0.7f);
	hidden->draw(context);
	EXPECT_TRUE(context->ops.empty());
	EXPECT_FALSE(hidden->isDirty());
	hidden->forget();
}

TEST_F(ParamDisplayTest, TextInsetShrinksTheTextRectangleOnBothSides)
{
	display->setTextInset(CPoint(3, 2));
	display->setHoriAlign(kTextAlignLeft);
	drawnTexts();
	ASSERT_EQ(font->drawn.size(), 1u);
	EXPECT_EQ(font->drawn[0].clip, CRect(13, 22, 67, 38));
	EXPECT_EQ(font->drawn[0].baselineStart.x, 13.);
	display->setHoriAlign(kTextAlignRight);
	drawnTexts();
	EXPECT_EQ(font->drawn.at(0).baselineStart.x, 67. - 40.);
}

TEST_F(ParamDisplayTest, TextClipIsBoundedByTheContextsClipWhichIsRestored)
{
	context->setClipRect(CRect(0, 0, 30, 100));
	drawnTexts();
	ASSERT_EQ(font->drawn.size(), 1u);
	EXPECT_EQ(font->drawn[0].clip, CRect(10, 20, 30, 40));
	CRect after;
	EXPECT_EQ(context->getClipRect(after), CRect(0, 0, 30, 100));

	context->setClipRect(CRect(80, 0, 100, 100));
	drawnTexts();
	for (const DrawnText& drawn : font->drawn)
		EXPECT_TRUE(drawn.clip.isEmpty());
	EXPECT_EQ(context->getClipRect(after), CRect(80, 0, 100, 100));
}

TEST_F(ParamDisplayTest, DrawingUsesTheDisplaysFontAndAntialiasFlag)
{
	display->setAntialias(false);
	drawnTexts();
	ASSERT_EQ(font->drawn.size(), 1u);
	EXPECT_FALSE(font->drawn[0].antialias);
	EXPECT_EQ(context->getFont(), font);
}

TEST_F(ParamDisplayTest, VisibleChangesMarkTheDisplayDirtyAndUnchangedOnesDoNot)
{
	display->setDirty(false);
	display->setFontColor(kWhiteCColor);
	display->setBackColor(kBlackCColor);
	display->setFrameColor(kBlackCColor);
	display->setShadowColor(kRedCColor);
	display->setHoriAlign(kTextAlignCenter);
	display->setStyle(0);
	display->setAntialias(false);
	display->setTextInset(CPoint(4, 4));
	display->setTextTransparency(false);
	display->setValueToStringProc(metres, nullptr);
	EXPECT_FALSE(display->isDirty());

	auto changes = std::vector<std::function<void()>>({
	    [this] { display->setFontColor(kRedCColor); },
	    [this] { display->setBackColor(kRedCColor); },
	    [this] { display->setFrameColor(kRedCColor); },
	    [this] { display->setShadowColor(kBlueCColor); },
	    [this] { display->setHoriAlign(kTextAlignLeft); },
	    [this] { display->setStyle(kDisplayShadowText); },
	    [this] { display->setFont(kNormalFontSmall); },
	});
	for (size_t i = 0; i < changes.size(); ++i)
	{
		display->setDirty(false);
		changes[i]();
		EXPECT_TRUE(display->isDirty()) << "change " << i;
	}
}

TEST_F(ParamDisplayTest, NewFontIsHeldAndTheOldOneLetGoButANullFontIsRefused)
{
	EXPECT_EQ(font->getNbReference(), 2);
	display->setFont(kNormalFontSmall);
	EXPECT_EQ(font->getNbReference(), 1);
	EXPECT_EQ(display->getFont(), kNormalFontSmall);
	display->setFont(nullptr);
	EXPECT_EQ(display->getFont(), kNormalFontSmall);
	display->setFont(font);
	display->setFont(font);
	EXPECT_EQ(font->getNbReference(), 2);
}

TEST_F(ParamDisplayTest, CopyShowsTheSameAndHoldsItsOwnFontReference)
{
	char unit[] = "m";
	display->setValueToStringProc(withUnit, unit);
	display->setStyle(kDisplayRaised);
	display->setFontColor(kGreenCColor);
	display->setBackColor(kBlueCColor);
	display->setFrameColor(kRedCColor);
	display->setShadowColor(kYellowCColor);
	display->setTextInset(CPoint(1, 2));
	display->setHoriAlign(kTextAlignRight);
	display->setAntialias(false);
	display->setValue(0.5f);
	auto* copy = dynamic_cast<CParamDisplay*>(display->newCopy());
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(font->getNbReference(), 3);
	EXPECT_EQ(copy->getStyle(), kDisplayRaised);
	EXPECT_EQ(copy->getFontColor(), kGreenCColor);
	EXPECT_EQ(copy->getBackColor(), kBlueCColor);
	EXPECT_EQ(copy->getFrameColor(), kRedCColor);
	EXPECT_EQ(copy->getShadowColor(), kYellowCColor);
	EXPECT_EQ(copy->getTextInset(), CPoint(1, 2));
	EXPECT_EQ(copy->getHoriAlign(), kTextAlignRight);
	EXPECT_FALSE(copy->getAntialias());
	copy->draw(context);
	ASSERT_EQ(font->drawn.size(), 1u);
	EXPECT_EQ(font->drawn[0].text, "0.5 m");
	copy->forget();
	context->forget();
	context = new RecordingContext(CRect(0, 0, 100, 100));
	EXPECT_EQ(font->getNbReference(), 2);
}

} // namespace
