// The module's one exported function.
#include "editor/corvaneeditor.h"
#include "gui/platform/linux/linuxplatform.h"
#include "host/audioeffect.h"

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback audioMaster);

AEffect* VSTPluginMain(audioMasterCallback audioMaster)
{
	// A caller that does not answer the version query is not a VST host.
	if (!audioMaster || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.f) == 0)
		return nullptr;
	// The module is where the layers meet: the toolkit gets its platform
	// (X11, cairo, Pango) and the effect its editor. Installing them again
	// for a further instance changes nothing.
	VSTGUI::installLinuxPlatform();
	setCorvaneEditorHooks(&corvaneEditorHooks());
	AudioEffect* effect = createEffectInstance(audioMaster);
	return effect ? effect->getAeffect() : nullptr;
}
