#include "designer/main_window_model.h"

#include "catalogue/data_folder.h"
#include "catalogue/replace_files.h"

namespace kalverin {

namespace {
constexpr const char* kChooseFramePrompt = "Choose Frame";
constexpr const char* kChooseClassPrompt = "Choose Class";
}  // namespace

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
    sngMarkUp = 5.0F;
    cmdLevelUp.enabled = false;
    cmdLevelDown.enabled = false;
    intModLevel = 1;
    chkBarrel.value = 0;
    chkTop.value = 0;
    chkLarge.value = 0;
    chkSmall.value = 0;
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
    catalogue = std::move(loaded.value());
    cmbChooseFrame.list.Clear();
    for (const FrameRecord& frame : catalogue.frames) {
        cmbChooseFrame.list.Add(frame.Frame.Shown());
    }
    cmbChooseClass.list.Clear();
    for (const std::string& name : catalogue.classes) {
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
    txtPower.text = "0";
    for (TextBox* box : {&txtDamage, &txtMode, &txtConceal, &txtWeight, &txtCapacity, &txtLoad,
                         &txtRecoil, &txtFCU, &txtDPV, &txtPrice}) {
        box->text.clear();
    }
    txtMarkup.text = "5";
    intBaseDPV = ItemValue::Text("");
    chkBarrel.value = 0;
    chkTop.value = 0;
    chkSmall.value = 0;
    chkLarge.value = 0;
    lstCurrentMod.Clear();
    cmdAddMod.enabled = true;
    lstChooseMod.Clear();
    txtLevel.text = "0";
    cmbChooseClass.text = kChooseClassPrompt;
    options_.fill(InstalledOption{});
    intModCounter = 0;
    statistics = StatBlock{};
    intTempLevel = 0;
}

InstalledOption& MainWindowModel::Option(int slot) {
    return options_.at(static_cast<std::size_t>(slot) - 1);
}

const InstalledOption& MainWindowModel::Option(int slot) const {
    return options_.at(static_cast<std::size_t>(slot) - 1);
}

}  // namespace kalverin
