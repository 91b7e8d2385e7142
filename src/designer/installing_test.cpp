#include <gtest/gtest.h>

#include <functional>

#include "designer/design_fixture.h"

namespace kalverin {
namespace {

using testing::DesignTest;
using Lines = std::vector<std::string>;

constexpr const char* kCannot = "This modification cannot be installed.";

TEST_F(DesignTest, InstallingListsTheOptionAtLevelOneClaimsItsMountAndAppliesIt) {
    PickFrame("Revolver");
    Install("Scope");
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(model.lstCurrentMod.items(), Lines{"Scope"});
    EXPECT_EQ(model.intModCounter, 1);
    EXPECT_EQ(model.Option(1), (InstalledOption{"Scope", 1}));
    EXPECT_EQ(model.txtLevel.text, "1");
    EXPECT_EQ(Mounts(), "1000");
    EXPECT_EQ(Stats(), "3|M|1.3|SA|3|6|Cylinder|0|1|250|5|1250");

    // An option that needs no mount fits a frame without any.
    PickFrame("1911");
    Install("Booster");
    EXPECT_EQ(model.intModCounter, 1);
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(DesignTest, EachRuleRefusesWithItsMessageAndLeavesWhatItDid) {
    const struct {
        const char* what;
        std::function<void()> setup;
        const char* option;
        const char* message;
        const char* mounts;
        bool addEnabled;
        bool upEnabled;
    } cases[] = {
        {"duplicate, even at level 0",
         [this] {
             Install("Booster");
             Select("Booster");
             model.RaiseLevel();
             model.LowerLevel();
             model.LowerLevel();
         },
         "Booster", "Modification already exists", "1100", true, true},
        {"slot taken", [this] { Install("Scope"); }, "Sight", kCannot, "1000", true, true},
        {"mount word in the wrong case", [] {}, "Lug", kCannot, "1100", true, true},
        {"grayed mount box", [this] { model.chkTop.value = 2; }, "Scope", kCannot, "1200", true,
         true},
        // The slot is claimed before the level rule refuses, and stays claimed.
        {"maximum level 0", [] {}, "Forbidden", kCannot, "1000", false, false},
        {"full cylinder", [this] { model.txtCapacity.text = "7"; }, "Scope", kCannot, "1000", true,
         false},
        {"no FCU room", [] {}, "Bipod", "There is no room for this modification.", "0100", true,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PickFrame("Revolver");
        model.cmdLevelUp.enabled = true;
        c.setup();
        TakeMessages();
        const auto before = View();

        Install(c.option);
        EXPECT_EQ(TakeMessages(), Lines{c.message});
        auto after = View();
        EXPECT_EQ(after.level, "0");
        EXPECT_EQ(after.mounts, c.mounts);
        EXPECT_EQ(after.buttons, (std::vector<bool>{c.addEnabled, c.upEnabled, before.buttons[2]}));
        // The installed options, the statistics and the texts are as they were.
        after.level = before.level;
        after.mounts = before.mounts;
        after.buttons = before.buttons;
        after.optionLines = before.optionLines;
        EXPECT_EQ(after, before);
    }
}

TEST_F(DesignTest, AnInstallThatCannotBeWorkedOutChangesNothing) {
    const std::string notANumber =
        ", which is not a number Kalverin can work with, so Blank cannot be applied.";
    using Model = MainWindowModel;
    // Frame picked, box typed into, option selected, message (none: nothing happens at all).
    const std::tuple<const char*, TextBox Model::*, const char*, const char*, std::string> cases[] =
        {
            {nullptr, nullptr, "", "Blank",
             "Choose a frame first: options are installed on a frame."},
            {"Oddity", nullptr, "", "Blank", "The Concealability box shows \"high\"" + notANumber},
            {"Revolver", nullptr, "", "Broken",
             "Broken cannot be applied: its Weight field holds \"heavy\", which is not a number."},
            {"Revolver", &Model::txtCapacity, "32760", "Extra",
             "Applying Extra would take the Ammo Capacity to 32770, outside -32768 to 32767."},
            {"Revolver", &Model::txtCapacity, "40000", "Blank",
             "The Ammo Capacity box shows \"40000\"" + notANumber},
            {"Revolver", &Model::txtMarkup, "1e39", "Blank",
             "The Mark-Up box shows \"1e39\", which is too large for a Mark-Up."},
            {"Revolver", nullptr, "", nullptr, ""},  // "Add" with no option selected
        };
    for (const auto& [frame, box, text, option, message] : cases) {
        SCOPED_TRACE(message);
        if (frame) {
            PickFrame(frame);
        }
        if (box) {
            (model.*box).text = text;
        }
        PickClass("All");
        TakeMessages();
        const auto before = View();
        option ? Install(option) : model.AddModification();
        EXPECT_EQ(TakeMessages(), message.empty() ? Lines{} : Lines{message});
        EXPECT_EQ(View(), before);
        EXPECT_EQ(model.intModCounter, 0);
    }
}

TEST_F(DesignTest, TheAmmunitionRuleTriggersOnlyAtExactlySevenOrTen) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Cylinder", "7", true},  {"Cylinder", "6", false}, {"Cylinder", "8", false},
        {"Magazine", "10", true}, {"Magazine", "7", false}, {"cylinder", "7", false},
        {"Clip", "10", false},
    };
    for (const auto& [load, capacity, refused] : cases) {
        SCOPED_TRACE(std::string(load) + " " + capacity);
        PickFrame("Revolver");
        model.txtLoad.text = load;
        model.txtCapacity.text = capacity;
        Install("Blank");
        EXPECT_EQ(TakeMessages(), refused ? Lines{kCannot} : Lines{});
        EXPECT_EQ(model.intModCounter, refused ? 0 : 1);
    }
}

TEST_F(DesignTest, AnOptionThatTakesFCUNeedsSomeLeftOver) {
    // FCU shown, option (Bipod takes 2, Scope 1, Blank none), whether it fits, FCU after.
    const std::tuple<const char*, const char*, bool, const char*> cases[] = {
        {"2", "Bipod", false, "2"},  // 2 - 2 leaves nothing
        {"2", "Scope", true, "1"},
        {"2.5", "Bipod", true, "0.5"},
        {"0", "Scope", false, "0"},
        // An option that takes no FCU always fits.
        {"0", "Blank", true, "0"},
        {"-3", "Blank", true, "-3"},
    };
    for (const auto& [fcu, option, fits, after] : cases) {
        SCOPED_TRACE(std::string(option) + " on " + fcu);
        PickFrame("Revolver");
        model.txtFCU.text = fcu;
        Install(option);
        EXPECT_EQ(TakeMessages(),
                  fits ? Lines{} : Lines{"There is no room for this modification."});
        EXPECT_EQ(model.intModCounter, fits ? 1 : 0);
        EXPECT_EQ(model.txtFCU.text, after);
    }
}

TEST_F(DesignTest, ATwentyFirstOptionIsRefused) {
    std::string mods = "21\r\n";
    std::string levels = "21\r\n";
    for (int i = 1; i <= 21; ++i) {
        std::string name = "\"Option " + std::to_string(i) + "\"";
        mods += "\"Any\"," + name + ",1,\"\",0,0,0,\"\",0,1,\"\",,\"\",0,\"\",0\r\n";
        levels += name + ",1\r\n";
    }
    program.Write("Data/Frames.txt",
                  "1\r\n\"Frame\",0,\"L\",\"SA\",0,1,1,\"Clip\",,,\"\",1,10,1\r\n");
    program.Write("Data/Classes.txt", "1\r\n\"Any\"\r\n");
    program.Write("Data/Modifications.txt", mods);
    program.Write("Data/MaxLevel.txt", levels);
    model.ReloadData();
    PickFrame("Frame");
    for (int i = 1; i <= 20; ++i) {
        Install("Option " + std::to_string(i));
    }
    ASSERT_EQ(model.intModCounter, 20);
    ASSERT_TRUE(TakeMessages().empty());
    const auto before = View();

    Install("Option 21");
    EXPECT_EQ(TakeMessages(), Lines{"The weapon already carries 20 options and modifications; "
                                    "no more can be installed."});
    EXPECT_EQ(View(), before);
    EXPECT_EQ(model.txtPower.text, "20");
}

}  // namespace
}  // namespace kalverin
