// The benchmark runner; the run's files go away with it.
#include <benchmark/benchmark.h>

#include "BenchSupport.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    zor::bench::benchFolder();  // made before the first benchmark, removed after the last
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
