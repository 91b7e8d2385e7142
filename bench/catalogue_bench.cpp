// Loading the catalogue at its full capacity, against reading the same four files' bytes.

#include <benchmark/benchmark.h>

#include "budgets.h"
#include "catalogue/data_folder.h"
#include "catalogue/records.h"
#include "designer/main_window_model.h"
#include "full_catalogue.h"
#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

namespace kalverin::bench {
namespace {

using testing::RecordingDialogs;
using testing::TempFolder;

constexpr std::string_view kCatalogueFiles[] = {kFramesFile, kModificationsFile, kClassesFile,
                                                kMaxLevelFile};

void ReadCatalogueBytes(benchmark::State& state) {
    TempFolder program;
    WriteFullCatalogue(program.path(), kMaxFrames);
    for (auto _ : state) {
        for (std::string_view file : kCatalogueFiles) {
            auto bytes = ReadDataFile(DiskFiles(), program.path(), file);
            benchmark::DoNotOptimize(bytes);
        }
    }
}
BENCHMARK(ReadCatalogueBytes)->Name("Catalogue/ReadBytes")->Unit(benchmark::kMicrosecond);

void LoadFullCatalogue(benchmark::State& state) {
    TempFolder program;
    WriteFullCatalogue(program.path(), kMaxFrames);
    for (auto _ : state) {
        auto catalogue = LoadCatalogue(DiskFiles(), program.path());
        if (!catalogue || catalogue->modifications.size() != kMaxModifications ||
            catalogue->frames.size() != kMaxFrames) {
            state.SkipWithError("the full catalogue did not load whole");
            break;
        }
        benchmark::DoNotOptimize(catalogue);
    }
}
BENCHMARK(LoadFullCatalogue)->Name("Catalogue/Load")->Unit(benchmark::kMicrosecond);
[[maybe_unused]] const bool kLoadBudget =
    SetBudget("Catalogue/Load", {.limitMicros = 1000, .baseline = "Catalogue/ReadBytes"});

// "Reload Data" in the main window: the load, the two choosers filled and the design cleared.
void ReloadData(benchmark::State& state) {
    TempFolder program;
    WriteFullCatalogue(program.path(), kMaxFrames);
    RecordingDialogs dialogs;
    MainWindowModel model(program.path(), program.path(), dialogs);
    model.Load();
    for (auto _ : state) {
        model.ReloadData();
    }
    if (!dialogs.messages.empty() || model.cmbChooseFrame.list.Count() != kMaxFrames ||
        model.cmbChooseClass.list.Count() != kFullClasses) {
        state.SkipWithError("Reload Data did not fill the choosers from the full catalogue");
    }
}
BENCHMARK(ReloadData)->Name("Designer/ReloadData")->Unit(benchmark::kMicrosecond);
[[maybe_unused]] const bool kReloadBudget =
    SetBudget("Designer/ReloadData", {.limitMicros = 1000, .baseline = "Catalogue/ReadBytes"});

}  // namespace
}  // namespace kalverin::bench
