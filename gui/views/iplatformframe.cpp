#include "gui/views/iplatformframe.h"

#include "gui/base/platformfactory.h"

namespace VSTGUI
{

IPlatformFrame* IPlatformFrame::createPlatformFrame(IPlatformFrameCallback* frame, const CRect& size, void* parent)
{
	auto create = getPlatformFactory().createFrame;
	return create ? create(frame, size, parent) : nullptr;
}

uint32 IPlatformFrame::getTicks()
{
	auto ticks = getPlatformFactory().getTicks;
	return ticks ? ticks() : getMonotonicTicks();
}

} // namespace VSTGUI
