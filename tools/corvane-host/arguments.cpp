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

ParseResult failure(std::string error)
{
	return {false, std::move(error)};
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

// Words that from_chars reads as numbers but no one means as a value.
bool looksNumeric(std::string_view text)
{
	return !text.empty() && text.find_first_not_of("0123456789.+-eE") == std::string_view::npos;
}

ParseResult parseParameter(std::string_view text, Arguments& arguments)
{
	auto equals = text.find('=');
	if (equals == std::string_view::npos || equals == 0)
		return failure("--param needs NAME=VALUE or INDEX=VALUE, not '" + std::string(text) + "'");
	ParameterSetting setting;
	setting.key = std::string(text.substr(0, equals));
	setting.value = std::string(text.substr(equals + 1));
	if (looksNumeric(setting.key))
	{
		auto index = parseInteger(setting.key);
		if (!index)
			return failure("parameter index '" + setting.key + "' is not a whole number");
		if (*index < 0 || *index > std::numeric_limits<int>::max())
			return failure("parameter index " + setting.key + " is out of range");
		setting.index = static_cast<int>(*index);
	}
	if (setting.value.empty())
		return failure("--param " + setting.key + "= needs a value");
	if (setting.value == "nan" || setting.value == "inf" || setting.value == "-inf")
		return failure("parameter value '" + setting.value + "' is not a number");
	if (looksNumeric(setting.value))
	{
		auto value = parseNumber(setting.value);
		if (!value)
			return failure("parameter value '" + setting.value + "' is not a number");
		if (*value < 0.0 || *value > 1.0)
			return failure("parameter value " + setting.value +
			               " is outside the normalised range 0 to 1 (give a unit, as in '2 m', for the plug-in "
			               "to read it as text)");
		setting.normalised = static_cast<float>(*value);
	}
	arguments.parameters.push_back(std::move(setting));
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
		return failure("channel count " + std::string(text) + " is out of range (1 to " + std::to_string(kMaxChannels) +
		               ")");
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

ParseResult parseScale(std::string_view text, Arguments& arguments)
{
	auto factor = parseNumber(text);
	if (!factor)
		return failure("scale factor '" + std::string(text) + "' is not a number");
	if (*factor < kMinScale || *factor > kMaxScale)
		return failure("scale factor " + std::string(text) + " is out of range (1 to 4)");
	arguments.scale = static_cast<float>(*factor);
	return {};
}

bool takesValue(std::string_view option)
{
	return option == "--param" || option == "--program" || option == "--block" || option == "--channels" ||
	       option == "--tail" || option == "-o" || option == "--output-dir" || option == "--scale";
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
	if (option == "--scale")
		return parseScale(value, arguments);
	if (option == "-o" || option == "--output-dir")
	{
		if (value.empty())
			return failure("-o needs a folder");
		arguments.outputDirectory = std::string(value);
		return {};
	}
	return parseBlockSize(value, arguments);
}

// The tokens that are not options, and which option families came.
struct Split
{
	std::vector<std::string> positional;
	bool audioOptions = false;   // --block, --double, --channels, --tail, --float, -o
	bool settingOptions = false; // --param, --program
	bool editorOptions = false;  // --scale
	bool log = false;
	bool help = false;
	bool version = false;
};

// Takes "--name value" and "--name=value" alike.
ParseResult splitOption(const std::vector<std::string>& tokens, std::size_t& i, Split& split, Arguments& arguments)
{
	std::string_view token = tokens[i];
	auto equals = token.find('=');
	std::string_view name = token.substr(0, equals);
	if (!takesValue(name))
		return failure("unknown option '" + std::string(token) + "'");
	if (name == "--param" || name == "--program")
		split.settingOptions = true;
	else if (name == "--scale")
		split.editorOptions = true;
	else
		split.audioOptions = true;
	if (equals != std::string_view::npos)
		return applyOption(name, token.substr(equals + 1), arguments);
	if (i + 1 >= tokens.size())
		return failure("option " + std::string(name) + " needs a value");
	return applyOption(name, tokens[++i], arguments);
}

ParseResult splitTokens(const std::vector<std::string>& tokens, Split& split, Arguments& arguments)
{
	for (std::size_t i = 0; i < tokens.size(); i++)
	{
		const std::string& token = tokens[i];
		if (token == "--help" || token == "-h")
			split.help = true;
		else if (token == "--version")
			split.version = true;
		else if (token == "--double")
			split.audioOptions = arguments.doublePrecision = true;
		else if (token == "--float")
			split.audioOptions = arguments.floatSamples = true;
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
	if (!arguments.outputDirectory.empty())
	{
		if (p.size() < 3)
			return failure("'process' with -o DIR needs PLUGIN and at least one IN");
		arguments.plugin = p[1];
		for (std::size_t i = 2; i < p.size(); i++)
		{
			if (p[i] == kDemoToken || p[i] == "-")
				return failure("with -o DIR every IN is a file (not --demo or -)");
			arguments.inputs.push_back(p[i]);
		}
		return {};
	}
	if (p.size() != 4)
		return failure("'process' needs PLUGIN, IN (or --demo) and OUT, or PLUGIN, IN... and -o DIR");
	arguments.plugin = p[1];
	arguments.demoInput = p[2] == kDemoToken;
	arguments.input = arguments.demoInput ? std::string() : p[2];
	arguments.output = p[3];
	if (p[1] == kDemoToken || p[3] == kDemoToken)
		return failure("--demo stands in place of IN only");
	return {};
}

// info and demo take one file and no processing options.
ParseResult assignSingle(const Split& split, std::string& target, const char* what)
{
	const auto& p = split.positional;
	std::string name = p[0];
	if (p.size() != 2 || p[1] == kDemoToken)
		return failure("'" + name + "' needs " + what);
	if (split.audioOptions || split.settingOptions || split.log)
		return failure("'" + name + "' takes no options");
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
		return failure(snapshot ? "'snapshot' needs PLUGIN and OUT.png" : "'edit' needs PLUGIN");
	if (split.audioOptions)
		return failure("the options --block, --double, --float, --channels, --tail and -o belong to 'process'");
	if (split.log && snapshot)
		return failure("the option --log belongs to 'edit'");
	arguments.plugin = p[1];
	if (snapshot)
		arguments.output = p[2];
	return {};
}

std::optional<Command> commandNamed(const std::string& name)
{
	if (name == "help")
		return Command::Help;
	if (name == "info")
		return Command::Info;
	if (name == "process")
		return Command::Process;
	if (name == "demo")
		return Command::Demo;
	if (name == "edit")
		return Command::Edit;
	if (name == "snapshot")
		return Command::Snapshot;
	return std::nullopt;
}

ParseResult assignCommand(const Split& split, Arguments& arguments)
{
	const std::string& name = split.positional.front();
	auto command = commandNamed(name);
	if (!command)
		return failure("unknown command '" + name + "'");
	arguments.command = *command;
	if (split.log && arguments.command != Command::Edit)
		return failure("the option --log belongs to 'edit'");
	if (split.editorOptions && arguments.command != Command::Edit && arguments.command != Command::Snapshot)
		return failure("the option --scale belongs to 'edit' and 'snapshot'");
	if (split.audioOptions && arguments.command != Command::Process && arguments.command != Command::Edit &&
	    arguments.command != Command::Snapshot)
		return failure("'" + name + "' takes no options");
	if (split.settingOptions && (arguments.command == Command::Info || arguments.command == Command::Demo))
		return failure("'" + name + "' takes no options");
	if (!arguments.outputDirectory.empty() && arguments.command != Command::Process)
		return failure("the option -o belongs to 'process'");

	switch (arguments.command)
	{
		case Command::Info: return assignSingle(split, arguments.plugin, "PLUGIN");
		case Command::Demo: return assignSingle(split, arguments.output, "OUT");
		case Command::Process: return assignProcess(split, arguments);
		case Command::Edit:
		case Command::Snapshot: return assignEditor(split, arguments);
		case Command::Help:
			if (split.positional.size() > 1)
			{
				arguments.helpFor = commandNamed(split.positional[1]);
				if (!arguments.helpFor || *arguments.helpFor == Command::Help)
					return failure("no help on '" + split.positional[1] + "': it is no command");
			}
			break;
		case Command::Version: break;
	}
	return {};
}

} // namespace

ParseResult parseArguments(int argc, char** argv, Arguments& arguments)
{
	std::vector<std::string> tokens(argv + (argc > 0 ? 1 : 0), argv + argc);
	if (tokens.empty())
		return failure("no command given");
	Split split;
	ParseResult result = splitTokens(tokens, split, arguments);
	// Help and version win over any other mistake on the line.
	if (split.help)
	{
		arguments.command = Command::Help;
		if (!split.positional.empty())
			arguments.helpFor = commandNamed(split.positional.front());
		if (arguments.helpFor == Command::Help)
			arguments.helpFor.reset();
		return {};
	}
	if (split.version)
	{
		arguments.command = Command::Version;
		return {};
	}
	if (!result.ok)
	{
		if (!split.positional.empty())
			if (auto command = commandNamed(split.positional.front()))
				arguments.command = *command;
		return result;
	}
	if (split.positional.empty())
		return failure("no command given");
	return assignCommand(split, arguments);
}

std::string usageLine(Command command)
{
	switch (command)
	{
		case Command::Info: return "usage: corvane-host info PLUGIN.so";
		case Command::Process:
			return "usage: corvane-host process PLUGIN.so IN OUT [options]   or   process PLUGIN.so IN... -o DIR "
			       "[options]";
		case Command::Demo: return "usage: corvane-host demo OUT.wav";
		case Command::Edit:
			return "usage: corvane-host edit PLUGIN.so [--log] [--scale F] [--param KEY=VALUE]... [--program N]";
		case Command::Snapshot:
			return "usage: corvane-host snapshot PLUGIN.so OUT.png [--scale F] [--param KEY=VALUE]... [--program N]";
		case Command::Help:
		case Command::Version: break;
	}
	return "usage: corvane-host COMMAND ARGUMENTS... (corvane-host --help lists them)";
}

namespace
{

const char* kSettingsHelp = "  --param KEY=VALUE  set a parameter before anything runs; repeatable, in order.\n"
                            "                     KEY is the parameter's index or its name as 'info' lists it\n"
                            "                     (any case). VALUE is a bare number, the normalised value 0 to 1,\n"
                            "                     or text that the plug-in reads as it displays it, such as\n"
                            "                     \"Loudspeaker Distance=2 m\" (effString2Parameter)\n"
                            "  --program N        select program N before the parameters are set\n";

const char* kScaleHelp = "  --scale F          ask the plug-in to draw its editor F times its own size (1 to 4,\n"
                         "                     such as 1.5 or 2), as for a HiDPI screen; the window takes the\n"
                         "                     size the plug-in then reports. A plug-in that does not confirm\n"
                         "                     the factor gets a warning: it may be drawn at its own size\n"
                         "                     (some take the factor without saying so). Without the option\n"
                         "                     nothing is asked: the plug-in picks its own scale\n";

const char* kInfoHelp = "corvane-host info PLUGIN.so\n"
                        "\n"
                        "Prints the plug-in's names, id, category, inputs and outputs, flags, initial delay\n"
                        "(read once it is switched on), tail, editor size and whether the editor takes a\n"
                        "scale factor (--scale), parameters and programs.\n"
                        "The plug-in runs in a child process: when it crashes, the fields gathered so far\n"
                        "are printed and the host says in which call it crashed. Without an X display the\n"
                        "editor's size is not asked.\n";

const char* kProcessHelp = "corvane-host process PLUGIN.so IN OUT [options]\n"
                           "corvane-host process PLUGIN.so --demo OUT [options]\n"
                           "corvane-host process PLUGIN.so IN... -o DIR [options]\n"
                           "\n"
                           "Runs IN through the plug-in into OUT. IN is any file libsndfile reads; '-' is standard\n"
                           "input. --demo in place of IN is a built-in 4 s stereo test signal. With -o DIR every\n"
                           "IN is processed by a fresh instance into DIR under its own name.\n"
                           "\n"
                           "Channels: the file's channels go to the plug-in's first inputs, the other inputs get\n"
                           "silence; OUT has the plug-in's output count. A mono plug-in (1 in, 1 out) on a file of\n"
                           "several channels runs once per channel, each instance with the same settings.\n"
                           "The plug-in's initial delay is taken off the front and its tail rendered after the\n"
                           "input, so OUT lines up with IN and ends complete.\n"
                           "\n"
                           "OUT: '-' is standard output; a FIFO or character device is written directly; a\n"
                           "symbolic link is written through to its target; otherwise the output is written\n"
                           "beside OUT and renamed over it once complete (OUT may be IN). The format follows\n"
                           "OUT's extension (libsndfile's table: .wav .flac .ogg .aiff .caf ...), else IN's; the\n"
                           "sample type is IN's where the format takes it. IN's tags are kept. Samples clipped by\n"
                           "a fixed-point output are counted in a warning.\n"
                           "\n"
                           "options:\n"
                           "  --block N          frames per processing call (default 512, at most 1048576)\n"
                           "  --double           process in double precision (processDoubleReplacing)\n"
                           "  --float            write 32-bit float samples (nothing is clipped)\n"
                           "  --channels N       write N channels (by default the plug-in's outputs)\n"
                           "  --tail SECONDS     render this long beyond the input (default: the plug-in's tail\n"
                           "                     size, else 0)\n"
                           "  -o DIR             write each IN into DIR\n";

const char* kDemoHelp = "corvane-host demo OUT.wav\n"
                        "\n"
                        "Writes the built-in 4 s stereo test signal, unprocessed, as a 32-bit float WAV.\n";

const char* kEditHelp = "corvane-host edit PLUGIN.so [--log] [--scale F] [--param KEY=VALUE]... [--program N]\n"
                        "\n"
                        "Opens the plug-in's editor in a window of its own until the window is closed or the\n"
                        "host is interrupted. The window follows the size the plug-in reports (also one that\n"
                        "it reports only once open) or requests. X request errors of a plug-in that uses Xlib\n"
                        "are warnings. --log prints every host callback the plug-in makes. Needs an X display.\n";

const char* kSnapshotHelp = "corvane-host snapshot PLUGIN.so OUT.png [--scale F] [--param KEY=VALUE]... [--program N]\n"
                            "\n"
                            "Opens the editor, waits until its picture has not changed for half a second (at most\n"
                            "10 s after its first paint) and saves the editor's own pixels as PNG, also when it is\n"
                            "larger than the screen. Needs an X display.\n";

const char* kExitHelp = "exit status:\n"
                        "  0  success\n"
                        "  1  failure: a file, the plug-in or the X display could not do what was asked\n"
                        "  2  usage error: the command line is wrong (one line says why, then the usage line)\n";

} // namespace

std::string commandHelp(Command command)
{
	std::string text;
	switch (command)
	{
		case Command::Info: text = kInfoHelp; break;
		case Command::Process: text = std::string(kProcessHelp) + kSettingsHelp; break;
		case Command::Demo: text = kDemoHelp; break;
		case Command::Edit: text = std::string(kEditHelp) + "\noptions:\n" + kScaleHelp + kSettingsHelp; break;
		case Command::Snapshot: text = std::string(kSnapshotHelp) + "\noptions:\n" + kScaleHelp + kSettingsHelp; break;
		case Command::Help:
		case Command::Version: return helpText();
	}
	return text + "\n" + kExitHelp;
}

std::string helpText()
{
	return std::string(
	           "usage: corvane-host info PLUGIN.so\n"
	           "       corvane-host process PLUGIN.so IN OUT [options]\n"
	           "       corvane-host process PLUGIN.so --demo OUT [options]\n"
	           "       corvane-host process PLUGIN.so IN... -o DIR [options]\n"
	           "       corvane-host demo OUT.wav\n"
	           "       corvane-host edit PLUGIN.so [--log] [--scale F] [--param KEY=VALUE]... [--program N]\n"
	           "       corvane-host snapshot PLUGIN.so OUT.png [--scale F] [--param KEY=VALUE]... [--program N]\n"
	           "       corvane-host [COMMAND] --help\n"
	           "       corvane-host --version\n"
	           "\n"
	           "Hosts any Linux VST 2.4 plug-in from the command line.\n"
	           "\n"
	           "  info      names, id, category, channels, flags, delay, tail, editor size,\n"
	           "            parameters and programs\n"
	           "  process   runs audio files through the plug-in\n"
	           "  demo      writes a built-in 4 s stereo test signal as a 32-bit float WAV\n"
	           "  edit      opens the plug-in's editor in a window until it is closed\n"
	           "  snapshot  saves the plug-in's editor as PNG\n"
	           "\n"
	           "corvane-host COMMAND --help tells more about each.\n"
	           "\n") +
	       kExitHelp;
}

} // namespace corvane::cli
