// Browsing the catalogue's options by class, narrowed by the filter.

#include <algorithm>

#include "catalogue/data_rules.h"
#include "designer/main_window_model.h"

namespace kalverin {
namespace {

// A letter in lower case: the ASCII letters and the accented capitals of Windows-1252.
char Lower(char c) {
    const auto byte = static_cast<unsigned char>(c);
    const bool capital =
        (byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7);
    return capital ? static_cast<char>(byte + 0x20) : c;
}

// Whether `name` holds `part`, whatever the case of either; every name holds the empty text.
bool Holds(std::string_view name, std::string_view part) {
    return part.empty() ||
           std::search(name.begin(), name.end(), part.begin(), part.end(),
                       [](char a, char b) { return Lower(a) == Lower(b); }) != name.end();
}

}  // namespace

void MainWindowModel::FillModList() {
    listedClass_ = cmbChooseClass.text;
    ListOptions();
    ShowDetails();
}

void MainWindowModel::ListOptions() {
    // The lines are written over the ones listed before, whose room they reuse.
    int lines = 0;
    if (listedClass_) {
        const std::string& chosenClass = *listedClass_;
        for (int i = 1; i <= catalogue().intNumberofMods; ++i) {
            const ModificationRecord& mod = catalogue().Modification(i);
            const ShownText name(mod.Modification);
            if (ListedUnder(mod, chosenClass) && Holds(name.view(), txtFilter.text)) {
                lstChooseMod.Put(lines++, name.view());
            }
        }
    }
    lstChooseMod.KeepFirst(lines);
}

void MainWindowModel::FilterModList() {
    const int chosen = lstChooseMod.selected();
    chosenOption_.assign(lstChooseMod.SelectedText());
    ListOptions();
    lstChooseMod.Reselect(chosen, chosenOption_);
    ShowDetails();
}

void MainWindowModel::ChooseOption(int line) {
    lstChooseMod.Select(line);
    cmdAddMod.enabled = true;
    detailsOfInstalled_ = false;
    ShowDetails();
}

}  // namespace kalverin
