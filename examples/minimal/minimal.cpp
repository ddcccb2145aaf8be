// A gain with a knob: the least a plug-in with an editor needs.
#include "editor/aeffguieditor.h"
#include "gui/controls/ccontrollistener.h"
#include "gui/controls/cknob.h"
#include "gui/platform/linux/linuxplatform.h"
#include "gui/views/cframe.h"
#include "host/audioeffectx.h"

#include <atomic>

using namespace VSTGUI;

class MinimalEditor : public AEffGUIEditor, public CControlListener
{
public:
	explicit MinimalEditor(AudioEffect* effect) : AEffGUIEditor(effect) { rect = {0, 0, 120, 120}; }
	~MinimalEditor() override { close(); }

	bool open(void* parent) override
	{
		AEffGUIEditor::open(parent);
		auto* newFrame = new CFrame(CRect(0, 0, 120, 120), parent, this);
		newFrame->setBackgroundColor(CColor{40, 44, 52, 255});
		auto* knob = new CKnob(CRect(20, 20, 100, 100), this, 0, nullptr, nullptr, CPoint(0, 0), kKnobCorona);
		knob->setValue(effect->getParameter(0));
		newFrame->addView(knob); // the frame takes the knob's reference
		if (!newFrame->getPlatformFrame())
		{
			newFrame->forget();
			AEffEditor::close();
			return false;
		}
		frame = newFrame;
		finishOpen();
		return true;
	}
	void close() override
	{
		if (frame)
			frame->forget();
		frame = nullptr;
		AEffEditor::close();
	}
	void valueChanged(CControl* control) override
	{
		effect->setParameterAutomated(control->getTag(), control->getValue());
	}
};

class Minimal : public AudioEffectX
{
public:
	explicit Minimal(audioMasterCallback master) : AudioEffectX(master, 1, 1)
	{
		setNumInputs(2);
		setNumOutputs(2);
		setUniqueID(fourCharConstant('C', 'v', 'M', 'n'));
		new MinimalEditor(this); // attaches itself; the effect owns it
	}
	void setParameter(VstInt32, float value) override { gain = value; }
	float getParameter(VstInt32) override { return gain; }
	void processReplacing(float** in, float** out, VstInt32 frames) override
	{
		const float g = gain;
		for (VstInt32 i = 0; i < frames; ++i)
		{
			out[0][i] = in[0][i] * g;
			out[1][i] = in[1][i] * g;
		}
	}

private:
	std::atomic<float> gain{1.f}; // set on any thread, read by the audio thread
};

AudioEffect* createEffectInstance(audioMasterCallback master)
{
	return new Minimal(master);
}

extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback master)
{
	if (!master || master(nullptr, audioMasterVersion, 0, 0, nullptr, 0.f) == 0)
		return nullptr;
	installLinuxPlatform();
	return createEffectInstance(master)->getAeffect();
}
