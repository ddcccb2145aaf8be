// Corvane: splits stereo into sum and difference, compensates the near-field
// bass rise of the difference with a first-order high-pass whose corner
// follows the loudspeaker distance and the sample rate, and recombines.
#pragma once

#include "effect/distance.h"
#include "effect/nearfieldfilter.h"
#include "host/audioeffectx.h"

#include <array>
#include <atomic>

struct CorvaneProgram
{
	float distance = 0.5f; // normalised, 0 to 1
	char name[kVstMaxProgNameLen] = "Init";
};

class Corvane : public AudioEffectX
{
public:
	static constexpr VstInt32 kNumPrograms = 32;
	static constexpr VstInt32 kNumParams = 1;
	static constexpr VstInt32 kDistance = 0;

	// Distance in metres of a normalised parameter value.
	static constexpr double metresOf(double value) { return metresOfValue(value); }

	explicit Corvane(audioMasterCallback audioMaster);
	~Corvane() override;

	void resume() override;
	// Audio thread: no allocation, lock or system call.
	void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
	void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;

	// Any thread: the distance reaches the audio thread at its next block.
	void setParameter(VstInt32 index, float value) override;
	float getParameter(VstInt32 index) override;
	void setProgram(VstInt32 program) override;
	void setProgramName(char* name) override;
	void getProgramName(char* name) override;
	bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
	void getParameterLabel(VstInt32 index, char* label) override;
	void getParameterDisplay(VstInt32 index, char* text) override;
	void getParameterName(VstInt32 index, char* text) override;

	bool getEffectName(char* name) override;
	bool getVendorString(char* text) override;
	bool getProductString(char* text) override;
	VstInt32 getVendorVersion() override { return 1000; }
	// "bypass" only: the host may switch the soft bypass below.
	VstInt32 canDo(char* text) override;
	// Output is input bit for bit while on; the filter keeps running on the
	// input, so that switching back does not jump. Any thread.
	bool setBypass(bool onOff) override;
	// Metres as people type them: "2", "2.0", "2 m", "2,5", "150 cm",
	// "800 mm", limited to 0.5 to 5 m. Text it cannot read changes nothing
	// and answers false.
	bool string2parameter(VstInt32 index, char* text) override;
	// Name, short name, steps of 0.01 m and 0.1 m, display index 0.
	bool getParameterProperties(VstInt32 index, VstParameterProperties* properties) override;
	VstPlugCategory getPlugCategory() override { return kPlugCategEffect; }

	virtual void dist2string(float value, char* text, VstInt32 maxLen);
	// Twice the real parts of the reverse Bessel polynomials' roots, orders
	// and k from 1 to 5; 0 outside the table.
	virtual double fRootsReal(VstInt32 order, VstInt32 k);
	// (a0, a1) of the bilinear high-pass for the current distance and rate.
	virtual std::array<double, 2> firstOrderFilterCoeffs(VstInt32 order);

protected:
	template <typename Sample> void process(Sample** inputs, Sample** outputs, VstInt32 sampleFrames);

	// Written by whichever thread sets the parameter, read once per block by
	// the audio thread; relaxed is enough for one independent value.
	std::atomic<double> distance{0.};
	static_assert(std::atomic<double>::is_always_lock_free);
	CorvaneProgram* programs = nullptr;
	std::atomic<bool> bypassed{false};

	// Shared by both precisions, so that a host switching between them
	// continues the same filter; touched by processing only.
	NearFieldFilter filter;
};

// The effect's editor comes from the layer above: the module that builds
// Corvane with its editor (plugin/) installs these hooks at start, before
// the first instance. Without them the effect has no editor.
class AEffEditor;
struct CorvaneEditorHooks
{
	AEffEditor* (*create)(AudioEffectX* effect) = nullptr;
	// The editor's part in every parameter change; on any thread.
	void (*parameterChanged)(AEffEditor* editor, VstInt32 index, float value) = nullptr;
};
// Not copied: the hooks must outlive every instance. Null removes them.
void setCorvaneEditorHooks(const CorvaneEditorHooks* hooks);

// Corvane's editor through the hooks, or null.
AEffEditor* createEditor(AudioEffectX* effect);
void editorParameterChanged(AEffEditor* editor, VstInt32 index, float value);
