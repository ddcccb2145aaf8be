// The module's one exported function.
#include "gui/platform/linux/linuxplatform.h"
#include "widtheffect.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster)
{
	return new width::WidthEffect(audioMaster);
}

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
	// A caller that does not answer the version query is not a VST host.
	if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.f) == 0)
		return nullptr;
	// The toolkit draws through X11, cairo and Pango from here on; a second
	// instance installing it again changes nothing.
	VSTGUI::installLinuxPlatform();
	AudioEffect* effect = createEffectInstance(audioMaster);
	return effect ? effect->getAeffect() : nullptr;
}
