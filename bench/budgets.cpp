#include "budgets.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace kalverin::bench {
namespace {

std::map<std::string, Budget>& Budgets() {
    static std::map<std::string, Budget> budgets;
    return budgets;
}

std::string Micros(double micros) {
    char text[32];
    if (micros >= 1000) {
        std::snprintf(text, sizeof text, "%.3f ms", micros / 1000);
    } else {
        std::snprintf(text, sizeof text, "%.2f us", micros);
    }
    return text;
}

std::string Ratio(double ratio) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", ratio);
    return text;
}

// Allocations per iteration: whole when they are, else to a tenth.
std::string Allocations(double count) {
    char text[32];
    std::snprintf(text, sizeof text, count == static_cast<long long>(count) ? "%.0f" : "%.1f",
                  count);
    return text;
}

std::string Padded(std::string text, std::size_t width) {
    text.resize(std::max(width, text.size() + 1), ' ');
    return text;
}

}  // namespace

bool SetBudget(const std::string& name, Budget budget) {
    Budgets()[name] = std::move(budget);
    return true;
}

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        // The name without its iteration count or repetitions, as budgets are set under it.
        const std::string name = run.run_name.function_name;
        if (run.error_occurred) {
            failed_.push_back(name + ": " + run.error_message);
            continue;
        }
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (!median && !single) {
            continue;
        }
        if (!medianMicros_.count(name)) {
            order_.push_back(name);
        }
        const double toMicros = 1e6 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        medianMicros_[name] = run.GetAdjustedRealTime() * toMicros;
        cpuMicros_[name] = run.GetAdjustedCPUTime() * toMicros;
        auto allocations = run.counters.find(kAllocationsCounter);
        if (allocations != run.counters.end()) {
            allocations_[name] = allocations->second.value;
        }
    }
}

bool SummaryReporter::PrintSummary(std::ostream& out) const {
    bool kept = failed_.empty();
    out << "\nHot paths: median real time (and CPU time) of one iteration, per action, against "
           "its limit and its baseline; heap allocations per iteration\n";
    out << Padded("benchmark", 40) << Padded("median", 13) << Padded("cpu", 13)
        << Padded("per action", 13) << Padded("limit", 11) << Padded("of limit", 10)
        << Padded("allocs", 9) << "baseline\n";
    for (const std::string& name : order_) {
        const double median = medianMicros_.at(name);
        out << Padded(name, 40) << Padded(Micros(median), 13)
            << Padded(Micros(cpuMicros_.at(name)), 13);
        auto budget = Budgets().find(name);
        auto allocations = allocations_.find(name);
        const std::string allocated =
            allocations == allocations_.end() ? "" : Allocations(allocations->second);
        if (budget == Budgets().end()) {
            out << Padded("", 34) << allocated << "\n";
            continue;
        }
        const Budget& limit = budget->second;
        const double perAction = median / limit.actions;
        const double share = perAction / limit.limitMicros;
        bool within = share <= 1.0;
        bool allocationsKept = true;
        if (limit.allocationFree) {
            allocationsKept = allocations != allocations_.end() && allocations->second == 0;
        }
        std::string baseline = "-";
        auto base = medianMicros_.find(limit.baseline);
        if (base != medianMicros_.end()) {
            const double ratio = median / base->second;
            const bool ratioKept = limit.baselineLimit == 0 || ratio <= limit.baselineLimit;
            baseline = Ratio(ratio) + " x " + limit.baseline;
            if (limit.baselineLimit != 0) {
                baseline += " (limit " + Ratio(limit.baselineLimit) + ")" + (ratioKept ? "" : " !");
            }
            within = within && ratioKept;
        }
        kept = kept && within && allocationsKept;
        out << Padded(limit.actions > 1 ? Micros(perAction) : "", 13)
            << Padded(Micros(limit.limitMicros), 11)
            << Padded(Ratio(share) + (share <= 1.0 ? "" : " !"), 10)
            << Padded(allocated + (allocationsKept ? "" : " !"), 9) << baseline << "\n";
    }
    // Every budget is met by a figure when all benchmarks run; a name that matches none of
    // them would otherwise pass unnoticed.
    const std::string filter = benchmark::GetBenchmarkFilter();
    const bool allRan = filter.empty() || filter == "." || filter == "all";
    for (const auto& [name, budget] : Budgets()) {
        if (allRan && !medianMicros_.count(name)) {
            out << Padded(name, 36) << "no figure: the benchmark did not run\n";
            kept = false;
        }
    }
    for (const std::string& failure : failed_) {
        out << "FAILED " << failure << "\n";
    }
    out << (kept ? "Every hot path is within its limits.\n"
                 : "Some hot path misses a limit or failed (marked above with !).\n");
    return kept;
}

}  // namespace kalverin::bench
