// Where process writes, and in what form: the paths a shell user gives
// (links, FIFOs, standard output and input, read-only folders, the input
// itself), the format an extension asks for, the tags, and clipping.
#include "tests/tools/audiofiles.h"
#include "tests/tools/hostrunner.h"

#include <gmock/gmock.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace corvane::test
{
namespace
{

using ::testing::HasSubstr;
namespace fs = std::filesystem;

// Outputs are floats: results agree to within one rounding of a float.
constexpr double kFloatRounding = 0x1p-23;

class OutputPaths : public HostTest
{
protected:
	void SetUp() override
	{
		HostTest::SetUp();
		input_ = mixedStereo(44100, 5000, 0);
		input_.tags = {{SF_STR_TITLE, "Hall test"}, {SF_STR_ARTIST, "Test Bench"}};
		ASSERT_TRUE(writeAudio(path("in.wav"), input_));
		expected_ = corvaneReference(input_, 0.5f, 512); // 2.75 m is the middle of 0.5 to 5 m
	}

	void expectProcessed(const Audio& out) const
	{
		EXPECT_EQ(out.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
		EXPECT_TRUE(samplesMatch(out.samples, expected_, kFloatRounding));
	}

	HostRun process(const std::string& in, const std::string& out, std::vector<std::string> more = {}) const
	{
		std::vector<std::string> arguments{"process", kCorvane, in, out, "--param", "Loudspeaker Distance=2.75 m"};
		arguments.insert(arguments.end(), more.begin(), more.end());
		return run(arguments);
	}

	Audio input_;
	std::vector<double> expected_;
};

TEST_F(OutputPaths, WritesThroughASymbolicLinkToItsTarget)
{
	fs::create_directory(path("store"));
	writeBytes(path("store/target.wav"), "old contents\n");
	fs::create_symlink("store/target.wav", path("link.wav"));
	HostRun result = process("in.wav", "link.wav");
	ASSERT_EQ(result.exitCode, 0) << result.err;
	EXPECT_TRUE(fs::is_symlink(path("link.wav")));
	expectProcessed(readAudio(path("store/target.wav")));
	EXPECT_EQ(filesInWorkDir(), (std::set<std::string>{"in.wav", "link.wav", "store"}));
	// A link to the input itself: the input is replaced only once complete.
	fs::create_symlink("in.wav", path("self.wav"));
	ASSERT_EQ(process("in.wav", "self.wav").exitCode, 0);
	EXPECT_TRUE(fs::is_symlink(path("self.wav")));
	expectProcessed(readAudio(path("in.wav")));
}

TEST_F(OutputPaths, AFifosReaderGetsTheWholeFile)
{
	ASSERT_EQ(mkfifo(path("pipe").c_str(), 0644), 0);
	std::string received;
	std::thread reader(
	    [&]
	    {
		    int fd = open(path("pipe").c_str(), O_RDONLY);
		    char buffer[4096];
		    for (ssize_t n; fd >= 0 && (n = read(fd, buffer, sizeof buffer)) > 0;)
			    received.append(buffer, static_cast<std::size_t>(n));
		    if (fd >= 0)
			    close(fd);
	    });
	HostRun result = process("in.wav", "pipe");
	reader.join();
	ASSERT_EQ(result.exitCode, 0) << result.err;
	EXPECT_TRUE(fs::is_fifo(path("pipe")));
	writeBytes(path("received.wav"), received);
	expectProcessed(readAudio(path("received.wav")));
}

TEST_F(OutputPaths, DashIsStandardInputAndOutput)
{
	setStandardInput(path("in.wav"));
	HostRun result = process("-", "-");
	ASSERT_EQ(result.exitCode, 0) << result.err;
	EXPECT_THAT(result.err, HasSubstr("written   standard output\n")); // the summary keeps out of the audio
	writeBytes(path("stdout.wav"), result.out);
	expectProcessed(readAudio(path("stdout.wav")));
	EXPECT_EQ(filesInWorkDir(), (std::set<std::string>{"in.wav", "stdout.wav"}));
}

TEST_F(OutputPaths, DevStdoutIsWrittenNotReplaced)
{
	HostRun result = process("in.wav", "/dev/stdout");
	ASSERT_EQ(result.exitCode, 0) << result.err;
	writeBytes(path("stdout.wav"), result.out);
	expectProcessed(readAudio(path("stdout.wav")));
	EXPECT_TRUE(fs::is_character_file("/dev/null"));
	ASSERT_EQ(process("in.wav", "/dev/null").exitCode, 0);
	EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

TEST_F(OutputPaths, AReadOnlyFolderFailsWithOneLineAndLeavesNothing)
{
	fs::create_directory(path("locked"));
	ASSERT_TRUE(runUnprivileged());
	fs::permissions(path("locked"),
	                fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
	HostRun result = process("in.wav", "locked/out.wav");
	EXPECT_EQ(result.exitCode, 1);
	EXPECT_EQ(result.err, "corvane-host: cannot create a file beside 'locked/out.wav': Permission denied\n");
	EXPECT_TRUE(fs::is_empty(path("locked")));
}

TEST_F(OutputPaths, TheExtensionChoosesTheFormatAndTagsAreKept)
{
	ASSERT_EQ(process("in.wav", "out.flac").exitCode, 0);
	Audio flac = readAudio(path("out.flac"));
	EXPECT_EQ(flac.format, SF_FORMAT_FLAC | SF_FORMAT_PCM_24); // FLAC holds no float samples
	ASSERT_EQ(flac.samples.size(), expected_.size());
	for (std::size_t i = 0; i < expected_.size(); i++)
		ASSERT_NEAR(flac.samples[i], expected_[i], 2.0 / (1 << 23)) << "sample " << i;
	EXPECT_EQ(flac.tags, input_.tags);
	ASSERT_EQ(process("in.wav", "out.aiff", {"--float"}).exitCode, 0);
	Audio aiff = readAudio(path("out.aiff"));
	EXPECT_EQ(aiff.format, SF_FORMAT_AIFF | SF_FORMAT_FLOAT);
	EXPECT_EQ(aiff.tags, input_.tags);
	ASSERT_EQ(process("in.wav", "no-extension").exitCode, 0);
	expectProcessed(readAudio(path("no-extension")));
}

TEST_F(OutputPaths, ClippedSamplesAreCountedInAWarning)
{
	Audio loud{44100, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, {0.5, 1.5, -2.0, 0.25, 1.0}, {}};
	ASSERT_TRUE(writeAudio(path("loud.wav"), loud));
	HostRun result = run({"process", FAKE_GAINPLUGIN_PATH, "loud.wav", "loud.flac", "--program", "2"});
	ASSERT_EQ(result.exitCode, 0) << result.err;
	EXPECT_EQ(result.err, "corvane-host: warning: 2 samples beyond full scale were clipped in the 24-bit output "
	                      "'loud.flac'; --float writes 32-bit float samples, which keep them\n");
	HostRun floats = run({"process", FAKE_GAINPLUGIN_PATH, "loud.wav", "loud-out.wav", "--program", "2"});
	EXPECT_EQ(floats.err, "");
	EXPECT_EQ(readAudio(path("loud-out.wav")).samples, loud.samples);
}

TEST_F(OutputPaths, SeveralInputsGoIntoAFolderUnderTheirNames)
{
	Audio other = mixedStereo(44100, 700, 0);
	fs::create_directory(path("sub"));
	ASSERT_TRUE(writeAudio(path("sub/other.wav"), other));
	fs::create_directory(path("done"));
	HostRun result = run({"process", kCorvane, "in.wav", "sub/other.wav", "-o", "done", "--param", "0=0.5"});
	ASSERT_EQ(result.exitCode, 0) << result.err;
	expectProcessed(readAudio(path("done/in.wav")));
	EXPECT_TRUE(
	    samplesMatch(readAudio(path("done/other.wav")).samples, corvaneReference(other, 0.5f, 512), kFloatRounding));
}

} // namespace
} // namespace corvane::test
