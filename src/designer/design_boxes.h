#pragma once

// The boxes that show the design: the twelve statistics as the main window lays them out, top
// to bottom, and the four mount boxes. The window, the rules, the stat card and the weapon file
// all go by these tables.

#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "designer/main_window_model.h"
#include "designer/stat_block.h"

namespace kalverin {

struct Statistic {
    std::string_view caption;  // with '&' before its access key
    std::string_view name;     // the box's name
    TextBox MainWindowModel::*box;
    StatMember value;
};

inline constexpr Statistic kStatistics[] = {
    {"Po&wer", "txtPower", &MainWindowModel::txtPower, &StatBlock::Power},
    {"Dama&ge", "txtDamage", &MainWindowModel::txtDamage, &StatBlock::Damage},
    {"Weight", "txtWeight", &MainWindowModel::txtWeight, &StatBlock::Weight},
    {"Mode", "txtMode", &MainWindowModel::txtMode, &StatBlock::Mode},
    {"Concealabilit&y", "txtConceal", &MainWindowModel::txtConceal, &StatBlock::Concealability},
    {"Ammo Capacity", "txtCapacity", &MainWindowModel::txtCapacity, &StatBlock::AmmoCapacity},
    {"Ammo Load", "txtLoad", &MainWindowModel::txtLoad, &StatBlock::AmmoLoad},
    {"Recoil", "txtRecoil", &MainWindowModel::txtRecoil, &StatBlock::Recoil},
    {"FCU", "txtFCU", &MainWindowModel::txtFCU, &StatBlock::FCU},
    {"DP&V", "txtDPV", &MainWindowModel::txtDPV, &StatBlock::DPV},
    {"Mar&k-Up", "txtMarkup", &MainWindowModel::txtMarkup, &StatBlock::MarkUp},
    {"Final Price", "txtPrice", &MainWindowModel::txtPrice, &StatBlock::FinalPrice},
};
static_assert(std::size(kStatistics) == kStatisticCount);

// The place of the statistic shown in `box` among kStatistics.
inline std::size_t StatisticIn(TextBox MainWindowModel::*box) {
    std::size_t place = 0;
    while (place + 1 < kStatisticCount && kStatistics[place].box != box) {
        ++place;
    }
    return place;
}

// The place of the statistic whose box is named `name`; kStatisticCount when none is.
inline std::size_t StatisticNamed(std::string_view name) {
    std::size_t place = 0;
    while (place < kStatisticCount && kStatistics[place].name != name) {
        ++place;
    }
    return place;
}

// A mount position: the word the data files name it by, and the box that is ticked while it is
// free, in the order of the window and of a weapon file's second line.
struct MountBox {
    std::string_view word;
    std::string_view name;
    std::string_view caption;
    CheckBox MainWindowModel::*box;
};

inline constexpr MountBox kMounts[] = {
    {"Barrel", "chkBarrel", "&Barrel Mount", &MainWindowModel::chkBarrel},
    {"Top", "chkTop", "To&p Mount", &MainWindowModel::chkTop},
    {"Large", "chkLarge", "&Large Under Mount", &MainWindowModel::chkLarge},
    {"Small", "chkSmall", "&Small Under Mount", &MainWindowModel::chkSmall},
};

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

}  // namespace kalverin
