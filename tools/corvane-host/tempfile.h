// Where the output goes. A regular file (or a new one) is written beside
// its destination and renamed over it only when everything succeeded, so a
// failure never leaves a half-written or clobbered destination behind, and
// the destination may even be the file being read. A symbolic link is
// written through: the file it points to is replaced, the link stays.
//
// Standard output ("-"), a FIFO, a character device and the paths under
// /dev and /proc are written directly, never replaced; the sound file is
// made in an unlinked scratch file first (libsndfile seeks to finish a
// header) and copied there at the end.
#pragma once

#include <memory>
#include <string>

namespace corvane::cli
{

class TempFile
{
public:
	// Null with one line in error when the destination cannot be written.
	static std::unique_ptr<TempFile> create(const std::string& destination, std::string& error);
	// Removes the file unless it was committed.
	~TempFile();
	TempFile(const TempFile&) = delete;
	TempFile& operator=(const TempFile&) = delete;

	// Where the sound file is written.
	int fd() const { return fd_; }
	// Whether the output goes to standard output (the summary then goes to
	// standard error).
	bool toStandardOutput() const { return standardOutput_; }
	// Flushes and puts the file in place.
	bool commit(std::string& error);

private:
	TempFile() = default;
	std::string destination_;
	std::string path_;
	int fd_ = -1;
	int direct_ = -1; // the destination's own descriptor, when written directly
	bool committed_ = false;
	bool standardOutput_ = false; // "-", /dev/stdout or another name of it
};

// Copies a whole stream (standard input, a FIFO) into an unlinked scratch
// file, so that libsndfile can seek in it. Answers the descriptor, or -1
// with one line in error.
int spoolToScratch(int from, const std::string& name, std::string& error);

} // namespace corvane::cli
