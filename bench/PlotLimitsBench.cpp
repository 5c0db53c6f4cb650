// What hostile but legal host calls cost: defining many symbols, sending the points of a line
// while texts are tied to curves, asking for an object id once every id is taken, painting a
// title of megabytes, and dropping thousands of variables at once. None of these may grow
// with the square of the input.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "control/CVortigaCtrl.h"
#include "objects/CPlotAnnotation.h"
#include "platform/Automation.h"
#include "platform/ImageSurface.h"
#include "plot/CPlotLook.h"
#include "regions/CPlotLabelRgn.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
const vtg::Rect kAll{0, 0, kWidth, kHeight};

std::unique_ptr<vtg::CVortigaCtrl> MakeControl() {
    auto ctrl = std::make_unique<vtg::CVortigaCtrl>();
    ctrl->ResetState();
    ctrl->OnSize(kWidth, kHeight);
    return ctrl;
}

// Items are SetSymbol calls, each defining a new symbol.
void BM_SetSymbol(benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto ctrl = MakeControl();
        state.ResumeTiming();
        for (int i = 0; i < count; ++i) ctrl->SetSymbol("Symbol" + std::to_string(i), "value");
        state.PauseTiming();
        ctrl.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_SetSymbol)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Ten texts tied to the curve of one variable; then the host sends range(0) points of a line
// object and paints once. Items are points.
void BM_SetXYDataWithTiedTexts(benchmark::State& state) {
    const auto points = static_cast<std::int16_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto ctrl = MakeControl();
        vtg::CPlotLook& plot = ctrl->Plot();
        plot.SetPointCount(100);
        for (int i = 0; i < 100; ++i) {
            plot.SetData(0, i, i);
            plot.SetData(1, i, i % 7);
        }
        vtg::ImageSurface window(kWidth, kHeight, vtg::SurfaceKind::Window);
        ctrl->OnDraw(window, kAll, kAll);
        for (int k = 0; k < 10; ++k) {
            const int i = plot.AddTextAnnotation("note", 0.1f * static_cast<float>(k), 0.3f, 0, 0, "", 0, 0,
                                                 vtg::CPlotAnnotation::kFree, 2);
            plot.Annotations[static_cast<std::size_t>(i)]->RequestAttachment(vtg::CPlotAnnotation::kCurve);
        }
        ctrl->OnDraw(window, kAll, kAll);
        const int line = plot.CreateObject(0, 0);
        state.ResumeTiming();
        for (std::int16_t k = 0; k < points; ++k) ctrl->SetXYData(static_cast<std::int16_t>(line), k, k * 0.01, 3);
        ctrl->OnDraw(window, kAll, kAll);
        benchmark::DoNotOptimize(window.GetPixel(kWidth / 2, kHeight / 2));
        state.PauseTiming();
        ctrl.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * points);
}
BENCHMARK(BM_SetXYDataWithTiedTexts)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Every object id in use: how long the answer "none free" takes.
void BM_ObjectIdWhenAllAreTaken(benchmark::State& state) {
    auto ctrl = MakeControl();
    vtg::CPlotLook& plot = ctrl->Plot();
    constexpr int kPlain = 3;
    while (plot.CreateObject(kPlain, 0) != 0) {
    }
    for (auto _ : state) benchmark::DoNotOptimize(plot.CreateObject(kPlain, 0));
}
BENCHMARK(BM_ObjectIdWhenAllAreTaken)->Unit(benchmark::kMicrosecond);

// A full paint with a title of range(0) bytes on one line.
void BM_PaintLongTitle(benchmark::State& state) {
    auto ctrl = MakeControl();
    vtg::PutProperty(*ctrl, "Title", vtg::Variant(std::string(static_cast<std::size_t>(state.range(0)), 'T')));
    vtg::ImageSurface window(kWidth, kHeight, vtg::SurfaceKind::Window);
    ctrl->OnDraw(window, kAll, kAll);
    for (auto _ : state) {
        ctrl->Plot().LayoutDirty = 1;
        ctrl->OnDraw(window, kAll, kAll);
        benchmark::DoNotOptimize(window.GetPixel(kWidth / 2, kHeight / 2));
    }
}
BENCHMARK(BM_PaintLongTitle)->Arg(1000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// One variable, then range(0): items are the variables added.
void BM_AddVariables(benchmark::State& state) {
    const auto count = static_cast<std::int16_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto ctrl = MakeControl();
        state.ResumeTiming();
        vtg::PutProperty(*ctrl, "nvariables", vtg::Variant(count));
        state.PauseTiming();
        ctrl.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_AddVariables)->Arg(1000)->Arg(32000)->Unit(benchmark::kMillisecond);

// range(0) variables, then one: items are the variables removed.
void BM_DropVariables(benchmark::State& state) {
    const auto count = static_cast<std::int16_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto ctrl = MakeControl();
        vtg::PutProperty(*ctrl, "nvariables", vtg::Variant(count));
        state.ResumeTiming();
        vtg::PutProperty(*ctrl, "nvariables", vtg::Variant(std::int16_t{1}));
        state.PauseTiming();
        ctrl.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_DropVariables)->Arg(1000)->Arg(32000)->Unit(benchmark::kMillisecond);

}  // namespace
