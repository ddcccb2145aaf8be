#include "widtheffect.h"

#include "editor/aeffguieditor.h"
#include "widtheditor.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace width
{

namespace
{

constexpr double kMaxWidthPercent = 200.;
constexpr double kMinGainDb = -24.;
constexpr double kMaxGainDb = 12.;

// The display names fit the 8 bytes hosts are promised; the mode menu shows
// the full titles.
constexpr const char* kModeTitles[kNumModes] = {"Stereo", "Mid only", "Side only", "Swap"};
constexpr const char* kModeShortNames[kNumModes] = {"Stereo", "Mid", "Side", "Swap"};
constexpr const char* kParameterNames[kNumParams] = {"Width", "Gain", "Mode", "Mute"};
constexpr const char* kParameterLabels[kNumParams] = {"%", "dB", "", ""};

void copyText(char* destination, const char* source, std::size_t size)
{
	std::snprintf(destination, size, "%s", source);
}

std::string lowerTrimmed(const char* text)
{
	std::string s(text);
	auto notSpace = [](unsigned char c) { return !std::isspace(c); };
	s.erase(s.begin(), std::find_if(s.begin(), s.end(), notSpace));
	s.erase(std::find_if(s.rbegin(), s.rend(), notSpace).base(), s.end());
	std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
	return s;
}

// A number with an optional unit after it ("150 %", "-6dB", "2,5"); false
// when there is no number or something else follows.
bool readNumber(std::string text, const char* unit, double& number)
{
	std::replace(text.begin(), text.end(), ',', '.');
	const char* begin = text.c_str();
	char* end = nullptr;
	number = std::strtod(begin, &end);
	if (end == begin || !std::isfinite(number))
		return false;
	std::string rest = lowerTrimmed(end);
	return rest.empty() || rest == unit;
}

} // namespace

double widthPercentOf(float value)
{
	return static_cast<double>(value) * kMaxWidthPercent;
}
float valueOfWidthPercent(double percent)
{
	return static_cast<float>(std::clamp(percent / kMaxWidthPercent, 0., 1.));
}
double gainDbOf(float value)
{
	return kMinGainDb + static_cast<double>(value) * (kMaxGainDb - kMinGainDb);
}
float valueOfGainDb(double db)
{
	return static_cast<float>(std::clamp((db - kMinGainDb) / (kMaxGainDb - kMinGainDb), 0., 1.));
}
// Each mode owns a quarter of the range, so that any value a host sends
// means one of them; a mode is stored as its quarter's lower edge over 3,
// which lands in its own quarter.
Mode modeOf(float value)
{
	return static_cast<Mode>(std::clamp(static_cast<int>(value * kNumModes), 0, kNumModes - 1));
}
float valueOfMode(Mode mode)
{
	return static_cast<float>(mode) / (kNumModes - 1);
}
bool muteOf(float value)
{
	return value >= 0.5f;
}
const char* modeName(Mode mode)
{
	return kModeTitles[mode];
}

bool valueFromText(VstInt32 index, const char* text, float& value)
{
	if (!text)
		return false;
	std::string typed = lowerTrimmed(text);
	double number = 0.;
	switch (index)
	{
		case kWidth:
			if (!readNumber(typed, "%", number))
				return false;
			value = valueOfWidthPercent(number);
			return true;
		case kGain:
			if (!readNumber(typed, "db", number))
				return false;
			value = valueOfGainDb(number);
			return true;
		case kMode:
			for (int mode = 0; mode < kNumModes; ++mode)
				if (typed == lowerTrimmed(kModeTitles[mode]) || typed == lowerTrimmed(kModeShortNames[mode]))
				{
					value = valueOfMode(static_cast<Mode>(mode));
					return true;
				}
			return false;
		case kMute:
			if (typed != "on" && typed != "off")
				return false;
			value = typed == "on" ? 1.f : 0.f;
			return true;
		default: return false;
	}
}

void displayText(VstInt32 index, float value, char* text, std::size_t size)
{
	switch (index)
	{
		case kWidth: std::snprintf(text, size, "%.0f", widthPercentOf(value)); break;
		case kGain: std::snprintf(text, size, "%.1f", gainDbOf(value)); break;
		case kMode: copyText(text, kModeShortNames[modeOf(value)], size); break;
		case kMute: copyText(text, muteOf(value) ? "On" : "Off", size); break;
		default: copyText(text, "", size); break;
	}
}

WidthEffect::WidthEffect(audioMasterCallback audioMaster) : AudioEffectX(audioMaster, kNumPrograms, kNumParams)
{
	setNumInputs(2);
	setNumOutputs(2);
	setUniqueID(fourCharConstant('C', 'v', 'W', 'd'));
	canProcessReplacing(true);
	canDoubleReplacing(true);
	for (std::size_t i = 0; i < kPresets.size(); ++i)
	{
		const Preset& preset = kPresets[i];
		programs[i].values = {valueOfWidthPercent(preset.width), valueOfGainDb(preset.gainDb), valueOfMode(preset.mode),
		                      preset.mute ? 1.f : 0.f};
		copyText(programs[i].name, preset.name, sizeof programs[i].name);
	}
	new WidthEditor(this); // attaches itself: the effect owns it from here
	setProgram(0);
}

WidthEffect::~WidthEffect() = default;

void WidthEffect::setParameter(VstInt32 index, float value)
{
	if (index < 0 || index >= kNumParams)
		return;
	value = std::clamp(value, 0.f, 1.f);
	values[index].store(value, std::memory_order_relaxed);
	programs[curProgram].values[index] = value;
	if (auto* gui = static_cast<AEffGUIEditor*>(editor))
		gui->setParameter(index, value);
}

float WidthEffect::getParameter(VstInt32 index)
{
	return index >= 0 && index < kNumParams ? values[index].load(std::memory_order_relaxed) : 0.f;
}

void WidthEffect::setProgram(VstInt32 program)
{
	if (program < 0 || program >= kNumPrograms)
		return;
	curProgram = program;
	Program copy = programs[program];
	for (VstInt32 i = 0; i < kNumParams; ++i)
		setParameter(i, copy.values[i]);
}

void WidthEffect::setProgramName(char* name)
{
	copyText(programs[curProgram].name, name, sizeof programs[0].name);
}
void WidthEffect::getProgramName(char* name)
{
	copyText(name, programs[curProgram].name, kVstMaxProgNameLen);
}

bool WidthEffect::getProgramNameIndexed(VstInt32, VstInt32 index, char* text)
{
	if (index < 0 || index >= kNumPrograms)
		return false;
	copyText(text, programs[index].name, kVstMaxProgNameLen);
	return true;
}

void WidthEffect::getParameterLabel(VstInt32 index, char* label)
{
	copyText(label, index >= 0 && index < kNumParams ? kParameterLabels[index] : "", kVstMaxParamStrLen);
}

void WidthEffect::getParameterDisplay(VstInt32 index, char* text)
{
	displayText(index, getParameter(index), text, kVstMaxParamStrLen);
}

void WidthEffect::getParameterName(VstInt32 index, char* text)
{
	copyText(text, index >= 0 && index < kNumParams ? kParameterNames[index] : "", kVstMaxParamStrLen);
}

bool WidthEffect::string2parameter(VstInt32 index, char* text)
{
	float value = 0.f;
	if (!valueFromText(index, text, value))
		return false;
	setParameter(index, value);
	return true;
}

bool WidthEffect::getEffectName(char* name)
{
	copyText(name, "Corvane Width", kVstMaxEffectNameLen);
	return true;
}

bool WidthEffect::getVendorString(char* text)
{
	copyText(text, "Halvenor", kVstMaxVendorStrLen);
	return true;
}

bool WidthEffect::getProductString(char* text)
{
	copyText(text, "Corvane Width", kVstMaxProductStrLen);
	return true;
}

void WidthEffect::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
	process(inputs, outputs, sampleFrames);
}

void WidthEffect::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames)
{
	process(inputs, outputs, sampleFrames);
}

template <typename Sample> void WidthEffect::process(Sample** inputs, Sample** outputs, VstInt32 sampleFrames)
{
	const double w = widthPercentOf(values[kWidth].load(std::memory_order_relaxed)) / 100.;
	const Mode mode = modeOf(values[kMode].load(std::memory_order_relaxed));
	const double gain = muteOf(values[kMute].load(std::memory_order_relaxed))
	                        ? 0.
	                        : std::pow(10., gainDbOf(values[kGain].load(std::memory_order_relaxed)) / 20.);
	// Out = gain * (mid weight * M + side weight * S), per channel.
	double midWeight = mode == kSideOnly ? 0. : 1.;
	double sideWeight = mode == kMidOnly ? 0. : (mode == kSwap ? -w : w);
	const Sample* inLeft = inputs[0];
	const Sample* inRight = inputs[1];
	Sample* outLeft = outputs[0];
	Sample* outRight = outputs[1];
	for (VstInt32 i = 0; i < sampleFrames; ++i)
	{
		double mid = 0.5 * (static_cast<double>(inLeft[i]) + static_cast<double>(inRight[i]));
		double side = 0.5 * (static_cast<double>(inLeft[i]) - static_cast<double>(inRight[i]));
		outLeft[i] = static_cast<Sample>(gain * (midWeight * mid + sideWeight * side));
		outRight[i] = static_cast<Sample>(gain * (midWeight * mid - sideWeight * side));
	}
}

} // namespace width
