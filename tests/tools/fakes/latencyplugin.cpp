// A one-in, two-out plug-in with a look-ahead and a tail, as limiters and
// reverbs have: output 0 is the input kLatency samples late, output 1 an
// echo of half the input kEcho samples after that. It knows its delay only
// once switched on, and tells the host then; built with
// DELAY_IN_FIRST_PROCESS, only in its first process call, as LSP's do.
#include "host/aeffectx.h"

#include <cstdio>
#include <vector>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace
{

constexpr VstInt32 kLatency = 240;
constexpr VstInt32 kEcho = 300;

struct LatencyPlugin
{
	AEffect effect{};
	audioMasterCallback host = nullptr;
	std::vector<float> history = std::vector<float>(kLatency + kEcho + 1, 0.f);
	std::size_t position = 0;
};

LatencyPlugin& self(AEffect* effect)
{
	return *static_cast<LatencyPlugin*>(effect->object);
}

VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32, [[maybe_unused]] VstIntPtr value, void* ptr, float)
{
	LatencyPlugin& p = self(effect);
	switch (opcode)
	{
		case effClose: delete &p; return 1;
		case effMainsChanged:
#ifndef DELAY_IN_FIRST_PROCESS
			if (value)
			{
				effect->initialDelay = kLatency;
				p.host(effect, audioMasterIOChanged, 0, 0, nullptr, 0.f);
			}
#endif
			return 0;
		case effGetTailSize: return kEcho;
		case effGetEffectName: std::snprintf(static_cast<char*>(ptr), kVstMaxEffectNameLen, "Fake Latency"); return 1;
	}
	return 0;
}

void setParameter(AEffect*, VstInt32, float) {}

float getParameter(AEffect*, VstInt32)
{
	return 0.f;
}

void processReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames)
{
	LatencyPlugin& p = self(effect);
#ifdef DELAY_IN_FIRST_PROCESS
	if (effect->initialDelay != kLatency)
	{
		effect->initialDelay = kLatency;
		p.host(effect, audioMasterIOChanged, 0, 0, nullptr, 0.f);
	}
#endif
	std::size_t size = p.history.size();
	for (VstInt32 i = 0; i < frames; i++)
	{
		p.history[p.position] = inputs[0][i];
		outputs[0][i] = p.history[(p.position + size - kLatency) % size];
		outputs[1][i] = 0.5f * p.history[(p.position + size - kLatency - kEcho) % size];
		p.position = (p.position + 1) % size;
	}
}

} // namespace

EXPORT AEffect* VSTPluginMain(audioMasterCallback host)
{
	auto* p = new LatencyPlugin;
	p->host = host;
	AEffect& e = p->effect;
	e.magic = kEffectMagic;
	e.dispatcher = dispatch;
	e.setParameter = setParameter;
	e.getParameter = getParameter;
	e.processReplacing = processReplacing;
	e.numInputs = 1;
	e.numOutputs = 2;
	e.flags = effFlagsCanReplacing;
	e.object = p;
	return &e;
}
