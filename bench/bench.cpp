// Throughput of Corvane's processing beside a plain loop of the same
// recursion: the recursion's dependency chain (a multiply, a subtraction, a
// division and an addition per frame) bounds any implementation, so the plain
// loop measures that bound on this machine.
#include "effect/corvane.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace
{

template <typename Sample> struct Buffers
{
	explicit Buffers(std::size_t frames) : inL(frames), inR(frames), outL(frames), outR(frames)
	{
		std::mt19937 random(1);
		std::uniform_real_distribution<double> noise(-0.5, 0.5);
		for (std::size_t i = 0; i < frames; i++)
		{
			inL[i] = static_cast<Sample>(noise(random));
			inR[i] = static_cast<Sample>(noise(random));
		}
	}
	std::vector<Sample> inL, inR, outL, outR;
	Sample* in[2] = {inL.data(), inR.data()};
	Sample* out[2] = {outL.data(), outR.data()};
};

template <typename Sample> void runEffect(benchmark::State& state)
{
	auto frames = static_cast<VstInt32>(state.range(0));
	Corvane effect(nullptr);
	effect.setParameter(0, 0.2f);
	AEffect* e = effect.getAeffect();
	Buffers<Sample> b(static_cast<std::size_t>(frames));
	for (auto _ : state)
	{
		if constexpr (sizeof(Sample) == sizeof(float))
			e->processReplacing(e, b.in, b.out, frames);
		else
			e->processDoubleReplacing(e, b.in, b.out, frames);
		benchmark::DoNotOptimize(b.outL.data());
		benchmark::ClobberMemory();
	}
	state.SetItemsProcessed(state.iterations() * frames);
}

struct PlainState
{
	double a0, a1, side, y;
};

// The same recursion with nothing around it: one block, the state loaded
// before and stored after, as any implementation must.
template <typename Sample>
__attribute__((noinline)) void plainBlock(PlainState& st, const Sample* inL, const Sample* inR, Sample* outL,
                                          Sample* outR, std::size_t frames)
{
	const double a0 = st.a0, a1 = st.a1, eps = 1.0 / 4294967295.0;
	double side = st.side, y = st.y;
	for (std::size_t i = 0; i < frames; i++)
	{
		const double l = inL[i], r = inR[i];
		const double s = l + r, d = l - r;
		y = ((d - side) - a1 * y) / a0 + eps;
		side = d;
		outL[i] = static_cast<Sample>((s + y) * 0.5);
		outR[i] = static_cast<Sample>((s - y) * 0.5);
	}
	st.side = side;
	st.y = y;
}

template <typename Sample> void runPlainLoop(benchmark::State& state)
{
	const auto frames = static_cast<std::size_t>(state.range(0));
	Buffers<Sample> b(frames);
	const double alpha = (1.4 / 340.0) * (44100.0 * 4.0);
	PlainState st{1.0 + 2.0 / alpha, 2.0 / alpha - 1.0, 0.0, 0.0};
	for (auto _ : state)
	{
		plainBlock(st, b.inL.data(), b.inR.data(), b.outL.data(), b.outR.data(), frames);
		benchmark::DoNotOptimize(b.outL.data());
		benchmark::ClobberMemory();
	}
	state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(frames));
}

void BM_processReplacing(benchmark::State& s)
{
	runEffect<float>(s);
}
void BM_processDoubleReplacing(benchmark::State& s)
{
	runEffect<double>(s);
}
void BM_plainLoopFloat(benchmark::State& s)
{
	runPlainLoop<float>(s);
}
void BM_plainLoopDouble(benchmark::State& s)
{
	runPlainLoop<double>(s);
}

BENCHMARK(BM_processReplacing)->Arg(32)->Arg(512)->Arg(4096);
BENCHMARK(BM_plainLoopFloat)->Arg(32)->Arg(512)->Arg(4096);
BENCHMARK(BM_processDoubleReplacing)->Arg(32)->Arg(512)->Arg(4096);
BENCHMARK(BM_plainLoopDouble)->Arg(32)->Arg(512)->Arg(4096);

// Keeps frames per second by benchmark name, to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
	void ReportRuns(const std::vector<Run>& runs) override
	{
		ConsoleReporter::ReportRuns(runs);
		for (const Run& run : runs)
		{
			auto it = run.counters.find("items_per_second");
			if (it != run.counters.end() && run.run_type == Run::RT_Iteration)
				rates[run.benchmark_name()] = it->second.value;
		}
	}
	void printRatios() const
	{
		std::printf("\nframes per second, Corvane / plain loop of the same recursion:\n");
		for (const char* frames : {"32", "512", "4096"})
		{
			ratio("processReplacing", "plainLoopFloat", frames);
			ratio("processDoubleReplacing", "plainLoopDouble", frames);
		}
	}

private:
	void ratio(const std::string& effect, const std::string& plain, const std::string& frames) const
	{
		auto a = rates.find("BM_" + effect + "/" + frames);
		auto b = rates.find("BM_" + plain + "/" + frames);
		if (a == rates.end() || b == rates.end())
			return;
		std::printf("  %-24s %5s frames: %7.1f M/s vs %7.1f M/s  ratio %.3f\n", effect.c_str(), frames.c_str(),
		            a->second / 1e6, b->second / 1e6, a->second / b->second);
	}
	std::map<std::string, double> rates;
};

} // namespace

int main(int argc, char** argv)
{
	benchmark::Initialize(&argc, argv);
	if (benchmark::ReportUnrecognizedArguments(argc, argv))
		return 1;
	RatioReporter reporter;
	benchmark::RunSpecifiedBenchmarks(&reporter);
	reporter.printRatios();
	benchmark::Shutdown();
	return 0;
}
