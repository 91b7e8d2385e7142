#include "catalogue/data_folder.h"

#include <gtest/gtest.h>

#include <set>

#include "catalogue/data_files.h"
#include "support/temp_folder.h"

namespace kalverin {
namespace {

using testing::TempFolder;

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
