#include "catalogue/data_folder.h"

#include <gtest/gtest.h>

#include <set>

#include "catalogue/data_files.h"
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

}  // namespace
}  // namespace kalverin
