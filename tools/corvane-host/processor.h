// Drives a plug-in through the usual host sequence: open, sample rate,
// block size, program and parameters, switch on, start, the blocks, stop,
// switch off, close. Works with any VST 2.4 effect over the binary
// interface alone.
//
// Channels: the file's channels go to the plug-in's first inputs and the
// other inputs get silence; the output has the plug-in's output count (or
// the count asked for). A mono plug-in (one input, one output) on a file of
// several channels runs once per channel, every instance with the same
// settings. The plug-in's initial delay, read once it is switched on, is
// taken off the front, and its tail rendered after the input, so that the
// output lines up with the input and ends complete.
#pragma once

#include "tools/corvane-host/arguments.h"
#include "tools/corvane-host/audiofile.h"
#include "tools/vsthost/pluginhost.h"

#include <memory>
#include <string>
#include <vector>

namespace corvane::cli
{

// Loads the module and sends effOpen; the host answers the plug-in's
// questions about rate and block size with these. Null with one line in
// error when the module does not load or is no plug-in.
std::unique_ptr<HostedPlugin> openPlugin(const std::string& path, double sampleRate, int blockSize, std::string& error);

// Sample rate, block size, precision, then the program and parameters of
// the command line: by index or by name (effGetParamName, any case), as a
// normalised value or as text for effString2Parameter. False with one line
// in error when a parameter is unknown or its text not taken; that is a
// mistake of the command line.
bool configure(HostedPlugin& plugin, const Arguments& arguments, float sampleRate, std::string& error);
// The program of the command line exists.
bool checkProgram(const AEffect& effect, const Arguments& arguments, std::string& error);

// The instances that process one file.
struct Rig
{
	std::vector<std::unique_ptr<HostedPlugin>> instances;
	bool perChannel = false; // a mono plug-in, one instance per file channel
	int fileChannels = 0;
	int outputChannels = 0;
	int pluginInputs = 0; // of one instance
	int pluginOutputs = 0;
	// Set when openRig failed on a mistake of the command line (a program
	// or parameter the plug-in does not have).
	bool usageMistake = false;
};

// Loads as many instances as the file needs and checks that they can do
// the job (outputs, parameter and program numbers, the processing function
// asked for). False with one line in error otherwise.
bool openRig(const Arguments& arguments, const SF_INFO& input, Rig& rig, std::string& error);

struct RunSummary
{
	sf_count_t frames = 0; // written
	long long blocks = 0;
	double peakIn = 0.0; // largest magnitude, full scale = 1
	double peakOut = 0.0;
	VstInt32 latency = 0;      // frames taken off the front
	sf_count_t tailFrames = 0; // rendered after the input
	sf_count_t inputFrames = 0;
};

// Runs the whole source through the rig into the writer and closes the
// instances at the end.
bool runRig(Rig& rig, const Arguments& arguments, SampleSource& source, SoundFileWriter& writer, RunSummary& summary,
            std::string& error);

} // namespace corvane::cli
