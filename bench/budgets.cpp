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
    }
}

bool SummaryReporter::PrintSummary(std::ostream& out) const {
    bool kept = failed_.empty();
    out << "\nHot paths: median real time (and CPU time) of one iteration, per action, against "
           "its limit and its baseline\n";
    out << Padded("benchmark", 36) << Padded("median", 13) << Padded("cpu", 13)
        << Padded("per action", 13) << Padded("limit", 11) << Padded("of limit", 10)
        << "baseline\n";
    for (const std::string& name : order_) {
        const double median = medianMicros_.at(name);
        out << Padded(name, 36) << Padded(Micros(median), 13)
            << Padded(Micros(cpuMicros_.at(name)), 13);
        auto budget = Budgets().find(name);
        if (budget == Budgets().end()) {
            out << "\n";
            continue;
        }
        const Budget& limit = budget->second;
        const double perAction = median / limit.actions;
        const double share = perAction / limit.limitMicros;
        std::string baseline = "-";
        auto base = medianMicros_.find(limit.baseline);
        if (base != medianMicros_.end()) {
            baseline = Ratio(median / base->second) + " x " + limit.baseline;
        }
        const bool within = share <= 1.0;
        kept = kept && within;
        out << Padded(limit.actions > 1 ? Micros(perAction) : "", 13)
            << Padded(Micros(limit.limitMicros), 11)
            << Padded(Ratio(share) + (within ? "" : " !"), 10) << baseline << "\n";
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
    out << (kept ? "Every hot path is within its limit.\n"
                 : "Some hot path misses its limit or failed (marked above).\n");
    return kept;
}

}  // namespace kalverin::bench
