#include "gui/base/ccolor.h"
#include "gui/base/crect.h"
#include "gui/drawing/cgraphicstransform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace VSTGUI;

TEST(RectHitTest, PointInsideIsHalfOpenWhileClosedTestIncludesAllEdges)
{
	const CRect r(0, 0, 10, 10);
	EXPECT_TRUE(r.pointInside(CPoint(0, 0)));
	EXPECT_TRUE(r.pointInside(CPoint(9.99, 9.99)));
	EXPECT_FALSE(r.pointInside(CPoint(10, 5)));
	EXPECT_FALSE(r.pointInside(CPoint(5, 10)));
	EXPECT_FALSE(r.pointInside(CPoint(-0.01, 5)));

	EXPECT_TRUE(r.pointInsideClosed(CPoint(10, 5)));
	EXPECT_TRUE(r.pointInsideClosed(CPoint(10, 10)));
	EXPECT_FALSE(r.pointInsideClosed(CPoint(10.01, 5)));
}

TEST(RectHitTest, OverlapUsesClosedEdgesSoTouchingRectanglesOverlap)
{
	const CRect r(0, 0, 10, 10);
	EXPECT_TRUE(r.rectOverlap(CRect(10, 0, 20, 10)));
	EXPECT_TRUE(r.rectOverlap(CRect(0, 10, 10, 20)));
	EXPECT_TRUE(CRect(10, 10, 20, 20).rectOverlap(r));
	EXPECT_FALSE(r.rectOverlap(CRect(10.5, 0, 20, 10)));
	EXPECT_FALSE(r.rectOverlap(CRect(0, -20, 10, -0.5)));
}

TEST(RectEmptiness, ZeroOrNegativeExtentIsEmpty)
{
	EXPECT_TRUE(CRect(0, 0, 0, 10).isEmpty());
	EXPECT_TRUE(CRect(0, 0, 10, 0).isEmpty());
	EXPECT_TRUE(CRect(5, 0, 4, 10).isEmpty());
	EXPECT_FALSE(CRect(0, 0, 0.5, 0.5).isEmpty());
}

TEST(RectBound, IntersectsAndNeverInverts)
{
	CRect overlapping(0, 0, 10, 10);
	EXPECT_EQ(overlapping.bound(CRect(5, -5, 20, 7)), CRect(5, 0, 10, 7));

	CRect disjoint(0, 0, 10, 10);
	disjoint.bound(CRect(20, 20, 30, 30));
	EXPECT_EQ(disjoint, CRect(20, 20, 20, 20));
	EXPECT_TRUE(disjoint.isEmpty());

	CRect left(0, 0, 10, 10);
	left.bound(CRect(-30, 2, -20, 8));
	EXPECT_EQ(left, CRect(0, 2, 0, 8));
}

TEST(RectUnite, TakesOuterEdgesAndTreatsEmptyOperandLikeAnyOther)
{
	CRect empty(0, 0, 0, 0);
	EXPECT_EQ(empty.unite(CRect(5, 5, 10, 10)), CRect(0, 0, 10, 10));
	CRect a(2, 3, 4, 5);
	EXPECT_EQ(a.unite(CRect(-1, 4, 3, 9)), CRect(-1, 3, 4, 9));
}

TEST(RectNormalize, SwapsOnlyTheInvertedAxis)
{
	CRect r(10, 0, 0, 5);
	EXPECT_EQ(r.normalize(), CRect(0, 0, 10, 5));
	CRect both(3, 8, 1, 2);
	EXPECT_EQ(both.normalize(), CRect(1, 2, 3, 8));
}

TEST(RectMakeIntegral, RoundsHalfUpOnEveryCoordinate)
{
	CRect r(2.5, -2.5, 2.49, -2.51);
	EXPECT_EQ(r.makeIntegral(), CRect(3, -2, 2, -3));
	CPoint p(2.5, -2.5);
	p.makeIntegral();
	EXPECT_EQ(p, CPoint(3, -2));
}

TEST(RectOffsets, OffsetExtendAndMoveKeepOrChangeSizeAsNamed)
{
	CRect r(1, 2, 11, 22);
	r.offset(5, -2);
	EXPECT_EQ(r, CRect(6, 0, 16, 20));
	r.offsetInverse(CPoint(6, 0));
	EXPECT_EQ(r, CRect(0, 0, 10, 20));
	r.extend(2, 3);
	EXPECT_EQ(r, CRect(-2, -3, 12, 23));
	r.inset(2, 3).moveTo(100, 200);
	EXPECT_EQ(r, CRect(100, 200, 110, 220));
	EXPECT_EQ(r.originize(), CRect(0, 0, 10, 20));
}

TEST(RectCorners, SettersTouchOnlyTheirCorner)
{
	CRect r(0, 0, 10, 10);
	r.setTopRight(CPoint(20, -5));
	EXPECT_EQ(r, CRect(0, -5, 20, 10));
	r.setBottomLeft(CPoint(-1, 30));
	EXPECT_EQ(r, CRect(-1, -5, 20, 30));
	EXPECT_EQ(r.getTopRight(), CPoint(20, -5));
	EXPECT_EQ(r.getBottomLeft(), CPoint(-1, 30));
	r.setTopLeft(CPoint(0, 0)).setBottomRight(CPoint(4, 6));
	EXPECT_EQ(r, CRect(0, 0, 4, 6));
}

TEST(RectSizeAndCentre, SizeCentreAndCentreInside)
{
	CRect r(10, 20, 30, 60);
	EXPECT_EQ(r.getSize(), CPoint(20, 40));
	EXPECT_EQ(r.getCenter(), CPoint(20, 40));
	r.setSize(CPoint(4, 2));
	EXPECT_EQ(r, CRect(10, 20, 14, 22));
	r.centerInside(CRect(0, 0, 100, 50));
	EXPECT_EQ(r, CRect(48, 24, 52, 26));
	r.setWidth(10).setHeight(1);
	EXPECT_EQ(r, CRect(48, 24, 58, 25));
}

namespace
{

CColor hsv(double h, double s, double v)
{
	CColor c(1, 2, 3, 77);
	c.fromHSV(h, s, v);
	return c;
}

} // namespace

TEST(ColorHSV, PrimaryHuesAndGreys)
{
	EXPECT_EQ(hsv(0, 1, 1), CColor(255, 0, 0, 77));
	EXPECT_EQ(hsv(120, 1, 1), CColor(0, 255, 0, 77));
	EXPECT_EQ(hsv(240, 1, 1), CColor(0, 0, 255, 77));
	for (double h : {0., 90., 359., -400.})
		EXPECT_EQ(hsv(h, 0, 0.5), CColor(127, 127, 127, 77)) << h;
	EXPECT_EQ(hsv(200, 1, 0), CColor(0, 0, 0, 77));
}

TEST(ColorHSV, HueWrapsAndOutOfRangeSaturationAndValueClamp)
{
	EXPECT_EQ(hsv(360 + 120, 1, 1), hsv(120, 1, 1));
	EXPECT_EQ(hsv(-120, 1, 1), hsv(240, 1, 1));
	EXPECT_EQ(hsv(720, 1, 1), hsv(0, 1, 1));
	EXPECT_EQ(hsv(60, 3, 7), hsv(60, 1, 1));
	EXPECT_EQ(hsv(60, 1, 1), CColor(255, 255, 0, 77));
}

TEST(ColorHSV, NonFiniteInputGivesAColourInsteadOfHanging)
{
	const double inf = std::numeric_limits<double>::infinity();
	const double nan = std::numeric_limits<double>::quiet_NaN();
	EXPECT_EQ(hsv(inf, 1, 1), hsv(0, 1, 1));
	EXPECT_EQ(hsv(nan, 1, 1), hsv(0, 1, 1));
	EXPECT_EQ(hsv(30, 1, nan), CColor(0, 0, 0, 77));
}

TEST(ColorHSV, ToHSVOfPureColoursAndBlack)
{
	double h = -1, s = -1, v = -1;
	kBlueCColor.toHSV(h, s, v);
	EXPECT_DOUBLE_EQ(h, 240);
	EXPECT_DOUBLE_EQ(s, 1);
	EXPECT_DOUBLE_EQ(v, 1);
	kBlackCColor.toHSV(h, s, v);
	EXPECT_EQ(h, 0);
	EXPECT_EQ(s, 0);
	EXPECT_EQ(v, 0);
	CColor(255, 0, 128).toHSV(h, s, v);
	EXPECT_NEAR(h, 360 - 128. / 255. * 60., 1e-9);
}

TEST(ColorHSV, RoundTripReproducesEveryChannelOfAColourCube)
{
	for (int r = 0; r < 256; r += 17)
		for (int g = 0; g < 256; g += 15)
			for (int b = 0; b < 256; b += 51)
			{
				const CColor original(static_cast<uint8>(r), static_cast<uint8>(g), static_cast<uint8>(b), 9);
				double h, s, v;
				original.toHSV(h, s, v);
				CColor back(0, 0, 0, 9);
				back.fromHSV(h, s, v);
				ASSERT_EQ(back, original) << r << "," << g << "," << b;
			}
}

TEST(GraphicsTransform, RotationKeepsTranslationAndMapsPoints)
{
	CGraphicsTransform t(1, 0, 0, 1, 5, 7);
	t.rotate(90);
	const CPoint p = t.transformed(CPoint(1, 0));
	EXPECT_NEAR(p.x, 5, 1e-12);
	EXPECT_NEAR(p.y, 6, 1e-12);
	EXPECT_EQ(t.dx, 5);
	EXPECT_EQ(t.dy, 7);
	CRect r(0, 0, 2, 4);
	CGraphicsTransform().scale(2, 3).translate(1, 1).transform(r);
	EXPECT_EQ(r, CRect(1, 1, 5, 13));
}
