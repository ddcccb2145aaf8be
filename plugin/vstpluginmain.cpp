// The module's one exported function.
#include "host/audioeffect.h"

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback audioMaster);

AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
	// A caller that does not answer the version query is not a VST host.
	if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.f) == 0)
		return nullptr;
	AudioEffect* effect = createEffectInstance(audioMaster);
	return effect ? effect->getAeffect() : nullptr;
}
