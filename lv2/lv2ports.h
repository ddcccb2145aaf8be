// What the LV2 plug-in, its UI and its description (the TTL files written
// at build time) must agree on: the URIs, the binaries and the ports.
#pragma once

#include <cstdint>

namespace corvane::lv2
{

inline constexpr const char* kPluginUri = "https://halvenor.example/lv2/corvane";
inline constexpr const char* kUiUri = "https://halvenor.example/lv2/corvane#ui";
// Each preset's URI is this with its number, 1 to 8, after it.
inline constexpr const char* kPresetUriPrefix = "https://halvenor.example/lv2/corvane#preset";

// File names inside Corvane.lv2. The UI has a binary of its own, so that a
// host without a display (a sound server) never loads the GUI libraries.
inline constexpr const char* kPluginBinary = "Corvane.so";
inline constexpr const char* kUiBinary = "CorvaneUI.so";

enum Port : std::uint32_t
{
	kInLeft = 0,
	kInRight,
	kOutLeft,
	kOutRight,
	// The loudspeaker distance in metres (the VST2 parameter's display
	// value), not the normalised value: what users read and type.
	kDistance,
	// lv2:enabled: 0 is the host's bypass.
	kEnabled,
	kPortCount
};

} // namespace corvane::lv2
