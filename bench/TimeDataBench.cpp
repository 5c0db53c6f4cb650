// Streaming live data: one AddTimeData call per variable and time step through the control, as
// a simulation feeds a run plot, once the rings have wrapped. The cost per sample must not grow
// with the ring's size.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>

#include "control/CVortigaCtrl.h"
#include "platform/Automation.h"
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

// Items are samples (one variable at one time step).
void BM_AddTimeData(benchmark::State& state) {
    const auto slots = static_cast<std::int32_t>(state.range(0));
    auto ctrl = MakeRunPlot(slots);
    double t = 0;
    auto step = [&] {
        t += 0.01;
        for (std::int16_t v = 1; v <= kVariables; ++v) ctrl->AddTimeData(v, t, std::sin(t * v));
    };
    for (std::int32_t i = 0; i < slots + 10; ++i) step();
    for (auto _ : state) step();
    state.SetItemsProcessed(state.iterations() * kVariables);
}
BENCHMARK(BM_AddTimeData)->Arg(2000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The same ring after a time step arrived late: until the ring has turned over once more the
// stamps do not rise throughout and each lookup searches the ring; then the in-order path
// returns. Over a long run the average is the in-order cost.
void BM_AddTimeDataAfterLateStep(benchmark::State& state) {
    const auto slots = static_cast<std::int32_t>(state.range(0));
    auto ctrl = MakeRunPlot(slots);
    double t = 0;
    auto step = [&] {
        t += 0.01;
        for (std::int16_t v = 1; v <= kVariables; ++v) ctrl->AddTimeData(v, t, std::sin(t * v));
    };
    for (std::int32_t i = 0; i < slots / 2; ++i) step();
    ctrl->AddTimeData(1, t - 0.005, 0);
    for (auto _ : state) step();
    state.SetItemsProcessed(state.iterations() * kVariables);
}
BENCHMARK(BM_AddTimeDataAfterLateStep)->Arg(2000)->Unit(benchmark::kMicrosecond);

}  // namespace
