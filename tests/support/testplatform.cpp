#include "tests/support/testplatform.h"

#include "gui/platform/linux/linuxplatform.h"

namespace VSTGUI::test
{

bool installLinuxPlatformWith(FrameFactory createFrame, TickSource getTicks)
{
	static PlatformFactory factory;
	factory = getLinuxPlatformFactory();
	factory.createFrame = createFrame;
	factory.getTicks = getTicks;
	setPlatformFactory(&factory);
	return true;
}

} // namespace VSTGUI::test
