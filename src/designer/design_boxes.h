#pragma once

// The boxes that show the design: the twelve statistics as the main window lays them out, top
// to bottom, and the four mount boxes. The window, the rules, the stat card and the weapon file
// all go by these tables.

#include <string>
#include <string_view>
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

}  // namespace kalverin
