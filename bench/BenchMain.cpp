// Benchmark entry point: runs headless with the application object drawing needs.
#include <benchmark/benchmark.h>

#include "platform/Application.h"

int main(int argc, char** argv) {
    vtg::PlatformApp app(argc, argv, vtg::AppMode::Headless);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
