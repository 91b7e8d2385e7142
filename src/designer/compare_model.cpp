#include "designer/compare_model.h"

#include <cmath>
#include <deque>
#include <vector>

#include "catalogue/conversions.h"
#include "designer/design_boxes.h"
#include "designer/text_parts.h"

namespace kalverin {
namespace {

// How two values of a row are told apart: numbers are higher or lower, damage codes stronger or
// weaker on the ladder L, M, S, D, any other texts only different.
enum class Kind : std::uint8_t { Text, Number, Damage };

struct RowKind {
    std::string name;     // what its controls' names end with
    std::string caption;  // as the main window labels it
    Kind kind;
};

// The rows, top to bottom: the name, the frame, the statistics in the main window's order, the
// free mounts.
const std::vector<RowKind>& Rows() {
    static const std::vector<RowKind> rows = [] {
        std::vector<RowKind> r = {{"Firearm", "Firearm Name", Kind::Text},
                                  {"Frame", "Frame Type", Kind::Text}};
        for (const Statistic& stat : kStatistics) {
            const Kind kind =
                stat.box == &MainWindowModel::txtDamage ? Kind::Damage
                : stat.box == &MainWindowModel::txtMode || stat.box == &MainWindowModel::txtLoad
                    ? Kind::Text
                    : Kind::Number;
            r.push_back({std::string(stat.name.substr(3)), ShownCaption(stat.caption), kind});
        }
        r.push_back({"Mounts", "Available Mounts", Kind::Text});
        return r;
    }();
    return rows;
}

// What row `row` of the window shows of the design.
std::string RowText(const MainWindowModel& m, int row) {
    if (row == 0) {
        return m.txtFirearm.text;
    }
    if (row == 1) {
        return m.cmbChooseFrame.text;
    }
    if (row < CompareModel::kRows - 1) {
        return (m.*kStatistics[row - 2].box).text;
    }
    // Only a ticked box is a free mount, as on the stat card.
    std::string mounts;
    PartList free(mounts, ", ");
    for (const MountBox& mount : kMounts) {
        if ((m.*mount.box).value == 1) {
            free.Add(ShownCaption(mount.caption));
        }
    }
    return mounts.empty() ? "None" : mounts;
}

int DamageRung(std::string_view damage) {
    constexpr std::string_view kLadder[] = {"L", "M", "S", "D"};
    for (int rung = 0; rung < 4; ++rung) {
        if (kLadder[rung] == damage) {
            return rung;
        }
    }
    return -1;
}

// How `here` differs from `there`, in words; empty when it does not.
std::string DifferenceOf(const std::string& here, const std::string& there, Kind kind) {
    if (here == there) {
        return {};
    }
    if (const int a = DamageRung(here), b = DamageRung(there);
        kind == Kind::Damage && a >= 0 && b >= 0) {
        return a > b ? "stronger" : "weaker";
    }
    if (auto a = ParseNumber(here), b = ParseNumber(there); kind == Kind::Number && a && b) {
        if (*a == *b) {
            return {};
        }
        return (*a > *b ? "higher by " : "lower by ") + FormatGeneral(std::fabs(*a - *b));
    }
    return "different";
}

// The level of the option named `name` on the design; -1 when it has none of that name.
int LevelOf(const WeaponDesign& design, std::string_view name) {
    for (int slot = 1; slot <= design.intModCounter; ++slot) {
        if (design.Option(slot).name == name) {
            return design.Option(slot).level;
        }
    }
    return -1;
}

void ListOptions(const WeaponDesign& design, ListBox& list) {
    list.Clear();
    for (int slot = 1; slot <= design.intModCounter; ++slot) {
        const InstalledOption& option = design.Option(slot);
        list.Add(option.name + ", level " + FormatWhole(option.level));
    }
}

}  // namespace

std::span<const Control<CompareModel>> CompareModel::Controls() {
    using M = CompareModel;
    using K = ControlKind;
    static const std::vector<Control<M>> table = [] {
        // The names and accessible names made here are kept for as long as the table.
        static std::deque<std::string> texts;
        auto kept = [](std::string text) -> std::string_view { return texts.emplace_back(text); };
        std::vector<Control<M>> t = {
            {.name = "lblThis", .kind = K::Label, .mirror = &M::lblThis, .place = {.column = 1}},
            {.name = "lblFile", .kind = K::Label, .mirror = &M::lblFile, .place = {.column = 2}},
            {.name = "lblDifference",
             .kind = K::Label,
             .mirror = &M::lblDifference,
             .place = {.column = 3}},
        };
        std::int8_t row = 1;
        for (int i = 0; i < kRows; ++i, ++row) {
            const RowKind& kind = Rows()[static_cast<std::size_t>(i)];
            t.push_back({.name = kept("txtThis" + kind.name),
                         .caption = kept(kind.caption),
                         .kind = K::ReadOnlyBox,
                         .mirror = IndexedBox<M>{&M::This, i},
                         .place = {.row = row, .caption = CaptionAt::Beside}});
            t.push_back({.name = kept("txtFile" + kind.name),
                         .kind = K::ReadOnlyBox,
                         .mirror = IndexedBox<M>{&M::File, i},
                         .place = {.row = row, .column = 2},
                         .accessibleName = kept(kind.caption + " in the file")});
            t.push_back({.name = kept("txtDifference" + kind.name),
                         .kind = K::ReadOnlyBox,
                         .mirror = IndexedBox<M>{&M::Difference, i},
                         .place = {.row = row, .column = 3},
                         .accessibleName = kept(kind.caption + ": this design is")});
        }
        t.push_back({.name = "lstThisOptions",
                     .caption = "&Options and Modifications",
                     .kind = K::List,
                     .mirror = &M::lstThisOptions,
                     .place = {.row = row, .caption = CaptionAt::Beside, .grows = true}});
        t.push_back({.name = "lstFileOptions",
                     .kind = K::List,
                     .mirror = &M::lstFileOptions,
                     .place = {.row = row, .column = 2},
                     .accessibleName = "Options and Modifications in the file"});
        t.push_back({.name = "lstOptionDifferences",
                     .kind = K::List,
                     .mirror = &M::lstOptionDifferences,
                     .place = {.row = row, .column = 3},
                     .accessibleName = "Options and Modifications: how this design differs"});
        return t;
    }();
    return table;
}

CompareModel::CompareModel(const MainWindowModel& design, UserDialogs& dialogs, FileStore& files)
    : design_(design),
      dialogs_(dialogs),
      files_(files),
      file_(std::make_unique<MainWindowModel>(design.data(), design.currentDir(), dialogs, files)) {
    lblThis.text = "This Design";
    lblDifference.text = "This Design Is";
    cdbCompare.title = "Compare With";
    cdbCompare.filter = "Weapon File|*.wpn";
    cdbCompare.initialFolder = design.currentDir() / "Weapons";
}

bool CompareModel::ChooseFile() {
    const auto chosen = dialogs_.AskOpenPath(cdbCompare);
    if (!chosen) {
        return false;
    }
    // Read into a design of its own, so that a file read in part leaves the last one compared.
    auto read =
        std::make_unique<MainWindowModel>(design_.data(), design_.currentDir(), dialogs_, files_);
    if (!read->OpenWeaponFile(*chosen)) {
        dialogs_.ShowMessage(chosen->filename().string() + " cannot be read as a weapon file.");
        return false;
    }
    file_ = std::move(read);
    lblFile.text = chosen->filename().string();
    Compare();
    return true;
}

void CompareModel::Compare() {
    for (int row = 0; row < kRows; ++row) {
        This(row).text = RowText(design_, row);
        File(row).text = RowText(*file_, row);
        Difference(row).text = DifferenceOf(This(row).text, File(row).text,
                                            Rows()[static_cast<std::size_t>(row)].kind);
    }
    const WeaponDesign& here = design_.design();
    const WeaponDesign& there = file_->design();
    ListOptions(here, lstThisOptions);
    ListOptions(there, lstFileOptions);
    lstOptionDifferences.Clear();
    for (int slot = 1; slot <= here.intModCounter; ++slot) {
        const InstalledOption& option = here.Option(slot);
        const int level = LevelOf(there, option.name);
        if (level < 0) {
            lstOptionDifferences.Add(option.name + ": only in this design");
        } else if (level != option.level) {
            lstOptionDifferences.Add(option.name + ": level " +
                                     DifferenceOf(FormatWhole(option.level),
                                                  FormatWhole(static_cast<std::int16_t>(level)),
                                                  Kind::Number));
        }
    }
    for (int slot = 1; slot <= there.intModCounter; ++slot) {
        if (LevelOf(here, there.Option(slot).name) < 0) {
            lstOptionDifferences.Add(there.Option(slot).name + ": not in this design");
        }
    }
}

}  // namespace kalverin
