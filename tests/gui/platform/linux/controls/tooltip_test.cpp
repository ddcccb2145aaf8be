// The frame's tooltip: an override-redirect window below the rectangle it
// describes, with lines split at backslash-n, faded out through the opacity
// property and unmapped at the end.
#include "tests/support/x11testsupport.h"

#include "gui/platform/linux/controls/x11tooltip.h"
#include "gui/platform/linux/window/x11runloop.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

using namespace corvane::test;

namespace
{

template <typename Reply> std::unique_ptr<Reply, decltype(&std::free)> owned(Reply* reply)
{
	return std::unique_ptr<Reply, decltype(&std::free)>(reply, &std::free);
}

struct Geometry
{
	int x{0}, y{0}, width{0}, height{0};
};

class X11Tooltips : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_NE(fx.platform(), nullptr);
		fx.paintNow();
		c = fx.client.get();
		const char* name = "_NET_WM_WINDOW_OPACITY";
		auto atom = owned(
		    xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
		opacityAtom = atom->atom;
	}

	// The top-level override-redirect windows, mapped or not: only the
	// tooltip is one here.
	std::vector<xcb_window_t> overrideRedirectWindows() { return fx.client.overrideRedirectWindows(false); }

	xcb_window_t tooltip()
	{
		std::vector<xcb_window_t> windows = overrideRedirectWindows();
		return windows.size() == 1 ? windows[0] : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
	}

	bool isMapped(xcb_window_t window)
	{
		auto attributes = owned(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
		return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
	}

	Geometry geometry(xcb_window_t window)
	{
		auto reply = owned(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
		return reply ? Geometry{reply->x, reply->y, reply->width, reply->height} : Geometry{};
	}

	std::optional<uint32_t> opacity(xcb_window_t window)
	{
		auto reply = owned(
		    xcb_get_property_reply(c, xcb_get_property(c, 0, window, opacityAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr));
		if (!reply || xcb_get_property_value_length(reply.get()) != 4)
			return std::nullopt;
		return *static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
	}

	// Shows text for rect and answers the window's size.
	Geometry show(const CRect& rect, const char* text)
	{
		EXPECT_TRUE(fx.platform()->showTooltip(rect, text));
		fx.platform()->sync();
		return geometry(tooltip());
	}

	FrameFixture fx;
	xcb_connection_t* c{nullptr};
	xcb_atom_t opacityAtom{0};
};

} // namespace

TEST(X11TooltipText, LinesAreSplitAtEveryBackslashN)
{
	using Lines = std::vector<std::string>;
	EXPECT_EQ(X11Tooltip::splitLines("a\\nb"), (Lines{"a", "b"}));
	EXPECT_EQ(X11Tooltip::splitLines("one line"), (Lines{"one line"}));
	EXPECT_EQ(X11Tooltip::splitLines("\\n"), (Lines{"", ""}));
	EXPECT_EQ(X11Tooltip::splitLines("a\\n\\nb\\n"), (Lines{"a", "", "b", ""}));
	EXPECT_EQ(X11Tooltip::splitLines("a\\\\nb"), (Lines{"a\\", "b"})) << "the first backslash-n wins";
	EXPECT_EQ(X11Tooltip::splitLines("a\nb\\"), (Lines{"a\nb\\"})) << "a real newline or a lone backslash stays";
	EXPECT_EQ(X11Tooltip::splitLines(""), (Lines{""}));
	EXPECT_EQ(X11Tooltip::splitLines(nullptr), (Lines{""}));
}

TEST(X11TooltipPlacement, CentredUnderTheRectangleAndKeptOnTheScreen)
{
	const CPoint screen(1024, 768);
	EXPECT_EQ(X11Tooltip::placement(CRect(100, 50, 200, 70), CPoint(40, 20), screen), CPoint(130, 74));
	EXPECT_EQ(X11Tooltip::placement(CRect(100, 50, 200, 70), CPoint(160, 20), screen), CPoint(70, 74))
	    << "wider than the rectangle: centred all the same";
	EXPECT_EQ(X11Tooltip::placement(CRect(1000, 50, 1020, 70), CPoint(60, 20), screen), CPoint(964, 74))
	    << "pushed back from the right edge";
	EXPECT_EQ(X11Tooltip::placement(CRect(-30, 50, 10, 70), CPoint(60, 20), screen), CPoint(0, 74))
	    << "and from the left";
	EXPECT_EQ(X11Tooltip::placement(CRect(100, 700, 200, 750), CPoint(40, 20), screen), CPoint(130, 676))
	    << "no room below: above the rectangle";
	EXPECT_EQ(X11Tooltip::placement(CRect(0, 0, 1024, 768), CPoint(40, 20), screen), CPoint(492, 0))
	    << "no room below nor above: at the top of the screen";
	EXPECT_EQ(X11Tooltip::placement(CRect(100, 50, 200, 70), CPoint(2000, 20), screen), CPoint(0, 74));
}

TEST(X11TooltipOpacity, StepsAreTwentiethsOfTheFullValue)
{
	EXPECT_EQ(X11Tooltip::opacityValue(20), 0xFFFFFFFFu);
	EXPECT_EQ(X11Tooltip::opacityValue(0), 0u);
	EXPECT_NEAR(X11Tooltip::opacityValue(X11Tooltip::kShownOpacitySteps) / 4294967295., 0.95, 1e-9);
	EXPECT_NEAR(X11Tooltip::opacityValue(1) / 4294967295., 0.05, 1e-9);
	EXPECT_EQ(X11Tooltip::opacityValue(-3), 0u);
}

TEST_F(X11Tooltips, ShownBelowTheRectangleCentredAndNearlyOpaque)
{
	CRect rect(20, 30, 120, 50);
	Geometry g = show(rect, "Distance");
	xcb_window_t window = tooltip();
	ASSERT_NE(window, static_cast<xcb_window_t>(XCB_WINDOW_NONE));
	EXPECT_TRUE(isMapped(window));
	EXPECT_EQ(g.y, fx.rootY(50) + 4) << "top edge 4 pixels below the rectangle";
	EXPECT_NEAR(g.x + g.width / 2., fx.rootX(70), 1.) << "centred on the rectangle";
	EXPECT_GT(g.width, 20);
	EXPECT_GT(g.height, 8);
	EXPECT_EQ(opacity(window), X11Tooltip::opacityValue(19));
}

// At factor 2 the tooltip is the same tooltip at twice the size, under the
// rectangle's device pixels.
TEST_F(X11Tooltips, AtFactorTwoItIsTwiceTheSizeUnderTheScaledRectangle)
{
	CRect rect(20, 30, 120, 50);
	Geometry atOne = show(rect, "Distance");
	fx.platform()->hideTooltip();
	ASSERT_TRUE(fx.frame->setScaleFactor(2.));
	Geometry atTwo = show(rect, "Distance");
	EXPECT_EQ(atTwo.width, 2 * atOne.width);
	EXPECT_EQ(atTwo.height, 2 * atOne.height);
	EXPECT_EQ(atTwo.y, fx.rootY(100) + 4);
	EXPECT_NEAR(atTwo.x + atTwo.width / 2., fx.rootX(140), 1.);
}

TEST_F(X11Tooltips, DrawsBlackTextOnPaleYellow)
{
	Geometry g = show(CRect(20, 30, 120, 50), "Wide text WWW");
	xcb_window_t window = tooltip();
	std::vector<uint32_t> pixels = fx.client.readPixels(window, g.width, g.height);
	ASSERT_EQ(pixels.size(), static_cast<size_t>(g.width * g.height));
	EXPECT_EQ(pixels[static_cast<size_t>(g.width + 1)], 0xFFFFF5C2u) << "red 1.0, green 0.96, blue 0.76";
	EXPECT_EQ(pixels[0], 0xFF000000u) << "a thin black border";
	int dark = 0;
	for (int y = 2; y < g.height - 2; ++y)
		for (int x = 2; x < g.width - 2; ++x)
			dark += (pixels[static_cast<size_t>(y * g.width + x)] & 0xFF) < 0x40;
	EXPECT_GT(dark, 20) << "text inside the border";
}

TEST_F(X11Tooltips, BackslashNStartsASecondLine)
{
	CRect rect(20, 30, 120, 50);
	Geometry oneLine = show(rect, "ab");
	Geometry a = show(rect, "a");
	Geometry b = show(rect, "b");
	Geometry twoLines = show(rect, "a\\nb");
	EXPECT_GT(twoLines.height, oneLine.height);
	EXPECT_LT(twoLines.height, 2 * oneLine.height) << "one more line, not a second window's worth";
	EXPECT_EQ(a.height, oneLine.height);
	EXPECT_EQ(twoLines.width, std::max(a.width, b.width)) << "as wide as the widest line";
	EXPECT_LT(twoLines.width, oneLine.width);
	EXPECT_EQ(overrideRedirectWindows().size(), 1u) << "one window, reused";
}

TEST_F(X11Tooltips, HidingFadesStepByStepThenUnmaps)
{
	show(CRect(20, 30, 120, 50), "fading");
	xcb_window_t window = tooltip();
	ASSERT_TRUE(fx.platform()->hideTooltip());
	std::vector<uint32_t> seen;
	// One pump fires the timer at most once, so every step is seen. The
	// frame's connection is synced before each look, as the server may
	// otherwise answer this client before it has read the frame's change.
	for (int i = 0; i < 2000; ++i)
	{
		fx.platform()->sync();
		if (!isMapped(window))
			break;
		if (auto value = opacity(window); value && (seen.empty() || seen.back() != *value))
			seen.push_back(*value);
		EXPECT_TRUE(fx.platform()->hideTooltip()) << "hiding again does not restart or speed up the fade";
		std::this_thread::sleep_for(std::chrono::milliseconds(2));
		X11RunLoop::runFor(0);
	}
	std::vector<uint32_t> expected;
	for (int steps = 18; steps >= 1; --steps)
		expected.push_back(X11Tooltip::opacityValue(steps));
	EXPECT_EQ(seen, expected) << "from 0.90 (the first step is at once) down to 0.05";
	EXPECT_FALSE(isMapped(window));
}

TEST_F(X11Tooltips, ShowingAgainStopsTheFade)
{
	CRect rect(20, 30, 120, 50);
	show(rect, "first");
	xcb_window_t window = tooltip();
	ASSERT_TRUE(fx.platform()->hideTooltip());
	X11RunLoop::runFor(30);
	show(rect, "second");
	EXPECT_EQ(opacity(window), X11Tooltip::opacityValue(19));
	X11RunLoop::runFor(300);
	fx.platform()->sync();
	EXPECT_TRUE(isMapped(window)) << "no fade left running";
	EXPECT_EQ(opacity(window), X11Tooltip::opacityValue(19));
}

TEST_F(X11Tooltips, HidingWithoutATooltipAnswersFalse)
{
	EXPECT_FALSE(fx.platform()->hideTooltip());
	show(CRect(0, 0, 10, 10), "x");
	EXPECT_TRUE(fx.platform()->hideTooltip());
}

TEST_F(X11Tooltips, ClosingTheFrameWhileFadingDestroysTheWindow)
{
	show(CRect(20, 30, 120, 50), "closing");
	ASSERT_TRUE(fx.platform()->hideTooltip());
	X11RunLoop::runFor(25);
	fx.close();
	X11RunLoop::runFor(100);
	fx.client.sync();
	EXPECT_TRUE(overrideRedirectWindows().empty());
}

TEST(X11TooltipFaults, ServerThatGoesAwayWhileFadingIsSurvived)
{
	sharedServer();
	std::string sharedDisplay = std::getenv("DISPLAY");
	XvfbServer doomed;
	requireRunning(doomed);
	CFrame* frame = nullptr;
	{
		TestClient client;
		ASSERT_TRUE(client.isConnected());
		xcb_window_t parent = client.createParent(0, 0, 200, 200);
		frame = new CFrame(CRect(0, 0, 100, 100), reinterpret_cast<void*>(static_cast<uintptr_t>(parent)), nullptr);
		ASSERT_NE(frame->getPlatformFrame(), nullptr);
		X11RunLoop::pump();
		EXPECT_TRUE(frame->getPlatformFrame()->showTooltip(CRect(0, 0, 50, 20), "doomed"));
		EXPECT_TRUE(frame->getPlatformFrame()->hideTooltip());
		X11RunLoop::runFor(15);
		doomed.kill();
	}
	X11RunLoop::runFor(100);
	IPlatformFrame* platform = frame->getPlatformFrame();
	EXPECT_FALSE(platform->showTooltip(CRect(0, 0, 50, 20), "gone"));
	EXPECT_TRUE(platform->hideTooltip()) << "the tooltip still exists, and stays quiet";
	X11RunLoop::runFor(50);
	frame->close();
	setenv("DISPLAY", sharedDisplay.c_str(), 1);
}
