// A mono gain plug-in written straight against the effect record, with no
// base classes: it stands for the other plug-ins a host meets. It does not
// answer effGetProgramNameIndexed, has no double-precision path, reports an
// editor size but never opens an editor, and stays silent unless the host
// opened it, switched it on and started processing.
#include "host/aeffectx.h"

#include <cstdio>
#include <iterator>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace
{

struct Program
{
	const char* name;
	float gain;
};

constexpr Program kPrograms[] = {{"Quiet", 0.25f}, {"Half", 0.5f}, {"Unity", 1.0f}};
constexpr VstInt32 kInitialProgram = 1;
// It claims an editor, but only ever reports the size of one.
ERect gEditorRect{10, 20, 130, 320};

struct GainPlugin
{
	AEffect effect{};
	float gain = kPrograms[kInitialProgram].gain;
	VstInt32 program = kInitialProgram;
	bool opened = false;
	bool on = false;
	bool started = false;
};

GainPlugin& self(AEffect* effect)
{
	return *static_cast<GainPlugin*>(effect->object);
}

void copy(void* to, const char* text, std::size_t size)
{
	std::snprintf(static_cast<char*>(to), size, "%s", text);
}

VstIntPtr answerText(VstInt32 opcode, VstInt32 index, void* ptr, GainPlugin& p)
{
	switch (opcode)
	{
		case effGetProgramName: copy(ptr, kPrograms[p.program].name, kVstMaxProgNameLen); return 0;
		case effGetParamName: copy(ptr, index == 0 ? "Gain" : "", kVstMaxParamStrLen); return 0;
		case effGetParamLabel: copy(ptr, index == 0 ? "x" : "", kVstMaxParamStrLen); return 0;
		case effGetParamDisplay: std::snprintf(static_cast<char*>(ptr), 9, "%.3f", double(p.gain)); return 0;
		case effGetEffectName: copy(ptr, "Fake Gain", kVstMaxEffectNameLen); return 1;
		case effGetVendorString: copy(ptr, "Test Bench", kVstMaxVendorStrLen); return 1;
	}
	return 0;
}

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float)
{
	GainPlugin& p = self(effect);
	switch (opcode)
	{
		case effOpen: p.opened = true; return 0;
		case effClose: delete &p; return 1;
		case effMainsChanged: p.on = value != 0; return 0;
		case effStartProcess: p.started = true; return 0;
		case effStopProcess: p.started = false; return 0;
		case effGetProgram: return p.program;
		case effSetProgram:
			if (value >= 0 && value < VstIntPtr(std::size(kPrograms)))
				p.gain = kPrograms[p.program = VstInt32(value)].gain;
			return 0;
		case effGetPlugCategory: return kPlugCategEffect;
		case effGetVstVersion: return kVstVersion;
		case effEditGetRect: *static_cast<ERect**>(ptr) = &gEditorRect; return 1;
	}
	return answerText(opcode, index, ptr, p);
}

void setParameter(AEffect* effect, VstInt32 index, float value)
{
	if (index == 0)
		self(effect).gain = value;
}

float getParameter(AEffect* effect, VstInt32 index)
{
	return index == 0 ? self(effect).gain : 0.f;
}

void processReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames)
{
	GainPlugin& p = self(effect);
	float gain = p.opened && p.on && p.started ? p.gain : 0.f;
	for (VstInt32 i = 0; i < frames; i++)
		outputs[0][i] = inputs[0][i] * gain;
}

} // namespace

EXPORT AEffect* VSTPluginMain(audioMasterCallback host)
{
	if (!host || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.f) == 0)
		return nullptr;
	auto* p = new GainPlugin;
	AEffect& e = p->effect;
	e.magic = kEffectMagic;
	e.dispatcher = dispatch;
	e.setParameter = setParameter;
	e.getParameter = getParameter;
	e.processReplacing = processReplacing;
	e.numPrograms = VstInt32(std::size(kPrograms));
	e.numParams = 1;
	e.numInputs = 1;
	e.numOutputs = 1;
	e.flags = effFlagsCanReplacing | effFlagsHasEditor;
	e.object = p;
	e.uniqueID = fourCharConstant('f', 'G', 'a', 'n');
	e.version = 3;
	return &e;
}
