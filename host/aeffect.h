// The effect record shared between a host and a plug-in, in the published
// VST 2.4 binary layout (64-bit, little-endian), with the opcodes and flags
// of the 1.x half of the interface. Both sides of the interface include this
// header: the plug-in's base classes and our own command-line host.
#pragma once

#include <cstddef>
#include <cstdint>

using VstInt16 = std::int16_t;
using VstInt32 = std::int32_t;
using VstIntPtr = std::intptr_t;

struct AEffect;

// The host's callback: (effect, opcode, index, value, ptr, opt) -> answer.
using audioMasterCallback = VstIntPtr (*)(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float);
using AEffectDispatcherProc = VstIntPtr (*)(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float);
using AEffectProcessProc = void (*)(AEffect*, float**, float**, VstInt32);
using AEffectProcessDoubleProc = void (*)(AEffect*, double**, double**, VstInt32);
using AEffectSetParameterProc = void (*)(AEffect*, VstInt32, float);
using AEffectGetParameterProc = float (*)(AEffect*, VstInt32);

// A four-character constant: the first character is the most significant byte.
constexpr VstInt32 fourCharConstant(char a, char b, char c, char d)
{
	return static_cast<VstInt32>((static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
	                             (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
	                             (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
	                             static_cast<std::uint32_t>(static_cast<unsigned char>(d)));
}

constexpr VstInt32 kEffectMagic = fourCharConstant('V', 's', 't', 'P');
constexpr VstInt32 kVstVersion = 2400;

struct AEffect
{
	VstInt32 magic;
	AEffectDispatcherProc dispatcher;
	AEffectProcessProc process; // deprecated accumulating process
	AEffectSetParameterProc setParameter;
	AEffectGetParameterProc getParameter;
	VstInt32 numPrograms;
	VstInt32 numParams;
	VstInt32 numInputs;
	VstInt32 numOutputs;
	VstInt32 flags;
	VstIntPtr resvd1;
	VstIntPtr resvd2;
	VstInt32 initialDelay;
	VstInt32 realQualities; // deprecated
	VstInt32 offQualities;  // deprecated
	float ioRatio;          // deprecated
	void* object;           // the plug-in's own effect object
	void* user;             // free for the host's use
	VstInt32 uniqueID;
	VstInt32 version;
	AEffectProcessProc processReplacing;
	AEffectProcessDoubleProc processDoubleReplacing;
	char future[56];
};

// Hosts compiled against the published layout read these offsets directly.
static_assert(sizeof(void*) == 8, "the effect record is laid out for 64-bit hosts");
static_assert(offsetof(AEffect, magic) == 0);
static_assert(offsetof(AEffect, dispatcher) == 8);
static_assert(offsetof(AEffect, process) == 16);
static_assert(offsetof(AEffect, setParameter) == 24);
static_assert(offsetof(AEffect, getParameter) == 32);
static_assert(offsetof(AEffect, numPrograms) == 40);
static_assert(offsetof(AEffect, numParams) == 44);
static_assert(offsetof(AEffect, numInputs) == 48);
static_assert(offsetof(AEffect, numOutputs) == 52);
static_assert(offsetof(AEffect, flags) == 56);
static_assert(offsetof(AEffect, resvd1) == 64);
static_assert(offsetof(AEffect, resvd2) == 72);
static_assert(offsetof(AEffect, initialDelay) == 80);
static_assert(offsetof(AEffect, realQualities) == 84);
static_assert(offsetof(AEffect, offQualities) == 88);
static_assert(offsetof(AEffect, ioRatio) == 92);
static_assert(offsetof(AEffect, object) == 96);
static_assert(offsetof(AEffect, user) == 104);
static_assert(offsetof(AEffect, uniqueID) == 112);
static_assert(offsetof(AEffect, version) == 116);
static_assert(offsetof(AEffect, processReplacing) == 120);
static_assert(offsetof(AEffect, processDoubleReplacing) == 128);
static_assert(offsetof(AEffect, future) == 136);
static_assert(sizeof(AEffect) == 192);

enum VstAEffectFlags : VstInt32
{
	effFlagsHasEditor = 1 << 0,
	effFlagsHasClip = 1 << 1, // deprecated
	effFlagsHasVu = 1 << 2,   // deprecated
	effFlagsCanMono = 1 << 3, // deprecated
	effFlagsCanReplacing = 1 << 4,
	effFlagsProgramChunks = 1 << 5,
	effFlagsIsSynth = 1 << 8,
	effFlagsNoSoundInStop = 1 << 9,
	effFlagsExtIsAsync = 1 << 10,   // deprecated
	effFlagsExtHasBuffer = 1 << 11, // deprecated
	effFlagsCanDoubleReplacing = 1 << 12,
};

// Requests from the host to the effect, 0 to 24.
enum AEffectOpcodes : VstInt32
{
	effOpen = 0,
	effClose,
	effSetProgram,
	effGetProgram,
	effSetProgramName,
	effGetProgramName,
	effGetParamLabel,
	effGetParamDisplay,
	effGetParamName,
	effGetVu, // deprecated
	effSetSampleRate,
	effSetBlockSize,
	effMainsChanged,
	effEditGetRect,
	effEditOpen,
	effEditClose,
	effEditDraw,  // deprecated
	effEditMouse, // deprecated
	effEditKey,   // deprecated
	effEditIdle,
	effEditTop,   // deprecated
	effEditSleep, // deprecated
	effIdentify,  // deprecated
	effGetChunk,
	effSetChunk,
	effNumOpcodes
};

// Requests from the effect to the host, 0 to 5.
enum AudioMasterOpcodes : VstInt32
{
	audioMasterAutomate = 0,
	audioMasterVersion,
	audioMasterCurrentId,
	audioMasterIdle,
	audioMasterPinConnected, // deprecated
};

constexpr int kVstMaxProgNameLen = 24;
constexpr int kVstMaxParamStrLen = 8;
constexpr int kVstMaxVendorStrLen = 64;
constexpr int kVstMaxProductStrLen = 64;
constexpr int kVstMaxEffectNameLen = 32;
