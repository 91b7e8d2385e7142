#include "frame_editor/frame_editor_model.h"

#include <gtest/gtest.h>

#include "test_support/faulty_disk_files.h"
#include "test_support/recording_dialogs.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::FaultyDiskFiles;
using testing::RecordingDialogs;
using testing::TempFolder;

const char kSaved[] = "All changes are saved.";

// A file's lines without their CR LF; line 0 is the count.
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(bytes.substr(start, end - start));
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

std::string FrameLine(const std::string& name, const std::string& power, int number) {
    return "\"" + name + "\"," + power + ",\"L\",\"SA\",2,1.5,6,\"Magazine\",\"Top\",,\"\",2,100," +
           std::to_string(number);
}

class FrameEditorTest : public ::testing::Test {
  public:
    FrameEditorTest() { testing::CopyBundledData(program); }

    // A program folder whose Frames.txt holds these lines instead of the bundled ones.
    void UseFrames(const std::vector<std::string>& lines) {
        program.Write("Data/Frames.txt", Joined(lines));
    }

    FrameEditorModel& Load(FileStore& files = DiskFiles()) {
        model = std::make_unique<FrameEditorModel>(program.path(), dialogs, files);
        model->LoadFrameTable();
        return *model;
    }

    // A pick from the chooser's list.
    void Choose(const std::string& name) {
        model->cmbChooseFrame.text = name;
        model->ChooseEditedFrame();
    }

    std::string FramesBytes() const { return program.Read("Data/Frames.txt"); }

    TempFolder program;
    RecordingDialogs dialogs;
    std::unique_ptr<FrameEditorModel> model;
};

TEST_F(FrameEditorTest, SavingUnchangedBoxesQuotesOnlyTheChosenFramesTextFields) {
    struct Case {
        const char* frame;
        std::size_t line;
        const char* written;
    };
    const Case cases[] = {
        // The bare 4 of Concealability comes back as the text "4"; FCU, DPV and the frame's
        // number stay bare.
        {"Heavy Pistol", 3,
         R"("Heavy Pistol","5","M","SA","4","1.3","6","Cylinder","Top","Barrel","Small",3,260,3)"},
        // Empty mounts become empty texts, which the main window reads as empty mounts too.
        {"Taser", 7, R"("Taser","1","L","SS","6","0.4","2","Internal","","","",1.5,100,7)"},
        {"Assault Cannon", 14,
         R"("Assault Cannon","14","D","SA","-8","24","12","Magazine","Top","Large","",8,1900,14)"},
    };
    const std::string bundled = testing::ReadFileBytes(testing::BundledData() / "Frames.txt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        dialogs.messages.clear();
        program.Write("Data/Frames.txt", bundled);
        Load();
        Choose(c.frame);
        model->SaveAndReload();

        std::vector<std::string> expected = Lines(bundled);
        expected[c.line] = c.written;
        EXPECT_EQ(FramesBytes(), Joined(expected));
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{kSaved});
    }
}

TEST_F(FrameEditorTest, AfterASaveTheBoxesAreClearedAndTheListReadAgain) {
    Load();
    Choose("Shotgun");
    model->txtFrame.text = "Riot Gun";
    model->SaveAndReload();

    EXPECT_EQ(model->intChooseFrame, 6);
    EXPECT_EQ(model->cmbChooseFrame.text, "Choose Frame");
    ASSERT_EQ(model->cmbChooseFrame.list.Count(), 14);
    EXPECT_EQ(model->cmbChooseFrame.list.items()[5], "Riot Gun");
    EXPECT_EQ(model->cmbChooseFrame.list.items()[0], "Hold Out Pistol");
    for (const FrameBox& entry : FrameBoxes()) {
        bool mount = std::string(entry.name).starts_with("txtMount");
        EXPECT_EQ(((*model).*entry.box).text, mount ? "None" : "") << entry.name;
    }
    // The new name is a frame of the table read back, and choosing it shows the saved frame.
    Choose("Riot Gun");
    EXPECT_EQ(model->intChooseFrame, 6);
    EXPECT_EQ(model->txtMount3.text, "Large");
    EXPECT_EQ(model->Frame(6).Power, ItemValue::Text("6"));
}

TEST_F(FrameEditorTest, EditedBoxesAreWrittenInTheirKinds) {
    // The Taser saved unchanged, item by item.
    const std::vector<std::string> unchanged = {
        R"("Taser")",    R"("1")", R"("L")", R"("SS")", R"("6")", R"("0.4")", R"("2")",
        R"("Internal")", R"("")",  R"("")",  R"("")",   "1.5",    "100",      "7"};
    struct Case {
        TextBox FrameEditorModel::*box;
        const char* typed;
        std::size_t item;  // from 1
        const char* written;
    };
    const Case cases[] = {
        {&FrameEditorModel::txtDPV, "12.5", 13, "12"},
        {&FrameEditorModel::txtDPV, "13.5", 13, "14"},
        {&FrameEditorModel::txtDPV, " -7 ", 13, "-7"},
        {&FrameEditorModel::txtFCU, "2.25", 12, "2.25"},
        // Narrowed to single precision, then written with its seven digits.
        {&FrameEditorModel::txtFCU, "0.1", 12, "0.1"},
        {&FrameEditorModel::txtFCU, "1.23456789", 12, "1.234568"},
        {&FrameEditorModel::txtPower, "", 2, R"("")"},
        {&FrameEditorModel::txtWeight, "0.4 kg", 6, R"("0.4 kg")"},
        {&FrameEditorModel::txtLoad, "Clip, 2", 8, R"("Clip, 2")"},
        {&FrameEditorModel::txtMount1, "Top", 9, R"("Top")"},
        {&FrameEditorModel::txtMount3, "Small", 11, R"("Small")"},
    };
    const std::string bundled = FramesBytes();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        program.Write("Data/Frames.txt", bundled);
        Load();
        Choose("Taser");
        ((*model).*c.box).text = c.typed;
        model->SaveAndReload();

        std::vector<std::string> items = unchanged;
        items[c.item - 1] = c.written;
        std::string line;
        for (const std::string& item : items) {
            line += (line.empty() ? "" : ",") + item;
        }
        EXPECT_EQ(Lines(FramesBytes())[7], line);
    }
}

TEST_F(FrameEditorTest, OfTwoFramesWithOneNameTheLaterIsEdited) {
    // A quoted count line stays quoted.
    std::vector<std::string> lines = {R"("3")", FrameLine("Carbine", "4", 1),
                                      FrameLine("Pistol", "2", 2), FrameLine("Carbine", "7", 3)};
    UseFrames(lines);
    Load();
    Choose("Carbine");
    EXPECT_EQ(model->intChooseFrame, 3);
    EXPECT_EQ(model->txtPower.text, "7");
    model->txtPower.text = "8";
    model->SaveAndReload();

    lines[3] = R"("Carbine","8","L","SA","2","1.5","6","Magazine","Top","","",2,100,3)";
    EXPECT_EQ(FramesBytes(), Joined(lines));
}

TEST_F(FrameEditorTest, TwentyFramesLoadInFullAndTheLastCanBeSaved) {
    std::vector<std::string> lines = {"20"};
    for (int i = 1; i <= 20; ++i) {
        lines.push_back(FrameLine("Frame " + std::to_string(i), std::to_string(i), i));
    }
    UseFrames(lines);
    Load();
    ASSERT_EQ(model->cmbChooseFrame.list.Count(), 20);
    EXPECT_EQ(model->cmbChooseFrame.list.items()[19], "Frame 20");
    EXPECT_TRUE(dialogs.messages.empty());

    Choose("Frame 20");
    EXPECT_EQ(model->intChooseFrame, 20);
    EXPECT_EQ(model->txtPower.text, "20");
    model->txtDPV.text = "99";
    model->SaveAndReload();
    lines[20] = R"("Frame 20","20","L","SA","2","1.5","6","Magazine","Top","","",2,99,20)";
    EXPECT_EQ(FramesBytes(), Joined(lines));
}

TEST_F(FrameEditorTest, TypingANameThatIsNotListedKeepsTheEditedFrame) {
    Load();
    Choose("Taser");
    model->txtPower.text = "3";
    Choose("Stun Gun");
    EXPECT_EQ(model->intChooseFrame, 7);
    // The frame is shown again from the table: the unsaved edit is gone.
    EXPECT_EQ(model->txtPower.text, "1");
}

TEST_F(FrameEditorTest, RefusedSavesLeaveTheFileAndTheTableAsTheyWere) {
    const char* chooseFirst =
        "Choose a frame from the list before saving; its boxes are what is saved.";
    const char* fcu = "The FCU box must hold a number, such as 4 or 2.5. Nothing was saved.";
    const char* dpv =
        "The DPV box must hold a whole number from -32768 to 32767. Nothing was saved.";
    struct Case {
        const char* name;
        const char* frame;  // the frame chosen first, if any
        bool savedBefore;   // a save has cleared the boxes since
        TextBox FrameEditorModel::*box;
        std::string typed;
        const char* message;
    };
    const Case cases[] = {
        {"no frame chosen yet", nullptr, false, &FrameEditorModel::txtFrame, "Nothing",
         chooseFirst},
        {"boxes cleared by a save", "Taser", true, &FrameEditorModel::txtFrame, "Nothing",
         chooseFirst},
        {"FCU not a number", "Taser", false, &FrameEditorModel::txtFCU, "1.5 units", fcu},
        {"FCU empty", "Taser", false, &FrameEditorModel::txtFCU, "", fcu},
        {"FCU beyond single precision", "Taser", false, &FrameEditorModel::txtFCU,
         "1" + std::string(40, '0'), fcu},
        {"DPV not a number", "Taser", false, &FrameEditorModel::txtDPV, "100x", dpv},
        {"DPV beyond 16 bits", "Taser", false, &FrameEditorModel::txtDPV, "32767.5", dpv},
        {"double quote", "Taser", false, &FrameEditorModel::txtMode, "S\"S",
         "The Mode box cannot hold a double quote or a line break. Nothing was saved."},
        {"line break", "Taser", false, &FrameEditorModel::txtLoad, "Inter\r\nnal",
         "The Ammo Load box cannot hold a double quote or a line break. Nothing was saved."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        program.Write("Data/Frames.txt",
                      testing::ReadFileBytes(testing::BundledData() / "Frames.txt"));
        Load();
        if (c.frame) {
            Choose(c.frame);
        }
        if (c.savedBefore) {
            model->SaveAndReload();
        }
        ((*model).*c.box).text = c.typed;
        const std::string before = FramesBytes();
        const int chosen = model->intChooseFrame;
        const FrameRecord table = chosen > 0 ? model->Frame(chosen) : FrameRecord{};

        dialogs.messages.clear();
        model->SaveAndReload();
        EXPECT_EQ(FramesBytes(), before);
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{c.message});
        if (chosen > 0) {
            EXPECT_EQ(model->Frame(chosen), table);
        }
    }
}

TEST_F(FrameEditorTest, AFrameTheFileCannotKeepStopsTheSave) {
    // A bare item may hold a double quote; written back between quotes it would break the line.
    UseFrames({"2", FrameLine("Pistol", "2", 1), FrameLine("Rifle", "6\"", 2)});
    const std::string before = FramesBytes();
    Load();
    Choose("Pistol");
    model->SaveAndReload();
    EXPECT_EQ(FramesBytes(), before);
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"Frame 2 of Data/Frames.txt has a double quote in its "
                                       "Power, which the file cannot keep. Nothing was saved."});
}

TEST_F(FrameEditorTest, AFramesFileThatCannotBeLoadedIsReportedAndNeverWritten) {
    struct Case {
        const char* name;
        std::optional<std::string> bytes;  // nothing: the file is missing
        const char* message;
    };
    const Case cases[] = {
        {"missing", std::nullopt,
         "Data/Frames.txt cannot be read: No such file or directory. The frame editor lists no "
         "frames and saves nothing."},
        {"count above 20", "21\r\n" + FrameLine("Pistol", "2", 1) + "\r\n",
         "Data/Frames.txt lists 21 frames; Kalverin holds at most 20. The frame editor lists no "
         "frames and saves nothing."},
        {"ends early", "2\r\n" + FrameLine("Pistol", "2", 1) + "\r\n",
         "Data/Frames.txt ends after 1 of 2 frames. The frame editor lists no frames and saves "
         "nothing."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(program.path() / "Data" / "Frames.txt");
        if (c.bytes) {
            program.Write("Data/Frames.txt", *c.bytes);
        }
        dialogs.messages.clear();
        Load();
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(model->cmbChooseFrame.list.Count(), 0);
        EXPECT_EQ(model->FrameCount(), 0);

        Choose("Pistol");
        model->txtFCU.text = "1";
        model->txtDPV.text = "1";
        model->SaveAndReload();
        EXPECT_EQ(std::filesystem::exists(program.path() / "Data" / "Frames.txt"),
                  c.bytes.has_value());
        if (c.bytes) {
            EXPECT_EQ(FramesBytes(), *c.bytes);
        }
        EXPECT_EQ(dialogs.messages.back(),
                  "Choose a frame from the list before saving; its boxes are what is saved.");
    }
}

TEST_F(FrameEditorTest, AWriteThatFailsAtAnyBytePutsThePreviousBytesBack) {
    const std::string before = FramesBytes();
    for (std::size_t failAt = 0;; ++failAt) {
        ASSERT_LE(failAt, 2 * before.size()) << "the save never succeeds";
        FaultyDiskFiles files(failAt);
        Load(files);
        Choose("Taser");
        model->txtPower.text = "2";
        dialogs.messages.clear();
        model->SaveAndReload();
        if (!files.failed()) {
            EXPECT_EQ(dialogs.messages, std::vector<std::string>{kSaved});
            EXPECT_EQ(Lines(FramesBytes())[7],
                      R"("Taser","2","L","SS","6","0.4","2","Internal","","","",1.5,100,7)");
            break;
        }
        SCOPED_TRACE(failAt);
        EXPECT_EQ(FramesBytes(), before);
        EXPECT_EQ(dialogs.messages,
                  std::vector<std::string>{"Data/Frames.txt could not be written: No space left "
                                           "on device. The data files were left as they were."});
        // The table keeps what the file holds; the boxes keep the edit for another try.
        EXPECT_EQ(model->Frame(7).Power, ItemValue::Number(1));
        EXPECT_EQ(model->txtPower.text, "2");
    }
}

}  // namespace
}  // namespace kalverin
