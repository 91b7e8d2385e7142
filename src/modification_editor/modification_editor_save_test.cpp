#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

#include "modification_editor/modification_editor_model.h"
#include "modification_editor/modification_test_data.h"
#include "test_support/faulty_disk_files.h"
#include "test_support/recording_dialogs.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::RecordingDialogs;
using testing::TempFolder;
using Names = std::vector<std::string>;

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    EXPECT_EQ(start, bytes.size()) << "the last line must end with CR LF";
    return lines;
}

// The three files the editor writes, as they are on disk.
struct SavedFiles {
    std::string modifications;
    std::string maxLevels;
    std::string details;

    friend bool operator==(const SavedFiles&, const SavedFiles&) = default;
};

SavedFiles ReadSaved(const TempFolder& program) {
    return {program.Read("Data/Modifications.txt"), program.Read("Data/MaxLevel.txt"),
            program.Read("Data/Details.txt")};
}

class SaveChangesTest : public ::testing::Test {
  protected:
    SaveChangesTest() { testing::WriteEditorData(program); }

    // Loads the small data set and shows "Scope", record 2, from the class Sights.
    void ShowScope(ModificationEditorModel& model) {
        model.Load();
        model.ChooseClass("Sights");
        model.ChooseModification(0);
        ASSERT_EQ(model.CMN, 2);
    }

    TempFolder program;
    RecordingDialogs dialogs;
    ModificationEditorModel model{program.path(), dialogs};
};

// Unchanged boxes: Scope's quoted "2" in Power becomes a number, its empty Weight the number 0
// and its bare Mode 2 a text; every other line is written as it was read.
const char kScopeSavedUnchanged[] =
    "\"Sights\",\"Scope\",2,\"+1\",-1,0,3,\"AP\",0.5,-40,\"Top\",\"Large\",\"Small\",-0.5,\"2\",1."
    "5";

TEST_F(SaveChangesTest, UnchangedBoxesChangeOnlyTheKindsOfTheCurrentRecord) {
    ShowScope(model);
    model.SaveChanges();

    EXPECT_TRUE(dialogs.messages.empty());
    std::vector<std::string> expected = Lines(testing::kModifications);
    expected[2] = kScopeSavedUnchanged;
    EXPECT_EQ(Lines(program.Read("Data/Modifications.txt")), expected);
    EXPECT_EQ(program.Read("Data/MaxLevel.txt"), testing::kMaxLevels);
    EXPECT_EQ(program.Read("Data/Details.txt"), testing::kDetails);
}

TEST(SaveChangesBundledTest, UnchangedBoxesRewriteTheBundledDataWithTheSameRows) {
    TempFolder program;
    testing::CopyBundledData(program);
    const SavedFiles before = ReadSaved(program);
    RecordingDialogs dialogs;
    ModificationEditorModel model(program.path(), dialogs);
    model.Load();
    model.ChooseClass("All");
    model.ChooseModification(0);
    model.SaveChanges();

    EXPECT_TRUE(dialogs.messages.empty());
    const SavedFiles after = ReadSaved(program);
    EXPECT_EQ(after.maxLevels, before.maxLevels);
    EXPECT_EQ(after.details, before.details);
    std::vector<std::string> expected = Lines(before.modifications);
    // The one empty item of the first record, its Mount 2, is written back as an empty text.
    ASSERT_EQ(expected[1],
              "\"Barrel\",\"Match Barrel\",0,\"\",0,0.1,0,\"\",-0.5,80,\"\",,\"\",0,"
              "\"\",0.25");
    expected[1] =
        "\"Barrel\",\"Match Barrel\",0,\"\",0,0.1,0,\"\",-0.5,80,\"\",\"\",\"\",0,\"\",0.25";
    EXPECT_EQ(Lines(after.modifications), expected);
}

// The items of one line, split at the commas outside double quotes.
std::vector<std::string> Items(const std::string& line) {
    std::vector<std::string> items(1);
    bool quoted = false;
    for (char c : line) {
        if (c == ',' && !quoted) {
            items.emplace_back();
            continue;
        }
        quoted = c == '"' ? !quoted : quoted;
        items.back() += c;
    }
    return items;
}

TEST_F(SaveChangesTest, BoxesAreConvertedAsTheyAreSavedAndKeepWhatWasTyped) {
    const struct {
        const char* box;
        const char* typed;
        const char* file;
        int item;  // Scope's item in that file, from 1
        const char* written;
    } cases[] = {
        {"txtPower", "3 extra", "Modifications.txt", 3, "3"},
        {"txtCapacity", "2.5", "Modifications.txt", 7, "2"},
        {"txtCapacity", "3.5", "Modifications.txt", 7, "4"},
        {"txtDPV", "-12.5 credits", "Modifications.txt", 10, "-12"},
        {"txtWeight", "kg", "Modifications.txt", 6, "0"},
        {"txtMarkup", "0.1", "Modifications.txt", 16, "0.1"},
        {"txtRecoil", "1e2 up", "Modifications.txt", 14, "100"},
        {"txtFCU", ".25", "Modifications.txt", 9, "0.25"},
        {"txtLoad", "12", "Modifications.txt", 8, "\"12\""},
        {"txtMount1", "", "Modifications.txt", 11, "\"\""},
        {"Text1", "2.5", "MaxLevel.txt", 2, "2"},
        {"Text14", " -3.5 ", "MaxLevel.txt", 15, "-4"},
        {"txtDetails", "Now, with a rail.", "Details.txt", 2, "\"Now, with a rail.\""},
    };
    const std::map<std::string, std::string> unchanged = {
        {"Modifications.txt", kScopeSavedUnchanged},
        {"MaxLevel.txt", Lines(testing::kMaxLevels)[2]},
        {"Details.txt", Lines(testing::kDetails)[2]},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        testing::WriteEditorData(folder);
        RecordingDialogs seen;
        ModificationEditorModel editor(folder.path(), seen);
        ShowScope(editor);
        const std::map<std::string, TextBox*> boxes = {
            {"txtPower", &editor.txtPower},   {"txtCapacity", &editor.txtCapacity},
            {"txtDPV", &editor.txtDPV},       {"txtWeight", &editor.txtWeight},
            {"txtMarkup", &editor.txtMarkup}, {"txtRecoil", &editor.txtRecoil},
            {"txtFCU", &editor.txtFCU},       {"txtLoad", &editor.txtLoad},
            {"txtMount1", &editor.txtMount1}, {"txtDetails", &editor.txtDetails},
            {"Text1", &editor.Text(1)},       {"Text14", &editor.Text(14)},
        };
        boxes.at(c.box)->text = c.typed;
        editor.SaveChanges();

        std::vector<std::string> expected = Items(unchanged.at(c.file));
        expected.at(static_cast<std::size_t>(c.item) - 1) = c.written;
        EXPECT_TRUE(seen.messages.empty()) << c.box << " " << c.typed;
        EXPECT_EQ(Items(Lines(folder.Read(std::string("Data/") + c.file))[2]), expected)
            << c.box << " " << c.typed;
        EXPECT_EQ(boxes.at(c.box)->text, c.typed);
    }
}

TEST_F(SaveChangesTest, AnEmptyMountIsAnEmptyTextOnTheCurrentRecordAndNothingOnOthers) {
    ShowScope(model);
    model.txtMount1.text = "";
    model.txtMount2.text = "";
    model.SaveChanges();

    std::vector<std::string> lines = Lines(program.Read("Data/Modifications.txt"));
    EXPECT_EQ(lines[2],
              "\"Sights\",\"Scope\",2,\"+1\",-1,0,3,\"AP\",0.5,-40,\"\",\"\",\"Small\",-0.5,\"2\","
              "1.5");
    EXPECT_EQ(lines[5], Lines(testing::kModifications)[5]);
    EXPECT_NE(lines[5].find(",30,,,\"\","), std::string::npos);
}

TEST_F(SaveChangesTest, ARenameReachesTwoFilesWhileDetailsKeepsItsOldLabel) {
    ShowScope(model);
    model.txtModification.text = "Night Scope";
    model.SaveChanges();

    EXPECT_EQ(Lines(program.Read("Data/Modifications.txt"))[2].substr(0, 24),
              "\"Sights\",\"Night Scope\",2");
    EXPECT_EQ(Lines(program.Read("Data/MaxLevel.txt"))[2],
              "\"Night Scope\",0,1,2,3,4,5,6,7,8,9,10,11,12,-1");
    EXPECT_EQ(program.Read("Data/Details.txt"), testing::kDetails);
    EXPECT_EQ(model.lstChooseMod.items(), (Names{"Night Scope", "Long Barrel"}));
    EXPECT_EQ(model.lstChooseMod.selected(), -1);
    EXPECT_EQ(model.CMN, 2);
    EXPECT_EQ(model.strChooseMod, "Scope");
}

TEST_F(SaveChangesTest, AShortDetailsFileIsPaddedWithEmptyRows) {
    program.Write("Data/Details.txt",
                  "2\r\n\"Match Barrel\",\"Lapped.\"\r\n\"Scope\",\"Magnified.\"\r\n");
    ShowScope(model);
    ASSERT_EQ(dialogs.messages.size(), 1U);  // the counts disagree
    model.SaveChanges();

    EXPECT_EQ(program.Read("Data/Details.txt"),
              "5\r\n\"Match Barrel\",\"Lapped.\"\r\n\"Scope\",\"Magnified.\"\r\n"
              ",\"\"\r\n,\"\"\r\n,\"\"\r\n");
    EXPECT_EQ(dialogs.messages.size(), 1U);
}

TEST_F(SaveChangesTest, AnotherClassTakesTheModificationOutOfTheListUnlessAllIsChosen) {
    const struct {
        const char* chosen;
        int scopeRow;
        Names listed;
    } cases[] = {
        {"Sights", 0, {"Long Barrel"}},
        {"All", 1, {"Match Barrel", "Scope", "Long Barrel", "Long Barrel", "Folding Stock"}},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        testing::WriteEditorData(folder);
        RecordingDialogs seen;
        ModificationEditorModel editor(folder.path(), seen);
        editor.Load();
        editor.ChooseClass(c.chosen);
        editor.ChooseModification(c.scopeRow);
        ASSERT_EQ(editor.CMN, 2);
        editor.txtModType.text = "Stock";
        editor.SaveChanges();

        EXPECT_EQ(editor.lstChooseMod.items(), c.listed) << c.chosen;
        EXPECT_EQ(editor.CMN, 2);
        EXPECT_EQ(editor.txtModType.text, "Stock");
        EXPECT_EQ(editor.txtModification.text, "Scope");
    }
}

TEST_F(SaveChangesTest, ARefusalNamesTheBoxAndLeavesAllThreeFilesAsTheyWere) {
    using Setup = std::function<void(ModificationEditorModel&)>;
    auto shown = [this](Setup change) {
        return [this, change](ModificationEditorModel& m) {
            ShowScope(m);
            change(m);
        };
    };
    const struct {
        const char* name;
        Setup setup;
        const char* message;
    } cases[] = {
        {"nothing chosen", [](ModificationEditorModel& m) { m.Load(); },
         "No modification is chosen: choose one in the Options list first. Nothing was saved."},
        {"class chosen since", shown([](ModificationEditorModel& m) { m.ChooseClass("Stock"); }),
         "The boxes were emptied when a class was chosen: choose a modification in the Options "
         "list first. Nothing was saved."},
        {"empty level", shown([](ModificationEditorModel& m) { m.Text(3).text = " "; }),
         "The Heavy Pistol level is empty; every Maximum Level by Frame box needs a number. "
         "Nothing was saved."},
        {"level not a number",
         shown([](ModificationEditorModel& m) { m.Text(8).text = "2 levels"; }),
         "The Sporting Rifle level \"2 levels\" is not a number. Nothing was saved."},
        {"level out of range",
         shown([](ModificationEditorModel& m) { m.Text(14).text = "32767.5"; }),
         "The Assault Cannon level \"32767.5\" is outside -32768 to 32767. Nothing was saved."},
        {"capacity out of range",
         shown([](ModificationEditorModel& m) { m.txtCapacity.text = "40000 rounds"; }),
         "Ammo Capacity \"40000 rounds\" is outside -32768 to 32767. Nothing was saved."},
        {"DPV out of range", shown([](ModificationEditorModel& m) { m.txtDPV.text = "-32768.6"; }),
         "DPV \"-32768.6\" is outside -32768 to 32767. Nothing was saved."},
        {"Mark-Up too large", shown([](ModificationEditorModel& m) { m.txtMarkup.text = "1e39"; }),
         "Mark-Up \"1e39\" is too large. Nothing was saved."},
        {"double quote", shown([](ModificationEditorModel& m) { m.txtDamage.text = "1\"2"; }),
         "Damage holds a double quote or a line break, which the data files cannot hold. "
         "Nothing was saved."},
        {"line break", shown([](ModificationEditorModel& m) { m.txtDetails.text = "one\r\ntwo"; }),
         "Modification Details holds a double quote or a line break, which the data files "
         "cannot hold. Nothing was saved."},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        testing::WriteEditorData(folder);
        const SavedFiles before = ReadSaved(folder);
        RecordingDialogs seen;
        ModificationEditorModel editor(folder.path(), seen);
        c.setup(editor);
        const auto modifications = editor.modifications;
        const auto levels = editor.maxLevels;
        editor.SaveChanges();

        EXPECT_EQ(seen.messages, Names{c.message}) << c.name;
        EXPECT_TRUE(ReadSaved(folder) == before) << c.name;
        EXPECT_TRUE(editor.modifications == modifications) << c.name;
        EXPECT_TRUE(editor.maxLevels == levels) << c.name;
    }
}

TEST_F(SaveChangesTest, AnEditorThatCouldNotReadItsFilesNeverWritesThem) {
    program.Write("Data/Classes.txt", "");
    model.Load();
    const SavedFiles before = ReadSaved(program);
    model.CMN = 1;  // as if a modification had been current before
    model.SaveChanges();

    EXPECT_EQ(dialogs.messages.back(),
              "The modification data could not be read when this window opened. Close the "
              "window, correct the data files and open it again. Nothing was saved.");
    EXPECT_TRUE(ReadSaved(program) == before);
}

TEST_F(SaveChangesTest, AWriteThatFailsAtAnyByteLeavesAllThreeFilesAsTheyWere) {
    const SavedFiles before = ReadSaved(program);
    const std::size_t total =
        before.modifications.size() + before.maxLevels.size() + before.details.size();
    std::set<std::string> failedFiles;
    for (std::size_t failAt = 0;; ++failAt) {
        ASSERT_LE(failAt, 2 * total) << "the save never succeeds";
        testing::FaultyDiskFiles files(failAt);
        ModificationEditorModel editor(program.path(), dialogs, files);
        ShowScope(editor);
        editor.txtModification.text = "Night Scope";
        editor.Text(1).text = "9";
        dialogs.messages.clear();
        editor.SaveChanges();
        if (!files.failed()) {
            EXPECT_EQ(dialogs.messages, Names{});
            EXPECT_EQ(Lines(program.Read("Data/MaxLevel.txt"))[2],
                      "\"Night Scope\",9,1,2,3,4,5,6,7,8,9,10,11,12,-1");
            break;
        }
        SCOPED_TRACE(failAt);
        const std::string failed = "Data/" + files.failedPath().filename().string();
        failedFiles.insert(failed);
        EXPECT_EQ(dialogs.messages,
                  Names{failed + " could not be written: No space left on "
                                 "device. The data files were left as they were."});
        EXPECT_TRUE(ReadSaved(program) == before);
        EXPECT_EQ(editor.modifications[2].Modification.Shown(), "Scope");
        EXPECT_EQ(editor.maxLevels[2].levels[0], 0);
        EXPECT_EQ(editor.txtModification.text, "Night Scope");
    }
    EXPECT_EQ(failedFiles.size(), 3U) << "a write of each of the three files failed once";
}

}  // namespace
}  // namespace kalverin
