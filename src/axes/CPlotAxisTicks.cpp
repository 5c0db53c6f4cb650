// Ticks, tick labels and their measuring: where the ticks of an axis go, what they say, and
// which of them are drawn when they crowd.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "axes/CPlotAxis.h"
#include "axes/FormatNumber.h"
#include "axes/ScaleMath.h"
#include "axes/TickLayout.h"
#include "platform/Surface.h"
#include "plot/CPlotEnv.h"
#include "plot/PlotValues.h"

namespace vtg {

namespace {

// Tick labels show six significant digits.
constexpr int kLabelDigits = 6;
// A stepped tick closer to zero than this share of the interval is zero: summing intervals
// leaves residues such as 1e-17 that must not be labelled as such.
constexpr double kZeroSnap = 1e-4;
// A grid position counts while it lies within this share of the interval beyond the range.
constexpr double kGridOvershoot = 0.01;
// Tick marks closer than this many pixels to the previous one are left out.
constexpr int kMinTickGap = 5;
// Tick length, label gap and the extra inset of the outer Y axis's labels, in units.
constexpr double kTickLength = 5;
constexpr double kLabelGap = 3;
constexpr double kVerticalLabelInset = 2;
constexpr double kChevronHalfWidth = 3;

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

int ToPixel(const CPlotEnv& env, bool vertical, double v) {
    return vertical ? env.ViewY.ToPixel(v, env.OffsetY) : env.ViewX.ToPixel(v, env.OffsetX);
}

// Which labels of the drawn ticks are shown, from their centres and sizes along the axis.
std::vector<bool> ShownLabels(const AxisTicks& ticks, std::span<const int> centres, std::span<const int> sizes,
                              bool triangular) {
    if (!ticks.stepped) return ListLabelsShown(centres, sizes);
    std::vector<bool> shown(centres.size(), true);
    const int t = LongestOverlapRun(centres, sizes);
    if (t <= 0) return shown;
    const int p = FirstLabelIndex(ticks.values.front(), ticks.interval, t, triangular);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const auto k = static_cast<int>(i);
        shown[i] = k >= p && (k - p) % (t + 1) == 0;
    }
    return shown;
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

void CPlotAxis::DrawTicks(Surface& dc, const CPlotEnv& env, const CVTGFont* font, int textOffset, int linePos,
                          bool vertical, bool outerSide) {
    const AxisTicks ticks = DrawnTicks();
    if (ticks.values.empty()) return;
    if (ticks.stepped && Type() == ScaleType::Linear) SetUserInterval(ticks.interval, LockGrid);
    const CViewCoeff& view = vertical ? env.ViewY : env.ViewX;
    if (!view.IsValid()) return;

    const std::size_t n = ticks.values.size();
    std::vector<int> pixels(n);
    for (std::size_t i = 0; i < n; ++i) pixels[i] = ToPixel(env, vertical, ticks.positions[i]);

    const int length = env.Units(kTickLength);
    const bool chevrons = !vertical && TriangleKind == 1;
    const int half = env.Units(kChevronHalfWidth);
    for (std::size_t i : KeepApart(pixels, kMinTickGap)) {
        const int p = pixels[i];
        if (chevrons) {
            const Point chevron[] = {{p - half, linePos - length}, {p, linePos}, {p + half, linePos - length}};
            dc.Polyline(chevron);
        } else if (vertical) {
            dc.MoveTo({linePos, p});
            dc.LineTo({linePos + length, p});
        } else {
            dc.MoveTo({p, linePos});
            dc.LineTo({p, linePos - length});
        }
    }

    std::vector<std::string> texts(n);
    std::vector<Size> extents(n);
    std::vector<int> sizes(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        if (IsMissing(LabelValue(ticks.values[i], ticks.interval))) continue;
        texts[i] = FormatTickLabel(ticks.values[i], ticks.interval, true);
        extents[i] = env.MeasureText(dc, font, texts[i]);
        sizes[i] = vertical ? extents[i].cy : extents[i].cx;
    }
    const std::vector<bool> shown = ShownLabels(ticks, pixels, sizes, TriangleKind != 0);
    const int labelRight = linePos - env.Units(kVerticalLabelInset) - (outerSide ? env.Units(kLabelGap) : 0);
    for (std::size_t i = 0; i < n; ++i) {
        if (!shown[i] || texts[i].empty()) continue;
        if (vertical) {
            dc.TextOut({labelRight, pixels[i] + extents[i].cy / 3}, texts[i]);
        } else {
            dc.TextOut({pixels[i], textOffset + env.Units(kLabelGap)}, texts[i]);
        }
    }
}

Size CPlotAxis::MeasureTickLabels(Surface& dc, const CPlotEnv& env, const CVTGFont* font) {
    const AxisTicks ticks = DrawnTicks();
    const std::string sep = GetDecimalSeparator();
    std::vector<double> labelled;
    int plain = 0;
    int mantissa = 0;
    for (double value : ticks.values) {
        if (IsMissing(LabelValue(value, ticks.interval))) continue;
        labelled.push_back(value);
        const std::string text = FormatTickLabel(value, ticks.interval, false);
        const LabelParts p = PartsOf(text, sep);
        int& decimals = p.exponent == std::string::npos ? plain : mantissa;
        decimals = std::max(decimals, DecimalsOf(text, sep, p));
    }
    LabelDecimals = plain;
    MantissaDecimals = mantissa;
    // Measured as drawn, padded to the common number of decimals: on a list scale "99" becomes
    // "99.0" beside "0.1", and an axis measured unpadded would push its labels into the caption.
    Size largest = env.MeasureText(dc, font, "0");
    for (double value : labelled) {
        const Size extent = env.MeasureText(dc, font, FormatTickLabel(value, ticks.interval, true));
        largest.cx = std::max(largest.cx, extent.cx);
        largest.cy = std::max(largest.cy, extent.cy);
    }
    return largest;
}

}  // namespace vtg
