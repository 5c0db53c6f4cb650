// Ticks and tick labels: where the ticks of an axis go and what they say. Drawing them is the
// axis region's.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "axes/CPlotAxis.h"
#include "axes/FormatNumber.h"
#include "axes/ScaleMath.h"
#include "axes/PlotValues.h"
#include "axes/TickLayout.h"
#include "platform/Locale.h"

namespace vtg {

namespace {

// Tick labels show six significant digits.
constexpr int kLabelDigits = 6;
// A stepped tick closer to zero than this share of the interval is zero: summing intervals
// leaves residues such as 1e-17 that must not be labelled as such.
constexpr double kZeroSnap = 1e-4;
// A grid position counts while it lies within this share of the interval beyond the range.
constexpr double kGridOvershoot = 0.01;

// Where the parts of a label are: the separator (npos if none) and the exponent mark (npos).
struct LabelParts {
    std::size_t separator = std::string::npos;
    std::size_t exponent = std::string::npos;
};

LabelParts PartsOf(const std::string& text, const std::string& sep) {
    LabelParts p;
    p.exponent = text.find_first_of("eE");
    const std::size_t s = text.find(sep);
    if (s < p.exponent) p.separator = s;
    return p;
}

// Digits after the separator: up to the exponent mark, or to the end.
int DecimalsOf(const std::string& text, const std::string& sep, const LabelParts& p) {
    if (p.separator == std::string::npos) return 0;
    const std::size_t end = p.exponent == std::string::npos ? text.size() : p.exponent;
    return static_cast<int>(end - p.separator - sep.size());
}

}  // namespace

std::optional<ScaleSpan> CPlotAxis::OrderedTransformedRange() const {
    const double a = Transform(RangeMin);
    const double b = Transform(RangeMax);
    if (IsMissing(a) || IsMissing(b) || !std::isfinite(a) || !std::isfinite(b)) return std::nullopt;
    return ScaleSpan{std::min(a, b), std::max(a, b)};
}

double CPlotAxis::LabelValue(double value, double interval) const {
    if (IsListScale()) return value;
    if (std::fabs(value) < interval * kZeroSnap) value = 0;
    // Snapped first, then mapped back: on a reciprocal axis a tick at the pole reads as no
    // value rather than as 0.
    return Untransform(value);
}

std::string CPlotAxis::FormatTickLabel(double value, double interval, bool pad) const {
    double v = LabelValue(value, interval);
    if (IsMissing(v)) return "1/0";
    if (Multiplier != 0) v *= MultiplierType == 0 ? PowerOfTen(Multiplier) : Multiplier;
    std::string text = FormatNumber(v, kLabelDigits, true, true);
    return pad ? PadLabel(std::move(text)) : text;
}

std::string CPlotAxis::PadLabel(std::string text) const {
    if (LabelDecimals <= 0 && MantissaDecimals <= 0) return text;
    const std::string sep = GetDecimalSeparator();
    const LabelParts p = PartsOf(text, sep);
    const int have = DecimalsOf(text, sep, p);
    if (p.exponent != std::string::npos) {
        if (have >= MantissaDecimals) return text;
        std::string zeros = p.separator == std::string::npos ? sep : std::string();
        zeros.append(static_cast<std::size_t>(MantissaDecimals - have), '0');
        text.insert(p.exponent, zeros);
        return text;
    }
    if (have >= LabelDecimals) return text;
    if (p.separator == std::string::npos) text += sep;
    text.append(static_cast<std::size_t>(LabelDecimals - have), '0');
    return text;
}

std::optional<double> CPlotAxis::TickPosition(int i) const {
    // kMaxTicks intervals have one more line than intervals.
    if (i < 0 || i > kMaxTicks) return std::nullopt;
    if (IsListScale()) {
        if (i >= TickCount()) return std::nullopt;
        const double v = Transform(TickList[static_cast<std::size_t>(i)]);
        return IsMissing(v) ? std::nullopt : std::optional<double>(v);
    }
    const std::optional<ScaleSpan> r = OrderedTransformedRange();
    if (!r) return std::nullopt;
    const std::optional<double> c = UsableInterval(Interval, r->hi - r->lo, kMaxTicks);
    if (!c) return std::nullopt;
    double v = r->lo + i * *c;
    if (Type() == ScaleType::Inverse && i > 0) v = (std::floor(r->lo / *c + 0.5) + i) * *c;
    if (v > r->hi + kGridOvershoot * *c) return std::nullopt;
    return v;
}

AxisTicks CPlotAxis::DrawnTicks() const {
    AxisTicks ticks;
    if (IsListScale()) {
        ticks.stepped = false;
        ticks.interval = Interval;
        for (int i = 0; i < TickCount(); ++i) {
            const double value = TickList[static_cast<std::size_t>(i)];
            const double position = Transform(value);
            if (IsMissing(position)) continue;
            ticks.values.push_back(value);
            ticks.positions.push_back(position);
        }
        return ticks;
    }
    const std::optional<ScaleSpan> r = OrderedTransformedRange();
    if (!r) return ticks;
    const std::optional<double> c = UsableInterval(Interval, r->hi - r->lo, kMaxDrawnIntervals);
    if (!c) return ticks;
    TickStepping stepping = TickStepping::Linear;
    if (TriangleKind != 0) {
        stepping = TickStepping::Triangular;
    } else if (Type() == ScaleType::Inverse) {
        stepping = TickStepping::Inverse;
    }
    ticks.interval = *c;
    ticks.values = SteppedTicks(stepping, r->lo, r->hi, *c);
    ticks.positions = ticks.values;
    return ticks;
}

std::vector<std::string> CPlotAxis::TickLabels(const AxisTicks& ticks, bool pad) const {
    std::vector<std::string> labels(ticks.values.size());
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (IsMissing(LabelValue(ticks.values[i], ticks.interval))) continue;
        labels[i] = FormatTickLabel(ticks.values[i], ticks.interval, pad);
    }
    return labels;
}

void CPlotAxis::SettleLabelDecimals(const AxisTicks& ticks) {
    const std::string sep = GetDecimalSeparator();
    int plain = 0;
    int mantissa = 0;
    for (const std::string& text : TickLabels(ticks, false)) {
        if (text.empty()) continue;
        const LabelParts p = PartsOf(text, sep);
        int& decimals = p.exponent == std::string::npos ? plain : mantissa;
        decimals = std::max(decimals, DecimalsOf(text, sep, p));
    }
    LabelDecimals = plain;
    MantissaDecimals = mantissa;
}

}  // namespace vtg
