#include "tools/corvane-host/audiofile.h"

#include "tools/corvane-host/tempfile.h"

#include <fcntl.h>
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

bool isStream(const std::string& path)
{
	struct stat status = {};
	return path == "-" || (stat(path.c_str(), &status) == 0 && (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode)));
}

std::string lowered(std::string text)
{
	for (char& c : text)
		if (c >= 'A' && c <= 'Z')
			c = static_cast<char>(c - 'A' + 'a');
	return text;
}

// The major format whose extension libsndfile lists, with the usual
// spellings it does not list; 0 when none.
int majorForExtension(const std::string& path)
{
	auto dot = path.rfind('.');
	auto slash = path.rfind('/');
	if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
		return 0;
	std::string extension = lowered(path.substr(dot + 1));
	if (extension == "aif")
		return SF_FORMAT_AIFF;
	if (extension == "ogg" || extension == "opus")
		return SF_FORMAT_OGG;
	if (extension == "wave")
		return SF_FORMAT_WAV;
	int count = 0;
	sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
	for (int i = 0; i < count; i++)
	{
		SF_FORMAT_INFO info{};
		info.format = i;
		sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info);
		if (info.extension && extension == info.extension)
			return info.format & SF_FORMAT_TYPEMASK;
	}
	return 0;
}

bool valid(int format, const SF_INFO& input, int channels)
{
	SF_INFO probe{};
	probe.format = format;
	probe.samplerate = input.samplerate;
	probe.channels = channels;
	return sf_format_check(&probe) == SF_TRUE;
}

std::string majorName(int major)
{
	SF_FORMAT_INFO info{};
	info.format = major;
	if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof info) == 0 && info.name)
		return info.name;
	return "this format";
}

bool isFixedPoint(int subtype)
{
	switch (subtype)
	{
		case SF_FORMAT_PCM_S8:
		case SF_FORMAT_PCM_U8:
		case SF_FORMAT_PCM_16:
		case SF_FORMAT_PCM_24:
		case SF_FORMAT_PCM_32:
		case SF_FORMAT_ULAW:
		case SF_FORMAT_ALAW:
		case SF_FORMAT_IMA_ADPCM:
		case SF_FORMAT_MS_ADPCM:
		case SF_FORMAT_GSM610:
		case SF_FORMAT_DWVW_12:
		case SF_FORMAT_DWVW_16:
		case SF_FORMAT_DWVW_24:
		case SF_FORMAT_DPCM_8:
		case SF_FORMAT_DPCM_16:
		case SF_FORMAT_ALAC_16:
		case SF_FORMAT_ALAC_20:
		case SF_FORMAT_ALAC_24:
		case SF_FORMAT_ALAC_32: return true;
	}
	return false;
}

} // namespace

bool outputFormat(const std::string& path, const SF_INFO& input, bool floatSamples, SF_INFO& output, std::string& error)
{
	int major = majorForExtension(path);
	if (major == 0)
		major = input.format & SF_FORMAT_TYPEMASK;
	int subtype = input.format & SF_FORMAT_SUBMASK;
	if (floatSamples)
		subtype = SF_FORMAT_FLOAT;
	int format = major | subtype;
	if (!valid(format, output, output.channels))
	{
		if (floatSamples)
		{
			error = majorName(major) + " cannot hold 32-bit float samples of " + std::to_string(output.channels) +
			        " channels; leave out --float or choose another extension";
			return false;
		}
		format = 0;
		for (int candidate : {SF_FORMAT_FLOAT, SF_FORMAT_PCM_24, SF_FORMAT_PCM_16, SF_FORMAT_VORBIS, SF_FORMAT_PCM_S8})
			if (valid(major | candidate, output, output.channels))
			{
				format = major | candidate;
				break;
			}
	}
	if (format == 0)
	{
		error = "cannot write '" + path + "': " + majorName(major) + " cannot hold " + std::to_string(output.channels) +
		        " channels at " + std::to_string(input.samplerate) + " Hz";
		return false;
	}
	output.format = format;
	return true;
}

std::unique_ptr<SoundFileReader> SoundFileReader::open(const std::string& path, std::string& error)
{
	std::unique_ptr<SoundFileReader> reader(new SoundFileReader);
	reader->path_ = path;
	if (isStream(path))
	{
		int source = path == "-" ? 0 : ::open(path.c_str(), O_RDONLY);
		int fd = source < 0 ? -1 : spoolToScratch(source, path == "-" ? "standard input" : path, error);
		if (source > 0)
			close(source);
		if (source < 0)
			error = "cannot read '" + path + "': " + std::strerror(errno);
		if (fd < 0)
			return nullptr;
		reader->file_ = sf_open_fd(fd, SFM_READ, &reader->info_, SF_TRUE);
	}
	else if (!checkReadable(path, error))
		return nullptr;
	else
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

Tags SoundFileReader::tags() const
{
	Tags tags;
	for (int field = SF_STR_FIRST; field <= SF_STR_LAST; field++)
		if (const char* value = sf_get_string(file_, field))
			tags.emplace_back(field, value);
	return tags;
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
                                                       const Tags& tags, std::string& error)
{
	std::unique_ptr<SoundFileWriter> writer(new SoundFileWriter);
	SF_INFO format = info;
	format.frames = 0;
	// The descriptor stays ours: libsndfile's handling of it after a failed
	// open is not something to lean on.
	writer->file_ = sf_open_fd(fd, SFM_WRITE, &format, SF_FALSE);
	if (!writer->file_)
	{
		error = "cannot write '" + path + "' in this format: " + sf_strerror(nullptr);
		return nullptr;
	}
	writer->path_ = path;
	writer->subtype_ = info.format & SF_FORMAT_SUBMASK;
	writer->fixedPoint_ = isFixedPoint(writer->subtype_);
	// Before any sample: some formats put the tags in the header.
	for (const auto& [field, value] : tags)
		sf_set_string(writer->file_, field, value.c_str());
	// Overshoot must clip in integer formats instead of wrapping around.
	sf_command(writer->file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
	return writer;
}

SoundFileWriter::~SoundFileWriter()
{
	if (file_)
		sf_close(file_);
}

std::string SoundFileWriter::sampleDescription() const
{
	switch (subtype_)
	{
		case SF_FORMAT_PCM_S8:
		case SF_FORMAT_PCM_U8: return "8-bit";
		case SF_FORMAT_PCM_16: return "16-bit";
		case SF_FORMAT_PCM_24: return "24-bit";
		case SF_FORMAT_PCM_32: return "32-bit integer";
	}
	return "fixed-point";
}

bool SoundFileWriter::write(const std::vector<double>& interleaved, sf_count_t frames, std::string& error)
{
	if (fixedPoint_)
		for (double sample : interleaved)
			clipped_ += sample > 1.0 || sample < -1.0;
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
