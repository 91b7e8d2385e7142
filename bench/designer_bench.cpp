// The main window's model on the full catalogue: each single action from the state where it
// costs most (twenty options installed), and a whole design from frame to lowered levels.

#include <benchmark/benchmark.h>

#include <functional>
#include <optional>

#include "budgets.h"
#include "catalogue/records.h"
#include "designer/main_window_model.h"
#include "full_catalogue.h"
#include "test_support/recording_dialogs.h"
#include "test_support/temp_folder.h"

namespace kalverin::bench {
namespace {

using testing::RecordingDialogs;
using testing::TempFolder;

constexpr double kActionLimitMicros = 50;

// What the window's events do to the model.
void PickFrame(MainWindowModel& model, int index) {
    model.cmbChooseFrame.text = FrameName(index);
    model.SelectFrame();
}

void ListAllOptions(MainWindowModel& model) {
    model.cmbChooseClass.text = "All";
    model.FillModList();
}

// Clicks the option lines from the top and presses "Add" until `count` options are on. Every
// fourth option needs a mount no frame has, so its line is passed by. Gives the events sent.
int InstallOptions(MainWindowModel& model, int count) {
    int events = 0;
    for (int line = 0; model.intModCounter < count && line < model.lstChooseMod.Count(); ++line) {
        if ((line + 1) % 4 != 0) {
            model.ChooseOption(line);
            model.AddModification();
            events += 2;
        }
    }
    return events;
}

void Raise(MainWindowModel& model, int line) {
    model.ChooseInstalledOption(line);
    model.RaiseLevel();
}

void Lower(MainWindowModel& model, int line) {
    model.ChooseInstalledOption(line);
    model.LowerLevel();
}

// A design from scratch: frame 1, all options listed, twenty installed, each raised once and
// then each lowered once. Gives the events sent.
int DesignSequence(MainWindowModel& model) {
    PickFrame(model, 1);
    ListAllOptions(model);
    int events = 2 + InstallOptions(model, kMaxInstalledOptions);
    for (int line = 0; line < model.intModCounter; ++line) {
        Raise(model, line);
    }
    for (int line = 0; line < model.intModCounter; ++line) {
        Lower(model, line);
    }
    return events + 4 * model.intModCounter;
}

// A model on the full catalogue, loaded; its messages are recorded.
struct Loaded {
    TempFolder program;
    RecordingDialogs dialogs;
    MainWindowModel model{program.path(), program.path(), dialogs};

    Loaded() {
        WriteFullCatalogue(program.path(), kMaxFrames);
        model.Load();
    }
};

// Frame 1 with `installed` options on and every option listed; the last option installed is
// selected and, if `raised`, one level up.
MainWindowModel Designed(MainWindowModel model, int installed, bool raised) {
    PickFrame(model, 1);
    ListAllOptions(model);
    InstallOptions(model, installed);
    model.ChooseInstalledOption(installed - 1);
    if (raised) {
        model.RaiseLevel();
    }
    return model;
}

// Times `action` alone, each time on a fresh copy of `start`, then checks with `done` on the
// last copy that it did what it should have, and that nothing was refused.
void TimeFromState(benchmark::State& state, const Loaded& loaded, const MainWindowModel& start,
                   const std::function<void(MainWindowModel&)>& action,
                   const std::function<bool(const MainWindowModel&)>& done) {
    std::optional<MainWindowModel> model;
    for (auto _ : state) {
        state.PauseTiming();
        model.emplace(start);
        state.ResumeTiming();
        action(*model);
    }
    if (!model || !done(*model) || !loaded.dialogs.messages.empty()) {
        state.SkipWithError("the action did not do what it should have");
    }
}

void SelectFrame(benchmark::State& state) {
    Loaded loaded;
    auto start = Designed(loaded.model, kMaxInstalledOptions, false);
    TimeFromState(
        state, loaded, start, [](MainWindowModel& m) { PickFrame(m, 2); },
        [](const MainWindowModel& m) { return m.intChooseFrame == 2 && m.intModCounter == 0; });
}

void ListEveryOption(benchmark::State& state) {
    Loaded loaded;
    auto start = Designed(loaded.model, kMaxInstalledOptions, false);
    TimeFromState(state, loaded, start, ListAllOptions, [](const MainWindowModel& m) {
        return m.lstChooseMod.Count() == kMaxModifications;
    });
}

void AddTwentiethOption(benchmark::State& state) {
    Loaded loaded;
    auto start = Designed(loaded.model, kMaxInstalledOptions - 1, false);
    // The next installable line: the nineteen installed options fill 26 lines minus the passed.
    start.ChooseOption(25);
    TimeFromState(
        state, loaded, start, [](MainWindowModel& m) { m.AddModification(); },
        [](const MainWindowModel& m) { return m.intModCounter == kMaxInstalledOptions; });
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
        });
}

void RaiseLevel(benchmark::State& state) {
    Loaded loaded;
    auto start = Designed(loaded.model, kMaxInstalledOptions, false);
    TimeFromState(
        state, loaded, start, [](MainWindowModel& m) { m.RaiseLevel(); },
        [](const MainWindowModel& m) { return m.Option(kMaxInstalledOptions).level == 2; });
}

void LowerLevel(benchmark::State& state) {
    Loaded loaded;
    auto start = Designed(loaded.model, kMaxInstalledOptions, true);
    TimeFromState(
        state, loaded, start, [](MainWindowModel& m) { m.LowerLevel(); },
        [](const MainWindowModel& m) { return m.Option(kMaxInstalledOptions).level == 1; });
}

void ApplyModification(benchmark::State& state) {
    Loaded loaded;
    auto start = Designed(loaded.model, kMaxInstalledOptions, false);
    start.CMN = 42;
    start.intModLevel = 1;
    const std::string dpvBefore = start.txtDPV.text;
    TimeFromState(
        state, loaded, start, [](MainWindowModel& m) { m.ApplyModification(); },
        [&](const MainWindowModel& m) { return m.txtDPV.text != dpvBefore; });
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
            bool allAtOne = m.intModCounter == kMaxInstalledOptions;
            for (int slot = 1; slot <= m.intModCounter; ++slot) {
                allAtOne = allAtOne && m.Option(slot).level == 1;
            }
            return allAtOne;
        });
    if (events != kDesignEvents) {
        state.SkipWithError("the design sent another number of events than counted");
    }
}

struct Action {
    void (*run)(benchmark::State&);
    const char* name;
    int actions;
};

const Action kActions[] = {
    {SelectFrame, "Designer/SelectFrame", 1},
    {ListEveryOption, "Designer/FillModList(All)", 1},
    {AddTwentiethOption, "Designer/AddModification(20th)", 1},
    {ChooseInstalledOption, "Designer/ChooseInstalledOption", 1},
    {RaiseLevel, "Designer/RaiseLevel", 1},
    {LowerLevel, "Designer/LowerLevel", 1},
    {ApplyModification, "Designer/ApplyModification", 1},
    {FullDesign, "Designer/FullDesign(122 events)", kDesignEvents},
};

[[maybe_unused]] const bool kRegistered = [] {
    for (const Action& action : kActions) {
        benchmark::RegisterBenchmark(action.name, action.run)->Unit(benchmark::kMicrosecond);
        SetBudget(action.name,
                  {.limitMicros = kActionLimitMicros, .actions = action.actions, .baseline = {}});
    }
    return true;
}();

static_assert(kDesignEvents == 122);

}  // namespace
}  // namespace kalverin::bench
