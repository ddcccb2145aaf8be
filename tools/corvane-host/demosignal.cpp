#include "tools/corvane-host/demosignal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace corvane::cli
{

namespace
{

constexpr auto kFrames = static_cast<std::size_t>(kDemoSeconds * kDemoSampleRate);
constexpr double kTwoPi = 2.0 * std::numbers::pi;

struct Stereo
{
	std::vector<double> left = std::vector<double>(kFrames);
	std::vector<double> right = std::vector<double>(kFrames);
};

// A small generator of our own: the standard distributions may give other
// numbers with another library, and the demo should sound the same anywhere.
class Noise
{
public:
	explicit Noise(std::uint64_t seed) : state_(seed) {}
	// Uniform in -1 to 1.
	double next()
	{
		state_ ^= state_ << 13;
		state_ ^= state_ >> 7;
		state_ ^= state_ << 17;
		return static_cast<double>(state_ >> 11) * 0x1.0p-52 - 1.0;
	}

private:
	std::uint64_t state_;
};

// Each tone: frequency, gain in each channel (a negative gain puts it out of
// phase, all side), and when it sounds.
struct Tone
{
	double frequency, left, right, start, end;
};

constexpr Tone kTones[] = {
    {220.0, 0.30, 0.30, 0.0, 4.0},  // centre: sum only
    {330.0, 0.25, 0.05, 0.5, 3.5},  // hard left
    {495.0, 0.05, 0.22, 1.0, 4.0},  // hard right
    {110.0, 0.20, -0.20, 1.5, 3.0}, // out of phase: difference only
};

// Short fades keep the tones from clicking in and out.
double envelope(double t, double start, double end)
{
	constexpr double kFade = 0.02;
	if (t < start || t >= end)
		return 0.0;
	return std::min({1.0, (t - start) / kFade, (end - t) / kFade});
}

void addTones(Stereo& s)
{
	for (const Tone& tone : kTones)
		for (std::size_t i = 0; i < kFrames; i++)
		{
			double t = static_cast<double>(i) / kDemoSampleRate;
			double v = std::sin(kTwoPi * tone.frequency * t) * envelope(t, tone.start, tone.end);
			s.left[i] += tone.left * v;
			s.right[i] += tone.right * v;
		}
}

// Independent low-passed noise in each channel: a wide, decorrelated bass,
// the part a near-field filter on the difference changes most.
void addLowRumble(Stereo& s)
{
	constexpr double kCorner = 80.0;
	const double k = 1.0 - std::exp(-kTwoPi * kCorner / kDemoSampleRate);
	Noise left(0x9e3779b97f4a7c15ull), right(0xd1b54a32d192ed03ull);
	double l = 0.0, r = 0.0;
	for (std::size_t i = 0; i < kFrames; i++)
	{
		l += k * (left.next() - l);
		r += k * (right.next() - r);
		s.left[i] += 1.5 * l;
		s.right[i] += 1.5 * r;
	}
}

// Decaying bursts of white noise, each at another place in the image.
void addBursts(Stereo& s)
{
	constexpr double kPan[] = {0.1, 0.9, 0.5, 0.0};
	constexpr double kLength = 0.15, kDecay = 30.0;
	Noise noise(0x2545f4914f6cdd1dull);
	for (std::size_t b = 0; b < std::size(kPan); b++)
	{
		auto start = static_cast<std::size_t>((0.25 + static_cast<double>(b)) * kDemoSampleRate);
		auto length = static_cast<std::size_t>(kLength * kDemoSampleRate);
		for (std::size_t i = 0; i < length; i++)
		{
			double v = 0.3 * noise.next() * std::exp(-kDecay * static_cast<double>(i) / kDemoSampleRate);
			s.left[start + i] += (1.0 - kPan[b]) * v;
			s.right[start + i] += kPan[b] * v;
		}
	}
}

std::vector<double> interleaveNormalised(const Stereo& s)
{
	double peak = 0.0;
	for (std::size_t i = 0; i < kFrames; i++)
		peak = std::max({peak, std::abs(s.left[i]), std::abs(s.right[i])});
	double gain = peak > 0.0 ? kDemoPeak / peak : 0.0;
	std::vector<double> out(kFrames * kDemoChannels);
	for (std::size_t i = 0; i < kFrames; i++)
	{
		out[2 * i] = s.left[i] * gain;
		out[2 * i + 1] = s.right[i] * gain;
	}
	return out;
}

} // namespace

std::vector<double> makeDemoSignal()
{
	Stereo s;
	addTones(s);
	addLowRumble(s);
	addBursts(s);
	return interleaveNormalised(s);
}

SF_INFO demoFormat()
{
	SF_INFO info{};
	info.frames = static_cast<sf_count_t>(kFrames);
	info.samplerate = kDemoSampleRate;
	info.channels = kDemoChannels;
	info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
	return info;
}

} // namespace corvane::cli
