// Installing an option on the design: the duplicate, mount, level, ammunition and room rules.

#include "catalogue/conversions.h"
#include "designer/main_window_model.h"

namespace kalverin {

namespace {
constexpr const char* kCannotInstall = "This modification cannot be installed.";
}  // namespace

std::int16_t MainWindowModel::ModificationNamed(const std::string& name) const {
    // Every entry is looked at, so of several with the same name the last one is found.
    std::int16_t found = 0;
    for (int j = 1; j <= catalogue.intNumberofMods; ++j) {
        if (catalogue.Modification(j).Modification.Shown() == name) {
            found = static_cast<std::int16_t>(j);
        }
    }
    return found;
}

void MainWindowModel::AddModification() {
    if (lstChooseMod.selected() < 0) {
        return;
    }
    strChooseMod = lstChooseMod.SelectedText();
    for (int i = 1; i <= intModCounter; ++i) {
        if (Option(i).name == strChooseMod) {
            dialogs_.ShowMessage("Modification already exists");
            return;
        }
    }
    if (intModCounter >= kMaxInstalledOptions) {
        dialogs_.ShowMessage("The weapon already carries " + std::to_string(kMaxInstalledOptions) +
                             " options and modifications; no more can be installed.");
        return;
    }
    if (std::int16_t found = ModificationNamed(strChooseMod)) {
        CMN = found;
    }
    InstallModification();
}

void MainWindowModel::InstallModification() {
    // The rules below claim a mount and switch buttons off even when they refuse; a design that
    // cannot take the option's values at all is refused before any of that happens.
    if (intChooseFrame == 0) {
        dialogs_.ShowMessage("Choose a frame first: options are installed on a frame.");
        return;
    }
    if (ApplicationRefused(CMN, 1)) {
        return;
    }
    const ModificationRecord& mod = catalogue.Modification(CMN);

    blnModLegal = false;
    txtLevel.text = "0";
    intTempLevel = 0;
    MountPosition();
    CheckMaxLevel();
    if (!blnModLegal) {
        dialogs_.ShowMessage(kCannotInstall);
        return;
    }

    // An option that takes no FCU always fits; one that takes some needs room left over.
    double freeFCU = LeadingNumber(txtFCU.text);
    double takesFCU = mod.FCU.AsNumber().value_or(0);
    if (!(freeFCU + takesFCU > 0 || takesFCU >= 0)) {
        dialogs_.ShowMessage("There is no room for this modification.");
        return;
    }

    lstCurrentMod.Add(strChooseMod);
    txtLevel.text = "1";
    intModLevel = 1;
    ApplyModification();
    ++intModCounter;
    Option(intModCounter) = InstalledOption{mod.Modification.Shown(), 1};
}

void MainWindowModel::MountPosition() {
    const std::string mount = catalogue.Modification(CMN).Mount1.Shown();
    if (mount.empty()) {
        blnModLegal = true;
        return;
    }
    CheckBox* slot = mount == "Barrel"  ? &chkBarrel
                     : mount == "Top"   ? &chkTop
                     : mount == "Large" ? &chkLarge
                     : mount == "Small" ? &chkSmall
                                        : nullptr;
    // The slot is claimed here, before the other rules: a refusal later on leaves it claimed.
    if (slot != nullptr && slot->value == 1) {
        blnModLegal = true;
        slot->value = 0;
    }
}

void MainWindowModel::CheckMaxLevel() {
    intMaxLevel = catalogue.MaxLevel(CMN, intFrameNumber);
    if (intTempLevel == intMaxLevel) {
        cmdLevelUp.enabled = false;
        cmdAddMod.enabled = false;
        blnModLegal = false;
    }
    // A full cylinder of seven or magazine of ten takes no further changes.
    double capacity = LeadingNumber(txtCapacity.text);
    if ((txtLoad.text == "Cylinder" && capacity == 7) ||
        (txtLoad.text == "Magazine" && capacity == 10)) {
        cmdLevelUp.enabled = false;
        blnModLegal = false;
    }
}

}  // namespace kalverin
