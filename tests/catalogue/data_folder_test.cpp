#include "catalogue/data_folder.h"

#include <gtest/gtest.h>

#include <set>

#include "catalogue/data_files.h"
#include "catalogue/data_place.h"
#include "support/faulty_disks.h"
#include "support/temp_folder.h"

namespace kalverin {
namespace {

// The bundled data must be usable as shipped: the editors and the main window agree on it.
TEST(BundledDataTest, IsConsistentAcrossItsFiles) {
    testing::TempFolder program;
    testing::CopyBundledData(program);
    const auto data = DataFilesAt(DiskFiles(), DataFolder(program.path()));
    const auto reading = data.StartReading();
    auto catalogue = LoadCatalogue(reading);
    ASSERT_TRUE(catalogue) << catalogue.error();
    const std::set<std::string> mounts = {"Barrel", "Top", "Large", "Small", ""};
    ASSERT_EQ(catalogue->intNumberofFrames, 14);
    for (int i = 1; i <= 14; ++i) {
        const FrameRecord& frame = catalogue->Frame(i);
        EXPECT_EQ(frame.FrameNumber, i) << frame.Frame.Shown();
        EXPECT_TRUE(mounts.count(frame.Mount1.Shown()) && mounts.count(frame.Mount2.Shown()))
            << frame.Frame.Shown();
    }
    auto mods = ReadDataFileAs(reading, kModificationsFile, ReadModificationsFile);
    ASSERT_TRUE(mods);
    EXPECT_EQ(mods->count, catalogue->intNumberofMods) << "the count of MaxLevel.txt";
    const std::string details = program.Read("Data/Details.txt");
    EXPECT_EQ(details.substr(0, details.find('\r')), std::to_string(mods->count));

    const std::set<std::string> classes(catalogue->classes.begin(), catalogue->classes.end());
    std::set<std::string> names;
    for (int i = 1; i <= catalogue->intNumberofMods; ++i) {
        const ModificationRecord& m = catalogue->Modification(i);
        const std::string name = m.Modification.Shown();
        EXPECT_TRUE(classes.count(m.ModType.Shown()) && m.ModType.Shown() != "All") << name;
        EXPECT_TRUE(mounts.count(m.Mount1.Shown())) << name;
        EXPECT_TRUE(names.insert(name).second) << name;
        EXPECT_EQ(catalogue->maxLevels[static_cast<std::size_t>(i) - 1].label.Shown(), name);
    }
}

// The folder --data names; else the Data beside the program when it may be written; else the
// user's copy when it holds data (a first copy cut short holds none once put back); else the
// install's, whose first save makes the user's copy. Use Shipped Data keeps it under a free name.
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
