// corvane-host: a command-line host for Linux VST 2.4 plug-ins.
#include "tools/corvane-host/arguments.h"
#include "tools/corvane-host/commands.h"
#include "tools/corvane-host/xerrors.h"

#include <cstdio>

using namespace corvane::cli;

int main(int argc, char** argv)
{
	installXErrorHandler();
	Arguments arguments;
	ParseResult parsed = parseArguments(argc, argv, arguments);
	if (!parsed.ok)
		return usageFail(arguments.command, parsed.error);
	switch (arguments.command)
	{
		case Command::Info: return runInfo(arguments);
		case Command::Process: return runProcess(arguments);
		case Command::Demo: return runDemo(arguments);
		case Command::Edit: return runEditor(arguments, false);
		case Command::Snapshot: return runEditor(arguments, true);
		case Command::Version: std::printf("corvane-host %s\n", CORVANE_VERSION); return kExitOk;
		case Command::Help: break;
	}
	std::fputs((arguments.helpFor ? commandHelp(*arguments.helpFor) : helpText()).c_str(), stdout);
	return kExitOk;
}
