#pragma once

// The frame editor without a toolkit: its chooser and thirteen boxes as plain models, its own
// copy of the frame table, and the procedures its menu and chooser run.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/data_place.h"
#include "catalogue/item_value.h"
#include "catalogue/outcome.h"
#include "catalogue/record_fields.h"
#include "catalogue/records.h"
#include "controls/control_table.h"
#include "controls/controls.h"
#include "controls/user_dialogs.h"

namespace kalverin {

class FrameEditorModel {
  public:
    // Frames.txt is read and written in the data folder in use; messages go to `dialogs`.
    // Nothing is read until LoadFrameTable.
    FrameEditorModel(DataInUse& data, UserDialogs& dialogs);

    // The window: its chooser, its boxes and its menu, and what their events run.
    static std::span<const Control<FrameEditorModel>> Controls();

    // Reads Frames.txt into the table and appends each frame's name to the chooser's list. A
    // file that cannot be read leaves the table empty, so nothing can be saved from it.
    void LoadFrameTable();
    // A pick from the chooser's list: the last frame whose name is the chooser's text becomes
    // the edited frame, and its fields are shown.
    void ChooseEditedFrame();
    // "Save Frames": saves, confirms, and shows the table as the file now holds it.
    void SaveAndReload();

    // The frames loaded, numbered from 1.
    int FrameCount() const { return static_cast<int>(frames_.size()); }
    const FrameRecord& Frame(int index) const;

    // Controls, named as the window's.
    ComboBox cmbChooseFrame;
    TextBox txtFrame;
    TextBox txtPower;
    TextBox txtDamage;
    TextBox txtMode;
    TextBox txtConceal;
    TextBox txtWeight;
    TextBox txtCapacity;
    TextBox txtLoad;
    TextBox txtMount1;
    TextBox txtMount2;
    TextBox txtMount3;
    TextBox txtFCU;
    TextBox txtDPV;

    // The count line as read; it is written back unchanged.
    ItemValue intNumberofFrames;
    // The edited frame, from 1; 0 until a frame is chosen. A save does not reset it.
    std::int16_t intChooseFrame = 0;

  private:
    // Fills the boxes from frame intChooseFrame.
    void ShowFrameFields();
    // Takes the boxes into frame intChooseFrame and rewrites Frames.txt. Refuses, with a
    // message and nothing changed, when the boxes show no frame or hold what the file cannot
    // keep. Gives whether the file was written.
    bool SaveFrames();
    // Empties the boxes; the mount boxes read "None".
    void ClearFrameFields();
    bool EditedFrameShown() const;
    // Frame intChooseFrame as the boxes have it, or nothing after a message saying why not.
    std::optional<FrameRecord> FrameFromBoxes() const;
    // Whether the file can keep every frame; if not, the message names the first it cannot.
    Outcome<void> Writable(const std::vector<FrameRecord>& frames) const;

    UserDialogs& dialogs_;
    DataInUse& data_;
    std::vector<FrameRecord> frames_;
    // What Frames.txt held when the table was read from it, or last written by this window.
    std::string loadedBytes_;
    // Whether the boxes show frame intChooseFrame; a save clears them and it no longer holds.
    bool fieldsShown_ = false;
};

// A box of the editor and the field of the frame it shows.
struct FrameBox {
    std::string_view name;
    std::string_view caption;  // with '&' before its access key
    TextBox FrameEditorModel::*box;
    FieldMember<FrameRecord> field;
};

// The thirteen boxes in the order of a Frames.txt line; the frame number is never shown.
inline constexpr FrameBox kFrameBoxes[] = {
    {"txtFrame", "&Frame", &FrameEditorModel::txtFrame, &FrameRecord::Frame},
    {"txtPower", "&Power", &FrameEditorModel::txtPower, &FrameRecord::Power},
    {"txtDamage", "&Damage", &FrameEditorModel::txtDamage, &FrameRecord::Damage},
    {"txtMode", "&Mode", &FrameEditorModel::txtMode, &FrameRecord::Mode},
    {"txtConceal", "&Concealability", &FrameEditorModel::txtConceal, &FrameRecord::Concealability},
    {"txtWeight", "&Weight", &FrameEditorModel::txtWeight, &FrameRecord::Weight},
    {"txtCapacity", "&Ammo Capacity", &FrameEditorModel::txtCapacity, &FrameRecord::AmmoCapacity},
    {"txtLoad", "Ammo &Load", &FrameEditorModel::txtLoad, &FrameRecord::AmmoLoad},
    {"txtMount1", "Mount &1", &FrameEditorModel::txtMount1, &FrameRecord::Mount1},
    {"txtMount2", "Mount &2", &FrameEditorModel::txtMount2, &FrameRecord::Mount2},
    {"txtMount3", "Mount &3", &FrameEditorModel::txtMount3, &FrameRecord::Mount3},
    {"txtFCU", "FC&U", &FrameEditorModel::txtFCU, &FrameRecord::FCU},
    {"txtDPV", "DP&V", &FrameEditorModel::txtDPV, &FrameRecord::DPV},
};

}  // namespace kalverin
