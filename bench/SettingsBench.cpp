// The settings text of a large plot: 100 variables on four Y axes with legends, 50 annotations
// and a few symbols. GetSettings writes it; SetSettings reads it back into the same control
// (which includes taking the control's stream image for a rollback and clearing its data).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "control/CVortigaCtrl.h"
#include "platform/Automation.h"

namespace {

constexpr int kVariables = 100;
constexpr int kAnnotations = 50;
constexpr int kPoints = 50;

std::unique_ptr<vtg::CVortigaCtrl> MakeLargePlot() {
    auto ctrl = std::make_unique<vtg::CVortigaCtrl>();
    ctrl->ResetState();
    ctrl->OnSize(1600, 1000);
    vtg::PutProperty(*ctrl, "nvariables", vtg::Variant(std::int16_t{kVariables}));
    vtg::PutProperty(*ctrl, "npoints", vtg::Variant(std::int16_t{kPoints}));
    for (std::int16_t v = 0; v < kVariables; ++v) {
        ctrl->SetAxisMap(v, static_cast<std::int16_t>(v % 4 + 1));
        ctrl->SetLegend(static_cast<std::int16_t>(v + 1), "Variable " + std::to_string(v + 1));
        for (std::int16_t i = 0; i < kPoints; ++i) ctrl->SetData(static_cast<std::int16_t>(v + 1), i, v * 0.5 + i);
    }
    ctrl->SetAxisMap(-1, 0);
    for (int a = 0; a < kAnnotations; ++a) {
        ctrl->AddText("Annotation " + std::to_string(a), 0.01f * static_cast<float>(a), 0.5f, 2, 0, "Arial", 10, 0);
    }
    ctrl->SetSymbol("UNIT", "kg/s");
    return ctrl;
}

void BM_GetSettings(benchmark::State& state) {
    auto ctrl = MakeLargePlot();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = ctrl->GetSettings();
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_GetSettings)->Unit(benchmark::kMicrosecond);

void BM_SetSettings(benchmark::State& state) {
    auto ctrl = MakeLargePlot();
    const std::string text = ctrl->GetSettings();
    for (auto _ : state) ctrl->SetSettings(text);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SetSettings)->Unit(benchmark::kMicrosecond);

}  // namespace
