#include "modification_editor/modification_editor_model.h"

#include <gtest/gtest.h>

#include <vector>

#include <sys/stat.h>

#include "modification_editor/modification_test_data.h"
#include "test_support/recording_dialogs.h"
#include "test_support/stopping_files.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::RecordingDialogs;
using testing::TempFolder;
using Names = std::vector<std::string>;

// The 17 field boxes in the window's order, then the 14 level boxes, each followed by "|".
std::string Boxes(const ModificationEditorModel& m) {
    std::string shown;
    for (const TextBox* box :
         {&m.txtModType, &m.txtModification, &m.txtMount1, &m.txtMount2, &m.txtMount3, &m.txtPower,
          &m.txtDamage, &m.txtMode, &m.txtConceal, &m.txtCapacity, &m.txtLoad, &m.txtWeight,
          &m.txtRecoil, &m.txtFCU, &m.txtDPV, &m.txtMarkup, &m.txtDetails}) {
        shown += box->text + "|";
    }
    for (int j = 1; j <= kEditorFrameColumns; ++j) {
        shown += m.Text(j).text + "|";
    }
    return shown;
}

const std::string kNoBoxes(31, '|');

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

    EXPECT_TRUE(dialogs.messages.empty());  // the counts agree, and Frames.txt holds 14 frames
    EXPECT_EQ(model.intNumberofMods, 84);
    EXPECT_EQ(model.modifications[84].Modification, model.maxLevels[84].label);
    ASSERT_EQ(model.cmbChooseClass.list.Count(), 11);
    EXPECT_EQ(model.cmbChooseClass.list.items().front(), "All");
    EXPECT_EQ(model.lstChooseMod.Count(), 0);
    EXPECT_EQ(Boxes(model), kNoBoxes);
}

TEST_F(ModificationEditorTest, ListsTheModificationsOfTheChosenClassInFileOrder) {
    model.Load();
    const std::pair<const char*, Names> cases[] = {
        {"All", {"Match Barrel", "Scope", "Long Barrel", "Long Barrel", "Folding Stock"}},
        {"Sights", {"Scope", "Long Barrel"}},
        {"barrel", {}},
        {"all", {}},
    };
    for (const auto& [chosen, listed] : cases) {
        model.ChooseClass(chosen);
        EXPECT_EQ(model.lstChooseMod.items(), listed) << chosen;
        EXPECT_EQ(model.lstChooseMod.selected(), -1) << chosen;
    }
}

TEST_F(ModificationEditorTest, ChoosingAnEntryShowsEveryFieldLevelAndTheDetails) {
    model.Load();
    model.ChooseClass("Sights");
    model.ChooseModification(0);
    EXPECT_EQ(model.strChooseMod, "Scope");
    EXPECT_EQ(model.CMN, 2);
    EXPECT_EQ(Boxes(model),
              "Sights|Scope|Top|Large|Small|2|+1|2|-1|3|AP||-0.5|0.5|-40|1.5|Magnified sight, for "
              "the top rail.|0|1|2|3|4|5|6|7|8|9|10|11|12|-1|");

    // Choosing a class empties every box but keeps the current modification.
    model.ChooseClass("Barrel");
    EXPECT_EQ(Boxes(model), kNoBoxes);
    EXPECT_EQ(model.CMN, 2);
    EXPECT_EQ(model.strChooseMod, "Scope");
}

TEST_F(ModificationEditorTest, OfTwoModificationsWithOneNameEitherEntryShowsTheLaterOne) {
    model.Load();
    for (const char* chosen : {"Barrel", "Sights"}) {
        model.ChooseClass(chosen);
        model.ChooseModification(1);
        EXPECT_EQ(model.CMN, 4) << chosen;
        EXPECT_EQ(model.txtModType.text + " " + model.Text(1).text + " " + model.txtDetails.text,
                  "Sights 3 A sight rail on a long barrel.")
            << chosen;
    }
}

TEST_F(ModificationEditorTest, AFileThatCannotBeReadIsNamedAndTheEditorOpensEmpty) {
    const char* pipe = "a named pipe";
    const struct {
        const char* file;
        const char* bytes;  // nothing: the file is missing
        const char* message;
    } cases[] = {
        {"Modifications.txt",
         "\xEF\xBB\xBF"
         "5\r\n",
         "Data/Modifications.txt starts with a UTF-8 byte-order mark; save it as Windows-1252."},
        {"Details.txt", pipe, "Data/Details.txt cannot be read: it is a named pipe, not a file."},
        {"Modifications.txt", "5\r\n\"Barrel\",\"Match Barrel\"",
         "Data/Modifications.txt ends after 0 of 5 modifications."},
        {"Classes.txt", "16\r\n", "Data/Classes.txt lists 16 classes; Kalverin holds at most 15."},
        {"MaxLevel.txt", "", "Data/MaxLevel.txt is empty: it has no count line."},
        {"Details.txt", nullptr, "Data/Details.txt cannot be read: No such file or directory."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        testing::WriteEditorData(program);
        const auto path = program.path() / "Data" / c.file;
        std::filesystem::remove(path);
        if (c.bytes == pipe) {
            ::mkfifo(path.c_str(), 0600);
        } else if (c.bytes) {
            program.Write(std::string("Data/") + c.file, c.bytes);
        }
        RecordingDialogs seen;
        ModificationEditorModel editor(program.path(), seen);
        editor.Load();
        EXPECT_EQ(seen.messages, Names{c.message});
        EXPECT_EQ(editor.intNumberofMods, 0);
        EXPECT_EQ(editor.modifications[1], ModificationRecord{});
        EXPECT_EQ(editor.cmbChooseClass.list.Count(), 0);
        EXPECT_EQ(editor.cmbChooseClass.text, "Choose Class");
        std::filesystem::remove(path);  // a pipe would hold up the next case's writing
    }
}

TEST_F(ModificationEditorTest, ASaveCutShortIsPutBackAndSaidBeforeTheFilesAreRead) {
    testing::LeaveSaveCutShort(program.path() / "Data/MaxLevel.txt", "Data/MaxLevel.txt", "0\r\n");
    model.Load();
    EXPECT_EQ(dialogs.messages, Names{"A save of Data/MaxLevel.txt was cut short, so it was put "
                                      "back as it was before that save."});
}

TEST_F(ModificationEditorTest, FilesThatDisagreeOnTheCountAreReportedAndMaxLevelCountRules) {
    program.Write("Data/MaxLevel.txt", "3\r\n" + testing::kMaxLevels.substr(3));
    program.Write("Data/Details.txt", "2\r\n" + testing::kDetails.substr(3));
    model.Load();
    EXPECT_EQ(dialogs.messages,
              Names{"The data files disagree on the number of modifications: "
                    "Data/Modifications.txt lists 5, Data/MaxLevel.txt 3 and Data/Details.txt 2. "
                    "This window works with the 3 of Data/MaxLevel.txt, and it saves nothing until "
                    "they agree, as it could pair their rows wrongly."});
    model.ChooseClass("All");
    EXPECT_EQ(model.lstChooseMod.items(), (Names{"Match Barrel", "Scope", "Long Barrel"}));
    model.ChooseModification(2);
    EXPECT_EQ(model.txtDetails.text, "");
}

TEST_F(ModificationEditorTest, AFrameCountOtherThanFourteenIsReported) {
    const std::string frame = R"("Hold Out Pistol",2,"L","SA",8,0.5,6,"Magazine",,,"",2,120,1)";
    program.Write("Data/Frames.txt", "2\r\n" + frame + "\r\n" + frame + "\r\n");
    model.Load();
    EXPECT_EQ(
        dialogs.messages,
        Names{"Data/Frames.txt holds 2 frames, but this window keeps the maximum levels of 14 "
              "frames, in the order of its level captions. The main window reads 2 levels "
              "from each row of Data/MaxLevel.txt, so the two read the levels differently "
              "until Data/Frames.txt holds 14 frames again. Until then this window saves "
              "nothing."});
    EXPECT_EQ(model.intNumberofMods, 5);
}

}  // namespace
}  // namespace kalverin
