// The module's run loop: timers and idle views run while, and only while,
// somebody pumps it.
#include "tests/support/x11testsupport.h"

#include "gui/base/cvstguitimer.h"
#include "gui/base/runloop.h"
#include "gui/platform/linux/linuxplatform.h"
#include "gui/platform/linux/window/x11runloop.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace corvane::test;

namespace
{

class TickCounter : public CBaseObject
{
public:
	MessageResult notify(CBaseObject*, const char* message) override
	{
		if (message == CVSTGUITimer::kMsgTimer)
			++ticks;
		return kMessageHandled;
	}
	int ticks{0};
};

// Closes the frame from inside its own mouse handler.
class ClosingView : public CView
{
public:
	ClosingView(const CRect& size, FrameFixture& fixture) : CView(size), fixture(fixture) {}
	MouseEventResult onMouseDown(CPoint&, const CButtonState&) override
	{
		fixture.close();
		closed = true;
		return kMouseHandled;
	}
	FrameFixture& fixture;
	bool closed{false};
};

using Clock = std::chrono::steady_clock;

} // namespace

TEST(X11RunLoopTimers, TimerFiresOnlyWhileTheLoopIsPumped)
{
	TickCounter counter;
	auto* timer = new CVSTGUITimer(&counter, 10);
	ASSERT_TRUE(timer->start());
	std::this_thread::sleep_for(std::chrono::milliseconds(50));
	EXPECT_EQ(counter.ticks, 0) << "nothing runs behind the host's back";
	X11RunLoop::runFor(100);
	EXPECT_GE(counter.ticks, 2);
	EXPECT_LE(counter.ticks, 11) << "missed ticks are dropped, not bunched";
	timer->forget();
	int after = counter.ticks;
	X11RunLoop::runFor(30);
	EXPECT_EQ(counter.ticks, after);
}

TEST(X11RunLoopTimers, RunForServicesTheWholeTimeAsked)
{
	Clock::time_point start = Clock::now();
	X11RunLoop::runFor(60);
	EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(60));
	start = Clock::now();
	getLinuxPlatformFactory().eventLoop->runFor(20);
	EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(20));
}

TEST(X11RunLoopTimers, IdleViewGetsAboutThirtyIdleCallsASecondWhilePumped)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	ProbeView* probe = fx.addProbe(CRect(0, 0, 10, 10), CColor(0, 0, 0, 255));
	probe->setWantsIdle(true);
	X11RunLoop::runFor(1000);
	EXPECT_GE(probe->idles, 20);
	EXPECT_LE(probe->idles, 31);
	probe->setWantsIdle(false);
}

TEST(X11RunLoopSources, OpenFramesAreSourcesOfTheLoopUntilClosed)
{
	int before = X11RunLoop::getSourceCount();
	{
		FrameFixture fx;
		ASSERT_NE(fx.platform(), nullptr);
		EXPECT_EQ(X11RunLoop::getSourceCount(), before + 1);
		FrameFixture second;
		ASSERT_NE(second.platform(), nullptr);
		EXPECT_EQ(X11RunLoop::getSourceCount(), before + 2);
	}
	EXPECT_EQ(X11RunLoop::getSourceCount(), before);
}

TEST(X11RunLoopSources, FrameClosedFromItsOwnMouseHandlerGoesQuietly)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	xcb_window_t window = fx.platform()->getWindow();
	auto* view = new ClosingView(CRect(0, 0, 200, 150), fx);
	view->remember();
	fx.frame->addView(view);
	fx.paintNow();
	fx.client.movePointer(fx.rootX(50), fx.rootY(50));
	fx.client.click(1);
	ASSERT_TRUE(pumpUntil([&] { return view->closed; }));
	X11RunLoop::runFor(20);
	fx.client.sync();
	EXPECT_EQ(fx.frame, nullptr);
	EXPECT_TRUE(fx.client.descendantsOf(fx.parent).empty()) << window;
	view->forget();
}

namespace
{

// Runs a modal loop from inside its mouse handler, as a pop-up menu does,
// and asks for a second click meanwhile.
class ModalView : public ProbeView
{
public:
	ModalView(const CRect& size, TestClient& client) : ProbeView(size, CColor(0, 0, 0, 255)), client(client) {}
	MouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override
	{
		ProbeView::onMouseDown(where, buttons);
		if (depth++ == 0)
		{
			client.click(1);
			pumpUntil([this] { return eventsOf("down").size() >= 2; }, 2000);
			downsSeenInside = eventsOf("down").size();
		}
		--depth;
		return kMouseHandled;
	}
	TestClient& client;
	int depth{0};
	size_t downsSeenInside{0};
};

} // namespace

TEST(X11RunLoopSources, ModalLoopInsideAnEventHandlerKeepsDeliveringEvents)
{
	FrameFixture fx;
	ASSERT_NE(fx.platform(), nullptr);
	auto* view = new ModalView(CRect(0, 0, 200, 150), fx.client);
	fx.frame->addView(view);
	fx.paintNow();
	fx.client.movePointer(fx.rootX(50), fx.rootY(50));
	fx.client.click(1);
	ASSERT_TRUE(pumpUntil([&] { return view->downsSeenInside > 0; }));
	EXPECT_EQ(view->downsSeenInside, 2u) << "the second click arrived inside the first one's handler";
	X11RunLoop::runFor(20);
}
