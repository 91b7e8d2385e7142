// The details of the option selected in either list: what it is, what each of its levels does,
// how far it goes on the chosen frame, its description, and why it cannot be installed now; or,
// while the focus or the pointer rests on a statistics box, what made that statistic.

#include "catalogue/conversions.h"
#include "designer/design_boxes.h"
#include "designer/main_window_model.h"
#include "designer/text_parts.h"

namespace kalverin {
namespace {

// Adds what one level of `mod` does to the statistics to `text`, in the order the window shows
// them: "Power +1, Damage one step up, DPV +20, Mark-Up +0.5".
void AddLevelChanges(std::string& text, const ModificationRecord& mod) {
    PartList changes(text, ", ");
    auto number = [&changes](const char* name, const ItemValue& field) {
        if (auto value = field.AsNumber(); !value) {
            changes.Add(name, " \"", ShownText(field).view(), "\", not a number");
        } else if (*value != 0) {
            changes.Add(name, " ", Signed(*value));
        }
    };
    auto becomes = [&changes](const char* name, const ItemValue& field) {
        if (!field.IsEmpty()) {
            changes.Add(name, " becomes ", ShownText(field).view());
        }
    };
    number("Power", mod.Power);
    if (mod.Damage == "U" || mod.Damage == "D") {
        changes.Add("Damage one step ", mod.Damage == "U" ? "up" : "down");
    }
    number("Weight", mod.Weight);
    becomes("Mode", mod.Mode);
    number("Concealability", mod.Concealability);
    if (mod.AmmoCapacity == 50 || mod.AmmoCapacity == 100 || mod.AmmoCapacity == 777) {
        changes.Add("Ammo Capacity set to ",
                    std::to_string(mod.AmmoCapacity == 777 ? 0 : mod.AmmoCapacity));
    } else if (mod.AmmoCapacity != 0) {
        changes.Add("Ammo Capacity ", Signed(static_cast<double>(mod.AmmoCapacity)));
    }
    becomes("Ammo Load", mod.AmmoLoad);
    if (mod.Recoil != 0) {
        changes.Add("Recoil ", Signed(mod.Recoil));
    }
    number("FCU", mod.FCU);
    if (mod.DPV == 888 || mod.DPV == 999) {
        changes.Add(mod.DPV == 888 ? "DPV + the frame's DPV" : "DPV + 1.5 times the frame's DPV");
    } else if (mod.DPV != 0) {
        changes.Add("DPV ", Signed(static_cast<double>(mod.DPV)));
    }
    if (mod.MarkUp != 0) {
        changes.Add("Mark-Up ", Signed(mod.MarkUp));
    }
    if (changes.empty()) {
        changes.Add("nothing");
    }
}

}  // namespace

void MainWindowModel::StatisticHeeded(std::string_view name, Heed heed) {
    const auto place = static_cast<int>(StatisticNamed(name));
    if (place == static_cast<int>(kStatisticCount)) {
        return;
    }
    int& statistic =
        heed == Heed::FocusIn || heed == Heed::FocusOut ? focusedStatistic_ : pointedStatistic_;
    if (heed == Heed::FocusIn || heed == Heed::PointerIn) {
        statistic = place;
    } else if (statistic == place) {
        statistic = -1;
    }
    ShowDetails();
}

std::string_view MainWindowModel::LedgerOf(std::string_view name) const {
    const std::size_t place = StatisticNamed(name);
    return place < kStatisticCount ? design_.ledgers[place].text() : std::string_view();
}

void MainWindowModel::ShowDetails() {
    // Written in place, so that the details of the next action reuse the room of these.
    std::string& text = txtDetails.text;
    if (const int shown = pointedStatistic_ >= 0 ? pointedStatistic_ : focusedStatistic_;
        shown >= 0) {
        text = design_.ledgers[static_cast<std::size_t>(shown)].text();
        return;
    }
    const ListBox& list = detailsOfInstalled_ ? lstCurrentMod : lstChooseMod;
    text.clear();
    if (list.selected() < 0) {
        return;
    }
    const std::string& name = list.SelectedText();
    const std::int16_t index = catalogue().ModificationNamed(name);
    if (index == 0) {
        Append(text, name, " is not in the data files.");
        return;
    }
    const ModificationRecord& mod = catalogue().Modification(index);
    const ShownText mount(mod.Mount1);
    PartList lines(text, "\n");
    lines.Add(name);
    lines.Add("Class: ", ShownText(mod.ModType).view());
    lines.Add("Mount: ", mount.view().empty() ? "none" : mount.view());
    lines.Add("Each level: ");
    AddLevelChanges(text, mod);
    if (design_.intChooseFrame != 0) {
        lines.Add("Maximum level on the ",
                  ShownText(catalogue().Frame(design_.intChooseFrame).Frame).view(), ": ",
                  FormatWhole(catalogue().MaxLevel(index, design_.intFrameNumber)));
    }
    if (!catalogue().Details(index).empty()) {
        lines.Add(catalogue().Details(index));
    }
    if (detailsOfInstalled_) {
        if (const int slot = SelectedSlot()) {
            lines.Add("Installed at level ", FormatWhole(design_.Option(slot).level), ".");
        }
        return;
    }
    // The line goes again when nothing stands in the way.
    const std::size_t lineStart = text.size();
    lines.Add("Cannot be installed now: ");
    const std::size_t reasonsStart = text.size();
    AddInstallRefusals(index, text);
    if (text.size() == reasonsStart) {
        text.resize(lineStart);
    } else if (text.back() != '.') {
        // A reason may be a whole sentence of its own.
        text += '.';
    }
}

}  // namespace kalverin
