// Drawing an axis's ticks and labels: the axis says where its ticks go and what they say, the
// region maps them to pixels, leaves out marks and labels that crowd, and draws the rest.
#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "axes/CPlotAxis.h"
#include "axes/TickLayout.h"
#include "platform/Surface.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotEnv.h"

namespace vtg {

namespace {

// Tick marks closer than this many pixels to the previous one are left out.
constexpr int kMinTickGap = 5;
// Tick length, label gap and the extra inset of the outer Y axis's labels, in units.
constexpr double kTickLength = 5;
constexpr double kLabelGap = 3;
constexpr double kVerticalLabelInset = 2;
constexpr double kChevronHalfWidth = 3;

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

void DrawAxisTicks(Surface& dc, CPlotAxis& axis, const CPlotEnv& env, const CVTGFont* font, int textOffset,
                   int linePos, bool vertical, bool outerSide) {
    const AxisTicks ticks = axis.DrawnTicks();
    if (ticks.values.empty()) return;
    if (ticks.stepped && axis.Type() == ScaleType::Linear) axis.SetUserInterval(ticks.interval, axis.LockGrid);
    const CViewCoeff& view = vertical ? env.ViewY : env.ViewX;
    if (!view.IsValid()) return;

    const std::size_t n = ticks.values.size();
    std::vector<int> pixels(n);
    for (std::size_t i = 0; i < n; ++i) pixels[i] = ToPixel(env, vertical, ticks.positions[i]);

    const int length = env.Units(kTickLength);
    const bool chevrons = !vertical && axis.TriangleKind == 1;
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

    const std::vector<std::string> texts = axis.TickLabels(ticks, true);
    std::vector<Size> extents(n);
    std::vector<int> sizes(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        if (texts[i].empty()) continue;
        extents[i] = env.MeasureText(dc, font, texts[i]);
        sizes[i] = vertical ? extents[i].cy : extents[i].cx;
    }
    const std::vector<bool> shown = ShownLabels(ticks, pixels, sizes, axis.TriangleKind != 0);
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

Size MeasureAxisTickLabels(Surface& dc, CPlotAxis& axis, const CPlotEnv& env, const CVTGFont* font) {
    const AxisTicks ticks = axis.DrawnTicks();
    axis.SettleLabelDecimals(ticks);
    // Measured as drawn, padded to the common number of decimals: on a list scale "99" becomes
    // "99.0" beside "0.1", and an axis measured unpadded would push its labels into the caption.
    Size largest = env.MeasureText(dc, font, "0");
    for (const std::string& text : axis.TickLabels(ticks, true)) {
        if (text.empty()) continue;
        const Size extent = env.MeasureText(dc, font, text);
        largest.cx = std::max(largest.cx, extent.cx);
        largest.cy = std::max(largest.cy, extent.cy);
    }
    return largest;
}

}  // namespace vtg
