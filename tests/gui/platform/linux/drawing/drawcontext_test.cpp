// Pixel placement of the cairo drawing context, read back from offscreen
// bitmaps. Drawing is aliased (the context's initial mode) unless a test
// says otherwise, so every pixel is either covered or not.
#include "platformtestsupport.h"

#include "gui/drawing/cbitmap.h"
#include "gui/platform/linux/drawing/cairobitmap.h"

#include <cmath>
#include <limits>

namespace VSTGUI::Test
{
namespace
{

using DrawContextTest = RenderTest;

TEST_F(DrawContextTest, StrokedRectAtWidthOneColoursExactlyTheOuterRing)
{
	makeContext(12, 12);
	context->setFrameColor(kRedCColor);
	context->drawRect(CRect(0, 0, 10, 10), kShapeStroked);
	EXPECT_EQ(mask(0, 0, 12, 12), "##########..\n"
	                              "#........#..\n"
	                              "#........#..\n"
	                              "#........#..\n"
	                              "#........#..\n"
	                              "#........#..\n"
	                              "#........#..\n"
	                              "#........#..\n"
	                              "#........#..\n"
	                              "##########..\n"
	                              "............\n"
	                              "............\n");
	EXPECT_EQ(pixel(0, 0), kRedCColor);
	EXPECT_EQ(pixel(9, 9), kRedCColor);
}

// Without the shift a width-2 outline straddles the path: the top edge at
// y = top + 1 covers rows top and top + 1, the bottom edge rows bottom - 1
// and bottom. With width 3 the shift puts the path on pixel centres again.
TEST_F(DrawContextTest, HalfPixelShiftOnlyForOddIntegerLineWidths)
{
	makeContext(14, 14);
	context->setLineWidth(2);
	context->drawRect(CRect(2, 2, 12, 12), kShapeStroked);
	EXPECT_EQ(mask(0, 0, 14, 14), "..............\n"
	                              "..............\n"
	                              ".###########..\n"
	                              ".###########..\n"
	                              ".##.......##..\n"
	                              ".##.......##..\n"
	                              ".##.......##..\n"
	                              ".##.......##..\n"
	                              ".##.......##..\n"
	                              ".##.......##..\n"
	                              ".##.......##..\n"
	                              ".###########..\n"
	                              ".###########..\n"
	                              "..............\n");
	context->clearRect(CRect(0, 0, 14, 14));
	context->setLineWidth(3);
	context->drawRect(CRect(2, 2, 12, 12), kShapeStroked);
	EXPECT_EQ(mask(0, 0, 14, 14), "..............\n"
	                              ".############.\n"
	                              ".############.\n"
	                              ".############.\n"
	                              ".###......###.\n"
	                              ".###......###.\n"
	                              ".###......###.\n"
	                              ".###......###.\n"
	                              ".###......###.\n"
	                              ".###......###.\n"
	                              ".############.\n"
	                              ".############.\n"
	                              ".############.\n"
	                              "..............\n");
}

// The fill follows the outline's path, which ends one pixel inside the
// right and bottom edges; fill plus outline covers the whole rectangle.
TEST_F(DrawContextTest, FilledRectCoversThePathInsideTheOutline)
{
	makeContext(8, 8);
	context->setFillColor(kBlueCColor);
	context->drawRect(CRect(1, 1, 6, 6), kShapeFilled);
	EXPECT_EQ(mask(0, 0, 8, 8), "........\n"
	                            ".####...\n"
	                            ".####...\n"
	                            ".####...\n"
	                            ".####...\n"
	                            "........\n"
	                            "........\n"
	                            "........\n");
	context->setFrameColor(kRedCColor);
	context->drawRect(CRect(1, 1, 6, 6), kShapeFilledAndStroked);
	EXPECT_EQ(pixel(2, 2), kBlueCColor);
	EXPECT_EQ(pixel(5, 5), kRedCColor);
	EXPECT_EQ(inkBounds(context->getBitmap()), CRect(1, 1, 6, 6));
}

TEST_F(DrawContextTest, LinesFallOnColumnXAndOnTheRowAboveY)
{
	makeContext(12, 12);
	context->moveTo(CPoint(2, 5));
	context->lineTo(CPoint(10, 5));
	EXPECT_EQ(context->getPenLocation(), CPoint(10, 5));
	context->lineTo(CPoint(10, 9));
	EXPECT_EQ(mask(0, 3, 12, 10), "............\n"
	                              "..#########.\n"
	                              "..........#.\n"
	                              "..........#.\n"
	                              "..........#.\n"
	                              "............\n"
	                              "............\n");
}

TEST_F(DrawContextTest, DrawLinesStrokesSeparateSegmentsAndLeavesThePen)
{
	makeContext(10, 10);
	context->moveTo(CPoint(7, 7));
	const CPoint points[] = {{1, 2}, {5, 2}, {1, 6}, {5, 6}};
	context->drawLines(points, 2);
	EXPECT_EQ(mask(0, 0, 6, 7), "......\n"
	                            ".####.\n"
	                            "......\n"
	                            "......\n"
	                            "......\n"
	                            ".####.\n"
	                            "......\n");
	EXPECT_EQ(context->getPenLocation(), CPoint(7, 7));
}

TEST_F(DrawContextTest, DrawPointColoursOnePixelAndKeepsTheState)
{
	makeContext(8, 8);
	context->setLineWidth(3);
	context->setFrameColor(kRedCColor);
	context->moveTo(CPoint(1, 1));
	context->drawPoint(CPoint(4, 4), kGreenCColor);
	EXPECT_EQ(inkBounds(context->getBitmap()), CRect(4, 3, 5, 4));
	EXPECT_EQ(pixel(4, 3), kGreenCColor);
	EXPECT_EQ(context->getLineWidth(), 3.);
	EXPECT_EQ(context->getFrameColor(), kRedCColor);
	EXPECT_EQ(context->getPenLocation(), CPoint(1, 1));
	EXPECT_EQ(context->getStateStackDepth(), 0u);
}

TEST_F(DrawContextTest, StrokedPolygonIsOpenFilledPolygonIsClosed)
{
	makeContext(10, 10);
	const CPoint points[] = {{1, 1}, {8, 1}, {8, 8}};
	context->drawPolygon(points, 3, kShapeStroked);
	EXPECT_EQ(pixel(3, 3).alpha, 0) << "the closing diagonal is not drawn";
	EXPECT_EQ(pixel(7, 4).alpha, 255) << "polygons are not shifted: x = 8 straddles columns 7 and 8";
	context->clearRect(CRect(0, 0, 10, 10));
	context->setFillColor(kBlueCColor);
	context->drawPolygon(points, 3, kShapeFilled);
	EXPECT_EQ(pixel(6, 3), kBlueCColor);
	EXPECT_EQ(pixel(2, 6).alpha, 0);
}

// Zero degrees is the top of the ellipse; angles grow counter-clockwise on
// screen, so 0 to 90 is the top-left quarter.
TEST_F(DrawContextTest, ArcFromZeroToNinetyFillsTheTopLeftQuarter)
{
	makeContext(12, 12);
	context->setFillColor(kBlueCColor);
	context->drawArc(CRect(0, 0, 12, 12), 0.f, 90.f, kShapeFilled);
	const CRect ink = inkBounds(context->getBitmap());
	EXPECT_EQ(ink, CRect(0, 0, 6, 6));
	EXPECT_EQ(pixel(4, 4), kBlueCColor);
}

TEST_F(DrawContextTest, ArcWithEqualAnglesIsOnlyTheRadius)
{
	makeContext(12, 12);
	context->setFillColor(kBlueCColor);
	context->drawArc(CRect(0, 0, 12, 12), 45.f, 45.f, kShapeFilled);
	EXPECT_EQ(inkBounds(context->getBitmap()), CRect());
	context->drawArc(CRect(0, 0, 12, 12), 180.f, 180.f, kShapeStroked);
	const CRect ink = inkBounds(context->getBitmap());
	EXPECT_EQ(ink.getWidth(), 1.) << "a vertical line from the bottom point to the centre";
	EXPECT_GE(ink.getHeight(), 5.);
	EXPECT_EQ(ink.bottom, 12.);
}

TEST_F(DrawContextTest, EllipseStaysInsideItsRectangleAndTouchesEveryEdge)
{
	makeContext(16, 12);
	context->setFillColor(kBlueCColor);
	context->drawEllipse(CRect(2, 1, 14, 11), kShapeFilled);
	EXPECT_EQ(inkBounds(context->getBitmap()), CRect(2, 1, 14, 11));
	EXPECT_EQ(pixel(8, 6), kBlueCColor);
	EXPECT_EQ(pixel(2, 1).alpha, 0) << "corners stay empty";
	context->clearRect(CRect(0, 0, 16, 12));
	context->drawEllipse(CRect(2, 1, 14, 11), kShapeStroked);
	EXPECT_EQ(pixel(8, 6).alpha, 0) << "a stroked ellipse is hollow";
}

TEST_F(DrawContextTest, ClipRectIsShiftedByTheOffset)
{
	makeContext(20, 20);
	context->setOffset(CPoint(5, 5));
	context->setClipRect(CRect(0, 0, 5, 5));
	context->setFillColor(kBlueCColor);
	context->drawRect(CRect(-5, -5, 20, 20), kShapeFilled);
	EXPECT_EQ(inkBounds(context->getBitmap()), CRect(5, 5, 10, 10));
}

TEST_F(DrawContextTest, GlobalAlphaMultipliesFillColour)
{
	makeContext(4, 4);
	context->setGlobalAlpha(0.5f);
	context->setFillColor(CColor(0, 0, 255, 255));
	context->drawRect(CRect(0, 0, 4, 4), kShapeFilled);
	const CColor drawn = pixel(1, 1);
	EXPECT_NEAR(drawn.alpha, 128, 1);
	EXPECT_EQ(drawn.blue, 255);
}

// kLineOnOffDash is {1, 1} in units of the line width: at width 3 the dashes
// and gaps are 3 pixels long.
TEST_F(DrawContextTest, DashLengthsAreMultiplesOfTheLineWidth)
{
	makeContext(20, 8);
	context->setLineWidth(3);
	context->setLineStyle(kLineOnOffDash);
	context->moveTo(CPoint(0, 4));
	context->lineTo(CPoint(18, 4));
	EXPECT_EQ(mask(0, 3, 20, 4), "###...###...###.....\n");
}

TEST_F(DrawContextTest, ClearRectMakesPixelsFullyTransparent)
{
	makeContext(6, 6);
	context->setFillColor(kBlueCColor);
	context->drawRect(CRect(0, 0, 7, 7), kShapeFilled);
	context->clearRect(CRect(1, 1, 3, 3));
	EXPECT_EQ(mask(0, 0, 4, 4), "####\n"
	                            "#..#\n"
	                            "#..#\n"
	                            "####\n");
	EXPECT_EQ(pixel(1, 1), CColor(0, 0, 0, 0));
}

TEST_F(DrawContextTest, AntialiasedModeBlendsEdges)
{
	makeContext(10, 10);
	context->setDrawMode(kDrawModeAntialiased);
	context->setFillColor(kBlueCColor);
	context->drawEllipse(CRect(0, 0, 10, 10), kShapeFilled);
	int partlyCovered = 0;
	for (int x = 0; x < 10; ++x)
	{
		const uint8 alpha = pixel(x, 1).alpha;
		partlyCovered += alpha > 0 && alpha < 255;
	}
	EXPECT_GE(partlyCovered, 2);
}

// Input that would put a cairo context into its permanent error state must
// leave the context usable.
TEST_F(DrawContextTest, DegenerateInputKeepsTheContextWorking)
{
	makeContext(6, 6);
	const double nan = std::numeric_limits<double>::quiet_NaN();
	const double dashes[] = {-1., 2.};
	context->setLineStyle(CLineStyle(CLineStyle::kCapButt, CLineStyle::kJoinMiter, 0., 2, dashes));
	context->lineTo(CPoint(5, 5));
	context->setLineStyle(kLineSolid);
	context->setLineWidth(0);
	context->setLineStyle(kLineOnOffDash);
	context->lineTo(CPoint(1, 1));
	context->drawEllipse(CRect(1, 1, 1, 5), kShapeFilledAndStroked);
	context->drawArc(CRect(0, 0, 4, 4), static_cast<float>(nan), 10.f, kShapeStroked);
	context->setOffset(CPoint(nan, 0));
	context->drawRect(CRect(0, 0, 2, 2), kShapeFilled);
	context->setOffset(CPoint(0, 0));
	context->clearRect(CRect(0, 0, 6, 6));
	context->setLineStyle(kLineSolid);
	context->setLineWidth(1);
	context->setFillColor(kBlueCColor);
	context->drawRect(CRect(0, 0, 4, 4), kShapeFilledAndStroked);
	EXPECT_EQ(inkBounds(context->getBitmap()), CRect(0, 0, 4, 4));
}

TEST(CairoDrawContext, ContextWithoutSurfaceDrawsNothingButMovesThePen)
{
	CairoDrawContext* context = CairoDrawContext::createOffscreen(0, 0);
	EXPECT_EQ(context->getSurfaceRect(), CRect());
	EXPECT_EQ(context->beginCairoContext(false), nullptr);
	context->lineTo(CPoint(3, 4));
	EXPECT_EQ(context->getPenLocation(), CPoint(3, 4));
	context->forget();
}

TEST(CairoDrawContext, WindowFormDrawsOnTheGivenCairoContextAndLeavesItsState)
{
	cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
	cairo_t* cr = cairo_create(surface);
	cairo_translate(cr, 1, 1);
	auto* context = new CairoDrawContext(cr, CRect(0, 0, 7, 7));
	context->setFillColor(kBlueCColor);
	context->setOffset(CPoint(1, 0));
	context->drawRect(CRect(0, 0, 3, 3), kShapeFilledAndStroked);
	context->endDraw();
	context->forget();
	cairo_matrix_t matrix;
	cairo_get_matrix(cr, &matrix);
	EXPECT_EQ(matrix.x0, 1.);
	const uint8* data = cairo_image_surface_get_data(surface);
	const int stride = cairo_image_surface_get_stride(surface);
	auto alphaAt = [&](int x, int y) { return data[y * stride + x * 4 + 3]; };
	EXPECT_EQ(alphaAt(2, 1), 255);
	EXPECT_EQ(alphaAt(4, 3), 255);
	EXPECT_EQ(alphaAt(1, 1), 0);
	EXPECT_EQ(alphaAt(5, 4), 0);
	cairo_destroy(cr);
	cairo_surface_destroy(surface);
}

} // namespace
} // namespace VSTGUI::Test
