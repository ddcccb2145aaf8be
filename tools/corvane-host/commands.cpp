#include "tools/corvane-host/commands.h"

#include "tools/corvane-host/demosignal.h"
#include "tools/corvane-host/infoprinter.h"
#include "tools/corvane-host/processor.h"
#include "tools/corvane-host/tempfile.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace corvane::cli
{

namespace
{

std::unique_ptr<SampleSource> openSource(const Arguments& arguments, std::string& error)
{
	if (arguments.demoInput)
		return std::make_unique<MemorySource>(makeDemoSignal(), demoFormat());
	return SoundFileReader::open(arguments.input, error);
}

std::string decibels(double peak)
{
	if (peak <= 0.0)
		return "-inf dBFS";
	char text[32];
	std::snprintf(text, sizeof text, "%.2f dBFS", 20.0 * std::log10(peak));
	return text;
}

void printRouting(std::FILE* out, const Rig& rig)
{
	if (rig.perChannel)
		std::fprintf(out, "routing   %zu instances of the mono plug-in, one per channel\n", rig.instances.size());
	else
	{
		std::fprintf(out, "routing   %d file channel%s into %d plug-in input%s", rig.fileChannels,
		             rig.fileChannels == 1 ? "" : "s", rig.pluginInputs, rig.pluginInputs == 1 ? "" : "s");
		if (rig.fileChannels > rig.pluginInputs)
			std::fprintf(out, " (file channels %d to %d left out)", rig.pluginInputs + 1, rig.fileChannels);
		else if (rig.fileChannels < rig.pluginInputs)
			std::fprintf(out, " (the others silent)");
		std::fprintf(out, ", %d output%s written\n", rig.outputChannels, rig.outputChannels == 1 ? "" : "s");
	}
}

void printSummary(std::FILE* out, const Arguments& arguments, const std::string& output, const SF_INFO& info,
                  const Rig& rig, const RunSummary& summary)
{
	double seconds = static_cast<double>(summary.frames) / info.samplerate;
	std::fprintf(out, "frames    %lld (%.3f s at %d Hz, %d channel%s)\n", static_cast<long long>(summary.frames),
	             seconds, info.samplerate, rig.outputChannels, rig.outputChannels == 1 ? "" : "s");
	std::fprintf(out, "blocks    %lld of up to %d frames, %s precision\n", summary.blocks, arguments.blockSize,
	             arguments.doublePrecision ? "double" : "single");
	printRouting(out, rig);
	if (summary.latency > 0)
		std::fprintf(out, "latency   %d frames, taken off the front\n", summary.latency);
	if (summary.tailFrames > 0)
		std::fprintf(out, "tail      %lld frames (%.3f s) after the input\n",
		             static_cast<long long>(summary.tailFrames),
		             static_cast<double>(summary.tailFrames) / info.samplerate);
	std::fprintf(out, "peak in   %.6f (%s)\n", summary.peakIn, decibels(summary.peakIn).c_str());
	std::fprintf(out, "peak out  %.6f (%s)\n", summary.peakOut, decibels(summary.peakOut).c_str());
	std::fprintf(out, "written   %s\n", output == "-" ? "standard output" : output.c_str());
}

void warnAboutClipping(const std::string& output, const SoundFileWriter& writer)
{
	if (writer.clipped() == 0)
		return;
	std::fflush(stdout);
	std::fprintf(stderr,
	             "corvane-host: warning: %lld sample%s beyond full scale %s clipped in the %s output '%s'; "
	             "--float writes 32-bit float samples, which keep them\n",
	             writer.clipped(), writer.clipped() == 1 ? "" : "s", writer.clipped() == 1 ? "was" : "were",
	             writer.sampleDescription().c_str(), output.c_str());
}

// Everything after the source is open; any failure leaves OUT as it was.
int processSource(const Arguments& arguments, SampleSource& source, const std::string& outputPath)
{
	std::string error;
	const SF_INFO& info = source.info();
	Rig rig;
	if (!openRig(arguments, info, rig, error))
		return rig.usageMistake ? usageFail(Command::Process, error) : fail(error);
	SF_INFO format = info;
	format.channels = rig.outputChannels;
	if (!outputFormat(outputPath, info, arguments.floatSamples, format, error))
		return fail(error);
	auto output = TempFile::create(outputPath, error);
	if (!output)
		return fail(error);
	auto writer = SoundFileWriter::open(output->fd(), outputPath, format, source.tags(), error);
	RunSummary summary;
	if (!writer || !runRig(rig, arguments, source, *writer, summary, error) || !writer->close(error) ||
	    !output->commit(error))
		return fail(error);
	printSummary(output->toStandardOutput() ? stderr : stdout, arguments, outputPath, info, rig, summary);
	warnAboutClipping(outputPath, *writer);
	return kExitOk;
}

std::string baseName(const std::string& path)
{
	auto slash = path.find_last_of('/');
	return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Each input by a fresh rig; one that fails does not stop the others.
int processIntoFolder(const Arguments& arguments)
{
	struct stat status = {};
	if (stat(arguments.outputDirectory.c_str(), &status) != 0 || !S_ISDIR(status.st_mode))
		return fail("cannot write into '" + arguments.outputDirectory + "': it is not a folder");
	int result = kExitOk;
	for (const std::string& input : arguments.inputs)
	{
		std::string error;
		auto source = SoundFileReader::open(input, error);
		std::string output = arguments.outputDirectory + "/" + baseName(input);
		int status = source ? processSource(arguments, *source, output) : fail(error);
		if (status == kExitUsage)
			return status;
		if (status != kExitOk)
			result = status;
	}
	return result;
}

} // namespace

int fail(const std::string& message)
{
	std::fflush(stdout);
	std::fprintf(stderr, "corvane-host: %s\n", message.c_str());
	return kExitFailure;
}

int usageFail(Command command, const std::string& message)
{
	std::fflush(stdout);
	std::fprintf(stderr, "corvane-host: %s\n%s\n", message.c_str(), usageLine(command).c_str());
	return kExitUsage;
}

namespace
{

constexpr std::size_t kMarkerSize = 64;

int infoInThisProcess(const Arguments& arguments)
{
	std::string error;
	auto plugin = openPlugin(arguments.plugin, 44100.0, kDefaultBlockSize, error);
	if (!plugin)
		return fail(error);
	const char* display = std::getenv("DISPLAY");
	printInfo(std::cout, *plugin, arguments.plugin, display && *display);
	std::cout.flush();
	return kExitOk;
}

std::string signalName(int signal)
{
	const char* abbreviation = sigabbrev_np(signal);
	return abbreviation ? std::string("SIG") + abbreviation : "signal " + std::to_string(signal);
}

} // namespace

// The plug-in answers in a child process: a plug-in that crashes on one
// question then costs only the answers after it, and the host can still
// say which question it was.
int runInfo(const Arguments& arguments)
{
	void* shared = mmap(nullptr, kMarkerSize, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
	if (shared == MAP_FAILED)
		return fail(std::string("cannot share memory with a child process: ") + std::strerror(errno));
	auto* marker = static_cast<char*>(shared);
	std::fflush(nullptr);
	pid_t child = fork();
	if (child < 0)
		return fail(std::string("cannot start a child process: ") + std::strerror(errno));
	if (child == 0)
	{
		// The crash must end the child with its own signal for the report,
		// also where a sanitizer's handler would turn it into an exit.
		for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL})
			std::signal(signal, SIG_DFL);
		setCallMarker(marker, kMarkerSize);
		int status = infoInThisProcess(arguments);
		std::fflush(nullptr);
		// No exit handlers: the plug-in's static destructors are what crash
		// most often, and the answers are already out.
		_exit(status);
	}
	int status = 0;
	while (waitpid(child, &status, 0) < 0 && errno == EINTR)
	{
	}
	marker[kMarkerSize - 1] = 0;
	// The reader of our output went away (info | grep -q ...): that ends the
	// child, and is no crash of the plug-in. The host ends as the child did,
	// as any program in a pipeline would.
	if (WIFSIGNALED(status) && WTERMSIG(status) == SIGPIPE)
	{
		std::signal(SIGPIPE, SIG_DFL);
		std::raise(SIGPIPE);
	}
	if (WIFSIGNALED(status))
	{
		std::string call = marker[0] ? marker : "loading";
		return fail("the plug-in crashed (" + signalName(WTERMSIG(status)) + ") while answering " + call);
	}
	return WIFEXITED(status) ? WEXITSTATUS(status) : kExitFailure;
}

int runProcess(const Arguments& arguments)
{
	if (!arguments.outputDirectory.empty())
		return processIntoFolder(arguments);
	std::string error;
	auto source = openSource(arguments, error);
	if (!source)
		return fail(error);
	return processSource(arguments, *source, arguments.output);
}

int runDemo(const Arguments& arguments)
{
	std::string error;
	auto output = TempFile::create(arguments.output, error);
	if (!output)
		return fail(error);
	auto writer = SoundFileWriter::open(output->fd(), arguments.output, demoFormat(), {}, error);
	std::vector<double> signal = makeDemoSignal();
	if (!writer || !writer->write(signal, demoFormat().frames, error) || !writer->close(error) ||
	    !output->commit(error))
		return fail(error);
	std::printf("written   %s (%.1f s demo signal, %d Hz, stereo, 32-bit float)\n", arguments.output.c_str(),
	            kDemoSeconds, kDemoSampleRate);
	return kExitOk;
}

} // namespace corvane::cli
