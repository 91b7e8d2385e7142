// Any bytes read as Details.txt.

#include "catalogue/details_file.h"
#include "catalogue/records.h"
#include "fuzz_target.h"

using namespace kalverin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view label = "Data/Details.txt";
    auto read = ReadDetailsFile(fuzz::Bytes(data, size), label);
    if (const DetailsFile* file = fuzz::ValueOrNamedFailure(read, label)) {
        fuzz::Require(file->rows.size() <= kMaxModifications,
                      "no more rows than the catalogue holds");
    }
    return 0;
}
