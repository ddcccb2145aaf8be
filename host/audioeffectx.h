// The extended effect: requests 25 to 79, the 2.x host services, speaker
// arrangement helpers and the published capability strings.
#pragma once

#include "host/audioeffect.h"

namespace PlugCanDos
{
inline constexpr const char* canDoSendVstEvents = "sendVstEvents";
inline constexpr const char* canDoSendVstMidiEvent = "sendVstMidiEvent";
inline constexpr const char* canDoReceiveVstEvents = "receiveVstEvents";
inline constexpr const char* canDoReceiveVstMidiEvent = "receiveVstMidiEvent";
inline constexpr const char* canDoReceiveVstTimeInfo = "receiveVstTimeInfo";
inline constexpr const char* canDoOffline = "offline";
inline constexpr const char* canDoMidiProgramNames = "midiProgramNames";
inline constexpr const char* canDoBypass = "bypass";
} // namespace PlugCanDos

namespace HostCanDos
{
inline constexpr const char* canDoSendVstEvents = "sendVstEvents";
inline constexpr const char* canDoSendVstMidiEvent = "sendVstMidiEvent";
inline constexpr const char* canDoSendVstTimeInfo = "sendVstTimeInfo";
inline constexpr const char* canDoReceiveVstEvents = "receiveVstEvents";
inline constexpr const char* canDoReceiveVstMidiEvent = "receiveVstMidiEvent";
inline constexpr const char* canDoReportConnectionChanges = "reportConnectionChanges";
inline constexpr const char* canDoAcceptIOChanges = "acceptIOChanges";
inline constexpr const char* canDoSizeWindow = "sizeWindow";
inline constexpr const char* canDoOffline = "offline";
inline constexpr const char* canDoOpenFileSelector = "openFileSelector";
inline constexpr const char* canDoCloseFileSelector = "closeFileSelector";
inline constexpr const char* canDoStartStopProcess = "startStopProcess";
inline constexpr const char* canDoShellCategory = "shellCategory";
inline constexpr const char* canDoSendVstMidiEventFlagIsRealtime = "sendVstMidiEventFlagIsRealtime";
} // namespace HostCanDos

class AudioEffectX : public AudioEffect
{
public:
	AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
	: AudioEffect(audioMaster, numPrograms, numParams)
	{
	}
	~AudioEffectX() override = default;

	VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
	void resume() override;

	virtual bool canParameterBeAutomated(VstInt32) { return true; }
	virtual bool string2parameter(VstInt32, char*) { return false; }
	virtual bool getParameterProperties(VstInt32, VstParameterProperties*) { return false; }
	// Bracket a user gesture on a parameter; true when the host answered.
	virtual bool beginEdit(VstInt32 index);
	virtual bool endEdit(VstInt32 index);
	virtual bool getProgramNameIndexed(VstInt32, VstInt32, char*) { return false; }
	virtual bool beginSetProgram() { return false; }
	virtual bool endSetProgram() { return false; }
	virtual VstInt32 beginLoadBank(VstPatchChunkInfo*) { return 0; }
	virtual VstInt32 beginLoadProgram(VstPatchChunkInfo*) { return 0; }

	virtual bool ioChanged();
	// Ask the host and keep a positive answer; both return the stored value.
	virtual double updateSampleRate();
	virtual VstInt32 updateBlockSize();
	virtual VstInt32 getInputLatency();
	virtual VstInt32 getOutputLatency();
	virtual bool getInputProperties(VstInt32, VstPinProperties*) { return false; }
	virtual bool getOutputProperties(VstInt32, VstPinProperties*) { return false; }
	virtual bool setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) { return false; }
	virtual bool getSpeakerArrangement(VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput);
	virtual bool setBypass(bool) { return false; }
	virtual bool setPanLaw(VstInt32, float) { return false; }
	virtual bool setProcessPrecision(VstInt32) { return false; }
	virtual VstInt32 getNumMidiInputChannels() { return 0; }
	virtual VstInt32 getNumMidiOutputChannels() { return 0; }

	// The host's time info, or null; typically called while processing.
	virtual VstTimeInfo* getTimeInfo(VstInt32 filter);
	virtual VstInt32 getCurrentProcessLevel();
	virtual VstInt32 getAutomationState();
	virtual VstInt32 processEvents(VstEvents*) { return 0; }
	virtual bool sendVstEventsToHost(VstEvents* events);
	virtual VstInt32 startProcess() { return 0; }
	virtual VstInt32 stopProcess() { return 0; }
	virtual bool processVariableIo(VstVariableIo*) { return false; }
	virtual VstInt32 setTotalSampleToProcess(VstInt32 value) { return value; }

	virtual bool getHostVendorString(char* text);
	virtual bool getHostProductString(char* text);
	virtual VstInt32 getHostVendorVersion();
	virtual VstIntPtr hostVendorSpecific(VstInt32 lArg1, VstIntPtr lArg2, void* ptrArg, float floatArg);
	// True unless the host answers 0 (a "no" of -1 counts as true).
	virtual bool canHostDo(char* text);
	virtual VstInt32 getHostLanguage();

	virtual void isSynth(bool state) { setFlag(effFlagsIsSynth, state); }
	virtual void noTail(bool state) { setFlag(effFlagsNoSoundInStop, state); }
	virtual VstInt32 getGetTailSize() { return 0; }
	virtual void* getDirectory();

	virtual bool getEffectName(char*) { return false; }
	virtual bool getVendorString(char*) { return false; }
	virtual bool getProductString(char*) { return false; }
	virtual VstInt32 getVendorVersion() { return 0; }
	// 0, except for the scale-factor request that hosts send for HiDPI
	// screens (index 'PreS', value 'AeCs', opt the factor), which goes to the
	// editor: 1 when it takes the factor.
	virtual VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
	virtual VstInt32 canDo(char*) { return 0; }
	virtual VstInt32 getVstVersion() { return kVstVersion; }
	virtual VstPlugCategory getPlugCategory();

	virtual VstInt32 getMidiProgramName(VstInt32, MidiProgramName*) { return 0; }
	virtual VstInt32 getCurrentMidiProgram(VstInt32, MidiProgramName*) { return -1; }
	virtual VstInt32 getMidiProgramCategory(VstInt32, MidiProgramCategory*) { return 0; }
	virtual bool hasMidiProgramsChanged(VstInt32) { return false; }
	virtual bool getMidiKeyName(VstInt32, MidiKeyName*) { return false; }

	virtual bool updateDisplay();
	// Asks the host to resize the editor window; true when it did.
	virtual bool sizeWindow(VstInt32 width, VstInt32 height);
	virtual bool openFileSelector(VstFileSelect* ptr);
	virtual bool closeFileSelector(VstFileSelect* ptr);
	virtual VstInt32 getNextShellPlugin(char*) { return 0; }

	// *arrangement is released and replaced by a zeroed block of
	// 8 + 112 x numChannels bytes, owned by the caller until deallocated.
	virtual bool allocateArrangement(VstSpeakerArrangement** arrangement, VstInt32 numChannels);
	virtual bool deallocateArrangement(VstSpeakerArrangement** arrangement);
	virtual bool copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from);
	virtual bool matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from);

	virtual bool offlineRead(VstOfflineTask* offline, VstInt32 option, bool readSource = true);
	virtual bool offlineWrite(VstOfflineTask* offline, VstInt32 option);
	virtual bool offlineStart(VstAudioFile* ptr, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles);
	virtual VstInt32 offlineGetCurrentPass();
	virtual VstInt32 offlineGetCurrentMetaPass();
	virtual bool offlineNotify(VstAudioFile*, VstInt32, bool) { return false; }
	virtual bool offlinePrepare(VstOfflineTask*, VstInt32) { return false; }
	virtual bool offlineRun(VstOfflineTask*, VstInt32) { return false; }
	virtual VstInt32 offlineGetNumPasses() { return 0; }
	virtual VstInt32 offlineGetNumMetaPasses() { return 0; }

	virtual void __wantEventsDeprecated(VstInt32 filter = 1);
	virtual VstInt32 __tempoAtDeprecated(VstInt32 pos);
	virtual VstInt32 __getNumAutomatableParametersDeprecated();
	virtual VstInt32 __getParameterQuantizationDeprecated();
	virtual VstInt32 __getNumCategoriesDeprecated() { return 1; }
	virtual bool __copyProgramDeprecated(VstInt32) { return false; }
	virtual bool __needIdleDeprecated();
	virtual AEffect* __getPreviousPlugDeprecated(VstInt32 input);
	virtual AEffect* __getNextPlugDeprecated(VstInt32 output);
	virtual void __inputConnectedDeprecated(VstInt32, bool) {}
	virtual void __outputConnectedDeprecated(VstInt32, bool) {}
	virtual VstInt32 __willProcessReplacingDeprecated();
	virtual void __wantAsyncOperationDeprecated(bool state = true) { setFlag(effFlagsExtIsAsync, state); }
	virtual void __hasExternalBufferDeprecated(bool state = true) { setFlag(effFlagsExtHasBuffer, state); }
	virtual VstInt32 __reportCurrentPositionDeprecated() { return 0; }
	virtual float* __reportDestinationBufferDeprecated() { return nullptr; }
	virtual void __setOutputSamplerateDeprecated(float samplerate);
	virtual VstSpeakerArrangement* __getInputSpeakerArrangementDeprecated();
	virtual VstSpeakerArrangement* __getOutputSpeakerArrangementDeprecated();
	virtual void* __openWindowDeprecated(void* window);
	virtual bool __closeWindowDeprecated(void* window);
	virtual void __setBlockSizeAndSampleRateDeprecated(VstInt32 newBlockSize, float newSampleRate)
	{
		blockSize = newBlockSize;
		sampleRate = newSampleRate;
	}
	virtual bool __getErrorTextDeprecated(char*) { return false; }
	virtual void* __getIconDeprecated() { return nullptr; }
	virtual bool __setViewPositionDeprecated(VstInt32, VstInt32) { return false; }
	virtual VstInt32 __fxIdleDeprecated() { return 0; }
	virtual bool __keysRequiredDeprecated() { return false; }
	virtual bool __getChunkFileDeprecated(void* nativePath);
};
