#include "tools/corvane-host/xerrors.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace corvane::cli
{

namespace
{

constexpr int kShownErrors = 5;
int gErrors = 0;

// Answers a name out of Xlib's own tables, which it reads without a
// request to the server (requests are not allowed here).
std::string requestName(Display* display, unsigned char code)
{
	char name[128] = {};
	std::string number = std::to_string(code);
	XGetErrorDatabaseText(display, "XRequest", number.c_str(), "", name, sizeof name);
	std::string text = name;
	if (text.rfind("X_", 0) == 0)
		text.erase(0, 2);
	return text.empty() ? "request " + number : text;
}

int onXError(Display* display, XErrorEvent* event)
{
	if (++gErrors > kShownErrors)
		return 0;
	char error[256] = {};
	XGetErrorText(display, event->error_code, error, sizeof error);
	std::fprintf(stderr, "corvane-host: warning: the plug-in's X request %s failed: %s; carrying on\n",
	             requestName(display, event->request_code).c_str(), error);
	return 0;
}

void reportHidden()
{
	if (gErrors > kShownErrors)
		std::fprintf(stderr, "corvane-host: warning: %d more X request errors were not shown\n",
		             gErrors - kShownErrors);
}

} // namespace

void installXErrorHandler()
{
	XSetErrorHandler(onXError);
	std::atexit(reportHidden);
}

} // namespace corvane::cli
