#include "tests/tools/audiofiles.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace corvane::test
{

namespace
{

// GCC 12's SLP vectoriser drops a (double)(float) round trip when two
// neighbouring stores do it at once (-O2 keeps full double precision), so
// the narrowing goes through memory that it may not elide.
double narrowed(double value)
{
	volatile float single = static_cast<float>(value);
	return single;
}

} // namespace

bool writeAudio(const std::filesystem::path& file, const Audio& audio)
{
	SF_INFO info{};
	info.samplerate = audio.sampleRate;
	info.channels = audio.channels;
	info.format = audio.format;
	SNDFILE* handle = sf_open(file.c_str(), SFM_WRITE, &info);
	if (!handle)
	{
		ADD_FAILURE() << "cannot write " << file << ": " << sf_strerror(nullptr);
		return false;
	}
	for (const auto& [field, value] : audio.tags)
		sf_set_string(handle, field, value.c_str());
	sf_count_t written = sf_writef_double(handle, audio.samples.data(), audio.frames());
	sf_close(handle);
	EXPECT_EQ(written, audio.frames());
	return written == audio.frames();
}

Audio readAudio(const std::filesystem::path& file)
{
	SF_INFO info{};
	SNDFILE* handle = sf_open(file.c_str(), SFM_READ, &info);
	if (!handle)
	{
		ADD_FAILURE() << "cannot read " << file << ": " << sf_strerror(nullptr);
		return {0, 0, 0, {}, {}};
	}
	Audio audio{info.samplerate,
	            info.channels,
	            info.format,
	            std::vector<double>(static_cast<std::size_t>(info.frames * info.channels)),
	            {}};
	EXPECT_EQ(sf_readf_double(handle, audio.samples.data(), info.frames), info.frames);
	for (int field = SF_STR_FIRST; field <= SF_STR_LAST; field++)
		if (const char* value = sf_get_string(handle, field))
			audio.tags.emplace_back(field, value);
	sf_close(handle);
	return audio;
}

Audio mixedStereo(int sampleRate, sf_count_t frames, sf_count_t silentTail)
{
	Audio audio;
	audio.sampleRate = sampleRate;
	audio.samples.assign(static_cast<std::size_t>(frames * 2), 0.0);
	std::uint32_t seed = 12345;
	const double w = 2.0 * std::numbers::pi / sampleRate;
	for (sf_count_t i = 0; i < frames - silentTail; i++)
	{
		auto t = static_cast<double>(i);
		seed = seed * 1664525u + 1013904223u;
		double noise = static_cast<double>(seed >> 8) / (1 << 24) - 0.5;
		double left = 0.4 * std::sin(w * 97.0 * t) + 0.2 * std::sin(w * 1500.0 * t) + 0.1 * noise;
		double right = 0.4 * std::sin(w * 97.0 * t + 1.0) - 0.25 * std::sin(w * 3100.0 * t);
		audio.samples[static_cast<std::size_t>(2 * i)] = narrowed(left);
		audio.samples[static_cast<std::size_t>(2 * i + 1)] = narrowed(right);
	}
	return audio;
}

// Written from the filter's definition: the bilinear high-pass on the
// difference, coefficients recomputed at every block.
std::vector<double> corvaneReference(const Audio& input, float v, int blockSize)
{
	const double epsilon = 1.0 / 4294967295.0;
	const double fs = input.sampleRate;
	double dPrev = 0.0, yPrev = 0.0;
	std::vector<double> out(input.samples.size());
	for (sf_count_t start = 0; start < input.frames(); start += blockSize)
	{
		double r = 4.5 * static_cast<double>(v) + 0.5;
		double alpha = (r / 340.0) * (fs * 4.0);
		double a0 = 1.0 + 2.0 / alpha, a1 = 2.0 / alpha - 1.0;
		for (sf_count_t i = start; i < std::min(start + blockSize, input.frames()); i++)
		{
			auto k = static_cast<std::size_t>(2 * i);
			double left = input.samples[k], right = input.samples[k + 1];
			double s = left + right, d = left - right;
			double y = ((d - dPrev) - a1 * yPrev) / a0 + epsilon;
			dPrev = d;
			yPrev = y;
			out[k] = narrowed((s + y) * 0.5);
			out[k + 1] = narrowed((s - y) * 0.5);
		}
	}
	return out;
}

::testing::AssertionResult samplesMatch(const std::vector<double>& actual, const std::vector<double>& expected,
                                        double relative)
{
	if (actual.size() != expected.size())
		return ::testing::AssertionFailure() << actual.size() << " samples, expected " << expected.size();
	std::size_t mismatches = 0, first = 0;
	for (std::size_t i = 0; i < actual.size(); i++)
		if (std::abs(actual[i] - expected[i]) > relative * std::abs(expected[i]) + 1e-15 && mismatches++ == 0)
			first = i;
	if (mismatches == 0)
		return ::testing::AssertionSuccess();
	return ::testing::AssertionFailure() << mismatches << " samples differ; the first is sample " << first << " (frame "
	                                     << first / 2 << "): " << actual[first] << " instead of " << expected[first];
}

} // namespace corvane::test
