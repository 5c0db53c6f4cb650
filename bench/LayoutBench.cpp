// One layout of a plot with three Y axes on an 800 x 600 window: every region measured (the
// legend's items and the axes' tick labels included) and every rectangle placed, with the
// legend off or listing 10 or 100 variables, on screen (scale 1) and on a page (scale 2.33,
// where tick labels and legend texts are measured in the scaled font as well).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "control/CVortigaCtrl.h"
#include "platform/Automation.h"
#include "platform/ImageSurface.h"
#include "regions/CPlotEnv.h"
#include "plot/CPlotLook.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

std::unique_ptr<vtg::CVortigaCtrl> MakePlot(int variables) {
    auto ctrl = std::make_unique<vtg::CVortigaCtrl>();
    ctrl->ResetState();
    ctrl->OnSize(kWidth, kHeight);
    const int count = variables > 0 ? variables : 3;
    vtg::PutProperty(*ctrl, "nvariables", vtg::Variant(static_cast<std::int16_t>(count)));
    vtg::CPlotLook& plot = ctrl->Plot();
    plot.SetAxisMap(1, 2);
    plot.SetAxisMap(2, 3);
    plot.SetPointCount(2);
    for (int v = 0; v <= count; ++v) {
        plot.SetData(v, 0, -0.0125 * v);
        plot.SetData(v, 1, 250.0 * v + 1);
    }
    for (int v = 1; v <= count; ++v) plot.SetLegend(v, "Stream " + std::to_string(v) + " [kg/h]");
    plot.Recalculate();
    if (variables > 0) plot.ToggleLegend(nullptr);
    return ctrl;
}

void BM_Layout(benchmark::State& state) {
    const int variables = static_cast<int>(state.range(0));
    const double scale = static_cast<double>(state.range(1)) / 100.0;
    const std::unique_ptr<vtg::CVortigaCtrl> ctrl = MakePlot(variables);
    vtg::CPlotLook& plot = ctrl->Plot();
    vtg::ImageSurface window(kWidth, kHeight, vtg::SurfaceKind::Window);
    const vtg::Rect all{0, 0, kWidth, kHeight};
    // The first paint fits and scales the axes.
    ctrl->OnDraw(window, all, all);
    ctrl->Environment().OutputScale = scale;
    plot.SetSize(static_cast<int>(kWidth * scale), static_cast<int>(kHeight * scale));
    for (auto _ : state) benchmark::DoNotOptimize(plot.Layout(window));
    ctrl->Environment().OutputScale = 1.0;
}

BENCHMARK(BM_Layout)
    ->ArgNames({"legend", "scale%"})
    ->Args({0, 100})
    ->Args({10, 100})
    ->Args({100, 100})
    ->Args({10, 233})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
