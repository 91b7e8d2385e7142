// Installing an option on the design, and taking one off. The duplicate, mount, level,
// ammunition and room rules are each written once, here or in catalogue/data_rules.h, as tests
// that both the installation and an option's details go by.

#include <algorithm>

#include "catalogue/conversions.h"
#include "catalogue/data_rules.h"
#include "designer/design_boxes.h"
#include "designer/main_window_model.h"
#include "designer/text_parts.h"

namespace kalverin {

namespace {
constexpr const char* kCannotInstall = "This modification cannot be installed.";

// The box of the slot an option needs; none when it takes no mount or names no slot.
const MountBox* SlotBox(const MountNeed& need) {
    return need.slot < 0 ? nullptr : &kMounts[need.slot];
}

// An option fits the mounts when it takes none or its slot is open; a word that names no slot
// never fits.
bool MountFree(const MainWindowModel& window, const MountNeed& need) {
    const MountBox* slot = SlotBox(need);
    return need.TakesNone() || (slot != nullptr && (window.*slot->box).value == 1);
}

// The level rule: an option at its maximum level on the chosen frame goes no higher. During an
// installation the level is 0, so a maximum of 0 means that the option does not fit the frame.
bool AtMaximum(const MainWindowModel& window, int mod, std::int16_t level) {
    return level == window.catalogue().MaxLevel(mod, window.design().intFrameNumber);
}

// The ammunition rule, on the load and capacity the boxes show.
const FullLoad* FullLoadShown(const MainWindowModel& window) {
    return FullLoadOf(window.txtLoad.text, LeadingNumber(window.txtCapacity.text));
}

// The room rule: an option that takes no FCU always fits; one that takes some needs room left
// over.
struct Room {
    double left;
    double takes;

    bool Fits() const { return left + takes > 0 || takes >= 0; }
};

Room RoomFor(const MainWindowModel& window, const ModificationRecord& mod) {
    return {LeadingNumber(window.txtFCU.text), mod.FCU.AsNumber().value_or(0)};
}

bool Full(const WeaponDesign& design) {
    return design.intModCounter >= kMaxInstalledOptions;
}

// Options are installed on a frame.
bool NoFrame(const WeaponDesign& design) {
    return design.intChooseFrame == 0;
}

// The article before a frame's name: "a Taser", "an Assault Rifle".
std::string_view Article(std::string_view name) {
    const bool vowel =
        !name.empty() && std::string_view("AEIOUaeiou").find(name[0]) != std::string_view::npos;
    return vowel ? "an " : "a ";
}

}  // namespace

bool MainWindowModel::IsInstalled(std::string_view name) const {
    for (int i = 1; i <= design_.intModCounter; ++i) {
        if (design_.Option(i).name == name) {
            return true;
        }
    }
    return false;
}

void MainWindowModel::AddModification() {
    if (lstChooseMod.selected() < 0) {
        return;
    }
    const Step step(*this);
    design_.strChooseMod = lstChooseMod.SelectedText();
    if (IsInstalled(design_.strChooseMod)) {
        dialogs_.ShowMessage("Modification already exists");
        return;
    }
    if (Full(design_)) {
        dialogs_.ShowMessage("The weapon already carries " + std::to_string(kMaxInstalledOptions) +
                             " options and modifications; no more can be installed.");
        return;
    }
    if (std::int16_t found = catalogue().ModificationNamed(design_.strChooseMod)) {
        design_.CMN = found;
    }
    InstallModification();
}

void MainWindowModel::InstallModification() {
    // The rules below claim a mount and switch buttons off even when they refuse; a design that
    // cannot take the option's values at all is refused before any of that happens.
    if (NoFrame(design_)) {
        dialogs_.ShowMessage("Choose a frame first: options are installed on a frame.");
        return;
    }
    auto applied = Applied(design_.CMN, 1, 0);
    if (!applied) {
        return;
    }
    const ModificationRecord& mod = catalogue().Modification(design_.CMN);

    design_.blnModLegal = false;
    txtLevel.text = FormatWhole(0);
    design_.intTempLevel = 0;
    MountPosition();
    CheckMaxLevel();
    if (!design_.blnModLegal) {
        dialogs_.ShowMessage(kCannotInstall);
        return;
    }
    if (!RoomFor(*this, mod).Fits()) {
        dialogs_.ShowMessage("There is no room for this modification.");
        return;
    }

    lstCurrentMod.Add(design_.strChooseMod);
    txtLevel.text = FormatWhole(1);
    design_.intModLevel = 1;
    ApplyModification(std::move(*applied));
    ++design_.intModCounter;
    // Written over the slot's old name, whose room it reuses.
    InstalledOption& added = design_.Option(design_.intModCounter);
    added.name.assign(ShownText(mod.Modification).view());
    added.level = 1;
}

void MainWindowModel::MountPosition() {
    const MountNeed need = MountOf(catalogue().Modification(design_.CMN));
    if (!MountFree(*this, need)) {
        return;
    }
    design_.blnModLegal = true;
    // The slot is claimed here, before the other rules: a refusal later on leaves it claimed.
    if (const MountBox* slot = SlotBox(need)) {
        (this->*slot->box).value = 0;
    }
}

void MainWindowModel::CheckMaxLevel() {
    design_.intMaxLevel = catalogue().MaxLevel(design_.CMN, design_.intFrameNumber);
    if (AtMaximum(*this, design_.CMN, design_.intTempLevel)) {
        cmdLevelUp.enabled = false;
        cmdAddMod.enabled = false;
        design_.blnModLegal = false;
    }
    if (FullLoadShown(*this)) {
        cmdLevelUp.enabled = false;
        design_.blnModLegal = false;
    }
}

void MainWindowModel::AddInstallRefusals(int modIndex, std::string& text) const {
    // In the order in which the installation tests them.
    const ModificationRecord& mod = catalogue().Modification(modIndex);
    PartList why(text, "; ");
    if (IsInstalled(ShownText(mod.Modification).view())) {
        why.Add("already installed");
        return;
    }
    if (Full(design_)) {
        why.Add("the weapon carries ", std::to_string(kMaxInstalledOptions), " options already");
    }
    if (NoFrame(design_)) {
        why.Add("no frame is chosen");
        return;
    }
    if (auto applied = StatisticsAfter(modIndex, 1); !applied) {
        why.Add(applied.error());
    }
    const FrameRecord& frame = catalogue().Frame(design_.intChooseFrame);
    const ShownText frameName(frame.Frame);
    if (const MountNeed need = MountOf(mod); !MountFree(*this, need)) {
        // Who holds the slot: the installed option that takes it, else the frame lacks it.
        const std::string* holder = nullptr;
        for (int i = 1; i <= design_.intModCounter; ++i) {
            const std::int16_t other = catalogue().ModificationNamed(design_.Option(i).name);
            if (catalogue().Modification(other).Mount1.Shows(need.word)) {
                holder = &design_.Option(i).name;
            }
        }
        bool offered = false;
        ForEachFrameMount(frame,
                          [&](std::string_view word) { offered = offered || word == need.word; });
        if (need.slot < 0) {
            why.Add("its mount \"", need.word, "\" is none of Barrel, Top, Large and Small");
        } else if (holder != nullptr && !holder->empty()) {
            why.Add("the ", need.word, " mount holds ", *holder);
        } else if (!offered) {
            why.Add(Article(frameName.view()), frameName.view(), " has no ", need.word, " mount");
        } else {
            why.Add("the ", need.word, " mount is not free");
        }
    }
    if (AtMaximum(*this, modIndex, 0)) {
        why.Add("does not fit ", Article(frameName.view()), frameName.view());
    }
    if (const FullLoad* full = FullLoadShown(*this)) {
        why.Add("the ", full->word, " is full at ", FormatGeneral(full->capacity));
    }
    if (const Room room = RoomFor(*this, mod); !room.Fits()) {
        why.Add("needs more than ", FormatGeneral(-room.takes), " FCU, ", FormatGeneral(room.left),
                " left");
    }
}

void MainWindowModel::RemoveOption() {
    const int slot = SelectedSlot();
    if (slot == 0) {
        return;
    }
    const Step step(*this);
    // An option the data files do not know, as a weapon file may name, has no values to take
    // off and no mount to give back.
    if (const std::int16_t mod = catalogue().ModificationNamed(design_.Option(slot).name)) {
        // Each level comes off as "-" takes it, from what the boxes show; an option whose values
        // cannot come off stays on, with a message saying why.
        design_.CMN = mod;
        design_.intModLevel = -1;
        for (int level = design_.Option(slot).level; level > 0; --level) {
            auto applied = Applied(mod, design_.intModLevel, static_cast<std::int16_t>(level));
            if (!applied) {
                step.Cancel();
                return;
            }
            ApplyModification(std::move(*applied));
        }
        if (const MountBox* mount = SlotBox(MountOf(catalogue().Modification(mod)))) {
            (this->*mount->box).value = 1;
        }
    }
    for (int i = slot; i < design_.intModCounter; ++i) {
        design_.Option(i) = design_.Option(i + 1);
    }
    design_.Option(design_.intModCounter).Clear();
    --design_.intModCounter;
    lstCurrentMod.Remove(lstCurrentMod.selected());
    // Nothing is selected now: there is no level to show or to move.
    txtLevel.text = FormatWhole(0);
    design_.intTempLevel = 0;
    cmdLevelUp.enabled = false;
    cmdLevelDown.enabled = false;
    cmdRemoveMod.enabled = false;
}

}  // namespace kalverin
