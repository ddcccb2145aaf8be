#include "tools/vsthost/pluginhost.h"

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

namespace corvane
{

namespace
{

using EntryPoint = AEffect* (*)(audioMasterCallback);

// The callback carries no user data: a plug-in is found by its record, and
// callbacks made while the entry point runs (when the host does not know the
// record yet) go to the plug-in being loaded on this thread.
std::mutex gRegistryMutex;
std::map<AEffect*, HostedPlugin*> gRegistry;
thread_local HostedPlugin* tLoading = nullptr;

constexpr std::array<const char*, 50> kHostOpcodeNames = {
    "audioMasterAutomate",
    "audioMasterVersion",
    "audioMasterCurrentId",
    "audioMasterIdle",
    "audioMasterPinConnected",
    "opcode 5",
    "audioMasterWantMidi",
    "audioMasterGetTime",
    "audioMasterProcessEvents",
    "audioMasterSetTime",
    "audioMasterTempoAt",
    "audioMasterGetNumAutomatableParameters",
    "audioMasterGetParameterQuantization",
    "audioMasterIOChanged",
    "audioMasterNeedIdle",
    "audioMasterSizeWindow",
    "audioMasterGetSampleRate",
    "audioMasterGetBlockSize",
    "audioMasterGetInputLatency",
    "audioMasterGetOutputLatency",
    "audioMasterGetPreviousPlug",
    "audioMasterGetNextPlug",
    "audioMasterWillReplaceOrAccumulate",
    "audioMasterGetCurrentProcessLevel",
    "audioMasterGetAutomationState",
    "audioMasterOfflineStart",
    "audioMasterOfflineRead",
    "audioMasterOfflineWrite",
    "audioMasterOfflineGetCurrentPass",
    "audioMasterOfflineGetCurrentMetaPass",
    "audioMasterSetOutputSampleRate",
    "audioMasterGetOutputSpeakerArrangement",
    "audioMasterGetVendorString",
    "audioMasterGetProductString",
    "audioMasterGetVendorVersion",
    "audioMasterVendorSpecific",
    "audioMasterSetIcon",
    "audioMasterCanDo",
    "audioMasterGetLanguage",
    "audioMasterOpenWindow",
    "audioMasterCloseWindow",
    "audioMasterGetDirectory",
    "audioMasterUpdateDisplay",
    "audioMasterBeginEdit",
    "audioMasterEndEdit",
    "audioMasterOpenFileSelector",
    "audioMasterCloseFileSelector",
    "audioMasterEditFile",
    "audioMasterGetChunkFile",
    "audioMasterGetInputSpeakerArrangement",
};

void copyString(void* to, const char* from, std::size_t size)
{
	if (!to)
		return;
	std::size_t length = strnlen(from, size - 1);
	std::memcpy(to, from, length);
	static_cast<char*>(to)[length] = 0;
}

constexpr std::array<const char*, 80> kEffectOpcodeNames = {
    "effOpen",
    "effClose",
    "effSetProgram",
    "effGetProgram",
    "effSetProgramName",
    "effGetProgramName",
    "effGetParamLabel",
    "effGetParamDisplay",
    "effGetParamName",
    "effGetVu",
    "effSetSampleRate",
    "effSetBlockSize",
    "effMainsChanged",
    "effEditGetRect",
    "effEditOpen",
    "effEditClose",
    "effEditDraw",
    "effEditMouse",
    "effEditKey",
    "effEditIdle",
    "effEditTop",
    "effEditSleep",
    "effIdentify",
    "effGetChunk",
    "effSetChunk",
    "effProcessEvents",
    "effCanBeAutomated",
    "effString2Parameter",
    "effGetNumProgramCategories",
    "effGetProgramNameIndexed",
    "effCopyProgram",
    "effConnectInput",
    "effConnectOutput",
    "effGetInputProperties",
    "effGetOutputProperties",
    "effGetPlugCategory",
    "effGetCurrentPosition",
    "effGetDestinationBuffer",
    "effOfflineNotify",
    "effOfflinePrepare",
    "effOfflineRun",
    "effProcessVarIo",
    "effSetSpeakerArrangement",
    "effSetBlockSizeAndSampleRate",
    "effSetBypass",
    "effGetEffectName",
    "effGetErrorText",
    "effGetVendorString",
    "effGetProductString",
    "effGetVendorVersion",
    "effVendorSpecific",
    "effCanDo",
    "effGetTailSize",
    "effIdle",
    "effGetIcon",
    "effSetViewPosition",
    "effGetParameterProperties",
    "effKeysRequired",
    "effGetVstVersion",
    "effEditKeyDown",
    "effEditKeyUp",
    "effSetEditKnobMode",
    "effGetMidiProgramName",
    "effGetCurrentMidiProgram",
    "effGetMidiProgramCategory",
    "effHasMidiProgramsChanged",
    "effGetMidiKeyName",
    "effBeginSetProgram",
    "effEndSetProgram",
    "effGetSpeakerArrangement",
    "effShellGetNextPlugin",
    "effStartProcess",
    "effStopProcess",
    "effSetTotalSampleToProcess",
    "effSetPanLaw",
    "effBeginLoadBank",
    "effBeginLoadProgram",
    "effSetProcessPrecision",
    "effGetNumMidiInputChannels",
    "effGetNumMidiOutputChannels",
};

// Plain memory, no locks: the reader may be another process that only looks
// once this one has died.
char* gCallMarker = nullptr;
std::size_t gCallMarkerSize = 0;

void markCall(const char* name)
{
	if (gCallMarker)
		copyString(gCallMarker, name, gCallMarkerSize);
}

void markCall(VstInt32 opcode)
{
	if (!gCallMarker)
		return;
	if (opcode >= 0 && static_cast<std::size_t>(opcode) < kEffectOpcodeNames.size())
		markCall(kEffectOpcodeNames[static_cast<std::size_t>(opcode)]);
	else
		markCall(("opcode " + std::to_string(opcode)).c_str());
}

constexpr VstInt32 kProcessLevelUser = 1;
constexpr VstInt32 kAutomationOff = 1;
constexpr VstInt32 kLanguageEnglish = 1;

} // namespace

std::string hostOpcodeName(VstInt32 opcode)
{
	if (opcode >= 0 && static_cast<std::size_t>(opcode) < kHostOpcodeNames.size())
		return kHostOpcodeNames[static_cast<std::size_t>(opcode)];
	return "opcode " + std::to_string(opcode);
}

std::string effectOpcodeName(VstInt32 opcode)
{
	if (opcode >= 0 && static_cast<std::size_t>(opcode) < kEffectOpcodeNames.size())
		return kEffectOpcodeNames[static_cast<std::size_t>(opcode)];
	return "opcode " + std::to_string(opcode);
}

void setCallMarker(char* buffer, std::size_t size)
{
	gCallMarker = size > 0 ? buffer : nullptr;
	gCallMarkerSize = size;
}

std::unique_ptr<HostedPlugin> HostedPlugin::load(const std::string& path, std::string& error, HostOptions options)
{
	std::unique_ptr<HostedPlugin> plugin(new HostedPlugin);
	plugin->options_ = std::move(options);

	// A bare file name would make dlopen search the library path instead.
	std::string file = path.find('/') == std::string::npos ? "./" + path : path;
	int mode = RTLD_NOW | RTLD_LOCAL | (plugin->options_.unloadModule ? 0 : RTLD_NODELETE);
	plugin->library_ = dlopen(file.c_str(), mode);
	if (!plugin->library_)
	{
		const char* why = dlerror();
		error = std::string("cannot load plug-in: ") + (why ? why : path);
		return nullptr;
	}
	auto entry = reinterpret_cast<EntryPoint>(dlsym(plugin->library_, "VSTPluginMain"));
	if (!entry)
		entry = reinterpret_cast<EntryPoint>(dlsym(plugin->library_, "main"));
	if (!entry)
	{
		error = "not a VST 2.4 plug-in: " + path + " exports no VSTPluginMain";
		return nullptr;
	}

	tLoading = plugin.get();
	markCall("VSTPluginMain");
	AEffect* effect = entry(&HostedPlugin::callback);
	tLoading = nullptr;
	if (!effect)
	{
		error = "the plug-in " + path + " refused to start (its entry point answered null)";
		return nullptr;
	}
	if (effect->magic != kEffectMagic)
	{
		error = "not a VST 2.4 plug-in: " + path + " answered a record without the 'VstP' magic";
		return nullptr;
	}
	// Every request goes through the dispatcher; without one the record is
	// unusable, and we cannot even ask it to close.
	if (!effect->dispatcher)
	{
		error = "not a usable VST 2.4 plug-in: " + path + " answered a record without a dispatcher";
		return nullptr;
	}
	plugin->effect_ = effect;
	std::lock_guard<std::mutex> lock(gRegistryMutex);
	gRegistry[effect] = plugin.get();
	return plugin;
}

HostedPlugin::~HostedPlugin()
{
	close();
	if (library_)
		dlclose(library_);
}

VstIntPtr HostedPlugin::close()
{
	if (!effect_)
		return 0;
	AEffect* effect = effect_;
	markCall(effClose);
	VstIntPtr result = effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.f);
	effect_ = nullptr;
	std::lock_guard<std::mutex> lock(gRegistryMutex);
	gRegistry.erase(effect);
	return result;
}

VstIntPtr HostedPlugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
	if (!effect_)
		return 0;
	if (opcode == effClose)
		return close();
	markCall(opcode);
	return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string HostedPlugin::getString(VstInt32 opcode, VstInt32 index, VstIntPtr value)
{
	// Far larger than any published limit: plug-ins overrun those often.
	std::array<char, 512> buffer{};
	dispatch(opcode, index, value, buffer.data());
	buffer.back() = 0;
	return buffer.data();
}

bool HostedPlugin::setEditorScale(float factor)
{
	constexpr VstInt32 kScaleIndex = fourCharConstant('P', 'r', 'e', 'S');
	constexpr VstIntPtr kScaleValue = fourCharConstant('A', 'e', 'C', 's');
	return dispatch(effVendorSpecific, kScaleIndex, kScaleValue, nullptr, factor) == 1;
}

float HostedPlugin::getParameter(VstInt32 index)
{
	if (!effect_ || !effect_->getParameter)
		return 0.f;
	markCall("getParameter");
	return effect_->getParameter(effect_, index);
}

void HostedPlugin::setParameter(VstInt32 index, float value)
{
	if (!effect_ || !effect_->setParameter)
		return;
	markCall("setParameter");
	effect_->setParameter(effect_, index, value);
}

void HostedPlugin::processReplacing(float** inputs, float** outputs, VstInt32 frames)
{
	if (!effect_ || !effect_->processReplacing)
		return;
	markCall("processReplacing");
	effect_->processReplacing(effect_, inputs, outputs, frames);
}

void HostedPlugin::processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames)
{
	if (!effect_ || !effect_->processDoubleReplacing)
		return;
	markCall("processDoubleReplacing");
	effect_->processDoubleReplacing(effect_, inputs, outputs, frames);
}

std::vector<HostCall> HostedPlugin::calls() const
{
	std::lock_guard<std::mutex> lock(mutex_);
	return calls_;
}

void HostedPlugin::clearCalls()
{
	std::lock_guard<std::mutex> lock(mutex_);
	calls_.clear();
}

std::size_t HostedPlugin::countCalls(VstInt32 opcode) const
{
	std::lock_guard<std::mutex> lock(mutex_);
	return static_cast<std::size_t>(
	    std::count_if(calls_.begin(), calls_.end(), [opcode](const HostCall& c) { return c.opcode == opcode; }));
}

VstIntPtr HostedPlugin::callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt)
{
	HostedPlugin* plugin = nullptr;
	if (effect)
	{
		std::lock_guard<std::mutex> lock(gRegistryMutex);
		auto it = gRegistry.find(effect);
		if (it != gRegistry.end())
			plugin = it->second;
	}
	if (!plugin)
		plugin = tLoading;

	HostCall call{opcode, index, value, ptr, opt, {}};
	if (opcode == audioMasterCanDo && ptr)
		call.text = static_cast<const char*>(ptr);
	if (!plugin) // a callback from a plug-in we do not know: answer as a plain host
		return opcode == audioMasterVersion ? kVstVersion : 0;
	return plugin->answer(call);
}

VstIntPtr HostedPlugin::answer(const HostCall& call)
{
	{
		std::lock_guard<std::mutex> lock(mutex_);
		calls_.push_back(call);
	}
	std::optional<VstIntPtr> result;
	if (options_.handler)
		result = options_.handler(call);
	if (!result)
	{
		switch (call.opcode)
		{
			case audioMasterVersion: result = options_.version; break;
			case audioMasterCurrentId: result = effect_ ? effect_->uniqueID : 0; break;
			case audioMasterGetSampleRate: result = static_cast<VstIntPtr>(options_.sampleRate); break;
			case audioMasterGetBlockSize: result = options_.blockSize; break;
			case audioMasterGetCurrentProcessLevel: result = kProcessLevelUser; break;
			case audioMasterGetAutomationState: result = kAutomationOff; break;
			case audioMasterGetLanguage: result = kLanguageEnglish; break;
			case audioMasterGetVendorString:
				copyString(call.ptr, "Halvenor", 64);
				result = 1;
				break;
			case audioMasterGetProductString:
				copyString(call.ptr, "corvane-host", 64);
				result = 1;
				break;
			case audioMasterGetVendorVersion: result = 1000; break;
			case audioMasterBeginEdit:
			case audioMasterEndEdit:
			case audioMasterUpdateDisplay: result = 1; break;
			case audioMasterCanDo: result = -1; break; // says "no" to every capability
			default: result = 0; break;
		}
	}
	if (options_.observer)
		options_.observer(call, *result);
	return *result;
}

std::vector<std::string> effectFlagNames(VstInt32 flags)
{
	static const std::pair<VstInt32, const char*> kNames[] = {
	    {effFlagsHasEditor, "HasEditor"},
	    {effFlagsHasClip, "HasClip"},
	    {effFlagsHasVu, "HasVu"},
	    {effFlagsCanMono, "CanMono"},
	    {effFlagsCanReplacing, "CanReplacing"},
	    {effFlagsProgramChunks, "ProgramChunks"},
	    {effFlagsIsSynth, "IsSynth"},
	    {effFlagsNoSoundInStop, "NoSoundInStop"},
	    {effFlagsExtIsAsync, "ExtIsAsync"},
	    {effFlagsExtHasBuffer, "ExtHasBuffer"},
	    {effFlagsCanDoubleReplacing, "CanDoubleReplacing"},
	};
	std::vector<std::string> names;
	VstInt32 known = 0;
	for (const auto& [bit, name] : kNames)
	{
		known |= bit;
		if (flags & bit)
			names.emplace_back(name);
	}
	for (int bit = 0; bit < 32; bit++)
	{
		auto mask = static_cast<VstInt32>(1u << bit);
		if ((flags & mask) && !(known & mask))
			names.push_back("bit" + std::to_string(bit));
	}
	return names;
}

std::string fourCharString(VstInt32 id)
{
	std::string text;
	for (int shift = 24; shift >= 0; shift -= 8)
	{
		auto c = static_cast<unsigned char>((static_cast<std::uint32_t>(id) >> shift) & 0xff);
		text += (c >= 32 && c < 127) ? static_cast<char>(c) : '.';
	}
	return text;
}

std::string categoryName(VstIntPtr category)
{
	static const char* kNames[] = {"unknown",     "effect",          "synth",   "analysis",
	                               "mastering",   "spatializer",     "room fx", "surround fx",
	                               "restoration", "offline process", "shell",   "generator"};
	if (category >= 0 && static_cast<std::size_t>(category) < std::size(kNames))
		return kNames[category];
	return "unknown (" + std::to_string(category) + ")";
}

} // namespace corvane
