#include "catalogue/data_folder.h"

#include <gtest/gtest.h>

#include <set>

#include "catalogue/data_files.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::TempFolder;

TEST(LoadCatalogueTest, ReadsTheBundledDataSet) {
    TempFolder program;
    testing::CopyBundledData(program);
    auto catalogue = LoadCatalogue(DiskFiles(), program.path());
    ASSERT_TRUE(catalogue) << catalogue.error();
    EXPECT_EQ(catalogue->intNumberofFrames, 14);
    EXPECT_EQ(catalogue->frames.size(), 14U);
    EXPECT_GE(catalogue->intNumberofMods, 60);
    EXPECT_EQ(catalogue->classes.front(), "All");
}

TEST(LoadCatalogueTest, WorksWithTheModificationCountOfMaxLevel) {
    TempFolder program;
    program.Write("Data/Frames.txt",
                  "1\r\n\"P\",1,\"L\",\"SA\",0,1,6,\"Magazine\",,,\"\",2,4,1\r\n");
    program.Write("Data/Classes.txt", "1\r\n\"All\"\r\n");
    program.Write("Data/Modifications.txt",
                  "2\r\n\"A\",\"One\",1,\"\",0,0,0,,0,0,,,\"\",0,,0\r\n"
                  "\"A\",\"Two\",1,\"\",0,0,0,,0,0,,,\"\",0,,0\r\n");
    program.Write("Data/MaxLevel.txt", "1\r\n\"One\",3\r\n");
    auto catalogue = LoadCatalogue(DiskFiles(), program.path());
    ASSERT_TRUE(catalogue) << catalogue.error();
    EXPECT_EQ(catalogue->intNumberofMods, 1);
    EXPECT_EQ(catalogue->MaxLevel(1, 1), 3);
    EXPECT_EQ(catalogue->MaxLevel(1, 2), 0);
    EXPECT_EQ(catalogue->MaxLevel(2, 1), 0);

    // A larger count in MaxLevel.txt makes empty records of the modifications it lacks.
    program.Write("Data/MaxLevel.txt", "3\r\n\"One\",3\r\n\"Two\",1\r\n\"Three\",1\r\n");
    auto more = LoadCatalogue(DiskFiles(), program.path());
    ASSERT_TRUE(more) << more.error();
    EXPECT_EQ(more->intNumberofMods, 3);
    EXPECT_TRUE(more->Modification(3).Modification.IsEmpty());
}

TEST(LoadCatalogueTest, AMissingFileIsNamedInTheMessage) {
    TempFolder program;
    program.Write("Data/Frames.txt", "0\r\n");
    auto catalogue = LoadCatalogue(DiskFiles(), program.path());
    ASSERT_FALSE(catalogue);
    EXPECT_EQ(catalogue.error(),
              "Data/Modifications.txt cannot be read: No such file or directory.");
}

// The bundled data must be usable as shipped: the editors and the main window agree on it.
TEST(BundledDataTest, IsConsistentAcrossItsFiles) {
    TempFolder program;
    testing::CopyBundledData(program);
    auto catalogue = LoadCatalogue(DiskFiles(), program.path());
    ASSERT_TRUE(catalogue) << catalogue.error();

    const char* frameNames[] = {
        "Hold Out Pistol", "Light Pistol", "Heavy Pistol",   "Machine Pistol", "Sub Machinegun",
        "Shotgun",         "Taser",        "Sporting Rifle", "Assault Rifle",  "Sniper Rifle",
        "Light MG",        "Medium MG",    "Heavy MG",       "Assault Cannon"};
    const std::set<std::string> mountWords = {"Barrel", "Top", "Large", "Small", ""};
    for (int i = 1; i <= 14; ++i) {
        const FrameRecord& frame = catalogue->Frame(i);
        EXPECT_EQ(frame.Frame.Shown(), frameNames[i - 1]);
        EXPECT_EQ(frame.FrameNumber, i);
        for (const std::string& mount : {frame.Mount1.Shown(), frame.Mount2.Shown()}) {
            EXPECT_TRUE(mountWords.count(mount)) << frame.Frame.Shown() << ": " << mount;
        }
    }

    auto mods =
        ReadDataFileAs(DiskFiles(), program.path(), kModificationsFile, ReadModificationsFile);
    auto levels = ReadDataFileAs(DiskFiles(), program.path(), kMaxLevelFile,
                                 [](std::string_view bytes, std::string_view label) {
                                     return ReadMaxLevelFile(bytes, label, 14);
                                 });
    ASSERT_TRUE(mods && levels);
    EXPECT_EQ(mods->count, levels->count);
    std::string details = testing::ReadFileBytes(program.path() / "Data/Details.txt");
    EXPECT_EQ(details.substr(0, details.find('\r')), std::to_string(mods->count));

    const std::set<std::string> classes(catalogue->classes.begin(), catalogue->classes.end());
    std::set<std::string> names;
    for (int i = 1; i <= catalogue->intNumberofMods; ++i) {
        const ModificationRecord& m = catalogue->Modification(i);
        EXPECT_TRUE(classes.count(m.ModType.Shown())) << m.Modification.Shown();
        EXPECT_NE(m.ModType.Shown(), "All");
        EXPECT_TRUE(mountWords.count(m.Mount1.Shown())) << m.Modification.Shown();
        EXPECT_TRUE(names.insert(m.Modification.Shown()).second) << m.Modification.Shown();
        EXPECT_EQ(catalogue->maxLevels[static_cast<std::size_t>(i) - 1].label.Shown(),
                  m.Modification.Shown());
    }
}

}  // namespace
}  // namespace kalverin
