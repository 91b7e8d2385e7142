// Any bytes read as Classes.txt.

#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "fuzz_target.h"

using namespace kalverin;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string label = DataFileLabel(kClassesFile);
    auto classes = ReadClassesFile(fuzz::Bytes(data, size), label);
    if (!classes) {
        fuzz::RequireNamesFile(classes.error(), label);
        return 0;
    }
    Require(classes->size() <= kMaxClasses, "no more classes than the catalogue holds");
    return 0;
}
