#include "tests/tools/hostrunner.h"

#include <gmock/gmock.h>

#include <csignal>
#include <cstdlib>
#include <regex>

namespace corvane::test
{
namespace
{

using ::testing::HasSubstr;

class InfoCommand : public HostTest
{
protected:
	// The host's output for a plug-in, after checking that it succeeded.
	std::string info(const std::string& plugin)
	{
		HostRun result = run({"info", plugin});
		EXPECT_TRUE(result.exited);
		EXPECT_EQ(result.exitCode, 0) << result.err;
		EXPECT_EQ(result.err, "");
		return result.out;
	}

	// The names listed under "Programs", in order.
	static std::vector<std::string> programNames(const std::string& out)
	{
		std::vector<std::string> names;
		std::istringstream stream(out.substr(out.find("\nPrograms")));
		std::regex row(R"(^\s+\d+  (.*?)(  \(current\))?$)");
		std::smatch match;
		for (std::string line; std::getline(stream, line);)
			if (std::regex_match(line, match, row))
				names.push_back(match[1]);
		return names;
	}
};

TEST_F(InfoCommand, ShowsCorvaneIdentityAndShape)
{
	std::string out = info(kCorvane);
	EXPECT_THAT(out, HasSubstr("Effect name     Corvane\n"));
	EXPECT_THAT(out, HasSubstr("Product         Corvane\n"));
	EXPECT_THAT(out, HasSubstr("Vendor          Halvenor\n"));
	EXPECT_THAT(out, HasSubstr("Vendor version  1000\n"));
	EXPECT_THAT(out, HasSubstr("Unique id       'kVrn' (0x6B56726E)\n"));
	EXPECT_THAT(out, HasSubstr("Category        effect (1)\n"));
	EXPECT_THAT(out, HasSubstr("VST version     2400\n"));
	EXPECT_THAT(out, HasSubstr("Inputs          2\n"));
	EXPECT_THAT(out, HasSubstr("Outputs         2\n"));
	EXPECT_THAT(out, HasSubstr("CanReplacing CanDoubleReplacing"));
}

TEST_F(InfoCommand, ShowsTheDistanceParameterWithItsDisplayAndLabel)
{
	std::string out = info(kCorvane);
	EXPECT_THAT(out, HasSubstr("Parameters (1)\n"));
	EXPECT_TRUE(std::regex_search(out, std::regex(R"(\n  0  Loudspeaker Distance  m +0\.500000 +0\.000000\n)"))) << out;
}

TEST_F(InfoCommand, ListsAllThirtyTwoProgramsByIndexedName)
{
	std::vector<std::string> expected{"Prog1", "Prog2", "Prog3", "Prog4", "Prog5", "Prog6", "Prog7", "Prog8"};
	expected.resize(32, "Init"); // indexed names are the stored ones, unnumbered
	std::string out = info(kCorvane);
	EXPECT_THAT(out, HasSubstr("Programs (32)\n"));
	EXPECT_EQ(programNames(out), expected);
	EXPECT_THAT(out, HasSubstr("  0  Prog1  (current)\n"));
}

TEST_F(InfoCommand, NamesProgramsBySwitchingWhenIndexedNamesAreUnanswered)
{
	std::string out = info(FAKE_GAINPLUGIN_PATH);
	EXPECT_EQ(programNames(out), (std::vector<std::string>{"Quiet", "Half", "Unity"}));
	// The plug-in started on program 1 and must be left there.
	EXPECT_THAT(out, HasSubstr("  1  Half  (current)\n"));
}

TEST_F(InfoCommand, DescribesAPlugInWithoutBaseClasses)
{
	setEnvironment("DISPLAY", ":0"); // the fake answers its size without connecting
	std::string out = info(FAKE_GAINPLUGIN_PATH);
	EXPECT_THAT(out, HasSubstr("Effect name     Fake Gain\n"));
	EXPECT_THAT(out, HasSubstr("Unique id       'fGan' (0x6647616E)\n"));
	EXPECT_THAT(out, HasSubstr("Inputs          1\n"));
	EXPECT_THAT(out, HasSubstr("Flags           HasEditor CanReplacing (0x00000011)\n"));
	EXPECT_THAT(out, HasSubstr("Editor          300 x 120 (top 10, left 20)\n"));
	EXPECT_TRUE(std::regex_search(out, std::regex(R"(\n  0  Gain  x +0\.500 +0\.500000\n)"))) << out;
}

TEST_F(InfoCommand, TellsWhetherTheEditorTakesAScaleFactor)
{
	setEnvironment("DISPLAY", ":0"); // neither fake connects to answer
	EXPECT_THAT(info(FAKE_SCALEEDITOR_PATH), HasSubstr("\nEditor scaling  yes"));
	EXPECT_THAT(info(FAKE_GAINPLUGIN_PATH), HasSubstr("\nEditor scaling  not confirmed"));
}

TEST_F(InfoCommand, ReadsTheDelayOnceSwitchedOnAndTheTail)
{
	std::string out = info(FAKE_LATENCYPLUGIN_PATH);
	EXPECT_THAT(out, HasSubstr("Initial delay   240 samples at 44100 Hz (0 before it is switched on)\n"));
	EXPECT_THAT(out, HasSubstr("Tail            300 samples\n"));
	EXPECT_THAT(info(FAKE_FIRSTDELAY_PATH),
	            HasSubstr("Initial delay   240 samples at 44100 Hz (0 before it is switched on)\n"));
}

TEST_F(InfoCommand, NamesTheCallThatCrashedAfterPrintingWhatItLearnt)
{
	setEnvironment("DISPLAY", ":0");
	// In the sanitizer build AddressSanitizer would catch the crash itself
	// and abort; the host must see the signal a plug-in's crash gives.
	setEnvironment("ASAN_OPTIONS", "handle_segv=0:detect_leaks=0");
	HostRun result = run({"info", FAKE_CRASHPLUGIN_PATH});
	EXPECT_TRUE(result.exited);
	EXPECT_EQ(result.exitCode, 1);
	EXPECT_THAT(result.out, HasSubstr("Effect name     Fake Crash\n"));
	EXPECT_THAT(result.out, HasSubstr("Outputs         2\n"));
	EXPECT_EQ(result.err, "corvane-host: the plug-in crashed (SIGSEGV) while answering effEditGetRect\n");
}

// A reader that is gone before the answers come (info | true) ends the host
// as it ends any program in a pipeline; the plug-in did not crash.
TEST_F(InfoCommand, AReaderThatGoesAwayIsNoCrashOfThePlugIn)
{
	writeBytes(path("pipeline.sh"),
	           "'" + kHost + "' info '" + kCorvane + "' 2>err | true\necho ${PIPESTATUS[0]} >status\n");
	ASSERT_EQ(std::system(("cd '" + path("").string() + "' && bash pipeline.sh").c_str()), 0);
	EXPECT_EQ(readBytes(path("status")), std::to_string(128 + SIGPIPE) + "\n");
	EXPECT_EQ(readBytes(path("err")), "");
}

TEST_F(InfoCommand, SkipsEditorQuestionsWithoutADisplay)
{
	setEnvironment("DISPLAY", std::nullopt);
	std::string out = info(FAKE_CRASHPLUGIN_PATH);
	EXPECT_THAT(out, HasSubstr("Editor          yes (size not asked: no X display)\n"));
	EXPECT_THAT(out, ::testing::Not(HasSubstr("Editor scaling")));
	EXPECT_THAT(out, HasSubstr("Programs (0)\n")); // and it carried on to the end
}

} // namespace
} // namespace corvane::test
