#include "designer/stat_card.h"

#include <algorithm>

#include "designer/main_window_model.h"
#include "designer/statistic_boxes.h"

namespace kalverin {

StatCard BuildStatCard(const MainWindowModel& model) {
    StatCard card;
    card.title = model.txtFirearm.text;
    card.frame = model.cmbChooseFrame.text;

    for (const StatisticBox& stat : kStatisticBoxes) {
        card.statistics.push_back({stat.caption, (model.*stat.box).text});
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
