// Drawing a large series on the image surface: 1000 polylines of 1000 points each (10^6
// points, the way the plot hands a big series over), with a thin and a 3-pixel pen, smoothing
// off and on.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "platform/ImageSurface.h"

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;
constexpr int kLines = 1000;
constexpr int kPoints = 1000;

// Noisy waves spread over the picture, so that segments run in every direction.
std::vector<std::vector<vtg::Point>> MakeSeries() {
    std::vector<std::vector<vtg::Point>> lines(kLines);
    unsigned seed = 12345;
    for (int l = 0; l < kLines; ++l) {
        auto& pts = lines[static_cast<std::size_t>(l)];
        pts.reserve(kPoints);
        for (int i = 0; i < kPoints; ++i) {
            seed = seed * 1103515245u + 12345u;
            const double noise = static_cast<double>((seed >> 16) % 41) - 20.0;
            const double y = kHeight / 2.0 + 0.4 * kHeight * std::sin(i * 0.02 + l * 0.37) + noise;
            pts.push_back(vtg::Point{i * kWidth / kPoints, static_cast<int>(y)});
        }
    }
    return lines;
}

void BM_SurfacePolylines(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const bool smooth = state.range(1) != 0;
    const auto lines = MakeSeries();
    vtg::ImageSurface surface(kWidth, kHeight);
    vtg::Pen pen;
    pen.color = vtg::Rgb(0, 0, 255);
    pen.width = width;
    surface.SelectPen(pen);
    surface.SetSmoothing(smooth);
    surface.SelectClipRect({10, 10, kWidth - 10, kHeight - 10});
    for (auto _ : state) {
        for (const auto& pts : lines) surface.Polyline(pts);
        // Reading a pixel completes the drawing, as the window's repaint does.
        benchmark::DoNotOptimize(surface.GetPixel(0, 0));
    }
    state.SetItemsProcessed(state.iterations() * kLines * kPoints);
}

BENCHMARK(BM_SurfacePolylines)
    ->ArgNames({"width", "smooth"})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({3, 0})
    ->Args({3, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
