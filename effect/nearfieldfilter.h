// The near-field compensation filter on its own: a stereo pair is split into
// sum and difference, the difference goes through a first-order high-pass
// and the two are recombined. A plain value with no ties to a host; one
// instance serves one stream and is used by one thread at a time.
#pragma once

#include <array>

class NearFieldFilter
{
public:
	// (a0, a1) of the recursion y = ((d - d') - a1 y') / a0, d the difference
	// signal and ' the previous frame.
	using Coefficients = std::array<double, 2>;

	// Bilinear transform of the high-pass s / (s + c / r), c the speed of
	// sound, for r metres at sampleRate Hz; root is twice the real part of the Bessel root that
	// places the pole (-2 for the first order).
	static Coefficients coefficients(double metres, double sampleRate, double root);

	// Coefficients computed for sampleRate, used from the next process on.
	// Until the filter has any, and whenever the rate is not positive and
	// finite or a coefficient is not finite, it passes the signal through
	// unchanged and keeps its state.
	void setCoefficients(const Coefficients& coefficients, double sampleRate);

	// Back to silence as before the first frame; the coefficients stay.
	void reset();

	// frames samples from each input to each output; an output may be the
	// same buffer as an input. Nothing happens for frames <= 0. Allocates,
	// locks and calls the system never, so the audio thread may call it.
	// Sample is float or double, the two the source instantiates.
	template <typename Sample>
	void process(const Sample* inLeft, const Sample* inRight, Sample* outLeft, Sample* outRight, int frames);

	// Runs the recursion on frames of input as process would, without
	// writing any output: a bypassed effect keeps its filter in step with the
	// signal, so that switching back does not jump.
	template <typename Sample> void advance(const Sample* inLeft, const Sample* inRight, int frames);

	// The filtered difference of the last frame processed.
	double lastOutput() const { return filterOut; }

private:
	template <bool kWrite, typename Sample>
	void run(const Sample* inLeft, const Sample* inRight, Sample* outLeft, Sample* outRight, int frames);

	double a0 = 0.;
	double a1 = 0.;
	bool filtering = false;

	double sidePrev = 0.;
	double filterPrev = 0.;
	double filterOut = 0.;
};
