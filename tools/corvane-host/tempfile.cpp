#include "tools/corvane-host/tempfile.h"

#include <fcntl.h>
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

// Writes all of [data, data + size), through short writes and signals.
bool writeAll(int fd, const char* data, std::size_t size)
{
	while (size > 0)
	{
		ssize_t written = write(fd, data, size);
		if (written < 0 && errno == EINTR)
			continue;
		if (written <= 0)
			return false;
		data += written;
		size -= static_cast<std::size_t>(written);
	}
	return true;
}

int scratchFile(std::string& error)
{
	const char* folder = std::getenv("TMPDIR");
	std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/corvane-host-XXXXXX";
	std::vector<char> name(pattern.begin(), pattern.end());
	name.push_back(0);
	int fd = mkstemp(name.data());
	if (fd < 0)
	{
		error = systemError("cannot create a scratch file in", std::string(folder && *folder ? folder : "/tmp"));
		return -1;
	}
	unlink(name.data());
	return fd;
}

// Follows a chain of symbolic links to the file that would be written; a
// dangling link answers its target, which is then created.
std::string resolveLinks(std::string path)
{
	for (int hops = 0; hops < 40; hops++)
	{
		struct stat status = {};
		if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
			return path;
		std::vector<char> target(4096);
		ssize_t length = readlink(path.c_str(), target.data(), target.size() - 1);
		if (length <= 0)
			return path;
		std::string next(target.data(), static_cast<std::size_t>(length));
		auto slash = path.rfind('/');
		if (next.front() != '/' && slash != std::string::npos)
			next = path.substr(0, slash + 1) + next;
		path = next;
	}
	return path;
}

bool writtenDirectly(const std::string& destination)
{
	if (destination.rfind("/dev/", 0) == 0 || destination.rfind("/proc/", 0) == 0)
		return true;
	struct stat status = {};
	return stat(destination.c_str(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
}

} // namespace

int spoolToScratch(int from, const std::string& name, std::string& error)
{
	int fd = scratchFile(error);
	if (fd < 0)
		return -1;
	std::vector<char> buffer(1 << 16);
	for (;;)
	{
		ssize_t got = read(from, buffer.data(), buffer.size());
		if (got < 0 && errno == EINTR)
			continue;
		if (got < 0)
		{
			error = systemError("cannot read", name);
			close(fd);
			return -1;
		}
		if (got == 0)
			break;
		if (!writeAll(fd, buffer.data(), static_cast<std::size_t>(got)))
		{
			error = systemError("cannot keep a copy of", name);
			close(fd);
			return -1;
		}
	}
	lseek(fd, 0, SEEK_SET);
	return fd;
}

std::unique_ptr<TempFile> TempFile::create(const std::string& destination, std::string& error)
{
	std::unique_ptr<TempFile> file(new TempFile);
	file->destination_ = destination;
	if (destination == "-" || writtenDirectly(destination))
	{
		file->direct_ = destination == "-" ? 1 : open(destination.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
		if (file->direct_ < 0)
		{
			error = systemError("cannot write", destination);
			return nullptr;
		}
		struct stat ours = {}, standard = {};
		file->standardOutput_ =
		    file->direct_ == 1 || (fstat(file->direct_, &ours) == 0 && fstat(1, &standard) == 0 &&
		                           ours.st_dev == standard.st_dev && ours.st_ino == standard.st_ino);
		file->fd_ = scratchFile(error);
		if (file->fd_ < 0)
			return nullptr;
		return file;
	}
	std::string target = resolveLinks(destination);
	struct stat status = {};
	if (stat(target.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
	{
		error = "cannot write '" + destination + "': it is a directory";
		return nullptr;
	}
	file->destination_ = target;
	std::string pattern = target + ".tmp-XXXXXX";
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
	if (direct_ > 1)
		close(direct_);
	if (!committed_ && !path_.empty())
		unlink(path_.c_str());
	gPending = 0;
}

bool TempFile::commit(std::string& error)
{
	if (direct_ >= 0)
	{
		std::vector<char> buffer(1 << 16);
		lseek(fd_, 0, SEEK_SET);
		ssize_t got = 0;
		while ((got = read(fd_, buffer.data(), buffer.size())) > 0)
			if (!writeAll(direct_, buffer.data(), static_cast<std::size_t>(got)))
			{
				error = systemError("cannot write", destination_);
				return false;
			}
		committed_ = got == 0;
		if (!committed_)
			error = systemError("cannot read back the output for", destination_);
		return committed_;
	}
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
