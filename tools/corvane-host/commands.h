// The commands of corvane-host. Each answers the process exit status and
// reports a failure as one line on standard error.
#pragma once

#include "tools/corvane-host/arguments.h"

namespace corvane::cli
{

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int runInfo(const Arguments& arguments);
int runProcess(const Arguments& arguments);
int runDemo(const Arguments& arguments);
// edit (snapshot false) and snapshot: the plug-in's editor in a window.
int runEditor(const Arguments& arguments, bool snapshot);

// "corvane-host: <message>" on standard error; answers kExitFailure.
int fail(const std::string& message);
// A mistake of the command line: the message, then the command's usage
// line, on standard error; answers kExitUsage.
int usageFail(Command command, const std::string& message);

} // namespace corvane::cli
