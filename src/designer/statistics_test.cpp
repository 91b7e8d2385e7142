#include <gtest/gtest.h>

#include "designer/design_fixture.h"

namespace kalverin {
namespace {

using testing::DesignTest;

TEST_F(DesignTest, AnOptionIsAppliedOnceMoreOrOnceLessAtEachLevel) {
    PickFrame("Revolver");
    Install("Booster");  // Power 1, Damage "U", DPV 20, Mark-Up 0.5
    EXPECT_EQ(Stats(), "4|S|1.1|SA|4|6|Cylinder|0|2|170|5.5|935");
    Select("Booster");
    model.RaiseLevel();
    EXPECT_EQ(Stats(), "5|D|1.1|SA|4|6|Cylinder|0|2|190|6|1140");
    // Damage moves one rung up whatever the sign of the step.
    model.LowerLevel();
    EXPECT_EQ(Stats(), "4|D|1.1|SA|4|6|Cylinder|0|2|170|5.5|935");
}

struct CodeCase {
    const char* option;
    const char* frame;
    TextBox MainWindowModel::*box;
    const char* resetTo;  // written into the box before each step; nothing to leave it
    std::vector<std::string> afterInstallRaiseLower;
};

TEST_F(DesignTest, SpecialCodesSetOrAddOutrightWhateverTheStep) {
    const CodeCase cases[] = {
        {"Drum", "Revolver", &MainWindowModel::txtCapacity, "12", {"50", "50", "50"}},
        {"Belt", "Revolver", &MainWindowModel::txtCapacity, "12", {"100", "100", "100"}},
        {"Single", "Revolver", &MainWindowModel::txtCapacity, "12", {"0", "0", "0"}},
        {"Extra", "Revolver", &MainWindowModel::txtCapacity, nullptr, {"16", "26", "16"}},
        // Carbine's own DPV is 40: 888 adds it, 999 adds one and a half times it.
        {"Gilding", "Carbine", &MainWindowModel::txtDPV, nullptr, {"80", "120", "160"}},
        {"Inlay", "Carbine", &MainWindowModel::txtDPV, nullptr, {"100", "160", "220"}},
    };
    for (const CodeCase& c : cases) {
        SCOPED_TRACE(c.option);
        PickFrame(c.frame);
        std::vector<std::string> shown;
        auto step = [&](auto action) {
            if (c.resetTo != nullptr) {
                (model.*c.box).text = c.resetTo;
            }
            action();
            shown.push_back((model.*c.box).text);
        };
        step([&] { Install(c.option); });
        Select(c.option);
        step([&] { model.RaiseLevel(); });
        step([&] { model.LowerLevel(); });
        EXPECT_EQ(shown, c.afterInstallRaiseLower);
        EXPECT_EQ(model.Option(1).level, 1);
    }
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(DesignTest, DamageMovesOneRungAndTheLadderEndsHold) {
    // Shown damage, option (Booster "U", Single "D", Blank none), step, result.
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"L", "Booster", 1, "M"},  {"S", "Booster", 1, "D"}, {"D", "Booster", 1, "D"},
        {"M", "Booster", -1, "S"}, {"D", "Single", 1, "S"},  {"M", "Single", -1, "L"},
        {"L", "Single", 1, "L"},   {"S", "Blank", 1, "S"},   {"X", "Booster", 1, "X"},
        {"m", "Single", 1, "m"},   {"", "Booster", 1, ""},
    };
    for (const auto& [shown, option, levelStep, expected] : cases) {
        SCOPED_TRACE(std::string(shown) + " " + option);
        PickFrame("Revolver");
        model.txtDamage.text = shown;
        model.CMN = ModIndex(option);
        model.intModLevel = static_cast<std::int16_t>(levelStep);
        model.ApplyModification();
        EXPECT_EQ(model.txtDamage.text, expected);
    }
}

TEST_F(DesignTest, AnOptionsLoadAndModeReplaceTheShownOnesUnlessEmpty) {
    PickFrame("Revolver");
    Install("Blank");
    EXPECT_EQ(model.txtLoad.text, "Cylinder");
    EXPECT_EQ(model.txtMode.text, "SA");
    Install("Drum");
    EXPECT_EQ(model.txtLoad.text, "Magazine");
    EXPECT_EQ(model.txtMode.text, "FA");
}

TEST_F(DesignTest, NumbersAreWorkedOutInTheirOwnPrecision) {
    using Model = MainWindowModel;
    // On the Revolver: the box typed into first, the option installed, the box then shown.
    const std::tuple<TextBox Model::*, const char*, const char*, TextBox Model::*, const char*>
        cases[] = {
            // The Weight sum is held in single precision: 1.1 + 0.2 shows 1.3.
            {nullptr, "", "Scope", &Model::txtWeight, "1.3"},
            {&Model::txtWeight, "3.50", "Blank", &Model::txtWeight, "3.5"},
            {&Model::txtRecoil, "", "Drum", &Model::txtRecoil, "1"},
            {&Model::txtRecoil, "heavy", "Drum", &Model::txtRecoil, "1"},
            // A typed Mark-Up is priced in at the next change, not before.
            {&Model::txtMarkup, "6", "Blank", &Model::txtPrice, "900"},
        };
    for (const auto& [typedBox, typed, option, shownBox, expected] : cases) {
        SCOPED_TRACE(typed);
        PickFrame("Revolver");
        if (typedBox) {
            (model.*typedBox).text = typed;
        }
        EXPECT_EQ(model.txtPrice.text, "750");
        Install(option);
        EXPECT_EQ((model.*shownBox).text, expected);
    }
    // Mark-Up is held in single precision and the price carries its error.
    PickFrame("Revolver");
    model.txtDPV.text = "100";
    model.txtMarkup.text = "1.1";
    Install("Blank");
    EXPECT_EQ(model.txtPrice.text, "110.000002384186");
    EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
}  // namespace kalverin
