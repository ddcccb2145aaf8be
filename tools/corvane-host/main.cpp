// corvane-host: a command-line host for Linux VST 2.4 effects.
#include "tools/corvane-host/arguments.h"
#include "tools/corvane-host/commands.h"
#include "tools/corvane-host/xerrors.h"

#include <cstdio>

using namespace corvane::cli;

namespace
{

int usageError(const std::string& message)
{
	std::fprintf(stderr, "corvane-host: %s\n\n%s", message.c_str(), usageText());
	return kExitUsage;
}

} // namespace

int main(int argc, char** argv)
{
	installXErrorHandler();
	Arguments arguments;
	ParseResult parsed = parseArguments(argc, argv, arguments);
	if (!parsed.ok && parsed.showUsage)
		return usageError(parsed.error);
	if (!parsed.ok)
	{
		fail(parsed.error);
		return kExitUsage;
	}
	switch (arguments.command)
	{
		case Command::Info: return runInfo(arguments);
		case Command::Process: return runProcess(arguments);
		case Command::Demo: return runDemo(arguments);
		case Command::Edit: return runEditor(arguments, false);
		case Command::Snapshot: return runEditor(arguments, true);
		case Command::Help: break;
	}
	std::fputs(usageText(), stdout);
	return kExitOk;
}
