// A mono plug-in that never finishes its first block, so that a test can
// interrupt the host in the middle of processing.
#include "host/aeffectx.h"

#include <unistd.h>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace
{

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
	if (opcode == effClose)
		delete effect;
	return opcode == effClose ? 1 : 0;
}

void setParameter(AEffect*, VstInt32, float) {}

float getParameter(AEffect*, VstInt32)
{
	return 0.f;
}

void processReplacing(AEffect*, float**, float**, VstInt32)
{
	for (;;)
		pause(); // until a signal ends the process
}

} // namespace

EXPORT AEffect* VSTPluginMain(audioMasterCallback)
{
	auto* e = new AEffect{};
	e->magic = kEffectMagic;
	e->dispatcher = dispatch;
	e->setParameter = setParameter;
	e->getParameter = getParameter;
	e->processReplacing = processReplacing;
	e->numInputs = 1;
	e->numOutputs = 1;
	e->flags = effFlagsCanReplacing;
	return e;
}
