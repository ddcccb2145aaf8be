#include "gui/platform/linux/window/x11runloop.h"

#include "gui/base/runloop.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <poll.h>
#include <vector>

namespace VSTGUI
{

namespace
{

std::vector<IX11EventSource*>& sources()
{
	static std::vector<IX11EventSource*> list;
	return list;
}

bool isRegistered(IX11EventSource* source)
{
	auto& list = sources();
	return std::find(list.begin(), list.end(), source) != list.end();
}

// A handler may open or close frames while we walk: walk a copy and skip the
// sources that have gone in the meantime.
template <typename Call> void forEachSource(Call call)
{
	std::vector<IX11EventSource*> snapshot(sources());
	for (IX11EventSource* source : snapshot)
	{
		if (isRegistered(source))
			call(source);
	}
}

using Clock = std::chrono::steady_clock;

// Milliseconds poll() may sleep: until the deadline or the next timer,
// whichever comes first.
int pollTimeout(Clock::time_point deadline)
{
	auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
	int64_t timeout = std::max<int64_t>(left, 0);
	RunLoop& timers = RunLoop::get();
	if (auto due = timers.nextDueTime())
	{
		uint64_t now = timers.now();
		timeout = std::min<int64_t>(timeout, *due > now ? static_cast<int64_t>(*due - now) : 0);
	}
	return static_cast<int>(timeout);
}

void waitForEvents(int timeoutMs)
{
	std::vector<pollfd> fds;
	forEachSource(
	    [&fds](IX11EventSource* source)
	    {
		    int fd = source->getFileDescriptor();
		    if (fd >= 0)
			    fds.push_back(pollfd{fd, POLLIN, 0});
	    });
	// Interrupted by a signal of the host: the caller's loop comes round
	// again.
	poll(fds.data(), fds.size(), timeoutMs);
}

} // namespace

namespace X11RunLoop
{

void addSource(IX11EventSource* source)
{
	if (source && !isRegistered(source))
		sources().push_back(source);
}

void removeSource(IX11EventSource* source)
{
	std::erase(sources(), source);
}

int getSourceCount()
{
	return static_cast<int>(sources().size());
}

void dispatchEvents()
{
	forEachSource([](IX11EventSource* source) { source->dispatchEvents(); });
	RunLoop::get().pump();
}

void paint()
{
	forEachSource([](IX11EventSource* source) { source->paint(); });
}

void pump()
{
	dispatchEvents();
	paint();
}

void runFor(uint32_t ms)
{
	Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(ms);
	pump();
	while (Clock::now() < deadline)
	{
		int timeout = pollTimeout(deadline);
		if (timeout > 0)
			waitForEvents(timeout);
		pump();
	}
}

} // namespace X11RunLoop

} // namespace VSTGUI
