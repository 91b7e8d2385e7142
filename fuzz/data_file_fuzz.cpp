// Any bytes read as the data file KALVERIN_FUZZ_FILE names, written and read again (see
// RequireReadAndRoundTrip). MaxLevel.txt is read with the modification editor's fourteen columns,
// and again with a column count taken from the input's length, so that every count from -1 to 21
// comes up.

#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "catalogue/details_file.h"
#include "fuzz_target.h"

using namespace kalverin;
using fuzz::Require;

namespace {

// Records within the catalogue's capacity, as many as the count says where the file keeps one.
std::size_t RequireCounted(std::size_t records, std::size_t capacity, int count = -2) {
    Require(records <= capacity, "no more records than the catalogue holds");
    Require(count == -2 || records == static_cast<std::size_t>(count < 0 ? 0 : count),
            "as many records as the count says");
    return records;
}

std::size_t RequireRows(const MaxLevelFile& file, int columns) {
    for (const MaxLevelRow& row : file.rows) {
        for (int column = columns < 0 ? 0 : columns; column < kMaxFrames; ++column) {
            Require(row.levels[static_cast<std::size_t>(column)] == 0,
                    "a column that was not read holds no level");
        }
    }
    return RequireCounted(file.rows.size(), kMaxModifications, file.count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    const std::string_view file = KALVERIN_FUZZ_FILE;
    const std::string label = DataFileLabel(file);
    auto reader = [&label](auto read) {
        return [&label, read](std::string_view in) { return read(in, label); };
    };
    if (file == kFramesFile) {
        fuzz::RequireReadAndRoundTrip(
            bytes, label, reader(ReadFramesFile), WriteFramesFile, [](const FramesFile& read) {
                for (const FrameRecord& frame : read.frames) {
                    Require(frame.Recoil == 0, "every frame starts without recoil");
                }
                return RequireCounted(read.frames.size(), kMaxFrames);
            });
    } else if (file == kModificationsFile) {
        fuzz::RequireReadAndRoundTrip(bytes, label, reader(ReadModificationsFile),
                                      WriteModificationsFile, [](const ModificationsFile& read) {
                                          return RequireCounted(read.records.size(),
                                                                kMaxModifications, read.count);
                                      });
    } else if (file == kDetailsFile) {
        fuzz::RequireReadAndRoundTrip(
            bytes, label, reader(ReadDetailsFile), WriteDetailsFile, [](const DetailsFile& read) {
                return RequireCounted(read.rows.size(), kMaxModifications);
            });
    } else {
        fuzz::RequireReadAndRoundTrip(
            bytes, label,
            [&label](std::string_view in) {
                return ReadMaxLevelFile(in, label, kEditorFrameColumns);
            },
            WriteMaxLevelFile,
            [](const MaxLevelFile& read) { return RequireRows(read, kEditorFrameColumns); });
        const int columns = static_cast<int>(size % (kMaxFrames + 3)) - 1;
        auto read = ReadMaxLevelFile(bytes, label, columns);
        if (const MaxLevelFile* rows = fuzz::ValueOrNamedFailure(read, label)) {
            RequireRows(*rows, columns);
        }
    }
    return 0;
}
