#include "host/audioeffectx.h"

#include "host/aeffeditor.h"

#include <cstdlib>
#include <cstring>

namespace
{

constexpr std::size_t kArrangementHeader = offsetof(VstSpeakerArrangement, speakers);

// Speakers follow the header for as many channels as the block was made
// for, which may be more than the declared array holds.
VstSpeakerProperties* speakerAt(VstSpeakerArrangement* arrangement, VstInt32 i)
{
	auto* first = reinterpret_cast<char*>(arrangement) + kArrangementHeader;
	return reinterpret_cast<VstSpeakerProperties*>(first + sizeof(VstSpeakerProperties) * static_cast<std::size_t>(i));
}

VstIntPtr asBool(bool b)
{
	return b ? 1 : 0;
}

} // namespace

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
	auto* text = static_cast<char*>(ptr);
	switch (opcode)
	{
		case effProcessEvents: return processEvents(static_cast<VstEvents*>(ptr));
		case effCanBeAutomated: return asBool(canParameterBeAutomated(index));
		case effString2Parameter: return text ? asBool(string2parameter(index, text)) : 0;
		case effGetProgramNameIndexed:
			return text ? asBool(getProgramNameIndexed(static_cast<VstInt32>(value), index, text)) : 0;
		case effGetInputProperties: return asBool(getInputProperties(index, static_cast<VstPinProperties*>(ptr)));
		case effGetOutputProperties: return asBool(getOutputProperties(index, static_cast<VstPinProperties*>(ptr)));
		case effGetPlugCategory: return static_cast<VstIntPtr>(static_cast<std::uint32_t>(getPlugCategory()));
		case effOfflineNotify:
			return asBool(offlineNotify(static_cast<VstAudioFile*>(ptr), static_cast<VstInt32>(value), index != 0));
		case effOfflinePrepare:
			return asBool(offlinePrepare(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value)));
		case effOfflineRun: return asBool(offlineRun(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value)));
		case effProcessVarIo: return asBool(processVariableIo(static_cast<VstVariableIo*>(ptr)));
		case effSetSpeakerArrangement:
			return asBool(setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
			                                    static_cast<VstSpeakerArrangement*>(ptr)));
		case effSetBypass: return asBool(setBypass(value != 0));
		case effGetEffectName: return text ? asBool(getEffectName(text)) : 0;
		case effGetVendorString: return text ? asBool(getVendorString(text)) : 0;
		case effGetProductString: return text ? asBool(getProductString(text)) : 0;
		case effGetVendorVersion: return getVendorVersion();
		case effVendorSpecific: return vendorSpecific(index, value, ptr, opt);
		case effCanDo: return text ? canDo(text) : 0;
		case effGetTailSize: return getGetTailSize();
		case effGetParameterProperties:
			return asBool(getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)));
		case effGetVstVersion: return getVstVersion();
		case effEditKeyDown:
		case effEditKeyUp:
		case effSetEditKnobMode:
		{
			if (!editor)
				return 0;
			if (opcode == effSetEditKnobMode)
				return asBool(editor->setKnobMode(static_cast<VstInt32>(value)));
			VstKeyCode key{index, static_cast<unsigned char>(value & 0xff),
			               static_cast<unsigned char>(static_cast<VstInt32>(opt) & 0xff)};
			return asBool(opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key));
		}
		case effGetMidiProgramName: return getMidiProgramName(index, static_cast<MidiProgramName*>(ptr));
		case effGetCurrentMidiProgram: return getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr));
		case effGetMidiProgramCategory: return getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr));
		case effHasMidiProgramsChanged: return asBool(hasMidiProgramsChanged(index));
		case effGetMidiKeyName: return asBool(getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)));
		case effBeginSetProgram: return asBool(beginSetProgram());
		case effEndSetProgram: return asBool(endSetProgram());
		case effGetSpeakerArrangement:
			return asBool(getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
			                                    static_cast<VstSpeakerArrangement**>(ptr)));
		case effShellGetNextPlugin: return text ? getNextShellPlugin(text) : 0;
		case effStartProcess: return startProcess();
		case effStopProcess: return stopProcess();
		case effSetTotalSampleToProcess: return setTotalSampleToProcess(static_cast<VstInt32>(value));
		case effSetPanLaw: return asBool(setPanLaw(static_cast<VstInt32>(value), opt));
		case effBeginLoadBank: return beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr));
		case effBeginLoadProgram: return beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr));
		case effSetProcessPrecision: return asBool(setProcessPrecision(static_cast<VstInt32>(value)));
		case effGetNumMidiInputChannels: return getNumMidiInputChannels();
		case effGetNumMidiOutputChannels: return getNumMidiOutputChannels();
		default: return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
	}
}

void AudioEffectX::resume()
{
	if ((cEffect.flags & effFlagsIsSynth) || canDo(const_cast<char*>(PlugCanDos::canDoReceiveVstMidiEvent)) == 1)
		__wantEventsDeprecated(1);
}

VstPlugCategory AudioEffectX::getPlugCategory()
{
	return (cEffect.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput)
{
	if (pluginInput)
		*pluginInput = nullptr;
	if (pluginOutput)
		*pluginOutput = nullptr;
	return false;
}

// Host services -----------------------------------------------------------

bool AudioEffectX::beginEdit(VstInt32 index)
{
	return callHost(audioMasterBeginEdit, index) != 0;
}

bool AudioEffectX::endEdit(VstInt32 index)
{
	return callHost(audioMasterEndEdit, index) != 0;
}

bool AudioEffectX::ioChanged()
{
	return callHost(audioMasterIOChanged) != 0;
}

double AudioEffectX::updateSampleRate()
{
	VstIntPtr answer = callHost(audioMasterGetSampleRate);
	if (answer > 0)
		sampleRate = static_cast<float>(answer);
	return sampleRate;
}

VstInt32 AudioEffectX::updateBlockSize()
{
	auto answer = static_cast<VstInt32>(callHost(audioMasterGetBlockSize));
	if (answer > 0)
		blockSize = answer;
	return blockSize;
}

VstInt32 AudioEffectX::getInputLatency()
{
	return static_cast<VstInt32>(callHost(audioMasterGetInputLatency));
}

VstInt32 AudioEffectX::getOutputLatency()
{
	return static_cast<VstInt32>(callHost(audioMasterGetOutputLatency));
}

VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter)
{
	return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

VstInt32 AudioEffectX::getCurrentProcessLevel()
{
	return static_cast<VstInt32>(callHost(audioMasterGetCurrentProcessLevel));
}

VstInt32 AudioEffectX::getAutomationState()
{
	return static_cast<VstInt32>(callHost(audioMasterGetAutomationState));
}

bool AudioEffectX::sendVstEventsToHost(VstEvents* events)
{
	return callHost(audioMasterProcessEvents, 0, 0, events) == 1;
}

bool AudioEffectX::getHostVendorString(char* text)
{
	return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool AudioEffectX::getHostProductString(char* text)
{
	return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}

VstInt32 AudioEffectX::getHostVendorVersion()
{
	return static_cast<VstInt32>(callHost(audioMasterGetVendorVersion));
}

VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 lArg1, VstIntPtr lArg2, void* ptrArg, float floatArg)
{
	return callHost(audioMasterVendorSpecific, lArg1, lArg2, ptrArg, floatArg);
}

bool AudioEffectX::canHostDo(char* text)
{
	return callHost(audioMasterCanDo, 0, 0, text) != 0;
}

VstInt32 AudioEffectX::getHostLanguage()
{
	return static_cast<VstInt32>(callHost(audioMasterGetLanguage));
}

VstIntPtr AudioEffectX::vendorSpecific(VstInt32 index, VstIntPtr value, void*, float opt)
{
	constexpr VstInt32 kScaleRequest = 0x50726553;       // 'PreS'
	constexpr VstIntPtr kScaleRequestValue = 0x41654373; // 'AeCs'
	if (index != kScaleRequest || value != kScaleRequestValue || !editor)
		return 0;
	return editor->setContentScaleFactor(opt) ? 1 : 0;
}

void* AudioEffectX::getDirectory()
{
	return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}

bool AudioEffectX::updateDisplay()
{
	return callHost(audioMasterUpdateDisplay) != 0;
}

bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height)
{
	return callHost(audioMasterSizeWindow, width, height) != 0;
}

bool AudioEffectX::openFileSelector(VstFileSelect* ptr)
{
	return ptr && callHost(audioMasterOpenFileSelector, 0, 0, ptr) != 0;
}

bool AudioEffectX::closeFileSelector(VstFileSelect* ptr)
{
	return ptr && callHost(audioMasterCloseFileSelector, 0, 0, ptr) != 0;
}

bool AudioEffectX::offlineRead(VstOfflineTask* offline, VstInt32 option, bool readSource)
{
	return callHost(audioMasterOfflineRead, readSource, option, offline) != 0;
}

bool AudioEffectX::offlineWrite(VstOfflineTask* offline, VstInt32 option)
{
	return callHost(audioMasterOfflineWrite, 0, option, offline) != 0;
}

bool AudioEffectX::offlineStart(VstAudioFile* ptr, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles)
{
	return callHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, ptr) != 0;
}

VstInt32 AudioEffectX::offlineGetCurrentPass()
{
	return callHost(audioMasterOfflineGetCurrentPass) != 0;
}

VstInt32 AudioEffectX::offlineGetCurrentMetaPass()
{
	return callHost(audioMasterOfflineGetCurrentMetaPass) != 0;
}

// Speaker arrangements ----------------------------------------------------

bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement, VstInt32 numChannels)
{
	if (!arrangement || numChannels < 0)
		return false;
	std::free(*arrangement);
	*arrangement = nullptr;
	std::size_t size = kArrangementHeader + sizeof(VstSpeakerProperties) * static_cast<std::size_t>(numChannels);
	auto* block = static_cast<VstSpeakerArrangement*>(std::calloc(1, size));
	if (!block)
		return false;
	block->numChannels = numChannels;
	*arrangement = block;
	return true;
}

bool AudioEffectX::deallocateArrangement(VstSpeakerArrangement** arrangement)
{
	if (arrangement && *arrangement)
	{
		std::free(*arrangement);
		*arrangement = nullptr;
	}
	return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from)
{
	if (!to || !from)
		return false;
	// At most 63 characters: the source need not be terminated.
	std::size_t length = strnlen(from->name, sizeof(to->name) - 1);
	std::memcpy(to->name, from->name, length);
	to->name[length] = 0;
	to->type = from->type;
	to->azimuth = from->azimuth;
	to->elevation = from->elevation;
	to->radius = from->radius;
	to->reserved = from->reserved;
	std::memcpy(to->future, from->future, sizeof(to->future));
	return true;
}

bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from)
{
	if (!from || !to)
		return false;
	deallocateArrangement(to);
	if (!allocateArrangement(to, from->numChannels))
		return false;
	(*to)->type = from->type;
	for (VstInt32 i = 0; i < from->numChannels; i++)
	{
		if (!copySpeaker(speakerAt(*to, i), speakerAt(from, i)))
			return false;
	}
	return true;
}

// Deprecated host services --------------------------------------------------

void AudioEffectX::__wantEventsDeprecated(VstInt32 filter)
{
	callHost(audioMasterWantMidi, 0, filter);
}

VstInt32 AudioEffectX::__tempoAtDeprecated(VstInt32 pos)
{
	return static_cast<VstInt32>(callHost(audioMasterTempoAt, 0, pos));
}

VstInt32 AudioEffectX::__getNumAutomatableParametersDeprecated()
{
	return static_cast<VstInt32>(callHost(audioMasterGetNumAutomatableParameters));
}

VstInt32 AudioEffectX::__getParameterQuantizationDeprecated()
{
	return static_cast<VstInt32>(callHost(audioMasterGetParameterQuantization));
}

bool AudioEffectX::__needIdleDeprecated()
{
	return callHost(audioMasterNeedIdle) != 0;
}

AEffect* AudioEffectX::__getPreviousPlugDeprecated(VstInt32)
{
	return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug));
}

AEffect* AudioEffectX::__getNextPlugDeprecated(VstInt32)
{
	return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug));
}

VstInt32 AudioEffectX::__willProcessReplacingDeprecated()
{
	return static_cast<VstInt32>(callHost(audioMasterWillReplaceOrAccumulate));
}

void AudioEffectX::__setOutputSamplerateDeprecated(float samplerate)
{
	callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, samplerate);
}

VstSpeakerArrangement* AudioEffectX::__getInputSpeakerArrangementDeprecated()
{
	return reinterpret_cast<VstSpeakerArrangement*>(callHost(audioMasterGetInputSpeakerArrangement));
}

VstSpeakerArrangement* AudioEffectX::__getOutputSpeakerArrangementDeprecated()
{
	return reinterpret_cast<VstSpeakerArrangement*>(callHost(audioMasterGetOutputSpeakerArrangement));
}

void* AudioEffectX::__openWindowDeprecated(void* window)
{
	return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}

bool AudioEffectX::__closeWindowDeprecated(void* window)
{
	return callHost(audioMasterCloseWindow, 0, 0, window) != 0;
}

bool AudioEffectX::__getChunkFileDeprecated(void* nativePath)
{
	return nativePath && callHost(audioMasterGetChunkFile, 0, 0, nativePath) != 0;
}
