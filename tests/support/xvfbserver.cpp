#include "tests/support/xvfbserver.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace corvane::test
{

namespace
{

// The display number Xvfb writes to the pipe once it accepts connections.
std::string readDisplayNumber(int fd)
{
	std::string number;
	pollfd p{fd, POLLIN, 0};
	char c = 0;
	while (poll(&p, 1, 10000) > 0 && read(fd, &c, 1) == 1 && c != '\n')
		number += c;
	return number;
}

// What the child exits with when it cannot run Xvfb at all.
constexpr int notFoundExitCode = 127;

// Why a server that was started gave no display number.
std::string describeFailure(pid_t& pid)
{
	if (pid < 0)
		return "Xvfb could not be started (fork failed)";
	// The pipe ends when the child's last descriptor closes, a moment before
	// the child can be reaped.
	int status = 0;
	pid_t reaped = 0;
	for (int tries = 0; tries < 100 && (reaped = waitpid(pid, &status, WNOHANG)) == 0; ++tries)
		usleep(10000);
	if (reaped != pid)
		return "Xvfb gave no display number within 10 s";
	pid = -1;
	if (WIFEXITED(status) && WEXITSTATUS(status) == notFoundExitCode)
		return "Xvfb is not installed (no Xvfb on PATH; the Debian package is xvfb)";
	if (WIFEXITED(status))
		return "Xvfb exited with status " + std::to_string(WEXITSTATUS(status)) + " before it took connections";
	return "Xvfb ended by signal " + std::to_string(WTERMSIG(status)) + " before it took connections";
}

} // namespace

void requireRunning(const XvfbServer& server)
{
	if (server.isRunning())
		return;
	std::fprintf(stderr, "[  SKIPPED ] this test needs an X server, and %s\n", server.getFailure().c_str());
	std::fflush(stdout);
	std::fflush(stderr);
	// Without exit handlers: a leak check at exit would replace the code.
	_exit(skippedTestExitCode);
}

XvfbServer::XvfbServer()
{
	int fds[2];
	if (pipe(fds) != 0)
	{
		failure = "no pipe for Xvfb's display number";
		return;
	}
	std::string fdText = std::to_string(fds[1]);
	std::vector<const char*> args{"Xvfb",        "-displayfd", fdText.c_str(), "-screen", "0",
	                              "1024x768x24", "-noreset",   "-nolisten",    "tcp",     nullptr};
	pid = fork();
	if (pid == 0)
	{
		// A test program that crashes must not leave its server behind.
		prctl(PR_SET_PDEATHSIG, SIGKILL);
		close(fds[0]);
		int devNull = open("/dev/null", O_WRONLY);
		dup2(devNull, 2);
		execvp("Xvfb", const_cast<char**>(args.data()));
		_exit(notFoundExitCode);
	}
	close(fds[1]);
	std::string number = pid > 0 ? readDisplayNumber(fds[0]) : std::string();
	close(fds[0]);
	if (number.empty())
	{
		failure = describeFailure(pid);
		kill();
		return;
	}
	display = ":" + number;
	setenv("DISPLAY", display.c_str(), 1);
}

XvfbServer::~XvfbServer()
{
	kill();
}

void XvfbServer::kill()
{
	if (pid <= 0)
		return;
	::kill(pid, SIGTERM);
	int status = 0;
	waitpid(pid, &status, 0);
	pid = -1;
}

} // namespace corvane::test
