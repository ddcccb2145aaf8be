#include "effect/corvane.h"

#include "host/aeffeditor.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace
{

struct Preset
{
	const char* name;
	float distance;
};

constexpr Preset kPresets[] = {
    {"Prog1", 0.0f}, {"Prog2", 0.125f}, {"Prog3", 0.25f}, {"Prog4", 0.375f},
    {"Prog5", 0.5f}, {"Prog6", 0.675f}, {"Prog7", 0.75f}, {"Prog8", 0.875f},
};

constexpr double kRoots[5][5] = {
    {-2.0, 0.0, 0.0, 0.0, 0.0},
    {-3.0, -3.0, 0.0, 0.0, 0.0},
    {-3.6778, -4.6444, -3.6778, 0.0, 0.0},
    {-4.2076, -5.7924, -5.7924, -4.2076, 0.0},
    {-4.6493, -6.7039, -7.2935, -6.7039, -4.6493},
};

// The shared program fields are reached from the audio thread, which must
// not wait for a lock.
static_assert(std::atomic_ref<float>::is_always_lock_free && std::atomic_ref<VstInt32>::is_always_lock_free);

void copyName(char* to, const char* from, std::size_t size)
{
	std::size_t length = strnlen(from, size - 1);
	std::memmove(to, from, length);
	to[length] = 0;
}

// Read on the audio thread by every parameter change.
std::atomic<const CorvaneEditorHooks*> gEditorHooks{nullptr};

} // namespace

void setCorvaneEditorHooks(const CorvaneEditorHooks* hooks)
{
	gEditorHooks.store(hooks, std::memory_order_release);
}

AEffEditor* createEditor(AudioEffectX* effect)
{
	const CorvaneEditorHooks* hooks = gEditorHooks.load(std::memory_order_acquire);
	return hooks && hooks->create ? hooks->create(effect) : nullptr;
}

void editorParameterChanged(AEffEditor* editor, VstInt32 index, float value)
{
	const CorvaneEditorHooks* hooks = gEditorHooks.load(std::memory_order_acquire);
	if (hooks && hooks->parameterChanged)
		hooks->parameterChanged(editor, index, value);
}

AudioEffect* createEffectInstance(audioMasterCallback audioMaster)
{
	return new (std::nothrow) Corvane(audioMaster);
}

Corvane::Corvane(audioMasterCallback audioMaster) : AudioEffectX(audioMaster, kNumPrograms, kNumParams)
{
	setNumInputs(2);
	setNumOutputs(2);
	setUniqueID(fourCharConstant('k', 'V', 'r', 'n'));
	canProcessReplacing(true);
	canDoubleReplacing(true);

	setEditor(createEditor(this));

	programs = new (std::nothrow) CorvaneProgram[kNumPrograms];
	if (programs)
	{
		for (std::size_t i = 0; i < std::size(kPresets); i++)
		{
			copyName(programs[i].name, kPresets[i].name, sizeof(programs[i].name));
			programs[i].distance = kPresets[i].distance;
		}
		curProgram = 0;
		setParameter(kDistance, programs[0].distance);
	}
	AudioEffectX::resume();
}

Corvane::~Corvane()
{
	delete[] programs;
}

void Corvane::resume()
{
	// The filter state deliberately survives a restart of processing.
	AudioEffectX::resume();
}

void Corvane::setParameter(VstInt32 index, float value)
{
	if (index == kDistance && !std::isnan(value))
	{
		// Hosts send normalised values; anything outside would put the
		// filter's pole outside the unit circle.
		value = value < 0.f ? 0.f : (value > 1.f ? 1.f : value);
		if (programs)
		{
			// Automation may arrive on the audio thread while the user
			// changes programs: the program index and its distance are
			// shared with setProgram.
			VstInt32 program = std::atomic_ref(curProgram).load(std::memory_order_relaxed);
			std::atomic_ref(programs[program].distance).store(value, std::memory_order_relaxed);
		}
		distance.store(value, std::memory_order_relaxed);
	}
	if (editor)
		editorParameterChanged(editor, index, value);
}

float Corvane::getParameter(VstInt32 index)
{
	return index == kDistance ? static_cast<float>(distance.load(std::memory_order_relaxed)) : 0.f;
}

void Corvane::setProgram(VstInt32 program)
{
	if (!programs || program < 0 || program >= kNumPrograms)
		return;
	std::atomic_ref(curProgram).store(program, std::memory_order_relaxed);
	setParameter(kDistance, std::atomic_ref(programs[program].distance).load(std::memory_order_relaxed));
}

void Corvane::setProgramName(char* name)
{
	if (programs && name)
		copyName(programs[curProgram].name, name, sizeof(programs[curProgram].name));
}

void Corvane::getProgramName(char* name)
{
	if (!programs)
	{
		*name = 0;
		return;
	}
	const CorvaneProgram& program = programs[curProgram];
	if (std::strcmp(program.name, "Init") == 0)
		std::snprintf(name, kVstMaxProgNameLen, "Init %d", static_cast<int>(curProgram % 1000) + 1);
	else
		copyName(name, program.name, kVstMaxProgNameLen);
}

bool Corvane::getProgramNameIndexed(VstInt32, VstInt32 index, char* text)
{
	if (!programs || index < 0 || index >= kNumPrograms)
		return false;
	copyName(text, programs[index].name, kVstMaxProgNameLen);
	return true;
}

void Corvane::getParameterLabel(VstInt32 index, char* label)
{
	if (index == kDistance)
		std::strcpy(label, "m");
}

void Corvane::getParameterDisplay(VstInt32 index, char* text)
{
	if (index == kDistance)
		dist2string(static_cast<float>(distance.load(std::memory_order_relaxed)), text, kVstMaxParamStrLen);
}

void Corvane::getParameterName(VstInt32 index, char* text)
{
	if (index == kDistance)
		std::strcpy(text, "Loudspeaker Distance");
}

void Corvane::dist2string(float value, char* text, VstInt32 maxLen)
{
	float2string(metresOfValue(value), text, maxLen);
}

bool Corvane::getEffectName(char* name)
{
	// Zero-filled so that hosts reading a fixed-size field see no garbage;
	// no further than the published 32-byte field, which some hosts allocate.
	std::memset(name, 0, kVstMaxEffectNameLen);
	std::strcpy(name, "Corvane");
	return true;
}

bool Corvane::getVendorString(char* text)
{
	std::strcpy(text, "Halvenor");
	return true;
}

bool Corvane::getProductString(char* text)
{
	std::strcpy(text, "Corvane");
	return true;
}

VstInt32 Corvane::canDo(char* text)
{
	return text && std::strcmp(text, PlugCanDos::canDoBypass) == 0 ? 1 : 0;
}

bool Corvane::setBypass(bool onOff)
{
	bypassed.store(onOff, std::memory_order_relaxed);
	return true;
}

namespace
{

// A number with a point or a comma for its decimals, then an optional unit;
// independent of the host's locale, which strtod would follow.
bool parseMetres(const char* text, double& metres)
{
	char number[64];
	std::size_t length = 0;
	while (*text == ' ' || *text == '\t')
		++text;
	for (; length + 1 < sizeof(number) &&
	       (std::isdigit(static_cast<unsigned char>(text[length])) || text[length] == '.' || text[length] == ',' ||
	        text[length] == '-' || text[length] == '+');
	     ++length)
		number[length] = text[length] == ',' ? '.' : text[length];
	const char* begin = number[0] == '+' ? number + 1 : number;
	auto [end, error] = std::from_chars(begin, number + length, metres);
	if (error != std::errc() || end != number + length || !std::isfinite(metres))
		return false;
	const char* unit = text + length;
	while (*unit == ' ' || *unit == '\t')
		++unit;
	constexpr struct
	{
		const char* name;
		double metres;
	} kUnits[] = {{"cm", 0.01}, {"mm", 0.001}, {"m", 1.}, {"", 1.}};
	for (const auto& candidate : kUnits)
	{
		std::size_t size = std::strlen(candidate.name);
		if (std::strncmp(unit, candidate.name, size) != 0)
			continue;
		const char* rest = unit + size;
		while (*rest == ' ' || *rest == '\t')
			++rest;
		metres *= candidate.metres;
		return *rest == 0;
	}
	return false;
}

} // namespace

bool Corvane::string2parameter(VstInt32 index, char* text)
{
	double metres = 0.;
	if (index != kDistance || !text || !parseMetres(text, metres))
		return false;
	metres = std::clamp(metres, metresOfValue(0.), metresOfValue(1.));
	setParameter(kDistance, static_cast<float>(valueOfMetres(metres)));
	return true;
}

bool Corvane::getParameterProperties(VstInt32 index, VstParameterProperties* properties)
{
	if (index != kDistance || !properties)
		return false;
	std::memset(properties, 0, sizeof(*properties));
	constexpr double kRange = metresOfValue(1.) - metresOfValue(0.);
	properties->stepFloat = static_cast<float>(0.01 / kRange);
	properties->smallStepFloat = static_cast<float>(0.01 / kRange);
	properties->largeStepFloat = static_cast<float>(0.1 / kRange);
	std::strcpy(properties->label, "Loudspeaker Distance");
	std::strcpy(properties->shortLabel, "Dist");
	properties->flags = kVstParameterUsesFloatStep | kVstParameterSupportsDisplayIndex;
	properties->displayIndex = 0;
	return true;
}

double Corvane::fRootsReal(VstInt32 order, VstInt32 k)
{
	if (order < 1 || order > 5 || k < 1 || k > 5)
		return 0.0;
	return kRoots[order - 1][k - 1];
}

std::array<double, 2> Corvane::firstOrderFilterCoeffs(VstInt32 order)
{
	double fs = getSampleRate();
	double r = metresOf(distance.load(std::memory_order_relaxed));
	double x = fRootsReal(order, (order + 1) / 2);
	return NearFieldFilter::coefficients(r, fs, x);
}

template <typename Sample> void Corvane::process(Sample** inputs, Sample** outputs, VstInt32 sampleFrames)
{
	const std::array<double, 2> coefficients = firstOrderFilterCoeffs(1);
	if (sampleFrames <= 0)
		return;
	filter.setCoefficients(coefficients, getSampleRate());
	if (!bypassed.load(std::memory_order_relaxed))
	{
		filter.process(inputs[0], inputs[1], outputs[0], outputs[1], sampleFrames);
		return;
	}
	filter.advance(inputs[0], inputs[1], sampleFrames);
	// Frame by frame, reading both inputs first, as the filter does: safe
	// however the host's buffers alias.
	for (VstInt32 i = 0; i < sampleFrames; i++)
	{
		const Sample left = inputs[0][i];
		const Sample right = inputs[1][i];
		outputs[0][i] = left;
		outputs[1][i] = right;
	}
}

void Corvane::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames)
{
	process(inputs, outputs, sampleFrames);
}

void Corvane::processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames)
{
	process(inputs, outputs, sampleFrames);
}
