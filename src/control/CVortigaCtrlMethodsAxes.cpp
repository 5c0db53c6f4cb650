// Automation methods: scale types, ranges, the variable-to-axis map, multipliers and the
// per-axis modes. Axis 0 is the X axis, 1..GetNYaxes() the Y axes.
#include <algorithm>
#include <cmath>
#include <tuple>

#include "control/CVortigaCtrl.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotLookAutomation.h"
#include "regions/CPlotAxisRgn.h"
#include "regions/CPlotRegion.h"

namespace vtg {

namespace {

// SetAxisRangeR leaves a range alone that differs from the requested one by less than this.
constexpr double kSameRange = 1e-20;

std::pair<double, double> Ordered(double a, double b) { return {std::min(a, b), std::max(a, b)}; }

// Axis `axis` of the plot, or an invalid-argument error naming the method.
CPlotAxis& RequireAxis(const CPlotLook& plot, int axis, const char* method) {
    if (CPlotAxis* a = plot.AxisByNumber(axis)) return *a;
    throw AutomationError::InvalidArg(std::string(method) + ": the plot has no axis " + std::to_string(axis) +
                                          " (axes are 0 for X and 1.." + std::to_string(plot.YAxisCount()) +
                                          " for Y)",
                                      0);
}

}  // namespace

// ---- scale types ----

void CVortigaCtrl::SetScale(std::int16_t VarNo, std::int16_t Scale) {
    CPlotLook& plot = Plot();
    // With several Y axes a positive number names the axis itself.
    CPlotAxis* axis = plot.YAxisCount() >= 2 && VarNo >= 1 ? &RequireAxis(plot, VarNo, "SetScale")
                                                            : AxisOfVariable(plot, VarNo);
    CancelEditing();
    if (!axis) return;
    axis->SetScale(Scale);
    plot.Recalculate();
    LookDirty();
    ModifiedTail();
    InvalidateUnlessLoading();
}

std::int16_t CVortigaCtrl::GetScale(std::int16_t VarNo) {
    const CPlotAxis* axis = AxisOfVariable(Plot(), VarNo);
    return axis ? static_cast<std::int16_t>(axis->Scale) : std::int16_t{0};
}

void CVortigaCtrl::SetAxisScale(std::int16_t VarNo, std::int16_t Scale) {
    // Despite its name, VarNo is an axis number here.
    CPlotLook& plot = Plot();
    CPlotAxis& axis = RequireAxis(plot, VarNo, "SetAxisScale");
    CancelEditing();
    axis.SetScale(Scale);
    plot.Recalculate();
    LookDirty();
    ModifiedTail();
    // The host's Modified handler may have cleared or rebuilt the plot.
    const CPlotLook& now = Plot();
    pendingSelectedId = now.Selection ? now.Selection->Kind : 0;
    InvalidateControl();
}

// ---- ranges ----

void CVortigaCtrl::SetRange(std::int16_t VarNo, double LowValue, double HighValue) {
    CancelEditing();
    if (LowValue == HighValue) return;
    const auto [low, high] = Ordered(LowValue, HighValue);
    Plot().SetRange(VarNo, low, high);
    InvalidateUnlessLoading();
}

void CVortigaCtrl::GetRange(std::int16_t VarNo, double& LowValue, double& HighValue) {
    // The range of the data drawn against the axis, as the settings text writes it.
    if (const CPlotAxis* axis = Plot().AxisByNumber(VarNo)) {
        LowValue = axis->DataMin;
        HighValue = axis->DataMax;
    }
}

void CVortigaCtrl::SetAxisRange(std::int16_t AxisNo, double LowValue, double HighValue) {
    CPlotLook& plot = Plot();
    if (!plot.AxisByNumber(AxisNo)) return;
    const auto [low, high] = Ordered(LowValue, HighValue);
    plot.SetAxisRange(AxisNo, low, high);
    CancelEditing();
    ModifiedTail();
    InvalidateUnlessLoading();
}

void CVortigaCtrl::GetAxisRange(std::int16_t AxisNo, double& LowValue, double& HighValue) {
    if (const CPlotAxis* axis = Plot().AxisByNumber(AxisNo)) {
        std::tie(LowValue, HighValue) = Ordered(axis->RangeMin, axis->RangeMax);
    }
}

void CVortigaCtrl::SetAxisRangeR(std::int16_t AxisNo, double LowValue, double HighValue, std::int16_t iRibon) {
    const CPlotAxis* axis = Plot().AxisByNumber(AxisNo);
    if (!axis) return;
    const auto [low, high] = Ordered(axis->RangeMin, axis->RangeMax);
    if (std::fabs(LowValue - low) < kSameRange && std::fabs(HighValue - high) < kSameRange) return;
    SetAxisRange(AxisNo, LowValue, HighValue);
    // The next paint tells the host which ribbon moved the range.
    if (iRibon == 1) pendingSelectedId = -111;
    if (iRibon == 2) pendingSelectedId = -222;
}

bool CVortigaCtrl::GetAxisHighLows(std::int16_t iAxis, double& dVarLow, double& dVarHigh, double& dAxisLow,
                                   double& dAxisHigh, double& dLow, double& dHigh) {
    const CPlotAxis* axis = Plot().AxisByNumber(iAxis);
    if (!axis) return false;
    dVarLow = axis->DataMin;
    dVarHigh = axis->DataMax;
    dAxisLow = axis->ExtentMin;
    dAxisHigh = axis->ExtentMax;
    dLow = axis->RangeMin;
    dHigh = axis->RangeMax;
    return true;
}

void CVortigaCtrl::GetSetAxisRefit(std::int16_t iAxis) { RefitAxis(Plot(), iAxis); }

// ---- the axis map ----

void CVortigaCtrl::SetAxisMap(std::int16_t VarNo, std::int16_t AxisNo) {
    CPlotLook& plot = Plot();
    if (plot.Flipped) return;
    CancelEditing();
    if (VarNo >= 0) {
        // Only recorded; a call with a negative VarNo applies the map.
        plot.SetAxisMap(VarNo, AxisNo);
        return;
    }
    ApplyAxisMap();
    RelayoutLegend();
    ModifiedTail();
    InvalidateControl();
}

std::int16_t CVortigaCtrl::GetAxisMap(std::int16_t VarNo) { return static_cast<std::int16_t>(Plot().GetAxisMap(VarNo)); }

std::int16_t CVortigaCtrl::GetNYaxes() { return static_cast<std::int16_t>(Plot().YAxisCount()); }

// ---- multipliers ----

void CVortigaCtrl::SetMultiplier(std::int16_t AxisNo, std::int16_t Multiplier) {
    CPlotAxis* axis = Plot().AxisByNumber(AxisNo);
    if (!axis || axis->Multiplier == Multiplier) return;
    axis->Multiplier = Multiplier;
    RelayoutLegend();
    InvalidateControl();
}

std::int16_t CVortigaCtrl::GetMultiplier(std::int16_t AxisNo) {
    const CPlotAxis* axis = Plot().AxisByNumber(AxisNo);
    return axis ? static_cast<std::int16_t>(axis->Multiplier) : std::int16_t{0};
}

void CVortigaCtrl::SetMultiplierType(std::int16_t AxisNo, std::int16_t MultiplierType) {
    CPlotAxis* axis = Plot().AxisByNumber(AxisNo);
    if (!axis || axis->MultiplierType == MultiplierType) return;
    axis->MultiplierType = MultiplierType;
    RelayoutLegend();
    InvalidateControl();
}

std::int16_t CVortigaCtrl::GetMultiplierType(std::int16_t AxisNo) {
    const CPlotAxis* axis = Plot().AxisByNumber(AxisNo);
    return axis ? static_cast<std::int16_t>(axis->MultiplierType) : std::int16_t{0};
}

// ---- modes ----

void CVortigaCtrl::SetAxisMode(std::int16_t AxisNo, std::int16_t index, std::int16_t mode) {
    if (CPlotAxisRgn* region = AxisRegionByNumber(Plot(), AxisNo)) region->SetAxisMode(index, mode);
}

void CVortigaCtrl::GetAxisMode(std::int16_t AxisNo, std::int16_t index, std::int16_t& mode) {
    const CPlotAxisRgn* region = AxisRegionByNumber(Plot(), AxisNo);
    if (const auto value = region ? region->GetAxisMode(index) : std::nullopt) mode = static_cast<std::int16_t>(*value);
}

void CVortigaCtrl::SetTieLine(std::int16_t, std::int16_t) {}

}  // namespace vtg
