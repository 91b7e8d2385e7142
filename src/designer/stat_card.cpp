#include "designer/stat_card.h"

#include <algorithm>
#include <utility>

#include "designer/design_boxes.h"
#include "designer/main_window_model.h"
#include "designer/text_parts.h"

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

// The box's line breaks, CR LF or CR alone, as LF.
std::string Lines(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out += c == '\r' ? '\n' : c;
    }
    return out;
}

// A text of the design as Markdown shows it as it is: what would mark something up is escaped,
// and in `lines` of their own, a mark that would start a list at the start of a line.
std::string Markdown(std::string_view text, bool lines = false) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool lineStart = lines && (i == 0 || text[i - 1] == '\n');
        if (std::string_view("\\`*_[]<>|#~&").find(c) != std::string_view::npos ||
            (lineStart && (c == '-' || c == '+' || c == '='))) {
            out += '\\';
        }
        out += c;
    }
    return out;
}

using Rows = std::vector<std::pair<std::string, std::string>>;

// Each statistic's label and value; each option's name and level.
Rows StatisticRows(const StatCard& card) {
    Rows rows;
    for (const StatCardRow& row : card.statistics) {
        rows.emplace_back(row.label, row.value);
    }
    return rows;
}

Rows OptionRows(const StatCard& card) {
    Rows rows;
    for (const StatCardOption& option : card.options) {
        rows.emplace_back(option.name, std::to_string(option.level));
    }
    return rows;
}

// The free mounts, each as `shown` gives it, a comma between them; "None" when none is free.
template <typename Shown>
std::string MountsText(const StatCard& card, Shown shown) {
    std::string out;
    for (std::size_t i = 0; i < card.freeMounts.size(); ++i) {
        Append(out, i == 0 ? "" : ", ", shown(card.freeMounts[i]));
    }
    return card.freeMounts.empty() ? "None" : out;
}

// A table of two columns, the second aligned right.
void AddTable(std::string& out, std::string_view first, std::string_view second, const Rows& rows) {
    Append(out, "| ", first, " | ", second, " |\n|:--|--:|\n");
    for (const auto& [name, value] : rows) {
        Append(out, "| ", Markdown(name), " | ", Markdown(value), " |\n");
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
    AddColumns(out, StatisticRows(card));
    out += "\nAvailable Mounts: " + MountsText(card, [](const std::string& t) { return t; });
    out += "\n\nCurrent Options and Modifications:";
    out += card.options.empty() ? " None\n" : "\n";
    AddColumns(out, OptionRows(card));
    if (!card.description.empty()) {
        out += "\nDescription:\n" + Lines(card.description) + '\n';
    }
    return out;
}

std::string StatBlockMarkdown(const StatCard& card) {
    std::string out;
    if (!card.title.empty()) {
        Append(out, "## ", Markdown(card.title), "\n\n");
    }
    Append(out, "**Frame Type:** ", Markdown(card.frame), "\n\n");
    AddTable(out, "Statistic", "Value", StatisticRows(card));
    Append(out, "\n**Available Mounts:** ",
           MountsText(card, [](const std::string& t) { return Markdown(t); }));
    out += "\n\n**Current Options and Modifications:**";
    out += card.options.empty() ? " None\n" : "\n\n";
    if (!card.options.empty()) {
        AddTable(out, "Option", "Level", OptionRows(card));
    }

    if (!card.description.empty()) {
        // Each line of the description on a line of its own: a backslash at the end of a line
        // breaks it; an empty line stays a new paragraph.
        out += "\n**Description:**\n\n";
        const std::string lines = Markdown(Lines(card.description), true);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] == '\n' && i > 0 && lines[i - 1] != '\n' && i + 1 < lines.size() &&
                lines[i + 1] != '\n') {
                out += '\\';
            }
            out += lines[i];
        }
        out += '\n';
    }
    return out;
}

}  // namespace kalverin
