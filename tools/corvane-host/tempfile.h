// The output is written to a file beside its destination and renamed over
// it only when everything succeeded, so a failure never leaves a
// half-written or clobbered destination behind, and the destination may
// even be the file being read.
#pragma once

#include <memory>
#include <string>

namespace corvane::cli
{

class TempFile
{
public:
	// Creates "<destination>.tmp-XXXXXX" in the destination's directory.
	// Null with one line in error when that directory does not take files.
	static std::unique_ptr<TempFile> create(const std::string& destination, std::string& error);
	// Removes the file unless it was committed.
	~TempFile();
	TempFile(const TempFile&) = delete;
	TempFile& operator=(const TempFile&) = delete;

	int fd() const { return fd_; }
	// Flushes, closes and renames the file over the destination.
	bool commit(std::string& error);

private:
	TempFile() = default;
	std::string destination_;
	std::string path_;
	int fd_ = -1;
	bool committed_ = false;
};

} // namespace corvane::cli
