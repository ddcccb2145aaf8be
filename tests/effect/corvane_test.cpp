// Corvane's identity, parameter and programs, seen through the binary
// interface of the built module.
#include "tests/support/module.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>

using corvane::HostedPlugin;
using corvane::test::loadCorvane;

namespace
{

class CorvaneModule : public ::testing::Test
{
protected:
	void SetUp() override
	{
		plugin = loadCorvane();
		ASSERT_TRUE(plugin);
		e = plugin->effect();
	}
	std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0)
	{
		return plugin->getString(opcode, index, value);
	}
	VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr)
	{
		return plugin->dispatch(opcode, index, value, ptr);
	}

	std::unique_ptr<HostedPlugin> plugin;
	AEffect* e = nullptr;
};

} // namespace

TEST_F(CorvaneModule, Identity)
{
	EXPECT_EQ(e->magic, kEffectMagic);
	EXPECT_EQ(e->uniqueID, fourCharConstant('k', 'V', 'r', 'n'));
	EXPECT_EQ(e->numInputs, 2);
	EXPECT_EQ(e->numOutputs, 2);
	EXPECT_EQ(e->numParams, 1);
	EXPECT_EQ(e->numPrograms, 32);
	EXPECT_EQ(e->flags & (effFlagsCanReplacing | effFlagsCanDoubleReplacing),
	          effFlagsCanReplacing | effFlagsCanDoubleReplacing);
	EXPECT_EQ(text(effGetEffectName), "Corvane");
	EXPECT_EQ(text(effGetProductString), "Corvane");
	EXPECT_EQ(text(effGetVendorString), "Halvenor");
	EXPECT_EQ(dispatch(effGetVendorVersion), 1000);
	EXPECT_EQ(dispatch(effGetPlugCategory), kPlugCategEffect);
	EXPECT_EQ(dispatch(effGetVstVersion), 2400);
	EXPECT_EQ(dispatch(effIdentify), fourCharConstant('N', 'v', 'E', 'f'));
}

TEST_F(CorvaneModule, EffectNameFillsTheFieldWithZeros)
{
	char name[64];
	std::memset(name, 'x', sizeof(name));
	EXPECT_EQ(dispatch(effGetEffectName, 0, 0, name), 1);
	EXPECT_STREQ(name, "Corvane");
	for (int i = 7; i < kVstMaxEffectNameLen; i++)
		EXPECT_EQ(name[i], 0) << i;
	// Nothing beyond the published field size is touched.
	EXPECT_EQ(name[kVstMaxEffectNameLen], 'x');
}

TEST_F(CorvaneModule, AnswersZeroToEveryCapabilityButBypass)
{
	std::string bypass = "bypass";
	EXPECT_EQ(dispatch(effCanDo, 0, 0, bypass.data()), 1);
	for (const char* capability : {"receiveVstMidiEvent", "sendVstEvents", "bypas", "offline", "", "nonsense"})
	{
		std::string copy = capability;
		EXPECT_EQ(dispatch(effCanDo, 0, 0, copy.data()), 0) << capability;
	}
	// Nor does starting it ask the host for MIDI.
	EXPECT_EQ(plugin->countCalls(6 /* audioMasterWantMidi */), 0u);
}

TEST_F(CorvaneModule, NewInstanceStartsAtProgramOne)
{
	EXPECT_EQ(dispatch(effGetProgram), 0);
	EXPECT_EQ(text(effGetProgramName), "Prog1");
	EXPECT_EQ(plugin->getParameter(0), 0.f);
	EXPECT_EQ(text(effGetParamDisplay), "0.500000");
	EXPECT_EQ(text(effGetParamLabel), "m");
	EXPECT_EQ(text(effGetParamName), "Loudspeaker Distance");
	EXPECT_EQ(dispatch(effCanBeAutomated), 1);
}

TEST_F(CorvaneModule, ParameterRequestsForOtherIndexesLeaveTextAlone)
{
	char buffer[32] = "keep";
	for (VstInt32 opcode : {effGetParamLabel, effGetParamDisplay, effGetParamName})
	{
		dispatch(opcode, 1, 0, buffer);
		EXPECT_STREQ(buffer, "keep");
	}
	EXPECT_EQ(plugin->getParameter(1), 0.f);
	EXPECT_EQ(plugin->getParameter(-1), 0.f);
}

TEST_F(CorvaneModule, PresetTable)
{
	const char* names[] = {"Prog1", "Prog2", "Prog3", "Prog4", "Prog5", "Prog6", "Prog7", "Prog8"};
	const float distances[] = {0.f, 0.125f, 0.25f, 0.375f, 0.5f, 0.675f, 0.75f, 0.875f};
	const char* displays[] = {"0.500000", "1.062500", "1.625000", "2.187500",
	                          "2.750000", "3.537500", "3.875000", "4.437500"};
	for (int i = 0; i < 32; i++)
	{
		dispatch(effSetProgram, 0, i);
		EXPECT_EQ(dispatch(effGetProgram), i);
		if (i < 8)
		{
			EXPECT_EQ(text(effGetProgramName), names[i]);
			EXPECT_EQ(plugin->getParameter(0), distances[i]) << i;
			EXPECT_EQ(text(effGetParamDisplay), displays[i]) << i;
		}
		else
		{
			EXPECT_EQ(text(effGetProgramName), "Init " + std::to_string(i + 1));
			EXPECT_EQ(text(effGetProgramNameIndexed, i), "Init");
			EXPECT_EQ(plugin->getParameter(0), 0.5f);
			EXPECT_EQ(text(effGetParamDisplay), "2.750000");
		}
	}
}

TEST_F(CorvaneModule, ProgramNameIndexedRefusesOutOfRange)
{
	char buffer[32] = "keep";
	EXPECT_EQ(dispatch(effGetProgramNameIndexed, 32, 0, buffer), 0);
	EXPECT_STREQ(buffer, "keep");
	EXPECT_EQ(dispatch(effGetProgramNameIndexed, -1, 0, buffer), 0);
	EXPECT_STREQ(buffer, "keep");
	EXPECT_EQ(dispatch(effGetProgramNameIndexed, 31, 0, buffer), 1);
	EXPECT_STREQ(buffer, "Init");
	EXPECT_EQ(dispatch(effGetProgramNameIndexed, 5, 99, buffer), 1); // category ignored
	EXPECT_STREQ(buffer, "Prog6");
}

TEST_F(CorvaneModule, ParameterEditsTheCurrentProgramInPlace)
{
	dispatch(effSetProgram, 0, 3);
	plugin->setParameter(0, 1.f);
	dispatch(effSetProgram, 0, 2);
	EXPECT_EQ(text(effGetParamDisplay), "1.625000");
	dispatch(effSetProgram, 0, 3);
	EXPECT_EQ(plugin->getParameter(0), 1.f);
	EXPECT_EQ(text(effGetParamDisplay), "5.000000");
}

TEST_F(CorvaneModule, ProgramOutOfRangeIsIgnored)
{
	dispatch(effSetProgram, 0, 4);
	dispatch(effSetProgram, 0, 32);
	dispatch(effSetProgram, 0, -1);
	dispatch(effSetProgram, 0, VstIntPtr(1) << 40);
	EXPECT_EQ(dispatch(effGetProgram), 4);
	EXPECT_EQ(plugin->getParameter(0), 0.5f);
}

TEST_F(CorvaneModule, RenamingPrograms)
{
	dispatch(effSetProgram, 0, 10);
	std::string name = "Near field";
	dispatch(effSetProgramName, 0, 0, name.data());
	EXPECT_EQ(text(effGetProgramName), "Near field");
	EXPECT_EQ(text(effGetProgramNameIndexed, 10), "Near field");
	name = "Init";
	dispatch(effSetProgramName, 0, 0, name.data());
	EXPECT_EQ(text(effGetProgramName), "Init 11");

	// The field holds 23 characters; a longer name is cut, never overruns
	// into the next program.
	std::string longName(40, 'L');
	dispatch(effSetProgramName, 0, 0, longName.data());
	EXPECT_EQ(text(effGetProgramName), std::string(23, 'L'));
	EXPECT_EQ(text(effGetProgramNameIndexed, 11), "Init");
}

TEST_F(CorvaneModule, ParameterIsKeptWithinItsRange)
{
	plugin->setParameter(0, 1.5f);
	EXPECT_EQ(plugin->getParameter(0), 1.f);
	plugin->setParameter(0, -0.5f);
	EXPECT_EQ(plugin->getParameter(0), 0.f);
	plugin->setParameter(0, 0.25f);
	plugin->setParameter(0, std::nanf(""));
	EXPECT_EQ(plugin->getParameter(0), 0.25f);
}

namespace
{

// Width and height from a PNG file's header, big-endian at bytes 16 to 23.
bool pngSize(const std::string& path, int& width, int& height)
{
	std::FILE* file = std::fopen(path.c_str(), "rb");
	if (!file)
		return false;
	unsigned char header[24];
	bool ok = std::fread(header, 1, sizeof(header), file) == sizeof(header);
	std::fclose(file);
	auto be32 = [&](int at)
	{ return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3]; };
	width = be32(16);
	height = be32(20);
	return ok;
}

} // namespace

TEST_F(CorvaneModule, HasNoChunks)
{
	void* chunk = nullptr;
	EXPECT_EQ(dispatch(effGetChunk, 0, 0, &chunk), 0);
	EXPECT_EQ(dispatch(effSetChunk, 0, 4, &chunk), 0);
	EXPECT_EQ(e->flags & effFlagsProgramChunks, 0);
}

TEST_F(CorvaneModule, EditorRectangleIsThePicturesSizeBeforeAnyOpen)
{
	std::string module = CORVANE_MODULE_PATH;
	std::string bundle = module.substr(0, module.rfind("/Contents/"));
	int width = 0, height = 0;
	ASSERT_TRUE(pngSize(bundle + "/Contents/Resources/bmp00128.png", width, height));
	EXPECT_EQ(e->flags & effFlagsHasEditor, effFlagsHasEditor);
	ERect* rect = nullptr;
	ASSERT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
	ASSERT_NE(rect, nullptr);
	EXPECT_EQ(rect->top, 0);
	EXPECT_EQ(rect->left, 0);
	EXPECT_EQ(rect->bottom, height);
	EXPECT_EQ(rect->right, width);
	EXPECT_GT(width, 323); // the slider must fit
}
