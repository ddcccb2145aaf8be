// The command line of corvane-host. Parsing checks everything that can be
// checked without the plug-in; ranges that depend on the plug-in (parameter
// and program counts) are checked once it is loaded.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvane::cli
{

enum class Command
{
	Help,
	Info,
	Process,
	Demo,
	Edit,
	Snapshot,
};

constexpr int kDefaultBlockSize = 512;
// Far beyond any real host; a larger block is a typing mistake, not a wish.
constexpr int kMaxBlockSize = 1 << 20;
// More than any speaker layout or ambisonic order in use.
constexpr int kMaxChannels = 1024;
constexpr double kMaxTailSeconds = 3600.0;

struct ParameterSetting
{
	int index = 0;
	float value = 0.f; // normalised, 0 to 1
};

struct Arguments
{
	Command command = Command::Help;
	std::string plugin;
	std::string input; // empty when demoInput is set
	bool demoInput = false;
	std::string output;
	std::vector<ParameterSetting> parameters; // in command-line order
	std::optional<int> program;
	int blockSize = kDefaultBlockSize;
	bool doublePrecision = false;
	// process: the output's channel count; by default the plug-in's outputs
	// (or, for a mono plug-in run once per channel, the file's channels).
	std::optional<int> channels;
	// process: how long to render beyond the input; by default the
	// plug-in's reported tail.
	std::optional<double> tailSeconds;
	bool log = false; // edit: print every host callback
};

struct ParseResult
{
	bool ok = true;
	bool showUsage = false; // the mistake is in the shape of the command line
	std::string error;
};

// argv as main receives it. Fills arguments only as far as parsing got.
ParseResult parseArguments(int argc, char** argv, Arguments& arguments);

const char* usageText();

} // namespace corvane::cli
