// The LV2 plug-in through its exported entry point: lilv's lv2apply runs
// it on a file, and this program runs it in place, bypassed and counted for
// allocations. The VST2 module, loaded as a host loads it, is the measure.
#include "lv2/lv2ports.h"
#include "tests/support/module.h"
#include "tests/tools/audiofiles.h"

#include <lv2/core/lv2.h>

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

extern char** environ;

namespace
{

using namespace corvane::lv2;
using corvane::test::Audio;

namespace fs = std::filesystem;

constexpr int kRate = 44100;

// The VST2 module's single-precision output at the normalised value v.
std::vector<double> vstOutput(const Audio& input, float v, int blockSize)
{
	auto plugin = corvane::test::loadCorvane();
	if (!plugin)
		return {};
	plugin->dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(input.sampleRate));
	plugin->dispatch(effSetBlockSize, 0, blockSize);
	plugin->dispatch(effMainsChanged, 0, 1);
	plugin->setParameter(0, v);
	std::vector<float> left(blockSize), right(blockSize), outLeft(blockSize), outRight(blockSize);
	std::vector<double> out(input.samples.size());
	for (sf_count_t start = 0; start < input.frames(); start += blockSize)
	{
		auto n = static_cast<int>(std::min<sf_count_t>(blockSize, input.frames() - start));
		for (int i = 0; i < n; i++)
		{
			left[i] = static_cast<float>(input.samples[2 * (start + i)]);
			right[i] = static_cast<float>(input.samples[2 * (start + i) + 1]);
		}
		float* in[2] = {left.data(), right.data()};
		float* outs[2] = {outLeft.data(), outRight.data()};
		plugin->processReplacing(in, outs, n);
		for (int i = 0; i < n; i++)
		{
			out[2 * (start + i)] = outLeft[i];
			out[2 * (start + i) + 1] = outRight[i];
		}
	}
	return out;
}

std::string findProgram(const char* name)
{
	for (const char* dir : {"/usr/bin", "/usr/local/bin", "/bin"})
		if (fs::path path = fs::path(dir) / name; access(path.c_str(), X_OK) == 0)
			return path;
	return {};
}

// Runs argv with LV2_PATH pointing at the build's bundle; the exit status.
int runWithLv2Path(std::vector<std::string> args)
{
	std::vector<std::string> env = {std::string("LV2_PATH=") + CORVANE_LV2_FOLDER};
#ifdef CORVANE_ASAN_RUNTIME
	// The module needs the sanitizer's run time first, which lv2apply lacks;
	// lv2apply's own leaks are not ours.
	env.emplace_back("LD_PRELOAD=" CORVANE_ASAN_RUNTIME);
	env.emplace_back("ASAN_OPTIONS=detect_leaks=0");
#endif
	auto replaced = [&](std::string_view entry)
	{
		for (const std::string& own : env)
			if (entry.substr(0, own.find('=') + 1) == std::string_view(own).substr(0, own.find('=') + 1))
				return true;
		return false;
	};
	for (char** e = environ; *e; ++e)
		if (!replaced(*e))
			env.emplace_back(*e);
	std::vector<char*> argv, envp;
	for (auto& a : args)
		argv.push_back(a.data());
	argv.push_back(nullptr);
	for (auto& e : env)
		envp.push_back(e.data());
	envp.push_back(nullptr);
	pid_t pid = 0;
	if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
		return -1;
	int status = 0;
	waitpid(pid, &status, 0);
	return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(Lv2Apply, MatchesTheVstModuleInSinglePrecisionBitForBit)
{
	std::string lv2apply = findProgram("lv2apply");
	if (lv2apply.empty())
		GTEST_SKIP() << "lv2apply is not installed (Debian package lilv-utils; scripts/install-deps.sh installs it)";
	fs::path dir = fs::path(testing::TempDir()) / "corvane-lv2apply";
	fs::create_directories(dir);
	Audio input = corvane::test::mixedStereo(kRate, kRate / 2, kRate / 10);
	ASSERT_TRUE(corvane::test::writeAudio(dir / "in.wav", input));

	// 1.625 m is the normalised 0.25, exact in both.
	ASSERT_EQ(
	    runWithLv2Path({lv2apply, "-i", dir / "in.wav", "-o", dir / "out.wav", "-c", "distance", "1.625", kPluginUri}),
	    0);
	Audio lv2 = corvane::test::readAudio(dir / "out.wav");
	std::vector<double> vst = vstOutput(input, 0.25f, 512);
	ASSERT_EQ(lv2.samples.size(), vst.size());
	ASSERT_NE(vst, input.samples) << "the filter did nothing";
	std::size_t mismatches = 0, first = 0;
	for (std::size_t i = 0; i < vst.size(); i++)
		if (lv2.samples[i] != vst[i] && mismatches++ == 0)
			first = i;
	EXPECT_EQ(mismatches, 0u) << "first at sample " << first << ": " << lv2.samples[first] << " against " << vst[first];
}

// Allocations of this process while the flag is set, counted at the C
// library's entry points, which the module's own (static) C++ run time
// also calls.
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// Only the thread that runs the plug-in counts: the VST2 module that gives
// the reference output has threads of its libraries' own (Pango's font set-up).
thread_local bool gCounting = false;
std::atomic<long> gAllocations{0};
#define CORVANE_COUNT_ALLOCATIONS 1
#endif

class Lv2Module : public testing::Test
{
protected:
	void SetUp() override
	{
		library = dlopen(CORVANE_LV2_MODULE, RTLD_NOW | RTLD_LOCAL);
		ASSERT_NE(library, nullptr) << dlerror();
		auto entry = reinterpret_cast<LV2_Descriptor_Function>(dlsym(library, "lv2_descriptor"));
		ASSERT_NE(entry, nullptr);
		descriptor = entry(0);
		ASSERT_NE(descriptor, nullptr);
		EXPECT_STREQ(descriptor->URI, kPluginUri);
		EXPECT_EQ(entry(1), nullptr);
	}
	void TearDown() override
	{
		if (library)
			dlclose(library);
	}

	// frames of input through a new instance, with out[c] == in[c] when
	// inPlace; answers the output, interleaved.
	std::vector<double> run(const Audio& input, float metres, float enabled, bool inPlace, int blockSize)
	{
		LV2_Handle h = descriptor->instantiate(descriptor, input.sampleRate, "", nullptr);
		EXPECT_NE(h, nullptr);
		if (!h)
			return {};
		std::vector<float> in[2], out[2];
		for (auto& b : in)
			b.resize(blockSize);
		for (auto& b : out)
			b.resize(blockSize);
		for (std::uint32_t c = 0; c < 2; c++)
		{
			descriptor->connect_port(h, kInLeft + c, in[c].data());
			descriptor->connect_port(h, kOutLeft + c, inPlace ? in[c].data() : out[c].data());
		}
		descriptor->connect_port(h, kDistance, &metres);
		descriptor->connect_port(h, kEnabled, &enabled);
		descriptor->activate(h);
		std::vector<double> result(input.samples.size());
		for (sf_count_t start = 0; start < input.frames(); start += blockSize)
		{
			auto n = static_cast<int>(std::min<sf_count_t>(blockSize, input.frames() - start));
			for (int i = 0; i < n; i++)
				for (int c = 0; c < 2; c++)
					in[c][i] = static_cast<float>(input.samples[2 * (start + i) + c]);
#ifdef CORVANE_COUNT_ALLOCATIONS
			gCounting = true;
#endif
			descriptor->run(h, static_cast<std::uint32_t>(n));
#ifdef CORVANE_COUNT_ALLOCATIONS
			gCounting = false;
#endif
			for (int i = 0; i < n; i++)
				for (int c = 0; c < 2; c++)
					result[2 * (start + i) + c] = (inPlace ? in[c] : out[c])[i];
		}
		if (descriptor->deactivate)
			descriptor->deactivate(h);
		descriptor->cleanup(h);
		return result;
	}

	void* library = nullptr;
	const LV2_Descriptor* descriptor = nullptr;
};

TEST_F(Lv2Module, InPlaceBypassedAndWithoutAllocating)
{
	Audio input = corvane::test::mixedStereo(48000, 48000 / 4, 0);
	input.sampleRate = 48000;
	std::vector<double> vst = vstOutput(input, 0.5f, 300);
	// 2.75 m, the normalised 0.5, at another rate and block size.
	EXPECT_EQ(run(input, 2.75f, 1.f, false, 300), vst);
	EXPECT_EQ(run(input, 2.75f, 1.f, true, 300), vst);
	// The host's bypass: the input bit for bit.
	EXPECT_EQ(run(input, 2.75f, 0.f, true, 300), input.samples);
#ifdef CORVANE_COUNT_ALLOCATIONS
	EXPECT_EQ(gAllocations.load(), 0);
#endif
}

} // namespace

#ifdef CORVANE_COUNT_ALLOCATIONS
extern "C"
{
	void* __libc_malloc(std::size_t);
	void* __libc_calloc(std::size_t, std::size_t);
	void* __libc_realloc(void*, std::size_t);

	void* malloc(std::size_t size)
	{
		if (gCounting)
			gAllocations++;
		return __libc_malloc(size);
	}
	void* calloc(std::size_t count, std::size_t size)
	{
		if (gCounting)
			gAllocations++;
		return __libc_calloc(count, size);
	}
	void* realloc(void* p, std::size_t size)
	{
		if (gCounting)
			gAllocations++;
		return __libc_realloc(p, size);
	}
}
#endif
