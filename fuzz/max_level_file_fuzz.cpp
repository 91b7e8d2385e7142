// Any bytes read as MaxLevel.txt: with the modification editor's fourteen columns, and with a
// column count taken from the input's length, so that every count from -1 to 21 comes up.

#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "fuzz_target.h"

using namespace kalverin;
using fuzz::Require;

namespace {

void ReadWithColumns(std::string_view bytes, int columns) {
    const std::string label = DataFileLabel(kMaxLevelFile);
    auto read = ReadMaxLevelFile(bytes, label, columns);
    const MaxLevelFile* file = fuzz::ValueOrNamedFailure(read, label);
    if (!file) {
        return;
    }
    Require(file->rows.size() <= kMaxModifications, "no more rows than the catalogue holds");
    Require(file->rows.size() == static_cast<std::size_t>(file->count < 0 ? 0 : file->count),
            "as many rows as the count says");
    for (const MaxLevelRow& row : file->rows) {
        for (int column = columns < 0 ? 0 : columns; column < kMaxFrames; ++column) {
            Require(row.levels[static_cast<std::size_t>(column)] == 0,
                    "a column that was not read holds no level");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes = fuzz::Bytes(data, size);
    ReadWithColumns(bytes, kEditorFrameColumns);
    ReadWithColumns(bytes, static_cast<int>(size % (kMaxFrames + 3)) - 1);
    return 0;
}
