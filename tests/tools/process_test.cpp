#include "tests/tools/audiofiles.h"
#include "tests/tools/hostrunner.h"

#include <gmock/gmock.h>

#include <cmath>

namespace corvane::test
{
namespace
{

using ::testing::HasSubstr;

constexpr int kRate = 48000;           // not the host's default: the file's rate must reach the plug-in
constexpr sf_count_t kFrames = 40007;  // no whole number of blocks
constexpr sf_count_t kSilence = 25000; // long enough to show the settled offset of the side filter
// Outputs are floats: results agree to within one rounding of a float.
constexpr double kFloatRounding = 0x1p-23;

class ProcessCommand : public HostTest
{
protected:
	void SetUp() override
	{
		HostTest::SetUp();
		input_ = mixedStereo(kRate, kFrames, kSilence);
		ASSERT_TRUE(writeAudio(path("in.wav"), input_));
	}

	// Runs process with the extra arguments and answers what it wrote.
	Audio process(const std::string& plugin, const std::string& in, const std::string& out,
	              const std::vector<std::string>& options)
	{
		std::vector<std::string> arguments{"process", plugin, in, out};
		arguments.insert(arguments.end(), options.begin(), options.end());
		HostRun result = run(arguments);
		EXPECT_TRUE(result.exited);
		EXPECT_EQ(result.exitCode, 0) << result.err;
		return result.exitCode == 0 ? readAudio(path(out)) : Audio{};
	}

	Audio input_;
};

TEST_F(ProcessCommand, MatchesAnIndependentComputationOfTheFilter)
{
	for (float v : {0.0f, 0.37f, 1.0f})
	{
		Audio out = process(kCorvane, "in.wav", "out.wav", {"--param", "0=" + std::to_string(v)});
		EXPECT_EQ(out.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
		EXPECT_EQ(out.sampleRate, kRate);
		EXPECT_TRUE(samplesMatch(out.samples, corvaneReference(input_, v, 512), kFloatRounding)) << "v = " << v;
	}
}

TEST_F(ProcessCommand, DoublePrecisionAndOtherBlockSizesAgreeWithSinglePrecision)
{
	std::vector<double> single = process(kCorvane, "in.wav", "single.wav", {"--param", "0=0.25"}).samples;
	for (auto options :
	     {std::vector<std::string>{"--double"}, {"--block", "1"}, {"--block=1000", "--double"}, {"--block", "1048576"}})
	{
		options.insert(options.end(), {"--param", "0=0.25"});
		Audio out = process(kCorvane, "in.wav", "other.wav", options);
		EXPECT_TRUE(samplesMatch(out.samples, single, kFloatRounding)) << options.front();
	}
}

TEST_F(ProcessCommand, ProgramIsSelectedBeforeParametersAreSet)
{
	Audio program = process(kCorvane, "in.wav", "program.wav", {"--program", "5"});
	EXPECT_TRUE(samplesMatch(program.samples, corvaneReference(input_, 0.675f, 512), kFloatRounding));
	Audio both = process(kCorvane, "in.wav", "both.wav", {"--param", "0=0.25", "--program", "5"});
	EXPECT_TRUE(samplesMatch(both.samples, corvaneReference(input_, 0.25f, 512), kFloatRounding));
}

TEST_F(ProcessCommand, OverwritesItsOwnInputSafely)
{
	Audio out = process(kCorvane, "in.wav", "in.wav", {"--param", "0=0.5"});
	EXPECT_TRUE(samplesMatch(out.samples, corvaneReference(input_, 0.5f, 512), kFloatRounding));
	EXPECT_EQ(filesInWorkDir(), (std::set<std::string>{"in.wav"}));
}

TEST_F(ProcessCommand, KeepsSixteenBitFormatLengthAndRate)
{
	Audio pcm = mixedStereo(22050, 3001, 0);
	pcm.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
	ASSERT_TRUE(writeAudio(path("pcm.wav"), pcm));
	Audio stored = readAudio(path("pcm.wav")); // as quantised on the way in
	Audio out = process(kCorvane, "pcm.wav", "pcm-out.wav", {});
	EXPECT_EQ(out.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
	EXPECT_EQ(out.sampleRate, 22050);
	EXPECT_EQ(out.channels, 2);
	EXPECT_EQ(out.frames(), 3001);
	// Within two steps of 16-bit quantisation of the exact result.
	std::vector<double> expected = corvaneReference(stored, 0.0f, 512);
	ASSERT_EQ(out.samples.size(), expected.size());
	for (std::size_t i = 0; i < expected.size(); i++)
		ASSERT_NEAR(out.samples[i], expected[i], 2.0 / 32768) << "sample " << i;
}

TEST_F(ProcessCommand, PrintsASummary)
{
	HostRun result = run({"process", kCorvane, "in.wav", "out.wav"});
	ASSERT_EQ(result.exitCode, 0) << result.err;
	EXPECT_THAT(result.out, HasSubstr("frames    40007 (0.833 s at 48000 Hz, 2 channels)\n"));
	EXPECT_THAT(result.out, HasSubstr("blocks    79 of up to 512 frames, single precision\n"));
	EXPECT_THAT(result.out, HasSubstr("routing   2 file channels into 2 plug-in inputs, 2 outputs written\n"));
	EXPECT_THAT(result.out, HasSubstr("peak in   "));
	EXPECT_THAT(result.out, HasSubstr("peak out  "));
	EXPECT_EQ(result.err, ""); // no progress bar when standard error is no terminal
}

TEST_F(ProcessCommand, HostsAMonoPlugInThroughTheWholeSequence)
{
	// The stand-in plug-in stays silent unless it was opened, switched on and
	// started, and it has programs with gains of its own.
	Audio mono{8000, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, {0.5, -0.25, 1.0, 0.125, -1.0}, {}};
	ASSERT_TRUE(writeAudio(path("mono.wav"), mono));
	Audio gain = process(FAKE_GAINPLUGIN_PATH, "mono.wav", "gain.wav", {"--param", "0=0.75", "--block", "2"});
	EXPECT_EQ(gain.samples, (std::vector<double>{0.375, -0.1875, 0.75, 0.09375, -0.75}));
	Audio quiet = process(FAKE_GAINPLUGIN_PATH, "mono.wav", "quiet.wav", {"--program", "0"});
	EXPECT_EQ(quiet.samples, (std::vector<double>{0.125, -0.0625, 0.25, 0.03125, -0.25}));
}

TEST_F(ProcessCommand, RunsAMonoPlugInOncePerChannelWithTheSameSettings)
{
	Audio stereo{8000, 2, SF_FORMAT_WAV | SF_FORMAT_FLOAT, {0.5, -0.25, 1.0, 0.125, -1.0, 0.75}, {}};
	ASSERT_TRUE(writeAudio(path("stereo.wav"), stereo));
	Audio out = process(FAKE_GAINPLUGIN_PATH, "stereo.wav", "out.wav", {"--param", "0=0.5", "--block", "2"});
	EXPECT_EQ(out.channels, 2);
	EXPECT_EQ(out.samples, (std::vector<double>{0.25, -0.125, 0.5, 0.0625, -0.5, 0.375}));
}

TEST_F(ProcessCommand, FeedsAMonoFileToTheFirstInputAndSilenceToTheOthers)
{
	Audio mono = mixedStereo(kRate, 3000, 0);
	Audio asStereo = mono; // the same left channel, a silent right one
	mono.channels = 1;
	mono.samples.clear();
	for (std::size_t i = 0; i < asStereo.samples.size(); i += 2)
	{
		mono.samples.push_back(asStereo.samples[i]);
		asStereo.samples[i + 1] = 0.0;
	}
	ASSERT_TRUE(writeAudio(path("mono.wav"), mono));
	Audio out = process(kCorvane, "mono.wav", "out.wav", {"--param", "0=0.3"});
	EXPECT_EQ(out.channels, 2); // the plug-in's outputs
	EXPECT_TRUE(samplesMatch(out.samples, corvaneReference(asStereo, 0.3f, 512), kFloatRounding));
	Audio one = process(kCorvane, "mono.wav", "one.wav", {"--param", "0=0.3", "--channels", "1"});
	EXPECT_EQ(one.channels, 1);
	EXPECT_EQ(one.frames(), 3000);
}

// The stand-in delays output 0 by 240 samples, reports it only once switched
// on, and echoes half the input 300 samples after that on output 1, with a
// tail of 300 samples; its twin tells the delay only in its first process
// call (with a block shorter than the delay, and one longer than the file).
TEST_F(ProcessCommand, AlignsTheOutputByTheDelayAndRendersTheTail)
{
	Audio mono{kRate, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, {}, {}};
	for (int i = 0; i < 1001; i++)
		mono.samples.push_back(static_cast<float>(std::sin(0.01 * i) * 0.5));
	ASSERT_TRUE(writeAudio(path("mono.wav"), mono));
	for (auto [plugin, block] : {std::pair{FAKE_LATENCYPLUGIN_PATH, "512"},
	                             {FAKE_LATENCYPLUGIN_PATH, "7"},
	                             {FAKE_FIRSTDELAY_PATH, "100"},
	                             {FAKE_FIRSTDELAY_PATH, "4096"}})
	{
		Audio out = process(plugin, "mono.wav", "out.wav", {"--block", block});
		ASSERT_EQ(out.channels, 2);
		ASSERT_EQ(out.frames(), 1001 + 300) << block;
		for (sf_count_t i = 0; i < out.frames(); i++)
		{
			double dry = i < 1001 ? mono.samples[static_cast<std::size_t>(i)] : 0.0;
			double echo = i >= 300 ? 0.5 * mono.samples[static_cast<std::size_t>(i - 300)] : 0.0;
			ASSERT_EQ(out.samples[static_cast<std::size_t>(2 * i)], dry) << "frame " << i << ", block " << block;
			ASSERT_FLOAT_EQ(out.samples[static_cast<std::size_t>(2 * i + 1)], echo) << "frame " << i;
		}
	}
	Audio cut = process(FAKE_LATENCYPLUGIN_PATH, "mono.wav", "cut.wav", {"--tail", "0"});
	EXPECT_EQ(cut.frames(), 1001);
	Audio longer = process(FAKE_LATENCYPLUGIN_PATH, "mono.wav", "longer.wav", {"--tail", "0.5"});
	EXPECT_EQ(longer.frames(), 1001 + kRate / 2);
}

class DemoSignal : public HostTest
{
protected:
	static double rms(const std::vector<double>& samples, double sign)
	{
		double sum = 0.0;
		for (std::size_t i = 0; i + 1 < samples.size(); i += 2)
			sum += std::pow(samples[i] + sign * samples[i + 1], 2);
		return std::sqrt(sum / static_cast<double>(samples.size() / 2));
	}
};

TEST_F(DemoSignal, IsFourSecondsOfStereoWithSideContentBelowMinusOneDecibel)
{
	HostRun result = run({"demo", "dry.wav"});
	ASSERT_EQ(result.exitCode, 0) << result.err;
	Audio dry = readAudio(path("dry.wav"));
	EXPECT_EQ(dry.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
	EXPECT_EQ(dry.sampleRate, 44100);
	EXPECT_EQ(dry.channels, 2);
	EXPECT_NEAR(static_cast<double>(dry.frames()) / 44100.0, 4.0, 0.1);
	double peak = 0.0;
	for (double s : dry.samples)
		peak = std::max(peak, std::abs(s));
	EXPECT_LT(peak, std::pow(10.0, -1.0 / 20.0));
	EXPECT_GT(peak, 0.1);
	EXPECT_GT(rms(dry.samples, -1.0), 0.25 * rms(dry.samples, 1.0)); // real difference signal
}

TEST_F(DemoSignal, ProcessedDemoChangesTheSideAndKeepsTheSum)
{
	ASSERT_EQ(run({"demo", "dry.wav"}).exitCode, 0);
	HostRun result = run({"process", kCorvane, "--demo", "wet.wav", "--param", "0=0.1111111"});
	ASSERT_EQ(result.exitCode, 0) << result.err;
	Audio dry = readAudio(path("dry.wav")), wet = readAudio(path("wet.wav"));
	ASSERT_EQ(wet.samples.size(), dry.samples.size());
	EXPECT_EQ(wet.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
	double sumError = 0.0, sideChange = 0.0;
	for (std::size_t i = 0; i < dry.samples.size(); i += 2)
	{
		sumError =
		    std::max(sumError, std::abs((wet.samples[i] + wet.samples[i + 1]) - (dry.samples[i] + dry.samples[i + 1])));
		sideChange = std::max(sideChange,
		                      std::abs((wet.samples[i] - wet.samples[i + 1]) - (dry.samples[i] - dry.samples[i + 1])));
	}
	EXPECT_LT(sumError, 1e-6);
	EXPECT_GT(sideChange, 0.01);
}

} // namespace
} // namespace corvane::test
