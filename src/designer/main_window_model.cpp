#include "designer/main_window_model.h"

#include <vector>

#include "catalogue/conversions.h"
#include "catalogue/data_folder.h"
#include "designer/design_boxes.h"

namespace kalverin {

namespace {
constexpr const char* kChooseFramePrompt = "Choose Frame";
constexpr const char* kChooseClassPrompt = "Choose Class";
}  // namespace

std::span<const Control<MainWindowModel>> MainWindowModel::Controls() {
    using M = MainWindowModel;
    using K = ControlKind;
    // Wide enough for "Remove".
    constexpr std::int16_t kLevelWidth = 72;
    // Wide enough for a price with all its digits.
    constexpr std::int16_t kStatWidth = 112;
    static const std::vector<Control<M>> table = [] {
        std::vector<Control<M>> t = {
            // Left: the choosers, the filter and the options, then the installed options, their
            // level and their removal.
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
            {"txtFilter",
             "F&ilter",
             K::Box,
             &M::txtFilter,
             {.row = 2, .columnSpan = 2},
             {.changed = &M::FilterModList}},
            {"lstChooseMod",
             "&Options",
             K::List,
             &M::lstChooseMod,
             {.row = 3, .columnSpan = 2, .grows = true},
             {.clicked = &M::ChooseOption, .doubleClicked = &M::AddModification}},
            {"cmdAddMod",
             "&Add",
             K::Button,
             &M::cmdAddMod,
             {.row = 4, .columnSpan = 2, .caption = CaptionAt::On},
             {.pressed = &M::AddModification}},
            {"lstCurrentMod",
             "C&urrent Options and Modifications",
             K::List,
             &M::lstCurrentMod,
             {.row = 5, .rowSpan = 5, .grows = true},
             {.clicked = &M::ChooseInstalledOption, .deleted = &M::RemoveOption}},
            {.name = "cmdLevelUp",
             .caption = "+",
             .kind = K::Button,
             .mirror = &M::cmdLevelUp,
             .place = {.row = 6, .column = 1, .caption = CaptionAt::On, .width = kLevelWidth},
             .on = {.pressed = &M::RaiseLevel},
             .accessibleName = "Raise Level"},
            {.name = "txtLevel",
             .kind = K::ReadOnlyBox,
             .mirror = &M::txtLevel,
             .place = {.row = 7, .column = 1, .width = kLevelWidth},
             .accessibleName = "Level"},
            {.name = "cmdLevelDown",
             .caption = "-",
             .kind = K::Button,
             .mirror = &M::cmdLevelDown,
             .place = {.row = 8, .column = 1, .caption = CaptionAt::On, .width = kLevelWidth},
             .on = {.pressed = &M::LowerLevel},
             .accessibleName = "Lower Level"},
            {"cmdRemoveMod",
             "&Remove",
             K::Button,
             &M::cmdRemoveMod,
             {.row = 9, .column = 1, .caption = CaptionAt::On, .width = kLevelWidth},
             {.pressed = &M::RemoveOption}},
        };
        // Middle: the statistics, each caption beside its box; only the Mark-Up takes typing.
        // Each tells what made it what it shows.
        std::int8_t row = 0;
        for (const Statistic& stat : kStatistics) {
            const bool typed = stat.box == &M::txtMarkup;
            t.push_back({.name = stat.name,
                         .caption = stat.caption,
                         .kind = typed ? K::Box : K::ReadOnlyBox,
                         .mirror = stat.box,
                         .place = {.pane = 1,
                                   .row = row++,
                                   .caption = CaptionAt::Beside,
                                   .width = kStatWidth},
                         .on = {.changed = typed ? &M::DesignTyped : nullptr,
                                .heeded = &M::StatisticHeeded},
                         .describe = &M::LedgerOf});
        }
        // Right: the name, the description, the free mounts and the chosen option's details.
        t.insert(t.end(), {
                              {"txtFirearm",
                               "Firearm &Name",
                               K::Box,
                               &M::txtFirearm,
                               {.pane = 2},
                               {.changed = &M::DesignTyped}},
                              {"txtDescription",
                               "&Description",
                               K::TextArea,
                               &M::txtDescription,
                               {.pane = 2, .row = 1, .grows = true},
                               {.changed = &M::DesignTyped}},
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
        t.push_back({"txtDetails",
                     "Details",
                     K::ReadOnlyArea,
                     &M::txtDetails,
                     {.pane = 2, .row = 3, .grows = true}});
        t.insert(
            t.end(),
            {
                // The entries without a procedure here are the window's own: the recent files,
                // the comparison, the editors, the About window, printing, copying and leaving.
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
                // Captions reach Qt as UTF-8, the ellipsis too.
                {"mnuCompare", "Compare &With\u2026", K::MenuEntry},
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
                {.name = "mnuUndo",
                 .caption = "&Undo",
                 .kind = K::MenuEntry,
                 .mirror = &M::mnuUndo,
                 .on = {.pressed = &M::Undo},
                 .shortcut = "Ctrl+Z"},
                {.name = "mnuRedo",
                 .caption = "&Redo",
                 .kind = K::MenuEntry,
                 .mirror = &M::mnuRedo,
                 .on = {.pressed = &M::Redo},
                 .shortcut = "Ctrl+Y; Ctrl+Shift+Z"},
                {.name = "mnuCopyStatBlock",
                 .caption = "Copy &Stat Block",
                 .kind = K::MenuEntry,
                 .shortcut = "Ctrl+Shift+C"},
                {"mnuManage", "&Manage Data", K::Menu},
                {"mnuFrames", "&Frames", K::MenuEntry},
                {"mnuModifications", "&Modifications", K::MenuEntry},
                {"mnuCheckData", "&Check Data\u2026", K::MenuEntry},
                {.name = "mnuReload",
                 .caption = "&Reload Data",
                 .kind = K::MenuEntry,
                 .on = {.pressed = &M::ReloadData}},
                {.name = "mnuShowDataFolder",
                 .caption = "&Show Data Folder",
                 .kind = K::MenuEntry,
                 .on = {.pressed = &M::ShowDataFolder}},
                {.name = "mnuUseShipped",
                 .caption = "&Use Shipped Data\u2026",
                 .kind = K::MenuEntry,
                 .mirror = &M::mnuUseShipped,
                 .on = {.pressed = &M::UseShippedData}},
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

MainWindowModel::MainWindowModel(DataInUse& data, std::filesystem::path currentDir,
                                 UserDialogs& dialogs, FileStore& files)
    : data_(data), currentDir_(std::move(currentDir)), dialogs_(dialogs), files_(files) {
    cmbChooseFrame.text = kChooseFramePrompt;
    shownFrame_ = cmbChooseFrame.text;
    FollowDataFolder();
    cmbChooseClass.text = kChooseClassPrompt;
    // Nothing is installed, chosen or done yet.
    cmdRemoveMod.enabled = false;
    mnuUndo.enabled = false;
    mnuRedo.enabled = false;
    catalogue_ = std::make_shared<const DataCatalogue>();
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
    FollowDataFolder();
}

bool MainWindowModel::LoadCatalogue() {
    // Read everything first, so that a faulty data folder leaves the catalogue, the choosers
    // and the design as they were.
    const auto data = data_.StartReading();
    if (!data.notice().empty()) {
        dialogs_.ShowMessage(data.notice());
    }
    std::string notice;
    auto loaded = kalverin::LoadCatalogue(data, &notice);
    if (!loaded) {
        dialogs_.ShowMessage(loaded.error());
        return false;
    }
    if (!notice.empty()) {
        dialogs_.ShowMessage(notice);
    }
    catalogue_ = std::make_shared<const DataCatalogue>(std::move(loaded.value()));
    cmbChooseFrame.list.Clear();
    for (const FrameRecord& frame : catalogue().frames) {
        cmbChooseFrame.list.Add(frame.Frame.Shown());
    }
    cmbChooseClass.list.Clear();
    for (const std::string& name : catalogue().classes) {
        cmbChooseClass.list.Add(name);
    }
    return true;
}

void MainWindowModel::ReloadData() {
    const Step step(*this);
    FollowDataFolder();
    if (!LoadCatalogue()) {
        return;
    }
    cmbChooseFrame.text = kChooseFramePrompt;
    cmbChooseClass.text = kChooseClassPrompt;
    lstChooseMod.Clear();
    NewWeapon();
}

void MainWindowModel::UseShippedData() {
    FollowDataFolder();
    if (!mnuUseShipped.enabled ||
        dialogs_.Ask("Go back to the rules data that came with Kalverin? Your own copy, " +
                         data_.folder().string() + ", is kept as " + data_.BackupFolder().string() +
                         ".",
                     "Keep My Copy", "Use Shipped Data")) {
        return;
    }
    auto backup = data_.UseShippedData();
    FollowDataFolder();
    if (!backup) {
        dialogs_.ShowMessage(backup.error());
        return;
    }
    ReloadData();
}

void MainWindowModel::ShowDataFolder() {
    if (!dialogs_.ShowFolder(data_.folder())) {
        dialogs_.ShowMessage("The rules data is in " + data_.folder().string() + ".");
    }
}

void MainWindowModel::FollowDataFolder() {
    mnuUseShipped.enabled = data_.source() == DataSource::UserCopy;
}

void MainWindowModel::NewWeapon() {
    const Step step(*this);
    txtFirearm.text.clear();
    txtDescription.text.clear();
    for (const Statistic& stat : kStatistics) {
        (this->*stat.box).text.clear();
    }
    // Levels and statistics are shown as numbers are: a cleared design has no Power, and prices
    // with the mark-up every design starts from.
    txtPower.text = FormatWhole(0);
    txtMarkup.text = FormatWhole(5);
    for (Ledger& ledger : design_.ledgers) {
        ledger.Clear();
    }
    design_.ledgers[StatisticIn(&MainWindowModel::txtPower)].Add(txtPower.text, "New Weapon: ");
    design_.ledgers[StatisticIn(&MainWindowModel::txtMarkup)].Add(txtMarkup.text, "New Weapon: ");
    design_.intBaseDPV = ItemValue::Text("");
    for (const MountBox& mount : kMounts) {
        (this->*mount.box).value = 0;
    }
    lstCurrentMod.Clear();
    cmdRemoveMod.enabled = false;
    cmdAddMod.enabled = true;
    lstChooseMod.Clear();
    listedClass_.reset();
    txtLevel.text = FormatWhole(0);
    cmbChooseClass.text = kChooseClassPrompt;
    for (InstalledOption& option : design_.options) {
        option.Clear();
    }
    design_.intModCounter = 0;
    design_.statistics = StatBlock{};
    design_.intTempLevel = 0;
}

}  // namespace kalverin
