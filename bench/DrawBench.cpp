// A full redraw of a whole plot through the control onto a 1600 x 1000 window: 10 variables of
// 10^3, 10^5 or 10^6 noisy points each, lines of width 1 or 3, with or without markers (every
// n/200-th point, so about 200 markers per variable).
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>

#include "control/CVortigaCtrl.h"
#include "platform/Automation.h"
#include "platform/ImageSurface.h"
#include "plot/CPlotLook.h"
#include "plot/CPlotVar.h"
#include "regions/CurveMapper.h"
#include "regions/SeriesReducer.h"

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;
constexpr int kVariables = 10;
constexpr int kMarkersPerVariable = 200;

std::unique_ptr<vtg::CVortigaCtrl> MakePlot(int points, int width, bool markers) {
    auto ctrl = std::make_unique<vtg::CVortigaCtrl>();
    ctrl->ResetState();
    ctrl->OnSize(kWidth, kHeight);
    vtg::PutProperty(*ctrl, "nvariables", vtg::Variant(std::int16_t{kVariables}));
    vtg::PutProperty(*ctrl, "DisplayType", vtg::Variant(static_cast<std::int16_t>(markers ? 2 : 0)));
    vtg::PutProperty(*ctrl, "MarkerInterval",
                     vtg::Variant(static_cast<std::int16_t>(std::max(1, points / kMarkersPerVariable))));
    vtg::CPlotLook& plot = ctrl->Plot();
    plot.SetPointCount(points);
    unsigned seed = 12345;
    for (int i = 0; i < points; ++i) plot.SetData(0, i, i);
    for (int v = 1; v <= kVariables; ++v) {
        plot.YVar(v - 1)->PenWidth = width;
        for (int i = 0; i < points; ++i) {
            seed = seed * 1103515245u + 12345u;
            const double noise = (static_cast<double>((seed >> 16) % 1001) - 500.0) / 5000.0;
            plot.SetData(v, i, std::sin(i * 18.0 / points + v * 0.6) + v * 0.3 + noise);
        }
    }
    plot.Recalculate();
    return ctrl;
}

// The plot of the last arguments, kept while the benchmark library reruns a case to choose
// its number of iterations: building 10^7 values costs more than drawing them.
vtg::CVortigaCtrl& PlotFor(int points, int width, bool markers) {
    static std::unique_ptr<vtg::CVortigaCtrl> ctrl;
    static std::array<int, 3> key{};
    const std::array<int, 3> wanted{points, width, markers ? 1 : 0};
    if (!ctrl || key != wanted) {
        ctrl.reset();
        ctrl = MakePlot(points, width, markers);
        key = wanted;
    }
    return *ctrl;
}

void BM_FullRedraw(benchmark::State& state) {
    const int points = static_cast<int>(state.range(0));
    const int width = static_cast<int>(state.range(1));
    const bool markers = state.range(2) != 0;
    vtg::CVortigaCtrl* ctrl = &PlotFor(points, width, markers);
    vtg::ImageSurface window(kWidth, kHeight, vtg::SurfaceKind::Window);
    const vtg::Rect all{0, 0, kWidth, kHeight};
    // The first paint lays out, fits and scales; what follows is the redraw itself.
    ctrl->OnDraw(window, all, all);
    for (auto _ : state) {
        ctrl->OnDraw(window, all, all);
        // Reading a pixel completes the drawing, as showing the window does.
        benchmark::DoNotOptimize(window.GetPixel(kWidth / 2, kHeight / 2));
    }
    state.SetItemsProcessed(state.iterations() * points * kVariables);
}

BENCHMARK(BM_FullRedraw)
    ->ArgNames({"points", "width", "markers"})
    ->Args({1000, 1, 0})
    ->Args({1000, 3, 0})
    ->Args({1000, 3, 1})
    ->Args({100000, 1, 0})
    ->Args({100000, 3, 0})
    ->Args({100000, 3, 1})
    ->Args({1000000, 1, 0})
    ->Args({1000000, 3, 0})
    ->Args({1000000, 3, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// Mapping and reducing alone: one variable of 10^6 points into its point buffer.
void BM_MapCurve(benchmark::State& state) {
    auto ctrl = MakePlot(1000000, 3, false);
    vtg::CPlotLook& plot = ctrl->Plot();
    vtg::ImageSurface window(kWidth, kHeight, vtg::SurfaceKind::Window);
    const vtg::Rect all{0, 0, kWidth, kHeight};
    ctrl->OnDraw(window, all, all);
    vtg::CPlotVar& x = *plot.XVar(0);
    vtg::CPlotVar& y = *plot.YVar(0);
    const vtg::AxisMapping xm(*plot.AxisByNumber(0), plot.Environment().ViewX, 0);
    const vtg::AxisMapping ym(*plot.AxisByNumber(1), plot.Environment().ViewY, 0);
    const vtg::SlotWalk walk = vtg::IndexedWalk(x, y);
    const bool reduce = state.range(0) != 0;
    std::vector<vtg::Point> line;
    for (auto _ : state) {
        const vtg::MappedCurve c = vtg::MapCurve(x, y, xm, ym, walk, false, y.Marks, 0);
        benchmark::DoNotOptimize(c.count);
        if (reduce) {
            line.clear();
            vtg::AppendReduced({y.Marks.data(), c.count}, vtg::ReduceAxis::Columns, line);
            benchmark::DoNotOptimize(line.size());
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}

BENCHMARK(BM_MapCurve)->ArgNames({"reduce"})->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
