#include "catalogue/file_store.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

TEST(WriteFailureReasonTest, APermissionFailureSaysWhereTheDataCanBeEdited) {
    const std::pair<int, bool> cases[] = {
        {EACCES, true}, {EPERM, true}, {EROFS, true}, {ENOSPC, false}, {EIO, false},
    };
    for (const auto& [error, advised] : cases) {
        SCOPED_TRACE(std::strerror(error));
        const std::string reason = WriteFailureReason(error);
        EXPECT_EQ(reason.rfind(std::strerror(error), 0), 0u) << reason;
        EXPECT_EQ(reason.find("system-wide install") != std::string::npos, advised) << reason;
        EXPECT_EQ(reason.find("portable folder") != std::string::npos, advised) << reason;
    }
}

TEST(WriteFailureReasonTest, AFailedReplacementOnDiskNamesTheFileAndTheSystemsReason) {
    testing::TempFolder folder;
    const std::filesystem::path missing = folder.path() / "Data" / "Frames.txt";
    auto failure = ReplaceFiles(DiskFiles(), {{missing, "Data/Frames.txt", "1\r\n"}});
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(*failure,
              "Data/Frames.txt could not be written: " + std::string(std::strerror(ENOENT)) +
                  ". The data files were left as they were.");
}

}  // namespace
}  // namespace kalverin
