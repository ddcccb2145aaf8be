// Audio in and out through libsndfile, block by block, as interleaved
// doubles. libsndfile converts from and to whatever the file holds.
#pragma once

#include <sndfile.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace corvane::cli
{

// The text fields of a sound file (SF_STR_TITLE and so on) with their values.
using Tags = std::vector<std::pair<int, std::string>>;

// The format to write: the major format that libsndfile's table gives OUT's
// extension, else the input's; the input's sample type where that format
// takes it, else the best it has (float before 24-bit before 16-bit).
// float asks for 32-bit float samples. False with one line in error when
// the format cannot hold the samples asked for or these channels.
bool outputFormat(const std::string& path, const SF_INFO& input, bool floatSamples, SF_INFO& output,
                  std::string& error);

// Where the frames to process come from: a sound file or a signal in memory.
class SampleSource
{
public:
	virtual ~SampleSource() = default;
	// Format, rate, channels and length; what the output is written as.
	virtual const SF_INFO& info() const = 0;
	// Reads up to frames frames into interleaved (resized to fit). Answers
	// the number read, 0 at the end; false with error set on a read error.
	virtual bool read(std::vector<double>& interleaved, sf_count_t frames, sf_count_t& framesRead,
	                  std::string& error) = 0;
	// The file's tags, kept in the output.
	virtual Tags tags() const { return {}; }
};

class SoundFileReader final : public SampleSource
{
public:
	// Null with one line in error when the file is missing, unreadable or
	// in a format libsndfile does not read. "-" is standard input; it and
	// FIFOs are read whole into a scratch file first.
	static std::unique_ptr<SoundFileReader> open(const std::string& path, std::string& error);
	~SoundFileReader() override;
	SoundFileReader(const SoundFileReader&) = delete;
	SoundFileReader& operator=(const SoundFileReader&) = delete;

	const SF_INFO& info() const override { return info_; }
	bool read(std::vector<double>& interleaved, sf_count_t frames, sf_count_t& framesRead, std::string& error) override;
	Tags tags() const override;

private:
	SoundFileReader() = default;
	SNDFILE* file_ = nullptr;
	SF_INFO info_{};
	std::string path_;
};

class MemorySource final : public SampleSource
{
public:
	// interleaved holds info.frames frames of info.channels channels.
	MemorySource(std::vector<double> interleaved, const SF_INFO& info);

	const SF_INFO& info() const override { return info_; }
	bool read(std::vector<double>& interleaved, sf_count_t frames, sf_count_t& framesRead, std::string& error) override;

private:
	std::vector<double> samples_;
	SF_INFO info_{};
	sf_count_t position_ = 0;
};

// Writes a sound file into a descriptor that the caller owns and closes.
class SoundFileWriter
{
public:
	// path names the file in messages. Null with one line in error when
	// libsndfile cannot write this format.
	static std::unique_ptr<SoundFileWriter> open(int fd, const std::string& path, const SF_INFO& info, const Tags& tags,
	                                             std::string& error);
	~SoundFileWriter();
	SoundFileWriter(const SoundFileWriter&) = delete;
	SoundFileWriter& operator=(const SoundFileWriter&) = delete;

	bool write(const std::vector<double>& interleaved, sf_count_t frames, std::string& error);
	// Finishes the header; the file is complete only after this answered true.
	bool close(std::string& error);
	// Samples beyond full scale that a fixed-point format had to clip.
	long long clipped() const { return clipped_; }
	// "16-bit" and the like, for messages about clipping.
	std::string sampleDescription() const;

private:
	SoundFileWriter() = default;
	SNDFILE* file_ = nullptr;
	bool fixedPoint_ = false;
	int subtype_ = 0;
	long long clipped_ = 0;
	std::string path_;
};

} // namespace corvane::cli
