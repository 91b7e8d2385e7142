// Details.txt read, written and read again.

#include "catalogue/details_file.h"
#include "round_trip.h"

using namespace kalverin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::RequireRoundTrip(
        fuzz::Bytes(data, size),
        [](std::string_view bytes) { return ReadDetailsFile(bytes, "Data/Details.txt"); },
        WriteDetailsFile, [](const DetailsFile& file) { return file.rows.size(); });
    return 0;
}
