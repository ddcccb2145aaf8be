// A plug-in whose record has the magic but no functions at all, as a
// half-built plug-in answers.
#include "host/aeffect.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT AEffect* VSTPluginMain(audioMasterCallback)
{
	static AEffect effect{};
	effect.magic = kEffectMagic;
	effect.numInputs = 2;
	effect.numOutputs = 2;
	return &effect;
}
