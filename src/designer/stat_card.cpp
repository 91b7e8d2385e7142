#include "designer/stat_card.h"

#include <algorithm>
#include <utility>

#include "designer/design_boxes.h"
#include "designer/main_window_model.h"

namespace kalverin {
namespace {

// Each first text padded so that the second texts stand in one column.
void AddColumns(std::string& out, const std::vector<std::pair<std::string, std::string>>& rows) {
    std::size_t width = 0;
    for (const auto& [first, second] : rows) {
        width = std::max(width, first.size());
    }
    for (const auto& [first, second] : rows) {
        out += first;
        if (!second.empty()) {
            out.append(width + 2 - first.size(), ' ') += second;
        }
        out += '\n';
    }
}

}  // namespace

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

std::string StatBlockText(const StatCard& card) {
    std::string out;
    if (!card.title.empty()) {
        out += card.title + "\n";
    }
    out += "Frame Type: " + card.frame + "\n\n";

    std::vector<std::pair<std::string, std::string>> rows;
    for (const StatCardRow& row : card.statistics) {
        rows.emplace_back(row.label, row.value);
    }
    AddColumns(out, rows);

    out += "\nAvailable Mounts: ";
    for (std::size_t i = 0; i < card.freeMounts.size(); ++i) {
        out += (i == 0 ? "" : ", ") + card.freeMounts[i];
    }
    out += card.freeMounts.empty() ? "None\n" : "\n";

    out += "\nCurrent Options and Modifications:";
    out += card.options.empty() ? " None\n" : "\n";
    rows.clear();
    for (const StatCardOption& option : card.options) {
        rows.emplace_back(option.name, std::to_string(option.level));
    }
    AddColumns(out, rows);

    if (!card.description.empty()) {
        out += "\nDescription:\n";
        // The box's line breaks, CR LF or CR alone, become the text's.
        for (std::size_t i = 0; i < card.description.size(); ++i) {
            const char c = card.description[i];
            if (c == '\r' && i + 1 < card.description.size() && card.description[i + 1] == '\n') {
                continue;
            }
            out += c == '\r' ? '\n' : c;
        }
        out += '\n';
    }
    return out;
}

}  // namespace kalverin
