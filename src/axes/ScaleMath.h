#pragma once
// Pure arithmetic behind axis scaling: the nice-range chooser, powers of ten, half-away
// rounding, the probability-scale error-function pair and the time-extent stepping. Nothing
// here touches an axis; every function takes plain values and returns a value.

#include <optional>

namespace vtg {

// Largest single-precision value: the marker of an extent that has seen no data yet, and the
// magnitude beyond which a bound counts as infinite.
inline constexpr double kFloatMax = 3.4028234663852886e38;
// What an infinite bound is replaced by before choosing a range: far from the float limit, so
// that adding a few intervals to it cannot overflow.
inline constexpr double kInfiniteBoundClamp = 3.4028234663852887e28;

// Half away from zero, in double so that any magnitude rounds correctly (an int conversion
// overflows once |v| reaches 2^31).
double RoundHalfAway(double v);
// The multiple of w nearest to v (ties away from zero).
double SnapToMultiple(double v, double w);

// 10^k by repeated multiplication, reciprocal for negative k. Exact for 0 <= k <= 22; the
// loop is bounded, so a hostile k ends in 0 or infinity rather than a long run.
double PowerOfTen(int k);
// The decade c with 10^c <= x < 10^(c+1), for finite x > 0; nullopt otherwise.
std::optional<int> DecadeOf(double x);

// The error-function approximation and its exact algebraic inverse used by the probability
// scale. They are deliberately not std::erf: tick positions must match the ones this scale
// has always produced, and the pair round-trips to rounding error.
double ApproxErf(double x);
double ApproxErfInv(double x);
double Probit(double p);        // the standard normal quantile of p, via ApproxErfInv
double NormalCdf(double y);     // the standard normal distribution at y, via ApproxErf

// How PLsetstm chooses: automatic or with the interval given, on a real or an integer axis.
enum class NiceMode : int { Auto = 0, AutoInteger = 1, Fixed = 2, FixedInteger = 3 };

// The outcome of PLsetstm. status 0: lo..hi is the chosen range, interval its step, count the
// number of intervals and exponent the label multiplier exponent (0 when the interval was
// fixed). status 1: no range could be chosen (target count or bounds unusable); lo and hi
// then hold the bounds as ordered and widened, interval the input, and the caller keeps its
// previous range.
struct NiceScale {
    int status = 1;
    double lo = 0;
    double hi = 1;
    double interval = 0;
    int exponent = 0;
    int count = 0;
};

// Chooses a nice range covering lo..hi (transformed units) with about `target` intervals.
// In the fixed modes `interval` is the step to use; otherwise it is only echoed back when no
// range can be chosen. Reports a diagnostic line (standard error) when a bound is infinite.
NiceScale PLsetstm(int mode, double lo, double hi, double target, double interval);

// Writes one of the scale algorithm's diagnostic lines to standard error.
void ReportScaleDiagnostic(const char* line);
// A range bound beyond +/- kInfiniteBoundClamp is pulled in to it, with the same diagnostic
// PLsetstm gives for an infinite bound; any other value is returned as it is.
double ClampInfiniteBound(double v);

// The live time axis grows its end in whole scroll steps: the next multiple of step that lies
// at least half a step beyond end. nullopt unless end is finite and step is finite and > 0.
std::optional<double> NextWholeStepBeyond(double end, double step);
// The end reached by repeating NextWholeStepBeyond while the end is still <= t, in closed form
// (a time jump of years in small steps costs nothing). Returns end unchanged when it is
// already beyond t; nullopt for the same unusable input as above or a t that is not finite.
std::optional<double> ExtentEndPast(double end, double step, double t);

}  // namespace vtg
