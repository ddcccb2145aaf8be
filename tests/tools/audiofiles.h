// Sound files for the host's tests, and an independent computation of what
// Corvane should make of them.
#pragma once

#include <gtest/gtest.h>
#include <sndfile.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace corvane::test
{

struct Audio
{
	int sampleRate = 44100;
	int channels = 2;
	int format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
	std::vector<double> samples;                   // interleaved
	std::vector<std::pair<int, std::string>> tags; // SF_STR_TITLE and so on

	sf_count_t frames() const { return channels > 0 ? static_cast<sf_count_t>(samples.size()) / channels : 0; }
};

// Fails the test (and answers false) when libsndfile refuses.
bool writeAudio(const std::filesystem::path& file, const Audio& audio);
// An empty Audio, and a failed test, when the file cannot be read.
Audio readAudio(const std::filesystem::path& file);

// Stereo test material: tones panned apart, a decorrelated noise part, and
// a silent tail long enough for the side filter to settle. Every sample is
// a float value, so a 32-bit float file holds it exactly.
Audio mixedStereo(int sampleRate, sf_count_t frames, sf_count_t silentTail);

// Corvane's output for input at normalised distance v, block by block, with
// the filter state carried across blocks; every output narrowed to float.
std::vector<double> corvaneReference(const Audio& input, float v, int blockSize);

// Mismatches beyond a relative tolerance (with a tiny absolute floor), as a
// test assertion naming the first one.
::testing::AssertionResult samplesMatch(const std::vector<double>& actual, const std::vector<double>& expected,
                                        double relative);

} // namespace corvane::test
