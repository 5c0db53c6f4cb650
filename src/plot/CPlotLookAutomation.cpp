#include "plot/CPlotLookAutomation.h"

#include <algorithm>
#include <iterator>

#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"
#include "regions/CPlotLegendRgn.h"

namespace vtg {

namespace {

constexpr double kMaxZoom = 1024;
// Below this the factor doubles; from it on the next step goes straight to the maximum.
constexpr double kLastDoubling = 512;
constexpr double kScrollScale = 1000;

enum ZoomKind { kZoomIn = 0, kZoomOut = 1 };

MinMax Merge(MinMax a, const MinMax& b) {
    if (!b.valid) return a;
    if (!a.valid) return b;
    return {true, std::min(a.min, b.min), std::max(a.max, b.max)};
}

// Triangular plots keep their sides aligned to each other, so only their base axis follows the
// zoom factor here (as SetZoomLevel does).
bool ZoomAxes(CPlotLook& plot, int kind) {
    bool full = true;
    if (CPlotAxis* x = plot.AxisByNumber(0)) full = x->ZoomStep(kind, plot.ZoomLevel) && full;
    if (plot.Triangular) return full;
    for (auto& region : plot.YAxisRgns) full = region->Axis->ZoomStep(kind, plot.ZoomLevel) && full;
    return full;
}

MinMax DataDrawnAgainst(const CPlotLook& plot, int axis) {
    MinMax r;
    if (axis == 0) {
        for (const auto& v : plot.XVars) r = Merge(r, v->GetMinMax());
        return r;
    }
    // Hidden variables count only when no visible one has data, as in the full refit.
    MinMax all;
    for (const auto& v : plot.YVars) {
        if (v->AxisMap != axis) continue;
        const MinMax m = v->GetMinMax();
        all = Merge(all, m);
        if (!v->Hidden) r = Merge(r, m);
    }
    return r.valid ? r : all;
}

}  // namespace

CPlotAxisRgn* AxisRegionByNumber(const CPlotLook& plot, int axis) {
    return axis == 0 ? plot.XAxisRgn.get() : plot.YAxisRegion(axis);
}

CPlotAxis* AxisOfVariable(const CPlotLook& plot, int variable) {
    if (variable == 0) return plot.AxisByNumber(0);
    const CPlotVar* var = plot.YVar(variable - 1);
    return var && var->AxisMap >= 1 ? plot.AxisByNumber(var->AxisMap) : nullptr;
}

void ZoomIn(CPlotLook& plot) {
    plot.ZoomLevel = plot.ZoomLevel < kLastDoubling ? plot.ZoomLevel * 2 : kMaxZoom;
    ZoomAxes(plot, kZoomIn);
}

bool ZoomOut(CPlotLook& plot) {
    plot.ZoomLevel = plot.ZoomLevel > 2 ? plot.ZoomLevel / 2 : 1;
    return ZoomAxes(plot, kZoomOut);
}

void ZoomToRect(CPlotLook& plot) {
    const CPlotDrawingRgn* area = plot.DrawingRgn.get();
    CPlotAxis* x = plot.AxisByNumber(0);
    const CPlotAxis* y = plot.AxisByNumber(1);
    if (!area || !area->BandActive || !x || !y || plot.Triangular) return;
    const Rect& r = area->Rect;
    const Rect& band = area->BandRect;
    const double w = r.right - r.left + 1.0;
    const double h = r.bottom - r.top + 1.0;
    if (w < 1 || h < 1) return;
    const double left = (band.left - r.left) / w;
    const double right = (band.right - r.left + 1) / w;
    const double top = (band.top - r.top) / h;
    const double bottom = (band.bottom - r.top + 1) / h;

    const auto [a, b] = CPlotLook::ScrollOf(x);
    const auto [g, gEnd] = CPlotLook::ScrollOf(y);
    const double span = gEnd - g;
    const double x0 = a + (b - a) * left;
    const double x1 = a + (b - a) * right;
    const double y0 = g + (1 - bottom) * span;
    const double y1 = g + (1 - top) * span;
    // A band without width or height would ask for an infinite zoom.
    if (!(x1 > x0) || !(y1 > y0)) return;
    x->ZoomToPerMille(x0, x1, true);
    for (auto& region : plot.YAxisRgns) region->Axis->ZoomToPerMille(y0, y1, true);
    const double level = (kScrollScale / (x1 - x0) + kScrollScale / (y1 - y0)) / 2;
    plot.ZoomLevel = std::clamp(level, 1.0, kMaxZoom);
}

bool RefitAxis(CPlotLook& plot, int axis) {
    CPlotAxisRgn* region = AxisRegionByNumber(plot, axis);
    if (!region || !region->Axis) return false;
    // The sides of a triangle show fractions, which their data do not define.
    if (plot.Triangular) return true;
    const MinMax r = DataDrawnAgainst(plot, axis);
    if (r.valid) region->Axis->FitToData(r.min, r.max, plot.ScaleContextFor(*region));
    return true;
}

const CVTGFont* FontOfSlot(const CPlotLook& plot, int which) {
    static constexpr CPlotLook::FontSlot kSlots[] = {CPlotLook::kTitleFont, CPlotLook::kLabelFont,
                                                     CPlotLook::kAxisFont, CPlotLook::kLegendFont,
                                                     CPlotLook::kDrawingFont};
    if (which < 0 || which >= static_cast<int>(std::size(kSlots))) return nullptr;
    return plot.Fonts[kSlots[which]].Horizontal();
}

void SetVariableMarkerSizes(CPlotLook& plot, CPlotVar& var, int size, int interval) {
    if (plot.DependentCount() < 2) {
        plot.MarkerSize = size;
        plot.MarkerInterval = interval;
        plot.Props().MarkerSize = static_cast<std::int16_t>(size);
        plot.Props().MarkerInterval = static_cast<std::int16_t>(interval);
        return;
    }
    if (var.VarMarkerSize != 0 || size != plot.MarkerSize) var.VarMarkerSize = size;
    if (var.VarMarkerInterval != 0 || interval != plot.MarkerInterval) var.VarMarkerInterval = interval;
}

int LabelColorIndex(const CPlotLook& plot, int axis) {
    if (axis == 0) return plot.XLabelRgn ? plot.XLabelRgn->ColorIndex : 0;
    for (const auto& label : plot.YLabelRgns) {
        if (axis >= 1 && label->AxisNumber == axis) return label->ColorIndex;
    }
    return 0;
}

int AxisColorIndex(const CPlotLook& plot, int axis) {
    const CPlotAxisRgn* region = axis >= 0 ? AxisRegionByNumber(plot, axis) : nullptr;
    return region ? region->ColorIndex : 0;
}

}  // namespace vtg
