// corvane-host's editor commands, run as a user runs them, on a private X
// server.
#include "../gui_x11/xvfbserver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

corvane::test::XvfbServer& server()
{
	static corvane::test::XvfbServer xvfb;
	return xvfb;
}

struct CommandResult
{
	int status = -1;
	std::string output;
};

// Runs a shell command line; standard output and error together.
CommandResult run(const std::string& command)
{
	CommandResult result;
	std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
	if (!pipe)
		return result;
	char buffer[4096];
	while (std::size_t n = std::fread(buffer, 1, sizeof(buffer), pipe))
		result.output.append(buffer, n);
	int status = pclose(pipe);
	result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
	return result;
}

std::string host()
{
	return std::string(CORVANE_HOST_PATH) + " ";
}

std::string module()
{
	return std::string(CORVANE_MODULE_PATH) + " ";
}

bool pngSize(const std::string& path, int& width, int& height)
{
	std::ifstream file(path, std::ios::binary);
	unsigned char header[24] = {};
	if (!file.read(reinterpret_cast<char*>(header), sizeof(header)))
		return false;
	if (header[1] != 'P' || header[2] != 'N' || header[3] != 'G')
		return false;
	auto be32 = [&](int at) { return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3]; };
	width = be32(16);
	height = be32(20);
	return true;
}

std::string scratch(const char* name)
{
	return testing::TempDir() + "corvane-" + std::to_string(getpid()) + "-" + name;
}

} // namespace

TEST(HostCommands, SnapshotSavesTheEditorAtItsSize)
{
	ASSERT_TRUE(server().isRunning());
	std::string picture = scratch("editor.png");
	CommandResult r = run(host() + "snapshot " + module() + picture + " --program 5");
	ASSERT_EQ(r.status, 0) << r.output;
	int width = 0, height = 0;
	ASSERT_TRUE(pngSize(picture, width, height));
	EXPECT_EQ(width, 400);
	EXPECT_EQ(height, 196);
	std::remove(picture.c_str());
}

TEST(HostCommands, SnapshotWithoutADisplayFailsWithOneMessage)
{
	std::string picture = scratch("nodisplay.png");
	CommandResult r = run("env -u DISPLAY " + host() + "snapshot " + module() + picture);
	EXPECT_EQ(r.status, 1);
	EXPECT_NE(r.output.find("corvane-host: cannot open the X display"), std::string::npos) << r.output;
	EXPECT_EQ(std::count(r.output.begin(), r.output.end(), '\n'), 1);
	EXPECT_NE(access(picture.c_str(), F_OK), 0);
}

TEST(HostCommands, SnapshotRefusesProcessingOptionsAndBadSettings)
{
	ASSERT_TRUE(server().isRunning());
	std::string picture = scratch("bad.png");
	EXPECT_EQ(run(host() + "snapshot " + module() + picture + " --double").status, 2);
	CommandResult r = run(host() + "snapshot " + module() + picture + " --program 32");
	EXPECT_EQ(r.status, 1);
	EXPECT_NE(r.output.find("program 32 is out of range"), std::string::npos) << r.output;
	EXPECT_NE(access(picture.c_str(), F_OK), 0);
}

TEST(HostCommands, EditLogsCallbacksAndClosesCleanlyOnInterrupt)
{
	ASSERT_TRUE(server().isRunning());
	CommandResult r = run("timeout --preserve-status -s INT 2 " + host() + "edit " + module() + "--log");
	EXPECT_EQ(r.status, 0) << r.output;
	EXPECT_NE(r.output.find("audioMasterVersion index=0 value=0 opt=0 answer=2400"), std::string::npos) << r.output;
}
