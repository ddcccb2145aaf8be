// The 2.x half of the published VST 2.4 interface: the remaining opcodes in
// both directions, the editor's key record and rectangle, and the speaker
// records. Records that the effect only passes through by pointer are
// declared, not defined: nothing here reads their fields.
#pragma once

#include "host/aeffect.h"

// Requests from the host to the effect, 25 to 79.
enum AEffectXOpcodes : VstInt32
{
	effProcessEvents = effSetChunk + 1, // 25
	effCanBeAutomated,
	effString2Parameter,
	effGetNumProgramCategories, // deprecated
	effGetProgramNameIndexed,
	effCopyProgram,   // deprecated
	effConnectInput,  // deprecated
	effConnectOutput, // deprecated
	effGetInputProperties,
	effGetOutputProperties,
	effGetPlugCategory,
	effGetCurrentPosition,   // deprecated
	effGetDestinationBuffer, // deprecated
	effOfflineNotify,
	effOfflinePrepare,
	effOfflineRun,
	effProcessVarIo,
	effSetSpeakerArrangement,
	effSetBlockSizeAndSampleRate, // deprecated
	effSetBypass,
	effGetEffectName,
	effGetErrorText, // deprecated
	effGetVendorString,
	effGetProductString,
	effGetVendorVersion,
	effVendorSpecific,
	effCanDo,
	effGetTailSize,
	effIdle,            // deprecated
	effGetIcon,         // deprecated
	effSetViewPosition, // deprecated
	effGetParameterProperties,
	effKeysRequired, // deprecated
	effGetVstVersion,
	effEditKeyDown,
	effEditKeyUp,
	effSetEditKnobMode,
	effGetMidiProgramName,
	effGetCurrentMidiProgram,
	effGetMidiProgramCategory,
	effHasMidiProgramsChanged,
	effGetMidiKeyName,
	effBeginSetProgram,
	effEndSetProgram,
	effGetSpeakerArrangement,
	effShellGetNextPlugin,
	effStartProcess,
	effStopProcess,
	effSetTotalSampleToProcess,
	effSetPanLaw,
	effBeginLoadBank,
	effBeginLoadProgram,
	effSetProcessPrecision,
	effGetNumMidiInputChannels,
	effGetNumMidiOutputChannels, // 79
};
static_assert(effGetProgramNameIndexed == 29 && effGetPlugCategory == 35 && effGetEffectName == 45);
static_assert(effCanDo == 51 && effGetVstVersion == 58 && effEditKeyDown == 59);
static_assert(effGetSpeakerArrangement == 69 && effGetNumMidiOutputChannels == 79);

// Requests from the effect to the host, 6 to 49.
enum AudioMasterOpcodesX : VstInt32
{
	audioMasterWantMidi = audioMasterPinConnected + 2, // 6, deprecated
	audioMasterGetTime,
	audioMasterProcessEvents,
	audioMasterSetTime,                     // deprecated
	audioMasterTempoAt,                     // deprecated
	audioMasterGetNumAutomatableParameters, // deprecated
	audioMasterGetParameterQuantization,    // deprecated
	audioMasterIOChanged,
	audioMasterNeedIdle, // deprecated
	audioMasterSizeWindow,
	audioMasterGetSampleRate,
	audioMasterGetBlockSize,
	audioMasterGetInputLatency,
	audioMasterGetOutputLatency,
	audioMasterGetPreviousPlug,         // deprecated
	audioMasterGetNextPlug,             // deprecated
	audioMasterWillReplaceOrAccumulate, // deprecated
	audioMasterGetCurrentProcessLevel,
	audioMasterGetAutomationState,
	audioMasterOfflineStart,
	audioMasterOfflineRead,
	audioMasterOfflineWrite,
	audioMasterOfflineGetCurrentPass,
	audioMasterOfflineGetCurrentMetaPass,
	audioMasterSetOutputSampleRate,         // deprecated
	audioMasterGetOutputSpeakerArrangement, // deprecated
	audioMasterGetVendorString,
	audioMasterGetProductString,
	audioMasterGetVendorVersion,
	audioMasterVendorSpecific,
	audioMasterSetIcon, // deprecated
	audioMasterCanDo,
	audioMasterGetLanguage,
	audioMasterOpenWindow,  // deprecated
	audioMasterCloseWindow, // deprecated
	audioMasterGetDirectory,
	audioMasterUpdateDisplay,
	audioMasterBeginEdit,
	audioMasterEndEdit,
	audioMasterOpenFileSelector,
	audioMasterCloseFileSelector,
	audioMasterEditFile,                   // deprecated
	audioMasterGetChunkFile,               // deprecated
	audioMasterGetInputSpeakerArrangement, // deprecated, 49
};
static_assert(audioMasterGetTime == 7 && audioMasterSizeWindow == 15 && audioMasterCanDo == 37);
static_assert(audioMasterBeginEdit == 43 && audioMasterGetChunkFile == 48);
static_assert(audioMasterGetInputSpeakerArrangement == 49);

enum VstPlugCategory : VstInt32
{
	kPlugCategUnknown = 0,
	kPlugCategEffect,
	kPlugCategSynth,
	kPlugCategAnalysis,
	kPlugCategMastering,
	kPlugCategSpacializer,
	kPlugCategRoomFx,
	kPlugSurroundFx,
	kPlugCategRestoration,
	kPlugCategOfflineProcess,
	kPlugCategShell,
	kPlugCategGenerator,
	kPlugCategMaxCount
};

// The editor's rectangle as the host reads it.
struct ERect
{
	std::int16_t top;
	std::int16_t left;
	std::int16_t bottom;
	std::int16_t right;
};
static_assert(sizeof(ERect) == 8);

// A key event of the editor interface.
struct VstKeyCode
{
	VstInt32 character;     // 0 for a virtual key
	unsigned char virt;     // one of VstVirtualKey
	unsigned char modifier; // a set of VstModifierKey
};

enum VstVirtualKey : unsigned char
{
	VKEY_BACK = 1,
	VKEY_TAB,
	VKEY_CLEAR,
	VKEY_RETURN,
	VKEY_PAUSE,
	VKEY_ESCAPE,
	VKEY_SPACE,
	VKEY_NEXT,
	VKEY_END,
	VKEY_HOME,
	VKEY_LEFT,
	VKEY_UP,
	VKEY_RIGHT,
	VKEY_DOWN,
	VKEY_PAGEUP,
	VKEY_PAGEDOWN,
	VKEY_SELECT,
	VKEY_PRINT,
	VKEY_ENTER,
	VKEY_SNAPSHOT,
	VKEY_INSERT,
	VKEY_DELETE,
	VKEY_HELP,
	VKEY_NUMPAD0,
	VKEY_NUMPAD1,
	VKEY_NUMPAD2,
	VKEY_NUMPAD3,
	VKEY_NUMPAD4,
	VKEY_NUMPAD5,
	VKEY_NUMPAD6,
	VKEY_NUMPAD7,
	VKEY_NUMPAD8,
	VKEY_NUMPAD9,
	VKEY_MULTIPLY,
	VKEY_ADD,
	VKEY_SEPARATOR,
	VKEY_SUBTRACT,
	VKEY_DECIMAL,
	VKEY_DIVIDE,
	VKEY_F1,
	VKEY_F2,
	VKEY_F3,
	VKEY_F4,
	VKEY_F5,
	VKEY_F6,
	VKEY_F7,
	VKEY_F8,
	VKEY_F9,
	VKEY_F10,
	VKEY_F11,
	VKEY_F12,
	VKEY_NUMLOCK,
	VKEY_SCROLL,
	VKEY_SHIFT,
	VKEY_CONTROL,
	VKEY_ALT,
	VKEY_EQUALS
};
static_assert(VKEY_RETURN == 4 && VKEY_LEFT == 11 && VKEY_HELP == 23 && VKEY_DECIMAL == 38);
static_assert(VKEY_F1 == 40 && VKEY_F12 == 51);

enum VstModifierKey : unsigned char
{
	MODIFIER_SHIFT = 1 << 0,
	MODIFIER_ALTERNATE = 1 << 1,
	MODIFIER_COMMAND = 1 << 2,
	MODIFIER_CONTROL = 1 << 3,
};

// Speaker records, used by the arrangement helpers.
struct VstSpeakerProperties
{
	float azimuth;
	float elevation;
	float radius;
	float reserved;
	char name[64];
	VstInt32 type;
	char future[28];
};
static_assert(sizeof(VstSpeakerProperties) == 112);
static_assert(offsetof(VstSpeakerProperties, name) == 16);
static_assert(offsetof(VstSpeakerProperties, type) == 80);
static_assert(offsetof(VstSpeakerProperties, future) == 84);

struct VstSpeakerArrangement
{
	VstInt32 type;
	VstInt32 numChannels;
	VstSpeakerProperties speakers[8]; // in fact numChannels of them
};
static_assert(offsetof(VstSpeakerArrangement, speakers) == 8);

// What an effect may tell a host about a parameter (effGetParameterProperties);
// the host owns the record and zero-fills it, the effect fills in what it
// knows and says so in flags.
constexpr int kVstMaxLabelLen = 64;
constexpr int kVstMaxShortLabelLen = 8;
constexpr int kVstMaxCategLabelLen = 24;

enum VstParameterFlags
{
	kVstParameterIsSwitch = 1 << 0,
	kVstParameterUsesIntegerMinMax = 1 << 1,
	kVstParameterUsesFloatStep = 1 << 2,
	kVstParameterUsesIntStep = 1 << 3,
	kVstParameterSupportsDisplayIndex = 1 << 4,
	kVstParameterSupportsDisplayCategory = 1 << 5,
	kVstParameterCanRamp = 1 << 6,
};

struct VstParameterProperties
{
	float stepFloat; // steps of the normalised value
	float smallStepFloat;
	float largeStepFloat;
	char label[kVstMaxLabelLen];
	VstInt32 flags;
	VstInt32 minInteger;
	VstInt32 maxInteger;
	VstInt32 stepInteger;
	VstInt32 largeStepInteger;
	char shortLabel[kVstMaxShortLabelLen];
	VstInt16 displayIndex;
	VstInt16 category;
	VstInt16 numParametersInCategory;
	VstInt16 reserved;
	char categoryLabel[kVstMaxCategLabelLen];
	char future[16];
};
static_assert(sizeof(VstParameterProperties) == 152);
static_assert(offsetof(VstParameterProperties, flags) == 76);
static_assert(offsetof(VstParameterProperties, shortLabel) == 96);
static_assert(offsetof(VstParameterProperties, displayIndex) == 104);
static_assert(offsetof(VstParameterProperties, categoryLabel) == 112);

// Passed through by pointer only.
struct VstEvents;
struct VstTimeInfo;
struct VstPinProperties;
struct VstPatchChunkInfo;
struct VstVariableIo;
struct VstFileSelect;
struct VstAudioFile;
struct VstOfflineTask;
struct MidiProgramName;
struct MidiProgramCategory;
struct MidiKeyName;
