#include "tools/corvane-host/audiofile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace corvane::cli
{

namespace
{

// libsndfile reports a missing file as a generic "System error"; saying it
// ourselves first gives the reason in plain words.
bool checkReadable(const std::string& path, std::string& error)
{
	struct stat status = {};
	if (stat(path.c_str(), &status) != 0 || access(path.c_str(), R_OK) != 0)
	{
		error = "cannot read '" + path + "': " + std::strerror(errno);
		return false;
	}
	if (S_ISDIR(status.st_mode))
	{
		error = "cannot read '" + path + "': it is a directory";
		return false;
	}
	return true;
}

} // namespace

std::unique_ptr<SoundFileReader> SoundFileReader::open(const std::string& path, std::string& error)
{
	if (!checkReadable(path, error))
		return nullptr;
	std::unique_ptr<SoundFileReader> reader(new SoundFileReader);
	reader->path_ = path;
	reader->file_ = sf_open(path.c_str(), SFM_READ, &reader->info_);
	if (!reader->file_)
	{
		error = "cannot read '" + path + "' as audio: " + sf_strerror(nullptr);
		return nullptr;
	}
	if (reader->info_.channels < 1 || reader->info_.samplerate < 1)
	{
		error = "cannot read '" + path + "' as audio: it declares no channels or no sample rate";
		return nullptr;
	}
	return reader;
}

SoundFileReader::~SoundFileReader()
{
	if (file_)
		sf_close(file_);
}

bool SoundFileReader::read(std::vector<double>& interleaved, sf_count_t frames, sf_count_t& framesRead,
                           std::string& error)
{
	interleaved.resize(static_cast<std::size_t>(frames * info_.channels));
	framesRead = sf_readf_double(file_, interleaved.data(), frames);
	if (framesRead < frames && sf_error(file_) != SF_ERR_NO_ERROR)
	{
		error = "error reading '" + path_ + "': " + sf_strerror(file_);
		return false;
	}
	return true;
}

MemorySource::MemorySource(std::vector<double> interleaved, const SF_INFO& info)
: samples_(std::move(interleaved)), info_(info)
{
}

bool MemorySource::read(std::vector<double>& interleaved, sf_count_t frames, sf_count_t& framesRead, std::string&)
{
	framesRead = std::min(frames, info_.frames - position_);
	auto channels = static_cast<std::size_t>(info_.channels);
	auto first = samples_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(position_) * channels);
	interleaved.assign(first, first + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(framesRead) * channels));
	position_ += framesRead;
	return true;
}

std::unique_ptr<SoundFileWriter> SoundFileWriter::open(int fd, const std::string& path, const SF_INFO& info,
                                                       std::string& error)
{
	std::unique_ptr<SoundFileWriter> writer(new SoundFileWriter);
	SF_INFO format = info;
	format.frames = 0;
	// The descriptor stays ours: libsndfile's handling of it after a failed
	// open is not something to lean on.
	writer->file_ = sf_open_fd(fd, SFM_WRITE, &format, SF_FALSE);
	if (!writer->file_)
	{
		error = "cannot write '" + path + "' in the input's format: " + sf_strerror(nullptr);
		return nullptr;
	}
	writer->path_ = path;
	// Overshoot must clip in integer formats instead of wrapping around.
	sf_command(writer->file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
	return writer;
}

SoundFileWriter::~SoundFileWriter()
{
	if (file_)
		sf_close(file_);
}

bool SoundFileWriter::write(const std::vector<double>& interleaved, sf_count_t frames, std::string& error)
{
	if (sf_writef_double(file_, interleaved.data(), frames) != frames)
	{
		error = "error writing '" + path_ + "': " + sf_strerror(file_);
		return false;
	}
	return true;
}

bool SoundFileWriter::close(std::string& error)
{
	int result = sf_close(file_);
	file_ = nullptr;
	if (result != 0)
	{
		error = "error finishing '" + path_ + "': " + sf_error_number(result);
		return false;
	}
	return true;
}

} // namespace corvane::cli
