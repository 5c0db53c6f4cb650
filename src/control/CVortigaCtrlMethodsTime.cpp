// Automation methods: live data for run and phase plots, and scrolling the view.
#include <algorithm>
#include <vector>

#include "control/CVortigaCtrl.h"
#include "plot/CPlotLook.h"

namespace vtg {

namespace {

// The dependent values a phase sample carries: the elements of an array of numbers in storage
// order, or a single number (also one passed by reference) for the first variable.
std::vector<double> PhaseValues(const Variant& data) {
    const Variant& v = data.Deref();
    if (v.IsEmpty()) return {};
    if (!HasFlag(v.Type(), VarType::Array)) return {v.ToR8()};
    const SafeArray2D a = v.ToArray();
    std::vector<double> out;
    out.reserve(a.Size());
    if (a.Dims() == 1) {
        for (std::int64_t i = a.LowerBound(1); i <= a.UpperBound(1); ++i) out.push_back(a.At(i));
        return out;
    }
    for (std::int64_t i = a.LowerBound(1); i <= a.UpperBound(1); ++i) {
        for (std::int64_t j = a.LowerBound(2); j <= a.UpperBound(2); ++j) out.push_back(a.At(i, j));
    }
    return out;
}

}  // namespace

void CVortigaCtrl::Scroll(bool Horizontal, std::int16_t Type, std::int16_t Value) {
    CancelEditing();
    CPlotLook& plot = Plot();
    plot.Scroll(Horizontal, Type, Value);
    SetModified();
    if (plot.MemorySurface && site_) {
        WindowDraw window(*site_);
        plot.DrawFromMemory(window.dc());
    } else {
        InvalidateControl();
    }
}

void CVortigaCtrl::AddTimeData(std::int16_t VarNo, double Time, double Value) {
    // The plot may hold fewer variables than nvariables says; neither may be overrun.
    CPlotLook& plot = Plot();
    const int n = std::min(AddressableVariables(), plot.DependentCount());
    if (VarNo <= 0 || VarNo > n) return;
    const CPlotLook::SampleResult sample = plot.AddTimeData(VarNo, Time, Value);
    NoteSample(sample.refit, sample.offScale);
    if (!WithWindowSurface([&plot](Surface* dc) { return plot.ScrollToNewest(dc); })) return;
    // The next paint must not fit the time axis back over all the data.
    plot.KeepXScale = 1;
    UpdateScrollBars(true);
    zoomed = true;
}

void CVortigaCtrl::RewindTimeData(double starttime) {
    Plot().RewindTimeData(starttime);
    InvalidateControl();
    if (zoomed) UpdateScrollBars(true);
}

void CVortigaCtrl::ClearTimeData(std::int16_t VarNo) {
    Plot().ClearTimeData(VarNo);
    InvalidateControl();
}

void CVortigaCtrl::CopyToBuffer(const Variant& Data) {
    CPlotLook& plot = Plot();
    const Variant& v = Data.Deref();
    if (!plot.IsTimePlot() || !HasFlag(v.Type(), VarType::Array)) return;
    const SafeArray2D a = v.ToArray();
    if (a.Dims() != 2) return;
    // Columns are numbered from the array's own lower bound: the first is the time.
    std::vector<std::vector<double>> columns;
    const std::int64_t wanted = std::min<std::int64_t>(a.Count(2), plot.DependentCount() + 1);
    for (std::int64_t c = 0; c < wanted; ++c) {
        std::vector<double>& column = columns.emplace_back();
        column.reserve(a.Count(1));
        for (std::int64_t i = a.LowerBound(1); i <= a.UpperBound(1); ++i) column.push_back(a.At(i, a.LowerBound(2) + c));
    }
    plot.HostBufferChanged = 1;
    if (plot.LoadTimeColumns(columns)) {
        UpdateScrollBars(true);
        zoomed = true;
    }
    // Zoomed went out above: its handler may have cleared or rebuilt the plot.
    Plot().Recalculate();
    InvalidateControl();
}

std::int32_t CVortigaCtrl::AddPhaseData(float x_data, const Variant& py_data) {
    CPlotLook& plot = Plot();
    const std::vector<double> values = PhaseValues(py_data);
    const auto add = [&](int var, double value) {
        const CPlotLook::SampleResult sample = plot.AddPhaseData(var, value);
        NoteSample(sample.refit, sample.offScale);
    };
    add(0, x_data);
    const int n = std::min({AddressableVariables(), plot.DependentCount(), static_cast<int>(values.size())});
    for (int k = 1; k <= n; ++k) add(k, values[static_cast<std::size_t>(k - 1)]);
    return 0;
}

void CVortigaCtrl::NoteSample(bool refit, bool offScale) {
    // The plot keeps the refit a sample calls for until the next paint. A sample that its
    // axis cannot show yet asks for that paint; one paint is enough for any number of them.
    if (!refit || !offScale || refitPaintRequested) return;
    refitPaintRequested = true;
    InvalidateControl();
}

}  // namespace vtg
