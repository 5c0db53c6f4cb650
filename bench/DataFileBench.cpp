// Reading a plot data file of 10 variables (1 independent, 9 dependent) x 30000 points: the
// parse alone on the bytes, and the whole load into a control (parse, rollback image, rebuild).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "control/CVortigaCtrl.h"
#include "persist/PlotDataFile.h"

namespace {

constexpr int kPoints = 30000;
constexpr int kDependents = 9;

std::string MakeDataFile() {
    std::string text = "title:Bench\nindeplab:Time\nnumpoints:" + std::to_string(kPoints) +
                       "\nnumindep:1\nnumdep:" + std::to_string(kDependents) + "\n";
    for (int d = 0; d < kDependents; ++d) {
        text += "depvarno:" + std::to_string(d) + "\ndeplab:Variable " + std::to_string(d + 1) + "\n";
    }
    text += "values:\n";
    char number[32];
    for (int v = 0; v <= kDependents; ++v) {
        for (int j = 0; j < kPoints; ++j) {
            const double value = v == 0 ? j * 0.01 : std::sin(j * 0.001 * v) * 100.0 + v;
            std::snprintf(number, sizeof number, "%.6g", value);
            text += number;
            text += (j % 10 == 9) ? '\n' : ' ';
        }
    }
    return text;
}

void BM_ParseDataFile(benchmark::State& state) {
    const std::string text = MakeDataFile();
    for (auto _ : state) {
        vtg::DataFileParse parsed = vtg::ParsePlotDataFile(text);
        benchmark::DoNotOptimize(parsed.file.values.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
    state.counters["values"] = static_cast<double>(kPoints) * (kDependents + 1);
}
BENCHMARK(BM_ParseDataFile)->Unit(benchmark::kMillisecond);

void BM_LoadDataFile(benchmark::State& state) {
    const std::string text = MakeDataFile();
    auto ctrl = std::make_unique<vtg::CVortigaCtrl>();
    ctrl->ResetState();
    ctrl->OnSize(1600, 1000);
    for (auto _ : state) ctrl->LoadPlotDataFile(text, "bench.dat");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_LoadDataFile)->Unit(benchmark::kMillisecond);

}  // namespace
