#pragma once

// The main window without a toolkit: its controls as plain models, the design being worked on,
// the catalogue, and the procedures that the window's events run.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "catalogue/data_place.h"
#include "catalogue/file_store.h"
#include "catalogue/item_value.h"
#include "catalogue/item_writer.h"
#include "catalogue/outcome.h"
#include "catalogue/records.h"
#include "controls/control_table.h"
#include "controls/controls.h"
#include "controls/user_dialogs.h"
#include "designer/ledger.h"
#include "designer/stat_block.h"

namespace kalverin {

inline constexpr int kMaxInstalledOptions = 20;
// How many weapon files File > Open Recent lists.
inline constexpr std::size_t kRecentWeapons = 8;

// Where Open Recent's list is kept between runs, the most recent file first. The Qt window keeps
// it in the user's settings.
class RecentWeaponsStore {
  public:
    virtual ~RecentWeaponsStore() = default;
    virtual std::vector<std::filesystem::path> Read() = 0;
    virtual void Write(const std::vector<std::filesystem::path>& paths) = 0;
};

// An option on the design: a modification's name and its level.
struct InstalledOption {
    std::string name;
    std::int16_t level = 0;

    // An empty slot that keeps the room of its name for the next option installed there.
    void Clear() {
        name.clear();
        level = 0;
    }

    friend bool operator==(const InstalledOption&, const InstalledOption&) = default;
};

// The design being worked on, apart from what only the window's boxes hold (the firearm's
// name, its description and the free mounts).
struct WeaponDesign {
    std::int16_t intChooseFrame = 0;  // the chosen frame in the catalogue, from 1
    std::int16_t intFrameNumber = 0;  // its column of maximum levels
    ItemValue intBaseDPV;             // its DPV; the empty text once the design is cleared
    float sngMarkUp = 0;              // what a frame's DPV is multiplied by for its price
    std::array<InstalledOption, kMaxInstalledOptions> options{};  // slots 1 to intModCounter
    std::int16_t intModCounter = 0;
    std::int16_t CMN = 0;  // the modification being handled, from 1
    std::string strChooseMod;
    bool blnModLegal = false;
    std::int16_t intTempLevel = 0;
    std::int16_t intMaxLevel = 0;
    std::int16_t intModLevel = 0;  // the step, +1 or -1, an option is applied with
    StatBlock statistics;
    // What made each statistic what its box shows, in the order of kStatistics.
    std::array<Ledger, kStatisticCount> ledgers{};
    // A value added here is kept for Undo as well; one the user can see belongs in SameSeen
    // (undo.cpp) too, and in the recovery file's Fields (design_recovery.cpp).

    // The installed option in slot `slot`, 1 to 20.
    InstalledOption& Option(int slot) { return options.at(static_cast<std::size_t>(slot) - 1); }
    const InstalledOption& Option(int slot) const {
        return options.at(static_cast<std::size_t>(slot) - 1);
    }

    friend bool operator==(const WeaponDesign&, const WeaponDesign&) = default;
};

// The controls that show the design, as a moment keeps them.
using DesignControl = std::variant<TextBox, ComboBox, ListBox, Button, CheckBox>;

// The window as one moment of the design left it: what Undo and Redo put back. A moment is
// written over in place, so that it reuses the room of the one it replaces.
struct DesignMoment {
    // Shared with the moments before and after; replaced only by Reload Data.
    std::shared_ptr<const DataCatalogue> catalogue;
    std::vector<DesignControl> controls;  // in the order of the window's table
    WeaponDesign design;
    std::optional<std::string> listedClass;
    // The option line chosen, by place and by name. The lines themselves follow from the
    // catalogue, the class listed and the filter, and are listed again when the moment is put
    // back: keeping them would make every step cost as much as the catalogue is long.
    int chosenOption = -1;
    std::string chosenName;
};

// A place for a moment in the history, made on its first use: a window that is never changed
// keeps no room for a hundred designs.
class DesignState {
  public:
    DesignState() = default;
    DesignState(const DesignState& other)
        : moment_(other.moment_ ? std::make_unique<DesignMoment>(*other.moment_) : nullptr) {}
    DesignState& operator=(const DesignState& other) {
        *this = DesignState(other);
        return *this;
    }
    DesignState(DesignState&&) noexcept = default;
    DesignState& operator=(DesignState&&) noexcept = default;

    DesignMoment& Write() {
        if (!moment_) {
            moment_ = std::make_unique<DesignMoment>();
        }
        return *moment_;
    }
    const DesignMoment& Read() const { return *moment_; }

  private:
    std::unique_ptr<DesignMoment> moment_;
};

// How many steps Undo goes back at most.
inline constexpr std::size_t kUndoSteps = 100;

// The moments Undo and Redo go back and forth between, in a ring whose moments are written over
// rather than freed: a step reuses the room of one no longer kept, so that once the ring has
// gone round a step asks for no memory. In the ring, from its first place: the steps to undo,
// the oldest first; the steps to redo, the next first; then one free moment.
class DesignHistory {
  public:
    // Where the start of a step, or the window before Undo or Redo, is written.
    DesignState& Free() { return At(undo_ + redo_); }
    // The free moment becomes the last step to undo; nothing is left to redo, and the oldest
    // step goes when kUndoSteps are kept already.
    void Keep();
    bool CanUndo() const { return undo_ > 0; }
    bool CanRedo() const { return redo_ > 0; }
    // With the window as it is now in the free moment: the last step to undo and the free
    // moment trade places, the window of now becoming the next step to redo. Gives the moment
    // to put back, which is free again once it is put back.
    DesignState& Back();
    // The same the other way: the next step to redo is put back, and the window of now becomes
    // the last step to undo.
    DesignState& Forward();

  private:
    DesignState& At(std::size_t place) { return ring_[(first_ + place) % ring_.size()]; }

    std::array<DesignState, kUndoSteps + 1> ring_;
    std::size_t first_ = 0;
    std::size_t undo_ = 0;
    std::size_t redo_ = 0;
};

class MainWindowModel {
  public:
    // The catalogue is read from the data folder in use; currentDir holds the Weapons folder
    // offered for weapon files. Messages and file dialogs go to `dialogs`.
    MainWindowModel(DataInUse& data, std::filesystem::path currentDir, UserDialogs& dialogs,
                    FileStore& files = DiskFiles());

    // The window: its controls, their captions and places, and what their events run.
    static std::span<const Control<MainWindowModel>> Controls();

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
    // "Use Shipped Data": asks, then keeps the user's own copy of the rules data as a dated
    // backup beside it and reads the data that came with the program, as Reload Data does.
    void UseShippedData();
    // "Show Data Folder": the data folder in use, in the desktop's file manager.
    void ShowDataFolder();
    // Offers Use Shipped Data while the user's own copy of the data is in use.
    void FollowDataFolder();

    // A pick from the frame chooser's list: the design starts afresh on that frame, showing its
    // base statistics, the price of the bare frame and the mounts it leaves free.
    void SelectFrame();

    // A pick from the class chooser's list fills the option list with that class's options.
    void FillModList();
    // A click on line `line` (from 0) of the option list selects it and arms "Add".
    void ChooseOption(int line);
    // Typing into the filter narrows the option list to the names that hold its text, whatever
    // their case; the line chosen stays chosen while it is listed.
    void FilterModList();

    // "Add" or a double click on the option list: installs the selected option if the rules
    // allow it, else says why not.
    void AddModification();
    // Claims the mount slot that modification CMN needs; the main window offers it to the rest
    // of the program.
    void MountPosition();

    // A click on line `line` (from 0) of the installed options selects it.
    void ChooseInstalledOption(int line);
    // "+" and "-": the selected option one level up or down.
    void RaiseLevel();
    void LowerLevel();
    // "Remove", or Delete on the installed options: the selected option's levels come off as
    // lowering it to 0 would take them, its mount is free again and the options after it close
    // up.
    void RemoveOption();

    // "Undo" and "Redo": the whole window as it was before the last step of the design, and
    // back. Every user action that changes the design is one step, and so is a run of typing
    // into the name, the description or the Mark-Up. No file is touched.
    void Undo();
    void Redo();
    // Typing into the name, the description or the Mark-Up.
    void DesignTyped();

    // The focus or the pointer came to the statistics box `name` or left it: while either rests
    // on one, the details show what made it what it shows, the pointer's before the focus's.
    void StatisticHeeded(std::string_view name, Heed heed);
    // What made the statistic in box `name` what it shows, a line for each change.
    std::string_view LedgerOf(std::string_view name) const;

    // "Save As": asks for a weapon file and writes the design into it; Cancel writes nothing.
    void SaveWeaponAs();
    // "Open Old Weapon": clears the design, asks for a weapon file and shows the design it
    // holds. A file that cannot be read in full ends the open silently.
    void OpenWeapon();
    // Opens the weapon file at `path` (from the current folder) as "Open Old Weapon" opens the
    // one chosen in its dialog: Open Recent, a file dropped on the window or named at start.
    // Gives whether it was read in full.
    bool OpenWeaponFile(const std::filesystem::path& path);

    // The window as a recovery file keeps it while the design is in progress: the controls that
    // show the design, the design itself, the class listed and the option chosen.
    std::string KeptWindow() const;
    // The window a recovery file keeps, or nothing when its bytes do not read back whole.
    std::optional<DesignState> ReadKeptWindow(std::string_view kept) const;
    // Puts back a window read from a recovery file, as one step of Undo.
    void RestoreKeptWindow(const DesignState& kept);
    // Whether only a recovery file would keep the design: it is neither empty nor as it was last
    // saved or opened.
    bool HoldsUnsavedWork() const;
    // `changed` runs after every action that may have changed the design, a save included.
    void WhenChanged(std::function<void()> changed) { changed_ = std::move(changed); }

    // Open Recent keeps its list in `store`, read when the list is first wanted.
    void KeepRecentWeaponsIn(RecentWeaponsStore& store);
    // The weapon files last saved or opened in full that are still there, the most recent
    // first.
    std::vector<std::filesystem::path> RecentWeapons();

    const WeaponDesign& design() const { return design_; }
    const DataCatalogue& catalogue() const { return *catalogue_; }
    DataInUse& data() const { return data_; }
    const std::filesystem::path& currentDir() const { return currentDir_; }

    // Controls, named as the window's.
    ComboBox cmbChooseFrame;
    ComboBox cmbChooseClass;
    TextBox txtFilter;
    ListBox lstChooseMod;
    Button cmdAddMod;
    ListBox lstCurrentMod;
    Button cmdLevelUp;
    Button cmdLevelDown;
    TextBox txtLevel;
    Button cmdRemoveMod;

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
    // What the option selected in either list is, does and needs, and why it cannot be
    // installed now.
    TextBox txtDetails;
    Button mnuUndo;
    Button mnuRedo;
    Button mnuUseShipped;

    // The file dialog of Save As and Open; it keeps its settings between uses.
    FileDialogState cdbSaveAs;

  private:
    // Makes what one user action changes in the design one step of Undo. The procedures it
    // calls make no steps of their own.
    class Step {
      public:
        explicit Step(MainWindowModel& model);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

        // Puts the window back as it was when the outermost step began.
        void Cancel() const;

      private:
        MainWindowModel& model_;
    };

    // Writes the window as it is now into `into`, reusing its room.
    void Capture(DesignState& into) const;
    void Restore(const DesignState& from);
    // Whether the user can tell the window now from the moment `before`.
    bool Differs(const DesignState& before) const;
    // After a step, Undo or Redo: typing starts a new step, and the details and the Undo and
    // Redo entries follow the design.
    void Settle();
    void ShowDetails();
    // Fills the option list with the listed class's options that the filter lets through.
    void ListOptions();
    // Adds to `text` why modification `mod` cannot be installed now, by the rules the
    // installation goes by, "; " between the reasons; adds nothing when it can.
    void AddInstallRefusals(int mod, std::string& text) const;
    bool IsInstalled(std::string_view name) const;

    void ShowFrame();
    void SetFrameMounts();
    void InstallModification();
    // The maximum-level and ammunition rules for modification CMN at level intTempLevel.
    void CheckMaxLevel();
    void FindModLevel();
    void SelectInstalledOption();
    // Writes the statistics into their twelve boxes.
    void ShowStatistics();

    // The slot of the installed option selected in lstCurrentMod; 0 when none is.
    int SelectedSlot() const;
    // The statistics after modification `mod` is applied with level step `step` to what the
    // boxes show, or why that cannot be done. Each value's line for its ledger goes into
    // `lines`, when given, after `what` the application is ("Booster, level 1 -> 2").
    Outcome<StatBlock> StatisticsAfter(int mod, std::int16_t step,
                                       std::array<Ledger, kStatisticCount>* lines = nullptr,
                                       std::string_view what = {}) const;
    // The statistics after modification `mod` is applied with `step` to the option at level
    // `level`, or nothing after a message saying why it cannot be. Their ledgers' lines wait in
    // applying_.
    std::optional<StatBlock> Applied(int mod, std::int16_t step, std::int16_t level);
    // Makes the statistics that applying modification CMN with step intModLevel gave the
    // design's, with their ledgers' lines, and shows them.
    void ApplyModification(StatBlock applied);
    void Changed() const {
        if (changed_) {
            changed_();
        }
    }
    // The weapon file of the design as the window shows it.
    ItemWriter WeaponFile() const;
    // Writes the design as the window shows it, replacing any file at `path`, and says so. A
    // write that fails leaves the file as it was and says nothing.
    void WriteWeaponFile(const std::filesystem::path& path);
    // Reads the weapon file at `path` into the cleared design and puts it first in Open Recent;
    // a file that cannot be read in full ends the open silently. Gives whether it was read.
    bool ReadWeaponFrom(const std::filesystem::path& path);
    // Reads a weapon file's items into the design; whatever was read before a fault stays.
    // Gives whether the whole design was read. `file` names it in the statistics' ledgers.
    bool ReadWeaponFile(std::string_view bytes, std::string_view file);
    // Open Recent's list, read from its store on first use.
    std::vector<std::filesystem::path>& Recent();
    // Puts the weapon file at `path` first in Open Recent, once, and keeps the list.
    void RememberWeapon(const std::filesystem::path& path);

    DataInUse& data_;
    std::filesystem::path currentDir_;
    UserDialogs& dialogs_;
    FileStore& files_;
    std::shared_ptr<const DataCatalogue> catalogue_;
    WeaponDesign design_;
    RecentWeaponsStore* recentStore_ = nullptr;
    std::optional<std::vector<std::filesystem::path>> recent_;
    // The class the option list was filled for; nothing while it is empty.
    std::optional<std::string> listedClass_;
    // The chosen option's name while the filter lists the options again, kept here so that
    // its room is reused from one keystroke to the next.
    std::string chosenOption_;
    // Whether the details are of the installed option selected, rather than of the option
    // selected in the option list.
    bool detailsOfInstalled_ = false;
    // The statistics boxes, by their place in kStatistics, that the focus and the pointer rest
    // on; -1 for none.
    int focusedStatistic_ = -1;
    int pointedStatistic_ = -1;

    DesignHistory history_;
    int stepDepth_ = 0;
    // The typed box whose run of typing is the last step, by its place among the three; -1 when
    // the next typing starts a step.
    int typingIn_ = -1;
    // What the name, the description and the Mark-Up held when the last step ended.
    std::array<std::string, 3> typed_;
    // What the frame chooser showed when the last step ended: a pick puts its entry there before
    // SelectFrame runs, and undoing the pick shows this again.
    std::string shownFrame_;
    // The weapon file of the design as it was last saved or opened in full.
    std::string savedWeapon_;
    std::function<void()> changed_;
    // The ledgers' lines of the application last worked out, and what it is; kept here so that
    // their room is reused from one application to the next.
    std::array<Ledger, kStatisticCount> applying_{};
    std::string applyingWhat_;
};

}  // namespace kalverin
