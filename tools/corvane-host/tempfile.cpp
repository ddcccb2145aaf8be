#include "tools/corvane-host/tempfile.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace corvane::cli
{

namespace
{

std::string systemError(const std::string& what, const std::string& path)
{
	return what + " '" + path + "': " + std::strerror(errno);
}

// mkstemp creates files readable by the owner only; an output file should
// get the permissions any other new file would.
void giveUsualPermissions(int fd)
{
	mode_t mask = umask(0);
	umask(mask);
	fchmod(fd, 0666 & ~mask);
}

// An interrupted run (Ctrl-C on a long file) must not leave the temporary
// file behind either. A signal handler may only make async-signal-safe
// calls, so the path waits for it in a fixed buffer.
std::array<char, 4096> gPendingPath{};
volatile std::sig_atomic_t gPending = 0;

extern "C" void removePendingFile(int signal)
{
	if (gPending)
		unlink(gPendingPath.data());
	raise(signal); // delivered with the default action once this returns
}

void removeOnSignals(const std::string& path)
{
	if (path.size() >= gPendingPath.size())
		return;
	std::memcpy(gPendingPath.data(), path.c_str(), path.size() + 1);
	gPending = 1;
	struct sigaction action = {};
	action.sa_handler = removePendingFile;
	action.sa_flags = SA_RESETHAND;
	// A signal ignored on purpose (nohup) stays ignored.
	for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE})
	{
		struct sigaction previous = {};
		if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN)
			sigaction(signal, &action, nullptr);
	}
}

} // namespace

std::unique_ptr<TempFile> TempFile::create(const std::string& destination, std::string& error)
{
	struct stat status = {};
	if (stat(destination.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
	{
		error = "cannot write '" + destination + "': it is a directory";
		return nullptr;
	}
	std::unique_ptr<TempFile> file(new TempFile);
	file->destination_ = destination;
	std::string pattern = destination + ".tmp-XXXXXX";
	std::vector<char> name(pattern.begin(), pattern.end());
	name.push_back(0);
	file->fd_ = mkstemp(name.data());
	if (file->fd_ < 0)
	{
		error = systemError("cannot create a file beside", destination);
		return nullptr;
	}
	file->path_ = name.data();
	removeOnSignals(file->path_);
	giveUsualPermissions(file->fd_);
	return file;
}

TempFile::~TempFile()
{
	if (fd_ >= 0)
		close(fd_);
	if (!committed_ && !path_.empty())
		unlink(path_.c_str());
	gPending = 0;
}

bool TempFile::commit(std::string& error)
{
	if (fsync(fd_) != 0 || close(fd_) != 0)
	{
		fd_ = -1;
		error = systemError("cannot finish writing", destination_);
		return false;
	}
	fd_ = -1;
	if (rename(path_.c_str(), destination_.c_str()) != 0)
	{
		error = systemError("cannot replace", destination_);
		return false;
	}
	committed_ = true;
	return true;
}

} // namespace corvane::cli
