#include "regions/CPlotAxisRgn.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "axes/TickLayout.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "axes/PlotValues.h"
#include "regions/CDrawTool.h"

namespace vtg {

namespace {

// Grid lines closer than this many pixels to the previous one are left out.
constexpr int kMinGridGap = 5;
// ClientType 1 hosts draw axis text in the control's foreground colour.
constexpr int kForegroundTextClient = 1;

// The font CPlotEnv::SelectFont selects for drawing.
const CVTGFont* DrawnFont(const CPlotEnv& env, const CVTGFont* font) {
    return env.Tool().GetFontScaled(font, env.OutputScale);
}

int* ModeField(CPlotAxis& axis, int index) {
    switch (index) {
        case AxisMode::ResetRange: return &axis.ResetRange;
        case AxisMode::Reverse: return &axis.Reverse;
        case AxisMode::LockGrid: return &axis.LockGrid;
        case AxisMode::Integer: return &axis.Integer;
        default: return nullptr;
    }
}

}  // namespace

CPlotAxisRgn::CPlotAxisRgn(int kind, int triangleKind, bool withAxis) : CPlotRegion(kind), TriangleKind(triangleKind) {
    if (withAxis) {
        Axis = triangleKind > 0 ? std::make_unique<CPlotTriAxis>(triangleKind) : std::make_unique<CPlotAxis>(0);
    }
    AxisIndex = kind == RegionKind::XAxis ? 0 : 1;
}

bool CPlotAxisRgn::AcceptsClick(Surface&, CPlotLook&, Point) { return true; }

bool CPlotAxisRgn::IsHorizontal(const CPlotLook& plot) const { return (plot.Flipped == 0) == (Kind == RegionKind::XAxis); }

void CPlotAxisRgn::AutoScale(CPlotLook& plot) {
    if (Axis) Axis->AutoScale(plot.ScaleContextFor(*this));
}

void CPlotAxisRgn::Draw(Surface& dc, CPlotLook& plot, int force) {
    if (Hidden || !Axis) return;
    CPlotEnv& env = plot.Environment();
    const vtg::Rect r = env.ToDevice(Rect);
    if (!force && !r.Intersects(env.PaintArea)) return;
    const bool horizontal = IsHorizontal(plot);
    if (!horizontal) {
        AutoScale(plot);
        const double low = Axis->Transform(Axis->RangeMin);
        const double high = Axis->Transform(Axis->RangeMax);
        // A range without transformed values keeps the old mapping; it draws no ticks either.
        if (!IsMissing(low) && !IsMissing(high)) {
            const bool reversed = Axis->Reverse != 0;
            env.SetYRange(reversed ? high : low, reversed ? low : high);
        }
    }

    const ControlProperties& props = plot.Props();
    const Color foreground = TranslateOleColor(props.ForeColor);
    const CVTGFont* font = Fonts ? Fonts->Horizontal() : nullptr;
    StateGuard restore(dc);
    env.AxisPen(dc, foreground, 1, 0);
    env.SelectFont(dc, font);
    dc.SetTextColor(props.ClientType == kForegroundTextClient
                        ? foreground
                        : RgbOnly(env.Tool().PaletteColor(ClampColorIndex(ColorIndex))));
    dc.SetBkMode(BkMode::Transparent);
    if (horizontal) {
        dc.SetTextAlign(TextAlign::Bottom | TextAlign::Center);
        dc.MoveTo({r.left, r.top});
        dc.LineTo({r.right, r.top});
        DrawAxisTicks(dc, *Axis, env, font, r.bottom, r.top, false, false);
    } else {
        // The last Y axis sits against the drawing area with room for its labels' offset.
        const bool outerSide = plot.Flipped || (Kind == RegionKind::YAxis && AxisIndex == plot.YAxisCount());
        dc.SetTextAlign(TextAlign::Baseline | TextAlign::Right);
        dc.MoveTo({r.right, r.top});
        dc.LineTo({r.right, r.bottom});
        DrawAxisTicks(dc, *Axis, env, font, r.bottom, r.right, true, outerSide);
    }
}

Size CPlotAxisRgn::Measure(Surface& dc, CPlotLook& plot) { return MeasureLabels(dc, plot); }

Size CPlotAxisRgn::MeasureLabels(Surface& dc, CPlotLook& plot) {
    const CVTGFont* font = Fonts ? Fonts->Horizontal() : nullptr;
    const CPlotEnv& env = plot.Environment();
    if (!Axis) return env.MeasureText(dc, font, "0");
    // Also settles the decimals that padding brings every label to.
    Size largest = MeasureAxisTickLabels(dc, *Axis, env, font);
    if (!ScaledFontDiffers(env)) return largest;
    // The layout must make room for the labels as they will be drawn: padded, in the font
    // scaled to the output scale.
    for (const std::string& text : Axis->TickLabels(Axis->DrawnTicks(), true)) {
        if (text.empty()) continue;
        const Size drawn = DrawnTextExtent(dc, env, font, text);
        largest.cx = std::max(largest.cx, drawn.cx);
        largest.cy = std::max(largest.cy, drawn.cy);
    }
    return largest;
}

bool CPlotAxisRgn::SetAxisMode(int index, int mode) {
    int* field = Axis ? ModeField(*Axis, index) : nullptr;
    if (!field) return false;
    const int value = mode != 0 ? 1 : 0;
    if (*field != value && index != AxisMode::ResetRange) Axis->NeedsRescale = 1;
    *field = value;
    return true;
}

std::optional<int> CPlotAxisRgn::GetAxisMode(int index) const {
    const int* field = Axis ? ModeField(*Axis, index) : nullptr;
    return field ? std::optional<int>(*field) : std::nullopt;
}

Size DrawnTextExtent(Surface& dc, const CPlotEnv& env, const CVTGFont* font, std::string_view text) {
    return dc.MeasureText(DrawnFont(env, font)->Realize(env.FontDpi), text);
}

bool ScaledFontDiffers(const CPlotEnv& env) { return env.OutputScale != 1.0; }

Size RoomForText(Surface& dc, const CPlotEnv& env, const CVTGFont* font, std::string_view text) {
    const Size measured = env.MeasureText(dc, font, text);
    if (!ScaledFontDiffers(env)) return measured;
    const Size drawn = DrawnTextExtent(dc, env, font, text);
    return {std::max(measured.cx, drawn.cx), std::max(measured.cy, drawn.cy)};
}

TextMetrics DrawnFontMetrics(Surface& dc, const CPlotEnv& env, const CVTGFont* font) {
    return dc.FontMetrics(DrawnFont(env, font)->Realize(env.FontDpi));
}

CPlotTriAxisRgn::CPlotTriAxisRgn(int triangleKind) : CPlotAxisRgn(RegionKind::YAxis, triangleKind) {}

std::optional<MultiplierSuffix> MultiplierSuffixOf(const CPlotAxis& axis) {
    if (axis.MultiplierType != 0 || axis.Multiplier == 0) return std::nullopt;
    MultiplierSuffix s{" x 10", {}};
    if (axis.Multiplier != 1) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%d", axis.Multiplier);
        s.exponent = digits;
    }
    return s;
}

std::vector<int> GridPositions(const CPlotAxis& axis, const CViewCoeff& view, int deviceOffset, int low, int high,
                               bool verticalLines) {
    std::vector<int> inside;
    if (!view.IsValid()) return inside;
    for (int i = 0;; ++i) {
        const std::optional<double> v = axis.TickPosition(i);
        if (!v) break;
        const int p = view.ToPixel(*v, deviceOffset);
        const bool within = verticalLines ? (low < p && p <= high) : (low <= p && p < high);
        if (within) inside.push_back(p);
    }
    std::vector<int> kept;
    for (std::size_t i : KeepApart(inside, kMinGridGap)) kept.push_back(inside[i]);
    return kept;
}

}  // namespace vtg
