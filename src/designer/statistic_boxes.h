#pragma once

// The twelve statistics as the main window lays them out, top to bottom: the caption beside each
// box, the box's name and the model's box. The window and the stat card both follow this order.

#include "designer/main_window_model.h"

namespace kalverin {

struct StatisticBox {
    const char* caption;
    const char* name;
    TextBox MainWindowModel::*box;
};

inline constexpr StatisticBox kStatisticBoxes[] = {
    {"Power", "txtPower", &MainWindowModel::txtPower},
    {"Damage", "txtDamage", &MainWindowModel::txtDamage},
    {"Weight", "txtWeight", &MainWindowModel::txtWeight},
    {"Mode", "txtMode", &MainWindowModel::txtMode},
    {"Concealability", "txtConceal", &MainWindowModel::txtConceal},
    {"Ammo Capacity", "txtCapacity", &MainWindowModel::txtCapacity},
    {"Ammo Load", "txtLoad", &MainWindowModel::txtLoad},
    {"Recoil", "txtRecoil", &MainWindowModel::txtRecoil},
    {"FCU", "txtFCU", &MainWindowModel::txtFCU},
    {"DPV", "txtDPV", &MainWindowModel::txtDPV},
    {"Mark-Up", "txtMarkup", &MainWindowModel::txtMarkup},
    {"Final Price", "txtPrice", &MainWindowModel::txtPrice},
};

}  // namespace kalverin
