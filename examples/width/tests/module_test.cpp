// Corvane Width through its module, as a host sees it: identity, every
// parameter's name, label and display, typed values, programs, and the
// processing against a computation of its own.
#include "tools/vsthost/pluginhost.h"

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using corvane::HostedPlugin;

namespace
{

std::unique_ptr<HostedPlugin> loadWidth()
{
	std::string error;
	auto plugin = HostedPlugin::load(WIDTH_MODULE_PATH, error);
	EXPECT_TRUE(plugin) << error;
	return plugin;
}

std::string display(HostedPlugin& plugin, VstInt32 index)
{
	return plugin.getString(effGetParamDisplay, index);
}

bool typeValue(HostedPlugin& plugin, VstInt32 index, const char* text)
{
	std::string copy = text;
	return plugin.dispatch(effString2Parameter, index, 0, copy.data()) == 1;
}

} // namespace

TEST(WidthModule, DescribesItself)
{
	auto plugin = loadWidth();
	ASSERT_TRUE(plugin);
	AEffect* effect = plugin->effect();
	EXPECT_EQ(plugin->getString(effGetEffectName), "Corvane Width");
	EXPECT_EQ(plugin->getString(effGetVendorString), "Halvenor");
	EXPECT_EQ(plugin->getString(effGetProductString), "Corvane Width");
	EXPECT_EQ(corvane::fourCharString(effect->uniqueID), "CvWd");
	EXPECT_EQ(effect->numInputs, 2);
	EXPECT_EQ(effect->numOutputs, 2);
	EXPECT_EQ(effect->numParams, 4);
	EXPECT_EQ(effect->numPrograms, 8);
	EXPECT_TRUE(plugin->hasFlag(effFlagsHasEditor));
	EXPECT_TRUE(plugin->hasFlag(effFlagsCanReplacing));
	EXPECT_TRUE(plugin->hasFlag(effFlagsCanDoubleReplacing));
	EXPECT_EQ(plugin->dispatch(effGetPlugCategory), kPlugCategEffect);
	ERect* rect = nullptr;
	ASSERT_EQ(plugin->dispatch(effEditGetRect, 0, 0, &rect), 1);
	EXPECT_EQ(rect->right - rect->left, 380);
	EXPECT_EQ(rect->bottom - rect->top, 230);
}

TEST(WidthModule, EveryParameterHasANameALabelAndADisplay)
{
	auto plugin = loadWidth();
	ASSERT_TRUE(plugin);
	const char* names[] = {"Width", "Gain", "Mode", "Mute"};
	const char* labels[] = {"%", "dB", "", ""};
	for (VstInt32 i = 0; i < 4; ++i)
	{
		EXPECT_EQ(plugin->getString(effGetParamName, i), names[i]);
		EXPECT_EQ(plugin->getString(effGetParamLabel, i), labels[i]);
		EXPECT_EQ(plugin->dispatch(effCanBeAutomated, i), 1);
	}
	struct Case
	{
		VstInt32 index;
		float value;
		const char* text;
	};
	const Case cases[] = {
	    {0, 0.f, "0"},      {0, 0.5f, "100"},      {0, 0.75f, "150"},      {0, 1.f, "200"},
	    {1, 0.f, "-24.0"},  {1, 0.5f, "-6.0"},     {1, 2.f / 3.f, "0.0"},  {1, 1.f, "12.0"},
	    {2, 0.f, "Stereo"}, {2, 1.f / 3.f, "Mid"}, {2, 2.f / 3.f, "Side"}, {2, 1.f, "Swap"},
	    {2, 0.3f, "Mid"},   {3, 0.f, "Off"},       {3, 0.49f, "Off"},      {3, 1.f, "On"},
	};
	for (const Case& c : cases)
	{
		plugin->setParameter(c.index, c.value);
		EXPECT_EQ(plugin->getParameter(c.index), c.value);
		EXPECT_EQ(display(*plugin, c.index), c.text) << "parameter " << c.index << " at " << c.value;
		EXPECT_LE(display(*plugin, c.index).size(), static_cast<std::size_t>(kVstMaxParamStrLen - 1));
	}
}

TEST(WidthModule, TypedTextSetsTheParameterAndNonsenseChangesNothing)
{
	auto plugin = loadWidth();
	ASSERT_TRUE(plugin);
	EXPECT_TRUE(typeValue(*plugin, 0, "150 %"));
	EXPECT_EQ(display(*plugin, 0), "150");
	EXPECT_TRUE(typeValue(*plugin, 0, "37,5"));
	EXPECT_FLOAT_EQ(plugin->getParameter(0), 0.1875f);
	EXPECT_TRUE(typeValue(*plugin, 0, "900"));
	EXPECT_EQ(display(*plugin, 0), "200");
	EXPECT_FALSE(typeValue(*plugin, 0, "wide"));
	EXPECT_FALSE(typeValue(*plugin, 0, "12 dB"));
	EXPECT_EQ(display(*plugin, 0), "200");
	EXPECT_TRUE(typeValue(*plugin, 1, "-6 dB"));
	EXPECT_EQ(display(*plugin, 1), "-6.0");
	EXPECT_TRUE(typeValue(*plugin, 2, "side only"));
	EXPECT_EQ(display(*plugin, 2), "Side");
	EXPECT_FALSE(typeValue(*plugin, 2, "sideways"));
	EXPECT_TRUE(typeValue(*plugin, 3, "On"));
	EXPECT_EQ(display(*plugin, 3), "On");
}

TEST(WidthModule, ProgramsStartAsThePresetsAndKeepTheirChanges)
{
	auto plugin = loadWidth();
	ASSERT_TRUE(plugin);
	const char* names[] = {"Natural", "Narrow", "Wide", "Extra wide", "Mono", "Sides", "Swapped", "Silent"};
	for (VstInt32 i = 0; i < 8; ++i)
	{
		char name[kVstMaxProgNameLen + 1] = {};
		ASSERT_EQ(plugin->dispatch(effGetProgramNameIndexed, i, 0, name), 1);
		EXPECT_STREQ(name, names[i]);
	}
	EXPECT_EQ(display(*plugin, 0), "100");
	plugin->dispatch(effSetProgram, 0, 3);
	EXPECT_EQ(plugin->getString(effGetProgramName), "Extra wide");
	EXPECT_EQ(display(*plugin, 0), "200");
	EXPECT_EQ(display(*plugin, 1), "-3.0");
	plugin->dispatch(effSetProgram, 0, 4);
	EXPECT_EQ(display(*plugin, 2), "Mid");
	plugin->setParameter(0, 0.25f);
	plugin->dispatch(effSetProgram, 0, 7);
	EXPECT_EQ(display(*plugin, 3), "On");
	plugin->dispatch(effSetProgram, 0, 4);
	EXPECT_EQ(display(*plugin, 0), "50");
}

namespace
{

// What the effect must put out, worked out from left and right directly:
// each output is a weighted sum of both inputs.
struct Setting
{
	double width; // 0 to 2
	double gainDb;
	int mode; // Stereo, Mid only, Side only, Swap
	bool mute;
};

void expected(const Setting& s, double left, double right, double& outLeft, double& outRight)
{
	double g = s.mute ? 0. : std::pow(10., s.gainDb / 20.);
	double near = (1. + s.width) / 2., far = (1. - s.width) / 2.;
	switch (s.mode)
	{
		case 0:
			outLeft = g * (near * left + far * right);
			outRight = g * (far * left + near * right);
			break;
		case 1: outLeft = outRight = g * (left + right) / 2.; break;
		case 2:
			outLeft = g * s.width * (left - right) / 2.;
			outRight = -outLeft;
			break;
		default:
			outLeft = g * (far * left + near * right);
			outRight = g * (near * left + far * right);
			break;
	}
}

template <typename Sample>
void checkProcessing(HostedPlugin& plugin, const Setting& s, const std::vector<double>& l, const std::vector<double>& r)
{
	const auto frames = static_cast<VstInt32>(l.size());
	std::vector<Sample> inL(l.begin(), l.end()), inR(r.begin(), r.end()), outL(l.size()), outR(l.size());
	Sample* inputs[] = {inL.data(), inR.data()};
	Sample* outputs[] = {outL.data(), outR.data()};
	if constexpr (std::is_same_v<Sample, float>)
		plugin.processReplacing(inputs, outputs, frames);
	else
		plugin.processDoubleReplacing(inputs, outputs, frames);
	const double tolerance = std::is_same_v<Sample, float> ? 2e-6 : 1e-12;
	for (VstInt32 i = 0; i < frames; ++i)
	{
		double wantL = 0., wantR = 0.;
		expected(s, static_cast<double>(inL[i]), static_cast<double>(inR[i]), wantL, wantR);
		ASSERT_NEAR(static_cast<double>(outL[i]), wantL, tolerance * 8) << "frame " << i;
		ASSERT_NEAR(static_cast<double>(outR[i]), wantR, tolerance * 8) << "frame " << i;
	}
}

} // namespace

TEST(WidthModule, ProcessingMatchesTheWeightedSumsOfBothInputs)
{
	auto plugin = loadWidth();
	ASSERT_TRUE(plugin);
	plugin->dispatch(effSetSampleRate, 0, 0, nullptr, 48000.f);
	plugin->dispatch(effSetBlockSize, 0, 256);
	plugin->dispatch(effMainsChanged, 0, 1);
	std::mt19937 random(17);
	std::uniform_real_distribution<double> sample(-1., 1.);
	std::vector<double> left(256), right(256);
	for (std::size_t i = 0; i < left.size(); ++i)
	{
		left[i] = sample(random);
		right[i] = sample(random);
	}
	const Setting settings[] = {
	    {1., 0., 0, false},  {0., 0., 0, false}, {2., -24., 0, false}, {0.37, 12., 0, false},  {1.6, -6., 1, false},
	    {0.5, 3., 2, false}, {2., 0., 2, false}, {1., 0., 3, false},   {0.25, -10., 3, false}, {1.5, 6., 0, true},
	};
	for (const Setting& s : settings)
	{
		SCOPED_TRACE(testing::Message() << "width " << s.width << ", " << s.gainDb << " dB, mode " << s.mode
		                                << (s.mute ? ", muted" : ""));
		plugin->setParameter(0, static_cast<float>(s.width / 2.));
		plugin->setParameter(1, static_cast<float>((s.gainDb + 24.) / 36.));
		plugin->setParameter(2, static_cast<float>(s.mode) / 3.f);
		plugin->setParameter(3, s.mute ? 1.f : 0.f);
		// The parameters as the effect holds them: float, like every host's.
		Setting held = s;
		held.width = static_cast<double>(plugin->getParameter(0)) * 2.;
		held.gainDb = static_cast<double>(plugin->getParameter(1)) * 36. - 24.;
		checkProcessing<float>(*plugin, held, left, right);
		checkProcessing<double>(*plugin, held, left, right);
	}
}
