// Runs the hot-path benchmarks, then prints each one's median against its limit and baseline.

#include <benchmark/benchmark.h>

#include <iostream>

#include "budgets.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    kalverin::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const bool kept = reporter.PrintSummary(std::cout);
    benchmark::Shutdown();
    return kept ? 0 : 2;
}
