#include "host/aeffeditor.h"
#include "host/audioeffectx.h"
#include "tests/support/recordinghost.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using corvane::test::RecordingHost;

namespace
{

class TestEffectX : public AudioEffectX
{
public:
	explicit TestEffectX(audioMasterCallback cb) : AudioEffectX(cb, 4, 1) {}
	void processReplacing(float**, float**, VstInt32) override {}
	bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override
	{
		std::strcpy(text, (std::to_string(category) + "/" + std::to_string(index)).c_str());
		return true;
	}
	VstInt32 canDo(char* text) override { return std::strcmp(text, "receiveVstMidiEvent") == 0 ? midiAnswer : 0; }
	VstInt32 midiAnswer = 0;
};

class KeyEditor : public AEffEditor
{
public:
	using AEffEditor::AEffEditor;
	bool onKeyDown(VstKeyCode& key) override
	{
		down = key;
		return true;
	}
	bool onKeyUp(VstKeyCode& key) override
	{
		up = key;
		return false;
	}
	bool setKnobMode(VstInt32 mode) override
	{
		knobMode = mode;
		return true;
	}
	VstKeyCode down{}, up{};
	VstInt32 knobMode = -1;
};

} // namespace

TEST(ExtendedDispatcher, RoutesByOpcodeRange)
{
	TestEffectX effect(nullptr);
	// 24 is the base's set-chunk, 25 the first of ours, 80 nobody's.
	EXPECT_EQ(effect.dispatcher(effSetChunk, 0, 0, nullptr, 0.f), 0);
	EXPECT_EQ(effect.dispatcher(effProcessEvents, 0, 0, nullptr, 0.f), 0);
	EXPECT_EQ(effect.dispatcher(effCanBeAutomated, 0, 0, nullptr, 0.f), 1);
	EXPECT_EQ(effect.dispatcher(80, 0, 0, nullptr, 0.f), 0);
	effect.dispatcher(effSetSampleRate, 0, 0, nullptr, 48000.f);
	EXPECT_EQ(effect.getSampleRate(), 48000.f);
}

TEST(ExtendedDispatcher, DefaultAnswers)
{
	TestEffectX effect(nullptr);
	EXPECT_EQ(effect.dispatcher(effGetVstVersion, 0, 0, nullptr, 0.f), 2400);
	EXPECT_EQ(effect.dispatcher(effGetCurrentMidiProgram, 0, 0, nullptr, 0.f), -1);
	EXPECT_EQ(effect.dispatcher(effSetTotalSampleToProcess, 0, 4321, nullptr, 0.f), 4321);
	EXPECT_EQ(effect.dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.f), 0);
	effect.isSynth(true);
	EXPECT_EQ(effect.dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.f), 2);
	char text[64] = "unchanged";
	EXPECT_EQ(effect.dispatcher(effGetEffectName, 0, 0, text, 0.f), 0);
	EXPECT_EQ(effect.dispatcher(effGetVendorVersion, 0, 0, nullptr, 0.f), 0);
	EXPECT_EQ(effect.dispatcher(effGetTailSize, 0, 0, nullptr, 0.f), 0);
	EXPECT_EQ(effect.dispatcher(effGetNumMidiInputChannels, 0, 0, nullptr, 0.f), 0);
	// Deprecated requests go to the base and answer 0.
	for (VstInt32 opcode : {28, 30, 31, 32, 36, 37, 43, 46, 53, 54, 55, 57})
		EXPECT_EQ(effect.dispatcher(opcode, 1, 1, text, 1.f), 0) << opcode;
	VstSpeakerArrangement* in = reinterpret_cast<VstSpeakerArrangement*>(&effect);
	VstSpeakerArrangement* out = in;
	EXPECT_EQ(effect.dispatcher(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out, 0.f), 0);
	EXPECT_EQ(in, nullptr);
	EXPECT_EQ(out, nullptr);
}

TEST(ExtendedDispatcher, ProgramNameIndexedTakesCategoryFromValue)
{
	TestEffectX effect(nullptr);
	char text[64] = {};
	EXPECT_EQ(effect.dispatcher(effGetProgramNameIndexed, 3, 7, text, 0.f), 1);
	EXPECT_STREQ(text, "7/3");
	EXPECT_EQ(effect.dispatcher(effGetProgramNameIndexed, 3, 7, nullptr, 0.f), 0);
}

TEST(ExtendedDispatcher, KeysAndKnobModeReachTheEditor)
{
	TestEffectX effect(nullptr);
	EXPECT_EQ(effect.dispatcher(effEditKeyDown, 97, 0, nullptr, 4.f), 0);
	auto* editor = new KeyEditor(&effect);
	effect.setEditor(editor);
	EXPECT_EQ(effect.dispatcher(effEditKeyDown, 97, 0, nullptr, 4.f), 1);
	EXPECT_EQ(editor->down.character, 97);
	EXPECT_EQ(editor->down.virt, 0);
	EXPECT_EQ(editor->down.modifier, 4);
	// Only the low bytes of value and opt are the key's.
	EXPECT_EQ(effect.dispatcher(effEditKeyUp, 0, 0x10b, nullptr, 257.f), 0);
	EXPECT_EQ(editor->up.virt, 11);
	EXPECT_EQ(editor->up.modifier, 1);
	EXPECT_EQ(effect.dispatcher(effSetEditKnobMode, 0, 2, nullptr, 0.f), 1);
	EXPECT_EQ(editor->knobMode, 2);
}

TEST(ExtendedHostServices, CanHostDoTreatsEveryNonZeroAnswerAsYes)
{
	RecordingHost host;
	TestEffectX effect(RecordingHost::callback);
	char text[] = "sizeWindow";
	host.answers[audioMasterCanDo] = 1;
	EXPECT_TRUE(effect.canHostDo(text));
	host.answers[audioMasterCanDo] = -1;
	EXPECT_TRUE(effect.canHostDo(text));
	host.answers[audioMasterCanDo] = 0;
	EXPECT_FALSE(effect.canHostDo(text));
	ASSERT_EQ(host.callsOf(audioMasterCanDo).size(), 3u);
	EXPECT_EQ(host.callsOf(audioMasterCanDo)[0].ptr, text);
}

TEST(ExtendedHostServices, SampleRateAndBlockSizeKeepOnlyPositiveAnswers)
{
	RecordingHost host;
	TestEffectX effect(RecordingHost::callback);
	EXPECT_EQ(effect.updateSampleRate(), 44100.0);
	host.answers[audioMasterGetSampleRate] = 48000;
	EXPECT_EQ(effect.updateSampleRate(), 48000.0);
	EXPECT_EQ(effect.getSampleRate(), 48000.f);
	host.answers[audioMasterGetBlockSize] = -5;
	EXPECT_EQ(effect.updateBlockSize(), 1024);
	host.answers[audioMasterGetBlockSize] = 64;
	EXPECT_EQ(effect.updateBlockSize(), 64);

	TestEffectX lonely(nullptr);
	lonely.setSampleRate(22050.f);
	EXPECT_EQ(lonely.updateSampleRate(), 22050.0);
	EXPECT_EQ(lonely.updateBlockSize(), 1024);
}

TEST(ExtendedHostServices, ServicesSendTheirOpcodesAndArguments)
{
	RecordingHost host;
	TestEffectX effect(RecordingHost::callback);
	host.answers[audioMasterBeginEdit] = 1;
	host.answers[audioMasterProcessEvents] = 2;
	EXPECT_TRUE(effect.beginEdit(3));
	EXPECT_FALSE(effect.endEdit(3));
	EXPECT_FALSE(effect.sendVstEventsToHost(nullptr)); // only exactly 1 is success
	effect.sizeWindow(300, 200);
	effect.getTimeInfo(0x200);
	effect.offlineStart(nullptr, 5, 6);
	effect.offlineRead(nullptr, 2, false);
	effect.hostVendorSpecific(1, 2, &effect, 3.f);
	EXPECT_FALSE(effect.openFileSelector(nullptr));
	EXPECT_FALSE(effect.__getChunkFileDeprecated(nullptr));
	effect.__setOutputSamplerateDeprecated(96000.f);

	auto expect = [&](VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
	{
		auto calls = host.callsOf(opcode);
		ASSERT_EQ(calls.size(), 1u) << opcode;
		EXPECT_EQ(calls[0].effect, effect.getAeffect());
		EXPECT_EQ(calls[0].index, index) << opcode;
		EXPECT_EQ(calls[0].value, value) << opcode;
		EXPECT_EQ(calls[0].ptr, ptr) << opcode;
		EXPECT_EQ(calls[0].opt, opt) << opcode;
	};
	expect(audioMasterBeginEdit, 3, 0, nullptr, 0.f);
	expect(audioMasterEndEdit, 3, 0, nullptr, 0.f);
	expect(audioMasterSizeWindow, 300, 200, nullptr, 0.f);
	expect(audioMasterGetTime, 0, 0x200, nullptr, 0.f);
	expect(audioMasterOfflineStart, 6, 5, nullptr, 0.f);
	expect(audioMasterOfflineRead, 0, 2, nullptr, 0.f);
	expect(audioMasterVendorSpecific, 1, 2, &effect, 3.f);
	expect(audioMasterSetOutputSampleRate, 0, 0, nullptr, 96000.f);
	EXPECT_TRUE(host.callsOf(audioMasterOpenFileSelector).empty());
	EXPECT_TRUE(host.callsOf(audioMasterGetChunkFile).empty());
}

TEST(ExtendedHostServices, ResumeAsksForMidiOnlyWhenWanted)
{
	RecordingHost host;
	TestEffectX effect(RecordingHost::callback);
	effect.resume();
	EXPECT_TRUE(host.callsOf(audioMasterWantMidi).empty());
	effect.midiAnswer = 1;
	effect.resume();
	ASSERT_EQ(host.callsOf(audioMasterWantMidi).size(), 1u);
	EXPECT_EQ(host.callsOf(audioMasterWantMidi)[0].value, 1);
	effect.midiAnswer = -1;
	effect.isSynth(true);
	effect.resume();
	EXPECT_EQ(host.callsOf(audioMasterWantMidi).size(), 2u);
}

TEST(SpeakerArrangements, AllocateGivesAZeroedBlockOfTheRightSize)
{
	TestEffectX effect(nullptr);
	VstSpeakerArrangement* a = nullptr;
	ASSERT_TRUE(effect.allocateArrangement(&a, 2));
	ASSERT_NE(a, nullptr);
	EXPECT_EQ(a->numChannels, 2);
	EXPECT_EQ(a->type, 0);
	const auto* bytes = reinterpret_cast<const unsigned char*>(a);
	for (std::size_t i = 8; i < 232; i++)
		ASSERT_EQ(bytes[i], 0) << i;
	// Reallocating releases the old block (the leak checker watches).
	ASSERT_TRUE(effect.allocateArrangement(&a, 12));
	EXPECT_EQ(a->numChannels, 12);
	EXPECT_TRUE(effect.deallocateArrangement(&a));
	EXPECT_EQ(a, nullptr);
	EXPECT_TRUE(effect.deallocateArrangement(&a));
}

TEST(SpeakerArrangements, CopySpeakerCutsTheNameAndCopiesEveryField)
{
	TestEffectX effect(nullptr);
	VstSpeakerProperties from{}, to{};
	std::memset(from.name, 'n', sizeof(from.name));
	from.azimuth = 1.f;
	from.elevation = 2.f;
	from.radius = 3.f;
	from.reserved = 4.f;
	from.type = 5;
	from.future[27] = 9;
	ASSERT_TRUE(effect.copySpeaker(&to, &from));
	EXPECT_EQ(std::strlen(to.name), 63u);
	EXPECT_EQ(to.azimuth, 1.f);
	EXPECT_EQ(to.elevation, 2.f);
	EXPECT_EQ(to.radius, 3.f);
	EXPECT_EQ(to.reserved, 4.f);
	EXPECT_EQ(to.type, 5);
	EXPECT_EQ(to.future[27], 9);
	EXPECT_FALSE(effect.copySpeaker(nullptr, &from));
	EXPECT_FALSE(effect.copySpeaker(&to, nullptr));
}

TEST(SpeakerArrangements, MatchCopiesTypeAndEverySpeaker)
{
	TestEffectX effect(nullptr);
	VstSpeakerArrangement* from = nullptr;
	VstSpeakerArrangement* to = nullptr;
	ASSERT_TRUE(effect.allocateArrangement(&from, 10));
	from->type = 7;
	auto* speakers = reinterpret_cast<VstSpeakerProperties*>(reinterpret_cast<char*>(from) + 8);
	for (int i = 0; i < 10; i++)
	{
		speakers[i].type = i + 100;
		std::strcpy(speakers[i].name, ("S" + std::to_string(i)).c_str());
	}
	ASSERT_TRUE(effect.matchArrangement(&to, from));
	EXPECT_EQ(to->type, 7);
	EXPECT_EQ(to->numChannels, 10);
	auto* copied = reinterpret_cast<VstSpeakerProperties*>(reinterpret_cast<char*>(to) + 8);
	EXPECT_EQ(copied[9].type, 109);
	EXPECT_STREQ(copied[9].name, "S9");
	EXPECT_FALSE(effect.matchArrangement(&to, nullptr));
	effect.deallocateArrangement(&from);
	effect.deallocateArrangement(&to);
}
