// The installed options: selecting one and moving its level with "+" and "-".

#include "catalogue/conversions.h"
#include "designer/main_window_model.h"

namespace kalverin {

int MainWindowModel::SelectedSlot() const {
    if (lstCurrentMod.selected() < 0) {
        return 0;
    }
    const std::string name = lstCurrentMod.SelectedText();
    int slot = 0;
    for (int i = 1; i <= intModCounter; ++i) {
        if (Option(i).name == name) {
            slot = i;
        }
    }
    return slot;
}

void MainWindowModel::ChooseInstalledOption(int line) {
    lstCurrentMod.Select(line);
    SelectInstalledOption();
}

void MainWindowModel::FindModLevel() {
    int slot = SelectedSlot();
    if (slot == 0) {
        return;
    }
    const InstalledOption& option = Option(slot);
    intTempLevel = option.level;
    if (std::int16_t found = ModificationNamed(option.name)) {
        CMN = found;
    }
    intMaxLevel = catalogue.MaxLevel(CMN, intFrameNumber);
}

void MainWindowModel::SelectInstalledOption() {
    if (lstCurrentMod.selected() < 0) {
        return;
    }
    cmdLevelUp.enabled = true;
    FindModLevel();
    txtLevel.text = FormatWhole(intTempLevel);
    CheckMaxLevel();
}

void MainWindowModel::RaiseLevel() {
    int slot = SelectedSlot();
    if (slot == 0) {
        return;
    }
    intModLevel = 1;
    FindModLevel();
    if (intTempLevel + 1 <= intMaxLevel) {
        if (ApplicationRefused(CMN, intModLevel)) {
            return;
        }
        txtLevel.text = FormatWhole(static_cast<std::int16_t>(intTempLevel + 1));
        Option(slot).level = ParseWholeNumber(txtLevel.text).value_or(0);
        ApplyModification();
    } else {
        cmdLevelUp.enabled = false;
    }
    cmdLevelDown.enabled = true;
    // Compares the level before the raise, still in intTempLevel, with the maximum: "+" stays
    // enabled on reaching the maximum and goes off at the next press.
    CheckMaxLevel();
    if (!blnModLegal) {
        cmdLevelUp.enabled = false;
    }
}

void MainWindowModel::LowerLevel() {
    int slot = SelectedSlot();
    if (slot == 0) {
        return;
    }
    intModLevel = -1;
    FindModLevel();
    if (intTempLevel > 0) {
        if (ApplicationRefused(CMN, intModLevel)) {
            return;
        }
        txtLevel.text = FormatWhole(static_cast<std::int16_t>(intTempLevel - 1));
        Option(slot).level = ParseWholeNumber(txtLevel.text).value_or(0);
        cmdLevelUp.enabled = true;
        ApplyModification();
    } else {
        cmdLevelDown.enabled = false;
    }
    if (LeadingNumber(txtLevel.text) <= 0) {
        cmdLevelDown.enabled = false;
    }
}

}  // namespace kalverin
