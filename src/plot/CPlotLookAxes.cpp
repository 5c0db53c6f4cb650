// The axis map (which Y axis each variable is drawn against), the Y axis and caption regions
// that follow it, range fitting and the axis lookups by role.
#include <algorithm>
#include <cmath>

#include "objects/CPlotObj.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "axes/PlotValues.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"
#include "regions/CPlotLabelRgn.h"

namespace vtg {

namespace {

// An empty first Y caption still takes the room of a caption in the layout.
constexpr const char* kBlankCaption = "     ";
constexpr int kScrollScale = 1000;

MinMax Merge(MinMax a, const MinMax& b) {
    if (!b.valid) return a;
    if (!a.valid) return b;
    return {true, std::min(a.min, b.min), std::max(a.max, b.max)};
}

int RoundHalfAway(double v) { return static_cast<int>(v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5)); }

// The window of width w per mille around the middle of (a, b), kept inside 0..1000.
std::pair<int, int> ZoomWindow(std::pair<int, int> current, int w) {
    const int c = (current.first + current.second) / 2;
    const int h = w / 2;
    if (c - h < 0) return {0, w};
    if (c + h > kScrollScale) return {kScrollScale - w, kScrollScale};
    return {c - h, c + h};
}

}  // namespace

// ---- regions ----

std::unique_ptr<CPlotAxisRgn> CPlotLook::MakeYAxisRegion(int number) {
    std::unique_ptr<CPlotAxisRgn> axis;
    if (Triangular) {
        axis = std::make_unique<CPlotTriAxisRgn>(Triangular);
    } else {
        axis = std::make_unique<CPlotAxisRgn>(RegionKind::YAxis, 0);
    }
    axis->AxisIndex = number;
    axis->Hidden = AxisRegionsHidden;
    axis->Fonts = &Fonts[kAxisFont];
    return axis;
}

std::unique_ptr<CPlotLabelRgn> CPlotLook::MakeYLabelRegion(CPlotLabel* caption, int number, int second) {
    std::unique_ptr<CPlotLabelRgn> label;
    if (Triangular) {
        label = std::make_unique<CPlotTriLabelRgn>(Triangular);
    } else {
        label = std::make_unique<CPlotLabelRgn>(RegionKind::YCaption);
    }
    label->Caption = caption;
    label->AxisNumber = number;
    label->VariableIndex = second;
    label->Hidden = LabelRegionsHidden;
    label->Fonts = &Fonts[kLabelFont];
    label->SecondFonts = &Fonts[kSmallLabelFont];
    return label;
}

void CPlotLook::InsertBeforeLegend(CPlotRegion* region) {
    std::size_t position = 0;
    for (std::size_t k = 0; k < Regions.size(); ++k) {
        if (Regions[k]->Kind < RegionKind::Legend) position = k + 1;
    }
    Regions.insert(Regions.begin() + static_cast<std::ptrdiff_t>(position), region);
}

void CPlotLook::ForgetRegion(CPlotRegion* region) {
    Regions.erase(std::remove(Regions.begin(), Regions.end(), region), Regions.end());
    if (Selection == region) Selection = nullptr;
}

void CPlotLook::UnbindCaption(const CPlotLabel* label) {
    auto unbind = [&](CPlotLabelRgn* region) {
        if (region && region->Caption == label) {
            region->Caption = nullptr;
            LabelsDirty = 1;
        }
    };
    unbind(XLabelRgn.get());
    for (auto& region : YLabelRgns) unbind(region.get());
}

void CPlotLook::DeleteYAxisRegion(int position) {
    CPlotAxisRgn* axis = YAxisRgns[static_cast<std::size_t>(position)].get();
    UnbindCaption(&axis->Label);
    ForgetRegion(axis);
    YAxisRgns.erase(YAxisRgns.begin() + position);
    Control->ContentDeleted();
}

void CPlotLook::DeleteYLabelRegions() {
    for (auto& label : YLabelRgns) ForgetRegion(label.get());
    YLabelRgns.clear();
}

CPlotAxisRgn* CPlotLook::YAxisRegion(int axis) const {
    return axis >= 1 && axis <= YAxisCount() ? YAxisRgns[static_cast<std::size_t>(axis - 1)].get() : nullptr;
}

CPlotAxis* CPlotLook::AxisByNumber(int axis) const {
    if (axis == 0) return XAxisRgn ? XAxisRgn->Axis.get() : nullptr;
    CPlotAxisRgn* region = YAxisRegion(axis);
    return region ? region->Axis.get() : nullptr;
}

// ---- the axis map ----

void CPlotLook::SetAxisMap(int i, int axis) {
    CPlotVar* var = YVar(i);
    // A negative axis means nothing, and one beyond kMaxYAxes is refused. The axes missing up
    // to the one asked for are created in order, so that the compaction at the next draw
    // keeps the variables' relative order.
    if (!var || axis < 0 || axis > kMaxYAxes) return;
    var->AxisMap = axis;
    if (axis == 0) SetHidden(i, 1);
    if (var->LabelIndex >= 1 && var->LabelIndex <= static_cast<int>(YLabelRgns.size())) {
        YLabelRgns[static_cast<std::size_t>(var->LabelIndex - 1)]->AxisNumber = axis;
    }
    while (axis > YAxisCount()) {
        const int number = YAxisCount() + 1;
        auto region = MakeYAxisRegion(number);
        auto label = MakeYLabelRegion(&region->Label, number, -1);
        InsertBeforeLegend(region.get());
        InsertBeforeLegend(label.get());
        YAxisRgns.push_back(std::move(region));
        YLabelRgns.push_back(std::move(label));
    }
    AxisMapDirty = 1;
}

int CPlotLook::GetAxisMap(int i) const {
    const CPlotVar* var = YVar(i);
    return var ? var->AxisMap : 0;
}

void CPlotLook::CompactAxisMap() {
    if (Triangular) return;
    int m = 0;
    for (const auto& v : YVars) m = std::max(m, v->AxisMap);
    int gaps = 0;
    for (int k = 1; k <= m; ++k) {
        const bool used = std::any_of(YVars.begin(), YVars.end(), [k](const auto& v) { return v->AxisMap == k; });
        if (!used) {
            ++gaps;
            continue;
        }
        if (gaps == 0) continue;
        for (int i = 0; i < DependentCount(); ++i) {
            if (YVars[static_cast<std::size_t>(i)]->AxisMap == k) SetAxisMap(i, k - gaps);
        }
    }
    if (gaps == m) {
        for (int i = 0; i < DependentCount(); ++i) SetAxisMap(i, 1);
        m = 1;
    } else {
        m -= gaps;
    }
    while (YAxisCount() > m) DeleteYAxisRegion(YAxisCount() - 1);
    while (YAxisCount() < m) {
        auto region = MakeYAxisRegion(YAxisCount() + 1);
        InsertBeforeLegend(region.get());
        YAxisRgns.push_back(std::move(region));
    }
    bool anyShown = false;
    for (auto& region : YAxisRgns) {
        const int number = region->AxisIndex;
        const bool used = std::any_of(YVars.begin(), YVars.end(),
                                      [number](const auto& v) { return !v->Hidden && v->AxisMap == number; });
        region->Hidden = AxisRegionsHidden || !used;
        anyShown = anyShown || !region->Hidden;
    }
    if (!anyShown && !AxisRegionsHidden && !YAxisRgns.empty()) YAxisRgns.front()->Hidden = 0;
    AxisMapDirty = 0;
}

void CPlotLook::TrimYAxes(int count) {
    if (Triangular) return;
    const int keep = std::max(1, count);
    if (YAxisCount() <= keep) return;
    while (YAxisCount() > keep) DeleteYAxisRegion(YAxisCount() - 1);
    AxisMapDirty = 1;
    LabelsDirty = 1;
    LayoutDirty = 1;
}

// ---- Y caption regions ----

void CPlotLook::RebuildYLabels() {
    if (YAxisRgns.empty()) return;
    CPlotAxisRgn& firstAxis = *YAxisRgns.front();
    if (firstAxis.Label.Text.empty()) firstAxis.Label.Text = kBlankCaption;
    CPlotVar* first = YVar(0);
    if (first && first->Label.Text.empty()) first->Label.Text = IsTimePlot() ? "Y label" : firstAxis.Label.Text;

    const bool oneToOne = DependentCount() == 1 && YLabelRgns.size() == 1;
    if (oneToOne && !FromDataFile) {
        YLabelRgns.front()->Caption = IsTimePlot() ? &first->Label : &firstAxis.Label;
        if (ShowLegend == 2 && !IsTimePlot() && !first->Hidden && first->Label.Text != firstAxis.Label.Text) {
            auto label = MakeYLabelRegion(&first->Label, 1, 1);
            InsertBeforeLegend(label.get());
            YLabelRgns.push_back(std::move(label));
            first->LabelIndex = static_cast<int>(YLabelRgns.size());
        }
        return;
    }
    if (Triangular) {
        for (std::size_t k = 0; k < YLabelRgns.size(); ++k) YLabelRgns[k]->AxisNumber = static_cast<int>(k + 1);
        return;
    }
    DeleteYLabelRegions();
    for (auto& v : YVars) v->LabelIndex = -1;
    Selection = nullptr;
    auto add = [&](CPlotLabel* caption, int number, int second) {
        auto label = MakeYLabelRegion(caption, number, second);
        InsertBeforeLegend(label.get());
        YLabelRgns.push_back(std::move(label));
        return static_cast<int>(YLabelRgns.size());
    };
    if (!FromDataFile) {
        if (IsTimePlot()) {
            const bool anyLegend = std::any_of(YVars.begin(), YVars.end(),
                                               [](const auto& v) { return !v->Hidden && !v->Label.Text.empty(); });
            if (!anyLegend && first) add(&first->Label, 1, 1);
        } else {
            const int second = YAxisCount() > 1 ? -1 : 1;
            for (auto& axis : YAxisRgns) {
                if (!axis->Label.Text.empty() && !axis->Hidden) add(&axis->Label, axis->AxisIndex, second);
            }
        }
    }
    if (FromDataFile || ShowLegend == 2) {
        for (int i = 0; i < DependentCount(); ++i) {
            CPlotVar& v = *YVars[static_cast<std::size_t>(i)];
            if (v.Hidden || v.Label.Text.empty()) continue;
            v.LabelIndex = add(&v.Label, v.AxisMap, i + 1);
        }
        LabelsDirty = ShowLegend != 1;
        LayoutDirty = 1;
        Control->InvalidateControl();
    }
}

// ---- ranges ----

MinMax CPlotLook::IndependentRange() const {
    MinMax r;
    for (const auto& v : XVars) r = Merge(r, v->GetMinMax());
    return r;
}

MinMax CPlotLook::AxisDataRange(int axis, bool visibleOnly) const {
    MinMax r;
    for (const auto& v : YVars) {
        if (v->AxisMap == axis && !(visibleOnly && v->Hidden)) r = Merge(r, v->GetMinMax());
    }
    return r;
}

ScaleContext CPlotLook::ScaleContextFor(const CPlotAxisRgn& region) const {
    ScaleContext c;
    const vtg::Rect area = DrawingRgn ? DrawingRgn->Rect : vtg::Rect{};
    c.axisLength = AxisLengthFor(area.Width(), area.Height(), Width, Height, region.Kind == RegionKind::XAxis,
                                 Flipped != 0, Square || Triangular);
    const CVTGFont* font = region.Fonts ? region.Fonts->Horizontal() : nullptr;
    c.fontPointSize = font ? font->Size : 10;
    c.labelSpacingFactor = LabelSpacingFactor;
    c.outputScale = Env->OutputScale;
    c.gridInterval = Props().GridInterval;
    return c;
}

void CPlotLook::FitRangesToData() {
    ZoomLevel = 1.0;
    RefitDirty = 0;
    CPlotAxis* x = AxisByNumber(0);
    CPlotAxis* y = AxisByNumber(1);
    if (!x) return;
    if (Square && Diagonal && YAxisCount() == 1 && x->Scale == 0 && y->Scale == 0 && XVar(0) && YVar(0)) {
        const MinMax xr = XVar(0)->GetMinMax();
        const MinMax yr = YVar(0)->GetMinMax();
        const bool overlap = xr.valid && yr.valid &&
                             ((yr.min <= xr.min && xr.min <= yr.max) || (xr.min <= yr.min && yr.min <= xr.max));
        if (overlap) {
            const MinMax all = Merge(xr, yr);
            x->FitToData(all.min, all.max, ScaleContextFor(*XAxisRgn));
            y->FitToData(all.min, all.max, ScaleContextFor(*YAxisRgns.front()));
            return;
        }
    }
    if (!RunPlot) {
        const MinMax r = IndependentRange();
        if (!Triangular && r.valid) x->FitToData(r.min, r.max, ScaleContextFor(*XAxisRgn));
    }
    for (int j = 1; j <= YAxisCount(); ++j) {
        MinMax r = AxisDataRange(j, true);
        if (!r.valid) r = AxisDataRange(j, false);
        if (Triangular || !r.valid) continue;
        CPlotAxisRgn& region = *YAxisRgns[static_cast<std::size_t>(j - 1)];
        region.Axis->LockGrid = 0;
        region.Axis->FitToData(r.min, r.max, ScaleContextFor(region));
    }
}

void CPlotLook::RefitRanges() {
    if (Triangular || !XAxisRgn) return;
    CPlotAxis& x = *XAxisRgn->Axis;
    if (!RunPlot && x.ResetRange) {
        const MinMax r = IndependentRange();
        if (r.valid && r.min <= r.max) x.SetDataExtent(r.min, r.max, false);
    }
    std::vector<bool> met(YAxisRgns.size(), false);
    for (const auto& v : YVars) {
        CPlotAxis* axis = v->AxisMap >= 1 ? AxisByNumber(v->AxisMap) : nullptr;
        if (!axis || !axis->ResetRange) continue;
        const MinMax r = v->GetMinMax();
        if (!r.valid) continue;
        const auto k = static_cast<std::size_t>(v->AxisMap - 1);
        if (!met[k]) {
            axis->ResetRangeExtent();
            met[k] = true;
        }
        axis->SetDataExtent(r.min, r.max, true);
    }
    for (std::size_t k = 0; k < met.size(); ++k) {
        if (met[k]) YAxisRgns[k]->Axis->SettleRefittedRange();
    }
}

// Fits and refits wait for the next draw. A range the host sets after asking for one must not be
// undone by it when the draw comes: the pending steps run first, so calls take effect in the
// order they were made.
void CPlotLook::RunPendingFits() {
    if (FitAllPending || RefitDirty) ConsumeDirtyFlags();
}

void CPlotLook::SetAxisRange(int axis, double lo, double hi) {
    RunPendingFits();
    auto apply = [&](CPlotAxis* a) {
        if (!a) return;
        // Unlike SetRange, this says nothing about data having been seen.
        const int seen = a->DataSeen;
        a->SetRange(lo, hi);
        a->DataSeen = seen;
    };
    apply(AxisByNumber(axis));
    if (axis == 0 && Triangular) {
        apply(AxisByNumber(1));
        apply(AxisByNumber(2));
    }
}

void CPlotLook::SetRange(int axis, double lo, double hi) {
    RunPendingFits();
    auto apply = [&](CPlotAxis* a) {
        if (a) a->SetRange(lo, hi);
    };
    apply(AxisByNumber(axis));
    if (axis == 0 && Triangular) {
        apply(AxisByNumber(1));
        apply(AxisByNumber(2));
    }
}

// ---- lookups by role ----

CPlotAxisRgn* CPlotLook::AxisRegionForRole(int role) const {
    if (Triangular && role >= 1) return YAxisRegion(role);
    switch (role) {
        case 0: return Flipped ? YAxisRegion(1) : XAxisRgn.get();
        case 1: return Flipped ? XAxisRgn.get() : YAxisRegion(1);
        case 2: return Flipped ? nullptr : YAxisRegion(YAxisCount());
        default: return nullptr;
    }
}

CPlotAxis* CPlotLook::AxisForRole(int role) const {
    if (role != 0 && role != 1) return nullptr;
    CPlotAxisRgn* region = AxisRegionForRole(role);
    return region ? region->Axis.get() : nullptr;
}

CPlotLabelRgn* CPlotLook::LabelRegionForRole(int role) const {
    CPlotLabelRgn* firstY = YLabelRgns.empty() ? nullptr : YLabelRgns.front().get();
    switch (role) {
        case 0: return Flipped ? firstY : XLabelRgn.get();
        case 1: return Flipped ? XLabelRgn.get() : firstY;
        default: return nullptr;
    }
}

// ---- scrolling and zooming ----

std::pair<int, int> CPlotLook::GetScroll(bool side) const { return ScrollOf(AxisForRole(side ? 0 : 1)); }

std::pair<int, int> CPlotLook::ScrollOf(const CPlotAxis* axis) {
    if (!axis) return {0, kScrollScale};
    const double e0 = axis->Transform(axis->ExtentMin);
    const double e1 = axis->Transform(axis->ExtentMax);
    const double r0 = axis->Transform(axis->RangeMin);
    const double r1 = axis->Transform(axis->RangeMax);
    const double elo = std::min(e0, e1);
    const double span = std::fabs(e1 - e0);
    if (IsMissing(e0) || IsMissing(e1) || IsMissing(r0) || IsMissing(r1) || !(span > 0)) return {0, kScrollScale};
    int a = std::clamp(RoundHalfAway((std::min(r0, r1) - elo) / span * kScrollScale), 0, kScrollScale);
    int b = std::clamp(RoundHalfAway((std::max(r0, r1) - elo) / span * kScrollScale), 0, kScrollScale);
    if (axis->Reverse) std::tie(a, b) = std::pair{kScrollScale - b, kScrollScale - a};
    return {a, b};
}

void CPlotLook::ZoomReset() {
    ZoomLevel = 1.0;
    if (CPlotAxis* x = AxisByNumber(0)) {
        if (RunPlot && x->TimeAxis) {
            const double window = Props().TimeWindow;
            x->ExtentMin = x->DataMin;
            x->ExtentMax = window > x->DataMax - x->DataMin ? x->DataMin + window : x->DataMax;
        }
        x->ZoomStep(2, 1.0);
    }
    for (auto& region : YAxisRgns) region->Axis->ZoomStep(2, 1.0);
}

bool CPlotLook::SetZoomLevel(double z) {
    if (!(z >= 1 && z <= 1024)) return false;
    ZoomLevel = z;
    const int w = static_cast<int>(kScrollScale / z + 0.5);
    if (CPlotAxis* x = AxisByNumber(0)) {
        const auto [lo, hi] = ZoomWindow(ScrollOf(x), w);
        x->ZoomToPerMille(lo, hi, true);
    }
    // Triangular plots keep their side axes aligned to each other; their zoom is the
    // triangle's own.
    if (!Triangular && !YAxisRgns.empty()) {
        const auto [lo, hi] = ZoomWindow(ScrollOf(YAxisRgns.front()->Axis.get()), w);
        for (auto& region : YAxisRgns) region->Axis->ZoomToPerMille(lo, hi, true);
    }
    return true;
}

}  // namespace vtg
