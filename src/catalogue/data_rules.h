#pragma once

// The rules that give the words and numbers of the data files their meaning, each written once:
// the main window and the editors go by them, and so does the data check, which finds an option
// or a frame they leave unusable.

#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/item_value.h"
#include "catalogue/outcome.h"
#include "catalogue/records.h"

namespace kalverin {

// The mount positions, in the order of the main window's mount boxes.
inline constexpr std::string_view kMountWords[] = {"Barrel", "Top", "Large", "Small"};
// What the frame editor writes for a mount the frame does not have.
inline constexpr std::string_view kNoMount = "None";

// The position a mount word names, as an index of kMountWords; -1 when it names none.
int MountSlot(std::string_view word);

// The mount an option needs: the position its Mount 1 field names, as an index of kMountWords.
struct MountNeed {
    std::string word;
    int slot = -1;

    bool TakesNone() const { return word.empty(); }
    // A word that names no position: the option never fits.
    bool NamesNoSlot() const { return !TakesNone() && slot < 0; }
};

MountNeed MountOf(const ModificationRecord& mod);

// Calls `take` with each mount word a frame names, as choosing it opens them: its mount fields
// up to the first empty one. A word that is no mount's, such as "None", opens nothing.
template <typename Take>
void ForEachFrameMount(const FrameRecord& frame, Take take) {
    const ShownText first(frame.Mount1);
    const ShownText second(frame.Mount2);
    for (std::string_view word : {first.view(), second.view(), std::string_view(frame.Mount3)}) {
        if (word.empty()) {
            break;
        }
        take(word);
    }
}

// A class of Classes.txt that happens to list every option.
inline constexpr std::string_view kAllClasses = "All";

// Whether the option belongs to the class: its Mod Type shows the class's name exactly.
inline bool OfClass(const ModificationRecord& mod, std::string_view className) {
    return mod.ModType.Shows(className);
}

// Whether choosing the class lists the option.
inline bool ListedUnder(const ModificationRecord& mod, std::string_view className) {
    return OfClass(mod, className) || className == kAllClasses;
}

// The damage codes from the weakest to the strongest.
inline constexpr std::string_view kDamageLadder[] = {"L", "M", "S", "D"};

// One rung up ("U") or down ("D") the damage ladder; the ends hold, and a damage that is not on
// the ladder, or any other code, stays as it is.
std::string StepDamage(const std::string& damage, const std::string& code);

// The ammunition rule: a full cylinder or magazine takes no further changes.
struct FullLoad {
    std::string_view load;
    double capacity;
    std::string_view word;  // as a reason names it
};

// The full load a weapon of this Ammo Load and Ammo Capacity shows; nothing when it is not full.
const FullLoad* FullLoadOf(std::string_view load, double capacity);

// The statistics an option's application adds to, as their boxes show them.
struct ShownStatistics {
    std::string_view power;
    std::string_view concealability;
    std::string_view weight;
    std::string_view capacity;
    std::string_view fcu;
    std::string_view dpv;
};

// Those statistics read back as the application reads them: the whole text as one number, held
// in the statistic's width; 0 for one that is not such a number.
struct StatisticNumbers {
    double power = 0;
    double concealability = 0;
    float weight = 0;
    std::int16_t capacity = 0;
    float fcu = 0;
    double dpv = 0;
    // The caption and text of the first that is not, which refuses every application; an empty
    // caption when all are numbers.
    std::string_view badCaption;
    std::string_view badText;
};

StatisticNumbers ReadStatistics(const ShownStatistics& shown);

// The numbers applying an option adds to the statistics, each level once.
struct AddedNumbers {
    double power = 0;
    double concealability = 0;
    double weight = 0;
    double fcu = 0;
};

// The option's added numbers, or the message that refuses its application: a field that holds a
// text which is no number.
Outcome<AddedNumbers> AddedNumbersOf(const ModificationRecord& mod);

// The counts of the three modification files, each below zero counting as 0. The modification
// editor and the main window work with the count of MaxLevel.txt.
struct ModificationCounts {
    std::int16_t modifications;
    std::int16_t maxLevels;
    std::int16_t details;

    bool Agree() const { return modifications == maxLevels && details == maxLevels; }
    // Whether rows may be paired wrongly or lost, so that the editor saves nothing: a shorter
    // Details.txt only lacks texts, which a save writes empty.
    bool Misread() const { return modifications != maxLevels || details > maxLevels; }
};

// Whether the main window, which reads as many levels a row of MaxLevel.txt as there are frames,
// and the modification editor, which keeps fourteen, read the levels alike.
inline bool LevelColumnsAgree(std::size_t frames) {
    return frames == static_cast<std::size_t>(kEditorFrameColumns);
}

}  // namespace kalverin
