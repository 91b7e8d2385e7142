// Browsing the catalogue's options by class.

#include "designer/main_window_model.h"

namespace kalverin {

void MainWindowModel::FillModList() {
    lstChooseMod.Clear();
    const std::string& chosenClass = cmbChooseClass.text;
    for (int i = 1; i <= catalogue_.intNumberofMods; ++i) {
        const ModificationRecord& mod = catalogue_.Modification(i);
        // "All" is an ordinary class of the class file that happens to list every option.
        if (mod.ModType.Shows(chosenClass) || chosenClass == "All") {
            lstChooseMod.Add(mod.Modification.Shown());
        }
    }
}

void MainWindowModel::ChooseOption(int line) {
    lstChooseMod.Select(line);
    cmdAddMod.enabled = true;
}

}  // namespace kalverin
