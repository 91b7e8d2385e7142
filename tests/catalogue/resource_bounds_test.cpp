// Hostile data files: huge counts and lines, NUL bytes and unclosed quotes are read in time and
// memory in proportion to the file, and give their ordinary outcome.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "support/allocation_meter.h"

namespace kalverin {
namespace {

// What a reader made of the bytes: its message, or how many records it read.
std::string ReadAs(std::string_view file, std::string_view bytes) {
    const std::string label = DataFileLabel(file);
    auto summary = [](const auto& outcome, auto records) {
        return outcome ? std::to_string(records(outcome.value())) + " records" : outcome.error();
    };
    if (file == kFramesFile) {
        return summary(ReadFramesFile(bytes, label), [](auto& f) { return f.frames.size(); });
    }
    if (file == kModificationsFile) {
        return summary(ReadModificationsFile(bytes, label),
                       [](auto& f) { return f.records.size(); });
    }
    if (file == kClassesFile) {
        return summary(ReadClassesFile(bytes, label), [](auto& f) { return f.size(); });
    }
    return summary(ReadMaxLevelFile(bytes, label, kEditorFrameColumns),
                   [](auto& f) { return f.rows.size(); });
}

TEST(ResourceBoundsTest, HostileFilesAreReadInTimeAndMemoryInProportionToThem) {
    // A reader is never handed more than the 16 MiB the disk store reads, so the long lines are
    // that long; KALVERIN_BIG_LINE_MIB=64 makes them longer, for a run that may take a while.
    const char* mebibytes = std::getenv("KALVERIN_BIG_LINE_MIB");
    const std::size_t big = mebibytes ? std::strtoull(mebibytes, nullptr, 10) << 20 : kMaxFileBytes;
    const std::string tooLong =
        ", line 1: an item is longer than 4096 characters, far more than any name or text.";
    const std::string text(big, 'x');
    const std::string quoted = "1,\"" + text;
    const std::string commas = "150," + std::string(big, ',');
    const std::string nuls(big, '\0');
    struct Case {
        std::string_view file;
        std::string_view bytes;
        std::string expected;
    };
    std::vector<Case> cases = {
        {kFramesFile, text, "Data/Frames.txt" + tooLong},
        {kClassesFile, quoted, "Data/Classes.txt" + tooLong},
        // The records are read and the rest of the line is never looked at.
        {kModificationsFile, commas, "150 records"},
    };
    const std::pair<std::string_view, const char*> capacities[] = {
        {kFramesFile, " frames; Kalverin holds at most 20."},
        {kModificationsFile, " modifications; Kalverin holds at most 150."},
        {kClassesFile, " classes; Kalverin holds at most 15."},
        {kMaxLevelFile, " rows; Kalverin holds at most 150."}};
    for (const auto& [file, holds] : capacities) {
        const std::string label = DataFileLabel(file);
        cases.push_back({file, "32767\r\n", label + " lists 32767" + holds});
        cases.push_back(
            {file, "2000000000", label + ": the count 2000000000 is outside -32768 to 32767."});
        cases.push_back({file, nuls, label + tooLong});
    }
    for (const Case& c : cases) {
        testing::AllocationMeter meter;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(ReadAs(c.file, c.bytes), c.expected) << c.file;
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        // A few copies of the input at most; a reader quadratic in its input takes hours here.
        EXPECT_LE(meter.PeakBytes(), 8 * c.bytes.size() + 256 * 1024) << c.expected;
        EXPECT_LT(took.count(), 30) << c.expected;
    }
}

}  // namespace
}  // namespace kalverin
