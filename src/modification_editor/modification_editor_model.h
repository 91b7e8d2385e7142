#pragma once

// The Modifications window without a toolkit: its controls as plain models, its three tables,
// and the procedures its events run. It keeps its own copy of the modification data, read from
// the data files when the window is loaded, and rewrites Modifications.txt, MaxLevel.txt and
// Details.txt when the user saves.

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/data_place.h"
#include "catalogue/details_file.h"
#include "catalogue/guarded_folder.h"
#include "catalogue/outcome.h"
#include "catalogue/record_fields.h"
#include "catalogue/records.h"
#include "controls/control_table.h"
#include "controls/controls.h"
#include "controls/user_dialogs.h"

namespace kalverin {

class ModificationEditorModel {
  public:
    // The files are read and written in the data folder in use; messages go to `dialogs`.
    ModificationEditorModel(DataInUse& data, UserDialogs& dialogs);

    // The window: its controls, their captions and places, and what their events run.
    static std::span<const Control<ModificationEditorModel>> Controls();

    // The window's load: LoadModifications, LoadClasses, LoadMaxLevels, LoadDetails, all under
    // one lock of the folder. A file that cannot be read is reported and leaves the editor
    // empty, and it then saves nothing. Files that disagree on the number of modifications, a
    // Frames.txt that cannot be read or whose frames do not match the fourteen level columns, and
    // a row of MaxLevel.txt that is not a name and fourteen levels, are reported; the editor then
    // shows the data but saves nothing, as it may have misread it. A Details.txt with fewer rows
    // is only reported: the save writes the missing rows empty.
    void Load();

    // A class picked in cmbChooseClass: the boxes emptied and the list refilled for it.
    void ChooseClass();
    // Entry `row` (from 0) of lstChooseMod chosen: it becomes the current modification.
    void ChooseModification(int row);

    // Takes the boxes back into the current modification and rewrites the three files. Nothing
    // is written unless every box converts; a refusal or a failed write shows one message and
    // leaves the files and the tables as they were. The boxes keep what the user typed.
    void SaveChanges();

    // Modification `index`, from 1 to intNumberofMods, as the editor holds it.
    const ModificationRecord& Modification(int index) const;

    // The maximum-level box of frame column `column`, 1 to 14: Text1 to Text14.
    TextBox& Text(int column);
    const TextBox& Text(int column) const;

    // The caption beside level box `column`, 1 to 14: the frame whose FrameNumber it is.
    static const char* FrameCaption(int column);

    // Controls, named as the window's.
    ComboBox cmbChooseClass;
    ListBox lstChooseMod;
    TextBox txtModType;
    TextBox txtModification;
    TextBox txtMount1;
    TextBox txtMount2;
    TextBox txtMount3;
    TextBox txtPower;
    TextBox txtDamage;
    TextBox txtMode;
    TextBox txtConceal;
    TextBox txtCapacity;
    TextBox txtLoad;
    TextBox txtWeight;
    TextBox txtRecoil;
    TextBox txtFCU;
    TextBox txtDPV;
    TextBox txtMarkup;
    TextBox txtDetails;

    // The number of modifications listed and saved: the count of MaxLevel.txt, read last.
    std::int16_t intNumberofMods = 0;
    // The current modification, 1 to intNumberofMods; 0 until one is chosen.
    std::int16_t CMN = 0;
    // The list entry chosen last.
    std::string strChooseMod;

  private:
    // Each reads its file into its table; on a fault it shows the message naming the file,
    // leaves the table as it was and gives false.
    bool LoadModifications(const GuardedFolder::Reading& data);
    bool LoadClasses(const GuardedFolder::Reading& data);
    bool LoadMaxLevels(const GuardedFolder::Reading& data);
    bool LoadDetails(const GuardedFolder::Reading& data);
    // Lists in lstChooseMod the modifications of the class in the chooser's text; "All" lists
    // every one. Names and classes are compared exactly.
    void ListModifications();
    // Makes the selected list entry current (the last record of that name) and shows it.
    void SelectModification();
    void ShowModification();
    void ShowMaxLevels();
    // Empties all 31 boxes; the tables and the current modification stay as they are.
    void ClearFields();

    // What the boxes turn into for the current modification.
    struct EditedModification {
        ModificationRecord record;
        MaxLevelRow levels;
        DetailRecord detail;
    };

    // Reads a data file with one of the file readers; on a fault it shows the message naming
    // the file.
    template <typename Parse>
    auto ReadFile(const GuardedFolder::Reading& data, std::string_view fileName, Parse parse);
    // The boxes converted, or the message that says which box keeps them from being saved.
    Outcome<EditedModification> TakeBoxes() const;
    void Empty();
    void ReportDifferentCounts();
    // Whether the levels of MaxLevel.txt were read in the columns of Frames.txt; if not, it says
    // so and marks the load misread.
    void ReportFrameCount(const GuardedFolder::Reading& data);

    UserDialogs& dialogs_;
    DataInUse& data_;
    std::array<TextBox, kEditorFrameColumns> levelBoxes_{};

    // The rows of the three files, row i at i - 1; as many as intNumberofMods once loaded, a
    // file with fewer rows read as if empty ones followed.
    std::vector<ModificationRecord> modifications_;
    std::vector<MaxLevelRow> maxLevels_;
    std::vector<DetailRecord> details_;

    // Whether all four files were read, so that saving cannot wipe out data it never saw.
    bool loaded_ = false;
    // Whether the load warned that the files may have been misread, so that saving could
    // scramble them.
    bool misread_ = false;
    // What each data file held when it was read, or last written by this window, by name.
    std::map<std::string, std::string> loadedBytes_;
    // Whether the boxes show modification CMN: choosing a class empties them and keeps CMN.
    bool boxesShowCurrent_ = false;
    // The counts of Modifications.txt and Details.txt as read, for the report of a mismatch.
    std::int16_t modificationsCount_ = 0;
    std::int16_t detailsCount_ = 0;
};

}  // namespace kalverin
