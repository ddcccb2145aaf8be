// A plug-in that answers the usual questions and then crashes when asked
// for its editor's size, as some toolkits do without an X display.
#include "host/aeffectx.h"

#include <csignal>
#include <cstdio>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace
{

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float)
{
	switch (opcode)
	{
		case effGetEffectName: std::snprintf(static_cast<char*>(ptr), kVstMaxEffectNameLen, "Fake Crash"); return 1;
		case effEditGetRect: std::raise(SIGSEGV); return 0;
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
