#include "frame_editor/frame_editor_model.h"

#include <algorithm>
#include <string>

#include "catalogue/conversions.h"
#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "catalogue/item_reader.h"
#include "catalogue/replace_files.h"

namespace kalverin {
namespace {

constexpr const char* kChooseFramePrompt = "Choose Frame";
constexpr const char* kNoMount = "None";
constexpr const char* kChooseBeforeSaving =
    "Choose a frame from the list before saving; its boxes are what is saved.";

constexpr FrameBox kBoxes[] = {
    {"txtFrame", "Frame", &FrameEditorModel::txtFrame},
    {"txtPower", "Power", &FrameEditorModel::txtPower},
    {"txtDamage", "Damage", &FrameEditorModel::txtDamage},
    {"txtMode", "Mode", &FrameEditorModel::txtMode},
    {"txtConceal", "Concealability", &FrameEditorModel::txtConceal},
    {"txtWeight", "Weight", &FrameEditorModel::txtWeight},
    {"txtCapacity", "Ammo Capacity", &FrameEditorModel::txtCapacity},
    {"txtLoad", "Ammo Load", &FrameEditorModel::txtLoad},
    {"txtMount1", "Mount 1", &FrameEditorModel::txtMount1},
    {"txtMount2", "Mount 2", &FrameEditorModel::txtMount2},
    {"txtMount3", "Mount 3", &FrameEditorModel::txtMount3},
    {"txtFCU", "FCU", &FrameEditorModel::txtFCU},
    {"txtDPV", "DPV", &FrameEditorModel::txtDPV},
};

// A box whose text goes back into the frame as it stands: as a text ItemValue, even where the
// file had a bare number, or as a plain text field. FCU and DPV are converted instead.
struct TextField {
    TextBox FrameEditorModel::*box;
    ItemValue FrameRecord::*value;
    std::string FrameRecord::*text;
};

constexpr TextField kTextFields[] = {
    {&FrameEditorModel::txtFrame, &FrameRecord::Frame, nullptr},
    {&FrameEditorModel::txtPower, &FrameRecord::Power, nullptr},
    {&FrameEditorModel::txtDamage, &FrameRecord::Damage, nullptr},
    {&FrameEditorModel::txtMode, &FrameRecord::Mode, nullptr},
    {&FrameEditorModel::txtConceal, &FrameRecord::Concealability, nullptr},
    {&FrameEditorModel::txtWeight, &FrameRecord::Weight, nullptr},
    {&FrameEditorModel::txtCapacity, &FrameRecord::AmmoCapacity, nullptr},
    {&FrameEditorModel::txtLoad, nullptr, &FrameRecord::AmmoLoad},
    {&FrameEditorModel::txtMount1, &FrameRecord::Mount1, nullptr},
    {&FrameEditorModel::txtMount2, &FrameRecord::Mount2, nullptr},
    {&FrameEditorModel::txtMount3, nullptr, &FrameRecord::Mount3},
};

std::string CaptionOf(TextBox FrameEditorModel::*box) {
    for (const FrameBox& entry : kBoxes) {
        if (entry.box == box) {
            return entry.caption;
        }
    }
    return {};
}

std::string FieldText(const FrameRecord& frame, const TextField& field) {
    return field.value ? (frame.*field.value).Shown() : frame.*field.text;
}

// Texts are written between double quotes with nothing escaped, so a quote or a line break
// inside one would end the item early and shift every item after it.
bool FitsBetweenQuotes(const std::string& text) {
    return text.find_first_of("\"\r\n") == std::string::npos;
}

}  // namespace

std::span<const FrameBox> FrameBoxes() {
    return kBoxes;
}

FrameEditorModel::FrameEditorModel(std::filesystem::path programDir, UserDialogs& dialogs,
                                   FileStore& files)
    : programDir_(std::move(programDir)), dialogs_(dialogs), files_(files) {
    cmbChooseFrame.text = kChooseFramePrompt;
}

const FrameRecord& FrameEditorModel::Frame(int index) const {
    return frames_.at(static_cast<std::size_t>(index) - 1);
}

void FrameEditorModel::LoadFrameTable() {
    if (auto recovered = RecoverInterruptedSave(files_, DataFolder(programDir_))) {
        dialogs_.ShowMessage(*recovered);
    }
    auto bytes = ReadDataFile(files_, programDir_, kFramesFile);
    auto file = bytes ? ReadFramesFile(bytes.value(), DataFileLabel(kFramesFile))
                      : Outcome<FramesFile>::Failure(bytes.error());
    if (!file) {
        // With no table there is no frame to choose, so nothing can be written over the file.
        frames_.clear();
        intNumberofFrames = ItemValue();
        dialogs_.ShowMessage(file.error() + " The frame editor lists no frames and saves nothing.");
        return;
    }
    intNumberofFrames = file->count;
    frames_ = std::move(file->frames);
    loadedBytes_ = std::move(bytes.value());
    for (const FrameRecord& frame : frames_) {
        cmbChooseFrame.list.Add(frame.Frame.Shown());
    }
}

void FrameEditorModel::ChooseEditedFrame() {
    // Every match is taken, so of two frames with one name the later is edited.
    const int entries = std::min(cmbChooseFrame.list.Count(), FrameCount());
    for (int i = 1; i <= entries; ++i) {
        if (Frame(i).Frame.Shown() == cmbChooseFrame.text) {
            intChooseFrame = static_cast<std::int16_t>(i);
        }
    }
    ShowFrameFields();
}

void FrameEditorModel::ShowFrameFields() {
    if (intChooseFrame < 1 || intChooseFrame > FrameCount()) {
        return;
    }
    const FrameRecord& frame = Frame(intChooseFrame);
    for (const TextField& field : kTextFields) {
        (this->*field.box).text = FieldText(frame, field);
    }
    txtFCU.text = FormatGeneral(frame.FCU);
    txtDPV.text = FormatWhole(frame.DPV);
    fieldsShown_ = true;
}

bool FrameEditorModel::EditedFrameShown() const {
    return fieldsShown_ && intChooseFrame >= 1 && intChooseFrame <= FrameCount();
}

std::optional<FrameRecord> FrameEditorModel::FrameFromBoxes() const {
    FrameRecord frame = Frame(intChooseFrame);
    for (const TextField& field : kTextFields) {
        const std::string& text = (this->*field.box).text;
        if (!FitsBetweenQuotes(text)) {
            dialogs_.ShowMessage("The " + CaptionOf(field.box) +
                                 " box cannot hold a double quote or a line break. "
                                 "Nothing was saved.");
            return std::nullopt;
        }
        if (text.size() > kMaxItemBytes) {
            dialogs_.ShowMessage("The " + CaptionOf(field.box) + " box holds more than " +
                                 std::to_string(kMaxItemBytes) +
                                 " characters, more than the file keeps. Nothing was saved.");
            return std::nullopt;
        }
        if (field.value) {
            frame.*field.value = ItemValue::Text(text);
        } else {
            frame.*field.text = text;
        }
    }
    auto fcu = ParseNumber(txtFCU.text);
    auto single = fcu ? NarrowToSingle(*fcu) : std::nullopt;
    if (!single) {
        dialogs_.ShowMessage(
            "The FCU box must hold a number, such as 4 or 2.5. Nothing was saved.");
        return std::nullopt;
    }
    auto dpv = ParseWholeNumber(txtDPV.text);
    if (!dpv) {
        dialogs_.ShowMessage(
            "The DPV box must hold a whole number from -32768 to 32767. Nothing was saved.");
        return std::nullopt;
    }
    frame.FCU = *single;
    frame.DPV = *dpv;
    return frame;
}

std::optional<std::string> FrameEditorModel::UnwritableFrame(
    const std::vector<FrameRecord>& frames) const {
    for (std::size_t i = 0; i < frames.size(); ++i) {
        for (const TextField& field : kTextFields) {
            if (!FitsBetweenQuotes(FieldText(frames[i], field))) {
                return "Frame " + std::to_string(i + 1) + " of " + DataFileLabel(kFramesFile) +
                       " has a double quote in its " + CaptionOf(field.box) +
                       ", which the file cannot keep. Nothing was saved.";
            }
        }
    }
    return std::nullopt;
}

bool FrameEditorModel::SaveFrames() {
    if (!EditedFrameShown()) {
        dialogs_.ShowMessage(kChooseBeforeSaving);
        return false;
    }
    auto edited = FrameFromBoxes();
    if (!edited) {
        return false;
    }
    FramesFile file{intNumberofFrames, frames_};
    file.frames[static_cast<std::size_t>(intChooseFrame) - 1] = std::move(*edited);
    if (auto fault = UnwritableFrame(file.frames)) {
        dialogs_.ShowMessage(*fault);
        return false;
    }
    // A write that fails puts the previous bytes back, so the file is never left half written;
    // a file changed since it was loaded is not written over.
    const FileReplacement frames{DataFilePath(programDir_, kFramesFile), DataFileLabel(kFramesFile),
                                 WriteFramesFile(file), loadedBytes_};
    if (auto failure = ReplaceFiles(files_, {frames})) {
        dialogs_.ShowMessage(*failure);
        return false;
    }
    frames_ = std::move(file.frames);
    loadedBytes_ = frames.bytes;
    cmbChooseFrame.text = kChooseFramePrompt;
    return true;
}

void FrameEditorModel::ClearFrameFields() {
    for (const FrameBox& entry : kBoxes) {
        (this->*entry.box).text.clear();
    }
    for (TextBox* mount : {&txtMount1, &txtMount2, &txtMount3}) {
        mount->text = kNoMount;
    }
    cmbChooseFrame.text = kChooseFramePrompt;
    fieldsShown_ = false;
}

void FrameEditorModel::SaveAndReload() {
    if (!SaveFrames()) {
        return;
    }
    dialogs_.ShowMessage("All changes are saved.");
    cmbChooseFrame.list.Clear();
    ClearFrameFields();
    LoadFrameTable();
}

}  // namespace kalverin
