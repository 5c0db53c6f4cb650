// The bars of a bar graph.
#include <algorithm>

#include "axes/CPlotAxis.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotVar.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CurveMapper.h"

namespace vtg {

namespace {

// Bars of neighbouring slots keep this many pixels apart.
constexpr int kBarGap = 2;
constexpr int kOutlineWidth = 2;

}  // namespace

BarSpan BarSlot(int edge, int v, int series, int seriesCount) {
    const long long span = static_cast<long long>(v) - edge;
    const long long w = span / std::max(seriesCount, 1);
    const bool last = series >= seriesCount - 1;
    const long long from = edge + series * w;
    const long long to = last ? v : edge + (series + 1) * w;
    const int direction = span > 0 ? 1 : (span < 0 ? -1 : 0);
    return {static_cast<int>(from), static_cast<int>(to - kBarGap * direction)};
}

void CPlotBarDrawingRgn::DrawGrid(Surface&, CPlotLook&) {}

void CPlotBarDrawingRgn::DrawBars(Surface& dc, CPlotEnv& env, const CPlotVar& xVar, const CPlotVar& yVar,
                                  const CPlotAxis& xAxis, const CPlotAxis& yAxis, int seriesCount, int series,
                                  bool horizontal) {
    if (seriesCount < 1 || series < 0 || series >= seriesCount) return;
    if (!env.ViewX.IsValid() || !env.ViewY.IsValid()) return;
    const vtg::Rect rect = DeviceRect(env);
    // Categories run across the page, or down it for horizontal bars; values the other way.
    const AxisMapping category(xAxis, horizontal ? env.ViewY : env.ViewX, horizontal ? env.OffsetY : env.OffsetX);
    const AxisMapping value(yAxis, horizontal ? env.ViewX : env.ViewY, horizontal ? env.OffsetX : env.OffsetY);

    StateGuard restore(dc);
    dc.IntersectClipRect(rect);
    env.PalettePen(dc, yVar.Marker, kOutlineWidth, 0);
    const Color colour = RgbOnly(env.Tool().PaletteColor(yVar.Color));
    dc.SetTextColor(colour);
    env.PatternBrush(dc, yVar.Color, yVar.FillStyle);

    const SlotWalk walk = IndexedWalk(xVar, yVar);
    bool first = true;
    int edge = 0;
    for (std::uint32_t i = 0; i < walk.count; ++i) {
        int v = 0;
        int h = 0;
        if (!category.Map(ValueAt(xVar, i), v) || !value.Map(ValueAt(yVar, i), h)) continue;
        if (!first) {
            const BarSpan slot = BarSlot(edge, v, series, seriesCount);
            const int lo = std::min(slot.from, slot.to);
            const int hi = std::max(slot.from, slot.to);
            dc.Rectangle(horizontal ? vtg::Rect{rect.left, lo, h, hi}.Normalized()
                                    : vtg::Rect{lo, h, hi, rect.bottom}.Normalized());
        }
        first = false;
        edge = v;
    }
}

}  // namespace vtg
