// The host-facing editor base. The effect owns its editor and deletes it
// through the virtual destructor; every operation runs on the host's
// user-interface thread.
#pragma once

#include "host/aeffectx.h"

class AudioEffect;

class AEffEditor
{
public:
	explicit AEffEditor(AudioEffect* effect = nullptr) : effect(effect) {}
	virtual ~AEffEditor() = default;

	virtual AudioEffect* getEffect() { return effect; }
	// Sets *rect to the editor's rectangle, or null when it has none.
	virtual bool getRect(ERect** rect)
	{
		*rect = nullptr;
		return false;
	}
	// ptr is the host's native parent window; false when no window was built.
	virtual bool open(void* ptr)
	{
		systemWindow = ptr;
		return false;
	}
	virtual void close() { systemWindow = nullptr; }
	virtual bool isOpen() { return systemWindow != nullptr; }
	virtual void idle() {}

	virtual void __drawDeprecated(ERect*) {}
	virtual VstInt32 __mouseDeprecated(VstInt32, VstInt32) { return 0; }
	virtual VstInt32 __keyDeprecated(VstInt32) { return 0; }
	virtual void __topDeprecated() {}
	virtual void __sleepDeprecated() {}

	virtual bool onKeyDown(VstKeyCode&) { return false; }
	virtual bool onKeyUp(VstKeyCode&) { return false; }
	virtual bool onWheel(float) { return false; }
	virtual bool setKnobMode(VstInt32) { return false; }
	// The host asks for the editor at factor device pixels per pixel of its
	// layout (see AudioEffectX::vendorSpecific); false when it cannot.
	virtual bool setContentScaleFactor(float) { return false; }

protected:
	AudioEffect* effect;          // not owned
	void* systemWindow = nullptr; // the host's parent window while open
};
