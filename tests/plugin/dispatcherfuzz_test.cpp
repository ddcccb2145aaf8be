// Random host behaviour through the binary interface: any opcode with any
// index and value and a buffer of at least the published size, mixed with
// parameter changes, processing of random block sizes and the editor opened,
// idled and closed. Seeded, so that a failure can be repeated; bounded in
// calls and time. The sanitizer build is where it earns its keep.
#include "tests/support/x11testsupport.h"
#include "tools/vsthost/pluginhost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

using corvane::HostedPlugin;

namespace
{

constexpr unsigned kSeed = 20261209;
constexpr long kMaxCalls = 400000;
constexpr auto kMaxTime = std::chrono::seconds(40);

class DispatcherFuzz
{
public:
	DispatcherFuzz(HostedPlugin& plugin, xcb_window_t parent) : plugin(plugin), parent(parent) {}

	void step()
	{
		int kind = pick(0, 99);
		if (kind < 60)
			randomDispatch();
		else if (kind < 75)
			plugin.setParameter(pick(-1, 2), randomFloat());
		else if (kind < 92)
			processBlock();
		else
			editorStep();
		calls++;
	}

	long getCalls() const { return calls; }

	// A block of finite input after whatever came before: the output must be
	// finite, as the filter starts again after a non-finite sample.
	bool finiteAfterCleanBlock()
	{
		std::vector<float> left(64, 0.25f), right(64, -0.125f);
		float* io[] = {left.data(), right.data()};
		plugin.processReplacing(io, io, 64);
		plugin.processReplacing(io, io, 64);
		for (std::size_t i = 0; i < left.size(); i++)
			if (!std::isfinite(left[i]) || !std::isfinite(right[i]))
				return false;
		return true;
	}

private:
	int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

	float randomFloat()
	{
		switch (pick(0, 7))
		{
			case 0: return std::numeric_limits<float>::quiet_NaN();
			case 1: return std::numeric_limits<float>::infinity();
			case 2: return -1e30f;
			case 3: return 48000.f;
			default: return std::uniform_real_distribution<float>(-2.f, 3.f)(random);
		}
	}

	VstIntPtr randomValue()
	{
		switch (pick(0, 5))
		{
			case 0: return -1;
			case 1: return std::numeric_limits<VstIntPtr>::max();
			case 2: return std::numeric_limits<VstIntPtr>::min();
			default: return pick(0, 40);
		}
	}

	void randomDispatch()
	{
		VstInt32 opcode = pick(0, 90);
		// Closing ends the instance, the editor opcodes take a window and
		// have their own step.
		if (opcode == effClose || opcode == effEditOpen || opcode == effEditClose || opcode == effEditIdle)
			return;
		std::memset(buffer.data(), pick(0, 1) ? 0 : 0x41, buffer.size());
		buffer.back() = 0;
		VstIntPtr value = randomValue();
		// These take a second record through value; hosts pass a pointer.
		if (opcode == effSetSpeakerArrangement || opcode == effGetSpeakerArrangement)
			value = reinterpret_cast<VstIntPtr>(second.data());
		if (opcode == effSetChunk)
			value = pick(0, static_cast<int>(buffer.size()));
		plugin.dispatch(opcode, pick(-2, 40), value, pick(0, 9) ? buffer.data() : nullptr, randomFloat());
	}

	void processBlock()
	{
		int frames = pick(0, 9) ? pick(0, 2048) : pick(-3, 0);
		std::size_t size = static_cast<std::size_t>(std::max(frames, 0));
		if (pick(0, 1))
			runBlock<float>(size, frames);
		else
			runBlock<double>(size, frames);
	}

	template <typename Sample> void runBlock(std::size_t size, int frames)
	{
		std::vector<Sample> left(size), right(size);
		std::uniform_real_distribution<Sample> signal(-1, 1);
		for (std::size_t i = 0; i < size; i++)
		{
			left[i] = signal(random);
			right[i] = signal(random);
		}
		if (size > 0 && pick(0, 20) == 0)
			left[static_cast<std::size_t>(pick(0, frames - 1))] = std::numeric_limits<Sample>::quiet_NaN();
		Sample* in[] = {left.data(), right.data()};
		if constexpr (std::is_same_v<Sample, float>)
			plugin.processReplacing(in, in, frames);
		else
			plugin.processDoubleReplacing(in, in, frames);
	}

	void editorStep()
	{
		switch (pick(0, 3))
		{
			case 0: plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(std::uintptr_t(parent))); break;
			case 1: plugin.dispatch(effEditClose); break;
			default: plugin.dispatch(effEditIdle); break;
		}
	}

	HostedPlugin& plugin;
	xcb_window_t parent;
	std::mt19937 random{kSeed};
	// Larger than every record of the interface, text fields included.
	std::vector<char> buffer = std::vector<char>(4096);
	std::vector<char> second = std::vector<char>(4096);
	long calls = 0;
};

TEST(DispatcherFuzz, RandomHostCallsNeverBreakTheEffect)
{
	corvane::test::sharedServer();
	corvane::test::TestClient client;
	xcb_window_t parent = client.createParent(0, 0, 400, 196);
	std::string error;
	auto plugin = HostedPlugin::load(CORVANE_MODULE_PATH, error);
	ASSERT_TRUE(plugin) << error;
	plugin->dispatch(effOpen);
	plugin->dispatch(effSetSampleRate, 0, 0, nullptr, 48000.f);
	plugin->dispatch(effMainsChanged, 0, 1);

	DispatcherFuzz fuzz(*plugin, parent);
	const auto end = std::chrono::steady_clock::now() + kMaxTime;
	while (fuzz.getCalls() < kMaxCalls && std::chrono::steady_clock::now() < end)
	{
		fuzz.step();
		if (fuzz.getCalls() % 10000 == 0)
		{
			float value = plugin->getParameter(0);
			ASSERT_TRUE(value >= 0.f && value <= 1.f) << value << " after " << fuzz.getCalls() << " calls";
		}
	}
	plugin->dispatch(effEditClose);
	// A sample rate the fuzz may have left unusable passes the signal through;
	// either way the output of clean input is clean.
	plugin->dispatch(effSetSampleRate, 0, 0, nullptr, 44100.f);
	EXPECT_TRUE(fuzz.finiteAfterCleanBlock());
	EXPECT_EQ(plugin->close(), 1);
	RecordProperty("calls", static_cast<int>(fuzz.getCalls()));
	std::printf("%ld calls from seed %u\n", fuzz.getCalls(), kSeed);
}

} // namespace
