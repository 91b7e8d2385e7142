// The installed options: selecting one and moving its level with "+" and "-".

#include "catalogue/conversions.h"
#include "designer/main_window_model.h"

namespace kalverin {

int MainWindowModel::SelectedSlot() const {
    if (lstCurrentMod.selected() < 0) {
        return 0;
    }
    const std::string& name = lstCurrentMod.SelectedText();
    int slot = 0;
    for (int i = 1; i <= design_.intModCounter; ++i) {
        if (design_.Option(i).name == name) {
            slot = i;
        }
    }
    return slot;
}

void MainWindowModel::ChooseInstalledOption(int line) {
    lstCurrentMod.Select(line);
    cmdRemoveMod.enabled = lstCurrentMod.selected() >= 0;
    SelectInstalledOption();
    detailsOfInstalled_ = true;
    ShowDetails();
}

void MainWindowModel::FindModLevel() {
    int slot = SelectedSlot();
    if (slot == 0) {
        return;
    }
    const InstalledOption& option = design_.Option(slot);
    design_.intTempLevel = option.level;
    if (std::int16_t found = catalogue().ModificationNamed(option.name)) {
        design_.CMN = found;
    }
    design_.intMaxLevel = catalogue().MaxLevel(design_.CMN, design_.intFrameNumber);
}

void MainWindowModel::SelectInstalledOption() {
    if (lstCurrentMod.selected() < 0) {
        return;
    }
    cmdLevelUp.enabled = true;
    FindModLevel();
    txtLevel.text = FormatWhole(design_.intTempLevel);
    CheckMaxLevel();
}

void MainWindowModel::RaiseLevel() {
    int slot = SelectedSlot();
    if (slot == 0) {
        return;
    }
    const Step step(*this);
    design_.intModLevel = 1;
    FindModLevel();
    if (design_.intTempLevel + 1 <= design_.intMaxLevel) {
        auto applied = Applied(design_.CMN, design_.intModLevel, design_.intTempLevel);
        if (!applied) {
            return;
        }
        txtLevel.text = FormatWhole(static_cast<std::int16_t>(design_.intTempLevel + 1));
        design_.Option(slot).level = ParseWholeNumber(txtLevel.text).value_or(0);
        ApplyModification(std::move(*applied));
    } else {
        cmdLevelUp.enabled = false;
    }
    cmdLevelDown.enabled = true;
    // Compares the level before the raise, still in intTempLevel, with the maximum: "+" stays
    // enabled on reaching the maximum and goes off at the next press.
    CheckMaxLevel();
    if (!design_.blnModLegal) {
        cmdLevelUp.enabled = false;
    }
}

void MainWindowModel::LowerLevel() {
    int slot = SelectedSlot();
    if (slot == 0) {
        return;
    }
    const Step step(*this);
    design_.intModLevel = -1;
    FindModLevel();
    if (design_.intTempLevel > 0) {
        auto applied = Applied(design_.CMN, design_.intModLevel, design_.intTempLevel);
        if (!applied) {
            return;
        }
        txtLevel.text = FormatWhole(static_cast<std::int16_t>(design_.intTempLevel - 1));
        design_.Option(slot).level = ParseWholeNumber(txtLevel.text).value_or(0);
        cmdLevelUp.enabled = true;
        ApplyModification(std::move(*applied));
    } else {
        cmdLevelDown.enabled = false;
    }
    if (LeadingNumber(txtLevel.text) <= 0) {
        cmdLevelDown.enabled = false;
    }
}

}  // namespace kalverin
