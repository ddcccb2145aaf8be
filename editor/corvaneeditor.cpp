#include "editor/corvaneeditor.h"

#include "effect/corvane.h"
#include "effect/distance.h"
#include "gui/base/ccolor.h"
#include "gui/base/cfontdesc.h"
#include "gui/controls/cparamdisplay.h"
#include "gui/controls/cslider.h"
#include "gui/drawing/cbitmap.h"
#include "gui/drawing/iplatformbitmap.h"
#include "gui/views/cframe.h"

#include <cstdio>

using namespace VSTGUI;

namespace
{

constexpr const char* kWindowPicture = "bmp00128.png";
constexpr const char* kReadoutPicture = "bmp00134.png";
constexpr const char* kTrackPicture = "sliderbackground.png";
constexpr const char* kHandlePicture = "SliderHandle.png";

constexpr CRect kSliderRect(73, 94, 323, 154);
constexpr CRect kReadoutRect(222, 70, 262, 94);
constexpr int32 kSliderStyle = 8; // kOriginLeft
constexpr int32 kReadoutStyle = 1;

} // namespace

const CorvaneEditorHooks& corvaneEditorHooks()
{
	static const CorvaneEditorHooks hooks{
	    .create = [](AudioEffectX* effect) -> AEffEditor* { return new Corvaneeditor(effect); },
	    // Every editor of this effect comes from the factory above.
	    .parameterChanged = [](AEffEditor* editor, VstInt32 index, float value)
	    { static_cast<Corvaneeditor*>(editor)->setParameter(index, value); },
	};
	return hooks;
}

Corvaneeditor::Corvaneeditor(void* effectPtr) : AEffGUIEditor(effectPtr)
{
	background = new CBitmap(CResourceDescription(kWindowPicture));
	readoutPicture = new CBitmap(CResourceDescription(kReadoutPicture));
	track = new CBitmap(CResourceDescription(kTrackPicture));
	handle = new CBitmap(CResourceDescription(kHandlePicture));
	rect.top = 0;
	rect.left = 0;
	rect.bottom = static_cast<std::int16_t>(static_cast<int32>(background->getHeight()));
	rect.right = static_cast<std::int16_t>(static_cast<int32>(background->getWidth()));
}

Corvaneeditor::~Corvaneeditor()
{
	// A host may end the effect without closing the window first.
	close();
	for (CBitmap* picture : {background, readoutPicture, track, handle})
		if (picture)
			picture->forget();
	background = readoutPicture = track = handle = nullptr;
}

bool Corvaneeditor::open(void* ptr)
{
	// A second open without a close replaces the first window: otherwise it
	// would stay mapped, with its connection open, until the module unloads.
	if (frame)
		close();
	AEffGUIEditor::open(ptr);
	uiThread = std::this_thread::get_id();

	// The pictures are decoded once for the editor's life, not at every
	// open: decoding is most of what an open costs.
	CBitmap* picture = background;
	auto maxPos = static_cast<int32>(track->getWidth() + kSliderRect.left - handle->getWidth() - 1.0);
	CRect size(0, 0, picture->getWidth(), picture->getHeight());
	auto* newFrame = new CFrame(size, ptr, this);
	newFrame->setBackground(picture);

	float value = effect->getParameter(Corvane::kDistance);
	slider = new CHorizontalSlider(kSliderRect, this, Corvane::kDistance, static_cast<int32>(kSliderRect.left), maxPos,
	                               handle, track, CPoint(0, 0), kSliderStyle);
	slider->setValue(value);
	newFrame->addView(slider);

	display = new CParamDisplay(kReadoutRect, readoutPicture, kReadoutStyle);
	display->setFont(kNormalFontSmall);
	display->setFontColor(kBlackCColor);
	display->setBackColor(kTransparentCColor);
	display->setFrameColor(kTransparentCColor);
	display->setValue(value);
	display->setValueToStringProc(distanceStringConvert, nullptr);
	newFrame->addView(display);

	// Without a native window (no display, a parent that does not exist)
	// the host is told that nothing opened.
	if (!newFrame->getPlatformFrame())
	{
		slider = nullptr;
		display = nullptr;
		newFrame->forget();
		AEffEditor::close();
		return false;
	}
	frame = newFrame;
	windowOpen = true;
	setParameter(Corvane::kDistance, effect->getParameter(Corvane::kDistance));
	finishOpen();
	return true;
}

void Corvaneeditor::prepareForScaleFactor(double factor)
{
	for (CBitmap* picture : {background, readoutPicture, track, handle})
	{
		if (IPlatformBitmap* pixels = picture ? picture->getPlatformBitmapForScale(factor) : nullptr)
			pixels->getSize(); // decodes
	}
}

void Corvaneeditor::close()
{
	windowOpen = false;
	if (frame)
	{
		CFrame* oldFrame = frame;
		frame = nullptr;
		slider = nullptr;
		display = nullptr;
		oldFrame->forget();
	}
	AEffEditor::close();
}

void Corvaneeditor::idle()
{
	if (changePending.exchange(false) && frame)
		showEffectValue();
	AEffGUIEditor::idle();
}

void Corvaneeditor::setParameter(VstInt32 index, float)
{
	if (index != Corvane::kDistance || !windowOpen.load())
		return;
	if (std::this_thread::get_id() == uiThread)
		showEffectValue();
	else
		changePending = true;
}

void Corvaneeditor::showEffectValue()
{
	if (!slider || !display)
		return;
	slider->setValue(effect->getParameter(slider->getTag()));
	display->setValue(effect->getParameter(Corvane::kDistance));
}

void Corvaneeditor::valueChanged(CControl* control)
{
	effect->setParameterAutomated(control->getTag(), control->getValue());
	control->setDirty(true);
}

bool Corvaneeditor::distanceStringConvert(float value, char* string, void*)
{
	int written = std::snprintf(string, 256, "%2.2f", metresOfValue(static_cast<double>(value)));
	return written > 0;
}
