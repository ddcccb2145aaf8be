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
	Version,
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
// Editor scale factors: no display is drawn at less than its nominal size,
// and none in use needs more than four device pixels to a point.
constexpr double kMinScale = 1.0;
constexpr double kMaxScale = 4.0;

// --param KEY=VALUE as given; the plug-in resolves it (see processor.h).
// KEY is a parameter index or name; VALUE a bare number (normalised, 0 to
// 1) or text for the plug-in to read ("2 m").
struct ParameterSetting
{
	std::string key;
	std::optional<int> index; // when key is a number
	std::string value;
	std::optional<float> normalised; // when value is a bare number
};

struct Arguments
{
	Command command = Command::Help;
	// With Command::Help: the command whose help was asked for, if any.
	std::optional<Command> helpFor;
	std::string plugin;
	std::string input; // empty when demoInput is set
	bool demoInput = false;
	std::string output;
	// process IN... -o DIR: every input, each written into DIR by its name.
	std::vector<std::string> inputs;
	std::string outputDirectory;
	bool floatSamples = false;                // process: write 32-bit float samples
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
	// edit and snapshot: the factor asked of the editor; without it the
	// host asks nothing and the plug-in picks its own.
	std::optional<float> scale;
};

struct ParseResult
{
	bool ok = true;
	std::string error;
};

// argv as main receives it. Fills arguments only as far as parsing got.
ParseResult parseArguments(int argc, char** argv, Arguments& arguments);

// The whole help (--help), and each command's (COMMAND --help).
std::string helpText();
std::string commandHelp(Command command);
// The one usage line of a command, printed after a usage error.
std::string usageLine(Command command);

} // namespace corvane::cli
