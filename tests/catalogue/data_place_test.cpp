#include "catalogue/data_place.h"

#include <gtest/gtest.h>

#include "support/faulty_disks.h"
#include "support/temp_folder.h"

namespace kalverin {
namespace {

// --data's folder; else a writable Data beside the program; else the user's copy holding data (a
// first copy cut short holds none); else the install's, whose first save makes the user's copy.
TEST(DataInUseTest, ChoosesTheFolderAndMovesOnlyByAFirstSaveOrBackToTheShippedData) {
    using S = DataSource;
    const struct {
        bool readOnly;         // the Data folder beside the program
        const char* userCopy;  // what the user's folder holds: "data", or a first copy "cut" short
        bool given;            // --data names a folder
        S source;              // at start
        S saved;               // after a save
        const char* backup;    // Use Shipped Data's name for the copy, when it is in use
    } cases[] = {
        {false, "data", false, S::Beside, S::Beside, nullptr},
        {true, "data", false, S::UserCopy, S::UserCopy, "share/Data-2026-12-07-2"},
        {true, "cut", false, S::Shipped, S::UserCopy, "share/Data-2026-12-07"},
        {true, "data", true, S::Given, S::Given, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.userCopy) + (c.readOnly ? " beside read only" : ""));
        testing::TempFolder root;
        const std::filesystem::path beside = root.path() / "program" / "Data",
                                    user = root.path() / "share" / "Data";
        root.Write("program/Data/Classes.txt", "classes");
        root.Write("given/Classes.txt", "given");
        if (c.userCopy == std::string("data")) {
            root.Write("share/Data/Classes.txt", "mine");
            root.Write("share/Data-2026-12-07/Classes.txt", "an older copy");
        } else if (c.userCopy == std::string("cut")) {
            std::filesystem::create_directories(user);
            testing::LeaveSaveCutShort(user / "Classes.txt", "Data/Classes.txt", "half a copy");
        }
        testing::FaultyDiskFiles disk = c.readOnly ? testing::FaultyDiskFiles({EACCES, {}, beside})
                                                   : testing::FaultyDiskFiles(SIZE_MAX);
        DataInUse data(
            disk, {.given = c.given ? root.path() / "given" : "", .beside = beside, .user = user},
            [] { return "2026-12-07"; });
        EXPECT_EQ(data.source(), c.source);
        EXPECT_EQ(data.StartReading().notice().empty(), c.userCopy != std::string("cut"));

        const auto loaded = data.StartReading().Read("Classes.txt");
        ASSERT_TRUE(loaded);
        ASSERT_TRUE(data.Save({data.Replacing("Classes.txt", "saved", loaded.value())}));
        EXPECT_EQ(data.source(), c.saved);
        EXPECT_EQ(testing::ReadFileBytes(data.folder() / "Classes.txt"), "saved");
        if (c.backup) {
            const auto kept = data.UseShippedData();
            ASSERT_TRUE(kept) << kept.error();
            EXPECT_EQ(kept.value(), root.path() / c.backup);
            EXPECT_EQ(data.source(), S::Shipped);
            EXPECT_FALSE(std::filesystem::exists(user));
        }
    }
}

}  // namespace
}  // namespace kalverin
