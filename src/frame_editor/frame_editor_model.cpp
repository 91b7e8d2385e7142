#include "frame_editor/frame_editor_model.h"

#include <algorithm>
#include <string>

#include "catalogue/conversions.h"
#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "catalogue/data_rules.h"
#include "catalogue/item_reader.h"

namespace kalverin {
namespace {

constexpr const char* kChooseFramePrompt = "Choose Frame";
constexpr const char* kChooseBeforeSaving =
    "Choose a frame from the list before saving; its boxes are what is saved.";

std::string CaptionOf(const FrameBox& box) {
    return ShownCaption(box.caption);
}

}  // namespace

std::span<const Control<FrameEditorModel>> FrameEditorModel::Controls() {
    using M = FrameEditorModel;
    static const std::vector<Control<M>> table = [] {
        // The chooser has no caption of its own; assistive tools read its name.
        std::vector<Control<M>> t = {{.name = "cmbChooseFrame",
                                      .kind = ControlKind::Chooser,
                                      .mirror = &M::cmbChooseFrame,
                                      .place = {.columnSpan = 4},
                                      .on = {.picked = &M::ChooseEditedFrame},
                                      .accessibleName = "Frame to edit"}};
        // Name and statistics down the left, load, mounts, FCU and DPV down the right.
        constexpr int kLeftRows = 7;
        for (int i = 0; i < static_cast<int>(std::size(kFrameBoxes)); ++i) {
            const FrameBox& box = kFrameBoxes[i];
            t.push_back({box.name,
                         box.caption,
                         ControlKind::Box,
                         box.box,
                         {.row = static_cast<std::int8_t>(1 + i % kLeftRows),
                          .column = static_cast<std::int8_t>(i < kLeftRows ? 0 : 2),
                          .caption = CaptionAt::Beside}});
        }
        // The menu's captions carry no access keys.
        t.insert(t.end(), {
                              {"mnuFile", "File", ControlKind::Menu},
                              {.name = "mnuSave",
                               .caption = "&Save Frames",
                               .kind = ControlKind::MenuEntry,
                               .on = {.pressed = &M::SaveAndReload},
                               .shortcut = "Ctrl+S"},
                              {.name = "mnuExit",
                               .caption = "Exit",
                               .kind = ControlKind::MenuEntry,
                               .shortcut = "Ctrl+X"},
                          });
        return t;
    }();
    return table;
}

FrameEditorModel::FrameEditorModel(DataInUse& data, UserDialogs& dialogs)
    : dialogs_(dialogs), data_(data) {
    cmbChooseFrame.text = kChooseFramePrompt;
}

const FrameRecord& FrameEditorModel::Frame(int index) const {
    return frames_.at(static_cast<std::size_t>(index) - 1);
}

void FrameEditorModel::LoadFrameTable() {
    auto bytes = [this] {
        const auto data = data_.StartReading();
        if (!data.notice().empty()) {
            dialogs_.ShowMessage(data.notice());
        }
        return ReadDataFile(data, kFramesFile);
    }();
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
        if (Frame(i).Frame.Shows(cmbChooseFrame.text)) {
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
    for (const FrameBox& box : kFrameBoxes) {
        (this->*box.box).text = ShownField(frame, box.field);
    }
    fieldsShown_ = true;
}

bool FrameEditorModel::EditedFrameShown() const {
    return fieldsShown_ && intChooseFrame >= 1 && intChooseFrame <= FrameCount();
}

std::optional<FrameRecord> FrameEditorModel::FrameFromBoxes() const {
    // A text goes back as a text, even where the file had a bare number; FCU and DPV must be
    // numbers the file can keep.
    FrameRecord frame = Frame(intChooseFrame);
    auto refuse = [this](const FrameBox& box, std::string_view what) {
        dialogs_.ShowMessage("The " + CaptionOf(box) + " box " + std::string(what) +
                             ". Nothing was saved.");
        return false;
    };
    auto take = [&](const FrameBox& box) {
        const std::string& text = (this->*box.box).text;
        if (IsTextField(box.field) && !FitsBetweenQuotes(text)) {
            return refuse(box, "cannot hold a double quote or a line break");
        }
        if (text.size() > kMaxItemBytes) {
            return refuse(box, "holds more than " + std::to_string(kMaxItemBytes) +
                                   " characters, more than the file keeps");
        }
        if (FieldFromText(frame, box.field, text, NumberText::Whole) == NumberFault::None) {
            return true;
        }
        return refuse(box, std::holds_alternative<float FrameRecord::*>(box.field)
                               ? "must hold a number, such as 4 or 2.5"
                               : "must hold a whole number from -32768 to 32767");
    };
    for (const FrameBox& box : kFrameBoxes) {
        if (!take(box)) {
            return std::nullopt;
        }
    }
    return frame;
}

Outcome<void> FrameEditorModel::Writable(const std::vector<FrameRecord>& frames) const {
    for (std::size_t i = 0; i < frames.size(); ++i) {
        for (const FrameBox& box : kFrameBoxes) {
            if (IsTextField(box.field) && !FitsBetweenQuotes(ShownField(frames[i], box.field))) {
                return Outcome<void>::Failure("Frame " + std::to_string(i + 1) + " of " +
                                              DataFileLabel(kFramesFile) +
                                              " has a double quote in its " + CaptionOf(box) +
                                              ", which the file cannot keep. Nothing was saved.");
            }
        }
    }
    return {};
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
    if (auto writable = Writable(file.frames); !writable) {
        dialogs_.ShowMessage(writable.error());
        return false;
    }
    // A write that fails puts the previous bytes back, so the file is never left half written;
    // a file changed since it was loaded is not written over.
    const FileReplacement frames =
        data_.Replacing(kFramesFile, WriteFramesFile(file), loadedBytes_);
    if (auto saved = data_.Save({frames}); !saved) {
        dialogs_.ShowMessage(saved.error());
        return false;
    }
    frames_ = std::move(file.frames);
    loadedBytes_ = frames.bytes;
    cmbChooseFrame.text = kChooseFramePrompt;
    return true;
}

void FrameEditorModel::ClearFrameFields() {
    for (const FrameBox& box : kFrameBoxes) {
        (this->*box.box).text.clear();
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
