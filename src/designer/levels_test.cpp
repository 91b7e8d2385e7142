#include <gtest/gtest.h>

#include "designer/design_fixture.h"

namespace kalverin {
namespace {

using testing::DesignTest;
using Lines = std::vector<std::string>;

struct LevelStep {
    char action;  // 's' selects the option, '+' and '-' press the buttons
    const char* level;
    bool up;
    bool down;
    bool add;
    const char* power;
};

TEST_F(DesignTest, TheLevelButtonsFollowTheSelectedOptionsLevel) {
    PickFrame("Revolver");  // Power 3
    Install("Booster");     // Power +1 a level, at most level 2 on this frame
    const LevelStep steps[] = {
        // "-" is still off from start-up: a selection never turns it on.
        {'s', "1", true, false, true, "4"},
        {'+', "2", true, true, true, "5"},
        // At the maximum "+" changes nothing and goes off, with "Add".
        {'+', "2", false, true, false, "5"},
        {'-', "1", true, true, false, "4"},
        {'-', "0", true, false, false, "3"},
        {'-', "0", true, false, false, "3"},
        {'s', "0", true, false, false, "3"},
        // The maximum left the legality flag off, so "+" goes off after each raise...
        {'+', "1", false, true, false, "4"},
        // ...until the option is selected again.
        {'s', "1", true, true, false, "4"},
        {'+', "2", false, true, false, "5"},
    };
    int row = 0;
    for (const LevelStep& step : steps) {
        SCOPED_TRACE(++row);
        if (step.action == 's') {
            Select("Booster");
        } else if (step.action == '+') {
            model.RaiseLevel();
        } else {
            model.LowerLevel();
        }
        EXPECT_EQ(model.txtLevel.text, step.level);
        EXPECT_EQ(std::to_string(model.Option(1).level), step.level);
        EXPECT_EQ(model.cmdLevelUp.enabled, step.up);
        EXPECT_EQ(model.cmdLevelDown.enabled, step.down);
        EXPECT_EQ(model.cmdAddMod.enabled, step.add);
        EXPECT_EQ(model.txtPower.text, step.power);
    }
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(DesignTest, TheButtonsActOnTheSelectedOptionOnly) {
    PickFrame("Revolver");
    Install("Booster");
    Install("Drum");
    Select("Booster");
    model.RaiseLevel();
    EXPECT_EQ(model.Option(1), (InstalledOption{"Booster", 2}));
    EXPECT_EQ(model.Option(2), (InstalledOption{"Drum", 1}));
    EXPECT_EQ(model.txtPower.text, "5");
    EXPECT_EQ(model.txtConceal.text, "2");  // Drum's -2 applied once only
}

TEST_F(DesignTest, AFullCylinderOrMagazineKeepsPlusOffOnSelection) {
    const std::pair<const char*, const char*> cases[] = {{"Cylinder", "7"}, {"Magazine", "10"}};
    for (const auto& [load, capacity] : cases) {
        SCOPED_TRACE(load);
        PickFrame("Revolver");
        Install("Booster");
        model.txtLoad.text = load;
        model.txtCapacity.text = capacity;
        Select("Booster");
        EXPECT_FALSE(model.cmdLevelUp.enabled);
    }
}

TEST_F(DesignTest, PlusAndMinusWithoutASelectedOptionDoNothing) {
    PickFrame("Revolver");
    Install("Booster");
    Select("Booster");
    model.RaiseLevel();
    model.NewWeapon();  // empties the list but leaves both buttons on
    PickFrame("Revolver");
    Install("Booster");
    auto before = View();
    ASSERT_TRUE(before.buttons[1] && before.buttons[2]);
    model.RaiseLevel();
    model.LowerLevel();
    EXPECT_EQ(View(), before);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(DesignTest, ALevelChangeThatCannotBeWorkedOutChangesNothing) {
    for (bool raise : {true, false}) {
        SCOPED_TRACE(raise ? "+" : "-");
        PickFrame("Revolver");
        Install("Booster");
        Select("Booster");
        model.txtConceal.text = "abc";
        auto before = View();
        raise ? model.RaiseLevel() : model.LowerLevel();
        EXPECT_EQ(TakeMessages(), Lines{"The Concealability box shows \"abc\", which is not a "
                                        "number Kalverin can work with, so Booster cannot be "
                                        "applied."});
        EXPECT_EQ(View(), before);
    }
}

}  // namespace
}  // namespace kalverin
