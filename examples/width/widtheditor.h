// Corvane Width's window: a knob with a corona and a text field for the
// width, a vertical slider with a read-out for the gain, an option menu for
// the mode (with the presets in a sub-menu) and an on/off button for the
// mute.
//
// Ownership: the frame and every control exist only while the window is
// open; the frame holds the controls, the mode menu's preset entry holds the
// sub-menu. Threads: the host's user-interface thread, except setParameter
// (any thread).
#pragma once

#include "editor/aeffguieditor.h"
#include "gui/controls/ccontrollistener.h"

#include <array>
#include <atomic>
#include <thread>

namespace VSTGUI
{
class CControl;
class CKnob;
class COnOffButton;
class COptionMenu;
class CParamDisplay;
class CTextEdit;
class CVerticalSlider;
} // namespace VSTGUI

namespace width
{

class WidthEditor : public AEffGUIEditor, public VSTGUI::CControlListener
{
public:
	explicit WidthEditor(AudioEffect* effect);
	~WidthEditor() override;

	// false when no window could be made inside the host's parent window.
	bool open(void* ptr) override;
	void close() override;
	void idle() override;

	// On the user-interface thread the controls follow at once; from any
	// other thread the change is shown at the next idle.
	void setParameter(VstInt32 index, float value) override;
	void valueChanged(VSTGUI::CControl* control) override;

private:
	void buildControls(VSTGUI::CFrame* frame);
	void showEffectValues();
	void chooseFromMenu();
	void applyPreset(std::size_t preset);
	// One complete edit of a parameter that no control is dragging.
	void editParameter(VstInt32 index, float value);

	VSTGUI::CKnob* knob = nullptr;
	VSTGUI::CTextEdit* widthEdit = nullptr;
	VSTGUI::CVerticalSlider* gainSlider = nullptr;
	VSTGUI::CParamDisplay* gainDisplay = nullptr;
	VSTGUI::COptionMenu* modeMenu = nullptr;
	VSTGUI::COptionMenu* presetMenu = nullptr;
	VSTGUI::COnOffButton* muteButton = nullptr;

	std::atomic<bool> windowOpen{false};
	std::atomic<bool> changePending{false};
	std::atomic<std::thread::id> uiThread{};
};

} // namespace width
