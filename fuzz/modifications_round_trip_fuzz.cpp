// Modifications.txt read, written and read again.

#include "catalogue/data_files.h"
#include "round_trip.h"

using namespace kalverin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::RequireRoundTrip(
        fuzz::Bytes(data, size),
        [](std::string_view bytes) {
            return ReadModificationsFile(bytes, "Data/Modifications.txt");
        },
        WriteModificationsFile, [](const ModificationsFile& file) { return file.records.size(); });
    return 0;
}
