// Any bytes read as Modifications.txt.

#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "fuzz_target.h"

using namespace kalverin;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string label = DataFileLabel(kModificationsFile);
    auto read = ReadModificationsFile(fuzz::Bytes(data, size), label);
    if (const ModificationsFile* file = fuzz::ValueOrNamedFailure(read, label)) {
        Require(file->records.size() <= kMaxModifications,
                "no more modifications than the catalogue holds");
        Require(file->records.size() == static_cast<std::size_t>(file->count < 0 ? 0 : file->count),
                "as many records as the count says");
    }
    return 0;
}
