#pragma once

// The main window without a toolkit: its controls as plain models, the design being worked on,
// the catalogue, and the procedures that the window's events run.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "catalogue/file_store.h"
#include "catalogue/item_value.h"
#include "catalogue/outcome.h"
#include "catalogue/records.h"
#include "controls/controls.h"
#include "controls/user_dialogs.h"
#include "designer/stat_block.h"

namespace kalverin {

inline constexpr int kMaxInstalledOptions = 20;

// An option on the design: a modification's name and its level.
struct InstalledOption {
    std::string name;
    std::int16_t level = 0;

    friend bool operator==(const InstalledOption&, const InstalledOption&) = default;
};

class MainWindowModel {
  public:
    // programDir holds the Data folder; currentDir holds the Weapons folder offered for weapon
    // files. Messages and file dialogs go to `dialogs`.
    MainWindowModel(std::filesystem::path programDir, std::filesystem::path currentDir,
                    UserDialogs& dialogs, FileStore& files = DiskFiles());

    // The window's load: mark-up 5, level buttons off, level step +1, mounts clear, and the
    // catalogue read. A data file that cannot be read leaves the catalogue empty.
    void Load();
    // Reads the four data files into a new catalogue and fills the two choosers from it. On a
    // fault it shows one message naming the file and changes nothing; gives whether it loaded.
    bool LoadCatalogue();
    // "Reload Data": the catalogue read afresh and the design cleared.
    void ReloadData();
    // "New Weapon": clears the design; the chosen frame stays chosen.
    void NewWeapon();

    // A pick from the frame chooser's list: the design starts afresh on that frame, showing its
    // base statistics, the price of the bare frame and the mounts it leaves free.
    void SelectFrame();
    void ShowFrame();
    void SetFrameMounts();

    // A pick from the class chooser's list fills the option list with that class's options.
    void FillModList();
    // A click on line `line` (from 0) of the option list selects it and arms "Add".
    void ChooseOption(int line);

    // "Add" or a double click on the option list: installs the selected option if the rules
    // allow it, else says why not.
    void AddModification();
    void InstallModification();
    // Claims the mount slot that modification CMN needs.
    void MountPosition();
    // The maximum-level and ammunition rules for modification CMN at level intTempLevel.
    void CheckMaxLevel();

    // A click on line `line` (from 0) of the installed options selects it.
    void ChooseInstalledOption(int line);
    void FindModLevel();
    void SelectInstalledOption();
    // "+" and "-": the selected option one level up or down.
    void RaiseLevel();
    void LowerLevel();

    // Applies modification CMN with the level step intModLevel to the statistics as shown.
    void ApplyModification();
    // Writes the statistics into their twelve boxes.
    void ShowStatistics();

    // "Save As": asks for a weapon file and writes the design into it; Cancel writes nothing.
    void SaveWeaponAs();
    // Writes the design as the window shows it, replacing any file at `path`, and says so. A
    // write that fails leaves the file as it was and says nothing.
    void WriteWeaponFile(const std::filesystem::path& path);
    // "Open Old Weapon": clears the design, asks for a weapon file and shows the design it
    // holds. A file that cannot be read in full ends the open silently.
    void OpenWeapon();

    // The installed option in slot `slot` (1 to 20).
    InstalledOption& Option(int slot);
    const InstalledOption& Option(int slot) const;

    const std::filesystem::path& programDir() const { return programDir_; }
    const std::filesystem::path& currentDir() const { return currentDir_; }

    // Controls, named as the window's.
    ComboBox cmbChooseFrame;
    ComboBox cmbChooseClass;
    ListBox lstChooseMod;
    Button cmdAddMod;
    ListBox lstCurrentMod;
    Button cmdLevelUp;
    Button cmdLevelDown;
    TextBox txtLevel;

    TextBox txtPower;
    TextBox txtDamage;
    TextBox txtWeight;
    TextBox txtMode;
    TextBox txtConceal;
    TextBox txtCapacity;
    TextBox txtLoad;
    TextBox txtRecoil;
    TextBox txtFCU;
    TextBox txtDPV;
    TextBox txtMarkup;
    TextBox txtPrice;

    TextBox txtFirearm;
    TextBox txtDescription;
    CheckBox chkBarrel;
    CheckBox chkTop;
    CheckBox chkLarge;
    CheckBox chkSmall;

    // The file dialog of Save As and Open; it keeps its settings between uses.
    FileDialogState cdbSaveAs;

    // The catalogue and the design.
    DataCatalogue catalogue;
    std::int16_t intChooseFrame = 0;
    std::int16_t intFrameNumber = 0;
    ItemValue intBaseDPV;
    float sngMarkUp = 0;
    std::int16_t intModCounter = 0;
    std::int16_t CMN = 0;
    std::string strChooseMod;
    bool blnModLegal = false;
    std::int16_t intTempLevel = 0;
    std::int16_t intMaxLevel = 0;
    std::int16_t intModLevel = 0;
    StatBlock statistics;

  private:
    // The index of the last catalogue frame whose name shows as `name`; 0 when none does.
    std::int16_t FrameNamed(const std::string& name) const;
    // The index of the last catalogue modification named `name`; 0 when none is.
    std::int16_t ModificationNamed(const std::string& name) const;
    // The slot of the installed option selected in lstCurrentMod; 0 when none is.
    int SelectedSlot() const;
    // The statistics after modification `mod` is applied with level step `step` to what the
    // boxes show, or why that cannot be done.
    Outcome<StatBlock> StatisticsAfter(int mod, std::int16_t step) const;
    // Shows why modification `mod` cannot be applied with step `step`, if it cannot.
    bool ApplicationRefused(int mod, std::int16_t step);
    // Reads a weapon file's items into the design; whatever was read before a fault stays.
    void ReadWeaponFile(std::string_view bytes);

    std::filesystem::path programDir_;
    std::filesystem::path currentDir_;
    UserDialogs& dialogs_;
    FileStore& files_;
    std::array<InstalledOption, kMaxInstalledOptions> options_{};
};

}  // namespace kalverin
