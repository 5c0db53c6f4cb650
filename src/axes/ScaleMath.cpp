#include "axes/ScaleMath.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <span>

namespace vtg {

namespace {

// Relative width under which a range counts as a single value, and the slack with which a
// bound may sit beyond a tick and still count as on it.
constexpr double kRelativeWidth = 1e-7;

// Nice mantissas with a preference weight each: 1, 5 and 10 read best, 2 and 2.5 less so.
// Integer axes have no 2.5, so that ticks stay on whole numbers.
constexpr std::array<double, 4> kIntegerMantissas{1, 2, 5, 10};
constexpr std::array<int, 4> kIntegerWeights{2, 1, 2, 2};
constexpr std::array<double, 5> kStandardMantissas{1, 2, 2.5, 5, 10};
constexpr std::array<int, 5> kStandardWeights{2, 1, 1, 2, 2};

// Beyond this the loop in PowerOfTen would only keep multiplying infinity or zero.
constexpr int kLargestUsefulPower = 400;

struct NiceTable {
    std::span<const double> mantissa;
    std::span<const int> weight;
    int Last() const { return static_cast<int>(mantissa.size()) - 1; }
};

NiceTable TableFor(bool integerAxis) {
    if (integerAxis) {
        return {kIntegerMantissas, kIntegerWeights};
    }
    return {kStandardMantissas, kStandardWeights};
}

constexpr const char* kLowerBoundInfinite = "Error at PLsetstm: lower range is minus Infinity\n";
constexpr const char* kUpperBoundInfinite = "Error at PLsetstm: upper range is Infinity\n";

struct Bounds {
    double lo;
    double hi;
};

// Equal bounds become one unit wide, reversed ones are swapped, infinite ones are pulled in
// (with the diagnostic), and a range narrower than kRelativeWidth of its magnitude is widened
// to that: below it the chosen interval would underflow the bounds' precision.
Bounds NormaliseBounds(double lo, double hi) {
    if (lo == hi) {
        hi = lo + 1;
    }
    if (lo > hi) {
        std::swap(lo, hi);
    }
    if (-lo > kFloatMax) {
        ReportScaleDiagnostic(kLowerBoundInfinite);
        lo = -kInfiniteBoundClamp;
    }
    if (hi > kFloatMax) {
        ReportScaleDiagnostic(kUpperBoundInfinite);
        hi = kInfiniteBoundClamp;
    }
    if (lo != 0 && (hi - lo) / std::fabs(lo) < kRelativeWidth) {
        hi = lo + std::fabs(lo) * kRelativeWidth;
    } else if (lo == 0 && (hi - lo) / std::fabs(hi) < kRelativeWidth) {
        lo = hi - std::fabs(hi) * kRelativeWidth;
    }
    return {lo, hi};
}

int SaturatedCount(double n) {
    if (!(n < static_cast<double>(INT_MAX))) {
        return INT_MAX;
    }
    return n > 0 ? static_cast<int>(n) : 0;
}

bool UsableStep(double w) { return std::isfinite(w) && w > 0; }

// The range on multiples of w that covers lo..hi; on an integer axis whose data start at 1 the
// range starts at 1 rather than at 0.
NiceScale FixedRange(bool integerAxis, Bounds b, double tol, double w) {
    double lower = SnapToMultiple(b.lo, w);
    double upper = SnapToMultiple(b.hi, w);
    if (lower > b.lo + tol) {
        lower -= w;
    }
    if (upper < b.hi - tol) {
        upper += w;
    }
    if (integerAxis && b.lo == 1 && lower == 0) {
        upper += 1;
        lower = 1;
        if (std::trunc(upper) - std::trunc(b.hi) >= std::trunc(w)) {
            upper -= w;
        }
    }
    if (!std::isfinite(lower) || !std::isfinite(upper)) {
        return NiceScale{1, b.lo, b.hi, w, 0, 0};
    }
    return NiceScale{0, lower, upper, w, 0, SaturatedCount(RoundHalfAway((upper - lower) / w))};
}

struct Candidate {
    double w;      // interval
    double a;      // lower bound
    double b;      // upper bound
    double count;  // intervals between them
    int score;
};

Candidate MakeCandidate(double mantissa, double scale, Bounds bounds, double tol) {
    Candidate c{};
    c.w = mantissa * scale;
    c.a = SnapToMultiple(bounds.lo, c.w);
    c.b = SnapToMultiple(bounds.hi, c.w);
    c.count = RoundHalfAway((c.b - c.a) / c.w);
    if (c.a > bounds.lo + tol) {
        c.a -= c.w;
        c.count += 1;
    }
    if (c.b < bounds.hi - tol) {
        c.b += c.w;
        c.count += 1;
    }
    return c;
}

// Integer axes whose data start at 1 count from 1: a candidate starting at 0 moves up by one,
// and drops its top tick when that tick now lies a whole interval beyond the data.
void StartAtOne(Candidate& c, double hi) {
    if (c.a != 0) {
        return;
    }
    c.a = 1;
    c.b += 1;
    if (std::trunc(c.b) - std::trunc(hi) >= std::trunc(c.w)) {
        c.b -= c.w;
        c.count -= 1;
    }
}

// The scores of the three candidates (mantissas o, o+1, o+2 of the table). The middle one is
// favoured by two points; the outer ones earn a point for being nearer to raw and one for
// hitting the target count best.
void ScoreCandidates(std::array<Candidate, 3>& c, const NiceTable& table, int o, double raw,
                     double target) {
    const double t = RoundHalfAway(target);
    const double d0 = std::fabs(c[0].count - t);
    const double d2 = std::fabs(c[2].count - t);
    const double best = std::min(d0, d2);
    const double u = std::fabs(table.mantissa[o] - raw);
    const double v = std::fabs(table.mantissa[o + 2] - raw);
    // Within 5 % of each other the two outer mantissas are equally near.
    const bool close = (u + v) * 0.05 > std::fabs(u - v);
    const int bonus0 = (close || v > u) ? 1 : 0;
    const int bonus2 = (close || v <= u) ? 1 : 0;
    c[0].score = table.weight[o] + bonus0 + (d0 == best ? 1 : 0);
    c[1].score = table.weight[o + 1] + 2;
    c[2].score = table.weight[o + 2] + bonus2 + (d2 == best ? 1 : 0);
}

// Ten points off a candidate that starts below 1 on an integer axis starting at 1, and off one
// whose top tick has passed into a decade the data do not reach (0..9 should not end at 11).
void Penalise(std::array<Candidate, 3>& c, bool startsAtOne, double hi) {
    for (Candidate& k : c) {
        if (startsAtOne && k.a < 1) {
            k.score -= 10;
        }
        if (k.b > 0) {
            const double p = PowerOfTen(static_cast<int>(std::floor(std::log10(k.b))));
            if (p >= hi && k.b > p) {
                k.score -= 10;
            }
        }
    }
}

int Choose(const std::array<Candidate, 3>& c) {
    if (c[1].score >= c[0].score && c[1].score >= c[2].score) {
        return 1;
    }
    return c[2].score >= c[0].score ? 2 : 0;
}

// The label multiplier exponent of interval mantissa index j at decade n. Exponents of
// -3..2 (except 0) are absorbed: such labels read fine as plain numbers.
int MultiplierExponent(int j, int last, int n) {
    int e = n;
    if (j == last) {
        e = n + 1;
    } else if (j == 0) {
        e = n - 1;
    }
    if (e >= -3 && e <= 2) {
        e = 0;
    }
    return e;
}

NiceScale AutomaticRange(bool integerAxis, Bounds b, double tol, double target,
                         double interval) {
    const NiceScale failed{1, b.lo, b.hi, interval, 0, 0};
    double raw = (b.hi - b.lo) / target;
    if (!std::isfinite(target) || !(std::isfinite(raw) && raw > 0)) {
        return failed;
    }
    int n = 0;
    while (raw < 1) {
        raw *= 10;
        --n;
    }
    while (raw > 10) {
        raw /= 10;
        ++n;
    }
    const NiceTable table = TableFor(integerAxis);
    const int last = table.Last();
    int o = 0;
    for (int i = 1; i <= last; ++i) {
        if (std::fabs(table.mantissa[i] - raw) < std::fabs(table.mantissa[o] - raw)) {
            o = i;
        }
    }
    if (o == last) {
        o = 0;
        ++n;
    } else if (o == last - 1) {
        o = last - 2;
    }
    const double scale = PowerOfTen(n);
    std::array<Candidate, 3> c{};
    for (int k = 0; k < 3; ++k) {
        c[k] = MakeCandidate(table.mantissa[o + k], scale, b, tol);
        if (!UsableStep(c[k].w) || !std::isfinite(c[k].a) || !std::isfinite(c[k].b)) {
            return failed;
        }
    }
    const bool startsAtOne = integerAxis && b.lo == 1;
    if (startsAtOne) {
        for (Candidate& k : c) {
            StartAtOne(k, b.hi);
        }
    }
    ScoreCandidates(c, table, o, raw, target);
    Penalise(c, startsAtOne, b.hi);
    const int chosen = Choose(c);
    const Candidate& pick = c[chosen];
    if (integerAxis && pick.w != std::floor(pick.w)) {
        return FixedRange(true, b, tol, 1.0);
    }
    return NiceScale{0, pick.a, pick.b, pick.w, MultiplierExponent(o + chosen, last, n),
                     SaturatedCount(pick.count)};
}

}  // namespace

double RoundHalfAway(double v) {
    const double r = std::floor(std::fabs(v) + 0.5);
    return v < 0 ? -r : r;
}

double SnapToMultiple(double v, double w) { return RoundHalfAway(v / w) * w; }

double PowerOfTen(int k) {
    const long long wanted = k < 0 ? -static_cast<long long>(k) : k;
    int m = static_cast<int>(std::min<long long>(wanted, kLargestUsefulPower));
    double r = 1.0;
    for (; m >= 8; m -= 8) {
        for (int i = 0; i < 8; ++i) {
            r *= 10.0;
        }
    }
    while (m > 0) {
        r *= 10.0;
        --m;
    }
    return k < 0 ? 1.0 / r : r;
}

std::optional<int> DecadeOf(double x) {
    if (!std::isfinite(x) || !(x > 0)) {
        return std::nullopt;
    }
    int c = static_cast<int>(std::floor(std::log10(x)));
    // log10 may round across an integer next to an exact power of ten; settle on the decade
    // that the multiplied powers of ten actually bracket.
    if (PowerOfTen(c) > x) {
        --c;
    } else if (PowerOfTen(c + 1) <= x) {
        ++c;
    }
    return c;
}

double ApproxErf(double x) {
    const double x2 = x * x;
    if (x2 >= 36) {
        return x < 0 ? -1.0 : 1.0;
    }
    const double a = 0.147 * x2;
    // 1.2732395447351628 = 4/pi; 0.147 is the constant of this approximation family.
    const double r = std::sqrt(1 - std::exp(-x2 * (a + 1.2732395447351628) / (a + 1)));
    return x < 0 ? -r : r;
}

double ApproxErfInv(double x) {
    const double x2 = x * x;
    if (x2 >= 1) {
        return x < 0 ? -6.0 : 6.0;
    }
    const double l = std::log(1 - x2);
    // 4.330746750799873 = 2/(pi * 0.147): this inverts ApproxErf exactly.
    const double b = l / 2 + 4.330746750799873;
    const double r = std::sqrt(std::sqrt(b * b - l / 0.147) - b);
    return x < 0 ? -r : r;
}

double Probit(double p) { return std::numbers::sqrt2 * ApproxErfInv(2 * p - 1); }

double NormalCdf(double y) { return (ApproxErf(y / std::numbers::sqrt2) + 1) / 2; }

// Diagnostics go to standard error: a host reading results from standard output must not find
// them between its result lines.
void ReportScaleDiagnostic(const char* line) { std::fputs(line, stderr); }

double ClampInfiniteBound(double v) {
    if (-v > kInfiniteBoundClamp) {
        ReportScaleDiagnostic(kLowerBoundInfinite);
        return -kInfiniteBoundClamp;
    }
    if (v > kInfiniteBoundClamp) {
        ReportScaleDiagnostic(kUpperBoundInfinite);
        return kInfiniteBoundClamp;
    }
    return v;
}

NiceScale PLsetstm(int mode, double lo, double hi, double target, double interval) {
    if (mode < 0 || mode > 3) {
        return NiceScale{1, lo, hi, interval, 0, 0};
    }
    const Bounds b = NormaliseBounds(lo, hi);
    const NiceScale failed{1, b.lo, b.hi, interval, 0, 0};
    if (!std::isfinite(b.lo) || !std::isfinite(b.hi) || !(b.lo < b.hi)) {
        return failed;
    }
    if (!(target > 0)) {
        return failed;
    }
    const double tol = std::fabs(b.hi - b.lo) * kRelativeWidth;
    const bool integerAxis = mode == 1 || mode == 3;
    if (mode >= 2 && UsableStep(interval)) {
        const NiceScale fixed = FixedRange(integerAxis, b, tol, interval);
        if (fixed.status == 0) {
            return fixed;
        }
    }
    // A fixed interval that is not a positive number, or too fine for these bounds, cannot
    // be used: the range is then chosen as if no interval had been given.
    return AutomaticRange(integerAxis, b, tol, target, interval);
}

std::optional<double> NextWholeStepBeyond(double end, double step) {
    if (!std::isfinite(end) || !UsableStep(step)) {
        return std::nullopt;
    }
    return std::floor((end + 1.5 * step) / step) * step;
}

std::optional<double> ExtentEndPast(double end, double step, double t) {
    if (!std::isfinite(t)) {
        return std::nullopt;
    }
    const std::optional<double> first = NextWholeStepBeyond(end, step);
    if (!first) {
        return std::nullopt;
    }
    if (end > t) {
        return end;
    }
    double e = *first;
    if (e <= t) {
        e += (std::floor((t - e) / step) + 1) * step;
    }
    // At magnitudes where step is below the spacing of doubles the sum may not pass t.
    if (e <= t) {
        e = t + step;
    }
    if (e <= t) {
        e = std::nextafter(t, INFINITY);
    }
    return e;
}

}  // namespace vtg
