// What hosts may offer beyond the plain parameter: bypass, typed values and
// parameter properties, through the real module.
#include "support/module.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace
{

using corvane::test::loadCorvane;

class HostConveniences : public ::testing::Test
{
protected:
	void SetUp() override
	{
		plugin = loadCorvane();
		ASSERT_TRUE(plugin);
		plugin->dispatch(effSetSampleRate, 0, 0, nullptr, 48000.f);
		plugin->dispatch(effMainsChanged, 0, 1);
	}

	// A block of a signal with a side part, rising from frame first on, so
	// that consecutive blocks continue one another.
	void process(std::size_t first, std::size_t frames, std::vector<float>& left, std::vector<float>& right)
	{
		std::vector<float> inLeft(frames), inRight(frames);
		for (std::size_t i = 0; i < frames; i++)
		{
			double t = static_cast<double>(first + i);
			inLeft[i] = static_cast<float>(0.5 * std::sin(t * 0.013) + 0.25 * std::sin(t * 0.0021));
			inRight[i] = static_cast<float>(0.5 * std::sin(t * 0.013 + 1.0));
		}
		left.assign(frames, 0.f);
		right.assign(frames, 0.f);
		float* in[] = {inLeft.data(), inRight.data()};
		float* out[] = {left.data(), right.data()};
		plugin->processReplacing(in, out, static_cast<VstInt32>(frames));
		lastInLeft = inLeft;
		lastInRight = inRight;
	}

	float typed(const char* text, VstIntPtr* answer)
	{
		std::vector<char> buffer(text, text + std::strlen(text) + 1);
		*answer = plugin->dispatch(effString2Parameter, 0, 0, buffer.data());
		return plugin->getParameter(0);
	}

	std::unique_ptr<corvane::HostedPlugin> plugin;
	std::vector<float> lastInLeft, lastInRight;
};

TEST_F(HostConveniences, BypassPassesTheInputBitForBitAndTheFilterKeepsRunning)
{
	char bypass[] = "bypass";
	EXPECT_EQ(plugin->dispatch(effCanDo, 0, 0, bypass), 1);
	char other[] = "receiveVstEvents";
	EXPECT_EQ(plugin->dispatch(effCanDo, 0, 0, other), 0);

	// The same signal through a second instance that is never bypassed is
	// what the filter's state must match after the bypass ends.
	auto reference = loadCorvane();
	ASSERT_TRUE(reference);
	reference->dispatch(effSetSampleRate, 0, 0, nullptr, 48000.f);
	reference->dispatch(effMainsChanged, 0, 1);
	auto referenceBlock = [&](std::size_t frames)
	{
		std::vector<float> left(frames), right(frames);
		float* in[] = {lastInLeft.data(), lastInRight.data()};
		float* out[] = {left.data(), right.data()};
		reference->processReplacing(in, out, static_cast<VstInt32>(frames));
		return std::make_pair(left, right);
	};

	std::vector<float> left, right;
	process(0, 300, left, right);
	referenceBlock(300);
	EXPECT_EQ(plugin->dispatch(effSetBypass, 0, 1), 1);
	process(300, 512, left, right);
	EXPECT_EQ(left, lastInLeft);
	EXPECT_EQ(right, lastInRight);
	referenceBlock(512);
	EXPECT_EQ(plugin->dispatch(effSetBypass, 0, 0), 1);
	process(812, 256, left, right);
	auto [expectedLeft, expectedRight] = referenceBlock(256);
	EXPECT_EQ(left, expectedLeft);
	EXPECT_EQ(right, expectedRight);
	EXPECT_NE(left, lastInLeft) << "the filter works again";
}

TEST_F(HostConveniences, TypedMetresAreReadAsPeopleWriteThem)
{
	struct Case
	{
		const char* text;
		double metres;
	};
	const Case cases[] = {{"2", 2.},        {"2.0", 2.},      {"2 m", 2.}, {"2,5", 2.5}, {"150 cm", 1.5},
	                      {" 800mm ", 0.8}, {"1.625", 1.625}, {"9 m", 5.}, {"0.1", 0.5}, {"-3", 0.5}};
	for (const Case& c : cases)
	{
		VstIntPtr answer = 0;
		float value = typed(c.text, &answer);
		EXPECT_EQ(answer, 1) << c.text;
		EXPECT_FLOAT_EQ(value, static_cast<float>((c.metres - 0.5) / 4.5)) << c.text;
	}

	VstIntPtr ignored = 0;
	typed("2 m", &ignored);
	const float before = plugin->getParameter(0);
	for (const char* garbage : {"", "m", "two", "2 metres", "2..5", "1e999", "nan", "2 m 3"})
	{
		VstIntPtr answer = 1;
		EXPECT_EQ(typed(garbage, &answer), before) << garbage;
		EXPECT_EQ(answer, 0) << garbage;
	}
	char text[] = "2";
	EXPECT_EQ(plugin->dispatch(effString2Parameter, 1, 0, text), 0) << "there is no parameter 1";
}

TEST_F(HostConveniences, PropertiesGiveNamesAndStepsInMetres)
{
	VstParameterProperties properties;
	std::memset(&properties, 0x5a, sizeof(properties));
	ASSERT_EQ(plugin->dispatch(effGetParameterProperties, 0, 0, &properties), 1);
	EXPECT_STREQ(properties.label, "Loudspeaker Distance");
	EXPECT_STREQ(properties.shortLabel, "Dist");
	EXPECT_EQ(properties.flags, kVstParameterUsesFloatStep | kVstParameterSupportsDisplayIndex);
	EXPECT_FLOAT_EQ(properties.stepFloat * 4.5f, 0.01f);
	EXPECT_FLOAT_EQ(properties.smallStepFloat * 4.5f, 0.01f);
	EXPECT_FLOAT_EQ(properties.largeStepFloat * 4.5f, 0.1f);
	EXPECT_EQ(properties.displayIndex, 0);
	EXPECT_EQ(properties.future[15], 0) << "the record is filled whole";
	EXPECT_EQ(plugin->dispatch(effGetParameterProperties, 1, 0, &properties), 0);
}

} // namespace
