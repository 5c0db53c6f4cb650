// Streaming live data: one AddTimeData call per variable and time step through the control, as
// a simulation feeds a run plot, once the rings have wrapped. The cost per sample must not grow
// with the ring's size.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>

#include "control/CVortigaCtrl.h"
#include "platform/Automation.h"
#include "platform/HeadlessSite.h"
#include "plot/CPlotLook.h"

namespace {

constexpr int kVariables = 10;

std::unique_ptr<vtg::CVortigaCtrl> MakeRunPlot(std::int32_t slots) {
    auto ctrl = std::make_unique<vtg::CVortigaCtrl>();
    ctrl->ResetState();
    ctrl->OnSize(1600, 1000);
    vtg::PutProperty(*ctrl, "nvariables", vtg::Variant(std::int16_t{kVariables}));
    vtg::PutProperty(*ctrl, "BufferSize", vtg::Variant(slots));
    vtg::PutProperty(*ctrl, "RunPlot", vtg::Variant(true));
    vtg::PutProperty(*ctrl, "TimeWindow", vtg::Variant(100.0f));
    return ctrl;
}

// A simulation's time steps: one sample per variable each.
struct Feed {
    vtg::CVortigaCtrl& ctrl;
    double t = 0;
    void Step() {
        t += 0.01;
        for (std::int16_t v = 1; v <= kVariables; ++v) ctrl.AddTimeData(v, t, std::sin(t * v));
    }
};

// Items are samples (one variable at one time step).
void BM_AddTimeData(benchmark::State& state) {
    const auto slots = static_cast<std::int32_t>(state.range(0));
    auto ctrl = MakeRunPlot(slots);
    Feed feed{*ctrl};
    for (std::int32_t i = 0; i < slots + 10; ++i) feed.Step();
    for (auto _ : state) feed.Step();
    state.SetItemsProcessed(state.iterations() * kVariables);
}
BENCHMARK(BM_AddTimeData)->Arg(2000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The same ring after a time step arrived late: until the ring has turned over once more the
// stamps do not rise throughout and each lookup searches the ring; then the in-order path
// returns. Over a long run the average is the in-order cost.
void BM_AddTimeDataAfterLateStep(benchmark::State& state) {
    const auto slots = static_cast<std::int32_t>(state.range(0));
    auto ctrl = MakeRunPlot(slots);
    Feed feed{*ctrl};
    for (std::int32_t i = 0; i < slots / 2; ++i) feed.Step();
    ctrl->AddTimeData(1, feed.t - 0.005, 0);
    for (auto _ : state) feed.Step();
    state.SetItemsProcessed(state.iterations() * kVariables);
}
BENCHMARK(BM_AddTimeDataAfterLateStep)->Arg(2000)->Unit(benchmark::kMicrosecond);

// A host that streams and lets its window paint every 100 time steps: the paint refits the
// value axes to the rings' data (the refit's cost is in here) and redraws the whole plot at
// 1600 x 1000. Items are samples.
void BM_StreamWithPaintEvery100Steps(benchmark::State& state) {
    const auto slots = static_cast<std::int32_t>(state.range(0));
    vtg::HeadlessSite site(1600, 1000);
    auto ctrl = MakeRunPlot(slots);
    ctrl->SetSite(&site);
    Feed feed{*ctrl};
    for (std::int32_t i = 0; i < slots + 10; ++i) feed.Step();
    site.Invalidate();
    site.Paint();
    int step = 0;
    for (auto _ : state) {
        feed.Step();
        if (++step % 100 != 0) continue;
        site.Invalidate();
        site.Paint();
        site.ClearInvalidations();
    }
    state.SetItemsProcessed(state.iterations() * kVariables);
    ctrl.reset();
}
BENCHMARK(BM_StreamWithPaintEvery100Steps)->Arg(2000)->Unit(benchmark::kMicrosecond);

}  // namespace
