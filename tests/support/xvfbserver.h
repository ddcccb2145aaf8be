// A private Xvfb for the window tests and benchmarks: started on a display
// number the server picks itself (-displayfd), with -noreset so that it
// survives the moments when no client is connected, and DISPLAY set for this
// process. The server is killed when the object goes.
//
// A test that needs the server and cannot have it must say so and be counted
// as skipped, never crash or fail somewhere far from the cause: requireRunning
// prints why and ends the test's process with the code that CTest counts as
// a skip (make test then fails on skipped tests, so nothing passes without X).
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
	// Why the server is not running; empty while it runs.
	const std::string& getFailure() const { return failure; }
	// Ends the server now (the server-loss tests).
	void kill();

private:
	pid_t pid{-1};
	std::string display;
	std::string failure;
};

// The exit code of a skipped test (CTest's SKIP_RETURN_CODE for our tests).
inline constexpr int skippedTestExitCode = 77;

// Returns when server runs; otherwise prints why, naming Xvfb, and ends the
// process with skippedTestExitCode.
void requireRunning(const XvfbServer& server);

} // namespace corvane::test
