// The loudspeaker distance: the parameter's normalised value 0 to 1 spans
// 0.5 m to 5 m linearly. Header only, so that build-time tools can use it
// without linking the effect.
#pragma once

// Both precisions are offered because callers differ and results must not:
// the float form is what the host sees as the parameter's display, the double
// form what the filter is computed from.
constexpr float metresOfValue(float value)
{
	return value * 4.5f + 0.5f;
}

constexpr double metresOfValue(double value)
{
	return 4.5 * value + 0.5;
}

constexpr float valueOfMetres(float metres)
{
	return (metres - 0.5f) / 4.5f;
}

constexpr double valueOfMetres(double metres)
{
	return (metres - 0.5) / 4.5;
}

static_assert(metresOfValue(0.0) == 0.5 && metresOfValue(1.0) == 5.0);
static_assert(valueOfMetres(0.5) == 0.0 && valueOfMetres(5.0) == 1.0);
static_assert(metresOfValue(0.f) == 0.5f && metresOfValue(1.f) == 5.f);
static_assert(valueOfMetres(0.5f) == 0.f && valueOfMetres(5.f) == 1.f);
