#pragma once

// The records read from the data files. Records are numbered from 1 in file order; the
// accessors take that number and the vectors hold record i at position i - 1.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/item_value.h"

namespace kalverin {

inline constexpr int kMaxFrames = 20;
inline constexpr int kMaxModifications = 150;
inline constexpr int kMaxClasses = 15;
inline constexpr int kEditorFrameColumns = 14;

// One weapon frame: a line of Frames.txt.
struct FrameRecord {
    ItemValue Frame;
    ItemValue Power;
    ItemValue Damage;
    ItemValue Mode;
    ItemValue Concealability;
    ItemValue Weight;
    ItemValue AmmoCapacity;
    std::string AmmoLoad;
    ItemValue Mount1;
    ItemValue Mount2;
    std::string Mount3;
    float FCU = 0;
    std::int16_t DPV = 0;
    std::int16_t FrameNumber = 0;
    // Not stored in the file: every frame starts without recoil.
    double Recoil = 0;

    friend bool operator==(const FrameRecord&, const FrameRecord&) = default;
};

// One option or modification: a line of Modifications.txt. Mode comes after Recoil here.
struct ModificationRecord {
    ItemValue ModType;
    ItemValue Modification;
    ItemValue Power;
    std::string Damage;
    ItemValue Concealability;
    ItemValue Weight;
    std::int16_t AmmoCapacity = 0;
    ItemValue AmmoLoad;
    ItemValue FCU;
    std::int16_t DPV = 0;
    ItemValue Mount1;
    ItemValue Mount2;
    std::string Mount3;
    float Recoil = 0;
    ItemValue Mode;
    float MarkUp = 0;

    friend bool operator==(const ModificationRecord&, const ModificationRecord&) = default;
};

// One line of MaxLevel.txt: a label (the modification's name) and its level on each frame
// column. Columns are numbered from 1; levels[j - 1] is column j.
struct MaxLevelRow {
    ItemValue label;
    std::array<std::int16_t, kMaxFrames> levels{};

    friend bool operator==(const MaxLevelRow&, const MaxLevelRow&) = default;
};

struct FramesFile {
    ItemValue count;  // kept as read, so a rewrite gives back the same count line
    std::vector<FrameRecord> frames;

    friend bool operator==(const FramesFile&, const FramesFile&) = default;
};

struct ModificationsFile {
    std::int16_t count = 0;
    std::vector<ModificationRecord> records;

    friend bool operator==(const ModificationsFile&, const ModificationsFile&) = default;
};

struct MaxLevelFile {
    std::int16_t count = 0;
    std::vector<MaxLevelRow> rows;

    friend bool operator==(const MaxLevelFile&, const MaxLevelFile&) = default;
};

// What the main window holds after reading the four data files.
struct DataCatalogue {
    std::int16_t intNumberofFrames = 0;
    std::vector<FrameRecord> frames;
    // The count of MaxLevel.txt: the number of modifications the main window works with.
    std::int16_t intNumberofMods = 0;
    std::vector<ModificationRecord> modifications;
    std::vector<std::string> classes;
    std::vector<MaxLevelRow> maxLevels;
    // The descriptions of Details.txt, in the order of the modifications; none when the file
    // cannot be read.
    std::vector<std::string> details;

    const FrameRecord& Frame(int index) const;
    const ModificationRecord& Modification(int index) const;
    // The highest level of modification `row` on frame column `column`; 0 outside the table.
    std::int16_t MaxLevel(int row, int column) const;
    // The description of modification `index`; empty when Details.txt has none for it.
    const std::string& Details(int index) const;

    // The frame shown as `name`: of several, the last; 0 when none is. A name read as a bare
    // number is matched by the text it shows.
    std::int16_t FrameNamed(std::string_view name) const;
    // The modification shown as `name`: of several, the last of the first intNumberofMods; 0
    // when none is. Looked up, so that an action costs as much on 150 modifications as on 10.
    std::int16_t ModificationNamed(std::string_view name) const;
    // Fills the lookup above from the records; whoever changes them calls it again.
    void IndexModificationNames();

  private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const noexcept {
            return std::hash<std::string_view>()(name);
        }
    };
    std::unordered_map<std::string, std::int16_t, NameHash, std::equal_to<>> modificationNames_;
};

}  // namespace kalverin
