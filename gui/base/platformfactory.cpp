#include "gui/base/platformfactory.h"

#include "gui/base/iplatformfont.h"
#include "gui/base/iplatformstring.h"
#include "gui/base/runloop.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace VSTGUI
{

namespace
{

const PlatformFactory kEmptyFactory{};
const PlatformFactory* gFactory = &kEmptyFactory;

// Without a platform there are no native events and nothing to paint, but
// the toolkit's timers still run when somebody pumps.
class TimersOnlyEventLoop : public IPlatformEventLoop
{
public:
	void dispatchEvents() override { RunLoop::get().pump(); }
	void paint() override {}
	void runFor(uint32 ms) override
	{
		RunLoop& loop = RunLoop::get();
		const uint64 end = loop.now() + ms;
		loop.pump();
		for (uint64 now = loop.now(); now < end; now = loop.now())
		{
			uint64 until = std::min(end, loop.nextDueTime().value_or(end));
			std::this_thread::sleep_for(std::chrono::milliseconds(until > now ? until - now : 0));
			loop.pump();
		}
	}
};

} // namespace

const PlatformFactory& getPlatformFactory()
{
	return *gFactory;
}

const PlatformFactory* setPlatformFactory(const PlatformFactory* factory)
{
	const PlatformFactory* previous = gFactory;
	gFactory = factory ? factory : &kEmptyFactory;
	return previous;
}

IPlatformEventLoop& getPlatformEventLoop()
{
	static TimersOnlyEventLoop timersOnly;
	return gFactory->eventLoop ? *gFactory->eventLoop : timersOnly;
}

uint32 getMonotonicTicks()
{
	using namespace std::chrono;
	return static_cast<uint32>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

double getDesktopScaleFactor()
{
	auto factor = getPlatformFactory().getDesktopScaleFactor;
	return factor ? factor() : 1.;
}

void preparePlatform()
{
	if (auto prepare = getPlatformFactory().prepare)
		prepare();
}

IPlatformFont* IPlatformFont::create(const char* name, const double& size, const int32& style)
{
	auto create = getPlatformFactory().createFont;
	return create ? create(name, size, style) : nullptr;
}

bool IPlatformFont::getAllPlatformFontFamilies(std::list<std::string>& fontFamilyNames)
{
	auto list = getPlatformFactory().getAllFontFamilies;
	return list ? list(fontFamilyNames) : false;
}

IPlatformString* IPlatformString::createWithUTF8String(const char* utf8String)
{
	auto create = getPlatformFactory().createString;
	return create ? create(utf8String) : nullptr;
}

} // namespace VSTGUI
