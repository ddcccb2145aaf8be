#include "tests/tools/audiofiles.h"
#include "tests/tools/hostrunner.h"

#include <gmock/gmock.h>

#include <csignal>
#include <regex>
#include <unistd.h>

namespace corvane::test
{
namespace
{

using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kOriginal = "the output file as it was before\n";

struct BadCase
{
	const char* name;
	std::vector<std::string> arguments; // "$CORVANE" and "$FAKE" stand for modules
	const char* message;                // part of what the host must say
	bool usage = false;                 // a usage error: exit 2, then the usage line
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const BadCase& bad, std::ostream* out)
{
	*out << bad.name;
}

std::string expand(const std::string& word)
{
	if (word == "$CORVANE")
		return CORVANE_MODULE_PATH;
	if (word == "$FAKE")
		return FAKE_GAINPLUGIN_PATH;
	if (word == "$NOENTRY")
		return FAKE_NOENTRY_PATH;
	if (word == "$NULLENTRY")
		return FAKE_NULLENTRY_PATH;
	if (word == "$BROKEN")
		return FAKE_BROKENRECORD_PATH;
	return word;
}

// Every case runs in a directory holding good stereo and mono input, a text
// file posing as audio and as a module, and an existing OUT, which must come
// out of the failed run byte for byte as it went in.
class BadInput : public HostTest, public ::testing::WithParamInterface<BadCase>
{
protected:
	void SetUp() override
	{
		HostTest::SetUp();
		ASSERT_TRUE(writeAudio(path("in.wav"), mixedStereo(44100, 2000, 0)));
		ASSERT_TRUE(writeAudio(path("mono.wav"), Audio{44100, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, {0.1, 0.2}, {}}));
		writeBytes(path("text.wav"), "these are words, not samples\n");
		writeBytes(path("text.so"), "these are words, not machine code\n");
		std::filesystem::create_directory(path("folder"));
		writeBytes(path("out.wav"), kOriginal);
	}
};

TEST_P(BadInput, FailsWithOneClearMessageAndLeavesOutputAlone)
{
	const BadCase& bad = GetParam();
	std::vector<std::string> arguments;
	for (const std::string& word : bad.arguments)
		arguments.push_back(expand(word));
	auto before = filesInWorkDir();

	HostRun result = run(arguments);
	ASSERT_TRUE(result.exited) << "crashed: " << result.err;
	EXPECT_EQ(result.exitCode, bad.usage ? 2 : 1) << result.err;
	std::vector<std::string> lines = result.errLines();
	ASSERT_FALSE(lines.empty());
	EXPECT_THAT(lines.front(), StartsWith("corvane-host: "));
	EXPECT_THAT(lines.front(), HasSubstr(bad.message));
	ASSERT_EQ(lines.size(), bad.usage ? 2u : 1u) << result.err;
	if (bad.usage)
	{
		EXPECT_THAT(lines.back(), StartsWith("usage: corvane-host "));
	}
	EXPECT_EQ(readBytes(path("out.wav")), kOriginal);
	EXPECT_EQ(filesInWorkDir(), before); // no temporary file left behind
}

const BadCase kBadCases[] = {
    {"NoArguments", {}, "no command given", true},
    {"UnknownCommand", {"frobnicate", "$CORVANE"}, "unknown command 'frobnicate'", true},
    {"InfoWithoutPlugin", {"info"}, "'info' needs PLUGIN", true},
    {"ProcessWithoutOutput", {"process", "$CORVANE", "in.wav"}, "'process' needs PLUGIN, IN", true},
    {"DemoInPlaceOfOutput", {"process", "$CORVANE", "in.wav", "--demo"}, "--demo stands in place of IN", true},
    {"UnknownOption", {"process", "$CORVANE", "in.wav", "out.wav", "--frob"}, "unknown option '--frob'", true},
    {"OptionWithoutValue", {"process", "$CORVANE", "in.wav", "out.wav", "--block"}, "--block needs a value", true},
    {"ProcessOptionOnInfo", {"info", "$CORVANE", "--double"}, "'info' takes no options", true},
    {"MissingInput", {"process", "$CORVANE", "missing.wav", "out.wav"}, "No such file or directory"},
    {"InputIsADirectory", {"process", "$CORVANE", "folder", "out.wav"}, "'folder': it is a directory"},
    {"InputIsNotAudio", {"process", "$CORVANE", "text.wav", "out.wav"}, "cannot read 'text.wav' as audio: "},
    {"ChannelsZero",
     {"process", "$CORVANE", "in.wav", "out.wav", "--channels", "0"},
     "channel count 0 is out of range",
     true},
    {"TailNegative", {"process", "$CORVANE", "in.wav", "out.wav", "--tail", "-1"}, "tail -1 is out of range", true},
    {"ParameterIndexTooLarge",
     {"process", "$CORVANE", "in.wav", "out.wav", "--param", "1=0.5"},
     "parameter index 1 is out of range",
     true},
    {"ParameterIndexNegative",
     {"process", "$CORVANE", "in.wav", "out.wav", "--param", "-1=0.5"},
     "parameter index -1 is out of range",
     true},
    {"ParameterValueAboveOne",
     {"process", "$CORVANE", "in.wav", "out.wav", "--param", "0=1.5"},
     "outside the normalised range",
     true},
    {"ParameterValueBelowZero",
     {"process", "$CORVANE", "in.wav", "out.wav", "--param", "0=-0.01"},
     "outside the normalised range",
     true},
    {"ParameterValueNotANumber",
     {"process", "$CORVANE", "in.wav", "out.wav", "--param", "0=half"},
     "does not take 'half' as a value of parameter 0",
     true},
    {"ParameterValueNaN",
     {"process", "$CORVANE", "in.wav", "out.wav", "--param", "0=nan"},
     "'nan' is not a number",
     true},
    {"ParameterWithoutValue",
     {"process", "$CORVANE", "in.wav", "out.wav", "--param", "0"},
     "NAME=VALUE or INDEX=VALUE",
     true},
    {"ParameterNameUnknown",
     {"process", "$CORVANE", "in.wav", "out.wav", "--param", "Volume=0.5"},
     "the plug-in has no parameter named 'Volume'",
     true},
    {"OutputFolderMissing", {"process", "$CORVANE", "in.wav", "-o", "nowhere"}, "'nowhere': it is not a folder"},
    {"FloatIntoFlac", {"process", "$CORVANE", "in.wav", "out.flac", "--float"}, "cannot hold 32-bit float samples"},
    {"ProgramTooLarge",
     {"process", "$CORVANE", "in.wav", "out.wav", "--program", "32"},
     "program 32 is out of range",
     true},
    {"ProgramNegative",
     {"process", "$CORVANE", "in.wav", "out.wav", "--program", "-1"},
     "program -1 is out of range",
     true},
    {"BlockSizeZero",
     {"process", "$CORVANE", "in.wav", "out.wav", "--block", "0"},
     "block size 0 is out of range",
     true},
    {"BlockSizeAbsurd",
     {"process", "$CORVANE", "in.wav", "out.wav", "--block", "1048577"},
     "block size 1048577 is out of range",
     true},
    {"BlockSizeOverflowing",
     {"process", "$CORVANE", "in.wav", "out.wav", "--block", "99999999999999999999"},
     "is out of range",
     true},
    {"BlockSizeNotANumber",
     {"process", "$CORVANE", "in.wav", "out.wav", "--block", "12k"},
     "block size '12k' is not a number",
     true},
    {"ScaleZero", {"snapshot", "$FAKE", "out.png", "--scale", "0"}, "scale factor 0 is out of range", true},
    {"ScaleAboveFour", {"snapshot", "$FAKE", "out.png", "--scale=5"}, "scale factor 5 is out of range", true},
    {"ScaleNotANumber", {"edit", "$FAKE", "--scale", "x"}, "scale factor 'x' is not a number", true},
    {"ScaleOnProcess",
     {"process", "$FAKE", "mono.wav", "out.wav", "--scale", "2"},
     "the option --scale belongs to 'edit' and 'snapshot'",
     true},
    {"ModuleMissing", {"process", "missing.so", "in.wav", "out.wav"}, "cannot load plug-in: "},
    {"ModuleIsText", {"process", "text.so", "in.wav", "out.wav"}, "cannot load plug-in: "},
    {"ModuleWithoutEntryPoint", {"process", "$NOENTRY", "in.wav", "out.wav"}, "exports no VSTPluginMain"},
    {"EntryPointAnswersNull", {"info", "$NULLENTRY"}, "answered null"},
    {"RecordWithoutDispatcher", {"info", "$BROKEN"}, "answered a record without a dispatcher"},
    {"RecordWithoutDispatcherInProcess", {"process", "$BROKEN", "in.wav", "out.wav"}, "without a dispatcher"},
    {"DoubleWithoutDoublePath", {"process", "$FAKE", "mono.wav", "out.wav", "--double"}, "double precision"},
    {"OutputIsADirectory", {"process", "$CORVANE", "in.wav", "folder"}, "'folder': it is a directory"},
    {"OutputDirectoryMissing", {"process", "$CORVANE", "in.wav", "nowhere/out.wav"}, "cannot create a file beside"},
    {"BadArgumentWithInputAsOutput", {"process", "$CORVANE", "out.wav", "out.wav"}, "as audio"},
};

INSTANTIATE_TEST_SUITE_P(Cases, BadInput, ::testing::ValuesIn(kBadCases),
                         [](const auto& info) { return std::string(info.param.name); });

class ModuleErrors : public HostTest
{
};

TEST_F(ModuleErrors, NamesTheLoaderProblem)
{
	writeBytes(path("text.so"), "not an ELF file\n");
	HostRun result = run({"info", "text.so"});
	EXPECT_THAT(result.err, HasSubstr("text.so"));
	EXPECT_THAT(result.err, ::testing::AnyOf(HasSubstr("invalid ELF header"), HasSubstr("file too short")));
	result = run({"info", "missing.so"});
	EXPECT_THAT(result.err, HasSubstr("cannot open shared object file"));
}

class Interruption : public HostTest
{
protected:
	// Waits until the host has created its temporary file beside OUT; the
	// bound only keeps a broken host from hanging the test.
	bool waitForTemporaryFile(std::size_t filesBefore)
	{
		for (int i = 0; i < 2000; i++)
		{
			if (filesInWorkDir().size() > filesBefore)
				return true;
			usleep(10000);
		}
		return false;
	}
};

TEST_F(Interruption, RemovesTheTemporaryFileAndLeavesOutputAlone)
{
	ASSERT_TRUE(writeAudio(path("mono.wav"), Audio{44100, 1, SF_FORMAT_WAV | SF_FORMAT_FLOAT, {0.1, 0.2}, {}}));
	writeBytes(path("out.wav"), kOriginal);
	auto before = filesInWorkDir();
	for (int signal : {SIGINT, SIGTERM, SIGHUP})
	{
		pid_t pid = start({"process", FAKE_STALLPLUGIN_PATH, "mono.wav", "out.wav"});
		ASSERT_GT(pid, 0);
		bool started = waitForTemporaryFile(before.size());
		kill(pid, started ? signal : SIGKILL);
		HostRun result = finish(pid);
		ASSERT_TRUE(started) << result.err;
		EXPECT_EQ(result.termSignal, signal); // the usual end of an interrupted program
		EXPECT_EQ(filesInWorkDir(), before) << "signal " << signal;
		EXPECT_EQ(readBytes(path("out.wav")), kOriginal);
	}
}

TEST(HelpCommand, EachCommandHasItsOwnHelpAndTheVersionIsPrinted)
{
	auto output = [](const std::string& words)
	{
		FILE* pipe = popen((std::string(CORVANE_HOST_PATH) + " " + words + " 2>&1").c_str(), "r");
		std::string out;
		char buffer[256];
		while (pipe && std::fgets(buffer, sizeof buffer, pipe))
			out += buffer;
		EXPECT_EQ(pipe ? pclose(pipe) : -1, 0) << words;
		return out;
	};
	EXPECT_THAT(output("process --help"), StartsWith("corvane-host process PLUGIN.so IN OUT [options]\n"));
	EXPECT_THAT(output("help snapshot"), StartsWith("corvane-host snapshot PLUGIN.so OUT.png"));
	EXPECT_THAT(output("info -h"), HasSubstr("  2  usage error"));
	EXPECT_TRUE(std::regex_match(output("--version"), std::regex("corvane-host [0-9]+\\.[0-9]+\\.[0-9]+\n")));
}

TEST(HelpCommand, PrintsUsageAndSucceeds)
{
	for (const char* word : {"--help", "help", "-h"})
	{
		FILE* pipe = popen((std::string(CORVANE_HOST_PATH) + " " + word + " 2>&1").c_str(), "r");
		ASSERT_NE(pipe, nullptr);
		std::string out;
		char buffer[256];
		while (std::fgets(buffer, sizeof buffer, pipe))
			out += buffer;
		EXPECT_EQ(pclose(pipe), 0) << word;
		EXPECT_THAT(out, StartsWith("usage: corvane-host info PLUGIN.so\n")) << word;
	}
}

} // namespace
} // namespace corvane::test
