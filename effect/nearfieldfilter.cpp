#include "effect/nearfieldfilter.h"

#include <cmath>

namespace
{

constexpr double kSpeedOfSound = 340.0; // m/s

// Added to every filtered sample. It keeps the recursion out of the
// denormal range when the input falls silent.
constexpr double kAntiDenormal = 1.0 / 4294967295.0;

} // namespace

NearFieldFilter::Coefficients NearFieldFilter::coefficients(double metres, double sampleRate, double root)
{
	double alpha = (metres / kSpeedOfSound) * (sampleRate * 4.0);
	return {1.0 - root / alpha, -(root / alpha + 1.0)};
}

void NearFieldFilter::setCoefficients(const Coefficients& coefficients, double sampleRate)
{
	a0 = coefficients[0];
	a1 = coefficients[1];
	// A rate the host never set, or a nonsensical one, gives no filter at
	// all; passing the signal through beats filling the host's buffers with
	// infinities, and finite coefficients from a negative rate would put the
	// pole outside the unit circle.
	filtering = sampleRate > 0. && std::isfinite(sampleRate) && std::isfinite(a0) && std::isfinite(a1);
}

void NearFieldFilter::reset()
{
	sidePrev = 0.;
	filterPrev = 0.;
	filterOut = 0.;
}

template <typename Sample>
void NearFieldFilter::process(const Sample* inLeft, const Sample* inRight, Sample* outLeft, Sample* outRight,
                              int frames)
{
	run<true>(inLeft, inRight, outLeft, outRight, frames);
}

template <typename Sample> void NearFieldFilter::advance(const Sample* inLeft, const Sample* inRight, int frames)
{
	run<false, Sample>(inLeft, inRight, nullptr, nullptr, frames);
}

template <bool kWrite, typename Sample>
void NearFieldFilter::run(const Sample* inLeft, const Sample* inRight, Sample* outLeft, Sample* outRight, int frames)
{
	if (frames <= 0)
		return;

	if (!filtering)
	{
		if constexpr (kWrite)
		{
			for (int i = 0; i < frames; i++)
			{
				double left = inLeft[i];
				double right = inRight[i];
				outLeft[i] = static_cast<Sample>(left);
				outRight[i] = static_cast<Sample>(right);
			}
		}
		return;
	}

	// One non-finite input sample would otherwise keep the recursion at NaN
	// for the rest of the stream.
	if (!std::isfinite(sidePrev) || !std::isfinite(filterPrev))
		reset();

	// Both inputs of a frame are read before either output is written, which
	// is what makes processing in place safe.
	double side = sidePrev;
	double y = filterPrev;
	for (int i = 0; i < frames; i++)
	{
		const double left = inLeft[i];
		const double right = inRight[i];
		const double sum = left + right;
		const double difference = left - right;
		y = ((difference - side) - a1 * y) / a0 + kAntiDenormal;
		side = difference;
		if constexpr (kWrite)
		{
			outLeft[i] = static_cast<Sample>((sum + y) * 0.5);
			outRight[i] = static_cast<Sample>((sum - y) * 0.5);
		}
	}
	sidePrev = side;
	filterPrev = y;
	filterOut = y;
}

template void NearFieldFilter::process<float>(const float*, const float*, float*, float*, int);
template void NearFieldFilter::process<double>(const double*, const double*, double*, double*, int);
template void NearFieldFilter::advance<float>(const float*, const float*, int);
template void NearFieldFilter::advance<double>(const double*, const double*, int);
