#include "designer/stat_card.h"

#include <gtest/gtest.h>

#include <ostream>

#include "designer/main_window_model.h"
#include "test_support/recording_dialogs.h"
#include "test_support/temp_folder.h"

namespace kalverin {

void PrintTo(const StatCardOption& option, std::ostream* out) {
    *out << option.name << " (" << option.level << ')';
}

namespace {

struct CardCase {
    const char* name;
    std::string firearm;
    std::string frame;
    std::array<std::int16_t, 4> mounts;  // barrel, top, large, small
    std::vector<StatCardOption> options;
    std::string description;
    std::vector<std::string> freeMounts;
};

class StatCardTest : public ::testing::TestWithParam<CardCase> {};

TEST_P(StatCardTest, HoldsWhatTheWindowShows) {
    const CardCase& test = GetParam();
    testing::TempFolder program;
    testing::RecordingDialogs dialogs;
    MainWindowModel model(program.path(), program.path(), dialogs);
    model.NewWeapon();
    model.txtFirearm.text = test.firearm;
    model.cmbChooseFrame.text = test.frame;
    model.txtDescription.text = test.description;
    // Every box shows a value of its own, so a box shown under another's label is caught.
    TextBox* boxes[] = {&model.txtPower,   &model.txtDamage,   &model.txtWeight, &model.txtMode,
                        &model.txtConceal, &model.txtCapacity, &model.txtLoad,   &model.txtRecoil,
                        &model.txtFCU,     &model.txtDPV,      &model.txtMarkup, &model.txtPrice};
    const char* shown[] = {"5",
                           "M",
                           "1.5",
                           "SA",
                           "3",
                           "6",
                           "Cylinder",
                           "3 (\xd7"
                           "2)",
                           "1.5",
                           "380",
                           "5",
                           "1900"};
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
        boxes[i]->text = shown[i];
    }
    CheckBox* mounts[] = {&model.chkBarrel, &model.chkTop, &model.chkLarge, &model.chkSmall};
    for (std::size_t i = 0; i < std::size(mounts); ++i) {
        mounts[i]->value = test.mounts[i];
    }
    for (const StatCardOption& option : test.options) {
        model.Option(++model.intModCounter) = {option.name, option.level};
        model.lstCurrentMod.Add(option.name);
    }
    // A slot past the counter is not on the weapon.
    model.Option(model.intModCounter + 1) = {"Bayonet Lug", 1};

    StatCard card = BuildStatCard(model);

    EXPECT_EQ(card.title, test.firearm);
    EXPECT_EQ(card.frame, test.frame);
    const char* labels[] = {"Power",         "Damage",     "Weight", "Mode", "Concealability",
                            "Ammo Capacity", "Ammo Load",  "Recoil", "FCU",  "DPV",
                            "Mark-Up",       "Final Price"};
    ASSERT_EQ(card.statistics.size(), std::size(labels));
    for (std::size_t i = 0; i < std::size(labels); ++i) {
        EXPECT_EQ(card.statistics[i].label, labels[i]);
        EXPECT_EQ(card.statistics[i].value, shown[i]) << labels[i];
    }
    EXPECT_EQ(card.freeMounts, test.freeMounts);
    EXPECT_EQ(card.options, test.options);
    EXPECT_EQ(card.description, test.description);
}

INSTANTIATE_TEST_SUITE_P(
    Designs, StatCardTest,
    ::testing::Values(
        // A grayed mount box is not a free mount.
        CardCase{"OptionsInInstallOrderWithTheirLevels",
                 "Night Warden",
                 "Heavy Pistol",
                 {0, 1, 2, 1},
                 {{"Match Barrel", 1}, {"Reflex Sight", 0}, {"Speed Loader", 3}},
                 "Quiet.\r\nKept for night work.",
                 {"Top Mount", "Small Under Mount"}},
        CardCase{"NoOptionsAndEveryMountFree",
                 "Plain",
                 "Light MG",
                 {1, 1, 1, 1},
                 {},
                 "",
                 {"Barrel Mount", "Top Mount", "Large Under Mount", "Small Under Mount"}},
        CardCase{"NoFreeMount", "Crowded", "Taser", {0, 0, 0, 0}, {{"Flash Hider", 1}}, "", {}},
        CardCase{"CodePageTextsKeptAsBytes",
                 "Fl\xe9"
                 "chette \x93Mk II\x94",
                 "Sporting Rifle",
                 {1, 0, 0, 0},
                 {{"M\xfcnzer Grip", 2}},
                 "Costs \x80 1.200",
                 {"Barrel Mount"}}),
    [](const ::testing::TestParamInfo<CardCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kalverin
