#include "tests/tools/hostrunner.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace corvane::test
{

namespace fs = std::filesystem;

const std::string HostTest::kHost = CORVANE_HOST_PATH;
const std::string HostTest::kCorvane = CORVANE_MODULE_PATH;

std::vector<std::string> HostRun::errLines() const
{
	std::vector<std::string> lines;
	std::istringstream stream(err);
	for (std::string line; std::getline(stream, line);)
		lines.push_back(line);
	return lines;
}

void HostTest::SetUp()
{
	std::string pattern = (fs::temp_directory_path() / "corvane-host-test-XXXXXX").string();
	ASSERT_NE(mkdtemp(pattern.data()), nullptr);
	root_ = pattern;
	work_ = root_ / "work";
	fs::create_directory(work_);
	fs::create_directory(root_ / "capture");
}

void HostTest::TearDown()
{
	std::error_code ignored;
	fs::remove_all(root_, ignored);
}

// Output goes to files rather than pipes: no deadlock however much the host
// writes, and the capture files stay out of the directory under test.
pid_t HostTest::start(const std::vector<std::string>& arguments) const
{
	std::string outFile = (root_ / "capture" / "out").string(), errFile = (root_ / "capture" / "err").string();
	posix_spawn_file_actions_t actions;
	posix_spawn_file_actions_init(&actions);
	posix_spawn_file_actions_addopen(&actions, 0, input_.c_str(), O_RDONLY, 0);
	posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
	posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
	posix_spawn_file_actions_addchdir_np(&actions, work_.c_str());

	std::vector<std::string> words = wrapper_;
	words.push_back(kHost);
	words.insert(words.end(), arguments.begin(), arguments.end());
	std::vector<char*> argv;
	for (std::string& word : words)
		argv.push_back(word.data());
	argv.push_back(nullptr);

	// Whatever the test runner ignores, the host starts with the defaults.
	posix_spawnattr_t attributes;
	posix_spawnattr_init(&attributes);
	sigset_t defaults;
	sigemptyset(&defaults);
	for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE})
		sigaddset(&defaults, signal);
	posix_spawnattr_setsigdefault(&attributes, &defaults);
	posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

	std::vector<std::string> variables;
	for (char** entry = environ; *entry; entry++)
	{
		std::string variable = *entry;
		if (!environment_.count(variable.substr(0, variable.find('='))))
			variables.push_back(variable);
	}
	for (const auto& [name, value] : environment_)
		if (value)
			variables.push_back(name + "=" + *value);
	std::vector<char*> envp;
	for (std::string& variable : variables)
		envp.push_back(variable.data());
	envp.push_back(nullptr);

	pid_t pid = 0;
	int spawned = posix_spawnp(&pid, words.front().c_str(), &actions, &attributes, argv.data(), envp.data());
	posix_spawn_file_actions_destroy(&actions);
	posix_spawnattr_destroy(&attributes);
	return spawned == 0 ? pid : -1;
}

HostRun HostTest::finish(pid_t pid) const
{
	HostRun result;
	int status = 0;
	if (pid <= 0 || waitpid(pid, &status, 0) != pid)
	{
		ADD_FAILURE() << "cannot run " << kHost;
		return result;
	}
	result.exited = WIFEXITED(status);
	result.exitCode = result.exited ? WEXITSTATUS(status) : -1;
	result.termSignal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
	result.out = readBytes(root_ / "capture" / "out");
	result.err = readBytes(root_ / "capture" / "err");
	return result;
}

bool HostTest::runUnprivileged()
{
	if (geteuid() != 0)
		return true;
	std::error_code error;
	fs::permissions(root_,
	                fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec | fs::perms::others_read |
	                    fs::perms::others_exec,
	                error);
	wrapper_ = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"};
	return !error;
}

HostRun HostTest::run(const std::vector<std::string>& arguments) const
{
	return finish(start(arguments));
}

std::set<std::string> HostTest::filesInWorkDir() const
{
	std::set<std::string> names;
	for (const auto& entry : fs::directory_iterator(work_))
		names.insert(entry.path().filename().string());
	return names;
}

std::string readBytes(const fs::path& file)
{
	std::ifstream in(file, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const fs::path& file, const std::string& bytes)
{
	std::ofstream(file, std::ios::binary) << bytes;
}

} // namespace corvane::test
