#include "tools/corvane-host/arguments.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace corvane::cli
{

namespace
{

constexpr std::string_view kDemoToken = "--demo";

ParseResult failure(std::string error, bool showUsage = false)
{
	return {false, showUsage, std::move(error)};
}

// Whole-token integers only: "12x" or "" are not numbers. Values beyond long
// long saturate, which every range check then rejects.
std::optional<long long> parseInteger(std::string_view text)
{
	long long value = 0;
	auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
	if (end != text.data() + text.size() || text.empty())
		return std::nullopt;
	if (error == std::errc::result_out_of_range)
		return text.front() == '-' ? std::numeric_limits<long long>::min() : std::numeric_limits<long long>::max();
	if (error != std::errc())
		return std::nullopt;
	return value;
}

// from_chars, unlike strtod, ignores the locale and accepts no leading space.
std::optional<double> parseNumber(std::string_view text)
{
	double value = 0.0;
	auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
	if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
		return std::nullopt;
	return value;
}

ParseResult parseParameter(std::string_view text, Arguments& arguments)
{
	auto equals = text.find('=');
	if (equals == std::string_view::npos)
		return failure("--param needs INDEX=VALUE, not '" + std::string(text) + "'");
	auto index = parseInteger(text.substr(0, equals));
	std::string valueText(text.substr(equals + 1));
	if (!index)
		return failure("parameter index '" + std::string(text.substr(0, equals)) + "' is not a number");
	if (*index < 0 || *index > std::numeric_limits<int>::max())
		return failure("parameter index " + std::string(text.substr(0, equals)) + " is out of range");
	auto value = parseNumber(valueText);
	if (!value)
		return failure("parameter value '" + valueText + "' is not a number");
	if (*value < 0.0 || *value > 1.0)
		return failure("parameter value " + valueText + " is outside the normalised range 0 to 1");
	arguments.parameters.push_back({static_cast<int>(*index), static_cast<float>(*value)});
	return {};
}

ParseResult parseProgram(std::string_view text, Arguments& arguments)
{
	auto program = parseInteger(text);
	if (!program)
		return failure("program '" + std::string(text) + "' is not a number");
	if (*program < 0 || *program > std::numeric_limits<int>::max())
		return failure("program " + std::string(text) + " is out of range");
	arguments.program = static_cast<int>(*program);
	return {};
}

ParseResult parseBlockSize(std::string_view text, Arguments& arguments)
{
	auto size = parseInteger(text);
	if (!size)
		return failure("block size '" + std::string(text) + "' is not a number");
	if (*size < 1 || *size > kMaxBlockSize)
		return failure("block size " + std::string(text) + " is out of range (1 to " + std::to_string(kMaxBlockSize) +
		               ")");
	arguments.blockSize = static_cast<int>(*size);
	return {};
}

ParseResult parseChannels(std::string_view text, Arguments& arguments)
{
	auto count = parseInteger(text);
	if (!count)
		return failure("channel count '" + std::string(text) + "' is not a number");
	if (*count < 1 || *count > kMaxChannels)
		return failure("channel count " + std::string(text) + " is out of range (1 to " +
		               std::to_string(kMaxChannels) + ")");
	arguments.channels = static_cast<int>(*count);
	return {};
}

ParseResult parseTail(std::string_view text, Arguments& arguments)
{
	auto seconds = parseNumber(text);
	if (!seconds)
		return failure("tail '" + std::string(text) + "' is not a number of seconds");
	if (*seconds < 0.0 || *seconds > kMaxTailSeconds)
		return failure("tail " + std::string(text) + " is out of range (0 to 3600 seconds)");
	arguments.tailSeconds = *seconds;
	return {};
}

bool takesValue(std::string_view option)
{
	return option == "--param" || option == "--program" || option == "--block" || option == "--channels" ||
	       option == "--tail";
}

ParseResult applyOption(std::string_view option, std::string_view value, Arguments& arguments)
{
	if (option == "--param")
		return parseParameter(value, arguments);
	if (option == "--program")
		return parseProgram(value, arguments);
	if (option == "--channels")
		return parseChannels(value, arguments);
	if (option == "--tail")
		return parseTail(value, arguments);
	return parseBlockSize(value, arguments);
}

// The tokens that are not options, and whether any processing option came.
struct Split
{
	std::vector<std::string> positional;
	bool processingOptions = false;
	bool log = false;
	bool help = false;
};

// Takes "--name value" and "--name=value" alike.
ParseResult splitOption(const std::vector<std::string>& tokens, std::size_t& i, Split& split, Arguments& arguments)
{
	std::string_view token = tokens[i];
	auto equals = token.find('=');
	std::string_view name = token.substr(0, equals);
	if (!takesValue(name))
		return failure("unknown option '" + std::string(token) + "'", true);
	split.processingOptions = true;
	if (equals != std::string_view::npos)
		return applyOption(name, token.substr(equals + 1), arguments);
	if (i + 1 >= tokens.size())
		return failure("option " + std::string(name) + " needs a value", true);
	return applyOption(name, tokens[++i], arguments);
}

ParseResult splitTokens(const std::vector<std::string>& tokens, Split& split, Arguments& arguments)
{
	for (std::size_t i = 0; i < tokens.size(); i++)
	{
		const std::string& token = tokens[i];
		if (token == "--help" || token == "-h")
			split.help = true;
		else if (token == "--double")
			split.processingOptions = arguments.doublePrecision = true;
		else if (token == "--log")
			split.log = arguments.log = true;
		else if (token == kDemoToken || token.size() < 2 || token[0] != '-')
			split.positional.push_back(token);
		else if (auto result = splitOption(tokens, i, split, arguments); !result.ok)
			return result;
	}
	return {};
}

ParseResult assignProcess(const Split& split, Arguments& arguments)
{
	const auto& p = split.positional;
	if (p.size() != 4)
		return failure("'process' needs PLUGIN, IN (or --demo) and OUT", true);
	arguments.plugin = p[1];
	arguments.demoInput = p[2] == kDemoToken;
	arguments.input = arguments.demoInput ? std::string() : p[2];
	arguments.output = p[3];
	if (p[1] == kDemoToken || p[3] == kDemoToken)
		return failure("--demo stands in place of IN only", true);
	return {};
}

// info and demo take one file and no processing options.
ParseResult assignSingle(const Split& split, std::string& target, const char* what)
{
	const auto& p = split.positional;
	std::string name = p[0];
	if (p.size() != 2 || p[1] == kDemoToken)
		return failure("'" + name + "' needs " + what, true);
	if (split.processingOptions || split.log)
		return failure("the options --param, --program, --block and --double belong to 'process'", true);
	target = p[1];
	return {};
}

// edit and snapshot take the plug-in (and the picture), programs and
// parameters, but nothing about audio.
ParseResult assignEditor(const Split& split, Arguments& arguments)
{
	const auto& p = split.positional;
	bool snapshot = arguments.command == Command::Snapshot;
	if (p.size() != (snapshot ? 3u : 2u))
		return failure(snapshot ? "'snapshot' needs PLUGIN and OUT.png" : "'edit' needs PLUGIN", true);
	if (arguments.doublePrecision || arguments.blockSize != kDefaultBlockSize || arguments.channels || arguments.tailSeconds)
		return failure("the options --block, --double, --channels and --tail belong to 'process'", true);
	if (split.log && snapshot)
		return failure("the option --log belongs to 'edit'", true);
	arguments.plugin = p[1];
	if (snapshot)
		arguments.output = p[2];
	return {};
}

ParseResult assignCommand(const Split& split, Arguments& arguments)
{
	const std::string& name = split.positional.front();
	if (name == "help")
		arguments.command = Command::Help;
	else if (name == "info")
		arguments.command = Command::Info;
	else if (name == "process")
		arguments.command = Command::Process;
	else if (name == "demo")
		arguments.command = Command::Demo;
	else if (name == "edit")
		arguments.command = Command::Edit;
	else if (name == "snapshot")
		arguments.command = Command::Snapshot;
	else
		return failure("unknown command '" + name + "'", true);

	switch (arguments.command)
	{
		case Command::Info: return assignSingle(split, arguments.plugin, "PLUGIN");
		case Command::Demo: return assignSingle(split, arguments.output, "OUT");
		case Command::Process: return assignProcess(split, arguments);
		case Command::Edit:
		case Command::Snapshot: return assignEditor(split, arguments);
		case Command::Help: break;
	}
	return {};
}

} // namespace

ParseResult parseArguments(int argc, char** argv, Arguments& arguments)
{
	std::vector<std::string> tokens(argv + (argc > 0 ? 1 : 0), argv + argc);
	if (tokens.empty())
		return failure("no command given", true);
	Split split;
	if (auto result = splitTokens(tokens, split, arguments); !result.ok)
		return result;
	if (split.help)
	{
		arguments.command = Command::Help;
		return {};
	}
	if (split.positional.empty())
		return failure("no command given", true);
	return assignCommand(split, arguments);
}

const char* usageText()
{
	return "usage: corvane-host info PLUGIN.so\n"
	       "       corvane-host process PLUGIN.so IN OUT [options]\n"
	       "       corvane-host process PLUGIN.so --demo OUT [options]\n"
	       "       corvane-host demo OUT.wav\n"
	       "       corvane-host edit PLUGIN.so [--log] [--param I=V]... [--program N]\n"
	       "       corvane-host snapshot PLUGIN.so OUT.png [--param I=V]... [--program N]\n"
	       "       corvane-host --help\n"
	       "\n"
	       "Hosts any Linux VST 2.4 effect from the command line.\n"
	       "\n"
	       "  info      names, id, category, flags, parameters, programs and editor size\n"
	       "  process   runs IN through the plug-in into OUT, in IN's file format;\n"
	       "            --demo in place of IN uses a built-in 4 s stereo test signal\n"
	       "            (OUT is then a 32-bit float WAV)\n"
	       "  demo      writes that test signal, unprocessed, as a 32-bit float WAV\n"
	       "  edit      opens the plug-in's editor in a window of its own until it is closed;\n"
	       "            --log prints every host callback the plug-in makes\n"
	       "  snapshot  opens the editor, waits for its first paint and saves it as PNG\n"
	       "            (both need an X display)\n"
	       "\n"
	       "options of process (--param and --program also of edit and snapshot):\n"
	       "  --param I=V   set parameter I to the normalised value V (0 to 1); repeatable\n"
	       "  --program N   select program N before the parameters are set\n"
	       "  --block N     frames per processing call (default 512, at most 1048576)\n"
	       "  --double      process in double precision (processDoubleReplacing)\n";
}

} // namespace corvane::cli
