// The module's run loop: one list of repeating timers shared by every editor
// of the module, living on the host's user-interface thread.
//
// There is no thread of our own. Whoever owns the user-interface thread
// pumps the loop: the editor at every host idle call, AEffGUIEditor::wait,
// modal loops of the platform layer and hosts of our own. A timer fires when
// the loop is pumped at or after its due time, at most once per pump; ticks
// missed because the loop was pumped late are dropped, not queued.
//
// Times are milliseconds of a monotonic clock, as unsigned 64-bit numbers
// that never wrap. The clock can be replaced (tests drive it by hand).
//
// Everything here must be called on the user-interface thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace VSTGUI
{

// Receives the ticks of a run-loop timer. The loop holds a plain pointer:
// the receiver removes its timer before it goes away.
class IRunLoopTimerCallback
{
public:
	virtual ~IRunLoopTimerCallback() = default;
	virtual void onRunLoopTimer() = 0;
};

class RunLoop
{
public:
	// Opaque handle of a registered timer; valid from addTimer until
	// removeTimer, owned by the loop.
	struct Timer;
	using Clock = std::function<uint64_t()>;

	// The one loop of the module.
	static RunLoop& get();

	// Registers a repeating timer whose first tick comes intervalMs from
	// now; it then repeats every intervalMs, but at least 1 ms apart.
	// Answers null for a null callback.
	Timer* addTimer(IRunLoopTimerCallback* callback, uint32_t intervalMs);
	// Ends a timer. Safe at any time, also from inside any timer's callback
	// (its own included): a removed timer never fires again. Unknown or
	// null handles are ignored.
	void removeTimer(Timer* timer);

	// Fires every timer that is due at nowMs. Timers added during the pass
	// wait for a later pump. Re-entrant: a callback may pump the loop.
	void fireDueTimers(uint64_t nowMs);
	// fireDueTimers with the clock's current time.
	void pump();
	// The earliest due time of all timers, or nothing when there is none.
	std::optional<uint64_t> nextDueTime() const;
	std::size_t getTimerCount() const;

	uint64_t now() const;
	// Replaces the clock; an empty function restores the monotonic one.
	void setClock(Clock clock);

private:
	RunLoop() = default;
	void fireOne(size_t index, uint64_t nowMs);
	void collectRemoved();

	std::vector<std::unique_ptr<Timer>> timers;
	Clock clock;
	int firingDepth = 0;
};

} // namespace VSTGUI
