#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "modification_editor/modification_editor_model.h"
#include "modification_editor/modification_test_data.h"
#include "test_support/faulty_disk_files.h"
#include "test_support/recording_dialogs.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using Names = std::vector<std::string>;
using Model = ModificationEditorModel;

class SaveChangesTest : public ::testing::Test {
  protected:
    SaveChangesTest() { testing::WriteEditorData(program); }

    // A fresh editor on the data folder, showing "Scope", record 2, from the class Sights.
    Model& ShowScope(FileStore& files = DiskFiles()) {
        dialogs.messages.clear();
        model = std::make_unique<Model>(program.path(), dialogs, files);
        model->Load();
        model->ChooseClass("Sights");
        model->ChooseModification(0);
        EXPECT_EQ(model->CMN, 2);
        return *model;
    }

    // The three files the editor writes, one after the other.
    std::string Saved() const {
        return Read("Modifications.txt") + Read("MaxLevel.txt") + Read("Details.txt");
    }
    std::string Read(const std::string& file) const { return program.Read("Data/" + file); }

    testing::TempFolder program;
    testing::RecordingDialogs dialogs;
    std::unique_ptr<Model> model;
};

// Unchanged boxes: Scope's quoted "2" in Power becomes a number, its empty Weight the number 0
// and its bare Mode 2 a text.
const char kScopeSavedUnchanged[] =
    R"("Sights","Scope",2,"+1",-1,0,3,"AP",0.5,-40,"Top","Large","Small",-0.5,"2",1.5)";

TEST_F(SaveChangesTest, UnchangedBoxesChangeOnlyTheKindsOfTheCurrentRecord) {
    ShowScope().SaveChanges();
    EXPECT_TRUE(dialogs.messages.empty());
    // Every other line is written as it was read: Folding Stock's empty mounts stay bare.
    Names expected = testing::CrLfLines(testing::kModifications);
    expected[2] = kScopeSavedUnchanged;
    EXPECT_EQ(testing::CrLfLines(Read("Modifications.txt")), expected);
    EXPECT_EQ(Read("MaxLevel.txt") + Read("Details.txt"), testing::kMaxLevels + testing::kDetails);
}

TEST_F(SaveChangesTest, BoxesAreConvertedAsTheyAreSavedAndKeepWhatWasTyped) {
    // The box (none: the level box of the column), what is typed, and Scope's line in the file.
    const std::tuple<TextBox Model::*, int, const char*, const char*, const char*> cases[] = {
        {&Model::txtPower, 0, "3 extra", "Modifications.txt",
         R"("Sights","Scope",3,"+1",-1,0,3,"AP",0.5,-40,"Top","Large","Small",-0.5,"2",1.5)"},
        {&Model::txtCapacity, 0, "2.5", "Modifications.txt",
         R"("Sights","Scope",2,"+1",-1,0,2,"AP",0.5,-40,"Top","Large","Small",-0.5,"2",1.5)"},
        {&Model::txtCapacity, 0, "3.5", "Modifications.txt",
         R"("Sights","Scope",2,"+1",-1,0,4,"AP",0.5,-40,"Top","Large","Small",-0.5,"2",1.5)"},
        {&Model::txtWeight, 0, "kg", "Modifications.txt", kScopeSavedUnchanged},
        {&Model::txtMarkup, 0, "0.1", "Modifications.txt",
         R"("Sights","Scope",2,"+1",-1,0,3,"AP",0.5,-40,"Top","Large","Small",-0.5,"2",0.1)"},
        {&Model::txtLoad, 0, "12", "Modifications.txt",
         R"("Sights","Scope",2,"+1",-1,0,3,"12",0.5,-40,"Top","Large","Small",-0.5,"2",1.5)"},
        {&Model::txtMount1, 0, "", "Modifications.txt",
         R"("Sights","Scope",2,"+1",-1,0,3,"AP",0.5,-40,"","Large","Small",-0.5,"2",1.5)"},
        {nullptr, 1, "2.5", "MaxLevel.txt", R"("Scope",2,1,2,3,4,5,6,7,8,9,10,11,12,-1)"},
        {nullptr, 14, " -3.5 ", "MaxLevel.txt", R"("Scope",0,1,2,3,4,5,6,7,8,9,10,11,12,-4)"},
        {&Model::txtDetails, 0, "Now, with a rail.", "Details.txt",
         R"("Scope","Now, with a rail.")"},
    };
    for (const auto& [field, column, typed, file, written] : cases) {
        SCOPED_TRACE(typed);
        testing::WriteEditorData(program);
        Model& editor = ShowScope();
        TextBox& box = field ? editor.*field : editor.Text(column);
        box.text = typed;
        editor.SaveChanges();
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(testing::CrLfLines(Read(file))[2], written);
        EXPECT_EQ(box.text, typed);
    }
}

TEST_F(SaveChangesTest, ARenameReachesTwoFilesWhileDetailsKeepsItsOldLabel) {
    Model& editor = ShowScope();
    editor.txtModification.text = "Night Scope";
    editor.SaveChanges();
    EXPECT_EQ(testing::CrLfLines(Read("Modifications.txt"))[2].substr(0, 24),
              R"("Sights","Night Scope",2)");
    EXPECT_EQ(testing::CrLfLines(Read("MaxLevel.txt"))[2],
              "\"Night Scope\",0,1,2,3,4,5,6,7,8,9,10,11,12,-1");
    EXPECT_EQ(Read("Details.txt"), testing::kDetails);
    EXPECT_EQ(editor.lstChooseMod.items(), (Names{"Night Scope", "Long Barrel"}));
    // What it wrote is what it has read: it saves again.
    editor.txtPower.text = "4";
    editor.SaveChanges();
    EXPECT_EQ(testing::CrLfLines(Read("Modifications.txt"))[2].substr(0, 25),
              R"("Sights","Night Scope",4,)");
}

TEST_F(SaveChangesTest, AShortDetailsFileIsPaddedWithEmptyRows) {
    program.Write("Data/Details.txt",
                  "2\r\n\"Match Barrel\",\"Lapped.\"\r\n\"Scope\",\"Magnified.\"\r\n");
    ShowScope().SaveChanges();
    EXPECT_EQ(Read("Details.txt"),
              "5\r\n\"Match Barrel\",\"Lapped.\"\r\n\"Scope\",\"Magnified.\"\r\n"
              ",\"\"\r\n,\"\"\r\n,\"\"\r\n");
    EXPECT_EQ(dialogs.messages,  // said on loading; the save goes ahead
              Names{"The data files disagree on the number of modifications: "
                    "Data/Modifications.txt lists 5, Data/MaxLevel.txt 5 and Data/Details.txt 2. "
                    "This window works with the 5 of Data/MaxLevel.txt, and Save Changes writes 5 "
                    "rows to each of the three files."});
}

TEST_F(SaveChangesTest, AnotherClassTakesTheModificationOutOfTheRefreshedList) {
    Model& editor = ShowScope();
    editor.txtModType.text = "Stock";
    editor.SaveChanges();
    EXPECT_EQ(editor.lstChooseMod.items(), Names{"Long Barrel"});
    EXPECT_EQ(editor.CMN, 2);
    EXPECT_EQ(editor.txtModType.text + editor.txtModification.text, "StockScope");
}

TEST_F(SaveChangesTest, ARefusalNamesTheBoxAndLeavesAllThreeFilesAsTheyWere) {
    const std::string outside = " is outside -32768 to 32767.";
    const std::string quote =
        " holds a double quote or a line break, which the data files "
        "cannot hold.";
    const std::string misread =
        "This window may have misread the data files, as it said when it opened. Correct them, "
        "then close the window and open it again.";
    // The editor loaded again after a data file was written.
    auto reloadedWith = [this](const char* file, std::string bytes) {
        return [this, file, bytes](Model& m) {
            program.Write(std::string("Data/") + file, bytes);
            m.Load();
            dialogs.messages.clear();
        };
    };
    const std::string frame = R"("Pistol",2,"L","SA",8,0.5,6,"Magazine",,,"",2,120,1)";
    const std::pair<std::function<void(Model&)>, std::string> cases[] = {
        {reloadedWith("MaxLevel.txt", "4\r\n" + testing::kMaxLevels.substr(3)), misread},
        {reloadedWith("Details.txt", "6\r\n" + testing::kDetails.substr(3) + "1,\"\"\r\n"),
         misread},
        {reloadedWith("Frames.txt", "1\r\n" + frame + "\r\n"), misread},
        {[this](Model&) { program.Write("Data/Details.txt", "0\r\n"); },
         "Data/Details.txt changed since this window read it: close the window and open it again "
         "to edit the new data."},
        {[](Model& m) { m.txtModType.text = std::string(4097, 'x'); },
         "Mod Type holds more than 4096 characters, more than the data files keep."},
        {[](Model& m) { m.Load(); },
         "No modification is chosen: choose one in the Options list first."},
        {[](Model& m) { m.ChooseClass("Stock"); },
         "The boxes were emptied when a class was chosen: choose a modification in the Options "
         "list first."},
        {[](Model& m) { m.Text(3).text = " "; },
         "The Heavy Pistol level is empty; every Maximum Level by Frame box needs a number."},
        {[](Model& m) { m.Text(8).text = "2 levels"; },
         R"(The Sporting Rifle level "2 levels" is not a number.)"},
        {[](Model& m) { m.Text(14).text = "32767.5"; },
         R"(The Assault Cannon level "32767.5")" + outside},
        {[](Model& m) { m.txtCapacity.text = "40000 rounds"; },
         R"(Ammo Capacity "40000 rounds")" + outside},
        {[](Model& m) { m.txtDPV.text = "-32768.6"; }, R"(DPV "-32768.6")" + outside},
        {[](Model& m) { m.txtMarkup.text = "1e39"; }, R"(Mark-Up "1e39" is too large.)"},
        {[](Model& m) { m.txtDamage.text = "1\"2"; }, "Damage" + quote},
        {[](Model& m) { m.txtDetails.text = "one\r\ntwo"; }, "Modification Details" + quote},
    };
    for (const auto& [change, message] : cases) {
        SCOPED_TRACE(message);
        testing::WriteEditorData(program);
        std::filesystem::remove(program.path() / "Data/Frames.txt");
        Model& editor = ShowScope();
        change(editor);
        const std::string before = Saved();
        const auto modifications = editor.modifications;
        const auto levels = editor.maxLevels;
        editor.SaveChanges();
        EXPECT_EQ(dialogs.messages, Names{message + " Nothing was saved."});
        EXPECT_EQ(Saved(), before);
        EXPECT_TRUE(editor.modifications == modifications && editor.maxLevels == levels);
    }
}

TEST_F(SaveChangesTest, AnEditorThatCouldNotReadItsFilesNeverWritesThem) {
    program.Write("Data/Classes.txt", "");
    const std::string before = Saved();
    Model editor(program.path(), dialogs);
    editor.Load();
    editor.CMN = 1;  // as if a modification had been current before
    editor.SaveChanges();
    EXPECT_EQ(dialogs.messages.back(),
              "The modification data could not be read when this window opened. Close the "
              "window, correct the data files and open it again. Nothing was saved.");
    EXPECT_EQ(Saved(), before);
}

TEST_F(SaveChangesTest, AWriteThatFailsAtAnyByteLeavesAllThreeFilesAsTheyWere) {
    const std::string before = Saved();
    std::set<std::string> failedFiles;
    for (std::size_t failAt = 0;; ++failAt) {
        ASSERT_LE(failAt, 2 * before.size()) << "the save never succeeds";
        testing::FaultyDiskFiles files(failAt);
        Model& editor = ShowScope(files);
        editor.txtModification.text = "Night Scope";
        editor.Text(1).text = "9";
        editor.SaveChanges();
        if (!files.failed()) {
            EXPECT_EQ(dialogs.messages, Names{});
            EXPECT_EQ(testing::CrLfLines(Read("MaxLevel.txt"))[2],
                      "\"Night Scope\",9,1,2,3,4,5,6,7,8,9,10,11,12,-1");
            break;
        }
        SCOPED_TRACE(failAt);
        const std::string failed = "Data/" + files.failedPath().filename().string();
        failedFiles.insert(failed);
        EXPECT_EQ(dialogs.messages,
                  Names{failed + " could not be written: No space left on "
                                 "device. The data files were left as they were."});
        EXPECT_EQ(Saved(), before);
        // The tables keep what the files hold; the boxes keep the edit for another try.
        EXPECT_EQ(editor.modifications[2].Modification.Shown() + editor.txtModification.text,
                  "ScopeNight Scope");
        EXPECT_EQ(editor.maxLevels[2].levels[0], 0);
    }
    EXPECT_EQ(failedFiles.size(), 3U) << "a write of each of the three files failed once";
}

}  // namespace
}  // namespace kalverin
