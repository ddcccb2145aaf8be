// Where everything sits in Corvane Width's window, shared by the editor and
// the program that draws its pictures, so that a control always lands on
// the place its picture was drawn for.
#pragma once

#include "gui/base/crect.h"

namespace width::layout
{

constexpr double kWindowWidth = 380;
constexpr double kWindowHeight = 230;

constexpr VSTGUI::CRect kKnob(30, 52, 130, 152);
constexpr VSTGUI::CRect kWidthEdit(45, 164, 115, 186);
// The track picture is exactly the slider's size; the handle is as wide.
constexpr VSTGUI::CRect kGainSlider(170, 48, 200, 188);
constexpr double kHandleHeight = 16;
constexpr VSTGUI::CRect kGainDisplay(145, 196, 225, 216);
constexpr VSTGUI::CRect kModeMenu(240, 62, 360, 86);
// The button's picture holds off above on, each as tall as the button.
constexpr VSTGUI::CRect kMuteButton(270, 132, 330, 162);

// Captions above the controls, drawn into the window picture.
constexpr double kCaptionTop = 30;
constexpr double kModeCaptionTop = 44;
constexpr double kMuteCaptionTop = 114;

constexpr const char* kWindowPicture = "widthwindow.png";
constexpr const char* kKnobPicture = "widthknob.png";
constexpr const char* kTrackPicture = "widthtrack.png";
constexpr const char* kHandlePicture = "widthhandle.png";
constexpr const char* kMutePicture = "widthmute.png";

} // namespace width::layout
