#include "designer/stat_card.h"

#include <algorithm>

#include "designer/main_window_model.h"

namespace kalverin {

StatCard BuildStatCard(const MainWindowModel& model) {
    StatCard card;
    card.title = model.txtFirearm.text;
    card.frame = model.cmbChooseFrame.text;

    const std::pair<const char*, const TextBox*> statistics[] = {
        {"Power", &model.txtPower},
        {"Damage", &model.txtDamage},
        {"Weight", &model.txtWeight},
        {"Mode", &model.txtMode},
        {"Concealability", &model.txtConceal},
        {"Ammo Capacity", &model.txtCapacity},
        {"Ammo Load", &model.txtLoad},
        {"Recoil", &model.txtRecoil},
        {"FCU", &model.txtFCU},
        {"DPV", &model.txtDPV},
        {"Mark-Up", &model.txtMarkup},
        {"Final Price", &model.txtPrice},
    };
    for (const auto& [label, box] : statistics) {
        card.statistics.push_back({label, box->text});
    }

    // Only a ticked box is a free mount; a grayed one is not.
    const std::pair<const char*, const CheckBox*> mounts[] = {
        {"Barrel Mount", &model.chkBarrel},
        {"Top Mount", &model.chkTop},
        {"Large Under Mount", &model.chkLarge},
        {"Small Under Mount", &model.chkSmall},
    };
    for (const auto& [caption, box] : mounts) {
        if (box->value == 1) {
            card.freeMounts.emplace_back(caption);
        }
    }

    const int installed = std::clamp<int>(model.intModCounter, 0, kMaxInstalledOptions);
    for (int slot = 1; slot <= installed; ++slot) {
        const InstalledOption& option = model.Option(slot);
        card.options.push_back({option.name, option.level});
    }

    card.description = model.txtDescription.text;
    return card;
}

}  // namespace kalverin
