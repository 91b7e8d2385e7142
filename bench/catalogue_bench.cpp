// Loading the catalogue at its full capacity, against reading the same four files' bytes; and
// hostile data files, read in time and memory in proportion to them.

#include <benchmark/benchmark.h>

#include "allocation_meter.h"
#include "budgets.h"
#include "catalogue/data_files.h"
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
    const GuardedFolder data = DataFilesAt(DiskFiles(), DataFolder(program.path()));
    for (auto _ : state) {
        const auto reading = data.StartReading();
        for (std::string_view file : kCatalogueFiles) {
            auto bytes = ReadDataFile(reading, file);
            benchmark::DoNotOptimize(bytes);
        }
    }
}
BENCHMARK(ReadCatalogueBytes)->Name("Catalogue/ReadBytes")->Unit(benchmark::kMicrosecond);

void LoadFullCatalogue(benchmark::State& state) {
    TempFolder program;
    WriteFullCatalogue(program.path(), kMaxFrames);
    for (auto _ : state) {
        auto catalogue =
            LoadCatalogue(DataFilesAt(DiskFiles(), DataFolder(program.path())).StartReading());
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
    DataInUse data(DiskFiles(), {.given = DataFolder(program.path())});
    MainWindowModel model(data, program.path(), dialogs);
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

// Hostile files as large as the disk store reads: a line with no separator, a quote never closed,
// a record line of commas, NUL bytes, and counts far beyond what the file holds. What each
// reader says of them is in the catalogue's scenarios; here, what reading them costs.
std::vector<std::pair<std::string_view, std::string>> HostileFiles() {
    const std::size_t big = kMaxFileBytes;
    std::vector<std::pair<std::string_view, std::string>> files = {
        {kFramesFile, std::string(big, 'x')},
        {kClassesFile, "1,\"" + std::string(big, 'x')},
        {kModificationsFile, "150," + std::string(big, ',')}};
    for (std::string_view file : kCatalogueFiles) {
        for (std::string bytes :
             {std::string("32767\r\n"), std::string("2000000000"), std::string(big, '\0')}) {
            files.emplace_back(file, std::move(bytes));
        }
    }
    return files;
}

// Reads the bytes as the file, and gives whether its reader's memory stayed within a few copies
// of them: a reader that sizes its records by a count it has not checked does not.
bool ReadInProportion(std::string_view file, std::string_view bytes) {
    const std::string label = DataFileLabel(file);
    const AllocationMeter meter;
    if (file == kFramesFile) {
        benchmark::DoNotOptimize(ReadFramesFile(bytes, label));
    } else if (file == kModificationsFile) {
        benchmark::DoNotOptimize(ReadModificationsFile(bytes, label));
    } else if (file == kClassesFile) {
        benchmark::DoNotOptimize(ReadClassesFile(bytes, label));
    } else {
        benchmark::DoNotOptimize(ReadMaxLevelFile(bytes, label, kEditorFrameColumns));
    }
    return meter.PeakBytes() <= 8 * bytes.size() + 256 * 1024;
}

void ReadHostileFiles(benchmark::State& state) {
    const auto files = HostileFiles();
    for (auto _ : state) {
        for (const auto& [file, bytes] : files) {
            if (!ReadInProportion(file, bytes)) {
                state.SkipWithError(("reading a hostile " + std::string(file) +
                                     " took more memory than a few copies of it")
                                        .c_str());
                return;
            }
        }
    }
}
BENCHMARK(ReadHostileFiles)->Name("Catalogue/ReadHostileFiles")->Unit(benchmark::kMillisecond);

// The baseline: looking once at every byte of the same files.
void ScanHostileFiles(benchmark::State& state) {
    const auto files = HostileFiles();
    for (auto _ : state) {
        for (const auto& [file, bytes] : files) {
            benchmark::DoNotOptimize(bytes.find('"'));
        }
    }
}
BENCHMARK(ScanHostileFiles)->Name("Catalogue/ScanHostileFiles")->Unit(benchmark::kMillisecond);
[[maybe_unused]] const bool kHostileBudget = SetBudget(
    "Catalogue/ReadHostileFiles",
    {.limitMicros = 500000, .baseline = "Catalogue/ScanHostileFiles", .baselineLimit = 50});

}  // namespace
}  // namespace kalverin::bench
