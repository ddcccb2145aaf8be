// Where the gallery puts each control and which colours its pictures use.
// Shared with the test that checks the gallery's image.
#pragma once

#include "gui/base/ccolor.h"
#include "gui/base/crect.h"

namespace CorvaneGallery
{

inline constexpr int kCell = 64;
inline constexpr int kGap = 8;
inline constexpr int kColumns = 5;

enum Row : int
{
	kRowKnobs = 0,
	kRowKnobStyles,
	kRowAnimKnobs,
	kRowButtons,
	kRowVerticalSwitches,
	kRowHorizontalSwitches,
	kRowSliders,
	kRowText,
	kRowCount
};

inline constexpr int kWidth = kGap + kColumns * (kCell + kGap);
inline constexpr int kHeight = kGap + kRowCount * (kCell + kGap);

constexpr VSTGUI::CRect cellRect(int row, int column)
{
	const double left = kGap + column * (kCell + kGap);
	const double top = kGap + row * (kCell + kGap);
	return VSTGUI::CRect(left, top, left + kCell, top + kCell);
}

inline constexpr VSTGUI::CColor kBackground{40, 44, 52, 255};

// Images of the film strip, one colour each.
inline constexpr int kAnimFrames = 31;
constexpr VSTGUI::CColor animFrameColor(int frame)
{
	return VSTGUI::CColor(static_cast<VSTGUI::uint8>(frame * 8), 96, static_cast<VSTGUI::uint8>(255 - frame * 8), 255);
}

// Buttons: first and second image of their two-image strips.
inline constexpr VSTGUI::CColor kOffColor{90, 90, 90, 255};
inline constexpr VSTGUI::CColor kOnColor{240, 160, 20, 255};

// Switch positions, in the order of their strips.
inline constexpr int kSwitchPositions = 4;
inline constexpr VSTGUI::CColor kPositionColors[kSwitchPositions] = {
    {200, 40, 40, 255}, {40, 200, 40, 255}, {40, 40, 200, 255}, {200, 200, 40, 255}};

} // namespace CorvaneGallery
