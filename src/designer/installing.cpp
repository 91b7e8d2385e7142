// Installing an option on the design: the duplicate, mount, level, ammunition and room rules.

#include "catalogue/conversions.h"
#include "designer/design_boxes.h"
#include "designer/main_window_model.h"

namespace kalverin {

namespace {
constexpr const char* kCannotInstall = "This modification cannot be installed.";
}  // namespace

std::int16_t MainWindowModel::ModificationNamed(std::string_view name) const {
    // Every entry is looked at, so of several with the same name the last one is found.
    std::int16_t found = 0;
    for (int j = 1; j <= catalogue_.intNumberofMods; ++j) {
        if (catalogue_.Modification(j).Modification.Shows(name)) {
            found = static_cast<std::int16_t>(j);
        }
    }
    return found;
}

void MainWindowModel::AddModification() {
    if (lstChooseMod.selected() < 0) {
        return;
    }
    design_.strChooseMod = lstChooseMod.SelectedText();
    for (int i = 1; i <= design_.intModCounter; ++i) {
        if (design_.Option(i).name == design_.strChooseMod) {
            dialogs_.ShowMessage("Modification already exists");
            return;
        }
    }
    if (design_.intModCounter >= kMaxInstalledOptions) {
        dialogs_.ShowMessage("The weapon already carries " + std::to_string(kMaxInstalledOptions) +
                             " options and modifications; no more can be installed.");
        return;
    }
    if (std::int16_t found = ModificationNamed(design_.strChooseMod)) {
        design_.CMN = found;
    }
    InstallModification();
}

void MainWindowModel::InstallModification() {
    // The rules below claim a mount and switch buttons off even when they refuse; a design that
    // cannot take the option's values at all is refused before any of that happens.
    if (design_.intChooseFrame == 0) {
        dialogs_.ShowMessage("Choose a frame first: options are installed on a frame.");
        return;
    }
    auto applied = Applied(design_.CMN, 1);
    if (!applied) {
        return;
    }
    const ModificationRecord& mod = catalogue_.Modification(design_.CMN);

    design_.blnModLegal = false;
    txtLevel.text = FormatWhole(0);
    design_.intTempLevel = 0;
    MountPosition();
    CheckMaxLevel();
    if (!design_.blnModLegal) {
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

    lstCurrentMod.Add(design_.strChooseMod);
    txtLevel.text = FormatWhole(1);
    design_.intModLevel = 1;
    ApplyModification(std::move(*applied));
    ++design_.intModCounter;
    design_.Option(design_.intModCounter) = InstalledOption{mod.Modification.Shown(), 1};
}

void MainWindowModel::MountPosition() {
    const std::string mount = catalogue_.Modification(design_.CMN).Mount1.Shown();
    if (mount.empty()) {
        design_.blnModLegal = true;
        return;
    }
    CheckBox* slot = nullptr;
    for (const MountBox& box : kMounts) {
        if (mount == box.word) {
            slot = &(this->*box.box);
        }
    }
    // The slot is claimed here, before the other rules: a refusal later on leaves it claimed.
    if (slot != nullptr && slot->value == 1) {
        design_.blnModLegal = true;
        slot->value = 0;
    }
}

void MainWindowModel::CheckMaxLevel() {
    design_.intMaxLevel = catalogue_.MaxLevel(design_.CMN, design_.intFrameNumber);
    if (design_.intTempLevel == design_.intMaxLevel) {
        cmdLevelUp.enabled = false;
        cmdAddMod.enabled = false;
        design_.blnModLegal = false;
    }
    // A full cylinder of seven or magazine of ten takes no further changes.
    double capacity = LeadingNumber(txtCapacity.text);
    if ((txtLoad.text == "Cylinder" && capacity == 7) ||
        (txtLoad.text == "Magazine" && capacity == 10)) {
        cmdLevelUp.enabled = false;
        design_.blnModLegal = false;
    }
}

}  // namespace kalverin
