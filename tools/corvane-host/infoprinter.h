// What `corvane-host info` shows about a plug-in: identity, shape, flags,
// parameters, programs and editor size, read over the binary interface.
#pragma once

#include "tools/vsthost/pluginhost.h"

#include <ostream>
#include <string>

namespace corvane::cli
{

// The plug-in must be open (effOpen). Program names come from
// effGetProgramNameIndexed; a plug-in that does not answer it has its
// programs switched through one by one, and its current program restored.
// The editor's size is asked only when askEditor is set.
void printInfo(std::ostream& out, HostedPlugin& plugin, const std::string& path, bool askEditor);

} // namespace corvane::cli
