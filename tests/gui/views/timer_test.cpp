#include "viewtestsupport.h"

#include "gui/base/cvstguitimer.h"
#include "gui/base/runloop.h"
#include "gui/views/idleviewupdater.h"

#include <gtest/gtest.h>

using namespace VSTGUI;
using namespace VSTGUI::test;

namespace
{

// Counts ticks; optionally runs an action inside the tick.
class TickTarget : public CBaseObject
{
public:
	MessageResult notify(CBaseObject* sender, const char* message) override
	{
		if (message == CVSTGUITimer::kMsgTimer)
		{
			++ticks;
			lastSender = sender;
			if (action)
				action();
		}
		return kMessageHandled;
	}
	int ticks{0};
	CBaseObject* lastSender{nullptr};
	std::function<void()> action;
};

// Runs the module's loop on a clock the test moves by hand.
class RunLoopTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		clearLog();
		RunLoop::get().setClock([this] { return now; });
	}
	void TearDown() override
	{
		RunLoop::get().setClock(nullptr);
		EXPECT_EQ(RunLoop::get().getTimerCount(), 0u);
		EXPECT_EQ(IdleViewUpdater::gInstance, nullptr);
		EXPECT_EQ(liveObjects(), 0);
	}
	void advance(uint64_t ms)
	{
		now += ms;
		RunLoop::get().pump();
	}

	uint64_t now{1000};
};

TEST_F(RunLoopTest, TimerFiresEveryIntervalAndDropsTicksMissedByALatePump)
{
	TickTarget target;
	auto* timer = new CVSTGUITimer(&target, 10);
	EXPECT_TRUE(timer->start());
	EXPECT_EQ(RunLoop::get().nextDueTime(), std::optional<uint64_t>(1010));
	advance(9);
	EXPECT_EQ(target.ticks, 0);
	advance(1);
	EXPECT_EQ(target.ticks, 1);
	EXPECT_EQ(target.lastSender, timer);
	advance(35);
	EXPECT_EQ(target.ticks, 2);
	EXPECT_EQ(RunLoop::get().nextDueTime(), std::optional<uint64_t>(1050));
	timer->forget();
	advance(100);
	EXPECT_EQ(target.ticks, 2);
}

TEST_F(RunLoopTest, StartTwiceMakesOneTimerAndStopOnAStoppedTimerAnswersFalse)
{
	TickTarget target;
	auto* timer = new CVSTGUITimer(&target, 10);
	EXPECT_FALSE(timer->stop());
	EXPECT_TRUE(timer->start());
	EXPECT_TRUE(timer->start());
	EXPECT_EQ(RunLoop::get().getTimerCount(), 1u);
	EXPECT_TRUE(timer->stop());
	EXPECT_FALSE(timer->stop());
	EXPECT_EQ(RunLoop::get().getTimerCount(), 0u);
	EXPECT_TRUE(timer->isTypeOf("CVSTGUITimer"));
	EXPECT_EQ(timer->newCopy(), nullptr);
	timer->forget();
}

TEST_F(RunLoopTest, SetFireTimeRestartsOnlyARunningTimerWithTheNewInterval)
{
	TickTarget target;
	auto* timer = new CVSTGUITimer(&target, 10);
	EXPECT_FALSE(timer->setFireTime(10));
	EXPECT_TRUE(timer->setFireTime(20));
	EXPECT_FALSE(timer->isRunning());
	timer->start();
	advance(5);
	EXPECT_FALSE(timer->setFireTime(20));
	EXPECT_EQ(RunLoop::get().nextDueTime(), std::optional<uint64_t>(1020));
	EXPECT_TRUE(timer->setFireTime(50));
	EXPECT_EQ(RunLoop::get().nextDueTime(), std::optional<uint64_t>(1055));
	EXPECT_FALSE(timer->setFireTime(-1));
	EXPECT_FALSE(timer->isRunning());
	timer->forget();
}

TEST_F(RunLoopTest, TimerStoppedOrReleasedInsideItsOwnTickIsSafe)
{
	TickTarget stopper;
	TickTarget releaser;
	auto* stopped = new CVSTGUITimer(&stopper, 10);
	auto* released = new CVSTGUITimer(&releaser, 10);
	stopper.action = [&] { stopped->stop(); };
	releaser.action = [&] { released->forget(); };
	stopped->start();
	released->start();
	advance(10);
	advance(10);
	EXPECT_EQ(stopper.ticks, 1);
	EXPECT_EQ(releaser.ticks, 1);
	EXPECT_EQ(RunLoop::get().getTimerCount(), 0u);
	stopped->forget();
}

TEST_F(RunLoopTest, TimerStoppingAnotherDueTimerInTheSamePassPreventsItsTick)
{
	TickTarget first;
	TickTarget second;
	auto* a = new CVSTGUITimer(&first, 10);
	auto* b = new CVSTGUITimer(&second, 10);
	first.action = [&] { b->forget(); };
	a->start();
	b->start();
	advance(10);
	EXPECT_EQ(first.ticks, 1);
	EXPECT_EQ(second.ticks, 0);
	a->forget();
}

TEST_F(RunLoopTest, TwoIdleViewsShareOneUpdaterThatEndsWithTheLastOne)
{
	auto* frame = makeFrame(CRect(0, 0, 100, 100));
	auto* first = new RecordingView("first", CRect());
	auto* second = new RecordingView("second", CRect());
	first->setWantsIdle(true);
	second->setWantsIdle(true);
	EXPECT_EQ(IdleViewUpdater::gInstance, nullptr);
	frame->addView(first);
	IdleViewUpdater* updater = IdleViewUpdater::gInstance;
	ASSERT_NE(updater, nullptr);
	frame->addView(second);
	EXPECT_EQ(IdleViewUpdater::gInstance, updater);
	EXPECT_EQ(RunLoop::get().getTimerCount(), 1u);
	advance(1000 / CView::idleRate);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"first:idle", "second:idle"}));
	frame->removeView(first, true);
	EXPECT_EQ(IdleViewUpdater::gInstance, updater);
	frame->removeView(second, true);
	EXPECT_EQ(IdleViewUpdater::gInstance, nullptr);
	EXPECT_EQ(RunLoop::get().getTimerCount(), 0u);
	auto* third = new RecordingView("third", CRect());
	third->setWantsIdle(true);
	frame->addView(third);
	EXPECT_NE(IdleViewUpdater::gInstance, nullptr);
	third->setWantsIdle(false);
	EXPECT_EQ(IdleViewUpdater::gInstance, nullptr);
	frame->close();
}

TEST_F(RunLoopTest, IdleRateSetsTheUpdaterIntervalAndAZeroRateIsHarmless)
{
	auto* frame = makeFrame(CRect(0, 0, 100, 100));
	auto* view = new RecordingView("view", CRect());
	view->setWantsIdle(true);
	CView::idleRate = 0;
	frame->addView(view);
	CView::idleRate = 30;
	EXPECT_EQ(RunLoop::get().nextDueTime(), std::optional<uint64_t>(now + 1000));
	frame->removeView(view, true);
	frame->addView(view = new RecordingView("again", CRect()));
	view->setWantsIdle(true);
	EXPECT_EQ(RunLoop::get().nextDueTime(), std::optional<uint64_t>(now + 33));
	frame->close();
}

TEST_F(RunLoopTest, ViewThatWantsIdleButIsNotAttachedGetsNoIdleCalls)
{
	auto* view = new RecordingView("loose", CRect());
	view->setWantsIdle(true);
	EXPECT_EQ(IdleViewUpdater::gInstance, nullptr);
	advance(1000);
	EXPECT_EQ(view->idleCalls, 0);
	view->forget();
}

TEST_F(RunLoopTest, LastViewStoppingIdleInsideItsOwnIdleCallEndsTheUpdaterSafely)
{
	auto* frame = makeFrame(CRect(0, 0, 100, 100));
	auto* view = new RecordingView("view", CRect());
	view->setWantsIdle(true);
	frame->addView(view);
	view->idleAction = [&] { view->setWantsIdle(false); };
	advance(33);
	EXPECT_EQ(view->idleCalls, 1);
	EXPECT_EQ(IdleViewUpdater::gInstance, nullptr);
	EXPECT_EQ(RunLoop::get().getTimerCount(), 0u);
	advance(100);
	EXPECT_EQ(view->idleCalls, 1);
	frame->close();
}

TEST_F(RunLoopTest, ViewDetachedInsideIdleDoesNotDisturbTheOthersAndALateComerGetsANewUpdater)
{
	auto* frame = makeFrame(CRect(0, 0, 100, 100));
	auto* first = new RecordingView("first", CRect());
	auto* second = new RecordingView("second", CRect());
	auto* third = new RecordingView("third", CRect());
	for (auto* view : {first, second, third})
	{
		view->setWantsIdle(true);
		frame->addView(view);
	}
	// The first view releases the second (destroying it) during the tick.
	first->idleAction = [&] { frame->removeView(second, true); };
	advance(33);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"first:idle", "third:idle"}));
	// The last two leave during one tick and a newcomer registers in it.
	auto* newcomer = new RecordingView("newcomer", CRect());
	newcomer->setWantsIdle(true);
	third->idleAction = [&]
	{
		frame->removeView(first, true);
		frame->removeView(third, false);
		frame->addView(newcomer);
	};
	first->idleAction = nullptr;
	clearLog();
	advance(33);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"first:idle", "third:idle"}));
	ASSERT_NE(IdleViewUpdater::gInstance, nullptr);
	EXPECT_EQ(IdleViewUpdater::gInstance->getNbViews(), 1u);
	EXPECT_EQ(RunLoop::get().getTimerCount(), 1u);
	clearLog();
	advance(33);
	EXPECT_EQ(eventLog(), std::vector<std::string>({"newcomer:idle"}));
	third->forget();
	frame->close();
}

} // namespace
