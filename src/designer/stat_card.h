#pragma once

// The weapon's stat card: what the main window shows of a design, gathered into a plain
// document that a printer or a PDF file can lay out on one page.

#include <cstdint>
#include <string>
#include <vector>

namespace kalverin {

class MainWindowModel;

// One statistic as the window labels and shows it.
struct StatCardRow {
    std::string label;
    std::string value;
};

struct StatCardOption {
    std::string name;
    std::int16_t level = 0;

    friend bool operator==(const StatCardOption&, const StatCardOption&) = default;
};

// Texts are Windows-1252 bytes, as the window's boxes hold them.
struct StatCard {
    std::string title;                    // the firearm name
    std::string frame;                    // the frame chooser's text
    std::vector<StatCardRow> statistics;  // the twelve statistics, in the window's order
    std::vector<std::string> freeMounts;  // captions of the ticked mount boxes
    std::vector<StatCardOption> options;  // installed options, in the order installed
    std::string description;
};

// The card of the design the window shows now: its boxes as they read, not recomputed.
StatCard BuildStatCard(const MainWindowModel& model);

// The card as plain text for a chat or a forum post, lines ended by LF: the name, the frame,
// the statistics and the options each with its value in a column of its own, the free mounts,
// and the description. No line ends in a blank.
std::string StatBlockText(const StatCard& card);

// The card in Markdown, for a wiki: the name as a heading, the frame, the statistics and the
// options as tables, the free mounts and the description, every text of the design escaped.
std::string StatBlockMarkdown(const StatCard& card);

}  // namespace kalverin
