// The toolkit's one way down to the platform: a table of the factories that
// the core calls (IPlatformFrame::createPlatformFrame and getTicks,
// IPlatformBitmap::create and createFromPath, IPlatformFont::create and
// getAllPlatformFontFamilies, IPlatformString::createWithUTF8String) and the
// platform's event loop. The static factories keep their names and ask the
// table; the core therefore links without the platform library, and a
// platform (or a test) installs its own table.
//
// An empty slot means "this platform has none": the factory answers null
// (false for the font families), the ticks come from the monotonic clock,
// and the event loop only fires the toolkit's timers.
//
// Ownership: the table is not copied; whoever installs it keeps it alive
// until another one is installed. Threads: install before the first
// toolkit object is made, on the user-interface thread.
#pragma once

#include "gui/base/vstguitypes.h"

#include <list>
#include <string>

namespace VSTGUI
{

struct CPoint;
struct CRect;
class IPlatformBitmap;
class IPlatformFont;
class IPlatformFrame;
class IPlatformFrameCallback;
class IPlatformString;

// What the editor's host glue needs of the platform's native event loop,
// besides the timers of gui/base/runloop.h. User-interface thread only;
// every call is re-entrant.
class IPlatformEventLoop
{
public:
	virtual ~IPlatformEventLoop() = default;
	// Handles the native events already received, then fires due timers.
	virtual void dispatchEvents() = 0;
	// Draws what is invalid in every open window and flushes.
	virtual void paint() = 0;
	// Runs the loop for ms milliseconds, sleeping while nothing is due;
	// runFor(0) runs it once.
	virtual void runFor(uint32 ms) = 0;
};

struct PlatformFactory
{
	IPlatformFrame* (*createFrame)(IPlatformFrameCallback* frame, const CRect& size, void* parent) = nullptr;
	uint32 (*getTicks)() = nullptr;
	IPlatformBitmap* (*createBitmap)(CPoint* size) = nullptr;
	IPlatformBitmap* (*createBitmapFromPath)(const char* absolutePath) = nullptr;
	IPlatformFont* (*createFont)(const char* name, const double& size, const int32& style) = nullptr;
	bool (*getAllFontFamilies)(std::list<std::string>& fontFamilyNames) = nullptr;
	IPlatformString* (*createString)(const char* utf8String) = nullptr;
	IPlatformEventLoop* eventLoop = nullptr;
	// Device pixels per logical pixel that the desktop asks for (1 to 4);
	// empty: 1.
	double (*getDesktopScaleFactor)() = nullptr;
	// Begins, without waiting, what the first window will need and can be
	// begun before one is asked for (the font set-up); may be empty.
	void (*prepare)() = nullptr;
};

// The installed table; an empty one until a platform installs its own.
const PlatformFactory& getPlatformFactory();
// Installs factory (null: the empty table) and answers the one it replaces,
// so that a test can restore it.
const PlatformFactory* setPlatformFactory(const PlatformFactory* factory);

// The installed event loop, or one that only fires the toolkit's timers.
IPlatformEventLoop& getPlatformEventLoop();

// Milliseconds of the monotonic clock, wrapping as unsigned 32-bit: the
// ticks of a platform that has no clock of its own.
uint32 getMonotonicTicks();

// The installed platform's desktop scale factor, 1 without one.
double getDesktopScaleFactor();
// The installed platform's prepare, if it has one.
void preparePlatform();

} // namespace VSTGUI
