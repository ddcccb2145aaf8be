#include "tests/support/xvfbserver.h"

#include <csignal>
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

} // namespace

XvfbServer::XvfbServer()
{
	int fds[2];
	if (pipe(fds) != 0)
		return;
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
		_exit(127);
	}
	close(fds[1]);
	std::string number = pid > 0 ? readDisplayNumber(fds[0]) : std::string();
	close(fds[0]);
	if (number.empty())
	{
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
