#pragma once

// The boxes that show the design: the twelve statistics as the main window lays them out, top
// to bottom, and the four mount boxes. The window, the rules, the stat card and the weapon file
// all go by these tables.

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "catalogue/data_rules.h"
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
// free, in the order of kMountWords, the window's and a weapon file's second line.
struct MountBox {
    std::string_view word;
    std::string_view name;
    std::string_view caption;
    CheckBox MainWindowModel::*box;
};

inline constexpr MountBox kMounts[] = {
    {kMountWords[0], "chkBarrel", "&Barrel Mount", &MainWindowModel::chkBarrel},
    {kMountWords[1], "chkTop", "To&p Mount", &MainWindowModel::chkTop},
    {kMountWords[2], "chkLarge", "&Large Under Mount", &MainWindowModel::chkLarge},
    {kMountWords[3], "chkSmall", "&Small Under Mount", &MainWindowModel::chkSmall},
};

// Calls `take` with the name and the mirror of each control that shows the design, in the order
// of the window's table: all but the filter, the details and the Undo, Redo and Use Shipped Data
// entries, which only show, and the option list, whose lines follow from the class listed and
// the filter (see DesignMoment).
template <typename Model, typename Take>
void ForEachDesignControl(Model& model, Take take) {
    constexpr std::string_view kOnlyShow[] = {"txtFilter", "txtDetails",    "mnuUndo",
                                              "mnuRedo",   "mnuUseShipped", "lstChooseMod"};
    for (const Control<MainWindowModel>& c : MainWindowModel::Controls()) {
        if (std::find(std::begin(kOnlyShow), std::end(kOnlyShow), c.name) != std::end(kOnlyShow)) {
            continue;
        }
        std::visit(
            [&](auto member) {
                if constexpr (std::is_member_object_pointer_v<decltype(member)>) {
                    take(c.name, model.*member);
                }
            },
            c.mirror);
    }
}

}  // namespace kalverin
