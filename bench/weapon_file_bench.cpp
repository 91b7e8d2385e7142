// "Save As" and "Open Old Weapon" with a weapon file of twenty options, against writing and
// reading the same bytes.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "budgets.h"
#include "catalogue/file_store.h"
#include "design_driver.h"
#include "saving.h"

namespace kalverin::bench {
namespace {

constexpr double kActionLimitMicros = 50;
// A save flushes its files and their folder to the disk, as the editors' saves do.
constexpr double kSaveLimitMicros = 5000;

// The design of twenty options, the last one raised, named and described as a user would.
struct SavedDesign {
    Loaded loaded;
    MainWindowModel model = Designed(loaded.model, kMaxInstalledOptions, true);
    std::filesystem::path path = loaded.program.path() / "Weapons" / "Twenty options.wpn";

    SavedDesign() {
        model.txtFirearm.text = "Bench Carbine";
        model.txtDescription.text = "Every option slot taken, the last one raised a level.";
        std::filesystem::create_directories(path.parent_path());
        loaded.dialogs.answers.push_back(path);
        model.SaveWeaponAs();
        loaded.dialogs.messages.clear();
    }
};

void RewriteWeaponFile(benchmark::State& state) {
    SavedDesign saved;
    RewriteAsIs(state, {saved.path});
}
BENCHMARK(RewriteWeaponFile)
    ->Name("Files/RewriteWeapon")
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(kSaveIterations);

void ReadWeaponBytes(benchmark::State& state) {
    SavedDesign saved;
    for (auto _ : state) {
        auto bytes = DiskFiles().Read(saved.path);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(ReadWeaponBytes)->Name("Files/ReadWeapon")->Unit(benchmark::kMicrosecond);

// "Save As" with the name chosen: the design written out, the earlier file replaced, and the
// confirmation shown.
void SaveWeaponAs(benchmark::State& state) {
    SavedDesign saved;
    for (auto _ : state) {
        SettleFiles(state, {saved.path});
        saved.loaded.dialogs.answers.push_back(saved.path);
        saved.model.SaveWeaponAs();
    }
    const std::vector<std::string> confirmed(static_cast<std::size_t>(state.iterations()),
                                             "The weapon is saved.");
    if (saved.loaded.dialogs.messages != confirmed) {
        state.SkipWithError("the weapon file was not saved each time");
    }
}
BENCHMARK(SaveWeaponAs)
    ->Name("Designer/SaveWeaponAs(20)")
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(kSaveIterations);
[[maybe_unused]] const bool kWriteBudget =
    SetBudget("Designer/SaveWeaponAs(20)",
              {.limitMicros = kSaveLimitMicros, .actions = 1, .baseline = "Files/RewriteWeapon"});

// "Open Old Weapon" with the file chosen: the design cleared, the file read and shown.
void OpenWeapon(benchmark::State& state) {
    SavedDesign saved;
    MainWindowModel& model = saved.loaded.model;
    for (auto _ : state) {
        saved.loaded.dialogs.answers.push_back(saved.path);
        model.OpenWeapon();
    }
    bool same = model.design().intModCounter == kMaxInstalledOptions &&
                saved.loaded.dialogs.messages.empty();
    for (int slot = 1; same && slot <= kMaxInstalledOptions; ++slot) {
        same = model.design().Option(slot) == saved.model.design().Option(slot);
    }
    if (!same || model.txtDPV.text != saved.model.txtDPV.text ||
        model.txtDescription.text != saved.model.txtDescription.text) {
        state.SkipWithError("the weapon file did not open as it was saved");
    }
}
BENCHMARK(OpenWeapon)->Name("Designer/OpenWeapon(20)")->Unit(benchmark::kMicrosecond);
[[maybe_unused]] const bool kOpenBudget =
    SetBudget("Designer/OpenWeapon(20)",
              {.limitMicros = kActionLimitMicros, .actions = 1, .baseline = "Files/ReadWeapon"});

}  // namespace
}  // namespace kalverin::bench
