// Any bytes read as Frames.txt.

#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "fuzz_target.h"

using namespace kalverin;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string label = DataFileLabel(kFramesFile);
    auto read = ReadFramesFile(fuzz::Bytes(data, size), label);
    if (const FramesFile* file = fuzz::ValueOrNamedFailure(read, label)) {
        Require(file->frames.size() <= kMaxFrames, "no more frames than the catalogue holds");
        for (const FrameRecord& frame : file->frames) {
            Require(frame.Recoil == 0, "every frame starts without recoil");
        }
    }
    return 0;
}
