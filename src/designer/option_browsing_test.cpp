#include <gtest/gtest.h>

#include "designer/design_fixture.h"

namespace kalverin {
namespace {

using testing::DesignTest;
using Lines = std::vector<std::string>;

TEST_F(DesignTest, AClassListsItsOptionsInCatalogueOrder) {
    const std::pair<const char*, Lines> cases[] = {
        {"Sights", {"Scope", "Sight", "Lug"}},
        // Class names match exactly: "tuning" is not "Tuning".
        {"Tuning", {"Booster", "Blank", "Forbidden", "Broken"}},
        {"tuning", {"Lower"}},
        {"Empty", {}},
        {"Nonsense", {}},
        // An option of class "All" shows under "All" only, with every other option.
        {"All",
         {"Booster", "Blank", "Scope", "Sight", "Lug", "Bipod", "Drum", "Belt", "Single", "Gilding",
          "Inlay", "Forbidden", "Broken", "Extra", "Lower", "Universal"}},
    };
    for (const auto& [chosen, expected] : cases) {
        SCOPED_TRACE(chosen);
        PickClass(chosen);
        EXPECT_EQ(model.lstChooseMod.items(), expected);
        EXPECT_EQ(model.lstChooseMod.selected(), -1);
    }
}

TEST_F(DesignTest, ChoosingAClassLeavesTheDesignAlone) {
    PickFrame("Revolver");
    Install("Booster");
    Install("Forbidden");  // refused: "Add" goes off
    auto before = View();

    PickClass("Feed");
    auto after = View();
    EXPECT_EQ(after.optionLines, (Lines{"Drum", "Belt", "Single", "Extra"}));
    after.optionLines = before.optionLines;
    EXPECT_EQ(after, before);

    // A click on an option arms "Add" again.
    model.ChooseOption(1);
    EXPECT_EQ(model.lstChooseMod.SelectedText(), "Belt");
    EXPECT_TRUE(model.cmdAddMod.enabled);
}

}  // namespace
}  // namespace kalverin
