#include "host/audioeffect.h"

#include "host/aeffeditor.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace
{

// Copies at most maxLen characters of src and a terminating zero.
void copyCut(char* text, const char* src, VstInt32 maxLen)
{
	std::size_t n = std::strlen(src);
	std::size_t limit = maxLen > 0 ? static_cast<std::size_t>(maxLen) : 0;
	if (n > limit)
		n = limit;
	std::memcpy(text, src, n);
	text[n] = 0;
}

AudioEffect* effectOf(AEffect* e)
{
	return e ? static_cast<AudioEffect*>(e->object) : nullptr;
}

} // namespace

AudioEffect::AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
: audioMaster(audioMaster), numPrograms(numPrograms), numParams(numParams)
{
	std::memset(&cEffect, 0, sizeof(cEffect));
	cEffect.magic = kEffectMagic;
	cEffect.dispatcher = dispatchEffectClass;
	cEffect.process = __processClassDeprecated;
	cEffect.setParameter = setParameterClass;
	cEffect.getParameter = getParameterClass;
	cEffect.numPrograms = numPrograms;
	cEffect.numParams = numParams;
	cEffect.numInputs = 1;
	cEffect.numOutputs = 2;
	cEffect.flags = effFlagsCanReplacing;
	cEffect.ioRatio = 1.f;
	cEffect.object = this;
	cEffect.uniqueID = fourCharConstant('N', 'o', 'E', 'f');
	cEffect.version = 1;
	cEffect.processReplacing = processClassReplacing;
	cEffect.processDoubleReplacing = processClassDoubleReplacing;
}

AudioEffect::~AudioEffect()
{
	delete editor;
}

void AudioEffect::setEditor(AEffEditor* newEditor)
{
	editor = newEditor;
	setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void AudioEffect::setFlag(VstInt32 flag, bool state)
{
	if (state)
		cEffect.flags |= flag;
	else
		cEffect.flags &= ~flag;
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
	return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
	// Requests that write through ptr are refused when the host passes none:
	// a crash here would take the host down with us.
	auto* text = static_cast<char*>(ptr);
	switch (opcode)
	{
		case effOpen: open(); return 0;
		case effClose: close(); return 0;
		case effSetProgram:
			if (value >= 0 && value < numPrograms)
				setProgram(static_cast<VstInt32>(value));
			return 0;
		case effGetProgram: return getProgram();
		case effSetProgramName:
			if (text)
				setProgramName(text);
			return 0;
		case effGetProgramName:
			if (text)
				getProgramName(text);
			return 0;
		case effGetParamLabel:
			if (text)
				getParameterLabel(index, text);
			return 0;
		case effGetParamDisplay:
			if (text)
				getParameterDisplay(index, text);
			return 0;
		case effGetParamName:
			if (text)
				getParameterName(index, text);
			return 0;
		case effSetSampleRate: setSampleRate(opt); return 0;
		case effSetBlockSize: setBlockSize(static_cast<VstInt32>(value)); return 0;
		case effMainsChanged:
			if (value == 0)
				suspend();
			else
				resume();
			return 0;
		case effEditGetRect: return (editor && ptr) ? (editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0) : 0;
		case effEditOpen: return editor ? (editor->open(ptr) ? 1 : 0) : 0;
		case effEditClose:
			if (editor)
				editor->close();
			return 0;
		case effEditIdle:
			if (editor)
				editor->idle();
			return 0;
		case effIdentify: return fourCharConstant('N', 'v', 'E', 'f');
		case effGetChunk: return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
		case effSetChunk: return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
		default: return 0;
	}
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value)
{
	setParameter(index, value);
	callHost(audioMasterAutomate, index, 0, nullptr, value);
}

VstInt32 AudioEffect::getMasterVersion()
{
	VstIntPtr version = callHost(audioMasterVersion);
	return version ? static_cast<VstInt32>(version) : 1;
}

VstInt32 AudioEffect::getCurrentUniqueId()
{
	return static_cast<VstInt32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle()
{
	callHost(audioMasterIdle);
}

bool AudioEffect::__isInputConnectedDeprecated(VstInt32 input)
{
	return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::__isOutputConnectedDeprecated(VstInt32 output)
{
	return callHost(audioMasterPinConnected, output, 1) == 0;
}

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen)
{
	if (value <= 0.f)
		copyCut(text, "-oo", maxLen);
	else // also a value that is not a number, which float2string names
		float2string(static_cast<float>(20. * std::log10(static_cast<double>(value))), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen)
{
	float2string(samples == 0.f ? 0.f : getSampleRate() / samples, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen)
{
	float2string(static_cast<float>(samples * 1000. / getSampleRate()), text, maxLen);
}

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen)
{
	constexpr int kBudget = 8; // characters, sign and point included
	double v = value;
	if (std::isnan(v))
	{
		copyCut(text, "NaN", maxLen);
		return;
	}
	bool negative = v < 0;
	int count = 0;
	if (negative)
	{
		v = -v;
		count = 1;
	}
	// An integer part that does not fit the budget beside the sign and the
	// point is "Huge!" rather than a number with its leading digits lost.
	double limit = negative ? 1000000. : 10000000.;
	if (!(v < limit))
	{
		copyCut(text, "Huge!", maxLen);
		return;
	}
	count++; // the point

	char digits[kBudget + 1];
	int numDigits = 0;
	auto integer = static_cast<std::int64_t>(std::floor(v));
	digits[numDigits++] = static_cast<char>('0' + integer % 10);
	count++;
	while (integer / 10 >= 1 && count < kBudget)
	{
		integer /= 10;
		digits[numDigits++] = static_cast<char>('0' + integer % 10);
		count++;
	}

	char buffer[2 * kBudget + 2];
	int pos = 0;
	if (negative)
		buffer[pos++] = '-';
	while (numDigits > 0)
		buffer[pos++] = digits[--numDigits];
	buffer[pos++] = '.';

	// Fraction digits are truncated, never rounded.
	int fractionDigits = kBudget - count;
	if (fractionDigits > 0)
	{
		auto m = static_cast<std::int64_t>(std::fmod(v, 1.) * std::pow(10., fractionDigits));
		for (int i = fractionDigits - 1; i >= 0; i--)
		{
			buffer[pos + i] = m > 0 ? static_cast<char>('0' + m % 10) : '0';
			m /= 10;
		}
		pos += fractionDigits;
	}
	buffer[pos] = 0;
	copyCut(text, buffer, maxLen);
}

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen)
{
	// Negative values beyond the same eight digits would produce digits
	// above 9 (and the most negative value cannot be negated at all).
	if (value > 99999999 || value < -99999999)
	{
		copyCut(text, "Huge!", maxLen);
		return;
	}
	char buffer[16];
	int pos = 0;
	if (value < 0)
	{
		buffer[pos++] = '-';
		value = -value;
	}
	bool started = false;
	for (VstInt32 divisor = 100000000; divisor >= 1; divisor /= 10)
	{
		VstInt32 digit = value / divisor;
		value -= digit * divisor;
		if (digit != 0 || started || divisor == 1)
		{
			buffer[pos++] = static_cast<char>('0' + digit);
			started = true;
		}
	}
	buffer[pos] = 0;
	copyCut(text, buffer, maxLen);
}

VstIntPtr AudioEffect::dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                           float opt)
{
	AudioEffect* effect = effectOf(e);
	if (!effect)
		return 0;
	if (opcode == effClose)
	{
		effect->dispatcher(opcode, index, value, ptr, opt);
		delete effect;
		return 1;
	}
	return effect->dispatcher(opcode, index, value, ptr, opt);
}

float AudioEffect::getParameterClass(AEffect* e, VstInt32 index)
{
	AudioEffect* effect = effectOf(e);
	return effect ? effect->getParameter(index) : 0.f;
}

void AudioEffect::setParameterClass(AEffect* e, VstInt32 index, float value)
{
	if (AudioEffect* effect = effectOf(e))
		effect->setParameter(index, value);
}

void AudioEffect::processClassReplacing(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames)
{
	if (AudioEffect* effect = effectOf(e))
		effect->processReplacing(inputs, outputs, sampleFrames);
}

void AudioEffect::processClassDoubleReplacing(AEffect* e, double** inputs, double** outputs, VstInt32 sampleFrames)
{
	if (AudioEffect* effect = effectOf(e))
		effect->processDoubleReplacing(inputs, outputs, sampleFrames);
}

void AudioEffect::__processClassDeprecated(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames)
{
	if (AudioEffect* effect = effectOf(e))
		effect->__processDeprecated(inputs, outputs, sampleFrames);
}
