// Live data: run plots take samples per time step into circular buffers and scroll their time
// axis as the data pass its window; phase plots push one value per variable.
#include <algorithm>
#include <cmath>
#include <utility>

#include "objects/CPlotAnnotation.h"
#include "objects/CPlotObj.h"
#include "platform/Automation.h"
#include "platform/Surface.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"
#include "plot/IPlotHost.h"
#include "axes/PlotValues.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotDrawingRgn.h"

namespace vtg {

namespace {

// Pixels left of the time axis region that a scroll repaints: its first tick label overhangs.
constexpr int kAxisBandOverhang = 20;

// The step the time window moves by: a finite positive step, else a fifth of a positive
// window, else 1. Anything else would make the window stand still or run backwards.
double UsableTimeStep(double step, double window) {
    if (std::isfinite(step) && step > 0) return step;
    if (std::isfinite(window) && window > 0) return 0.2 * window;
    return 1.0;
}

// The end of the time window, moved on by whole steps past t when t reached it; nothing when
// it need not (or cannot) move.
std::optional<double> NextWindowEnd(double end, double t, double step) {
    if (!std::isfinite(end) || !std::isfinite(t) || !(end <= t)) return std::nullopt;
    // The next whole multiple of the step at least half a step beyond the end; then as many
    // further steps as it takes to pass t, counted rather than walked so that a jump of any
    // size costs the same.
    const double first = std::floor((end + 1.5 * step) / step) * step;
    const double moved = first <= t ? first + (std::floor((t - first) / step) + 1) * step : first;
    if (!std::isfinite(moved)) return std::nullopt;
    return moved;
}

}  // namespace

ScrollContext CPlotLook::ScrollContextFor() const {
    const ControlProperties& p = Props();
    ScrollContext ctx;
    ctx.timeWindow = std::isfinite(p.TimeWindow) && p.TimeWindow > 0 ? p.TimeWindow : 1.0;
    ctx.timeScrollUnit = UsableTimeStep(p.TimeScrollUnit, ctx.timeWindow);
    return ctx;
}

// ---- run plots ----

CPlotLook::SampleResult CPlotLook::AddTimeData(int var, double time, double value) {
    if (!RunPlot || XVars.empty()) return {};
    if (var < 1 || var > DependentCount()) {
        throw AutomationError::InvalidArg("AddTimeData: there is no dependent variable " + std::to_string(var));
    }
    CPlotVar& y = *YVars[static_cast<std::size_t>(var - 1)];
    if (y.AxisMap > YAxisCount()) {
        throw AutomationError::InvalidArg("AddTimeData: variable " + std::to_string(var) + " maps to Y axis " +
                                          std::to_string(y.AxisMap) + ", which does not exist");
    }
    // A stamp that is not finite would drag the time axis to infinity.
    if (!std::isfinite(time)) return {};
    CPlotVar& stamps = *XVars.front();
    const TimeSlot at = stamps.FindOrAppendTime(time, true);
    if (!at.found) return {};
    if (time < 0 && at.appended) {
        // A repeated stamp is a gap in every line but the one given.
        for (auto& v : YVars) {
            if (at.slot < v->Capacity()) v->Values[at.slot] = kMissingValue;
        }
    }
    if (CPlotAxis* x = AxisByNumber(0)) x->TrackValue(stamps.Values[at.slot], false);
    const bool first = at.slot == 0 && !y.Wrapped;
    if (!y.SetValue(at.slot, value)) return {};
    if (y.AxisMap < 1) return {true, false};
    return Tracked(*AxisByNumber(y.AxisMap), y.Values[at.slot], first);
}

CPlotLook::SampleResult CPlotLook::Tracked(CPlotAxis& axis, double value, bool first) {
    const bool refit = axis.TrackValue(value, first);
    const bool offScale = !IsMissing(value) && (value < std::min(axis.RangeMin, axis.RangeMax) ||
                                                value > std::max(axis.RangeMin, axis.RangeMax));
    if (refit) RefitDirty = 1;
    return {true, refit, offScale};
}

bool CPlotLook::ScrollToNewest(Surface* dc) {
    if (!RunPlot || XVars.empty()) return false;
    const CPlotVar& stamps = *XVars.front();
    // Also skips the two steps around the moment the buffer wraps.
    if (stamps.WritePos <= 1 || stamps.WritePos > stamps.Capacity()) return false;
    const double t = stamps.Values[stamps.WritePos - 1];
    const CPlotAxis* x = AxisForRole(0);
    if (!x || IsMissing(t) || !(t > x->RangeMax)) return false;
    ScrollTimeAxis(dc, t);
    return true;
}

void CPlotLook::ScrollTimeAxis(Surface* dc, double t) {
    CPlotAxisRgn* region = AxisRegionForRole(0);
    if (!region || !std::isfinite(t)) return;
    CPlotAxis& axis = *region->Axis;
    ControlProperties& p = Props();
    if (axis.ExtentMax > t && t < axis.DataMax && axis.DataMax > axis.RangeMax) {
        axis.ScrollRange(1, 1, ScrollContextFor(), 0, false);
    } else {
        const double step = UsableTimeStep(p.AlwaysShowFull ? axis.Interval : p.TimeScrollUnit, p.TimeWindow);
        const std::optional<double> end = NextWindowEnd(axis.ExtentMax, t, step);
        if (!end) return;
        axis.ExtentMax = *end;
        if (p.AlwaysShowFull) {
            // The window grows to keep everything in view.
            p.TimeWindow = static_cast<float>(axis.ExtentMax - axis.ExtentMin);
            p.TimeScrollUnit = static_cast<float>(step);
        }
        axis.ScrollRange(1, 1, ScrollContextFor(), 0, false);
    }
    // The window moves whether or not it can be shown now: a plot that was never painted has
    // no off-screen surface, and its first paint shows the new window.
    Surface* memory = dc && MemorySurface ? EnsureMemoryBitmap(*dc) : nullptr;
    if (!memory || !DrawingRgn) return;
    // A refit the samples asked for waits for the next whole paint: a scroll copies only the
    // drawing area and the time axis, so value axes fitted now would show curves on scales
    // their labels do not have yet. (Refitting here would also read every ring at every step.)
    const int refit = std::exchange(RefitDirty, 0);
    Draw(*memory, Rect{0, 0, Width, Height}, 1, 0);
    RefitDirty = refit;
    const Rect area = Env->ToDevice(DrawingRgn->Rect);
    dc->BitBlt({area.left, area.top}, {area.Width(), area.Height()}, *memory, {area.left, area.top});
    const Rect band = Env->ToDevice(region->Rect);
    const int left = std::max(0, band.left - kAxisBandOverhang);
    dc->BitBlt({left, band.top}, {Width - left, band.Height()}, *memory, {left, band.top});
}

void CPlotLook::ClearTimeData(int index) {
    if (!RunPlot) return;
    if (index < 0 || index >= DependentCount()) {
        throw AutomationError::InvalidArg("ClearTimeData: there is no dependent variable at position " +
                                          std::to_string(index));
    }
    YVars[static_cast<std::size_t>(index)]->ClearValues();
}

std::pair<double, double> CPlotLook::StampRange() const {
    const MinMax r = XVars.empty() ? MinMax{} : XVars.front()->GetMinMax();
    return r.valid ? std::pair{r.min, r.max} : std::pair{0.0, 0.0};
}

void CPlotLook::RemoveDataAnnotations() {
    // Annotations tied to data points lose their points. Text objects name annotations by
    // index: those bound to a removed annotation go, the later ones follow the shift.
    std::vector<int> removed;
    for (int i = 0; i < static_cast<int>(Annotations.size()); ++i) {
        const int a = Annotations[static_cast<std::size_t>(i)]->Attachment;
        if (a == CPlotAnnotation::kCurve || a == CPlotAnnotation::kDataPoint) removed.push_back(i);
    }
    if (removed.empty()) return;
    const auto shiftOf = [&](int index) {
        return static_cast<int>(std::lower_bound(removed.begin(), removed.end(), index) - removed.begin());
    };
    const auto isRemoved = [&](int index) { return std::binary_search(removed.begin(), removed.end(), index); };
    ForgetReferences();
    Objects.EraseIf([&](const std::unique_ptr<CPlotObj>& o) {
        return o->Kind == PlotObjKind::Text && isRemoved(o->AnnotationIndex);
    });
    for (auto& o : Objects) {
        o->SelectedAnnotation = nullptr;
        if (o->AnnotationIndex >= 0) o->AnnotationIndex -= shiftOf(o->AnnotationIndex);
    }
    for (auto it = removed.rbegin(); it != removed.rend(); ++it) {
        CPlotRegion* region = Annotations[static_cast<std::size_t>(*it)].get();
        std::erase(Regions, region);
        Annotations.erase(Annotations.begin() + *it);
    }
    Control->ContentDeleted();
}

void CPlotLook::RewindTimeData(double time) {
    // Rewinding to a time that is no time would empty every buffer.
    if (!std::isfinite(time) || XVars.empty()) return;
    CPlotVar& stamps = *XVars.front();
    if (PhasePlot && time == 0) {
        stamps.Truncate(0, true);
        for (auto& v : YVars) v->Truncate(0, true);
    }
    if (!RunPlot) return;
    const TimeSlot at = stamps.FindOrAppendTime(time, false);
    // The stamps' variable goes last: the others are cut by its layout.
    for (auto& v : YVars) v->Truncate(at.slot, !at.found, stamps);
    stamps.Truncate(at.slot, !at.found);
    RemoveDataAnnotations();
    if (CPlotAxis* x = AxisForRole(0)) {
        if (time < x->RangeMin) {
            x->RangeMin = time;
            x->RangeMax = x->ExtentMax = time + Props().TimeWindow;
            x->NeedsRescale = 1;
        }
        std::tie(x->DataMin, x->DataMax) = StampRange();
    }
}

float CPlotLook::SetTimeWindow(float width) {
    if (!std::isfinite(width) || !(width > 0)) return 0;
    ControlProperties& p = Props();
    p.TimeWindow = width;
    if (width < p.TimeScrollUnit) p.TimeScrollUnit = 0.2f * width;
    return p.TimeScrollUnit;
}

void CPlotLook::ResetTimeAxis() {
    CPlotAxis* x = AxisForRole(0);
    if (!x) return;
    const double window = Props().TimeWindow;
    double lo = x->RangeMin;
    double hi = x->RangeMax;
    if (lo != 0) lo = std::max(0.0, hi - window);
    hi = lo + window;
    x->ExtentMin = x->RangeMin = lo;
    x->ExtentMax = x->RangeMax = hi;
    std::tie(x->DataMin, x->DataMax) = StampRange();
    x->NeedsRescale = 1;
}

// ---- phase plots ----

CPlotLook::SampleResult CPlotLook::AddPhaseData(int var, double value) {
    if (var < 0 || var > DependentCount() || (var == 0 && XVars.empty())) {
        throw AutomationError::InvalidArg("AddPhaseData: there is no variable " + std::to_string(var));
    }
    CPlotVar& v = var == 0 ? *XVars.front() : *YVars[static_cast<std::size_t>(var - 1)];
    if (!v.Push(value)) return {};
    const double stored = v.Values[*v.NewestSlot()];
    CPlotAxis* axis = var == 0 ? AxisByNumber(0) : v.AxisMap >= 1 ? AxisByNumber(v.AxisMap) : nullptr;
    return axis ? Tracked(*axis, stored, false) : SampleResult{true, false};
}

// ---- bulk load ----

bool CPlotLook::LoadTimeColumns(const std::vector<std::vector<double>>& columns) {
    if (!IsTimePlot() || columns.empty() || XVars.empty()) return false;
    const std::size_t used = std::min<std::size_t>(columns.size(), YVars.size() + 1);
    // The Y axes that follow their data start a new range from these columns.
    std::vector<MinMax> ranges(YAxisRgns.size());
    for (std::size_t c = 0; c < used; ++c) {
        CPlotVar& v = c == 0 ? *XVars.front() : *YVars[c - 1];
        // Rows go in as live samples would: more rows than slots leave the newest ones.
        v.Truncate(0, true);
        for (const double value : columns[c]) v.Push(value);
        const int map = c == 0 ? 0 : v.AxisMap;
        if (map < 1 || map > YAxisCount() || !AxisByNumber(map)->ResetRange) continue;
        const MinMax r = v.GetMinMax();
        if (!r.valid) continue;
        MinMax& range = ranges[static_cast<std::size_t>(map - 1)];
        range = range.valid ? MinMax{true, std::min(range.min, r.min), std::max(range.max, r.max)} : r;
    }
    for (std::size_t k = 0; k < ranges.size(); ++k) {
        if (!ranges[k].valid) continue;
        YAxisRgns[k]->Axis->SetDataExtent(ranges[k].min, ranges[k].max, false);
    }
    CPlotAxis* x = AxisByNumber(0);
    if (!x) return false;
    std::tie(x->DataMin, x->DataMax) = StampRange();
    LayoutDirty = 1;
    if (PhasePlot || !x->TimeAxis) {
        x->NeedsRescale = 1;
        return false;
    }
    const ControlProperties& p = Props();
    const std::optional<double> end =
        NextWindowEnd(x->RangeMax, x->DataMax, UsableTimeStep(p.TimeScrollUnit, p.TimeWindow));
    if (!end) return false;
    x->ExtentMax = std::max(x->ExtentMax, *end);
    x->ScrollRange(1, 1, ScrollContextFor(), 0, true);
    return true;
}

// ---- scrolling ----

void CPlotLook::Scroll(bool side, int kind, int position) {
    // A triangle's side axes scroll together, kept inside the triangle; plain axes only here.
    if (Triangular) return;
    const ScrollContext ctx = ScrollContextFor();
    if (side) {
        if (CPlotAxis* x = AxisForRole(0)) x->ScrollRange(kind, position, ctx, 0, true);
    } else {
        // The vertical scroll bar runs downwards: back and forward change places.
        static constexpr int kMirrored[] = {1, 0, 3, 2};
        const int mirrored = kind >= 0 && kind <= 3 ? kMirrored[kind] : kind;
        CPlotAxisRgn* first = AxisRegionForRole(1);
        if (first) first->Axis->ScrollRange(mirrored, position, ctx, 1, true);
        for (auto& region : YAxisRgns) {
            if (region.get() != first) region->Axis->ScrollRange(mirrored, position, ctx, 1, true);
        }
    }
    if (DrawingRgn) DrawingRgn->BandActive = 0;
    AxesDirty = 1;
}

}  // namespace vtg
