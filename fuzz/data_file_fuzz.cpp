// Any bytes read as the data file KALVERIN_FUZZ_FILE names, written and read again. A writer may
// lose what its file cannot hold (digits beyond the general format, a double quote inside a
// text), but never a record; and once written, records come back exactly. MaxLevel.txt is read
// with the modification editor's fourteen columns, and again with a column count taken from the
// input's length, so that every count from -1 to 21 comes up.

#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "catalogue/details_file.h"
#include "fuzz_target.h"

using namespace kalverin;
using fuzz::Require;

namespace {

const std::string kLabel = DataFileLabel(KALVERIN_FUZZ_FILE);

// What was read, or nothing once the message is seen to name the file.
template <typename File>
const File* ValueOrNamedFailure(const Outcome<File>& read) {
    Require(read || read.error().starts_with(kLabel), "the message begins with the file's name");
    return read ? &read.value() : nullptr;
}

// `check` holds the reader's properties for what it read, and gives its number of records.
template <typename Read, typename Write, typename Check>
void RequireRoundTrip(std::string_view bytes, Read read, Write write, Check check) {
    auto first = read(bytes, kLabel);
    if (!ValueOrNamedFailure(first)) {
        return;
    }
    auto second = read(write(first.value()), kLabel);
    Require(second && check(second.value()) == check(first.value()),
            "what the writer wrote reads back with every record");
    auto third = read(write(second.value()), kLabel);
    Require(third && third.value() == second.value(),
            "a written file reads back as the records written");
}

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
    if (file == kFramesFile) {
        RequireRoundTrip(bytes, ReadFramesFile, WriteFramesFile, [](const FramesFile& read) {
            for (const FrameRecord& frame : read.frames) {
                Require(frame.Recoil == 0, "every frame starts without recoil");
            }
            return RequireCounted(read.frames.size(), kMaxFrames);
        });
    } else if (file == kModificationsFile) {
        RequireRoundTrip(bytes, ReadModificationsFile, WriteModificationsFile,
                         [](const ModificationsFile& read) {
                             return RequireCounted(read.records.size(), kMaxModifications,
                                                   read.count);
                         });
    } else if (file == kDetailsFile) {
        RequireRoundTrip(bytes, ReadDetailsFile, WriteDetailsFile, [](const DetailsFile& read) {
            return RequireCounted(read.rows.size(), kMaxModifications);
        });
    } else {
        auto readRows = [](std::string_view in, const std::string& label) {
            return ReadMaxLevelFile(in, label, kEditorFrameColumns);
        };
        RequireRoundTrip(bytes, readRows, WriteMaxLevelFile, [](const MaxLevelFile& read) {
            return RequireRows(read, kEditorFrameColumns);
        });
        const int columns = static_cast<int>(size % (kMaxFrames + 3)) - 1;
        const auto read = ReadMaxLevelFile(bytes, kLabel, columns);
        if (const MaxLevelFile* rows = ValueOrNamedFailure(read)) {
            RequireRows(*rows, columns);
        }
    }
    return 0;
}
