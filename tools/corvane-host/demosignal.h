// A stereo test signal built in code, so that the host can show what a
// plug-in does without any audio file at hand. It has real difference
// (side) content: tones panned and phased differently, a decorrelated
// low-frequency part, and noise bursts that move across the image.
#pragma once

#include <sndfile.h>

#include <vector>

namespace corvane::cli
{

constexpr int kDemoSampleRate = 44100;
constexpr int kDemoChannels = 2;
constexpr double kDemoSeconds = 4.0;
// The peak of the whole signal, in full-scale units (about -3 dBFS).
constexpr double kDemoPeak = 0.7;

// The signal, interleaved left/right. The same every time.
std::vector<double> makeDemoSignal();

// How it is written: a 32-bit float WAV at 44100 Hz, two channels.
SF_INFO demoFormat();

} // namespace corvane::cli
