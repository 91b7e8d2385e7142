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
    const auto shown = View();
    EXPECT_EQ(shown.level + " " + shown.named, "0 ||Revolver");
    EXPECT_EQ(shown.installedLines.size() + shown.optionLines.size() + shown.options.size(), 0U);
    EXPECT_EQ(model.cmbChooseClass.text, "Choose Class");
}

TEST_F(DesignTest, NewWeaponClearsTheDesignButKeepsTheFrameAndTheLevelButtons) {
    PickFrame("Revolver");
    Install("Booster");
    Install("Forbidden");  // refused: "Add" goes off
    Select("Booster");
    model.RaiseLevel();
    model.txtFirearm.text = "Snub";
    ASSERT_EQ(View().buttons, (std::vector<bool>{false, false, true}));

    model.NewWeapon();
    EXPECT_EQ(Stats(), "0||||||||||5|");
    EXPECT_EQ(Mounts(), "0000");
    const auto cleared = View();
    EXPECT_EQ(cleared.level + " " + cleared.named, "0 ||Revolver");
    EXPECT_EQ(cleared.buttons, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(model.intChooseFrame, 1);
    EXPECT_TRUE(model.intBaseDPV.IsEmpty());
    EXPECT_EQ(model.intModCounter, 0);
    EXPECT_EQ(model.Option(1), InstalledOption{});
    TakeMessages();
    Install("Blank");
    EXPECT_EQ(TakeMessages(),
              std::vector<std::string>{"The Concealability box is empty. Choose a frame first."});

    // The cleared design takes its next option in slot 1 once a frame shows again.
    PickFrame("Carbine");
    Install("Blank");
    EXPECT_EQ(model.Option(1), (InstalledOption{"Blank", 1}));
}

}  // namespace
}  // namespace kalverin
