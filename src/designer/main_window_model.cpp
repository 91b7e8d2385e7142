#include "designer/main_window_model.h"

#include <vector>

#include "catalogue/conversions.h"
#include "catalogue/data_folder.h"
#include "catalogue/replace_files.h"
#include "designer/design_boxes.h"

namespace kalverin {

namespace {
constexpr const char* kChooseFramePrompt = "Choose Frame";
constexpr const char* kChooseClassPrompt = "Choose Class";
}  // namespace

std::span<const Control<MainWindowModel>> MainWindowModel::Controls() {
    using M = MainWindowModel;
    using K = ControlKind;
    constexpr std::int16_t kLevelWidth = 44;
    // Wide enough for a price with all its digits.
    constexpr std::int16_t kStatWidth = 112;
    static const std::vector<Control<M>> table = [] {
        std::vector<Control<M>> t = {
            // Left: the choosers and the options, then the installed options and their level.
            {"cmbChooseFrame",
             "Frame &Type",
             K::Chooser,
             &M::cmbChooseFrame,
             {.columnSpan = 2},
             {.picked = &M::SelectFrame}},
            {"cmbChooseClass",
             "Option &Classes",
             K::Chooser,
             &M::cmbChooseClass,
             {.row = 1, .columnSpan = 2},
             {.picked = &M::FillModList}},
            {"lstChooseMod",
             "&Options",
             K::List,
             &M::lstChooseMod,
             {.row = 2, .columnSpan = 2, .grows = true},
             {.clicked = &M::ChooseOption, .doubleClicked = &M::AddModification}},
            {"cmdAddMod",
             "&Add",
             K::Button,
             &M::cmdAddMod,
             {.row = 3, .columnSpan = 2, .caption = CaptionAt::On},
             {.pressed = &M::AddModification}},
            {"lstCurrentMod",
             "C&urrent Options and Modifications",
             K::List,
             &M::lstCurrentMod,
             {.row = 4, .rowSpan = 4, .grows = true},
             {.clicked = &M::ChooseInstalledOption}},
            {.name = "cmdLevelUp",
             .caption = "+",
             .kind = K::Button,
             .mirror = &M::cmdLevelUp,
             .place = {.row = 5, .column = 1, .caption = CaptionAt::On, .width = kLevelWidth},
             .on = {.pressed = &M::RaiseLevel},
             .accessibleName = "Raise Level"},
            {.name = "txtLevel",
             .kind = K::ReadOnlyBox,
             .mirror = &M::txtLevel,
             .place = {.row = 6, .column = 1, .width = kLevelWidth},
             .accessibleName = "Level"},
            {.name = "cmdLevelDown",
             .caption = "-",
             .kind = K::Button,
             .mirror = &M::cmdLevelDown,
             .place = {.row = 7, .column = 1, .caption = CaptionAt::On, .width = kLevelWidth},
             .on = {.pressed = &M::LowerLevel},
             .accessibleName = "Lower Level"},
        };
        // Middle: the statistics, each caption beside its box; only the Mark-Up takes typing.
        std::int8_t row = 0;
        for (const Statistic& stat : kStatistics) {
            const bool typed = stat.box == &M::txtMarkup;
            t.push_back(
                {stat.name,
                 stat.caption,
                 typed ? K::Box : K::ReadOnlyBox,
                 stat.box,
                 {.pane = 1, .row = row++, .caption = CaptionAt::Beside, .width = kStatWidth}});
        }
        // Right: the name, the description and the free mounts.
        t.insert(t.end(), {
                              {"txtFirearm", "Firearm &Name", K::Box, &M::txtFirearm, {.pane = 2}},
                              {"txtDescription",
                               "&Description",
                               K::TextArea,
                               &M::txtDescription,
                               {.pane = 2, .row = 1, .grows = true}},
                              {.name = "Mounts",
                               .caption = "Available Mounts",
                               .kind = K::Group,
                               .place = {.pane = 2, .row = 2, .caption = CaptionAt::On},
                               .opens = 3},
                          });
        row = 0;
        for (const MountBox& mount : kMounts) {
            t.push_back({mount.name,
                         mount.caption,
                         K::Check,
                         mount.box,
                         {.pane = 3, .row = row++, .caption = CaptionAt::On}});
        }
        t.insert(
            t.end(),
            {
                // The entries without a procedure here are the window's own: the recent files,
                // the editors, the About window, printing, copying and leaving.
                {"mnuFile", "&File", K::Menu},
                {.name = "mnuNewWeapon",
                 .caption = "&New Weapon",
                 .kind = K::MenuEntry,
                 .on = {.pressed = &M::NewWeapon},
                 .shortcut = "Ctrl+N"},
                {.name = "mnuOpen",
                 .caption = "&Open Old Weapon",
                 .kind = K::MenuEntry,
                 .on = {.pressed = &M::OpenWeapon},
                 .shortcut = "Ctrl+O"},
                {"mnuOpenRecent", "Open &Recent", K::Submenu},
                {.name = "mnuSaveAs",
                 .caption = "S&ave As",
                 .kind = K::MenuEntry,
                 .on = {.pressed = &M::SaveWeaponAs},
                 .shortcut = "Ctrl+A"},
                {.name = "mnuPrintCard",
                 .caption = "&Print Stat Card...",
                 .kind = K::MenuEntry,
                 .shortcut = "Ctrl+P"},
                {.name = "mnuExportCard",
                 .caption = "&Export Stat Card...",
                 .kind = K::MenuEntry,
                 .shortcut = "Ctrl+E"},
                {.name = "mnuExit", .caption = "E&xit", .kind = K::MenuEntry, .shortcut = "Ctrl+X"},
                {"mnuEdit", "&Edit", K::Menu},
                {.name = "mnuCopyStatBlock",
                 .caption = "Copy &Stat Block",
                 .kind = K::MenuEntry,
                 .shortcut = "Ctrl+Shift+C"},
                {"mnuManage", "&Manage Data", K::Menu},
                {"mnuFrames", "&Frames", K::MenuEntry},
                {"mnuModifications", "&Modifications", K::MenuEntry},
                {.name = "mnuReload",
                 .caption = "&Reload Data",
                 .kind = K::MenuEntry,
                 .on = {.pressed = &M::ReloadData}},
                {"mnuHelp", "&Help", K::Menu},
                {.name = "mnuAbout",
                 .caption = "A&bout",
                 .kind = K::MenuEntry,
                 .shortcut = "Ctrl+B"},
            });
        return t;
    }();
    return table;
}

MainWindowModel::MainWindowModel(std::filesystem::path programDir, std::filesystem::path currentDir,
                                 UserDialogs& dialogs, FileStore& files)
    : programDir_(std::move(programDir)),
      currentDir_(std::move(currentDir)),
      dialogs_(dialogs),
      files_(files) {
    cmbChooseFrame.text = kChooseFramePrompt;
    cmbChooseClass.text = kChooseClassPrompt;
    cdbSaveAs.title = "Save Weapon As";
    // Until the first Save As the dialog offers weapon files, in no folder of its own.
    cdbSaveAs.filter = "*.wpn";
}

void MainWindowModel::Load() {
    design_.sngMarkUp = 5.0F;
    cmdLevelUp.enabled = false;
    cmdLevelDown.enabled = false;
    design_.intModLevel = 1;
    for (const MountBox& mount : kMounts) {
        (this->*mount.box).value = 0;
    }
    LoadCatalogue();
}

bool MainWindowModel::LoadCatalogue() {
    // Read everything first, so that a faulty data folder leaves the catalogue, the choosers
    // and the design as they were.
    if (auto recovered = RecoverInterruptedSave(files_, DataFolder(programDir_))) {
        dialogs_.ShowMessage(*recovered);
    }
    auto loaded = kalverin::LoadCatalogue(files_, programDir_);
    if (!loaded) {
        dialogs_.ShowMessage(loaded.error());
        return false;
    }
    catalogue_ = std::move(loaded.value());
    cmbChooseFrame.list.Clear();
    for (const FrameRecord& frame : catalogue_.frames) {
        cmbChooseFrame.list.Add(frame.Frame.Shown());
    }
    cmbChooseClass.list.Clear();
    for (const std::string& name : catalogue_.classes) {
        cmbChooseClass.list.Add(name);
    }
    return true;
}

void MainWindowModel::ReloadData() {
    if (!LoadCatalogue()) {
        return;
    }
    cmbChooseFrame.text = kChooseFramePrompt;
    cmbChooseClass.text = kChooseClassPrompt;
    lstChooseMod.Clear();
    NewWeapon();
}

void MainWindowModel::NewWeapon() {
    txtFirearm.text.clear();
    txtDescription.text.clear();
    for (const Statistic& stat : kStatistics) {
        (this->*stat.box).text.clear();
    }
    // Levels and statistics are shown as numbers are: a cleared design has no Power, and prices
    // with the mark-up every design starts from.
    txtPower.text = FormatWhole(0);
    txtMarkup.text = FormatWhole(5);
    design_.intBaseDPV = ItemValue::Text("");
    for (const MountBox& mount : kMounts) {
        (this->*mount.box).value = 0;
    }
    lstCurrentMod.Clear();
    cmdAddMod.enabled = true;
    lstChooseMod.Clear();
    txtLevel.text = FormatWhole(0);
    cmbChooseClass.text = kChooseClassPrompt;
    design_.options.fill(InstalledOption{});
    design_.intModCounter = 0;
    design_.statistics = StatBlock{};
    design_.intTempLevel = 0;
}

}  // namespace kalverin
