#include "designer/stat_card.h"

#include <algorithm>

#include "designer/design_boxes.h"
#include "designer/main_window_model.h"

namespace kalverin {

StatCard BuildStatCard(const MainWindowModel& model) {
    StatCard card;
    card.title = model.txtFirearm.text;
    card.frame = model.cmbChooseFrame.text;

    for (const Statistic& stat : kStatistics) {
        card.statistics.push_back({ShownCaption(stat.caption), (model.*stat.box).text});
    }
    // Only a ticked box is a free mount; a grayed one is not.
    for (const MountBox& mount : kMounts) {
        if ((model.*mount.box).value == 1) {
            card.freeMounts.push_back(ShownCaption(mount.caption));
        }
    }

    const WeaponDesign& design = model.design();
    const int installed = std::clamp<int>(design.intModCounter, 0, kMaxInstalledOptions);
    for (int slot = 1; slot <= installed; ++slot) {
        const InstalledOption& option = design.Option(slot);
        card.options.push_back({option.name, option.level});
    }

    card.description = model.txtDescription.text;
    return card;
}

}  // namespace kalverin
