#include "gui/platform/linux/linuxplatform.h"

#include "gui/platform/linux/drawing/cairobitmap.h"
#include "gui/platform/linux/text/pangofont.h"
#include "gui/platform/linux/text/pangostring.h"
#include "gui/platform/linux/window/x11desktopscale.h"
#include "gui/platform/linux/window/x11frame.h"
#include "gui/platform/linux/window/x11runloop.h"

namespace VSTGUI
{

namespace
{

class X11EventLoop : public IPlatformEventLoop
{
public:
	void dispatchEvents() override { X11RunLoop::dispatchEvents(); }
	void paint() override { X11RunLoop::paint(); }
	void runFor(uint32 ms) override { X11RunLoop::runFor(ms); }
};

IPlatformFrame* createX11Frame(IPlatformFrameCallback* frame, const CRect& size, void* parent)
{
	// The host passes its X11 window id as a pointer-sized integer.
	return X11Frame::create(frame, size, reinterpret_cast<uintptr_t>(parent));
}

IPlatformFont* createPangoFont(const char* name, const double& size, const int32& style)
{
	return PangoFont::create(name, size, style);
}

X11EventLoop gEventLoop;

const PlatformFactory kLinuxFactory{
    .createFrame = createX11Frame,
    .getTicks = X11Frame::getTicks,
    .createBitmap = CairoBitmap::createPlatformBitmap,
    .createBitmapFromPath = CairoBitmap::createFromPath,
    .createFont = createPangoFont,
    .getAllFontFamilies = PangoFont::getAllFamilies,
    .createString = PangoString::create,
    .eventLoop = &gEventLoop,
    .getDesktopScaleFactor = X11DesktopScale::current,
    .prepare = PangoFont::prepare,
};

} // namespace

const PlatformFactory& getLinuxPlatformFactory()
{
	return kLinuxFactory;
}

void installLinuxPlatform()
{
	setPlatformFactory(&kLinuxFactory);
}

} // namespace VSTGUI
