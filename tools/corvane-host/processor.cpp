#include "tools/corvane-host/processor.h"

#include "tools/corvane-host/progress.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace corvane::cli
{

namespace
{

constexpr VstIntPtr kProcessPrecision32 = 0;
constexpr VstIntPtr kProcessPrecision64 = 1;
// A reported tail beyond this is a plug-in's way of saying "forever".
constexpr double kMaxReportedTailSeconds = 60.0;

std::string plural(long long count, const char* noun)
{
	return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// An effect without the replacing flag only accumulates into its outputs
// through the old process call; the host then clears the outputs first.
bool accumulatesOnly(const AEffect& effect)
{
	return !(effect.flags & effFlagsCanReplacing) && effect.process;
}

bool checkProcessing(const AEffect& effect, bool doublePrecision, std::string& error)
{
	if (effect.numOutputs < 1)
		error = "the plug-in has no audio outputs";
	else if (doublePrecision && (!(effect.flags & effFlagsCanDoubleReplacing) || !effect.processDoubleReplacing))
		error = "the plug-in cannot process in double precision (no effFlagsCanDoubleReplacing); "
		        "leave out --double";
	else if (!doublePrecision && !effect.processReplacing && !accumulatesOnly(effect))
		error = "the plug-in offers no processing function";
	return error.empty();
}

// Keeps effMainsChanged and effStartProcess paired with their ends, also
// when a read or write error stops the run half-way.
class Running
{
public:
	explicit Running(Rig& rig) : rig_(rig)
	{
		for (auto& plugin : rig_.instances)
		{
			plugin->dispatch(effMainsChanged, 0, 1);
			plugin->dispatch(effStartProcess);
		}
	}
	~Running()
	{
		for (auto& plugin : rig_.instances)
		{
			plugin->dispatch(effStopProcess);
			plugin->dispatch(effMainsChanged, 0, 0);
		}
	}
	Running(const Running&) = delete;
	Running& operator=(const Running&) = delete;

private:
	Rig& rig_;
};

// One block of de-interleaved channels of one instance, in the precision
// the plug-in gets.
template <typename Sample> class Buffers
{
public:
	Buffers(int inputs, int outputs, int frames)
	: inputs_(static_cast<std::size_t>(inputs), std::vector<Sample>(static_cast<std::size_t>(frames))),
	  outputs_(static_cast<std::size_t>(outputs), std::vector<Sample>(static_cast<std::size_t>(frames)))
	{
		for (auto& input : inputs_)
			inputPointers_.push_back(input.data());
		for (auto& output : outputs_)
			outputPointers_.push_back(output.data());
	}

	Sample** inputs() { return inputPointers_.data(); }
	Sample** outputs() { return outputPointers_.data(); }

	// File channel `first + c` into input c, for the inputs the file has;
	// silence into the others, and into all of them past the file's end.
	void load(const std::vector<double>& interleaved, int fileChannels, int first, sf_count_t fileFrames,
	          sf_count_t frames)
	{
		for (std::size_t c = 0; c < inputs_.size(); c++)
		{
			int channel = first + static_cast<int>(c);
			auto& input = inputs_[c];
			std::fill(input.begin(), input.begin() + frames, Sample(0));
			if (channel >= fileChannels)
				continue;
			for (sf_count_t i = 0; i < fileFrames; i++)
				input[static_cast<std::size_t>(i)] =
				    static_cast<Sample>(interleaved[static_cast<std::size_t>(i * fileChannels + channel)]);
		}
		// A plug-in that skips an output must not repeat the last block.
		for (auto& output : outputs_)
			std::fill(output.begin(), output.end(), Sample(0));
	}

	// Output c into interleaved channel `first + c`, as far as both go.
	void store(std::vector<double>& interleaved, int outputChannels, int first, int count, sf_count_t from,
	           sf_count_t frames) const
	{
		for (int c = 0; c < count && c < static_cast<int>(outputs_.size()) && first + c < outputChannels; c++)
			for (sf_count_t i = 0; i < frames; i++)
				interleaved[static_cast<std::size_t>(i * outputChannels + first + c)] =
				    static_cast<double>(outputs_[static_cast<std::size_t>(c)][static_cast<std::size_t>(from + i)]);
	}

private:
	std::vector<std::vector<Sample>> inputs_;
	std::vector<std::vector<Sample>> outputs_;
	std::vector<Sample*> inputPointers_;
	std::vector<Sample*> outputPointers_;
};

void callPlugin(HostedPlugin& plugin, Buffers<float>& buffers, VstInt32 frames)
{
	AEffect* effect = plugin.effect();
	if (accumulatesOnly(*effect))
		effect->process(effect, buffers.inputs(), buffers.outputs(), frames);
	else
		plugin.processReplacing(buffers.inputs(), buffers.outputs(), frames);
}

void callPlugin(HostedPlugin& plugin, Buffers<double>& buffers, VstInt32 frames)
{
	plugin.processDoubleReplacing(buffers.inputs(), buffers.outputs(), frames);
}

double peakOf(const std::vector<double>& samples, std::size_t count, double peak)
{
	for (std::size_t i = 0; i < count && i < samples.size(); i++)
		peak = std::max(peak, std::abs(samples[i]));
	return peak;
}

// The tail to render: the command line's, else the plug-in's report (in
// samples; 0 means "not said" and 1 "none").
sf_count_t tailFrames(HostedPlugin& plugin, const Arguments& arguments, int sampleRate)
{
	if (arguments.tailSeconds)
		return static_cast<sf_count_t>(std::llround(*arguments.tailSeconds * sampleRate));
	VstIntPtr reported = plugin.dispatch(effGetTailSize);
	if (reported <= 1)
		return 0;
	return std::min<sf_count_t>(reported, static_cast<sf_count_t>(kMaxReportedTailSeconds * sampleRate));
}

VstInt32 currentLatency(const Rig& rig)
{
	VstInt32 latency = 0;
	for (const auto& plugin : rig.instances)
		latency = std::max(latency, std::max(plugin->effect()->initialDelay, 0));
	return latency;
}

template <typename Sample>
bool processBlocks(Rig& rig, const Arguments& arguments, SampleSource& source, SoundFileWriter& writer,
                   RunSummary& summary, std::string& error)
{
	const int blockSize = arguments.blockSize;
	const int fileChannels = source.info().channels;
	std::vector<Buffers<Sample>> buffers;
	for (auto& plugin : rig.instances)
		buffers.emplace_back(plugin->effect()->numInputs, plugin->effect()->numOutputs, blockSize);

	// Read once switched on: that is when plug-ins size their look-ahead.
	VstInt32 latency = currentLatency(rig);
	sf_count_t tail = tailFrames(*rig.instances.front(), arguments, source.info().samplerate);
	summary.latency = latency;
	summary.tailFrames = tail;

	std::vector<double> in, out;
	sf_count_t expected = source.info().frames;
	ProgressBar progress(expected + tail + latency);
	bool inputEnded = false;
	sf_count_t fed = 0, toFeed = -1, skip = latency;
	while (toFeed < 0 || fed < toFeed)
	{
		sf_count_t frames = blockSize, fromFile = 0;
		if (!inputEnded)
		{
			if (!source.read(in, blockSize, fromFile, error))
				return false;
			if (fromFile < blockSize)
			{
				inputEnded = true;
				toFeed = fed + fromFile + tail + latency;
			}
		}
		if (toFeed >= 0)
			frames = std::min<sf_count_t>(frames, toFeed - fed);
		if (frames == 0)
			break;
		for (std::size_t k = 0; k < buffers.size(); k++)
		{
			buffers[k].load(in, fileChannels, rig.perChannel ? static_cast<int>(k) : 0, fromFile, frames);
			callPlugin(*rig.instances[k], buffers[k], static_cast<VstInt32>(frames));
		}
		summary.blocks++;
		summary.inputFrames += fromFile;
		summary.peakIn = peakOf(in, static_cast<std::size_t>(fromFile * fileChannels), summary.peakIn);
		fed += frames;
		// Some plug-ins (LSP's) set their delay only in their first process
		// call; its output is still here to be cut.
		if (summary.blocks == 1 && currentLatency(rig) > latency)
		{
			VstInt32 more = currentLatency(rig) - latency;
			skip += more;
			if (toFeed >= 0)
				toFeed += more;
			latency += more;
			summary.latency = latency;
		}

		sf_count_t dropped = std::min(skip, frames);
		skip -= dropped;
		sf_count_t kept = frames - dropped;
		if (kept > 0)
		{
			out.assign(static_cast<std::size_t>(kept * rig.outputChannels), 0.0);
			for (std::size_t k = 0; k < buffers.size(); k++)
			{
				int first = rig.perChannel ? static_cast<int>(k) : 0;
				int count = rig.perChannel ? 1 : rig.outputChannels;
				buffers[k].store(out, rig.outputChannels, first, count, dropped, kept);
			}
			if (!writer.write(out, kept, error))
				return false;
			summary.frames += kept;
			summary.peakOut = peakOf(out, out.size(), summary.peakOut);
		}
		progress.update(fed);
	}
	progress.finish();
	return true;
}

std::unique_ptr<HostedPlugin> loadInstance(const Arguments& arguments, const SF_INFO& input, std::string& error)
{
	auto plugin = openPlugin(arguments.plugin, input.samplerate, arguments.blockSize, error);
	if (plugin && !plugin->effect())
		error = "the plug-in closed itself on opening";
	return plugin && plugin->effect() ? std::move(plugin) : nullptr;
}

} // namespace

namespace
{

std::string trimmedLower(const std::string& text)
{
	auto first = text.find_first_not_of(" \t");
	auto last = text.find_last_not_of(" \t");
	std::string result = first == std::string::npos ? "" : text.substr(first, last - first + 1);
	for (char& c : result)
		if (c >= 'A' && c <= 'Z')
			c = static_cast<char>(c - 'A' + 'a');
	return result;
}

std::optional<VstInt32> findParameter(HostedPlugin& plugin, const ParameterSetting& setting, std::string& error)
{
	VstInt32 count = plugin.effect()->numParams;
	if (setting.index)
	{
		if (*setting.index < count)
			return *setting.index;
		error = "parameter index " + std::to_string(*setting.index) + " is out of range: the plug-in has " +
		        plural(count, "parameter");
		return std::nullopt;
	}
	std::string wanted = trimmedLower(setting.key);
	for (VstInt32 i = 0; i < count; i++)
		if (trimmedLower(plugin.getString(effGetParamName, i)) == wanted)
			return i;
	error = "the plug-in has no parameter named '" + setting.key + "' ('info' lists them)";
	return std::nullopt;
}

// Plug-ins disagree on what effString2Parameter answers; a changed value
// counts as taken as well.
bool setFromText(HostedPlugin& plugin, VstInt32 index, const ParameterSetting& setting, std::string& error)
{
	std::vector<char> text(setting.value.begin(), setting.value.end());
	text.resize(text.size() + 256, 0);
	float before = plugin.getParameter(index);
	VstIntPtr taken = plugin.dispatch(effString2Parameter, index, 0, text.data());
	if (taken != 0 || plugin.getParameter(index) != before)
		return true;
	error = "the plug-in does not take '" + setting.value + "' as a value of parameter " + std::to_string(index) +
	        " (" + plugin.getString(effGetParamName, index) + "); give a normalised value 0 to 1";
	return false;
}

} // namespace

bool configure(HostedPlugin& plugin, const Arguments& arguments, float sampleRate, std::string& error)
{
	plugin.dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
	plugin.dispatch(effSetBlockSize, 0, arguments.blockSize);
	plugin.dispatch(effSetProcessPrecision, 0, arguments.doublePrecision ? kProcessPrecision64 : kProcessPrecision32);
	if (arguments.program)
	{
		plugin.dispatch(effBeginSetProgram);
		plugin.dispatch(effSetProgram, 0, *arguments.program);
		plugin.dispatch(effEndSetProgram);
	}
	for (const ParameterSetting& setting : arguments.parameters)
	{
		auto index = findParameter(plugin, setting, error);
		if (!index)
			return false;
		if (setting.normalised)
			plugin.setParameter(*index, *setting.normalised);
		else if (!setFromText(plugin, *index, setting, error))
			return false;
	}
	return true;
}

bool checkProgram(const AEffect& effect, const Arguments& arguments, std::string& error)
{
	if (arguments.program && *arguments.program >= effect.numPrograms)
	{
		error = "program " + std::to_string(*arguments.program) + " is out of range: the plug-in has " +
		        plural(effect.numPrograms, "program");
		return false;
	}
	return true;
}

std::unique_ptr<HostedPlugin> openPlugin(const std::string& path, double sampleRate, int blockSize, std::string& error)
{
	HostOptions options;
	options.sampleRate = static_cast<float>(sampleRate);
	options.blockSize = blockSize;
	// The process ends soon after the plug-in does; unmapping its module
	// first would only pull its libraries' global state out from under them.
	options.unloadModule = false;
	auto plugin = HostedPlugin::load(path, error, options);
	if (plugin)
		plugin->dispatch(effOpen);
	return plugin;
}

bool openRig(const Arguments& arguments, const SF_INFO& input, Rig& rig, std::string& error)
{
	auto first = loadInstance(arguments, input, error);
	if (!first)
		return false;
	const AEffect& effect = *first->effect();
	if (!checkProgram(effect, arguments, error))
		return !(rig.usageMistake = true);
	if (!checkProcessing(effect, arguments.doublePrecision, error))
		return false;
	rig.fileChannels = input.channels;
	rig.pluginInputs = effect.numInputs;
	rig.pluginOutputs = effect.numOutputs;
	rig.perChannel = effect.numInputs == 1 && effect.numOutputs == 1 && input.channels > 1;
	int natural = rig.perChannel ? input.channels : effect.numOutputs;
	rig.outputChannels = arguments.channels.value_or(natural);
	rig.instances.push_back(std::move(first));
	int count = rig.perChannel ? std::min(input.channels, rig.outputChannels) : 1;
	while (static_cast<int>(rig.instances.size()) < count)
	{
		auto more = loadInstance(arguments, input, error);
		if (!more)
			return false;
		rig.instances.push_back(std::move(more));
	}
	for (auto& plugin : rig.instances)
		if (!configure(*plugin, arguments, static_cast<float>(input.samplerate), error))
			return !(rig.usageMistake = true);
	return true;
}

bool runRig(Rig& rig, const Arguments& arguments, SampleSource& source, SoundFileWriter& writer, RunSummary& summary,
            std::string& error)
{
	bool ok = false;
	{
		Running running(rig);
		ok = arguments.doublePrecision ? processBlocks<double>(rig, arguments, source, writer, summary, error)
		                               : processBlocks<float>(rig, arguments, source, writer, summary, error);
	}
	for (auto& plugin : rig.instances)
		plugin->close();
	return ok;
}

} // namespace corvane::cli
