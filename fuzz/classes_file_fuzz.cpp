// Any bytes read as Classes.txt.

#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "fuzz_target.h"

using namespace kalverin;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string label = DataFileLabel(kClassesFile);
    auto read = ReadClassesFile(fuzz::Bytes(data, size), label);
    if (const auto* classes = fuzz::ValueOrNamedFailure(read, label)) {
        Require(classes->size() <= kMaxClasses, "no more classes than the catalogue holds");
    }
    return 0;
}
