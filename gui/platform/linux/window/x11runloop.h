// The module's run loop on X11: the X connections of the open frames and the
// toolkit's timers (gui/base/runloop.h), serviced on the host's
// user-interface thread. There is no thread of our own; the loop runs only
// while somebody pumps it:
//
//  - the editor at every host idle call: dispatchEvents() before the idle
//    work (X events drained, due timers fired), paint() after it (what is
//    invalid is drawn and copied to the windows, requests flushed); pump()
//    does all three in one go;
//  - AEffGUIEditor::wait, through the platform's event loop
//    (gui/base/platformfactory.h, linuxplatform.h): runFor(ms);
//  - modal loops of the platform layer and hosts of our own that have no
//    better loop: runFor or pump, repeatedly.
//
// Everything must be called on the user-interface thread. Every call is
// re-entrant: an event or timer handler may pump the loop again or close a
// frame.
#pragma once

#include <cstdint>

namespace VSTGUI
{

// One connection's share of the loop; an X11Frame registers itself while its
// window exists.
class IX11EventSource
{
public:
	virtual ~IX11EventSource() = default;
	// The file descriptor to wait on, or -1 when the connection is gone.
	virtual int getFileDescriptor() const = 0;
	// Handles every event already received, without blocking.
	virtual void dispatchEvents() = 0;
	// Draws and copies what is invalid; flushes the connection.
	virtual void paint() = 0;
};

namespace X11RunLoop
{

// Registration; unknown or repeated sources are ignored. A source removed
// while the loop walks its sources is not called again.
void addSource(IX11EventSource* source);
void removeSource(IX11EventSource* source);
int getSourceCount();

// Events of every source, then the due timers.
void dispatchEvents();
// Paints every source.
void paint();
// dispatchEvents, then paint.
void pump();
// Pumps for ms milliseconds: between pumps it sleeps in poll() on the
// connections until an event arrives, the next timer is due or the time is
// up. runFor(0) pumps once.
void runFor(uint32_t ms);

} // namespace X11RunLoop

} // namespace VSTGUI
