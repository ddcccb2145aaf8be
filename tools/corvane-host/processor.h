// Drives a loaded plug-in through the usual host sequence: open, sample
// rate, block size, program and parameters, switch on, start, the blocks,
// stop, switch off, close. Works with any VST 2.4 effect over the binary
// interface alone.
#pragma once

#include "tools/corvane-host/arguments.h"
#include "tools/corvane-host/audiofile.h"
#include "tools/vsthost/pluginhost.h"

#include <memory>
#include <string>

namespace corvane::cli
{

// Loads the module and sends effOpen; the host answers the plug-in's
// questions about rate and block size with these. Null with one line in
// error when the module does not load or is no plug-in.
std::unique_ptr<HostedPlugin> openPlugin(const std::string& path, double sampleRate, int blockSize, std::string& error);

// Whether the plug-in can do the job: its inputs and outputs match the
// channels, the parameter and program numbers exist, and it has the
// processing function asked for. False with one line in error otherwise.
// Sample rate, block size, precision, then the program and parameters of
// the command line.
void configure(HostedPlugin& plugin, const Arguments& arguments, float sampleRate);
// The parameter indexes and the program of the command line exist.
bool checkIndexes(const AEffect& effect, const Arguments& arguments, std::string& error);
bool checkPlugin(const HostedPlugin& plugin, const Arguments& arguments, int channels, std::string& error);

struct RunSummary
{
	sf_count_t frames = 0;
	long long blocks = 0;
	double peakIn = 0.0; // largest magnitude, full scale = 1
	double peakOut = 0.0;
};

// Runs the whole source through the plug-in into the writer and closes the
// effect at the end. The plug-in must have passed checkPlugin.
bool runPlugin(HostedPlugin& plugin, const Arguments& arguments, SampleSource& source, SoundFileWriter& writer,
               RunSummary& summary, std::string& error);

} // namespace corvane::cli
