// The LV2 plug-in: Corvane's effect behind LV2's entry point. The effect is
// the very class the VST2 module runs, driven the way a VST2 host drives it
// in single precision, so both formats give the same samples.
#include "effect/corvane.h"
#include "effect/distance.h"
#include "lv2/lv2ports.h"

#include <lv2/core/lv2.h>

#include <cstring>
#include <new>

namespace
{

using namespace corvane::lv2;

// Without a host callback and without editor hooks: no editor, and every
// host service answers its default.
class Lv2Corvane : public Corvane
{
public:
	explicit Lv2Corvane(double sampleRate) : Corvane(nullptr) { setSampleRate(static_cast<float>(sampleRate)); }

	// LV2 asks a fresh start at every activation, which VST2's resume does
	// not.
	void resetFilter() { filter.reset(); }

	float* ports[kPortCount] = {};
};

LV2_Handle instantiate(const LV2_Descriptor*, double sampleRate, const char*, const LV2_Feature* const*)
{
	// The host's rate is a double; the effect holds it as a float, as VST2
	// hosts pass it. Common rates are exact in both.
	if (!(sampleRate > 0.))
		return nullptr;
	return new (std::nothrow) Lv2Corvane(sampleRate);
}

void connectPort(LV2_Handle instance, std::uint32_t port, void* data)
{
	if (port < kPortCount)
		static_cast<Lv2Corvane*>(instance)->ports[port] = static_cast<float*>(data);
}

void activate(LV2_Handle instance)
{
	static_cast<Lv2Corvane*>(instance)->resetFilter();
}

// Audio thread: the effect's parameter and bypass are lock-free stores, its
// processing allocates nothing.
void run(LV2_Handle instance, std::uint32_t frames)
{
	auto* plugin = static_cast<Lv2Corvane*>(instance);
	float** ports = plugin->ports;
	if (!ports[kInLeft] || !ports[kInRight] || !ports[kOutLeft] || !ports[kOutRight])
		return;
	// A NaN distance is ignored by the effect, one out of range limited.
	if (ports[kDistance])
		plugin->setParameter(Corvane::kDistance, valueOfMetres(*ports[kDistance]));
	plugin->setBypass(ports[kEnabled] && !(*ports[kEnabled] > 0.5f));
	float* inputs[2] = {ports[kInLeft], ports[kInRight]};
	float* outputs[2] = {ports[kOutLeft], ports[kOutRight]};
	plugin->processReplacing(inputs, outputs, static_cast<VstInt32>(frames));
}

void cleanup(LV2_Handle instance)
{
	delete static_cast<Lv2Corvane*>(instance);
}

const void* extensionData(const char*)
{
	return nullptr;
}

const LV2_Descriptor kDescriptor = {kPluginUri, instantiate, connectPort, activate,
                                    run,        nullptr,     cleanup,     extensionData};

} // namespace

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(std::uint32_t index)
{
	return index == 0 ? &kDescriptor : nullptr;
}
