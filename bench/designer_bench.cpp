// The main window's model: each single action on the full catalogue from the state where it
// costs most (twenty options installed), a whole design from frame to lowered levels, and each
// action on catalogues of 10 and of 150 modifications, whose cost should not depend on it.

#include <benchmark/benchmark.h>

#include <functional>
#include <optional>
#include <string>

#include "allocation_meter.h"
#include "budgets.h"
#include "catalogue/records.h"
#include "design_driver.h"

namespace kalverin::bench {
namespace {

constexpr double kActionLimitMicros = 50;

// How an iteration gets back to the state it starts from: by Undo, by an action of its own, or
// by a fresh copy of that state.
using Reset = std::function<void(MainWindowModel&)>;
const Reset kUndo = [](MainWindowModel& m) { m.Undo(); };
const Reset kSame = [](MainWindowModel&) {};  // the action leaves the state as it found it
const Reset kFreshCopy;

// Times `action` alone and counts the heap allocations it makes; then checks with `done` on the
// last state that it did what it should have, and that nothing was refused. Unless told to start
// each iteration on a fresh copy of `start`, all of them run on one model, put back to `start`
// untimed by `reset`, as a window's model is once its lines, slots and undo moments have been
// used: what was once used keeps its room (a fresh copy holds every text at exactly its length).
void TimeFromState(benchmark::State& state, const Loaded& loaded, const MainWindowModel& start,
                   const std::function<void(MainWindowModel&)>& action,
                   const std::function<bool(const MainWindowModel&)>& done, const Reset& reset) {
    std::optional<MainWindowModel> model;
    if (reset) {
        // Once through untimed, so that the lines, slots and undo moment it uses are used once.
        model.emplace(start);
        action(*model);
    }
    std::int64_t allocations = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!model || !reset) {
            model.emplace(start);
        } else {
            reset(*model);
        }
        state.ResumeTiming();
        const AllocationMeter meter;
        action(*model);
        allocations += meter.Allocations();
    }
    state.counters[kAllocationsCounter] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    if (!model || !done(*model) || !loaded.dialogs.messages.empty()) {
        state.SkipWithError("the action did not do what it should have");
    }
}

void SelectFrame(benchmark::State& state) {
    Loaded loaded;
    auto start = Designed(loaded.model, kMaxInstalledOptions, false);
    TimeFromState(
        state, loaded, start, [](MainWindowModel& m) { PickFrame(m, 2); },
        [](const MainWindowModel& m) {
            return m.design().intChooseFrame == 2 && m.design().intModCounter == 0;
        },
        kUndo);
}

void ListEveryOption(benchmark::State& state) {
    Loaded loaded;
    auto start = Designed(loaded.model, kMaxInstalledOptions, false);
    TimeFromState(
        state, loaded, start, ListAllOptions,
        [](const MainWindowModel& m) { return m.lstChooseMod.Count() == kMaxModifications; },
        kSame);
}

void AddTwentiethOption(benchmark::State& state) {
    Loaded loaded;
    auto start = Designed(loaded.model, kMaxInstalledOptions - 1, false);
    // The next installable line: the nineteen installed options fill 26 lines minus the passed.
    start.ChooseOption(25);
    TimeFromState(
        state, loaded, start, [](MainWindowModel& m) { m.AddModification(); },
        [](const MainWindowModel& m) { return m.design().intModCounter == kMaxInstalledOptions; },
        kUndo);
}

void ChooseInstalledOption(benchmark::State& state) {
    Loaded loaded;
    auto start = Designed(loaded.model, kMaxInstalledOptions, false);
    start.ChooseInstalledOption(0);
    TimeFromState(
        state, loaded, start,
        [](MainWindowModel& m) { m.ChooseInstalledOption(kMaxInstalledOptions - 1); },
        [](const MainWindowModel& m) {
            return m.lstCurrentMod.selected() == kMaxInstalledOptions - 1 && m.cmdLevelUp.enabled;
        },
        [](MainWindowModel& m) { m.ChooseInstalledOption(0); });
}

void RaiseLevel(benchmark::State& state) {
    Loaded loaded;
    auto start = Designed(loaded.model, kMaxInstalledOptions, false);
    TimeFromState(
        state, loaded, start, [](MainWindowModel& m) { m.RaiseLevel(); },
        [](const MainWindowModel& m) { return m.design().Option(kMaxInstalledOptions).level == 2; },
        kUndo);
}

void LowerLevel(benchmark::State& state) {
    Loaded loaded;
    auto start = Designed(loaded.model, kMaxInstalledOptions, true);
    TimeFromState(
        state, loaded, start, [](MainWindowModel& m) { m.LowerLevel(); },
        [](const MainWindowModel& m) { return m.design().Option(kMaxInstalledOptions).level == 1; },
        kUndo);
}

// The events of a full design: the frame, the class, 20 clicks and 20 "Add", then 20 clicks
// with "+" and 20 with "-".
constexpr int kDesignEvents = 2 + 2 * kMaxInstalledOptions + 4 * kMaxInstalledOptions;

void FullDesign(benchmark::State& state) {
    Loaded loaded;
    int events = 0;
    TimeFromState(
        state, loaded, loaded.model, [&](MainWindowModel& m) { events = DesignSequence(m); },
        [](const MainWindowModel& m) {
            bool allAtOne = m.design().intModCounter == kMaxInstalledOptions;
            for (int slot = 1; slot <= m.design().intModCounter; ++slot) {
                allAtOne = allAtOne && m.design().Option(slot).level == 1;
            }
            return allAtOne;
        },
        kFreshCopy);
    if (events != kDesignEvents) {
        state.SkipWithError("the design sent another number of events than counted");
    }
}

// Each iteration starts from a copy of the model, made untimed but taking some 20 us; a fixed
// count keeps a repetition near half a second.
struct Action {
    void (*run)(benchmark::State&);
    const char* name;
    int actions;
    benchmark::IterationCount iterations = 20000;
};

const Action kActions[] = {
    {SelectFrame, "Designer/SelectFrame", 1},
    {ListEveryOption, "Designer/FillModList(All)", 1},
    {AddTwentiethOption, "Designer/AddModification(20th)", 1},
    {ChooseInstalledOption, "Designer/ChooseInstalledOption", 1},
    {RaiseLevel, "Designer/RaiseLevel", 1},
    {LowerLevel, "Designer/LowerLevel", 1},
    {FullDesign, "Designer/FullDesign(122 events)", kDesignEvents, 1000},
};

// The same design, five options on frame 1 and the last one chosen, on a catalogue of
// `modifications`. An action looks up the options it touches, so with names compared in place
// it costs as much on 150 modifications as on 10.
constexpr int kScalingInstalled = 5;
constexpr int kSmallCatalogue = 10;

struct ScaledAction {
    const char* name;
    // From the design to the state the action starts from.
    void (*prepare)(MainWindowModel&);
    void (*action)(MainWindowModel&);
    bool (*done)(const MainWindowModel&);
    // Back to that state: Undo, unless told otherwise.
    void (*reset)(MainWindowModel&) = [](MainWindowModel& m) { m.Undo(); };
};

const ScaledAction kScaledActions[] = {
    {
        "SelectFrame",
        [](MainWindowModel&) {},
        [](MainWindowModel& m) { PickFrame(m, 2); },
        [](const MainWindowModel& m) {
            return m.design().intChooseFrame == 2 && m.design().intModCounter == 0;
        },
    },
    {
        // The line after the five installed options and the one passed by.
        "AddModification",
        [](MainWindowModel& m) { m.ChooseOption(kScalingInstalled + 1); },
        [](MainWindowModel& m) { m.AddModification(); },
        [](const MainWindowModel& m) { return m.design().intModCounter == kScalingInstalled + 1; },
    },
    {
        "ChooseInstalledOption",
        [](MainWindowModel&) {},
        [](MainWindowModel& m) { m.ChooseInstalledOption(0); },
        [](const MainWindowModel& m) { return m.lstCurrentMod.selected() == 0; },
        // Choosing a line is no step of the design: the last option is chosen again.
        [](MainWindowModel& m) { m.ChooseInstalledOption(kScalingInstalled - 1); },
    },
    {
        "RaiseLevel",
        [](MainWindowModel&) {},
        [](MainWindowModel& m) { m.RaiseLevel(); },
        [](const MainWindowModel& m) { return m.design().Option(kScalingInstalled).level == 2; },
    },
    {
        "LowerLevel",
        [](MainWindowModel& m) { m.RaiseLevel(); },
        [](MainWindowModel& m) { m.LowerLevel(); },
        [](const MainWindowModel& m) { return m.design().Option(kScalingInstalled).level == 1; },
    },
};

void TimeScaled(benchmark::State& state, const ScaledAction& scaled, int modifications) {
    Loaded loaded(modifications);
    MainWindowModel start = Designed(loaded.model, kScalingInstalled, false);
    scaled.prepare(start);
    TimeFromState(state, loaded, start, scaled.action, scaled.done, scaled.reset);
}

std::string ScaledName(const ScaledAction& scaled, int modifications) {
    return std::string("Scaling/") + scaled.name + "/" + std::to_string(modifications);
}

[[maybe_unused]] const bool kRegistered = [] {
    for (const Action& action : kActions) {
        benchmark::RegisterBenchmark(action.name, action.run)
            ->Unit(benchmark::kMicrosecond)
            ->Iterations(action.iterations);
        // A single action allocates nothing; a whole design fills lists it starts without.
        SetBudget(action.name, {.limitMicros = kActionLimitMicros,
                                .actions = action.actions,
                                .baseline = {},
                                .allocationFree = action.actions == 1});
    }
    for (const ScaledAction& scaled : kScaledActions) {
        for (int modifications : {kSmallCatalogue, kMaxModifications}) {
            const std::string name = ScaledName(scaled, modifications);
            benchmark::RegisterBenchmark(name.c_str(),
                                         [&scaled, modifications](benchmark::State& state) {
                                             TimeScaled(state, scaled, modifications);
                                         })
                ->Unit(benchmark::kMicrosecond)
                ->Iterations(20000);
            // On the full catalogue, the same cost as on the small one, within the noise.
            const bool full = modifications == kMaxModifications;
            SetBudget(name, {.limitMicros = kActionLimitMicros,
                             .baseline = full ? ScaledName(scaled, kSmallCatalogue) : "",
                             .baselineLimit = full ? 1.2 : 0,
                             .allocationFree = true});
        }
    }
    return true;
}();

static_assert(kDesignEvents == 122);

}  // namespace
}  // namespace kalverin::bench
