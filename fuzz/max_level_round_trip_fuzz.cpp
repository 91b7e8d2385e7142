// MaxLevel.txt read, written and read again, with the modification editor's fourteen columns.

#include "catalogue/data_files.h"
#include "round_trip.h"

using namespace kalverin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::RequireRoundTrip(
        fuzz::Bytes(data, size),
        [](std::string_view bytes) {
            return ReadMaxLevelFile(bytes, "Data/MaxLevel.txt", kEditorFrameColumns);
        },
        WriteMaxLevelFile, [](const MaxLevelFile& file) { return file.rows.size(); });
    return 0;
}
