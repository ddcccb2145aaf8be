// The near-field compensation filter, driven through the effect class and on
// its own.
#include "effect/corvane.h"
#include "effect/nearfieldfilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace
{

constexpr double kEpsilon = 2.3283064370807974e-10;

// Relative comparison to the last bits of a double.
void expectClose(double actual, double expected, double tolerance = 1e-15)
{
	EXPECT_LE(std::fabs(actual - expected), tolerance * std::fabs(expected)) << actual << " vs " << expected;
}

template <typename Sample> struct Stereo
{
	explicit Stereo(std::size_t frames) : left(frames), right(frames), ptrs{left.data(), right.data()} {}
	std::vector<Sample> left, right;
	Sample* ptrs[2];
};

// An independent model of the filter, one frame at a time.
struct Model
{
	double a0 = 0, a1 = 0, side = 0, y = 0;
	void setup(double fs, double normalised) { setupMetres(fs, 4.5 * normalised + 0.5); }
	void setupMetres(double fs, double r)
	{
		double alpha = (r / 340.0) * (fs * 4.0);
		a0 = 1.0 + 2.0 / alpha;
		a1 = 2.0 / alpha - 1.0;
	}
	void frame(double l, double r, double& outL, double& outR)
	{
		double d = l - r;
		y = ((d - side) - a1 * y) / a0 + kEpsilon;
		side = d;
		outL = (l + r + y) * 0.5;
		outR = (l + r - y) * 0.5;
	}
};

// Noise on the left and a slow sine on the right, different for every block.
template <typename Sample> void fill(Stereo<Sample>& block, int seed)
{
	std::srand(static_cast<unsigned>(seed));
	for (std::size_t i = 0; i < block.left.size(); i++)
	{
		block.left[i] = static_cast<Sample>(std::rand() / double(RAND_MAX) - 0.5);
		block.right[i] = static_cast<Sample>(std::sin(0.01 * double(seed * 1000 + int(i))));
	}
}

// Runs the model over in and asks for exactly its outputs, in out's precision.
template <typename Sample> void expectModelOutput(Model& model, const Stereo<Sample>& in, const Stereo<Sample>& out)
{
	for (std::size_t i = 0; i < in.left.size(); i++)
	{
		double l, r;
		model.frame(in.left[i], in.right[i], l, r);
		ASSERT_EQ(out.left[i], static_cast<Sample>(l)) << "frame " << i;
		ASSERT_EQ(out.right[i], static_cast<Sample>(r)) << "frame " << i;
	}
}

NearFieldFilter filterAt(double metres, double fs)
{
	NearFieldFilter filter;
	filter.setCoefficients(NearFieldFilter::coefficients(metres, fs, -2.0), fs);
	return filter;
}

} // namespace

TEST(Filter, RootTable)
{
	Corvane effect(nullptr);
	EXPECT_EQ(effect.fRootsReal(1, 1), -2.0);
	EXPECT_EQ(effect.fRootsReal(2, 2), -3.0);
	EXPECT_EQ(effect.fRootsReal(3, 2), -4.6444);
	EXPECT_EQ(effect.fRootsReal(4, 3), -5.7924);
	EXPECT_EQ(effect.fRootsReal(5, 3), -7.2935);
	EXPECT_EQ(effect.fRootsReal(5, 5), -4.6493);
	EXPECT_EQ(effect.fRootsReal(2, 3), 0.0);
	EXPECT_EQ(effect.fRootsReal(0, 1), 0.0);
	EXPECT_EQ(effect.fRootsReal(6, 1), 0.0);
	EXPECT_EQ(effect.fRootsReal(1, -1), 0.0);
}

TEST(Filter, CoefficientsAtBothEndsOfTheRange)
{
	Corvane effect(nullptr);
	auto [a0, a1] = effect.firstOrderFilterCoeffs(1);
	expectClose(a0, 1.0077097505668935);
	expectClose(a1, -0.9922902494331066);
	effect.setParameter(0, 1.f);
	auto [b0, b1] = effect.firstOrderFilterCoeffs(1);
	expectClose(b0, 1.0007709750566893);
	expectClose(b1, -0.9992290249433107);
}

TEST(Filter, FirstFrameAtHalfAMetre)
{
	Corvane effect(nullptr);
	Stereo<double> in(1), out(1);
	in.left[0] = 1.0;
	effect.processDoubleReplacing(in.ptrs, out.ptrs, 1);
	expectClose(out.left[0], 0.9961746175781614);
	expectClose(out.right[0], 0.0038253824218385524);

	Corvane single(nullptr);
	Stereo<float> fin(1), fout(1);
	fin.left[0] = 1.f;
	single.processReplacing(fin.ptrs, fout.ptrs, 1);
	EXPECT_EQ(fout.left[0], static_cast<float>(0.9961746175781614));
	EXPECT_EQ(fout.right[0], static_cast<float>(0.0038253824218385524));
}

TEST(Filter, FirstFrameAtFiveMetres)
{
	Corvane effect(nullptr);
	effect.setParameter(0, 1.f);
	Stereo<double> in(1), out(1);
	in.left[0] = 1.0;
	effect.processDoubleReplacing(in.ptrs, out.ptrs, 1);
	double y = 1.0 / 1.0007709750566893 + kEpsilon;
	expectClose(out.left[0], (1.0 + y) * 0.5);
	expectClose(out.right[0], (1.0 - y) * 0.5, 1e-12); // a small difference of large numbers
}

TEST(Filter, MatchesAnIndependentModelOverManyBlocks)
{
	Corvane effect(nullptr);
	effect.setSampleRate(48000.f);
	effect.setParameter(0, 0.3f);
	Model model;
	model.setup(48000.0, static_cast<double>(0.3f));
	std::srand(7);
	for (int block = 0; block < 20; block++)
	{
		Stereo<double> in(97), out(97);
		for (std::size_t i = 0; i < 97; i++)
		{
			in.left[i] = std::rand() / double(RAND_MAX) - 0.5;
			in.right[i] = std::sin(0.01 * double(block * 97 + i));
		}
		effect.processDoubleReplacing(in.ptrs, out.ptrs, 97);
		for (std::size_t i = 0; i < 97; i++)
		{
			double l, r;
			model.frame(in.left[i], in.right[i], l, r);
			ASSERT_EQ(out.left[i], l);
			ASSERT_EQ(out.right[i], r);
		}
	}
}

TEST(Filter, InPlaceBuffersGiveTheSameResult)
{
	Corvane separate(nullptr), inPlace(nullptr);
	Stereo<float> in(64), out(64), io(64);
	for (std::size_t i = 0; i < 64; i++)
	{
		in.left[i] = io.left[i] = std::sin(0.3f * float(i));
		in.right[i] = io.right[i] = std::cos(0.7f * float(i));
	}
	separate.processReplacing(in.ptrs, out.ptrs, 64);
	inPlace.processReplacing(io.ptrs, io.ptrs, 64);
	EXPECT_EQ(io.left, out.left);
	EXPECT_EQ(io.right, out.right);
}

TEST(Filter, ZeroOrNegativeFramesWriteNothingAndKeepTheState)
{
	Corvane effect(nullptr), reference(nullptr);
	Stereo<double> in(4), out(4);
	out.left.assign(4, 7.0);
	effect.processDoubleReplacing(in.ptrs, out.ptrs, 0);
	effect.processDoubleReplacing(in.ptrs, out.ptrs, -3);
	EXPECT_EQ(out.left[0], 7.0);
	in.left = {1, 0.5, -1, 0};
	Stereo<double> outA(4), outB(4);
	effect.processDoubleReplacing(in.ptrs, outA.ptrs, 4);
	reference.processDoubleReplacing(in.ptrs, outB.ptrs, 4);
	EXPECT_EQ(outA.left, outB.left);
}

TEST(Filter, StateCarriesAcrossPrecisionsAndSampleRates)
{
	Corvane effect(nullptr);
	Model model;
	model.setup(44100.0, 0.0);
	Stereo<double> in(8), out(8);
	Stereo<float> fin(8), fout(8);
	for (std::size_t i = 0; i < 8; i++)
	{
		in.left[i] = fin.left[i] = 0.25f * float(i % 3);
		in.right[i] = fin.right[i] = -0.5f;
	}
	effect.processDoubleReplacing(in.ptrs, out.ptrs, 8);
	for (std::size_t i = 0; i < 8; i++)
	{
		double l, r;
		model.frame(in.left[i], in.right[i], l, r);
		EXPECT_EQ(out.left[i], l);
	}
	effect.processReplacing(fin.ptrs, fout.ptrs, 8);
	for (std::size_t i = 0; i < 8; i++)
	{
		double l, r;
		model.frame(fin.left[i], fin.right[i], l, r);
		EXPECT_EQ(fout.left[i], static_cast<float>(l));
		EXPECT_EQ(fout.right[i], static_cast<float>(r));
	}
	// A new rate changes the next block's coefficients, not the state.
	effect.setSampleRate(96000.f);
	model.setup(96000.0, 0.0);
	effect.processDoubleReplacing(in.ptrs, out.ptrs, 8);
	for (std::size_t i = 0; i < 8; i++)
	{
		double l, r;
		model.frame(in.left[i], in.right[i], l, r);
		EXPECT_EQ(out.left[i], l);
		EXPECT_EQ(out.right[i], r);
	}
	// Nor does a restart of processing reset it.
	effect.dispatcher(effMainsChanged, 0, 0, nullptr, 0.f);
	effect.dispatcher(effMainsChanged, 0, 1, nullptr, 0.f);
	effect.processDoubleReplacing(in.ptrs, out.ptrs, 8);
	double l, r;
	model.frame(in.left[0], in.right[0], l, r);
	EXPECT_EQ(out.left[0], l);
}

TEST(Filter, SumPassesAndSilenceSettlesAtTheOffset)
{
	Corvane effect(nullptr);
	Stereo<double> in(20000), out(20000);
	for (std::size_t i = 0; i < in.left.size(); i++)
		in.left[i] = in.right[i] = 0.3 * std::sin(0.001 * double(i));
	effect.processDoubleReplacing(in.ptrs, out.ptrs, 20000);
	for (std::size_t i = 0; i < in.left.size(); i += 997)
		EXPECT_NEAR(out.left[i], in.left[i], 1e-7);

	Stereo<double> silence(20000), settled(20000);
	effect.processDoubleReplacing(silence.ptrs, settled.ptrs, 20000);
	double a0 = 1.0077097505668935, a1 = -0.9922902494331066;
	double offset = kEpsilon * a0 / (a0 + a1);
	EXPECT_NEAR(offset, 1.52e-8, 0.01e-8);
	expectClose(settled.left.back(), offset * 0.5, 1e-9);
	expectClose(settled.right.back(), -offset * 0.5, 1e-9);
}

TEST(Filter, ConstantDifferenceDecays)
{
	Corvane effect(nullptr);
	Stereo<double> in(44100), out(44100);
	in.left.assign(44100, 0.5);
	in.right.assign(44100, -0.5);
	effect.processDoubleReplacing(in.ptrs, out.ptrs, 44100);
	EXPECT_GT(out.left[0], 0.49);
	EXPECT_LT(std::fabs(out.left.back()), 1e-6);
	EXPECT_LT(std::fabs(out.right.back()), 1e-6);
}

TEST(Filter, NonFiniteInputDoesNotPoisonLaterBlocks)
{
	Corvane effect(nullptr), clean(nullptr);
	Stereo<float> bad(4), out(4);
	bad.left[1] = std::numeric_limits<float>::quiet_NaN();
	bad.right[2] = std::numeric_limits<float>::infinity();
	effect.processReplacing(bad.ptrs, out.ptrs, 4);

	// The next block starts from a clean state, exactly as a new instance.
	Stereo<float> in(16), outA(16), outB(16);
	for (std::size_t i = 0; i < 16; i++)
		in.left[i] = 0.1f * float(i);
	effect.processReplacing(in.ptrs, outA.ptrs, 16);
	clean.processReplacing(in.ptrs, outB.ptrs, 16);
	EXPECT_EQ(outA.left, outB.left);
	EXPECT_EQ(outA.right, outB.right);
}

TEST(Filter, UnusableSampleRatesPassTheSignalThrough)
{
	for (float rate : {0.f, -44100.f, std::numeric_limits<float>::infinity(), std::nanf("")})
	{
		Corvane effect(nullptr);
		effect.setSampleRate(rate);
		Stereo<float> in(32), out(32);
		for (std::size_t i = 0; i < 32; i++)
		{
			in.left[i] = std::sin(0.2f * float(i));
			in.right[i] = 0.5f;
		}
		effect.processReplacing(in.ptrs, out.ptrs, 32);
		for (std::size_t i = 0; i < 32; i++)
		{
			ASSERT_TRUE(std::isfinite(out.left[i])) << rate;
			EXPECT_EQ(out.left[i], in.left[i]) << rate;
			EXPECT_EQ(out.right[i], in.right[i]) << rate;
		}
		// A usable rate later filters again.
		effect.setSampleRate(44100.f);
		effect.processReplacing(in.ptrs, out.ptrs, 32);
		EXPECT_NE(out.right[31], in.right[31]);
	}
}

TEST(NearFieldFilter, MatchesTheModelOverBlocksOfBothPrecisionsAlsoInPlace)
{
	NearFieldFilter filter = filterAt(1.8, 48000.0);
	Model model;
	model.setupMetres(48000.0, 1.8);
	for (int block = 0; block < 12; block++)
	{
		if (block % 2 == 0)
		{
			Stereo<double> in(97), out(97);
			fill(in, block);
			filter.process(in.left.data(), in.right.data(), out.left.data(), out.right.data(), 97);
			ASSERT_NO_FATAL_FAILURE(expectModelOutput(model, in, out));
		}
		else
		{
			// The outputs overwrite the inputs they are computed from.
			Stereo<float> in(64), io(64);
			fill(in, block);
			fill(io, block);
			filter.process(io.left.data(), io.right.data(), io.left.data(), io.right.data(), 64);
			ASSERT_NO_FATAL_FAILURE(expectModelOutput(model, in, io));
		}
		EXPECT_EQ(filter.lastOutput(), model.y);
	}
}

TEST(NearFieldFilter, StartsFromSilenceAfterANonFiniteSampleOrAReset)
{
	NearFieldFilter filter = filterAt(0.5, 44100.0);
	Stereo<float> bad(4), badOut(4);
	bad.left[1] = std::numeric_limits<float>::quiet_NaN();
	filter.process(bad.left.data(), bad.right.data(), badOut.left.data(), badOut.right.data(), 4);
	ASSERT_TRUE(std::isnan(filter.lastOutput()));
	filter.process(bad.left.data(), bad.right.data(), badOut.left.data(), badOut.right.data(), 0);
	EXPECT_TRUE(std::isnan(filter.lastOutput())) << "an empty block touched the state";

	Stereo<double> in(32), out(32);
	fill(in, 3);
	filter.process(in.left.data(), in.right.data(), out.left.data(), out.right.data(), 32);
	Model fresh;
	fresh.setupMetres(44100.0, 0.5);
	ASSERT_NO_FATAL_FAILURE(expectModelOutput(fresh, in, out));

	filter.reset();
	EXPECT_EQ(filter.lastOutput(), 0.0);
	filter.process(in.left.data(), in.right.data(), out.left.data(), out.right.data(), 32);
	Model again;
	again.setupMetres(44100.0, 0.5);
	ASSERT_NO_FATAL_FAILURE(expectModelOutput(again, in, out));
}

TEST(NearFieldFilter, StartsFromSilenceWhicheverFrameOfABlockWasNotFinite)
{
	constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
	constexpr double kInf = std::numeric_limits<double>::infinity();
	Stereo<double> in(32), out(32);
	fill(in, 9);
	// The last frame is the one that leaves a non-finite previous difference
	// behind, not only a non-finite previous output; a middle one leaves a
	// finite, non-zero difference that a reset must clear as well.
	for (std::size_t bad : {std::size_t{0}, std::size_t{4}, std::size_t{7}})
	{
		for (double value : {kNaN, kInf, -kInf})
		{
			for (bool bypassed : {false, true})
			{
				NearFieldFilter filter = filterAt(0.8, 44100.0);
				Stereo<double> block(8), blockOut(8);
				fill(block, 4);
				block.right[bad] = value;
				if (bypassed)
					filter.advance(block.left.data(), block.right.data(), 8);
				else
					filter.process(block.left.data(), block.right.data(), blockOut.left.data(), blockOut.right.data(),
					               8);
				ASSERT_FALSE(std::isfinite(filter.lastOutput())) << bad << " " << value;

				filter.process(in.left.data(), in.right.data(), out.left.data(), out.right.data(), 32);
				Model fresh;
				fresh.setupMetres(44100.0, 0.8);
				ASSERT_NO_FATAL_FAILURE(expectModelOutput(fresh, in, out))
				    << "frame " << bad << " was " << value << (bypassed ? " while bypassed" : "");
				EXPECT_EQ(filter.lastOutput(), fresh.y);
			}
		}
	}
}

TEST(NearFieldFilter, PassesThroughWithoutUsableCoefficientsAndKeepsItsState)
{
	constexpr double kInf = std::numeric_limits<double>::infinity();
	constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
	struct Case
	{
		NearFieldFilter::Coefficients coefficients;
		double fs;
	};
	const Case cases[] = {
	    {NearFieldFilter::coefficients(1.5, 0.0, -2.0), 0.0},
	    {NearFieldFilter::coefficients(1.5, -44100.0, -2.0), -44100.0},
	    {NearFieldFilter::coefficients(1.5, kInf, -2.0), kInf},
	    {NearFieldFilter::coefficients(1.5, kNaN, -2.0), kNaN},
	    {{kInf, -1.0}, 44100.0},
	    {{1.0, kNaN}, 44100.0},
	};
	Stereo<double> in(32), out(32);
	fill(in, 5);

	NearFieldFilter unset;
	unset.process(in.left.data(), in.right.data(), out.left.data(), out.right.data(), 32);
	EXPECT_EQ(out.left, in.left);
	EXPECT_EQ(out.right, in.right);

	for (const Case& c : cases)
	{
		NearFieldFilter filter = filterAt(1.5, 44100.0);
		Model model;
		model.setupMetres(44100.0, 1.5);
		filter.process(in.left.data(), in.right.data(), out.left.data(), out.right.data(), 32);
		ASSERT_NO_FATAL_FAILURE(expectModelOutput(model, in, out));

		filter.setCoefficients(c.coefficients, c.fs);
		filter.process(in.left.data(), in.right.data(), out.left.data(), out.right.data(), 32);
		EXPECT_EQ(out.left, in.left) << c.fs;
		EXPECT_EQ(out.right, in.right) << c.fs;

		// Usable coefficients again continue where the filter left off.
		filter.setCoefficients(NearFieldFilter::coefficients(1.5, 44100.0, -2.0), 44100.0);
		filter.process(in.left.data(), in.right.data(), out.left.data(), out.right.data(), 32);
		ASSERT_NO_FATAL_FAILURE(expectModelOutput(model, in, out)) << c.fs;
	}
}
