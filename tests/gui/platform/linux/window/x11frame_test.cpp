// The editor window on Xvfb: placement, painting and what reaches the screen.
#include "tests/support/x11testsupport.h"

#include "gui/base/runloop.h"
#include "gui/drawing/cbitmap.h"
#include "gui/platform/linux/drawing/cairobitmap.h"
#include "gui/platform/linux/drawing/cairodrawcontext.h"
#include "gui/platform/linux/window/x11runloop.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

using namespace corvane::test;

namespace
{

template <typename Reply> std::unique_ptr<Reply, decltype(&std::free)> owned(Reply* reply)
{
	return {reply, &std::free};
}

// The frame drawn offscreen, as opaque ARGB words like readPixels gives.
std::vector<uint32_t> drawOffscreen(CFrame* frame, int width, int height)
{
	auto* context = CairoDrawContext::createOffscreen(width, height);
	frame->drawRect(context, CRect(0, 0, width, height));
	context->endDraw();
	auto* bitmap = static_cast<CairoBitmap*>(context->getBitmap()->getPlatformBitmap());
	cairo_surface_t* surface = bitmap->getSurface();
	cairo_surface_flush(surface);
	const unsigned char* data = cairo_image_surface_get_data(surface);
	int stride = cairo_image_surface_get_stride(surface);
	std::vector<uint32_t> pixels;
	for (int y = 0; y < height; ++y)
	{
		for (int x = 0; x < width; ++x)
		{
			uint32_t word;
			std::memcpy(&word, data + y * stride + x * 4, 4);
			pixels.push_back(word | 0xFF000000u);
		}
	}
	context->forget();
	return pixels;
}

// A scene with edges that anti-aliasing and the half-pixel rule make
// interesting: an ellipse, an outlined rectangle, a diagonal line.
class SceneView : public CView
{
public:
	using CView::CView;
	void draw(CDrawContext* context) override
	{
		context->setFillColor(CColor(200, 30, 90, 255));
		context->drawEllipse(CRect(10, 12, 90, 70), kShapeFilled);
		context->setFrameColor(CColor(250, 250, 0, 255));
		context->setLineWidth(1);
		context->drawRect(CRect(100.5, 20, 180, 90), kShapeStroked);
		context->setLineWidth(3);
		context->moveTo(CPoint(5, 140));
		context->lineTo(CPoint(190, 95));
		setDirty(false);
	}
};

} // namespace

TEST(X11FrameWindow, OpensAsAMappedChildOfTheParentAtTheFrameRectangle)
{
	FrameFixture fx(CRect(12, 8, 212, 158));
	ASSERT_NE(fx.platform(), nullptr);
	xcb_window_t window = fx.platform()->getWindow();
	EXPECT_EQ(fx.client.descendantsOf(fx.parent), std::vector<xcb_window_t>{window});
	auto geometry = owned(xcb_get_geometry_reply(fx.client.get(), xcb_get_geometry(fx.client.get(), window), nullptr));
	ASSERT_TRUE(geometry);
	EXPECT_EQ(geometry->x, 12);
	EXPECT_EQ(geometry->y, 8);
	EXPECT_EQ(geometry->width, 200);
	EXPECT_EQ(geometry->height, 150);
	auto attributes = owned(
	    xcb_get_window_attributes_reply(fx.client.get(), xcb_get_window_attributes(fx.client.get(), window), nullptr));
	ASSERT_TRUE(attributes);
	EXPECT_EQ(attributes->map_state, XCB_MAP_STATE_VIEWABLE);
	EXPECT_EQ(reinterpret_cast<uintptr_t>(fx.platform()->getPlatformRepresentation()), window);
}

TEST(X11FrameWindow, PublishesXEmbedInfoWithTheMappedFlag)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	xcb_connection_t* c = fx.client.get();
	auto atom = owned(xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, 12, "_XEMBED_INFO"), nullptr));
	ASSERT_TRUE(atom);
	auto property = owned(xcb_get_property_reply(
	    c, xcb_get_property(c, 0, fx.platform()->getWindow(), atom->atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 2), nullptr));
	ASSERT_TRUE(property);
	ASSERT_EQ(xcb_get_property_value_length(property.get()), 8);
	auto* info = static_cast<const uint32_t*>(xcb_get_property_value(property.get()));
	EXPECT_EQ(info[0], 0u);
	EXPECT_EQ(info[1] & 1u, 1u);
}

TEST(X11FrameWindow, GeometryQueriesAnswerTheWindowsPlace)
{
	FrameFixture fx(CRect(12, 8, 212, 158));
	ASSERT_NE(fx.platform(), nullptr);
	CRect size;
	ASSERT_TRUE(fx.frame->getSize(&size));
	EXPECT_EQ(size, CRect(12, 8, 212, 158));
	double x = 0;
	double y = 0;
	ASSERT_TRUE(fx.frame->getPosition(x, y));
	EXPECT_EQ(x, FrameFixture::parentX + 12);
	EXPECT_EQ(y, FrameFixture::parentY + 8);
	fx.client.movePointer(fx.rootX(30), fx.rootY(40));
	CPoint where;
	ASSERT_TRUE(fx.frame->getCurrentMouseLocation(where));
	EXPECT_EQ(where, CPoint(30, 40));
}

TEST(X11FrameWindow, SetSizeMovesAndResizesTheWindowAndRepaintsIt)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	fx.paintNow();
	ASSERT_TRUE(fx.platform()->setSize(CRect(5, 6, 125, 86)));
	fx.paintNow();
	xcb_window_t window = fx.platform()->getWindow();
	auto geometry = owned(xcb_get_geometry_reply(fx.client.get(), xcb_get_geometry(fx.client.get(), window), nullptr));
	ASSERT_TRUE(geometry);
	EXPECT_EQ(geometry->x, 5);
	EXPECT_EQ(geometry->y, 6);
	EXPECT_EQ(geometry->width, 120);
	EXPECT_EQ(geometry->height, 80);
	ASSERT_FALSE(fx.platform()->getPaintStatistics().lastCopied.empty());
	EXPECT_EQ(fx.platform()->getPaintStatistics().lastCopied.front(), CRect(0, 0, 120, 80));
}

TEST(X11FramePainting, FirstPumpDrawsEveryViewOnce)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	ProbeView* a = fx.addProbe(CRect(10, 10, 60, 60), CColor(255, 0, 0, 255));
	ProbeView* b = fx.addProbe(CRect(100, 20, 180, 120), CColor(0, 255, 0, 255));
	EXPECT_EQ(fx.platform()->getPaintStatistics().paints, 0u);
	fx.paintNow();
	EXPECT_EQ(fx.platform()->getPaintStatistics().paints, 1u);
	EXPECT_EQ(a->draws, 1);
	EXPECT_EQ(b->draws, 1);
	EXPECT_EQ(fx.platform()->getPaintStatistics().lastCopied, std::vector<CRect>{CRect(0, 0, 200, 150)});
}

TEST(X11FramePainting, WindowPixelsEqualTheSameSceneDrawnOffscreen)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	fx.frame->addView(new SceneView(CRect(0, 0, 200, 150)));
	fx.addProbe(CRect(150, 100, 170, 130), CColor(10, 220, 240, 255));
	fx.paintNow();
	std::vector<uint32_t> window = fx.client.readPixels(fx.platform()->getWindow(), 200, 150);
	std::vector<uint32_t> offscreen = drawOffscreen(fx.frame, 200, 150);
	ASSERT_EQ(window.size(), offscreen.size());
	size_t differing = 0;
	for (size_t i = 0; i < window.size(); ++i)
		differing += window[i] != offscreen[i];
	EXPECT_EQ(differing, 0u);
	EXPECT_EQ(window[105 * 200 + 160], 0xFF0ADCF0u) << "the probe's colour at its place";
}

TEST(X11FramePainting, AreasLargerThanOneRequestArriveWhole)
{
	// 900 x 600 pixels are 2.1 MB, more than one request may carry.
	FrameFixture fx(CRect(0, 0, 900, 600), 940, 700);
	ASSERT_NE(fx.platform(), nullptr);
	fx.addProbe(CRect(0, 0, 900, 300), CColor(250, 0, 0, 255));
	fx.addProbe(CRect(0, 300, 900, 600), CColor(0, 0, 250, 255));
	fx.paintNow();
	ASSERT_TRUE(fx.platform()->isConnected());
	std::vector<uint32_t> pixels = fx.client.readPixels(fx.platform()->getWindow(), 900, 600);
	ASSERT_EQ(pixels.size(), 900u * 600u);
	EXPECT_EQ(pixels[0], 0xFFFA0000u);
	EXPECT_EQ(pixels[290 * 900 + 880], 0xFFFA0000u);
	EXPECT_EQ(pixels[310 * 900 + 5], 0xFF0000FAu);
	EXPECT_EQ(pixels[590 * 900 + 880], 0xFF0000FAu);
}

TEST(X11FramePainting, InvalidatingOneViewRedrawsAndCopiesOnlyItsRectangle)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	ProbeView* a = fx.addProbe(CRect(10, 10, 60, 60), CColor(255, 0, 0, 255));
	ProbeView* b = fx.addProbe(CRect(100, 20, 180, 120), CColor(0, 255, 0, 255));
	fx.paintNow();
	a->color = CColor(0, 0, 255, 255);
	a->invalid();
	fx.paintNow();
	EXPECT_EQ(a->draws, 2);
	EXPECT_EQ(b->draws, 1);
	EXPECT_EQ(fx.platform()->getPaintStatistics().lastCopied, std::vector<CRect>{CRect(10, 10, 60, 60)});
	std::vector<uint32_t> pixels = fx.client.readPixels(fx.platform()->getWindow(), 200, 150);
	EXPECT_EQ(pixels[30 * 200 + 30], 0xFF0000FFu);
	EXPECT_EQ(pixels[50 * 200 + 150], 0xFF00FF00u);
}

TEST(X11FramePainting, NothingIsDrawnAndNoTimerRunsWhenNothingChanged)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	ProbeView* a = fx.addProbe(CRect(10, 10, 60, 60), CColor(255, 0, 0, 255));
	fx.paintNow();
	uint64_t paints = fx.platform()->getPaintStatistics().paints;
	X11RunLoop::runFor(100);
	for (int i = 0; i < 10; ++i)
		X11RunLoop::pump();
	EXPECT_EQ(fx.platform()->getPaintStatistics().paints, paints);
	EXPECT_EQ(a->draws, 1);
	EXPECT_EQ(RunLoop::get().getTimerCount(), 0u);
}

TEST(X11FramePainting, ExposeCopiesFromTheBackBufferWithoutDrawing)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	ProbeView* a = fx.addProbe(CRect(10, 10, 60, 60), CColor(255, 0, 0, 255));
	fx.paintNow();
	xcb_window_t window = fx.platform()->getWindow();
	// Clearing with exposures on makes the server send Expose for the area,
	// as when a covering window goes away.
	xcb_clear_area(fx.client.get(), 1, window, 20, 20, 30, 10);
	fx.client.sync();
	pumpUntil([&]
	          { return fx.platform()->getPaintStatistics().lastCopied == std::vector<CRect>{CRect(20, 20, 50, 30)}; });
	fx.platform()->sync();
	EXPECT_EQ(fx.platform()->getPaintStatistics().lastCopied, std::vector<CRect>{CRect(20, 20, 50, 30)});
	EXPECT_EQ(fx.platform()->getPaintStatistics().paints, 1u);
	EXPECT_EQ(a->draws, 1);
	EXPECT_EQ(fx.client.readPixels(window, 200, 150)[25 * 200 + 25], 0xFFFF0000u);
}

TEST(X11FramePainting, ScrollRectMovesPixelsAndDrawsOnlyTheUncoveredStrip)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	ProbeView* a = fx.addProbe(CRect(0, 0, 200, 150), CColor(0, 0, 0, 255));
	fx.paintNow();
	// Paint a marker straight into the scene, then scroll it down by 10.
	ProbeView* marker = fx.addProbe(CRect(20, 20, 40, 30), CColor(255, 255, 0, 255));
	fx.paintNow();
	int drawsBefore = a->draws;
	ASSERT_TRUE(fx.platform()->scrollRect(CRect(0, 0, 200, 150), CPoint(0, 10)));
	fx.paintNow();
	EXPECT_EQ(a->draws, drawsBefore + 1) << "the strip at the top";
	EXPECT_EQ(fx.platform()->getPaintStatistics().lastCopied, std::vector<CRect>{CRect(0, 0, 200, 150)});
	std::vector<uint32_t> pixels = fx.client.readPixels(fx.platform()->getWindow(), 200, 150);
	EXPECT_EQ(pixels[35 * 200 + 30], 0xFFFFFF00u) << "the marker moved down";
	EXPECT_EQ(pixels[22 * 200 + 30], 0xFF000000u) << "the old place shows what moved there";
	(void)marker;
}

TEST(X11FrameWindow, OffscreenContextsHaveTheAskedSize)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	COffscreenContext* context = fx.platform()->createOffscreenContext(33, 21);
	ASSERT_NE(context, nullptr);
	EXPECT_EQ(context->getWidth(), 33);
	EXPECT_EQ(context->getHeight(), 21);
	context->forget();
}

TEST(X11FrameWindow, EveryCursorTypeSetsACursor)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	for (int32 type = -1; type <= 12; ++type)
		EXPECT_TRUE(fx.platform()->setMouseCursor(static_cast<CCursorType>(type))) << type;
	fx.platform()->sync();
	EXPECT_TRUE(fx.platform()->isConnected());
}

TEST(X11FrameWindow, HidingATooltipNeverShownAndADragWithoutSourceFail)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	EXPECT_FALSE(fx.platform()->hideTooltip());
	EXPECT_EQ(fx.platform()->doDrag(nullptr, CPoint(), nullptr), -1);
	EXPECT_EQ(fx.platform()->getLastDragResult(), -1);
}

TEST(X11FramePaintingScroll, ScrollingLeftAndUpMovesPixelsTheOtherWay)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	ProbeView* background = fx.addProbe(CRect(0, 0, 200, 150), CColor(0, 0, 0, 255));
	fx.addProbe(CRect(60, 60, 70, 70), CColor(255, 0, 255, 255));
	fx.paintNow();
	int drawsBefore = background->draws;
	ASSERT_TRUE(fx.platform()->scrollRect(CRect(50, 50, 150, 120), CPoint(-20, -5)));
	fx.paintNow();
	EXPECT_EQ(background->draws, drawsBefore + 2) << "the strips at the right and at the bottom, each alone";
	std::vector<uint32_t> pixels = fx.client.readPixels(fx.platform()->getWindow(), 200, 150);
	EXPECT_EQ(pixels[57 * 200 + 45], 0xFF000000u) << "nothing moves out of the scrolled area";
	EXPECT_EQ(pixels[62 * 200 + 60], 0xFF000000u) << "the marker moved on, out of the area";
	EXPECT_EQ(pixels[65 * 200 + 65], 0xFF000000u);
	int drawsAfter = background->draws;
	ASSERT_TRUE(fx.platform()->scrollRect(CRect(0, 0, 200, 150), CPoint(0, 0)));
	fx.paintNow();
	EXPECT_EQ(background->draws, drawsAfter) << "no distance uncovers nothing";
}

TEST(X11FramePaintingScroll, AreasWaitingToBeDrawnMoveWithTheScrolledPixels)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	fx.addProbe(CRect(0, 0, 200, 150), CColor(0, 0, 0, 255));
	ProbeView* marker = fx.addProbe(CRect(20, 20, 40, 40), CColor(0, 255, 0, 255));
	fx.paintNow();
	// The marker turns red, but its area is scrolled before it is drawn: the
	// stale green pixels that move must be drawn again where they land.
	marker->color = CColor(255, 0, 0, 255);
	marker->invalid();
	ASSERT_TRUE(fx.platform()->scrollRect(CRect(0, 0, 200, 150), CPoint(0, 30)));
	fx.paintNow();
	std::vector<uint32_t> pixels = fx.client.readPixels(fx.platform()->getWindow(), 200, 150);
	EXPECT_EQ(pixels[60 * 200 + 30], 0xFF000000u) << "no stale green where the area moved to";
	EXPECT_EQ(pixels[30 * 200 + 30], 0xFFFF0000u);
}

TEST(X11FramePaintingStorm, ManySmallInvalidationsAreDrawnAsAFewRectangles)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	ProbeView* background = fx.addProbe(CRect(0, 0, 200, 150), CColor(0, 0, 0, 255));
	fx.paintNow();
	uint64_t drawnBefore = fx.platform()->getPaintStatistics().drawnRects;
	for (int i = 0; i < 100; ++i)
		fx.platform()->invalidRect(CRect(i * 2 % 200, i % 150, i * 2 % 200 + 1, i % 150 + 1));
	fx.paintNow();
	uint64_t drawn = fx.platform()->getPaintStatistics().drawnRects - drawnBefore;
	EXPECT_GE(drawn, 1u);
	EXPECT_LE(drawn, 16u);
	EXPECT_EQ(background->draws, 1 + static_cast<int>(drawn));
}

// At 1.5 device pixels per unit an area's edges fall inside device pixels:
// the copy takes in every pixel the area touches, so no seam is left, and
// the pointer arrives in frame units.
TEST(X11FrameScaled, AFractionalFactorScalesTheWindowItsAreasAndThePointer)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	ProbeView* probe = fx.addProbe(CRect(11, 11, 61, 41), CColor(255, 0, 0, 255));
	EXPECT_FALSE(fx.frame->setScaleFactor(0.5));
	EXPECT_FALSE(fx.frame->setScaleFactor(4.5));
	ASSERT_TRUE(fx.frame->setScaleFactor(1.5));
	fx.paintNow();
	auto geometry = owned(xcb_get_geometry_reply(
	    fx.client.get(), xcb_get_geometry(fx.client.get(), fx.platform()->getWindow()), nullptr));
	ASSERT_TRUE(geometry);
	EXPECT_EQ(geometry->width, 300);
	EXPECT_EQ(geometry->height, 225);
	CRect size;
	fx.platform()->getSize(size);
	EXPECT_EQ(size, CRect(0, 0, 200, 150));

	probe->invalid();
	fx.paintNow();
	EXPECT_EQ(fx.platform()->getPaintStatistics().lastCopied, std::vector<CRect>{CRect(16, 16, 92, 62)});
	std::vector<uint32_t> pixels = fx.client.readPixels(fx.platform()->getWindow(), 300, 225);
	EXPECT_EQ(pixels[17 * 300 + 17], 0xFFFF0000u);
	EXPECT_EQ(pixels[60 * 300 + 90], 0xFFFF0000u);
	EXPECT_NE(pixels[62 * 300 + 92], 0xFFFF0000u);

	fx.client.movePointer(fx.rootX(45), fx.rootY(48));
	fx.client.click(1);
	ASSERT_TRUE(pumpUntil([&] { return !probe->eventsOf("up").empty(); }));
	EXPECT_EQ(probe->eventsOf("down").back().where, CPoint(30, 32));
}
