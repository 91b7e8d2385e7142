#include "catalogue/file_store.h"

#include <gtest/gtest.h>

#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::TempFolder;

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
