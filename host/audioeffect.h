// The base effect: owns the effect record handed to the host, dispatches the
// host's requests 0 to 24, wraps the host callback and converts values to text.
//
// Threads: the dispatcher and the parameter functions run on the host's
// control or user-interface thread, the processing functions on its audio
// thread. This class shares no state between them; derived classes must
// make their own hand-over safe.
#pragma once

#include "host/aeffectx.h"

class AEffEditor;

class AudioEffect
{
public:
	// audioMaster may be null: every host service then answers its default.
	AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
	// Deletes the attached editor, if any.
	virtual ~AudioEffect();

	virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

	virtual void open() {}
	virtual void close() {}
	virtual void suspend() {}
	virtual void resume() {}

	virtual void setSampleRate(float newSampleRate) { sampleRate = newSampleRate; }
	virtual void setBlockSize(VstInt32 newBlockSize) { blockSize = newBlockSize; }

	virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
	virtual void processDoubleReplacing(double**, double**, VstInt32) {}

	virtual void setParameter(VstInt32, float) {}
	virtual float getParameter(VstInt32) { return 0.f; }
	// Sets the parameter and tells the host, which may record it as automation.
	virtual void setParameterAutomated(VstInt32 index, float value);

	virtual VstInt32 getProgram() { return curProgram; }
	virtual void setProgram(VstInt32 program) { curProgram = program; }
	virtual void setProgramName(char*) {}
	// Text buffers hold kVstMaxProgNameLen or kVstMaxParamStrLen bytes.
	virtual void getProgramName(char* name) { *name = 0; }
	virtual void getParameterLabel(VstInt32, char* label) { *label = 0; }
	virtual void getParameterDisplay(VstInt32, char* text) { *text = 0; }
	virtual void getParameterName(VstInt32, char* text) { *text = 0; }

	virtual VstInt32 getChunk(void**, bool) { return 0; }
	virtual VstInt32 setChunk(void*, VstInt32, bool) { return 0; }

	virtual void setUniqueID(VstInt32 iD) { cEffect.uniqueID = iD; }
	virtual void setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
	virtual void setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }
	virtual void canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
	virtual void canDoubleReplacing(bool state) { setFlag(effFlagsCanDoubleReplacing, state); }
	virtual void programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
	virtual void setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }

	virtual AEffEditor* getEditor() { return editor; }
	virtual AEffect* getAeffect() { return &cEffect; }
	virtual float getSampleRate() { return sampleRate; }
	virtual VstInt32 getBlockSize() { return blockSize; }

	// The host's interface version; 1 when the host does not say.
	virtual VstInt32 getMasterVersion();
	virtual VstInt32 getCurrentUniqueId();
	virtual void masterIdle();

	// Each writes at most maxLen characters and a zero into text (maxLen + 1 bytes).
	virtual void dB2string(float value, char* text, VstInt32 maxLen);
	virtual void Hz2string(float samples, char* text, VstInt32 maxLen);
	virtual void ms2string(float samples, char* text, VstInt32 maxLen);
	virtual void float2string(float value, char* text, VstInt32 maxLen);
	virtual void int2string(VstInt32 value, char* text, VstInt32 maxLen);

	virtual void __processDeprecated(float**, float**, VstInt32) {}
	virtual float __getVuDeprecated() { return 0.f; }
	virtual void __hasVuDeprecated(bool state) { setFlag(effFlagsHasVu, state); }
	virtual void __hasClipDeprecated(bool state) { setFlag(effFlagsHasClip, state); }
	virtual void __canMonoDeprecated(bool state) { setFlag(effFlagsCanMono, state); }
	virtual void __setRealtimeQualitiesDeprecated(VstInt32 qualities) { cEffect.realQualities = qualities; }
	virtual void __setOfflineQualitiesDeprecated(VstInt32 qualities) { cEffect.offQualities = qualities; }
	virtual bool __isInputConnectedDeprecated(VstInt32 input);
	virtual bool __isOutputConnectedDeprecated(VstInt32 output);

	// Attaches an editor (owned from now on) and sets or clears effFlagsHasEditor.
	// A previously attached editor is not deleted.
	void setEditor(AEffEditor* newEditor);

	// The record's function pointers lead here.
	static VstIntPtr dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
	                                     float opt);
	static float getParameterClass(AEffect* e, VstInt32 index);
	static void setParameterClass(AEffect* e, VstInt32 index, float value);
	static void processClassReplacing(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames);
	static void processClassDoubleReplacing(AEffect* e, double** inputs, double** outputs, VstInt32 sampleFrames);
	static void __processClassDeprecated(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames);

protected:
	void setFlag(VstInt32 flag, bool state);
	VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.f);

	audioMasterCallback audioMaster;
	AEffEditor* editor = nullptr;
	float sampleRate = 44100.f;
	VstInt32 blockSize = 1024;
	VstInt32 numPrograms;
	VstInt32 numParams;
	VstInt32 curProgram = 0;
	AEffect cEffect;
};

// Supplied by the plug-in: creates its effect, or answers null.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);
