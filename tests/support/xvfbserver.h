// A private Xvfb for the window tests and benchmarks: started on a display
// number the server picks itself (-displayfd), with -noreset so that it
// survives the moments when no client is connected, and DISPLAY set for this
// process. The server is killed when the object goes.
#pragma once

#include <string>
#include <sys/types.h>

namespace corvane::test
{

class XvfbServer
{
public:
	XvfbServer();
	~XvfbServer();
	XvfbServer(const XvfbServer&) = delete;
	XvfbServer& operator=(const XvfbServer&) = delete;

	bool isRunning() const { return pid > 0 && !display.empty(); }
	const std::string& getDisplay() const { return display; }
	// Ends the server now (the server-loss tests).
	void kill();

private:
	pid_t pid{-1};
	std::string display;
};

} // namespace corvane::test
