// Any bytes read as Frames.txt, written and read again.

#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "round_trip.h"

using namespace kalverin;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string label = DataFileLabel(kFramesFile);
    fuzz::RequireReadAndRoundTrip(
        fuzz::Bytes(data, size), label,
        [&label](std::string_view bytes) { return ReadFramesFile(bytes, label); }, WriteFramesFile,
        [](const FramesFile& file) {
            Require(file.frames.size() <= kMaxFrames, "no more frames than the catalogue holds");
            for (const FrameRecord& frame : file.frames) {
                Require(frame.Recoil == 0, "every frame starts without recoil");
            }
            return file.frames.size();
        });
    return 0;
}
