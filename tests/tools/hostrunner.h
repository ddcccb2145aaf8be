// Runs the corvane-host binary as a child process in a scratch directory
// of its own and collects what it said and how it ended.
#pragma once

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

namespace corvane::test
{

struct HostRun
{
	bool exited = false; // false when a signal ended it (a crash)
	int exitCode = -1;
	int termSignal = 0; // the signal that ended it, if one did
	std::string out;
	std::string err;

	std::vector<std::string> errLines() const;
};

// A fresh directory per test, removed afterwards; the host runs inside it.
class HostTest : public ::testing::Test
{
protected:
	void SetUp() override;
	void TearDown() override;

	std::filesystem::path path(const std::string& name) const { return work_ / name; }
	HostRun run(const std::vector<std::string>& arguments) const;
	// run() in two halves, for a test that acts while the host runs.
	pid_t start(const std::vector<std::string>& arguments) const;
	HostRun finish(pid_t pid) const;
	std::set<std::string> filesInWorkDir() const;
	// Changes the host's environment for the runs that follow: a value
	// sets the variable, nullopt removes it.
	void setEnvironment(const std::string& name, std::optional<std::string> value) { environment_[name] = value; }
	// The host's standard input for the runs that follow (by default none).
	void setStandardInput(const std::filesystem::path& file) { input_ = file; }
	// Runs the host as an unprivileged user from now on, where the tests run
	// as root (who may write into any folder); the scratch folders are
	// opened to that user. Answers false when it cannot.
	bool runUnprivileged();

	static const std::string kHost;
	static const std::string kCorvane;

private:
	std::filesystem::path root_;
	std::filesystem::path work_;
	std::map<std::string, std::optional<std::string>> environment_;
	std::filesystem::path input_ = "/dev/null";
	std::vector<std::string> wrapper_;
};

std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);

} // namespace corvane::test
