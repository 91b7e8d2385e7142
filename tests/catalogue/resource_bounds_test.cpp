// Hostile data files: huge counts and lines, NUL bytes, odd line ends and unclosed quotes are
// read in time and memory in proportion to the file, and give their ordinary outcome.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "support/allocation_meter.h"
#include "support/memory_files.h"
#include "support/temp_folder.h"

namespace kalverin {
namespace {

using testing::AllocationMeter;
using testing::TempFolder;

// A reader is never handed more than the 16 MiB the disk store reads, so the long lines are that
// long; KALVERIN_BIG_LINE_MIB=64 makes them longer, for a run that may take a while.
std::size_t BigLineBytes() {
    const char* mebibytes = std::getenv("KALVERIN_BIG_LINE_MIB");
    return mebibytes ? std::strtoull(mebibytes, nullptr, 10) << 20 : kMaxFileBytes;
}
const std::size_t kBigLine = BigLineBytes();
// Whatever the input, a reader takes no more than this beyond a few times its input.
constexpr std::size_t kSmallMemory = 256 * 1024;
constexpr std::size_t kInputCopies = 8;
// Generous for a slow machine; a reader that is quadratic in its input takes hours here.
constexpr double kSlowSeconds = 30;

const std::string_view kCatalogueFiles[] = {kFramesFile, kModificationsFile, kClassesFile,
                                            kMaxLevelFile};

// What a reader made of the bytes: its message, or how many records it read.
std::string ReadAs(std::string_view file, std::string_view bytes) {
    const std::string label = DataFileLabel(file);
    auto summary = [](const auto& outcome, std::size_t records) {
        return outcome ? std::to_string(records) + " records" : outcome.error();
    };
    if (file == kFramesFile) {
        auto read = ReadFramesFile(bytes, label);
        return summary(read, read ? read->frames.size() : 0);
    }
    if (file == kModificationsFile) {
        auto read = ReadModificationsFile(bytes, label);
        return summary(read, read ? read->records.size() : 0);
    }
    if (file == kClassesFile) {
        auto read = ReadClassesFile(bytes, label);
        return summary(read, read ? read->size() : 0);
    }
    auto read = ReadMaxLevelFile(bytes, label, kEditorFrameColumns);
    return summary(read, read ? read->rows.size() : 0);
}

struct Measured {
    std::string outcome;
    std::size_t peakBytes;
    double seconds;
};

Measured MeasureRead(std::string_view file, std::string_view bytes) {
    AllocationMeter meter;
    auto start = std::chrono::steady_clock::now();
    std::string outcome = ReadAs(file, bytes);
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return {outcome, meter.PeakBytes(), took.count()};
}

int Capacity(std::string_view file) {
    return file == kFramesFile    ? kMaxFrames
           : file == kClassesFile ? kMaxClasses
                                  : kMaxModifications;
}

// An item too long for any name or text is refused where it starts.
const std::string kTooLong =
    ": an item is longer than 4096 characters, far more than any name or text.";

std::string Records(std::string_view file) {
    return file == kFramesFile          ? "frames"
           : file == kModificationsFile ? "modifications"
           : file == kClassesFile       ? "classes"
                                        : "rows";
}

TEST(ResourceBoundsTest, AHugeCountIsRefusedWithoutMemorySizedByIt) {
    for (std::string_view file : kCatalogueFiles) {
        const std::string label = DataFileLabel(file);
        const std::pair<std::string, std::string> cases[] = {
            {"2000000000\r\n", label + ": the count 2000000000 is outside -32768 to 32767."},
            {"-2000000000\r\n", label + ": the count -2000000000 is outside -32768 to 32767."},
            {"32767\r\n", label + " lists 32767 " + Records(file) + "; Kalverin holds at most " +
                              std::to_string(Capacity(file)) + "."},
        };
        for (const auto& [bytes, expected] : cases) {
            Measured read = MeasureRead(file, bytes);
            EXPECT_EQ(read.outcome, expected);
            EXPECT_LE(read.peakBytes, kSmallMemory) << label << " " << bytes;
        }
    }
}

// `piece` over and over, `bytes` long.
std::string Repeated(std::string_view piece, std::size_t bytes) {
    std::string repeated(piece);
    while (repeated.size() < bytes) {
        repeated += repeated;
    }
    repeated.resize(bytes);
    return repeated;
}

TEST(ResourceBoundsTest, AVeryLongLineIsReadInTimeAndMemoryInProportionToIt) {
    struct Case {
        std::string_view file;
        const char* what;
        std::string bytes;
        std::string expected;
    };
    const Case cases[] = {
        {kFramesFile, "a text", std::string(kBigLine, 'x'), "Data/Frames.txt, line 1" + kTooLong},
        {kMaxLevelFile, "a label after CR LF, LF and CR",
         "3\r\n\"A\"\n\"B\"\r" + std::string(4097, 'x'), "Data/MaxLevel.txt, line 4" + kTooLong},
        {kClassesFile, "the longest item taken", "1\r\n" + std::string(4096, 'x'), "1 records"},
        // The records are read and the rest of the line is never looked at.
        {kModificationsFile, "150 records and then more", "150," + Repeated("1,", kBigLine),
         "150 records"},
        {kClassesFile, "a class in a quote never closed", "1,\"" + std::string(kBigLine, 'x'),
         "Data/Classes.txt, line 1" + kTooLong},
    };
    for (const Case& c : cases) {
        Measured read = MeasureRead(c.file, c.bytes);
        EXPECT_EQ(read.outcome, c.expected) << c.what << " as " << c.file;
        EXPECT_LE(read.peakBytes, kInputCopies * c.bytes.size() + kSmallMemory)
            << c.what << " as " << c.file;
        EXPECT_LT(read.seconds, kSlowSeconds) << c.what << " as " << c.file;
    }
}

TEST(ResourceBoundsTest, AFileOfNulBytesIsOneItemTooLong) {
    const std::string nuls(kBigLine, '\0');
    for (std::string_view file : kCatalogueFiles) {
        Measured read = MeasureRead(file, nuls);
        EXPECT_EQ(read.outcome, DataFileLabel(file) + ", line 1" + kTooLong) << file;
        EXPECT_LE(read.peakBytes, kInputCopies * nuls.size() + kSmallMemory) << file;
        EXPECT_LT(read.seconds, kSlowSeconds) << file;
    }
}

TEST(ResourceBoundsTest, AQuoteNeverClosedRunsToTheEndOfTheFile) {
    struct Case {
        std::string_view file;
        const char* bytes;
        const char* expected;
    };
    const Case cases[] = {
        {kClassesFile, "1\r\n\"All", "1 records"},
        {kClassesFile, "2\r\n\"All\r\n\"Barrel\"\r\n",
         "Data/Classes.txt ends after 1 of 2 classes."},
        {kFramesFile, "1\r\n\"Light Pistol,3,L,SA,6,0.8,12,Magazine,Barrel,Top,Small,3,160,2\r\n",
         "Data/Frames.txt ends after 0 of 1 frames."},
        {kModificationsFile, "\"3", "Data/Modifications.txt ends after 0 of 3 modifications."},
        {kMaxLevelFile, "1\r\n\"Match Barrel,1,1,1,1,1,1,0,1,1,1,1,1,1,1\r\n",
         "Data/MaxLevel.txt ends after 0 of 1 rows."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadAs(c.file, c.bytes), c.expected) << c.bytes;
    }
}

// The bundled data set in memory, its line ends replaced by those given, taken in turn.
testing::MemoryFiles BundledWithLineEnds(const std::filesystem::path& programDir,
                                         const std::vector<std::string>& lineEnds) {
    testing::MemoryFiles files;
    for (std::string_view file : kCatalogueFiles) {
        std::string bytes = testing::ReadFileBytes(testing::BundledData() / file);
        std::string changed;
        std::size_t lines = 0;
        std::size_t at = 0;
        for (std::size_t end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2) {
            changed += bytes.substr(at, end - at) + lineEnds[lines++ % lineEnds.size()];
        }
        files.Write(DataFilePath(programDir, file), changed + bytes.substr(at));
    }
    return files;
}

TEST(ResourceBoundsTest, LineEndsOfLfOrCrAloneReadAsCrLf) {
    const std::filesystem::path program = "/program";
    auto expected = LoadCatalogue(BundledWithLineEnds(program, {"\r\n"}), program);
    ASSERT_TRUE(expected) << expected.error();
    ASSERT_EQ(expected->intNumberofFrames, 14);
    const std::vector<std::string> cases[] = {{"\n"}, {"\r"}, {"\r\n", "\n", "\r"}};
    for (const auto& lineEnds : cases) {
        auto read = LoadCatalogue(BundledWithLineEnds(program, lineEnds), program);
        ASSERT_TRUE(read) << read.error();
        EXPECT_EQ(read->intNumberofFrames, expected->intNumberofFrames);
        EXPECT_EQ(read->intNumberofMods, expected->intNumberofMods);
        EXPECT_EQ(read->frames, expected->frames);
        EXPECT_EQ(read->modifications, expected->modifications);
        EXPECT_EQ(read->classes, expected->classes);
        EXPECT_EQ(read->maxLevels, expected->maxLevels);
    }
}

TEST(ResourceBoundsTest, ADataFileOver16MiBIsRefusedByName) {
    struct Case {
        std::string_view file;
        std::size_t size;
        const char* expected;  // nothing when the catalogue loads
    };
    const Case cases[] = {
        {kFramesFile, kMaxFileBytes + 1,
         "Data/Frames.txt cannot be read: it is larger than 16 MiB."},
        {kMaxLevelFile, kMaxFileBytes + 1,
         "Data/MaxLevel.txt cannot be read: it is larger than 16 MiB."},
        {kFramesFile, kMaxFileBytes, nullptr},
    };
    for (const Case& c : cases) {
        TempFolder program;
        testing::CopyBundledData(program);
        // The records as shipped, then blanks the reader never reaches.
        std::string bytes = program.Read(std::filesystem::path("Data") / c.file);
        bytes.resize(c.size, ' ');
        program.Write(std::filesystem::path("Data") / c.file, bytes);
        auto catalogue = LoadCatalogue(DiskFiles(), program.path());
        if (c.expected) {
            ASSERT_FALSE(catalogue) << c.file;
            EXPECT_EQ(catalogue.error(), c.expected);
        } else {
            ASSERT_TRUE(catalogue) << catalogue.error();
            EXPECT_EQ(catalogue->intNumberofFrames, 14);
        }
    }
}

}  // namespace
}  // namespace kalverin
