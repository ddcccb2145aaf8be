#include "widtheditor.h"

#include "gui/base/ccolor.h"
#include "gui/base/cfontdesc.h"
#include "gui/controls/cknob.h"
#include "gui/controls/conoffbutton.h"
#include "gui/controls/coptionmenu.h"
#include "gui/controls/cparamdisplay.h"
#include "gui/controls/cslider.h"
#include "gui/controls/ctextedit.h"
#include "gui/drawing/cbitmap.h"
#include "gui/views/cframe.h"
#include "widtheffect.h"
#include "widthlayout.h"

#include <cstdio>

using namespace VSTGUI;

namespace width
{

namespace
{

const CColor kInk{226, 232, 236, 255};
const CColor kAccent{255, 176, 72, 255};
const CColor kField{24, 30, 36, 255};
const CColor kFieldEdge{70, 84, 96, 255};

bool widthToText(float value, char* text, void*)
{
	return std::snprintf(text, 256, "%.0f %%", widthPercentOf(value)) > 0;
}

bool textToWidth(const char* text, float& value, void*)
{
	return valueFromText(kWidth, text, value);
}

bool gainToText(float value, char* text, void*)
{
	return std::snprintf(text, 256, "%+.1f dB", gainDbOf(value)) > 0;
}

void styleField(CParamDisplay* field)
{
	field->setFont(kNormalFontSmall);
	field->setFontColor(kInk);
	field->setBackColor(kField);
	field->setFrameColor(kFieldEdge);
}

CBitmap* picture(const char* name)
{
	return new CBitmap(CResourceDescription(name));
}

} // namespace

WidthEditor::WidthEditor(AudioEffect* effect) : AEffGUIEditor(effect)
{
	rect.right = static_cast<std::int16_t>(layout::kWindowWidth);
	rect.bottom = static_cast<std::int16_t>(layout::kWindowHeight);
}

WidthEditor::~WidthEditor()
{
	// A host may end the effect with the window still open.
	close();
}

bool WidthEditor::open(void* ptr)
{
	if (frame)
		close();
	AEffGUIEditor::open(ptr);
	uiThread = std::this_thread::get_id();

	auto* newFrame = new CFrame(CRect(0, 0, layout::kWindowWidth, layout::kWindowHeight), ptr, this);
	CBitmap* window = picture(layout::kWindowPicture);
	newFrame->setBackground(window);
	window->forget(); // the frame holds it now
	if (!newFrame->getPlatformFrame())
	{
		newFrame->forget();
		AEffEditor::close();
		return false;
	}
	frame = newFrame;
	buildControls(newFrame);
	windowOpen = true;
	showEffectValues();
	finishOpen();
	return true;
}

void WidthEditor::buildControls(CFrame* newFrame)
{
	CBitmap* knobBack = picture(layout::kKnobPicture);
	knob = new CKnob(layout::kKnob, this, kWidth, knobBack, nullptr, CPoint(0, 0),
	                 kKnobHandleCircle | kKnobCorona | kKnobCoronaOutline);
	knob->setCoronaInset(6);
	knob->setCoronaColor(kAccent);
	knob->setColorShadowHandle(CColor{60, 70, 80, 255});
	knob->setColorHandle(kInk);
	knob->setHandleLineWidth(3);
	knob->setInsetValue(18);
	knob->setDefaultValue(valueOfWidthPercent(100.));
	newFrame->addView(knob); // each view's reference passes to the frame
	knobBack->forget();

	widthEdit = new CTextEdit(layout::kWidthEdit, this, kWidth);
	styleField(widthEdit);
	widthEdit->setValueToStringProc(widthToText);
	widthEdit->setStringToValueProc(textToWidth);
	newFrame->addView(widthEdit);

	CBitmap* track = picture(layout::kTrackPicture);
	CBitmap* handle = picture(layout::kHandlePicture);
	const CRect& s = layout::kGainSlider;
	auto maxPos = static_cast<int32>(s.top + track->getHeight() - handle->getHeight() - 1.);
	gainSlider = new CVerticalSlider(s, this, kGain, static_cast<int32>(s.top), maxPos, handle, track);
	gainSlider->setDefaultValue(valueOfGainDb(0.));
	newFrame->addView(gainSlider);
	track->forget();
	handle->forget();

	gainDisplay = new CParamDisplay(layout::kGainDisplay);
	styleField(gainDisplay);
	gainDisplay->setValueToStringProc(gainToText, nullptr);
	newFrame->addView(gainDisplay);

	modeMenu = new COptionMenu(layout::kModeMenu, this, kMode, nullptr, nullptr, kOptionMarkCurrent);
	styleField(modeMenu);
	for (int mode = 0; mode < kNumModes; ++mode)
		modeMenu->addEntry(modeName(static_cast<Mode>(mode)));
	modeMenu->addSeparator();
	presetMenu = new COptionMenu();
	for (const Preset& preset : kPresets)
		presetMenu->addEntry(preset.name);
	modeMenu->addEntry(presetMenu, "Presets");
	presetMenu->forget(); // its entry holds it
	newFrame->addView(modeMenu);

	CBitmap* mute = picture(layout::kMutePicture);
	muteButton = new COnOffButton(layout::kMuteButton, this, kMute, mute);
	newFrame->addView(muteButton);
	mute->forget();
}

void WidthEditor::close()
{
	windowOpen = false;
	if (frame)
	{
		CFrame* oldFrame = frame;
		frame = nullptr;
		knob = nullptr;
		widthEdit = nullptr;
		gainSlider = nullptr;
		gainDisplay = nullptr;
		modeMenu = nullptr;
		presetMenu = nullptr;
		muteButton = nullptr;
		oldFrame->forget();
	}
	AEffEditor::close();
}

void WidthEditor::idle()
{
	if (changePending.exchange(false) && frame)
		showEffectValues();
	AEffGUIEditor::idle();
}

void WidthEditor::setParameter(VstInt32, float)
{
	if (!windowOpen.load())
		return;
	if (std::this_thread::get_id() == uiThread.load())
		showEffectValues();
	else
		changePending = true;
}

void WidthEditor::showEffectValues()
{
	if (!frame)
		return;
	float widthValue = effect->getParameter(kWidth);
	knob->setValue(widthValue);
	// Not while the user types: the field keeps what is being typed.
	if (!widthEdit->isEditing())
		widthEdit->setValue(widthValue);
	gainSlider->setValue(effect->getParameter(kGain));
	gainDisplay->setValue(effect->getParameter(kGain));
	modeMenu->setCurrent(modeOf(effect->getParameter(kMode)));
	muteButton->setValue(muteOf(effect->getParameter(kMute)) ? 1.f : 0.f);
	for (CControl* control :
	     {static_cast<CControl*>(knob), static_cast<CControl*>(widthEdit), static_cast<CControl*>(gainSlider),
	      static_cast<CControl*>(gainDisplay), static_cast<CControl*>(modeMenu), static_cast<CControl*>(muteButton)})
		if (control->isDirty())
			control->invalid();
}

void WidthEditor::valueChanged(CControl* control)
{
	if (control == modeMenu)
		chooseFromMenu();
	else
		effect->setParameterAutomated(control->getTag(), control->getValue());
	// The text field shows the effect's own text once the edit has ended.
	changePending = true;
}

void WidthEditor::chooseFromMenu()
{
	int32 index = -1;
	COptionMenu* chosen = modeMenu->getLastItemMenu(index);
	if (chosen == presetMenu && index >= 0 && static_cast<std::size_t>(index) < kPresets.size())
		applyPreset(static_cast<std::size_t>(index));
	else if (chosen == modeMenu && index >= 0 && index < kNumModes)
		effect->setParameterAutomated(kMode, valueOfMode(static_cast<Mode>(index)));
	// A preset or a stray choice: the menu shows the mode the effect has.
	modeMenu->setCurrent(modeOf(effect->getParameter(kMode)));
	modeMenu->invalid();
}

void WidthEditor::applyPreset(std::size_t index)
{
	const Preset& preset = kPresets[index];
	// The menu brackets the mode itself; the other three get edits of their own.
	effect->setParameterAutomated(kMode, valueOfMode(preset.mode));
	editParameter(kWidth, valueOfWidthPercent(preset.width));
	editParameter(kGain, valueOfGainDb(preset.gainDb));
	editParameter(kMute, preset.mute ? 1.f : 0.f);
}

void WidthEditor::editParameter(VstInt32 index, float value)
{
	beginEdit(index);
	effect->setParameterAutomated(index, value);
	endEdit(index);
}

} // namespace width
