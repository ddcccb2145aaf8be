#include "host/aeffeditor.h"
#include "host/audioeffect.h"
#include "tests/support/recordinghost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

using corvane::test::RecordingHost;

namespace
{

int gLiveEffects = 0;
int gLiveEditors = 0;

class TestEffect : public AudioEffect
{
public:
	explicit TestEffect(audioMasterCallback cb, VstInt32 programs = 3, VstInt32 params = 2)
	: AudioEffect(cb, programs, params)
	{
		gLiveEffects++;
	}
	~TestEffect() override { gLiveEffects--; }

	void processReplacing(float** in, float** out, VstInt32 frames) override
	{
		lastFrames = frames;
		lastIn = in;
		lastOut = out;
	}
	void processDoubleReplacing(double**, double**, VstInt32 frames) override { lastDoubleFrames = frames; }
	void __processDeprecated(float**, float**, VstInt32 frames) override { lastDeprecatedFrames = frames; }
	void setParameter(VstInt32 index, float value) override
	{
		lastParamIndex = index;
		lastParamValue = value;
	}
	float getParameter(VstInt32 index) override { return static_cast<float>(index) * 0.25f; }
	void suspend() override { suspended++; }
	void resume() override { resumed++; }
	void close() override { closed++; }
	VstInt32 setChunk(void*, VstInt32 size, bool isPreset) override { return isPreset ? -size : size; }

	VstInt32 lastFrames = -1, lastDoubleFrames = -1, lastDeprecatedFrames = -1;
	float** lastIn = nullptr;
	float** lastOut = nullptr;
	VstInt32 lastParamIndex = -1;
	float lastParamValue = -1.f;
	int suspended = 0, resumed = 0, closed = 0;
};

class TestEditor : public AEffEditor
{
public:
	explicit TestEditor(AudioEffect* e) : AEffEditor(e) { gLiveEditors++; }
	~TestEditor() override { gLiveEditors--; }
	bool getRect(ERect** r) override
	{
		*r = &rect;
		return true;
	}
	bool open(void* ptr) override
	{
		AEffEditor::open(ptr);
		return true;
	}
	void idle() override { idles++; }
	ERect rect{0, 0, 100, 200};
	int idles = 0;
};

std::string f2s(AudioEffect& e, float v, VstInt32 maxLen = 8)
{
	char text[32];
	std::memset(text, 'x', sizeof(text));
	e.float2string(v, text, maxLen);
	return text;
}

std::string i2s(AudioEffect& e, VstInt32 v, VstInt32 maxLen = 8)
{
	char text[32];
	e.int2string(v, text, maxLen);
	return text;
}

} // namespace

TEST(EffectRecord, ConstructorFillsTheRecord)
{
	TestEffect effect(nullptr, 5, 7);
	AEffect* e = effect.getAeffect();
	EXPECT_EQ(e->magic, 0x56737450);
	EXPECT_EQ(e->numPrograms, 5);
	EXPECT_EQ(e->numParams, 7);
	EXPECT_EQ(e->numInputs, 1);
	EXPECT_EQ(e->numOutputs, 2);
	EXPECT_EQ(e->flags, effFlagsCanReplacing);
	EXPECT_EQ(e->ioRatio, 1.f);
	EXPECT_EQ(e->object, &effect);
	EXPECT_EQ(e->user, nullptr);
	EXPECT_EQ(e->uniqueID, 0x4E6F4566);
	EXPECT_EQ(e->version, 1);
	EXPECT_EQ(e->initialDelay, 0);
	for (char c : e->future)
		EXPECT_EQ(c, 0);
	EXPECT_EQ(effect.getSampleRate(), 44100.f);
	EXPECT_EQ(effect.getBlockSize(), 1024);
	EXPECT_EQ(effect.getProgram(), 0);
}

TEST(EffectRecord, FlagSettersTouchOnlyTheirBit)
{
	TestEffect effect(nullptr);
	AEffect* e = effect.getAeffect();
	effect.canDoubleReplacing(true);
	effect.programsAreChunks(true);
	effect.__hasVuDeprecated(true);
	effect.__hasClipDeprecated(true);
	effect.__canMonoDeprecated(true);
	EXPECT_EQ(e->flags, effFlagsCanReplacing | effFlagsCanDoubleReplacing | effFlagsProgramChunks | effFlagsHasVu |
	                        effFlagsHasClip | effFlagsCanMono);
	effect.canProcessReplacing(false);
	effect.programsAreChunks(false);
	EXPECT_EQ(e->flags, effFlagsCanDoubleReplacing | effFlagsHasVu | effFlagsHasClip | effFlagsCanMono);
	effect.setUniqueID(42);
	effect.setNumInputs(3);
	effect.setNumOutputs(4);
	effect.setInitialDelay(64);
	effect.__setRealtimeQualitiesDeprecated(5);
	effect.__setOfflineQualitiesDeprecated(6);
	EXPECT_EQ(e->uniqueID, 42);
	EXPECT_EQ(e->numInputs, 3);
	EXPECT_EQ(e->numOutputs, 4);
	EXPECT_EQ(e->initialDelay, 64);
	EXPECT_EQ(e->realQualities, 5);
	EXPECT_EQ(e->offQualities, 6);
}

TEST(EffectRecord, TrampolinesReachTheEffect)
{
	TestEffect effect(nullptr);
	AEffect* e = effect.getAeffect();
	float* buffers[2] = {nullptr, nullptr};
	e->processReplacing(e, buffers, buffers + 1, 17);
	EXPECT_EQ(effect.lastFrames, 17);
	EXPECT_EQ(effect.lastIn, buffers);
	EXPECT_EQ(effect.lastOut, buffers + 1);
	e->processDoubleReplacing(e, nullptr, nullptr, 18);
	EXPECT_EQ(effect.lastDoubleFrames, 18);
	e->process(e, nullptr, nullptr, 19);
	EXPECT_EQ(effect.lastDeprecatedFrames, 19);
	e->setParameter(e, 1, 0.75f);
	EXPECT_EQ(effect.lastParamIndex, 1);
	EXPECT_EQ(effect.lastParamValue, 0.75f);
	EXPECT_EQ(e->getParameter(e, 2), 0.5f);
}

TEST(EffectRecord, CloseDeletesTheEffectAndItsEditor)
{
	auto* effect = new TestEffect(nullptr);
	effect->setEditor(new TestEditor(effect));
	EXPECT_EQ(effect->getAeffect()->flags & effFlagsHasEditor, effFlagsHasEditor);
	AEffect* e = effect->getAeffect();
	ASSERT_EQ(gLiveEffects, 1);
	EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.f), 1);
	EXPECT_EQ(gLiveEffects, 0);
	EXPECT_EQ(gLiveEditors, 0);
}

TEST(EffectRecord, SetEditorNullClearsTheFlagWithoutDeleting)
{
	TestEffect effect(nullptr);
	TestEditor editor(&effect);
	effect.setEditor(&editor);
	effect.setEditor(nullptr);
	EXPECT_EQ(effect.getAeffect()->flags & effFlagsHasEditor, 0);
	EXPECT_EQ(gLiveEditors, 1);
}

TEST(Dispatcher, ProgramRequestsAreRangeChecked)
{
	TestEffect effect(nullptr, 3);
	effect.dispatcher(effSetProgram, 0, 2, nullptr, 0.f);
	EXPECT_EQ(effect.dispatcher(effGetProgram, 0, 0, nullptr, 0.f), 2);
	effect.dispatcher(effSetProgram, 0, 3, nullptr, 0.f);
	EXPECT_EQ(effect.getProgram(), 2);
	effect.dispatcher(effSetProgram, 0, -1, nullptr, 0.f);
	EXPECT_EQ(effect.getProgram(), 2);
}

TEST(Dispatcher, MainsChangedSuspendsOnZeroAndResumesOtherwise)
{
	TestEffect effect(nullptr);
	effect.dispatcher(effMainsChanged, 0, 0, nullptr, 0.f);
	effect.dispatcher(effMainsChanged, 0, 1, nullptr, 0.f);
	effect.dispatcher(effMainsChanged, 0, 7, nullptr, 0.f);
	EXPECT_EQ(effect.suspended, 1);
	EXPECT_EQ(effect.resumed, 2);
}

TEST(Dispatcher, SettingsAndIdentity)
{
	TestEffect effect(nullptr);
	effect.dispatcher(effSetSampleRate, 0, 0, nullptr, 96000.f);
	effect.dispatcher(effSetBlockSize, 0, 256, nullptr, 0.f);
	EXPECT_EQ(effect.getSampleRate(), 96000.f);
	EXPECT_EQ(effect.getBlockSize(), 256);
	EXPECT_EQ(effect.dispatcher(effIdentify, 0, 0, nullptr, 0.f), 0x4E764566);
	EXPECT_EQ(effect.dispatcher(effSetChunk, 1, 10, nullptr, 0.f), -10); // sign-extended
	EXPECT_EQ(effect.dispatcher(effSetChunk, 0, 10, nullptr, 0.f), 10);
	EXPECT_EQ(effect.dispatcher(25, 0, 0, nullptr, 0.f), 0);
	EXPECT_EQ(effect.dispatcher(-1, 0, 0, nullptr, 0.f), 0);
	void* chunk = &effect;
	EXPECT_EQ(effect.dispatcher(effGetChunk, 0, 0, &chunk, 0.f), 0);
}

TEST(Dispatcher, TextRequestsWriteEmptyStringsByDefaultAndSurviveNullBuffers)
{
	TestEffect effect(nullptr);
	for (VstInt32 opcode : {effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName})
	{
		char text[8] = "garbage";
		effect.dispatcher(opcode, 0, 0, text, 0.f);
		EXPECT_STREQ(text, "") << opcode;
		EXPECT_EQ(effect.dispatcher(opcode, 0, 0, nullptr, 0.f), 0) << opcode;
	}
	EXPECT_EQ(effect.dispatcher(effGetChunk, 0, 0, nullptr, 0.f), 0);
}

TEST(Dispatcher, EditorRequestsWithAndWithoutEditor)
{
	TestEffect effect(nullptr);
	ERect* rect = nullptr;
	EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.f), 0);
	EXPECT_EQ(effect.dispatcher(effEditOpen, 0, 0, &effect, 0.f), 0);
	EXPECT_EQ(effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.f), 0);

	auto* editor = new TestEditor(&effect);
	effect.setEditor(editor);
	EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.f), 1);
	ASSERT_EQ(rect, &editor->rect);
	EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, nullptr, 0.f), 0);
	int parent = 0;
	EXPECT_EQ(effect.dispatcher(effEditOpen, 0, 0, &parent, 0.f), 1);
	EXPECT_TRUE(editor->isOpen());
	effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.f);
	EXPECT_EQ(editor->idles, 1);
	effect.dispatcher(effEditClose, 0, 0, nullptr, 0.f);
	EXPECT_FALSE(editor->isOpen());
}

TEST(HostServices, DefaultsWithoutCallback)
{
	TestEffect effect(nullptr);
	EXPECT_EQ(effect.getMasterVersion(), 1);
	EXPECT_EQ(effect.getCurrentUniqueId(), 0);
	EXPECT_TRUE(effect.__isInputConnectedDeprecated(0));
	EXPECT_TRUE(effect.__isOutputConnectedDeprecated(1));
	effect.masterIdle();
	effect.setParameterAutomated(1, 0.5f);
	EXPECT_EQ(effect.lastParamValue, 0.5f);
}

TEST(HostServices, WrappersPassTheRecordAndArguments)
{
	RecordingHost host;
	TestEffect effect(RecordingHost::callback);
	host.answers[audioMasterVersion] = 2400;
	host.answers[audioMasterCurrentId] = 1234;
	host.answers[audioMasterPinConnected] = 1;
	EXPECT_EQ(effect.getMasterVersion(), 2400);
	EXPECT_EQ(effect.getCurrentUniqueId(), 1234);
	EXPECT_FALSE(effect.__isInputConnectedDeprecated(3));
	EXPECT_FALSE(effect.__isOutputConnectedDeprecated(4));
	effect.setParameterAutomated(1, 0.25f);
	EXPECT_EQ(effect.lastParamValue, 0.25f);

	auto automate = host.callsOf(audioMasterAutomate);
	ASSERT_EQ(automate.size(), 1u);
	EXPECT_EQ(automate[0].effect, effect.getAeffect());
	EXPECT_EQ(automate[0].index, 1);
	EXPECT_EQ(automate[0].value, 0);
	EXPECT_EQ(automate[0].opt, 0.25f);
	auto pins = host.callsOf(audioMasterPinConnected);
	ASSERT_EQ(pins.size(), 2u);
	EXPECT_EQ(pins[0].index, 3);
	EXPECT_EQ(pins[0].value, 0);
	EXPECT_EQ(pins[1].index, 4);
	EXPECT_EQ(pins[1].value, 1);

	host.answers[audioMasterVersion] = 0;
	EXPECT_EQ(effect.getMasterVersion(), 1);
}

TEST(ValueToText, FloatHasEightCharactersAndTruncates)
{
	TestEffect e(nullptr);
	EXPECT_EQ(f2s(e, 0.f), "0.000000");
	EXPECT_EQ(f2s(e, -0.f), "0.000000");
	EXPECT_EQ(f2s(e, 0.5f), "0.500000");
	EXPECT_EQ(f2s(e, 2.75f), "2.750000");
	EXPECT_EQ(f2s(e, -2.5f), "-2.50000");
	EXPECT_EQ(f2s(e, 99.99f), "99.98999");
	EXPECT_EQ(f2s(e, 1234567.f), "1234567.");
	EXPECT_EQ(f2s(e, -123456.f), "-123456.");
	EXPECT_EQ(f2s(e, 9999999.f), "9999999.");
	EXPECT_EQ(f2s(e, 2.75f, 4), "2.75");
	EXPECT_EQ(f2s(e, 2.75f, 0), "");
}

TEST(ValueToText, FloatTooLargeIsHuge)
{
	TestEffect e(nullptr);
	EXPECT_EQ(f2s(e, 100000000.f), "Huge!");
	EXPECT_EQ(f2s(e, -10000000.f), "Huge!");
	EXPECT_EQ(f2s(e, std::numeric_limits<float>::infinity()), "Huge!");
	EXPECT_EQ(f2s(e, -std::numeric_limits<float>::infinity()), "Huge!");
	EXPECT_EQ(f2s(e, 100000000.f, 3), "Hug");
	// Integer parts that no longer fit beside the point are not shown with
	// their leading digits cut off.
	EXPECT_EQ(f2s(e, 12345678.f), "Huge!");
	EXPECT_EQ(f2s(e, -1234567.f), "Huge!");
	EXPECT_EQ(f2s(e, std::nanf("")), "NaN");
}

TEST(ValueToText, Integers)
{
	TestEffect e(nullptr);
	EXPECT_EQ(i2s(e, 0), "0");
	EXPECT_EQ(i2s(e, 7), "7");
	EXPECT_EQ(i2s(e, -42), "-42");
	EXPECT_EQ(i2s(e, 10203), "10203");
	EXPECT_EQ(i2s(e, 99999999, 10), "99999999");
	EXPECT_EQ(i2s(e, 100000000), "Huge!");
	EXPECT_EQ(i2s(e, -99999999, 10), "-99999999");
	EXPECT_EQ(i2s(e, -100000000), "Huge!");
	EXPECT_EQ(i2s(e, std::numeric_limits<VstInt32>::min()), "Huge!");
	EXPECT_EQ(i2s(e, 12345, 3), "123");
}

TEST(ValueToText, DecibelsHertzAndMilliseconds)
{
	TestEffect e(nullptr);
	char text[16];
	e.dB2string(0.f, text, 8);
	EXPECT_STREQ(text, "-oo");
	e.dB2string(-1.f, text, 8);
	EXPECT_STREQ(text, "-oo");
	e.dB2string(1.f, text, 8);
	EXPECT_STREQ(text, "0.000000");
	e.dB2string(10.f, text, 8);
	EXPECT_STREQ(text, "20.00000");
	e.dB2string(0.f, text, 2);
	EXPECT_STREQ(text, "-o");
	e.Hz2string(0.f, text, 8);
	EXPECT_STREQ(text, "0.000000");
	e.Hz2string(441.f, text, 8);
	EXPECT_STREQ(text, "100.0000");
	e.ms2string(441.f, text, 8);
	EXPECT_STREQ(text, "10.00000");
}

namespace
{

// Overrides the number formatting: every helper goes through it.
class PrefixEffect : public TestEffect
{
public:
	PrefixEffect() : TestEffect(nullptr) {}
	void float2string(float, char* text, VstInt32) override { std::strcpy(text, "custom"); }
	float getSampleRate() override { return 1000.f; }
};

} // namespace

TEST(ValueToText, HelpersUseTheVirtualFormatter)
{
	PrefixEffect e;
	char text[16];
	e.dB2string(2.f, text, 8);
	EXPECT_STREQ(text, "custom");
	e.Hz2string(2.f, text, 8);
	EXPECT_STREQ(text, "custom");
	e.ms2string(2.f, text, 8);
	EXPECT_STREQ(text, "custom");
	TestEffect plain(nullptr);
	plain.setSampleRate(1000.f);
	plain.ms2string(2.f, text, 8);
	EXPECT_STREQ(text, "2.000000");
}
