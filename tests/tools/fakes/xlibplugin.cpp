// A plug-in whose editor talks to the X server through Xlib and makes a
// request error on opening (a property read with an atom that does not
// exist), as toolkits do on a display without a window manager.
#include "host/aeffectx.h"

#include <X11/Xlib.h>

#include <cstdint>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace
{

ERect gRect{0, 0, 100, 200};
Display* gDisplay = nullptr;

void openEditor(void* parent)
{
	gDisplay = XOpenDisplay(nullptr);
	if (!gDisplay)
		return;
	auto window = static_cast<Window>(reinterpret_cast<std::uintptr_t>(parent));
	Atom type = 0;
	int format = 0;
	unsigned long items = 0, after = 0;
	unsigned char* data = nullptr;
	constexpr Atom kNoSuchAtom = 0x1fffffff;
	XGetWindowProperty(gDisplay, window, kNoSuchAtom, 0, 1, False, AnyPropertyType, &type, &format, &items, &after,
	                   &data);
	if (data)
		XFree(data);
	XSync(gDisplay, False);
}

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float)
{
	switch (opcode)
	{
		case effEditGetRect: *static_cast<ERect**>(ptr) = &gRect; return 1;
		case effEditOpen: openEditor(ptr); return 1;
		case effEditClose:
			if (gDisplay)
				XCloseDisplay(gDisplay);
			gDisplay = nullptr;
			return 0;
		case effClose: delete effect; return 1;
	}
	return 0;
}

void setParameter(AEffect*, VstInt32, float) {}

float getParameter(AEffect*, VstInt32)
{
	return 0.f;
}

void processReplacing(AEffect*, float**, float**, VstInt32) {}

} // namespace

EXPORT AEffect* VSTPluginMain(audioMasterCallback)
{
	auto* e = new AEffect{};
	e->magic = kEffectMagic;
	e->dispatcher = dispatch;
	e->setParameter = setParameter;
	e->getParameter = getParameter;
	e->processReplacing = processReplacing;
	e->numInputs = 2;
	e->numOutputs = 2;
	e->flags = effFlagsCanReplacing | effFlagsHasEditor;
	return e;
}
