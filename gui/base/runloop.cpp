#include "gui/base/runloop.h"

#include <algorithm>
#include <chrono>

namespace VSTGUI
{

struct RunLoop::Timer
{
	IRunLoopTimerCallback* callback; // null once removed
	uint64_t intervalMs;
	uint64_t dueMs;
};

namespace
{

uint64_t monotonicMilliseconds()
{
	using namespace std::chrono;
	return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

// The next due time after nowMs on the timer's own grid: ticks that were
// missed because the loop was pumped late are skipped, not delivered in a
// burst.
uint64_t nextDueAfter(uint64_t dueMs, uint64_t intervalMs, uint64_t nowMs)
{
	uint64_t missed = (nowMs - dueMs) / intervalMs;
	return dueMs + (missed + 1) * intervalMs;
}

} // namespace

RunLoop& RunLoop::get()
{
	static RunLoop loop;
	return loop;
}

uint64_t RunLoop::now() const
{
	return clock ? clock() : monotonicMilliseconds();
}

void RunLoop::setClock(Clock newClock)
{
	clock = std::move(newClock);
}

RunLoop::Timer* RunLoop::addTimer(IRunLoopTimerCallback* callback, uint32_t intervalMs)
{
	if (!callback)
		return nullptr;
	// A zero interval would make a timer due again within the same
	// millisecond and spin a loop that pumps from inside a callback.
	uint64_t interval = std::max<uint64_t>(intervalMs, 1);
	timers.push_back(std::make_unique<Timer>(Timer{callback, interval, now() + intervalMs}));
	return timers.back().get();
}

void RunLoop::removeTimer(Timer* timer)
{
	auto it = std::find_if(timers.begin(), timers.end(), [timer](const auto& t) { return t.get() == timer; });
	if (timer == nullptr || it == timers.end())
		return;
	(*it)->callback = nullptr;
	// While timers fire, the pass walks the list by index: entries are only
	// marked here and dropped when the outermost pass has finished.
	if (firingDepth == 0)
		timers.erase(it);
}

void RunLoop::fireDueTimers(uint64_t nowMs)
{
	++firingDepth;
	size_t count = timers.size();
	for (size_t i = 0; i < count && i < timers.size(); ++i)
		fireOne(i, nowMs);
	--firingDepth;
	if (firingDepth == 0)
		collectRemoved();
}

void RunLoop::fireOne(size_t index, uint64_t nowMs)
{
	Timer& timer = *timers[index];
	if (timer.callback == nullptr || timer.dueMs > nowMs)
		return;
	// Rescheduled before the call, so that a callback that pumps the loop
	// does not fire itself again.
	timer.dueMs = nextDueAfter(timer.dueMs, timer.intervalMs, nowMs);
	timer.callback->onRunLoopTimer();
}

void RunLoop::collectRemoved()
{
	std::erase_if(timers, [](const auto& t) { return t->callback == nullptr; });
}

void RunLoop::pump()
{
	fireDueTimers(now());
}

std::optional<uint64_t> RunLoop::nextDueTime() const
{
	std::optional<uint64_t> earliest;
	for (const auto& timer : timers)
	{
		if (timer->callback && (!earliest || timer->dueMs < *earliest))
			earliest = timer->dueMs;
	}
	return earliest;
}

std::size_t RunLoop::getTimerCount() const
{
	return static_cast<std::size_t>(
	    std::count_if(timers.begin(), timers.end(), [](const auto& t) { return t->callback != nullptr; }));
}

} // namespace VSTGUI
