// Paths and gradients of the cairo back end, drawn and read back.
#include "platformtestsupport.h"

#include "gui/drawing/cbitmap.h"
#include "gui/drawing/cgradient.h"
#include "gui/drawing/cgraphicspath.h"
#include "gui/drawing/cgraphicstransform.h"
#include "gui/platform/linux/drawing/cairographicspath.h"

#include <cstdlib>

namespace VSTGUI::Test
{
namespace
{

class GraphicsPathTest : public RenderTest
{
protected:
	CGraphicsPath* makePath()
	{
		path = context->createGraphicsPath();
		return path;
	}
	void TearDown() override
	{
		if (path)
			path->forget();
		if (gradient)
			gradient->forget();
		RenderTest::TearDown();
	}

	CGraphicsPath* path{nullptr};
	CGradient* gradient{nullptr};
};

TEST_F(GraphicsPathTest, EvenOddRuleLeavesTheInnerRectangleEmpty)
{
	makeContext(12, 12);
	context->setFillColor(kBlueCColor);
	makePath();
	path->addRect(CRect(0, 0, 12, 12));
	path->addRect(CRect(4, 4, 8, 8));
	context->drawGraphicsPath(path, CDrawContext::kPathModeFillEvenOdd, nullptr);
	EXPECT_EQ(pixel(6, 6).alpha, 0);
	EXPECT_EQ(pixel(1, 1), kBlueCColor);
	context->drawGraphicsPath(path, CDrawContext::kPathModeFill, nullptr);
	EXPECT_EQ(pixel(6, 6), kBlueCColor);
}

TEST_F(GraphicsPathTest, TransformMapsThePathButNotTheLineWidth)
{
	makeContext(20, 20);
	makePath();
	path->beginSubpath(CPoint(1, 2.5));
	path->addLine(CPoint(5, 2.5));
	CGraphicsTransform doubled(2, 0, 0, 2, 1, 0);
	context->drawGraphicsPath(path, CDrawContext::kPathModeStroke, &doubled);
	EXPECT_EQ(inkBounds(context->getBitmap()), CRect(3, 4, 11, 5));
}

// The element's clockwise flag is clockwise on screen: from 0 degrees (the
// right) to 90 (the bottom) it sweeps the bottom-right quarter.
TEST_F(GraphicsPathTest, ClockwiseArcTurnsClockwiseOnScreen)
{
	makeContext(20, 20);
	context->setFillColor(kBlueCColor);
	makePath();
	path->beginSubpath(CPoint(10, 10));
	path->addArc(CRect(0, 0, 20, 20), 0., 90., true);
	path->closeSubpath();
	context->drawGraphicsPath(path, CDrawContext::kPathModeFill, nullptr);
	EXPECT_EQ(inkBounds(context->getBitmap()), CRect(10, 10, 20, 20));

	context->clearRect(CRect(0, 0, 20, 20));
	path->forget();
	makePath();
	path->beginSubpath(CPoint(10, 10));
	path->addArc(CRect(0, 0, 20, 20), 0., 90., false);
	path->closeSubpath();
	context->drawGraphicsPath(path, CDrawContext::kPathModeFill, nullptr);
	EXPECT_EQ(pixel(15, 15).alpha, 0);
	EXPECT_EQ(pixel(5, 5), kBlueCColor);
	EXPECT_EQ(pixel(15, 5), kBlueCColor);
}

TEST_F(GraphicsPathTest, CurrentPositionAndBoundingBoxFollowTheElements)
{
	makeContext(1, 1);
	makePath();
	EXPECT_EQ(path->getCurrentPosition(), CPoint(0, 0));
	EXPECT_EQ(path->getBoundingBox(), CRect());
	path->beginSubpath(CPoint(1, 2));
	path->addLine(CPoint(5, 7));
	EXPECT_EQ(path->getCurrentPosition(), CPoint(5, 7));
	EXPECT_EQ(path->getBoundingBox(), CRect(1, 2, 5, 7));
	path->addLine(CPoint(9, 3));
	EXPECT_EQ(path->getBoundingBox(), CRect(1, 2, 9, 7)) << "a new element rebuilds the cached path";
	path->closeSubpath();
	EXPECT_EQ(path->getCurrentPosition(), CPoint(1, 2));
}

TEST_F(GraphicsPathTest, ZeroSizedEllipseAndArcGiveADegeneratePath)
{
	makeContext(1, 1);
	makePath();
	path->addEllipse(CRect(3, 3, 3, 8));
	path->addArc(CRect(4, 4, 4, 4), 0., 180., true);
	const CRect box = path->getBoundingBox();
	EXPECT_EQ(box.left, 3.);
	EXPECT_EQ(box.right, 4.);
	EXPECT_EQ(path->getCurrentPosition(), CPoint(4, 4));
}

TEST_F(GraphicsPathTest, GradientRunsFromTheFirstToTheSecondColourAndStopsAtTheAxisEnds)
{
	makeContext(40, 4);
	makePath();
	path->addRect(CRect(0, 0, 40, 4));
	gradient = path->createGradient(0., 1., kRedCColor, kBlueCColor);
	context->fillLinearGradient(path, gradient, CPoint(0, 0), CPoint(30, 0), false, nullptr);
	const CColor first = pixel(0, 1);
	const CColor last = pixel(29, 1);
	EXPECT_GT(first.red, 245);
	EXPECT_LT(first.blue, 10);
	EXPECT_GT(last.blue, 245);
	EXPECT_LT(last.red, 10);
	EXPECT_NEAR(pixel(15, 1).red, 128, 10);
	EXPECT_EQ(pixel(35, 1).alpha, 0) << "no extension beyond the end of the axis";
}

TEST_F(GraphicsPathTest, GradientStopsAreClampedAndGlobalAlphaApplies)
{
	makeContext(10, 2);
	makePath();
	path->addRect(CRect(0, 0, 10, 2));
	gradient = path->createGradient(-1., 2., kRedCColor, kRedCColor);
	EXPECT_EQ(gradient->getColor1Start(), 0.);
	EXPECT_EQ(gradient->getColor2Start(), 1.);
	context->setGlobalAlpha(0.5f);
	context->fillLinearGradient(path, gradient, CPoint(0, 0), CPoint(10, 0), false, nullptr);
	EXPECT_NEAR(pixel(5, 1).alpha, 128, 1);
	EXPECT_EQ(pixel(5, 1).red, 255);
}

} // namespace
} // namespace VSTGUI::Test
