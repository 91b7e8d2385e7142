#include "frame_editor/frame_editor_model.h"

#include <gtest/gtest.h>

#include "test_support/faulty_disk_files.h"
#include "test_support/recording_dialogs.h"
#include "test_support/stopping_files.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using Texts = std::vector<std::string>;

const char kSaved[] = "All changes are saved.";
const char kChooseFirst[] =
    "Choose a frame from the list before saving; its boxes are what is saved.";

std::string Joined(const Texts& items, const char* separator) {
    std::string joined;
    for (std::size_t i = 0; i < items.size(); ++i) {
        joined += (i ? separator : "") + items[i];
    }
    return joined;
}

std::string FrameLine(const std::string& name, const std::string& power, int number) {
    return "\"" + name + "\"," + power + ",\"L\",\"SA\",2,1.5,6,\"Magazine\",\"Top\",,\"\",2,100," +
           std::to_string(number);
}

class FrameEditorTest : public ::testing::Test {
  public:
    FrameEditorTest() { testing::CopyBundledData(program); }

    // A fresh editor on Frames.txt holding `frames` (nothing: no such file), with the frame
    // `name` picked if given.
    void Open(const std::optional<std::string>& frames, const char* name = nullptr,
              FileStore& files = DiskFiles()) {
        std::filesystem::remove(program.path() / "Data" / "Frames.txt");
        if (frames) {
            program.Write("Data/Frames.txt", *frames);
        }
        dialogs.messages.clear();
        model = std::make_unique<FrameEditorModel>(program.path(), dialogs, files);
        model->LoadFrameTable();
        if (name) {
            Choose(name);
        }
    }

    void Choose(const std::string& name) {
        model->cmbChooseFrame.text = name;
        model->ChooseEditedFrame();
    }

    // The thirteen boxes, joined by "|".
    std::string Boxes() const {
        Texts texts;
        for (const FrameBox& entry : FrameBoxes()) {
            texts.push_back(((*model).*entry.box).text);
        }
        return Joined(texts, "|");
    }

    std::string FramesBytes() const { return program.Read("Data/Frames.txt"); }

    testing::TempFolder program;
    testing::RecordingDialogs dialogs;
    std::unique_ptr<FrameEditorModel> model;
    const std::string bundled = testing::ReadFileBytes(testing::BundledData() / "Frames.txt");
};

TEST_F(FrameEditorTest, TheChosenFrameIsWrittenFromItsBoxesInTheirKindsAndTheRestAsRead) {
    using Model = FrameEditorModel;
    const std::tuple<const char*, TextBox Model::*, const char*, const char*> cases[] = {
        // Unchanged: the bare 4 of Concealability comes back as the text "4"; FCU, DPV and the
        // frame's number stay bare.
        {"Heavy Pistol", nullptr, "",
         R"("Heavy Pistol","5","M","SA","4","1.3","6","Cylinder","Top","Barrel","Small",3,260,3)"},
        // Empty mounts become empty texts, which the main window reads as empty mounts too.
        {"Taser", nullptr, "",
         R"("Taser","1","L","SS","6","0.4","2","Internal","","","",1.5,100,7)"},
        {"Taser", &Model::txtDPV, "12.5",
         R"("Taser","1","L","SS","6","0.4","2","Internal","","","",1.5,12,7)"},
        {"Taser", &Model::txtDPV, "13.5",
         R"("Taser","1","L","SS","6","0.4","2","Internal","","","",1.5,14,7)"},
        // Narrowed to single precision, then written with its seven digits.
        {"Taser", &Model::txtFCU, "1.23456789",
         R"("Taser","1","L","SS","6","0.4","2","Internal","","","",1.234568,100,7)"},
        {"Taser", &Model::txtPower, "",
         R"("Taser","","L","SS","6","0.4","2","Internal","","","",1.5,100,7)"},
        {"Taser", &Model::txtLoad, "Clip, 2",
         R"("Taser","1","L","SS","6","0.4","2","Clip, 2","","","",1.5,100,7)"},
    };
    for (const auto& [frame, box, typed, written] : cases) {
        SCOPED_TRACE(written);
        Open(bundled, frame);
        if (box) {
            ((*model).*box).text = typed;
        }
        Texts expected = testing::CrLfLines(bundled);
        expected[static_cast<std::size_t>(model->intChooseFrame)] = written;
        model->SaveAndReload();
        EXPECT_EQ(testing::CrLfLines(FramesBytes()), expected);
        EXPECT_EQ(dialogs.messages, Texts{kSaved});
    }
}

TEST_F(FrameEditorTest, ASaveClearsTheBoxesAndListsTheFramesAgainUnderTheirNewNames) {
    Open(bundled, "Shotgun");
    model->txtFrame.text = "Riot Gun";
    model->SaveAndReload();
    EXPECT_EQ(Boxes(), "||||||||None|None|None||");
    EXPECT_EQ(model->cmbChooseFrame.text, "Choose Frame");
    ASSERT_EQ(model->cmbChooseFrame.list.Count(), 14);
    EXPECT_EQ(model->cmbChooseFrame.list.items()[5], "Riot Gun");

    Choose("Riot Gun");
    EXPECT_EQ(Boxes(), "Riot Gun|6|S|SA|-2|3.6|8|Internal|Barrel|Top|Large|4|420");
    // A name that is not listed keeps the edited frame and shows it again from the table.
    model->txtPower.text = "3";
    Choose("Stun Gun");
    EXPECT_EQ(model->intChooseFrame, 6);
    EXPECT_EQ(model->txtPower.text, "6");
}

TEST_F(FrameEditorTest, TwentyFramesLoadInFullAndOfTwoWithOneNameTheLaterIsEdited) {
    Texts lines = {R"("20")"};  // a quoted count stays quoted
    for (int i = 1; i <= 20; ++i) {
        lines.push_back(
            FrameLine(i == 20 ? "Frame 3" : "Frame " + std::to_string(i), std::to_string(i), i));
    }
    Open(Joined(lines, "\r\n") + "\r\n", "Frame 3");
    EXPECT_EQ(model->cmbChooseFrame.list.Count(), 20);
    EXPECT_EQ(model->intChooseFrame, 20);
    EXPECT_EQ(model->txtPower.text, "20");
    model->txtPower.text = "8";
    model->SaveAndReload();
    lines[20] = R"("Frame 3","8","L","SA","2","1.5","6","Magazine","Top","","",2,100,20)";
    EXPECT_EQ(testing::CrLfLines(FramesBytes()), lines);
}

TEST_F(FrameEditorTest, RefusedSavesLeaveTheFileAndTheTableAsTheyWere) {
    const char* fcu = "The FCU box must hold a number, such as 4 or 2.5. Nothing was saved.";
    const char* dpv =
        "The DPV box must hold a whole number from -32768 to 32767. Nothing was saved.";
    // What happened after the frame was chosen: nothing, a save, or a save by another window.
    enum Before { Chosen, Saved, SavedElsewhere };
    const std::tuple<const char*, Before, TextBox FrameEditorModel::*, std::string, std::string>
        cases[] = {
            // No frame chosen yet, and boxes a save has cleared.
            {nullptr, Chosen, &FrameEditorModel::txtFrame, "Nothing", kChooseFirst},
            {"Taser", Saved, &FrameEditorModel::txtFrame, "Nothing", kChooseFirst},
            {"Taser", Chosen, &FrameEditorModel::txtFCU, "1.5 units", fcu},
            {"Taser", Chosen, &FrameEditorModel::txtFCU, "1" + std::string(40, '0'), fcu},
            {"Taser", Chosen, &FrameEditorModel::txtDPV, "32767.5", dpv},
            {"Taser", Chosen, &FrameEditorModel::txtMode, "S\"S",
             "The Mode box cannot hold a double quote or a line break. Nothing was saved."},
            {"Taser", Chosen, &FrameEditorModel::txtLoad, "Inter\r\nnal",
             "The Ammo Load box cannot hold a double quote or a line break. Nothing was saved."},
            {"Taser", Chosen, &FrameEditorModel::txtFrame, std::string(4097, 'x'),
             "The Frame box holds more than 4096 characters, more than the file keeps. Nothing "
             "was saved."},
            {"Taser", SavedElsewhere, &FrameEditorModel::txtPower, "3",
             "Data/Frames.txt changed since this window read it: close the window and open it "
             "again to edit the new data. Nothing was saved."},
        };
    for (const auto& [frame, before, box, typed, message] : cases) {
        SCOPED_TRACE(typed);
        Open(bundled, frame);
        if (before == Saved) {
            model->SaveAndReload();
        }
        if (before == SavedElsewhere) {
            program.Write("Data/Frames.txt", bundled + "\r\n");
        }
        ((*model).*box).text = typed;
        const std::string onDisk = FramesBytes();
        const FrameRecord taser = model->Frame(7);
        dialogs.messages.clear();
        model->SaveAndReload();
        EXPECT_EQ(FramesBytes(), onDisk);
        EXPECT_EQ(dialogs.messages, Texts{message});
        EXPECT_EQ(model->Frame(7), taser);
    }
}

TEST_F(FrameEditorTest, AFrameTheFileCannotKeepStopsTheSave) {
    // A bare item may hold a double quote; written back between quotes it would break the line.
    const std::string frames =
        "2\r\n" + FrameLine("Pistol", "2", 1) + "\r\n" + FrameLine("Rifle", "6\"", 2) + "\r\n";
    Open(frames, "Pistol");
    model->SaveAndReload();
    EXPECT_EQ(FramesBytes(), frames);
    EXPECT_EQ(dialogs.messages, Texts{"Frame 2 of Data/Frames.txt has a double quote in its "
                                      "Power, which the file cannot keep. Nothing was saved."});
}

TEST_F(FrameEditorTest, AFramesFileThatCannotBeLoadedIsReportedAndNeverWritten) {
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {std::nullopt, "Data/Frames.txt cannot be read: No such file or directory."},
        {"21\r\n" + FrameLine("Pistol", "2", 1) + "\r\n",
         "Data/Frames.txt lists 21 frames; Kalverin holds at most 20."},
    };
    for (const auto& [bytes, message] : cases) {
        SCOPED_TRACE(message);
        Open(bytes, "Pistol");
        EXPECT_EQ(dialogs.messages,
                  Texts{message + " The frame editor lists no frames and saves nothing."});
        EXPECT_EQ(model->cmbChooseFrame.list.Count(), 0);
        model->txtFCU.text = model->txtDPV.text = "1";
        model->SaveAndReload();
        EXPECT_EQ(dialogs.messages.back(), kChooseFirst);
        EXPECT_EQ(std::filesystem::exists(program.path() / "Data" / "Frames.txt"),
                  bytes.has_value());
        EXPECT_EQ(bytes.value_or(""), bytes ? FramesBytes() : "");
    }
}

TEST_F(FrameEditorTest, ASaveCutShortIsPutBackAndSaidBeforeTheTableIsRead) {
    testing::LeaveSaveCutShort(program.path() / "Data/Frames.txt", "Data/Frames.txt", "0\r\n");
    model = std::make_unique<FrameEditorModel>(program.path(), dialogs);
    model->LoadFrameTable();
    EXPECT_EQ(dialogs.messages, Texts{"A save of Data/Frames.txt was cut short, so it was put "
                                      "back as it was before that save."});
}

TEST_F(FrameEditorTest, AWriteThatFailsAtAnyBytePutsThePreviousBytesBack) {
    for (std::size_t failAt = 0;; ++failAt) {
        ASSERT_LE(failAt, 2 * bundled.size()) << "the save never succeeds";
        testing::FaultyDiskFiles files(failAt);
        Open(bundled, "Taser", files);
        model->txtPower.text = "2";
        model->SaveAndReload();
        if (!files.failed()) {
            EXPECT_EQ(dialogs.messages, Texts{kSaved});
            EXPECT_EQ(testing::CrLfLines(FramesBytes())[7],
                      R"("Taser","2","L","SS","6","0.4","2","Internal","","","",1.5,100,7)");
            break;
        }
        SCOPED_TRACE(failAt);
        EXPECT_EQ(FramesBytes(), bundled);
        EXPECT_EQ(dialogs.messages,
                  Texts{"Data/Frames.txt could not be written: No space left on device. The "
                        "data files were left as they were."});
        // The table keeps what the file holds; the boxes keep the edit for another try.
        EXPECT_EQ(model->Frame(7).Power, ItemValue::Number(1));
        EXPECT_EQ(model->txtPower.text, "2");
    }
}

}  // namespace
}  // namespace kalverin
