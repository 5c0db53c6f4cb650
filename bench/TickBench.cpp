// Cost of the number formatter (called for every tracker move) and of drawing one axis's
// ticks and labels onto a recording surface.
#include <benchmark/benchmark.h>

#include "axes/CPlotAxis.h"
#include "axes/FormatNumber.h"
#include "platform/RecordingSurface.h"
#include "regions/CPlotEnv.h"
#include "regions/CDrawTool.h"
#include "regions/CPlotAxisRgn.h"

namespace {

void BM_FormatNumber(benchmark::State& state) {
    const double values[] = {0.125, 3.14159265, 1234.5678, 999999.6, 1.5e-7, 2.5e12};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vtg::FormatNumber(values[i++ % 6], 6, true, true));
    }
}
BENCHMARK(BM_FormatNumber);

// Span 1000 with interval 1: the doubling, 32 ticks, thinning and label measuring each time.
void BM_DrawTicks(benchmark::State& state) {
    vtg::CDrawTool tool;
    vtg::CPlotEnv env;
    env.Tools = &tool;
    env.SetView({50, 20, 650, 420}, 0, 1, 1000, 0);
    vtg::RecordingSurface dc;
    vtg::CPlotAxis axis;
    axis.RangeMax = 1000;
    axis.NeedsRescale = 0;
    for (auto _ : state) {
        axis.Interval = 1;
        dc.Clear();
        vtg::DrawAxisTicks(dc, axis, env, nullptr, 440, 421, false, false);
    }
}
BENCHMARK(BM_DrawTicks);

}  // namespace
