// The editors' saves on full data files, against writing the same bytes straight to disk.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "budgets.h"
#include "catalogue/data_folder.h"
#include "catalogue/records.h"
#include "frame_editor/frame_editor_model.h"
#include "full_catalogue.h"
#include "modification_editor/modification_editor_model.h"
#include "test_support/recording_dialogs.h"
#include "test_support/temp_folder.h"

namespace kalverin::bench {
namespace {

using testing::ReadFileBytes;
using testing::RecordingDialogs;
using testing::TempFolder;

constexpr double kSaveLimitMicros = 5000;

// A user saves with the disk at rest; saving in a tight loop would instead time each write
// waiting for the previous one to reach the disk. So the data files are flushed, untimed, before
// each save.
void SettleDataFiles(benchmark::State& state, const std::filesystem::path& programDir) {
    state.PauseTiming();
    for (std::string_view name : {kFramesFile, kModificationsFile, kMaxLevelFile, kDetailsFile}) {
        const int file = open(DataFilePath(programDir, name).c_str(), O_RDONLY);
        if (file >= 0) {
            fdatasync(file);
            close(file);
        }
    }
    state.ResumeTiming();
}

// Writes the files' present bytes over them again, as plainly as the disk allows.
void RewriteFiles(benchmark::State& state, int frames, std::vector<std::string_view> names) {
    TempFolder program;
    WriteFullCatalogue(program.path(), frames);
    std::vector<std::pair<std::filesystem::path, std::string>> files;
    for (std::string_view name : names) {
        auto path = DataFilePath(program.path(), name);
        files.emplace_back(path, ReadFileBytes(path));
    }
    for (auto _ : state) {
        SettleDataFiles(state, program.path());
        for (const auto& [path, bytes] : files) {
            if (DiskFiles().Write(path, bytes)) {
                state.SkipWithError("a data file could not be written");
            }
        }
    }
}

void RewriteFramesFile(benchmark::State& state) {
    RewriteFiles(state, kMaxFrames, {kFramesFile});
}
BENCHMARK(RewriteFramesFile)->Name("Files/RewriteFrames")->Unit(benchmark::kMicrosecond);

void RewriteModificationFiles(benchmark::State& state) {
    RewriteFiles(state, kEditorFrameColumns, {kModificationsFile, kMaxLevelFile, kDetailsFile});
}
BENCHMARK(RewriteModificationFiles)
    ->Name("Files/RewriteThreeModificationFiles")
    ->Unit(benchmark::kMicrosecond);

// "Save Frames" on a frame of twenty: the edited frame goes into the table, Frames.txt is
// rewritten and read again, and the confirmation is shown.
void SaveFrames(benchmark::State& state) {
    TempFolder program;
    WriteFullCatalogue(program.path(), kMaxFrames);
    RecordingDialogs dialogs;
    FrameEditorModel editor(program.path(), dialogs);
    editor.LoadFrameTable();
    int power = 0;
    for (auto _ : state) {
        SettleDataFiles(state, program.path());
        editor.cmbChooseFrame.text = FrameName(7);
        editor.ChooseEditedFrame();
        editor.txtPower.text = std::to_string(++power % 10);
        editor.SaveAndReload();
    }
    const std::vector<std::string> confirmed(static_cast<std::size_t>(state.iterations()),
                                             "All changes are saved.");
    if (dialogs.messages != confirmed || editor.FrameCount() != kMaxFrames) {
        state.SkipWithError("a save of the frames did not go through");
    }
}
BENCHMARK(SaveFrames)->Name("FrameEditor/SaveFrames")->Unit(benchmark::kMicrosecond);
[[maybe_unused]] const bool kSaveFramesBudget = SetBudget(
    "FrameEditor/SaveFrames", {.limitMicros = kSaveLimitMicros, .baseline = "Files/RewriteFrames"});

// "Save Changes" with 150 modifications: Modifications.txt, MaxLevel.txt and Details.txt are
// each changed and rewritten whole, and the list is filled again.
void SaveModifications(benchmark::State& state) {
    TempFolder program;
    WriteFullCatalogue(program.path(), kEditorFrameColumns);
    RecordingDialogs dialogs;
    ModificationEditorModel editor(program.path(), dialogs);
    editor.Load();
    editor.ChooseClass("All");
    int power = 0;
    for (auto _ : state) {
        SettleDataFiles(state, program.path());
        editor.ChooseModification(41);
        // A change to each of the three files.
        editor.txtPower.text = std::to_string(++power % 10);
        editor.Text(3).text = std::to_string(power % 4);
        editor.txtDetails.text = "Revised " + std::to_string(power % 10) + " times.";
        editor.SaveChanges();
    }
    if (!dialogs.messages.empty() || editor.lstChooseMod.Count() != kMaxModifications ||
        editor.modifications[42].Power.Shown() != std::to_string(power % 10)) {
        state.SkipWithError("a save of the modifications did not go through");
    }
}
BENCHMARK(SaveModifications)->Name("ModificationEditor/SaveChanges")->Unit(benchmark::kMicrosecond);
[[maybe_unused]] const bool kSaveModificationsBudget =
    SetBudget("ModificationEditor/SaveChanges",
              {.limitMicros = kSaveLimitMicros, .baseline = "Files/RewriteThreeModificationFiles"});

}  // namespace
}  // namespace kalverin::bench
