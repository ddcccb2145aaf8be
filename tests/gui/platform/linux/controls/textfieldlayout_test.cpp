// Where the field sits and draws, from measured numbers: placement over the
// control, vertical centring, alignment, horizontal scrolling and hits.
#include "gui/platform/linux/controls/x11textfieldlayout.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::X11TextFieldLayout;

TEST(TextFieldLayout, WindowCoversTheVisiblePartAndTextKeepsHalfTheInset)
{
	CRect control(10, 20, 110, 40);
	Placement p = place(control, control, CPoint(6, 4), 9., 3.);
	EXPECT_EQ(p.window, control);
	EXPECT_DOUBLE_EQ(p.textLeft, 3.);
	EXPECT_DOUBLE_EQ(p.textRight, 97.);
	// Available height 20 - 2 = 18 for a line of 12: (18 - 12) / 2.
	EXPECT_DOUBLE_EQ(p.lineTop, 3.);
	EXPECT_DOUBLE_EQ(p.lineBottom, 15.);
	EXPECT_DOUBLE_EQ(p.baseline, 12.);
}

TEST(TextFieldLayout, ALineTallerThanTheControlStartsBelowHalfTheInset)
{
	Placement p = place(CRect(0, 0, 50, 10), CRect(0, 0, 50, 10), CPoint(0, 4), 10., 4.);
	EXPECT_DOUBLE_EQ(p.lineTop, 2.);
	EXPECT_DOUBLE_EQ(p.baseline, 12.);
}

TEST(TextFieldLayout, APartlyHiddenControlKeepsItsTextWhereItWouldBe)
{
	// The control's left 30 pixels are scrolled out of its container.
	CRect control(-30, 0, 70, 20);
	CRect visible(0, 0, 70, 20);
	Placement p = place(control, visible, CPoint(4, 0), 8., 2.);
	EXPECT_EQ(p.window, visible);
	EXPECT_DOUBLE_EQ(p.textLeft, -28.);
	EXPECT_DOUBLE_EQ(p.textRight, 68.);
}

TEST(TextFieldLayout, FractionalVisibleRectsBecomeWholePixels)
{
	Placement p = place(CRect(0.5, 1.25, 40.5, 20.75), CRect(0.5, 1.25, 40.5, 20.75), CPoint(), 8., 2.);
	EXPECT_EQ(p.window, CRect(0, 1, 41, 21));
}

TEST(TextFieldLayout, ShortTextIsAlignedInTheArea)
{
	Placement p = place(CRect(0, 0, 100, 20), CRect(0, 0, 100, 20), CPoint(10, 0), 8., 2.);
	EXPECT_DOUBLE_EQ(textStart(p, 30., kTextAlignLeft, 0.), 5.);
	EXPECT_DOUBLE_EQ(textStart(p, 30., kTextAlignCenter, 0.), 35.);
	EXPECT_DOUBLE_EQ(textStart(p, 30., kTextAlignRight, 0.), 65.);
	// Too long for the area: scrolled, whatever the alignment.
	EXPECT_DOUBLE_EQ(textStart(p, 200., kTextAlignRight, 40.), -35.);
}

TEST(TextFieldLayout, ScrollFollowsTheCaretBothWays)
{
	// Fits: never scrolled.
	EXPECT_DOUBLE_EQ(scrollToShow(50., 80., 100., 30.), 0.);
	// Caret beyond the right edge: just enough to show it.
	EXPECT_DOUBLE_EQ(scrollToShow(250., 300., 100., 0.), 150.);
	// Caret already visible: the text stays put.
	EXPECT_DOUBLE_EQ(scrollToShow(200., 300., 100., 150.), 150.);
	// Caret left of the area (Home): back to it.
	EXPECT_DOUBLE_EQ(scrollToShow(0., 300., 100., 150.), 0.);
	// The text became shorter: no empty room on the right.
	EXPECT_DOUBLE_EQ(scrollToShow(120., 120., 100., 150.), 20.);
}

TEST(TextFieldLayout, HitTestTakesTheNearestBoundary)
{
	std::vector<Boundary> b{{0, 0.}, {1, 10.}, {3, 18.}, {6, 30.}};
	EXPECT_EQ(hitTest(b, -5.), 0u);
	EXPECT_EQ(hitTest(b, 4.), 0u);
	EXPECT_EQ(hitTest(b, 6.), 1u);
	EXPECT_EQ(hitTest(b, 15.), 3u);
	EXPECT_EQ(hitTest(b, 25.), 6u);
	EXPECT_EQ(hitTest(b, 400.), 6u);
	EXPECT_EQ(hitTest({}, 3.), 0u);
}
