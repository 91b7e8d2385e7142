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

TEST(StatCardTest, HoldsWhatTheWindowShows) {
    const struct {
        std::string firearm;
        std::array<std::int16_t, 4> mounts;  // barrel, top, large, small
        std::vector<StatCardOption> options;
        std::string description;
        std::vector<std::string> freeMounts;
    } cases[] = {
        // Texts are kept as their code-page bytes; a grayed mount box is not a free mount.
        {"Fl\xe9"
         "chette \x93Mk II\x94",
         {0, 1, 2, 1},
         {{"Match Barrel", 1}, {"Reflex Sight", 0}, {"M\xfcnzer Grip", 3}},
         "Quiet.\r\nCosts \x80 1.200",
         {"Top Mount", "Small Under Mount"}},
        {"Plain",
         {1, 1, 1, 1},
         {},
         "",
         {"Barrel Mount", "Top Mount", "Large Under Mount", "Small Under Mount"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.firearm);
        testing::TempFolder program;
        testing::RecordingDialogs dialogs;
        MainWindowModel model(program.path(), program.path(), dialogs);
        model.NewWeapon();
        model.txtFirearm.text = c.firearm;
        model.cmbChooseFrame.text = "Heavy Pistol";
        model.txtDescription.text = c.description;
        // Every box shows a value of its own, so a box shown under another's label is caught.
        TextBox* boxes[] = {&model.txtPower, &model.txtDamage,  &model.txtWeight,
                            &model.txtMode,  &model.txtConceal, &model.txtCapacity,
                            &model.txtLoad,  &model.txtRecoil,  &model.txtFCU,
                            &model.txtDPV,   &model.txtMarkup,  &model.txtPrice};
        const char* shown[] = {"5",        "M",      "1.5",  "SA",  "3", "6",
                               "Cylinder", "3 (x2)", "1.25", "380", "5", "1900"};
        for (std::size_t i = 0; i < std::size(boxes); ++i) {
            boxes[i]->text = shown[i];
        }
        CheckBox* mounts[] = {&model.chkBarrel, &model.chkTop, &model.chkLarge, &model.chkSmall};
        for (std::size_t i = 0; i < std::size(mounts); ++i) {
            mounts[i]->value = c.mounts[i];
        }
        for (const StatCardOption& option : c.options) {
            model.Option(++model.intModCounter) = {option.name, option.level};
            model.lstCurrentMod.Add(option.name);
        }
        // A slot past the counter is not on the weapon.
        model.Option(model.intModCounter + 1) = {"Bayonet Lug", 1};

        const StatCard card = BuildStatCard(model);
        std::string statistics;
        for (const StatCardRow& row : card.statistics) {
            statistics += row.label + "=" + row.value + "|";
        }
        EXPECT_EQ(statistics,
                  "Power=5|Damage=M|Weight=1.5|Mode=SA|Concealability=3|Ammo Capacity=6|Ammo "
                  "Load=Cylinder|Recoil=3 (x2)|FCU=1.25|DPV=380|Mark-Up=5|Final Price=1900|");
        EXPECT_EQ(card.title + "|" + card.frame + "|" + card.description,
                  c.firearm + "|Heavy Pistol|" + c.description);
        EXPECT_EQ(card.freeMounts, c.freeMounts);
        EXPECT_EQ(card.options, c.options);
    }
}

}  // namespace
}  // namespace kalverin
