// Corvane Width: a stereo width effect. Left and right become mid
// (L + R) / 2 and side (L - R) / 2; the side is scaled by the width (0 to
// 200 %), the mode picks what goes out, and the output gain (-24 to +12 dB)
// or the mute applies last.
#pragma once

#include "host/audioeffectx.h"

#include <array>
#include <atomic>

namespace width
{

enum Parameter : VstInt32
{
	kWidth,
	kGain,
	kMode,
	kMute,
	kNumParams
};

enum Mode : int
{
	kStereo,   // L = M + wS, R = M - wS
	kMidOnly,  // L = R = M
	kSideOnly, // L = wS, R = -wS
	kSwap,     // L = M - wS, R = M + wS
};
constexpr int kNumModes = 4;

// Parameter values (normalised, 0 to 1) and what they mean.
double widthPercentOf(float value);
float valueOfWidthPercent(double percent);
double gainDbOf(float value);
float valueOfGainDb(double db);
Mode modeOf(float value);
float valueOfMode(Mode mode);
bool muteOf(float value);
const char* modeName(Mode mode);

// Typed text as people write it: "150", "150 %", "150,5" for the width,
// "-6", "-6 dB" for the gain, a mode's name (any case), "on"/"off" for the
// mute. Answers false, and leaves value alone, for text it cannot read;
// numbers beyond the range are limited to it.
bool valueFromText(VstInt32 index, const char* text, float& value);
// The display text of a value: "150", "-6.0", "Side only", "On".
void displayText(VstInt32 index, float value, char* text, std::size_t size);

struct Preset
{
	const char* name;
	float width; // percent
	float gainDb;
	Mode mode;
	bool mute;
};
// The factory presets: the programs start as these, and the editor's mode
// menu offers them in its sub-menu.
constexpr std::array<Preset, 8> kPresets{{
    {"Natural", 100.f, 0.f, kStereo, false},
    {"Narrow", 50.f, 0.f, kStereo, false},
    {"Wide", 150.f, -1.5f, kStereo, false},
    {"Extra wide", 200.f, -3.f, kStereo, false},
    {"Mono", 100.f, 0.f, kMidOnly, false},
    {"Sides", 100.f, 0.f, kSideOnly, false},
    {"Swapped", 100.f, 0.f, kSwap, false},
    {"Silent", 100.f, 0.f, kStereo, true},
}};

class WidthEffect : public AudioEffectX
{
public:
	static constexpr VstInt32 kNumPrograms = static_cast<VstInt32>(kPresets.size());

	explicit WidthEffect(audioMasterCallback audioMaster);
	~WidthEffect() override;

	// Audio thread: reads the parameters once per block; no allocation,
	// lock or system call.
	void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
	void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;

	// Any thread; the editor hears of the change and shows it.
	void setParameter(VstInt32 index, float value) override;
	float getParameter(VstInt32 index) override;
	void setProgram(VstInt32 program) override;
	void setProgramName(char* name) override;
	void getProgramName(char* name) override;
	bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
	void getParameterLabel(VstInt32 index, char* label) override;
	void getParameterDisplay(VstInt32 index, char* text) override;
	void getParameterName(VstInt32 index, char* text) override;
	bool string2parameter(VstInt32 index, char* text) override;
	bool canParameterBeAutomated(VstInt32 index) override { return index >= 0 && index < kNumParams; }

	bool getEffectName(char* name) override;
	bool getVendorString(char* text) override;
	bool getProductString(char* text) override;
	VstInt32 getVendorVersion() override { return 1000; }
	VstPlugCategory getPlugCategory() override { return kPlugCategEffect; }

private:
	struct Program
	{
		std::array<float, kNumParams> values{};
		char name[kVstMaxProgNameLen + 1] = {};
	};
	template <typename Sample> void process(Sample** inputs, Sample** outputs, VstInt32 sampleFrames);

	std::array<std::atomic<float>, kNumParams> values{};
	std::array<Program, kNumPrograms> programs{};
};

} // namespace width
