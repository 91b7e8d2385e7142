#include "modification_editor/modification_editor_model.h"

#include <gtest/gtest.h>

#include <vector>

#include "modification_editor/modification_test_data.h"
#include "test_support/recording_dialogs.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::RecordingDialogs;
using testing::TempFolder;
using Names = std::vector<std::string>;

// The 17 field boxes and the 14 level boxes.
std::vector<const TextBox*> AllBoxes(const ModificationEditorModel& m) {
    std::vector<const TextBox*> boxes = {
        &m.txtModType, &m.txtModification, &m.txtMount1, &m.txtMount2,  &m.txtMount3,
        &m.txtPower,   &m.txtDamage,       &m.txtMode,   &m.txtConceal, &m.txtCapacity,
        &m.txtLoad,    &m.txtWeight,       &m.txtRecoil, &m.txtFCU,     &m.txtDPV,
        &m.txtMarkup,  &m.txtDetails,
    };
    for (int j = 1; j <= kEditorFrameColumns; ++j) {
        boxes.push_back(&m.Text(j));
    }
    return boxes;
}

void ExpectAllBoxesEmpty(const ModificationEditorModel& model) {
    for (const TextBox* box : AllBoxes(model)) {
        EXPECT_EQ(box->text, "");
    }
}

class ModificationEditorTest : public ::testing::Test {
  protected:
    ModificationEditorTest() { testing::WriteEditorData(program); }

    TempFolder program;
    RecordingDialogs dialogs;
    ModificationEditorModel model{program.path(), dialogs};
};

TEST(ModificationEditorBundledTest, LoadsTheBundledDataIntoAnEmptyWindow) {
    TempFolder program;
    testing::CopyBundledData(program);
    RecordingDialogs dialogs;
    ModificationEditorModel model(program.path(), dialogs);
    model.Load();

    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(model.intNumberofMods, 84);
    EXPECT_EQ(model.CMN, 0);
    EXPECT_EQ(model.cmbChooseClass.text, "Choose Class");
    ASSERT_EQ(model.cmbChooseClass.list.Count(), 11);
    EXPECT_EQ(model.cmbChooseClass.list.items().front(), "All");
    EXPECT_EQ(model.classes[1], "All");
    EXPECT_EQ(model.lstChooseMod.Count(), 0);
    ExpectAllBoxesEmpty(model);
    EXPECT_EQ(model.modifications[84].Modification, model.maxLevels[84].label);
}

TEST_F(ModificationEditorTest, ListsTheModificationsOfTheChosenClassInFileOrder) {
    model.Load();
    const struct {
        const char* chosen;
        Names listed;
    } cases[] = {
        {"All", {"Match Barrel", "Scope", "Long Barrel", "Long Barrel", "Folding Stock"}},
        {"Barrel", {"Match Barrel", "Long Barrel"}},
        {"Sights", {"Scope", "Long Barrel"}},
        {"barrel", {}},
        {"all", {}},
        {"Feed", {}},
    };
    for (const auto& c : cases) {
        model.ChooseClass(c.chosen);
        EXPECT_EQ(model.lstChooseMod.items(), c.listed) << c.chosen;
        EXPECT_EQ(model.lstChooseMod.selected(), -1) << c.chosen;
    }
}

TEST_F(ModificationEditorTest, ChoosingAnEntryShowsEveryFieldLevelAndTheDetails) {
    model.Load();
    model.ChooseClass("Sights");
    model.ChooseModification(0);

    EXPECT_EQ(model.strChooseMod, "Scope");
    EXPECT_EQ(model.CMN, 2);
    const std::pair<const TextBox*, const char*> shown[] = {
        {&model.txtModType, "Sights"},
        {&model.txtModification, "Scope"},
        {&model.txtPower, "2"},
        {&model.txtDamage, "+1"},
        {&model.txtConceal, "-1"},
        {&model.txtWeight, ""},
        {&model.txtCapacity, "3"},
        {&model.txtLoad, "AP"},
        {&model.txtFCU, "0.5"},
        {&model.txtDPV, "-40"},
        {&model.txtMount1, "Top"},
        {&model.txtMount2, "Large"},
        {&model.txtMount3, "Small"},
        {&model.txtRecoil, "-0.5"},
        {&model.txtMode, "2"},
        {&model.txtMarkup, "1.5"},
        {&model.txtDetails, "Magnified sight, for the top rail."},
    };
    for (const auto& [box, text] : shown) {
        EXPECT_EQ(box->text, text);
    }
    for (int j = 1; j <= kEditorFrameColumns; ++j) {
        EXPECT_EQ(model.Text(j).text, j == 14 ? "-1" : std::to_string(j - 1)) << "Text" << j;
    }
}

TEST_F(ModificationEditorTest, OfTwoModificationsWithOneNameEitherEntryShowsTheLaterOne) {
    model.Load();
    for (const char* chosen : {"Barrel", "Sights"}) {
        model.ChooseClass(chosen);
        model.ChooseModification(1);
        EXPECT_EQ(model.CMN, 4) << chosen;
        EXPECT_EQ(model.txtModType.text, "Sights") << chosen;
        EXPECT_EQ(model.Text(1).text, "3") << chosen;
        EXPECT_EQ(model.txtDetails.text, "A sight rail on a long barrel.") << chosen;
    }
}

TEST_F(ModificationEditorTest, ChoosingAClassEmptiesEveryBoxButKeepsTheCurrentModification) {
    model.Load();
    model.ChooseClass("All");
    model.ChooseModification(1);
    model.txtPower.text = "typed";

    model.ChooseClass("All");
    ExpectAllBoxesEmpty(model);
    EXPECT_EQ(model.CMN, 2);
    EXPECT_EQ(model.strChooseMod, "Scope");
    EXPECT_EQ(model.lstChooseMod.Count(), 5);
}

TEST_F(ModificationEditorTest, AFileThatCannotBeReadIsNamedAndTheEditorOpensEmpty) {
    const struct {
        const char* file;
        const char* bytes;  // nothing: the file is missing
        const char* message;
    } cases[] = {
        {"Modifications.txt", "5\r\n\"Barrel\",\"Match Barrel\"",
         "Data/Modifications.txt ends after 0 of 5 modifications."},
        {"Classes.txt", "16\r\n", "Data/Classes.txt lists 16 classes; Kalverin holds at most 15."},
        {"MaxLevel.txt", "", "Data/MaxLevel.txt is empty: it has no count line."},
        {"Details.txt", nullptr, "Data/Details.txt cannot be read: No such file or directory."},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        testing::WriteEditorData(folder);
        if (c.bytes) {
            folder.Write(std::string("Data/") + c.file, c.bytes);
        } else {
            std::filesystem::remove(folder.path() / "Data" / c.file);
        }
        RecordingDialogs seen;
        ModificationEditorModel editor(folder.path(), seen);
        editor.Load();

        EXPECT_EQ(seen.messages, Names{c.message}) << c.file;
        EXPECT_EQ(editor.intNumberofMods, 0) << c.file;
        EXPECT_EQ(editor.cmbChooseClass.list.Count(), 0) << c.file;
        EXPECT_EQ(editor.cmbChooseClass.text, "Choose Class") << c.file;
        EXPECT_EQ(editor.modifications[1], ModificationRecord{}) << c.file;
        editor.ChooseClass("All");
        EXPECT_EQ(editor.lstChooseMod.Count(), 0) << c.file;
    }
}

TEST_F(ModificationEditorTest, FilesThatDisagreeOnTheCountAreReportedAndMaxLevelCountRules) {
    program.Write("Data/MaxLevel.txt", "3\r\n" + testing::kMaxLevels.substr(3));
    program.Write("Data/Details.txt", "2\r\n" + testing::kDetails.substr(3));
    model.Load();

    EXPECT_EQ(dialogs.messages,
              Names{"The data files disagree on the number of modifications: "
                    "Data/Modifications.txt lists 5, Data/MaxLevel.txt 3 and Data/Details.txt 2. "
                    "This window works with the 3 of Data/MaxLevel.txt, and Save Changes writes 3 "
                    "rows to each of the three files."});
    EXPECT_EQ(model.intNumberofMods, 3);
    model.ChooseClass("All");
    EXPECT_EQ(model.lstChooseMod.items(), (Names{"Match Barrel", "Scope", "Long Barrel"}));
    model.ChooseModification(2);
    EXPECT_EQ(model.txtDetails.text, "");
}

TEST_F(ModificationEditorTest, AFrameCountOtherThanFourteenIsReported) {
    const std::string frame =
        "\"Hold Out Pistol\",2,\"L\",\"SA\",8,0.5,6,\"Magazine\",\"Barrel\",,\"\",2,120,1\r\n";
    std::string fourteen = "14\r\n";
    for (int i = 0; i < 14; ++i) {
        fourteen += frame;
    }
    const struct {
        std::string frames;
        Names messages;
    } cases[] = {
        {fourteen, {}},
        {"2\r\n" + frame + frame,
         {"Data/Frames.txt holds 2 frames, but this window keeps the maximum levels of 14 "
          "frames, in the order of its level captions. The main window reads 2 levels from each "
          "row of Data/MaxLevel.txt, so the two read the levels differently until "
          "Data/Frames.txt holds 14 frames again."}},
    };
    for (const auto& c : cases) {
        program.Write("Data/Frames.txt", c.frames);
        RecordingDialogs seen;
        ModificationEditorModel editor(program.path(), seen);
        editor.Load();
        EXPECT_EQ(seen.messages, c.messages);
        EXPECT_EQ(editor.intNumberofMods, 5);
    }
}

}  // namespace
}  // namespace kalverin
