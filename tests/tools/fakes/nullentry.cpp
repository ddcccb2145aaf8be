// A plug-in whose entry point refuses to start, as one does when the host
// displeases it.
#include "host/aeffect.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

EXPORT AEffect* VSTPluginMain(audioMasterCallback)
{
	return nullptr;
}
