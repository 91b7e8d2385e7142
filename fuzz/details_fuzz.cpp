// Any bytes read as Details.txt, written and read again.

#include "catalogue/details_file.h"
#include "catalogue/records.h"
#include "round_trip.h"

using namespace kalverin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view label = "Data/Details.txt";
    fuzz::RequireReadAndRoundTrip(
        fuzz::Bytes(data, size), label,
        [label](std::string_view bytes) { return ReadDetailsFile(bytes, label); }, WriteDetailsFile,
        [](const DetailsFile& file) {
            fuzz::Require(file.rows.size() <= kMaxModifications,
                          "no more rows than the catalogue holds");
            return file.rows.size();
        });
    return 0;
}
