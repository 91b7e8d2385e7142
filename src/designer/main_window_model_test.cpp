#include "designer/main_window_model.h"

#include <gtest/gtest.h>

#include "test_support/recording_dialogs.h"
#include "test_support/stopping_files.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::RecordingDialogs;
using testing::TempFolder;

class MainWindowStartTest : public ::testing::Test {
  protected:
    MainWindowStartTest() { testing::CopyBundledData(program); }

    TempFolder program;
    RecordingDialogs dialogs;
};

TEST_F(MainWindowStartTest, StartsWithEmptyBoxesAndTheChoosersFilled) {
    MainWindowModel model(program.path(), program.path(), dialogs);
    model.Load();

    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(model.sngMarkUp, 5.0F);
    EXPECT_EQ(model.intModLevel, 1);
    EXPECT_FALSE(model.cmdLevelUp.enabled);
    EXPECT_FALSE(model.cmdLevelDown.enabled);
    for (const TextBox* box :
         {&model.txtPower, &model.txtDamage, &model.txtWeight, &model.txtMode, &model.txtConceal,
          &model.txtCapacity, &model.txtLoad, &model.txtRecoil, &model.txtFCU, &model.txtDPV,
          &model.txtMarkup, &model.txtPrice, &model.txtLevel}) {
        EXPECT_EQ(box->text, "");
    }
    for (const CheckBox* box :
         {&model.chkBarrel, &model.chkTop, &model.chkLarge, &model.chkSmall}) {
        EXPECT_EQ(box->value, 0);
    }
    EXPECT_EQ(model.cmbChooseFrame.text, "Choose Frame");
    EXPECT_EQ(model.cmbChooseClass.text, "Choose Class");
    ASSERT_EQ(model.cmbChooseFrame.list.Count(), 14);
    EXPECT_EQ(model.cmbChooseFrame.list.items().front(), "Hold Out Pistol");
    EXPECT_EQ(model.cmbChooseFrame.list.items().back(), "Assault Cannon");
    EXPECT_EQ(model.cmbChooseClass.list.items().front(), "All");
    EXPECT_EQ(static_cast<std::size_t>(model.cmbChooseClass.list.Count()),
              model.catalogue.classes.size());
}

TEST_F(MainWindowStartTest, ASaveCutShortIsPutBackAndSaidOnceBeforeTheDataIsRead) {
    const std::string frames = program.Read("Data/Frames.txt");
    testing::LeaveSaveCutShort(program.path() / "Data/Frames.txt", "Data/Frames.txt",
                               "1\r\n\"" + std::string(100, 'x') + "\",1,2\r\n");
    MainWindowModel model(program.path(), program.path(), dialogs);
    model.Load();
    model.ReloadData();
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"A save of Data/Frames.txt was cut short, "
                                                         "so it was put back as it was before "
                                                         "that save."});
    EXPECT_EQ(program.Read("Data/Frames.txt"), frames);
}

TEST_F(MainWindowStartTest, AFaultyDataFileIsReportedAndTheCatalogueStaysEmpty) {
    program.Write("Data/Frames.txt", "14\r\n\"Hold Out Pistol\",1\r\n");
    MainWindowModel model(program.path(), program.path(), dialogs);
    model.Load();

    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0], "Data/Frames.txt ends after 0 of 14 frames.");
    EXPECT_EQ(model.cmbChooseFrame.list.Count(), 0);
    EXPECT_EQ(model.cmbChooseClass.list.Count(), 0);
    EXPECT_EQ(model.catalogue.intNumberofMods, 0);
}

TEST_F(MainWindowStartTest, ReloadShowsWhatAnEditorSavedAndClearsTheDesign) {
    MainWindowModel model(program.path(), program.path(), dialogs);
    model.Load();
    model.cmbChooseFrame.text = "Heavy Pistol";
    model.txtFirearm.text = "Old name";
    model.txtDPV.text = "300";
    model.lstChooseMod.Add("Scope");

    std::string frames = program.Read("Data/Frames.txt");
    frames.replace(frames.find("Heavy Pistol"), 12, "Big Pistol");
    program.Write("Data/Frames.txt", frames);
    EXPECT_EQ(model.cmbChooseFrame.list.items()[2], "Heavy Pistol");

    model.ReloadData();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(model.cmbChooseFrame.list.items()[2], "Big Pistol");
    EXPECT_EQ(model.cmbChooseFrame.list.Count(), 14);
    EXPECT_EQ(model.cmbChooseFrame.text, "Choose Frame");
    EXPECT_EQ(model.txtFirearm.text, "");
    EXPECT_EQ(model.txtDPV.text, "");
    EXPECT_EQ(model.txtPower.text, "0");
    EXPECT_EQ(model.txtMarkup.text, "5");
    EXPECT_EQ(model.txtLevel.text, "0");
    EXPECT_EQ(model.lstChooseMod.Count(), 0);
}

TEST_F(MainWindowStartTest, AFaultyReloadChangesNothing) {
    MainWindowModel model(program.path(), program.path(), dialogs);
    model.Load();
    model.txtFirearm.text = "Keep me";
    model.txtDPV.text = "300";
    program.Write("Data/Classes.txt", "16\r\n");

    model.ReloadData();
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0], "Data/Classes.txt lists 16 classes; Kalverin holds at most 15.");
    EXPECT_EQ(model.txtFirearm.text, "Keep me");
    EXPECT_EQ(model.txtDPV.text, "300");
    EXPECT_EQ(model.cmbChooseFrame.list.Count(), 14);
    EXPECT_GT(model.cmbChooseClass.list.Count(), 0);
    EXPECT_EQ(model.catalogue.intNumberofFrames, 14);
}

}  // namespace
}  // namespace kalverin
