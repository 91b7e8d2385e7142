#pragma once

// What each benchmark is held to, and the summary that compares the figures of one run with
// those limits and with each benchmark's baseline from the same run.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace kalverin::bench {

struct Budget {
    // The most one action may take, at the median, in microseconds.
    double limitMicros = 0;
    // The user actions one iteration performs; the limit holds for each of them on average.
    int actions = 1;
    // A benchmark of the same run that does the bare part of the work (reading or writing the
    // same bytes, say), or the same work on less data; empty when there is none.
    std::string baseline;
    // The most the median may be of the baseline's; 0 when the ratio is only shown.
    double baselineLimit = 0;
    // Whether the work must make no heap allocation (counted by the benchmark under
    // kAllocationsCounter).
    bool allocationFree = false;
};

// The counter under which a benchmark reports its heap allocations per iteration.
inline constexpr char kAllocationsCounter[] = "allocs";

// Registers the budget of the benchmark named `name`; gives true, for use in an initializer.
bool SetBudget(const std::string& name, Budget budget);

// Passes every run on to the console and keeps each benchmark's median real and CPU time (or its
// one time, without repetitions) for the summary.
class SummaryReporter final : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override;
    // Prints one line per benchmark: its median, the time per action, the limit and the share
    // of it used, and the ratio to its baseline. Gives whether every limit was kept.
    bool PrintSummary(std::ostream& out) const;

  private:
    std::map<std::string, double> medianMicros_;
    // On a loaded machine real time runs well ahead of the CPU time the work itself took.
    std::map<std::string, double> cpuMicros_;
    std::map<std::string, double> allocations_;
    std::vector<std::string> order_;
    std::vector<std::string> failed_;
};

}  // namespace kalverin::bench
