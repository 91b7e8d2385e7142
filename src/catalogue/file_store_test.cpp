#include "catalogue/file_store.h"

#include <gtest/gtest.h>

#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::ReadFileBytes;
using testing::TempFolder;

TEST(DiskFilesTest, AWriteLeavesExactlyTheNewBytesWhateverTheFileHeldBefore) {
    const std::string longer(9000, 'o');
    struct Case {
        const char* what;
        std::optional<std::string> before;
        std::string written;
    };
    const Case cases[] = {
        {"a new file", std::nullopt, "3\r\n\"A\"\r\n"},
        {"a shorter file", "1\r\n", "3\r\n\"A\",\"B\"\r\n"},
        {"a file of the same length", "abcdef", "uvwxyz"},
        {"a longer file", longer, "2\r\n\"A\"\r\n"},
        {"a file emptied", "1\r\n\"A\"\r\n", ""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const auto path = folder.path() / "Data.txt";
        if (c.before) {
            folder.Write("Data.txt", *c.before);
        }
        EXPECT_EQ(DiskFiles().Write(path, c.written), std::nullopt) << c.what;
        EXPECT_EQ(ReadFileBytes(path), c.written) << c.what;
    }
}

TEST(DiskFilesTest, AWriteToADeviceGoesThroughWithoutCuttingItToLength) {
    TempFolder folder;
    const auto sink = folder.path() / "Sink.txt";
    std::filesystem::create_symlink("/dev/null", sink);
    EXPECT_EQ(DiskFiles().Write(sink, "1\r\n\"A\"\r\n"), std::nullopt);
}

TEST(DiskFilesTest, AWriteThatCannotOpenTheFileSaysWhy) {
    TempFolder folder;
    EXPECT_EQ(DiskFiles().Write(folder.path() / "missing" / "Data.txt", "1\r\n"),
              "No such file or directory");
    EXPECT_EQ(DiskFiles().Write(folder.path(), "1\r\n"), "Is a directory");
}

TEST(ReplaceFilesTest, AFullDeviceIsReportedAndTheOtherFilesGetTheirBytesBack) {
    TempFolder folder;
    auto first = folder.Write("First.txt", "first, as it was\r\n");
    auto full = folder.path() / "Full.txt";
    std::filesystem::create_symlink("/dev/full", full);

    auto failure = ReplaceFiles(DiskFiles(), {{first, "Data/First.txt", "new first\r\n"},
                                              {full, "Data/Full.txt", "new full\r\n"}});
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure,
              "Data/Full.txt could not be written: No space left on device. The data files were "
              "left as they were.");
    EXPECT_EQ(folder.Read("First.txt"), "first, as it was\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink(full));
}

TEST(ReplaceFilesTest, AFileThatDidNotExistIsRemovedAgainWhenALaterWriteFails) {
    TempFolder folder;
    auto fresh = folder.path() / "Fresh.txt";
    auto missing = folder.path() / "No such folder" / "Gone.txt";

    auto failure = ReplaceFiles(DiskFiles(),
                                {{fresh, "Data/Fresh.txt", "x"}, {missing, "Data/Gone.txt", "y"}});
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("Data/Gone.txt could not be written"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(fresh));
}

}  // namespace
}  // namespace kalverin
