// Linked as an object into every test program that runs on the real Linux
// platform, so that it is installed before the first test makes a toolkit
// object.
#include "gui/platform/linux/linuxplatform.h"

namespace
{

[[maybe_unused]] const bool kInstalled = (VSTGUI::installLinuxPlatform(), true);

} // namespace
