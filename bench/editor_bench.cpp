// The editors' saves on full data files, against writing the same bytes straight to disk.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "budgets.h"
#include "catalogue/data_folder.h"
#include "catalogue/records.h"
#include "frame_editor/frame_editor_model.h"
#include "full_catalogue.h"
#include "modification_editor/modification_editor_model.h"
#include "saving.h"
#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

namespace kalverin::bench {
namespace {

using testing::RecordingDialogs;
using testing::TempFolder;

constexpr double kSaveLimitMicros = 5000;

// A full-capacity data folder with `frames` frames, and the dialogs an editor on it reports to.
struct EditorFolder {
    TempFolder program;
    RecordingDialogs dialogs;
    // The four files the editors write.
    std::vector<std::filesystem::path> files;
    DataInUse data{DiskFiles(), {.given = DataFolder(program.path())}};

    explicit EditorFolder(int frames) {
        WriteFullCatalogue(program.path(), frames);
        for (std::string_view name :
             {kFramesFile, kModificationsFile, kMaxLevelFile, kDetailsFile}) {
            files.push_back(DataFilePath(program.path(), name));
        }
    }
};

// The data files `names` of a full-capacity folder with `frames` frames, written as they are.
void RewriteFiles(benchmark::State& state, int frames, std::vector<std::string_view> names) {
    EditorFolder folder(frames);
    std::vector<std::filesystem::path> paths;
    for (std::string_view name : names) {
        paths.push_back(DataFilePath(folder.program.path(), name));
    }
    RewriteAsIs(state, paths);
}

void RewriteFramesFile(benchmark::State& state) {
    RewriteFiles(state, kMaxFrames, {kFramesFile});
}
BENCHMARK(RewriteFramesFile)
    ->Name("Files/RewriteFrames")
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(kSaveIterations);

void RewriteModificationFiles(benchmark::State& state) {
    RewriteFiles(state, kEditorFrameColumns, {kModificationsFile, kMaxLevelFile, kDetailsFile});
}
BENCHMARK(RewriteModificationFiles)
    ->Name("Files/RewriteThreeModificationFiles")
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(kSaveIterations);

// "Save Frames" with twenty frames: the edited frame goes into the table, Frames.txt is
// rewritten and read again, and the confirmation is shown.
void SaveFrames(benchmark::State& state) {
    EditorFolder folder(kMaxFrames);
    FrameEditorModel editor(folder.data, folder.dialogs);
    editor.LoadFrameTable();
    int power = 0;
    for (auto _ : state) {
        SettleFiles(state, folder.files);
        editor.cmbChooseFrame.text = FrameName(7);
        editor.ChooseEditedFrame();
        editor.txtPower.text = std::to_string(++power % 10);
        editor.SaveAndReload();
    }
    const std::vector<std::string> confirmed(static_cast<std::size_t>(state.iterations()),
                                             "All changes are saved.");
    if (folder.dialogs.messages != confirmed || editor.FrameCount() != kMaxFrames) {
        state.SkipWithError("a save of the frames did not go through");
    }
}
BENCHMARK(SaveFrames)
    ->Name("FrameEditor/SaveFrames")
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(kSaveIterations);
[[maybe_unused]] const bool kSaveFramesBudget = SetBudget(
    "FrameEditor/SaveFrames", {.limitMicros = kSaveLimitMicros, .baseline = "Files/RewriteFrames"});

// "Save Changes" with 150 modifications: Modifications.txt, MaxLevel.txt and Details.txt are
// each changed and rewritten whole, and the list is filled again.
void SaveModifications(benchmark::State& state) {
    EditorFolder folder(kEditorFrameColumns);
    ModificationEditorModel editor(folder.data, folder.dialogs);
    editor.Load();
    editor.cmbChooseClass.text = "All";
    editor.ChooseClass();
    int power = 0;
    for (auto _ : state) {
        SettleFiles(state, folder.files);
        editor.ChooseModification(41);
        // A change to each of the three files.
        editor.txtPower.text = std::to_string(++power % 10);
        editor.Text(3).text = std::to_string(power % 4);
        editor.txtDetails.text = "Revised " + std::to_string(power % 10) + " times.";
        editor.SaveChanges();
    }
    if (!folder.dialogs.messages.empty() || editor.lstChooseMod.Count() != kMaxModifications ||
        editor.Modification(42).Power.Shown() != std::to_string(power % 10)) {
        state.SkipWithError("a save of the modifications did not go through");
    }
}
BENCHMARK(SaveModifications)
    ->Name("ModificationEditor/SaveChanges")
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(kSaveIterations);
[[maybe_unused]] const bool kSaveModificationsBudget =
    SetBudget("ModificationEditor/SaveChanges",
              {.limitMicros = kSaveLimitMicros, .baseline = "Files/RewriteThreeModificationFiles"});

}  // namespace
}  // namespace kalverin::bench
