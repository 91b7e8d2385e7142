// The details of the option selected in either list: what it is, what each of its levels does,
// how far it goes on the chosen frame, its description, and why it cannot be installed now.

#include "catalogue/conversions.h"
#include "designer/main_window_model.h"

namespace kalverin {
namespace {

template <typename Number>
std::string Signed(Number value) {
    return (value > 0 ? "+" : "") + FormatGeneral(value);
}

// What one level of `mod` does to the statistics, in the order the window shows them: "Power +1,
// Damage one step up, DPV +20, Mark-Up +0.5".
std::string LevelChanges(const ModificationRecord& mod) {
    std::vector<std::string> changes;
    auto number = [&changes](const char* name, const ItemValue& field) {
        if (auto value = field.AsNumber(); !value) {
            changes.push_back(std::string(name) + " \"" + field.Shown() + "\", not a number");
        } else if (*value != 0) {
            changes.push_back(std::string(name) + " " + Signed(*value));
        }
    };
    auto becomes = [&changes](const char* name, const ItemValue& field) {
        if (!field.IsEmpty()) {
            changes.push_back(std::string(name) + " becomes " + field.Shown());
        }
    };
    number("Power", mod.Power);
    if (mod.Damage == "U" || mod.Damage == "D") {
        changes.push_back(std::string("Damage one step ") + (mod.Damage == "U" ? "up" : "down"));
    }
    number("Weight", mod.Weight);
    becomes("Mode", mod.Mode);
    number("Concealability", mod.Concealability);
    if (mod.AmmoCapacity == 50 || mod.AmmoCapacity == 100 || mod.AmmoCapacity == 777) {
        changes.push_back("Ammo Capacity set to " +
                          std::to_string(mod.AmmoCapacity == 777 ? 0 : mod.AmmoCapacity));
    } else if (mod.AmmoCapacity != 0) {
        changes.push_back("Ammo Capacity " + Signed(static_cast<double>(mod.AmmoCapacity)));
    }
    becomes("Ammo Load", mod.AmmoLoad);
    if (mod.Recoil != 0) {
        changes.push_back("Recoil " + Signed(mod.Recoil));
    }
    number("FCU", mod.FCU);
    if (mod.DPV == 888 || mod.DPV == 999) {
        changes.push_back(mod.DPV == 888 ? "DPV + the frame's DPV"
                                         : "DPV + 1.5 times the frame's DPV");
    } else if (mod.DPV != 0) {
        changes.push_back("DPV " + Signed(static_cast<double>(mod.DPV)));
    }
    if (mod.MarkUp != 0) {
        changes.push_back("Mark-Up " + Signed(mod.MarkUp));
    }
    std::string text;
    for (const std::string& change : changes) {
        text += (text.empty() ? "" : ", ") + change;
    }
    return text.empty() ? "nothing" : text;
}

}  // namespace

void MainWindowModel::ShowDetails() {
    const ListBox& list = detailsOfInstalled_ ? lstCurrentMod : lstChooseMod;
    txtDetails.text.clear();
    if (list.selected() < 0) {
        return;
    }
    const std::string name = list.SelectedText();
    const std::int16_t index = ModificationNamed(name);
    if (index == 0) {
        txtDetails.text = name + " is not in the data files.";
        return;
    }
    const ModificationRecord& mod = catalogue().Modification(index);
    const std::string mount = mod.Mount1.Shown();
    std::vector<std::string> lines = {
        name,
        "Class: " + mod.ModType.Shown(),
        "Mount: " + (mount.empty() ? std::string("none") : mount),
        "Each level: " + LevelChanges(mod),
    };
    if (design_.intChooseFrame != 0) {
        lines.push_back("Maximum level on the " +
                        catalogue().Frame(design_.intChooseFrame).Frame.Shown() + ": " +
                        FormatWhole(catalogue().MaxLevel(index, design_.intFrameNumber)));
    }
    if (!catalogue().Details(index).empty()) {
        lines.push_back(catalogue().Details(index));
    }
    if (detailsOfInstalled_) {
        if (const int slot = SelectedSlot()) {
            lines.push_back("Installed at level " + FormatWhole(design_.Option(slot).level) + ".");
        }
    } else if (auto why = InstallRefusals(index); !why.empty()) {
        std::string reasons;
        for (const std::string& reason : why) {
            reasons += (reasons.empty() ? "" : "; ") + reason;
        }
        // A reason may be a whole sentence of its own.
        lines.push_back("Cannot be installed now: " + reasons + (reasons.back() == '.' ? "" : "."));
    }
    for (const std::string& line : lines) {
        txtDetails.text += (txtDetails.text.empty() ? "" : "\n") + line;
    }
}

}  // namespace kalverin
