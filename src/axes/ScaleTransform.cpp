#include "axes/ScaleTransform.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "axes/ScaleMath.h"
#include "axes/PlotValues.h"

namespace vtg {

namespace {

// Fixed ticks of the probability scale (percent) and the Weibull scale (fractions).
constexpr std::array<double, 17> kProbabilityTicks{0.01, 0.1, 1,  5,  10, 20, 30,   40,   50,
                                                   60,   70,  80, 90, 95, 99, 99.9, 99.99};
constexpr std::array<double, 19> kWeibullTicks{0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1,
                                               0.2,   0.3,   0.4,   0.5,  0.6,  0.7,  0.8,
                                               0.9,   0.95,  0.98,  0.995, 0.999};

// Mantissas of the log lists over three to five decades.
constexpr std::array<double, 3> kOneTwoFive{1, 2, 5};

// The share of the transformed span that one scroll step moves on a list scale.
constexpr double kListScrollShare = 0.05;

// A list entry within this relative distance below the range end counts as reaching it, so
// that an end computed as 999.9999 still closes the list at 1000.
constexpr double kListEndSlack = 1.000005;

// The full list of log ticks from 10^c over `decades` decades. Every entry is a small whole
// mantissa times a power of ten computed on its own, so decade ticks come out as clean powers.
class LogListBuilder {
public:
    explicit LogListBuilder(int c) : c_(c) {}

    TickArray Build(int decades) {
        if (decades == 1) {
            Steps(1, 10, 0);
        } else if (decades == 2) {
            Steps(1, 10, 0);
            Steps(2, 10, 1);
        } else if (decades <= 5) {
            for (int d = 0; d < decades; ++d) {
                for (double m : kOneTwoFive) {
                    Add(m * PowerOfTen(c_ + d));
                }
            }
            Add(PowerOfTen(c_ + decades));
        } else {
            // One tick every s decades, s chosen so that five steps cover the span.
            const int s = (decades + 4) / 5;
            for (int i = 0; i <= 5; ++i) {
                Add(PowerOfTen(c_ + s * i));
            }
        }
        return list_;
    }

private:
    void Steps(int from, int to, int decade) {
        const double scale = PowerOfTen(c_ + decade);
        for (int m = from; m <= to; ++m) {
            Add(m * scale);
        }
    }
    // Entries past the double range end the list instead of entering it as infinity.
    void Add(double v) {
        if (n_ < kTickListSize && std::isfinite(v) && v > 0 && (n_ == 0 || v > list_[n_ - 1])) {
            list_[n_++] = v;
        }
    }

    int c_;
    TickArray list_{};
    int n_ = 0;
};

int ListLength(const TickArray& list) {
    const auto end = std::find(list.begin(), list.end(), 0.0);
    return static_cast<int>(end - list.begin());
}

// Log ticks over lo..hi with the range snapped outward to list entries.
TickListResult LogTickList(double lo, double hi) {
    TickListResult r;
    r.rangeMin = lo;
    r.rangeMax = hi;
    const std::optional<int> low = DecadeOf(lo);
    const std::optional<int> high = DecadeOf(hi);
    if (!low || !high || !(lo < hi)) {
        return r;
    }
    // The decade of hi counts up unless hi is a power of ten itself.
    const int top = PowerOfTen(*high) == hi ? *high : *high + 1;
    const TickArray full = LogListBuilder(*low).Build(std::max(1, top - *low));
    const int n = ListLength(full);
    if (n == 0) {
        return r;
    }
    int first = 0;
    for (int i = 0; i < n; ++i) {
        if (full[i] <= lo) {
            first = i;
        }
    }
    // The list keeps at least two entries so that the range never collapses to a point.
    int last = n - 1;
    for (int i = std::min(first + 1, n - 1); i < n; ++i) {
        if (full[i] >= hi / kListEndSlack) {
            last = i;
            break;
        }
    }
    std::copy(full.begin() + first, full.begin() + last + 1, r.ticks.begin());
    r.valid = true;
    r.rangeMin = full[first];
    r.rangeMax = full[last];
    r.interval = kListScrollShare * std::fabs(std::log10(r.rangeMax) - std::log10(r.rangeMin));
    return r;
}

// A fixed list shown within lo..hi, the range clamped to the list's own ends.
TickListResult FixedTickList(std::span<const double> values, double lo, double hi,
                             const ScaleTransform& scale) {
    const double lowest = values.front();
    const double highest = values.back();
    if (!(lo >= lowest)) {
        lo = lowest;
    }
    if (!(hi <= highest)) {
        hi = highest;
    }
    if (lo > hi) {
        lo = lowest;
        hi = highest;
    }
    TickListResult r;
    r.valid = true;
    r.rangeMin = lo;
    r.rangeMax = hi;
    // Ticks within 1e-4 of an end still show: the ends are often typed-in list values.
    int n = 0;
    for (double v : values) {
        if (v >= lo - 1e-4 && v <= hi + 1e-4 && n < kTickListSize) {
            r.ticks[n++] = v;
        }
    }
    r.interval = kListScrollShare * std::fabs(scale.Forward(hi) - scale.Forward(lo));
    return r;
}

class LinearScale final : public ScaleTransform {
public:
    ScaleType Type() const override { return ScaleType::Linear; }
    double Forward(double x) const override { return std::isnan(x) ? kMissingValue : x; }
    double Inverse(double y) const override { return std::isnan(y) ? kMissingValue : y; }
};

class LogScale final : public ScaleTransform {
public:
    ScaleType Type() const override { return ScaleType::Log; }
    double Forward(double x) const override { return x > 0 ? std::log10(x) : kMissingValue; }
    double Inverse(double y) const override {
        const double x = std::pow(10.0, y);
        return std::isfinite(x) ? x : kMissingValue;
    }
    bool UsesTickList() const override { return true; }
    TickListResult BuildTickList(double lo, double hi) const override {
        return LogTickList(lo, hi);
    }
    // Data reaching zero or below keep three decades under their maximum; data entirely at
    // or below 1e-6 show the three decades 1e-9..1e-6.
    std::pair<double, double> FitBounds(double min, double max) const override {
        if (min <= 0) {
            if (max <= 1e-6) {
                return {1e-9, 1e-6};
            }
            min = max * 0.001;
        }
        return {min, max};
    }
    // A log axis never takes a bound at or below zero, however the range was asked for.
    std::pair<double, double> ExtentBounds(double lo, double hi) const override {
        return FitBounds(lo, hi);
    }
};

class InverseScale final : public ScaleTransform {
public:
    ScaleType Type() const override { return ScaleType::Inverse; }
    double Forward(double x) const override { return Reciprocal(x); }
    double Inverse(double y) const override { return Reciprocal(y); }
    bool Decreasing() const override { return true; }
    bool ZeroHasNoValue() const override { return true; }
    std::pair<double, double> FitBounds(double min, double max) const override {
        return KeepOneSideOfZero(min, max);
    }
    std::pair<double, double> ExtentBounds(double lo, double hi) const override {
        return KeepOneSideOfZero(lo, hi);
    }

private:
    static double Reciprocal(double v) { return (v < 0 || v > 0) ? 1 / v : kMissingValue; }
};

class ProbabilityScale final : public ScaleTransform {
public:
    ScaleType Type() const override { return ScaleType::Probability; }
    double Forward(double x) const override {
        return std::isnan(x) ? kMissingValue : Probit(x / 100);
    }
    double Inverse(double y) const override {
        return std::isnan(y) ? kMissingValue : 100 * NormalCdf(y);
    }
    bool UsesTickList() const override { return true; }
    TickListResult BuildTickList(double lo, double hi) const override {
        return FixedTickList(kProbabilityTicks, lo, hi, *this);
    }
};

class WeibullScale final : public ScaleTransform {
public:
    ScaleType Type() const override { return ScaleType::Weibull; }
    // Defined strictly inside 1e-4..0.9999: beyond, the double logarithm runs away.
    double Forward(double x) const override {
        if (!(x > 1e-4 && x < 0.9999)) {
            return kMissingValue;
        }
        return std::log10(std::log10(1 / (1 - x)));
    }
    double Inverse(double y) const override {
        return std::isnan(y) ? kMissingValue : 1 - 1 / std::pow(10.0, std::pow(10.0, y));
    }
    bool UsesTickList() const override { return true; }
    TickListResult BuildTickList(double lo, double hi) const override {
        return FixedTickList(kWeibullTicks, lo, hi, *this);
    }
    // A Weibull axis always shows the whole list.
    std::pair<double, double> FitBounds(double, double) const override {
        return {kWeibullTicks.front(), kWeibullTicks.back()};
    }
};

const LinearScale kLinear;
const LogScale kLog;
const InverseScale kInverse;
const ProbabilityScale kProbability;
const WeibullScale kWeibull;

}  // namespace

TickListResult ScaleTransform::BuildTickList(double rangeMin, double rangeMax) const {
    TickListResult r;
    r.rangeMin = rangeMin;
    r.rangeMax = rangeMax;
    return r;
}

bool IsValidScale(int scale) { return scale >= 0 && scale <= 4; }

const ScaleTransform& ScaleTransformFor(int scale) {
    static const std::array<const ScaleTransform*, 5> table{&kLinear, &kLog, &kInverse,
                                                            &kProbability, &kWeibull};
    return IsValidScale(scale) ? *table[scale] : kLinear;
}

std::pair<double, double> KeepOneSideOfZero(double min, double max) {
    if (min < 0 && 0 < max) {
        if (std::fabs(min) <= std::fabs(max)) {
            min = max * 0.001;
        } else {
            max = min * 0.001;
        }
        return {min, max};
    }
    if (min == 0) {
        min = max * 0.001;
    }
    if (max == 0) {
        max = min * 0.001;
    }
    return {min, max};
}

}  // namespace vtg
