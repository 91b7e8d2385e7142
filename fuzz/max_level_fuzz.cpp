// Any bytes read as MaxLevel.txt with the modification editor's fourteen columns, written and
// read again; and read with a column count taken from the input's length, so that every count
// from -1 to 21 comes up.

#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "round_trip.h"

using namespace kalverin;
using fuzz::Require;

namespace {

const std::string kLabel = DataFileLabel(kMaxLevelFile);

std::size_t RequireRows(const MaxLevelFile& file, int columns) {
    Require(file.rows.size() <= kMaxModifications, "no more rows than the catalogue holds");
    Require(file.rows.size() == static_cast<std::size_t>(file.count < 0 ? 0 : file.count),
            "as many rows as the count says");
    for (const MaxLevelRow& row : file.rows) {
        for (int column = columns < 0 ? 0 : columns; column < kMaxFrames; ++column) {
            Require(row.levels[static_cast<std::size_t>(column)] == 0,
                    "a column that was not read holds no level");
        }
    }
    return file.rows.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::Bytes(data, size);
    fuzz::RequireReadAndRoundTrip(
        bytes, kLabel,
        [](std::string_view in) { return ReadMaxLevelFile(in, kLabel, kEditorFrameColumns); },
        WriteMaxLevelFile,
        [](const MaxLevelFile& file) { return RequireRows(file, kEditorFrameColumns); });
    const int columns = static_cast<int>(size % (kMaxFrames + 3)) - 1;
    auto read = ReadMaxLevelFile(bytes, kLabel, columns);
    if (const MaxLevelFile* file = fuzz::ValueOrNamedFailure(read, kLabel)) {
        RequireRows(*file, columns);
    }
    return 0;
}
