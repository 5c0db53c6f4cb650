#include "axes/CPlotAxis.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

#include "axes/ScaleMath.h"
#include "axes/PlotValues.h"

namespace vtg {

namespace {

// A font size that cannot be measured is taken as the plot's default tick-label size.
constexpr double kDefaultFontPoints = 10;
// One interval per F * 0.0025 * S pixels: 37.5 pixels for a 10-point font at the default
// label spacing factor of 1500.
constexpr double kPixelsPerPointAndSpacing = 0.0025;
// Near-equal fitted data are widened by this share of their magnitude on each side.
constexpr double kFitWidening = 0.1;
// The single-precision 0.1 that explicit extents have always been widened by.
constexpr double kExtentWidening = 0.10000000149011612;
// A bound landing on the pole of a reciprocal axis is replaced by this share of the other.
constexpr double kPoleShare = 0.001;
// Zooming in stops once the range is this small a share of the extent.
constexpr double kSmallestZoomShare = 0.002;

bool UsableStep(double g) { return std::isfinite(g) && g > 0; }

// Data never lie beyond the missing-value bound, so neither does a range that is shown: one
// set wider (up to the infinite-bound clamp) is scaled and drawn within it.
double IntoDataBand(double v) { return std::clamp(v, -kMissingThreshold, kMissingThreshold); }
bool Finite(ScaleSpan s) { return std::isfinite(s.lo) && std::isfinite(s.hi); }

std::optional<double> TargetCount(const ScaleContext& ctx) {
    if (!(ctx.outputScale > 0)) {
        return std::nullopt;
    }
    const double font = ctx.fontPointSize > 0 ? ctx.fontPointSize : kDefaultFontPoints;
    return ctx.axisLength /
           (font * kPixelsPerPointAndSpacing * ctx.labelSpacingFactor * ctx.outputScale);
}

// What "while limit > x: x += g" ends with, computed in closed form so that a far limit costs
// nothing. nullopt when g is too small to move x at all.
std::optional<double> RaiseTo(double x, double limit, double g) {
    if (!(limit > x)) {
        return x;
    }
    if (x + g == x) {
        return std::nullopt;
    }
    const double k = std::ceil((limit - x) / g);
    double r = x + k * g;
    if (r < limit) {
        r += g;
    } else if (k > 1 && x + (k - 1) * g >= limit) {
        r = x + (k - 1) * g;
    }
    return r;
}

// What "while x > limit: x -= g" ends with, in closed form.
std::optional<double> LowerTo(double x, double limit, double g) {
    const std::optional<double> r = RaiseTo(-x, -limit, g);
    return r ? std::optional<double>(-*r) : std::nullopt;
}

// The range being scrolled and the room it moves in, all in transformed units.
struct ScrollFrame {
    ScaleSpan range;
    ScaleSpan extent;
    double step;    // one interval (kinds 0 and 1)
    double page;    // the span kept while moving
    bool timeAxis;
};

std::optional<ScaleSpan> StepBack(const ScrollFrame& f, bool byPage) {
    if (f.range.lo <= f.extent.lo) {
        return std::nullopt;
    }
    const double g = f.step;
    std::optional<double> lo = RaiseTo(f.range.lo - (byPage ? f.page : g), f.extent.lo - g / 2, g);
    if (!lo || *lo == f.range.lo) {
        return std::nullopt;
    }
    if (f.timeAxis && *lo < 0) {
        lo = 0;
    }
    return ScaleSpan{*lo, *lo + f.page};
}

std::optional<ScaleSpan> StepForward(const ScrollFrame& f, bool byPage) {
    if (f.range.hi >= f.extent.hi) {
        return std::nullopt;
    }
    const double g = f.step;
    // The time axis may run up to a whole step past its extent: the extent grows in steps.
    const double slack = f.timeAxis ? g : g / 2;
    std::optional<double> hi = LowerTo(f.range.hi + (byPage ? f.page : g), f.extent.hi + slack, g);
    if (!hi || *hi == f.range.hi) {
        return std::nullopt;
    }
    return ScaleSpan{*hi - f.page, *hi};
}

// Moves to a scroll position 0..1000, counted from the low end of the extent when fromLow is
// set and from the high end otherwise. The moved end lands on a multiple of the step.
std::optional<ScaleSpan> MoveTo(const ScrollFrame& f, int position, bool fromLow) {
    const double g = f.step;
    const double p = f.page;
    const double share = (f.extent.hi - f.extent.lo) * position / 1001.0;
    if (fromLow) {
        const double r = f.extent.lo + share;
        if (std::fabs(r - f.range.lo) <= g / 2) {
            return std::nullopt;
        }
        const double onStep = std::trunc((r + g / 2) / g) * g;
        const std::optional<double> lo = LowerTo(onStep, f.extent.hi - p, g);
        return lo ? std::optional<ScaleSpan>(ScaleSpan{*lo, *lo + p}) : std::nullopt;
    }
    const double r = f.extent.hi - share;
    if (std::fabs(r - f.range.hi) <= g / 2) {
        return std::nullopt;
    }
    const double onStep = std::trunc((r + g / 2) / g) * g;
    const std::optional<double> hi = RaiseTo(onStep, f.extent.lo + p, g);
    return hi ? std::optional<ScaleSpan>(ScaleSpan{*hi - p, *hi}) : std::nullopt;
}

// With the axis reversed, back and forward swap (0 <-> 1, 2 <-> 3).
int MirrorKind(int kind) {
    if (kind >= 0 && kind <= 3) {
        return kind ^ 1;
    }
    return kind;
}

}  // namespace

double AxisLengthFor(int width, int height, int plotWidth, int plotHeight, bool xAxis,
                     bool flipped, bool squareOrTriangular) {
    const int w = width < 1 ? 4 * plotWidth / 5 : width;
    const int h = height < 1 ? 9 * plotHeight / 10 : height;
    if (squareOrTriangular) {
        return std::min(w, h);
    }
    return xAxis != flipped ? w : h;
}

double CPlotAxis::Transform(double x) const { return Transformer().Forward(x); }

double CPlotAxis::Untransform(double y) const { return Transformer().Inverse(y); }

bool CPlotAxis::SetScale(int type) {
    if (!IsValidScale(type) || type == Scale) {
        return false;
    }
    Scale = type;
    NeedsRescale = 1;
    return true;
}

bool CPlotAxis::TrackValue(double x, bool first) {
    // -inf passes the missing test but is no more a value than +inf.
    if (IsMissing(x) || !std::isfinite(x)) {
        return false;
    }
    if (TimeAxis) {
        DataMax = std::max(DataMax, x);
        return false;
    }
    if (!first || DataSeen) {
        const bool moved = x < DataMin || x > DataMax;
        DataMin = std::min(DataMin, x);
        DataMax = std::max(DataMax, x);
        if (!ResetRange) {
            return false;
        }
        // A rescale already pending stays pending even when this value moves nothing.
        if (moved) {
            NeedsRescale = 1;
        }
        return true;
    }
    DataMin = x;
    DataMax = x;
    if (!ResetRange) {
        return false;
    }
    DataSeen = 1;
    NeedsRescale = 1;
    return true;
}

void CPlotAxis::FitToData(double min, double max, const ScaleContext& ctx) {
    if (!std::isfinite(min) || !std::isfinite(max)) {
        return;
    }
    DataMin = min;
    DataMax = max;
    if (!StartFittedRange(min, max)) {
        return;
    }
    AutoScale(ctx);
    ExtentMin = RangeMin;
    ExtentMax = RangeMax;
}

bool CPlotAxis::StartFittedRange(double min, double max) {
    // 1e-5: below this the data are one value, and a nice range needs some width around it.
    if (std::fabs(max - min) < 1e-5) {
        max += std::fabs(max) * kFitWidening;
        min -= std::fabs(min) * kFitWidening;
    }
    const ScaleTransform& t = Transformer();
    const auto [lo, hi] = t.FitBounds(min, max);
    // Data that stay on the pole of the scale (all zero on a reciprocal axis) cannot be shown;
    // the previous range stays.
    if (IsMissing(t.Forward(lo)) || IsMissing(t.Forward(hi))) {
        return false;
    }
    ExtentMin = RangeMin = lo;
    ExtentMax = RangeMax = hi;
    NeedsRescale = 1;
    return true;
}

void CPlotAxis::AutoScale(const ScaleContext& ctx) {
    if (!NeedsRescale) {
        return;
    }
    NeedsRescale = 0;
    LabelDecimals = 0;
    if (Transformer().UsesTickList()) {
        ApplyTickList();
        return;
    }
    if (LockGrid && UserInterval == 0) {
        LockGrid = 0;
    }
    ChooseNiceRange(ctx);
}

void CPlotAxis::ChooseNiceRange(const ScaleContext& ctx) {
    const ScaleTransform& t = Transformer();
    const bool linear = t.Type() == ScaleType::Linear;
    const bool triangular = TriangleKind != 0;
    const std::optional<double> target = TargetCount(ctx);
    const ScaleSpan range = TransformedOf(IntoDataBand(RangeMin), IntoDataBand(RangeMax));
    if (!target || IsMissing(range.lo) || IsMissing(range.hi)) {
        return;
    }
    const bool fixed = LockGrid && (triangular || linear);
    const int mode = (Integer ? 1 : 0) + (fixed ? 2 : 0);
    double seed = Interval;
    if (triangular) {
        seed = ctx.gridInterval;
    } else if (linear && LockGrid) {
        seed = UserInterval;
    }
    NiceScale nice = PLsetstm(mode, range.lo, range.hi, *target, seed);
    if (nice.status != 0) {
        return;
    }
    if (t.ZeroHasNoValue()) {
        // Rounding outward reached the pole: that end stays where it was asked to be.
        nice.lo = nice.lo == 0 ? range.lo : nice.lo;
        nice.hi = nice.hi == 0 ? range.hi : nice.hi;
    }
    if (triangular) {
        // Fractions: a range wholly outside 0..1 shows the whole triangle side.
        nice.lo = std::max(nice.lo, 0.0);
        nice.hi = std::min(nice.hi, 1.0);
        if (!(nice.lo < nice.hi)) {
            nice.lo = 0;
            nice.hi = 1;
        }
    }
    StoreTransformedRange({nice.lo, nice.hi});
    RangeMin = IntoDataBand(RangeMin);
    RangeMax = IntoDataBand(RangeMax);
    if (t.Type() != ScaleType::Inverse && !TimeAxis) {
        ExtentMin = std::min(ExtentMin, RangeMin);
        ExtentMax = std::max(ExtentMax, RangeMax);
    }
    Interval = nice.interval;
    if (linear) {
        UserInterval = nice.interval;
    }
    if (triangular && UsableStep(ctx.gridInterval) && Interval > ctx.gridInterval) {
        Interval = UserInterval = ctx.gridInterval;
    }
}

void CPlotAxis::ApplyTickList() {
    const TickListResult list = Transformer().BuildTickList(RangeMin, RangeMax);
    TickList = list.ticks;
    if (!list.valid) {
        return;
    }
    RangeMin = list.rangeMin;
    RangeMax = list.rangeMax;
    Interval = list.interval;
}

void CPlotAxis::SetUserInterval(double x, int lock) {
    // A negative or non-numeric interval would make every tick loop run away; 0 means none.
    if (!std::isfinite(x) || x < 0) {
        return;
    }
    UserInterval = x;
    if (TriangleKind != 0 || Type() == ScaleType::Linear) {
        Interval = x;
    }
    LockGrid = lock;
}

void CPlotAxis::ScrollRange(int kind, int position, const ScrollContext& ctx, int side,
                            bool rescale) {
    ScrollFrame f{TransformedRange(), TransformedExtent(), Interval, 0, TimeAxis != 0};
    if (Reverse) {
        kind = MirrorKind(kind);
    }
    if (ctx.triangular) {
        f.extent = {ctx.triExtentLow, ctx.triExtentHigh};
    }
    std::optional<ScaleSpan> moved;
    if (f.timeAxis) {
        f.step = ctx.timeScrollUnit;
        f.page = ctx.timeWindow;
        if (!UsableStep(f.step) || !UsableStep(f.page)) {
            return;
        }
        if (kind == 1 && position > 0) {
            const double hi = Transform(position == 2 ? DataMax : ExtentMax);
            moved = ScaleSpan{std::max(0.0, hi - f.page), hi};
        }
    } else {
        f.page = f.range.hi - f.range.lo;
        if (!(f.step > 0)) {
            f.step = f.page / 10;
        }
    }
    if (!moved) {
        if (!UsableStep(f.step) || !Finite(f.range) || !Finite(f.extent)) {
            return;
        }
        if (kind == 0 || kind == 2) {
            moved = StepBack(f, kind == 2);
        } else if (kind == 1 || kind == 3) {
            moved = StepForward(f, kind == 3);
        } else {
            moved = MoveTo(f, position, (side != 0) == (Reverse != 0));
        }
    }
    if (!moved || !Finite(*moved)) {
        return;
    }
    ScaleSpan r = *moved;
    if (f.timeAxis && r.lo < 0) {
        r = {0, f.page};
    }
    if (Transformer().ZeroHasNoValue()) {
        r.lo = r.lo == 0 ? f.extent.hi * kPoleShare : r.lo;
        r.hi = r.hi == 0 ? f.extent.lo * kPoleShare : r.hi;
    }
    StoreTransformedRange(r);
    if (rescale) {
        NeedsRescale = 1;
    }
}

void CPlotAxis::ZoomToPerMille(double a, double b, bool rescale) {
    const ScaleSpan e = TransformedExtent();
    if (!std::isfinite(a) || !std::isfinite(b) || !Finite(e)) {
        return;
    }
    if (Reverse) {
        const double low = 1000 - b;
        b = 1000 - a;
        a = low;
    }
    const double span = std::fabs(e.hi - e.lo);
    StoreTransformedRange({e.lo + a * span / 1000, e.lo + b * span / 1000});
    if (rescale) {
        NeedsRescale = 1;
    }
}

bool CPlotAxis::ZoomStep(int kind, double factor) {
    NeedsRescale = 1;
    if (kind == 2 || factor == 1) {
        // 1e-7: a live time axis with (almost) one sample has no data range to show yet.
        if (TimeAxis && DataMax - DataMin >= 1e-7) {
            RangeMin = DataMin;
            RangeMax = DataMax;
            ExtentMax = DataMax;
        } else {
            RangeMin = ExtentMin;
            RangeMax = ExtentMax;
        }
        return true;
    }
    const ScaleSpan r = TransformedRange();
    const ScaleSpan e = TransformedExtent();
    const double d = std::fabs(r.hi - r.lo);
    const double g = std::fabs(e.hi - e.lo);
    if ((kind != 0 && kind != 1) || !UsableStep(factor) || !UsableStep(g) || !std::isfinite(d)) {
        return false;
    }
    double l = g / factor;
    if (kind == 0) {
        if (d / g < kSmallestZoomShare || d <= l) {
            return false;
        }
        l = d > 2 * l ? d / 2 : l;
    } else {
        if (d / g >= 1) {
            return true;
        }
        if (d >= l) {
            return false;
        }
        l = d < l / 2 ? 2 * d : l;
    }
    const double centre = (r.lo + r.hi) / 2;
    ScaleSpan z{centre - l / 2, centre + l / 2};
    if (kind == 1) {
        const double low = std::min(e.lo, e.hi);
        const double high = std::max(e.lo, e.hi);
        const double up = z.lo < low ? low - z.lo : 0;
        const double down = z.hi + up > high ? z.hi + up - high : 0;
        z = {z.lo + up - down, z.hi + up - down};
    }
    StoreTransformedRange(z);
    return l > 0.999 * g;
}

void CPlotAxis::ResetDataExtent() {
    DataMin = ExtentMin = kFloatMax;
    DataMax = ExtentMax = -kFloatMax;
}

void CPlotAxis::ResetRangeExtent() {
    ExtentMin = RangeMin = kFloatMax;
    ExtentMax = RangeMax = -kFloatMax;
}

void CPlotAxis::SetRange(double lo, double hi) {
    if (!std::isfinite(lo) || !std::isfinite(hi)) {
        return;
    }
    std::tie(lo, hi) = InDomain(ClampInfiniteBound(lo), ClampInfiniteBound(hi));
    RangeMin = lo;
    RangeMax = hi;
    if (LockGrid && Interval != 0) {
        // A locked grid is kept only while it gives a readable number of ticks.
        const double n = std::fabs(hi - lo) / Interval;
        if (n >= 50 || n <= 3) {
            LockGrid = 0;
        }
    }
    if (TimeAxis && hi < ExtentMax && hi >= DataMax) {
        ExtentMax = hi;
    }
    DataSeen = 1;
    NeedsRescale = 1;
}

void CPlotAxis::SettleRefittedRange() {
    if (RangeMin <= RangeMax) {
        StartFittedRange(RangeMin, RangeMax);
    }
}

std::pair<double, double> CPlotAxis::InDomain(double lo, double hi) const {
    const bool reversed = lo > hi;
    auto [a, b] = Transformer().ExtentBounds(std::min(lo, hi), std::max(lo, hi));
    return reversed ? std::pair{b, a} : std::pair{a, b};
}

void CPlotAxis::SetDataExtent(double lo, double hi, bool widen) {
    if (!std::isfinite(lo) || !std::isfinite(hi)) {
        return;
    }
    NeedsRescale = 1;
    if (widen) {
        const double low = std::min(lo, hi);
        const double high = std::max(lo, hi);
        DataMin = std::min(DataMin, low);
        DataMax = std::max(DataMax, high);
        ExtentMin = std::min(ExtentMin, low);
        ExtentMax = std::max(ExtentMax, high);
        RangeMin = std::min(RangeMin, low);
        RangeMax = std::max(RangeMax, high);
        return;
    }
    DataMin = lo;
    DataMax = hi;
    // 1e-30: a zero-width extent; 1e-6: one still too narrow to choose ticks in.
    if (std::fabs(hi - lo) < 1e-30) {
        lo -= std::fabs(lo) * kExtentWidening;
        hi += std::fabs(hi) * kExtentWidening;
    }
    if (std::fabs(hi - lo) < 1e-6) {
        lo -= 1e-5;
        hi += 1e-5;
    }
    std::tie(lo, hi) = Transformer().ExtentBounds(lo, hi);
    RangeMin = ExtentMin = lo;
    RangeMax = ExtentMax = hi;
}

int CPlotAxis::TickCount() const {
    const auto end = std::find(TickList.begin(), TickList.end(), 0.0);
    return static_cast<int>(end - TickList.begin());
}

ScaleSpan CPlotAxis::TransformedOf(double min, double max) const {
    const ScaleTransform& t = Transformer();
    if (t.Decreasing()) {
        return {t.Forward(max), t.Forward(min)};
    }
    return {t.Forward(min), t.Forward(max)};
}

ScaleSpan CPlotAxis::TransformedRange() const { return TransformedOf(RangeMin, RangeMax); }

ScaleSpan CPlotAxis::TransformedExtent() const { return TransformedOf(ExtentMin, ExtentMax); }

void CPlotAxis::StoreTransformedRange(ScaleSpan s) {
    const ScaleTransform& t = Transformer();
    if (t.Decreasing()) {
        RangeMin = t.Inverse(s.hi);
        RangeMax = t.Inverse(s.lo);
    } else {
        RangeMin = t.Inverse(s.lo);
        RangeMax = t.Inverse(s.hi);
    }
}

}  // namespace vtg
