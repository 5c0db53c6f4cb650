// Cost of choosing an axis range: the nice-range chooser alone and a whole AutoScale.
#include <benchmark/benchmark.h>

#include "axes/CPlotAxis.h"
#include "axes/ScaleMath.h"

namespace {

void BM_PLsetstm(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    double lo = -3.7;
    for (auto _ : state) {
        benchmark::DoNotOptimize(lo);
        benchmark::DoNotOptimize(vtg::PLsetstm(mode, lo, 1234.5, 12.8, 0.5));
    }
}
BENCHMARK(BM_PLsetstm)->Arg(0)->Arg(1)->Arg(2);

// One rescale per iteration: every call finds NeedsRescale set, as after a range change.
void BM_AutoScale(benchmark::State& state) {
    vtg::CPlotAxis axis;
    axis.Scale = static_cast<int>(state.range(0));
    vtg::ScaleContext ctx;
    ctx.axisLength = 480;
    for (auto _ : state) {
        axis.RangeMin = 0.37;
        axis.RangeMax = 8123.0;
        axis.NeedsRescale = 1;
        axis.AutoScale(ctx);
        benchmark::DoNotOptimize(axis.RangeMax);
    }
}
BENCHMARK(BM_AutoScale)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Arg(4);

}  // namespace

