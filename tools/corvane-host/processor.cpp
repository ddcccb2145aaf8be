#include "tools/corvane-host/processor.h"

#include "tools/corvane-host/progress.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace corvane::cli
{

namespace
{

constexpr VstIntPtr kProcessPrecision32 = 0;
constexpr VstIntPtr kProcessPrecision64 = 1;

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

bool checkChannels(const AEffect& effect, int channels, std::string& error)
{
	if (effect.numInputs == channels && effect.numOutputs == channels)
		return true;
	error = "the plug-in has " + plural(effect.numInputs, "input") + " and " + plural(effect.numOutputs, "output") +
	        "; it cannot take audio of " + plural(channels, "channel");
	return false;
}

bool checkProcessing(const AEffect& effect, bool doublePrecision, std::string& error)
{
	if (doublePrecision && (!(effect.flags & effFlagsCanDoubleReplacing) || !effect.processDoubleReplacing))
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
	explicit Running(HostedPlugin& plugin) : plugin_(plugin)
	{
		plugin_.dispatch(effMainsChanged, 0, 1);
		plugin_.dispatch(effStartProcess);
	}
	~Running()
	{
		plugin_.dispatch(effStopProcess);
		plugin_.dispatch(effMainsChanged, 0, 0);
	}
	Running(const Running&) = delete;
	Running& operator=(const Running&) = delete;

private:
	HostedPlugin& plugin_;
};

// One block of de-interleaved channels in the precision the plug-in gets.
template <typename Sample> class Buffers
{
public:
	Buffers(int channels, int frames)
	: inputs_(static_cast<std::size_t>(channels), std::vector<Sample>(static_cast<std::size_t>(frames))),
	  outputs_(inputs_)
	{
		for (std::size_t c = 0; c < inputs_.size(); c++)
		{
			inputPointers_.push_back(inputs_[c].data());
			outputPointers_.push_back(outputs_[c].data());
		}
	}

	Sample** inputs() { return inputPointers_.data(); }
	Sample** outputs() { return outputPointers_.data(); }

	void load(const std::vector<double>& interleaved, sf_count_t frames)
	{
		std::size_t channels = inputs_.size();
		for (std::size_t i = 0; i < static_cast<std::size_t>(frames); i++)
			for (std::size_t c = 0; c < channels; c++)
				inputs_[c][i] = static_cast<Sample>(interleaved[i * channels + c]);
		// A plug-in that skips an output must not repeat the last block.
		for (auto& output : outputs_)
			std::fill(output.begin(), output.end(), Sample(0));
	}

	void store(std::vector<double>& interleaved, sf_count_t frames) const
	{
		std::size_t channels = outputs_.size();
		interleaved.resize(static_cast<std::size_t>(frames) * channels);
		for (std::size_t i = 0; i < static_cast<std::size_t>(frames); i++)
			for (std::size_t c = 0; c < channels; c++)
				interleaved[i * channels + c] = static_cast<double>(outputs_[c][i]);
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

double peakOf(const std::vector<double>& samples, double peak)
{
	for (double s : samples)
		peak = std::max(peak, std::abs(s));
	return peak;
}

template <typename Sample>
bool processBlocks(HostedPlugin& plugin, int blockSize, SampleSource& source, SoundFileWriter& writer,
                   RunSummary& summary, std::string& error)
{
	Buffers<Sample> buffers(source.info().channels, blockSize);
	std::vector<double> in, out;
	ProgressBar progress(source.info().frames);
	sf_count_t frames = 0;
	while (source.read(in, blockSize, frames, error) && frames > 0)
	{
		buffers.load(in, frames);
		callPlugin(plugin, buffers, static_cast<VstInt32>(frames));
		buffers.store(out, frames);
		if (!writer.write(out, frames, error))
			return false;
		summary.frames += frames;
		summary.blocks++;
		summary.peakIn = peakOf(in, summary.peakIn);
		summary.peakOut = peakOf(out, summary.peakOut);
		progress.update(summary.frames);
	}
	if (!error.empty())
		return false;
	progress.finish();
	return true;
}

} // namespace

void configure(HostedPlugin& plugin, const Arguments& arguments, float sampleRate)
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
		plugin.setParameter(setting.index, setting.value);
}

bool checkIndexes(const AEffect& effect, const Arguments& arguments, std::string& error)
{
	for (const ParameterSetting& setting : arguments.parameters)
		if (setting.index >= effect.numParams)
		{
			error = "parameter index " + std::to_string(setting.index) + " is out of range: the plug-in has " +
			        plural(effect.numParams, "parameter");
			return false;
		}
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

bool checkPlugin(const HostedPlugin& plugin, const Arguments& arguments, int channels, std::string& error)
{
	const AEffect& effect = *plugin.effect();
	return checkChannels(effect, channels, error) && checkIndexes(effect, arguments, error) &&
	       checkProcessing(effect, arguments.doublePrecision, error);
}

bool runPlugin(HostedPlugin& plugin, const Arguments& arguments, SampleSource& source, SoundFileWriter& writer,
               RunSummary& summary, std::string& error)
{
	configure(plugin, arguments, static_cast<float>(source.info().samplerate));
	bool ok = false;
	{
		Running running(plugin);
		ok = arguments.doublePrecision
		         ? processBlocks<double>(plugin, arguments.blockSize, source, writer, summary, error)
		         : processBlocks<float>(plugin, arguments.blockSize, source, writer, summary, error);
	}
	plugin.close();
	return ok;
}

} // namespace corvane::cli
