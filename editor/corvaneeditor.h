// Corvane's window: a picture, a horizontal slider for the loudspeaker
// distance and a read-out in metres.
//
// Ownership: the editor holds one reference to each of its pictures for its
// whole life (the window picture gives the editor its size); the frame, the
// slider and the read-out exist only while the window is open and belong to
// the frame.
#pragma once

#include "editor/aeffguieditor.h"
#include "effect/corvane.h"
#include "gui/controls/ccontrollistener.h"

#include <atomic>
#include <thread>

namespace VSTGUI
{
class CBitmap;
class CHorizontalSlider;
class CParamDisplay;
} // namespace VSTGUI

class Corvaneeditor : public AEffGUIEditor, public VSTGUI::CControlListener
{
public:
	explicit Corvaneeditor(void* effect);
	~Corvaneeditor() override;

	// Builds the window inside the host's parent window; false when no
	// window could be made there.
	bool open(void* ptr) override;
	void close() override;
	void idle() override;

	// Any thread. On the user-interface thread both controls follow the
	// effect at once; from another thread (the host's automation or audio
	// thread) the change is handed over and shown at the next idle, since
	// views may only be touched on the user-interface thread.
	void setParameter(VstInt32 index, float value) override;
	void valueChanged(VSTGUI::CControl* control) override;

	// "%2.2f" of the distance in metres: "0.50" to "5.00".
	static bool distanceStringConvert(float value, char* string, void* userData);

protected:
	void prepareForScaleFactor(double factor) override;

private:
	void showEffectValue();

	VSTGUI::CHorizontalSlider* slider = nullptr;
	VSTGUI::CParamDisplay* display = nullptr;
	VSTGUI::CBitmap* background = nullptr;
	VSTGUI::CBitmap* readoutPicture = nullptr;
	VSTGUI::CBitmap* track = nullptr;
	VSTGUI::CBitmap* handle = nullptr;

	std::atomic<bool> windowOpen{false};
	std::atomic<bool> changePending{false};
	// Set by open on the user-interface thread, read by setParameter anywhere.
	std::atomic<std::thread::id> uiThread{};
};

// The hooks that give Corvane this editor (see effect/corvane.h).
const CorvaneEditorHooks& corvaneEditorHooks();
