#include <gtest/gtest.h>

#include "designer/design_fixture.h"

namespace kalverin {
namespace {

using testing::DesignTest;

TEST_F(DesignTest, PickingAFrameShowsItsBaseStatisticsPriceAndMounts) {
    const std::tuple<const char*, const char*, const char*, int> cases[] = {
        {"Revolver", "3|M|1.1|SA|4|6|Cylinder|0|2|150|5|750", "1100", 1},
        // FCU 1.5 keeps its point; an empty second mount ends the scan before "Barrel".
        {"Carbine", "6|L|3.5|SA/BF|-2|12|Magazine|0|1.5|40|5|200", "0100", 2},
        // "None" names no mount and is passed over.
        {"Derringer", "1|D|0.3|SS|8|2|Internal|0|0|300|5|1500", "0001", 3},
        // A name read as a bare number is found by the text it shows.
        {"1911", "4|S|1.2|SA|3|7|Magazine|0|2|200|5|1000", "0000", 4},
        // Of two frames with one name the later is chosen.
        {"Twin", "2|L|1|SA|0|1|Clip|0|1|20|5|100", "0000", 6},
    };
    for (const auto& [frame, stats, mounts, index] : cases) {
        SCOPED_TRACE(frame);
        PickFrame(frame);
        EXPECT_EQ(Stats(), stats);
        EXPECT_EQ(Mounts(), mounts);
        EXPECT_EQ(model.intChooseFrame, index);
        EXPECT_EQ(model.intFrameNumber, index);
        EXPECT_EQ(model.intBaseDPV, ItemValue::Number(std::stod(model.txtDPV.text)));
    }
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(DesignTest, PickingAFrameThrowsTheDesignAway) {
    PickFrame("Revolver");
    Install("Scope");
    model.txtFirearm.text = "Old Faithful";
    model.txtDescription.text = "Well worn";
    PickClass("Sights");

    PickFrame("Revolver");
    EXPECT_EQ(Stats(), "3|M|1.1|SA|4|6|Cylinder|0|2|150|5|750");
    EXPECT_EQ(Mounts(), "1100");
    EXPECT_EQ(model.intModCounter, 0);
    EXPECT_EQ(model.lstCurrentMod.Count() + model.lstChooseMod.Count(), 0);
    EXPECT_EQ(model.cmbChooseClass.text, "Choose Class");
    EXPECT_EQ(model.txtFirearm.text + model.txtDescription.text, "");
    EXPECT_EQ(model.txtLevel.text, "0");
}

TEST_F(DesignTest, NewWeaponClearsTheDesignButKeepsTheFrameAndTheLevelButtons) {
    PickFrame("Revolver");
    Install("Booster");
    Install("Forbidden");  // refused: "Add" goes off
    Select("Booster");
    model.RaiseLevel();
    model.txtFirearm.text = "Snub";
    ASSERT_TRUE(model.cmdLevelDown.enabled);
    ASSERT_FALSE(model.cmdAddMod.enabled);

    model.NewWeapon();
    EXPECT_EQ(Stats(), "0||||||||||5|");
    EXPECT_EQ(Mounts(), "0000");
    EXPECT_EQ(model.txtLevel.text, "0");
    EXPECT_EQ(model.txtFirearm.text + model.txtDescription.text, "");
    EXPECT_TRUE(model.cmdAddMod.enabled);
    EXPECT_TRUE(model.cmdLevelDown.enabled);
    EXPECT_EQ(model.cmbChooseFrame.text, "Revolver");
    EXPECT_EQ(model.intChooseFrame, 1);
    EXPECT_TRUE(model.intBaseDPV.IsEmpty());
    EXPECT_EQ(model.intModCounter, 0);
    EXPECT_EQ(model.Option(1), InstalledOption{});

    // The cleared design takes its next option in slot 1 once a frame shows again.
    PickFrame("Carbine");
    Install("Blank");
    EXPECT_EQ(model.Option(1), (InstalledOption{"Blank", 1}));
}

}  // namespace
}  // namespace kalverin
