// Any bytes read as Modifications.txt, written and read again.

#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "round_trip.h"

using namespace kalverin;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string label = DataFileLabel(kModificationsFile);
    fuzz::RequireReadAndRoundTrip(
        fuzz::Bytes(data, size), label,
        [&label](std::string_view bytes) { return ReadModificationsFile(bytes, label); },
        WriteModificationsFile,
        [](const ModificationsFile& file) {
            Require(file.records.size() <= kMaxModifications,
                    "no more modifications than the catalogue holds");
            Require(
                file.records.size() == static_cast<std::size_t>(file.count < 0 ? 0 : file.count),
                "as many records as the count says");
            return file.records.size();
        });
    return 0;
}
