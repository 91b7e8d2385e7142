// Weapon files: a design as the window shows it, in the item syntax of the data files.

#include <cmath>

#include "catalogue/conversions.h"
#include "catalogue/field_reader.h"
#include "catalogue/item_reader.h"
#include "catalogue/item_writer.h"
#include "catalogue/record_fields.h"
#include "designer/design_boxes.h"
#include "designer/main_window_model.h"

namespace kalverin {
namespace {

// A statistic as a weapon file holds it: bare as the leading number of its box ("3 (x2)" is
// written as 3), or quoted as the box shows it.
struct StoredStat {
    StatMember value;
    bool quoted;
};

// The folder of a weapon file, through which it is read and saved; messages name the file by its
// path, as it was given.
GuardedFolder FolderOf(FileStore& files, const std::filesystem::path& path) {
    return GuardedFolder(files, path.has_parent_path() ? path.parent_path() : ".",
                         path.parent_path().string());
}

// The first line after the firearm's and the frame's names.
constexpr StoredStat kFirstLine[] = {
    {&StatBlock::Power, false},      {&StatBlock::Damage, true},
    {&StatBlock::Mode, true},        {&StatBlock::Concealability, false},
    {&StatBlock::Weight, true},      {&StatBlock::AmmoCapacity, false},
    {&StatBlock::AmmoLoad, true},    {&StatBlock::Recoil, false},
    {&StatBlock::FCU, false},        {&StatBlock::DPV, false},
    {&StatBlock::FinalPrice, false},
};
// The second line opens with the Mark-Up, then the four mounts.
constexpr StoredStat kMarkUp = {&StatBlock::MarkUp, false};

const Statistic& StatisticOf(StatMember value) {
    for (const Statistic& stat : kStatistics) {
        if (stat.value == value) {
            return stat;
        }
    }
    return kStatistics[0];
}

}  // namespace

void MainWindowModel::SaveWeaponAs() {
    cdbSaveAs.filter = "Weapon File|*.wpn";
    cdbSaveAs.initialFolder = currentDir_ / "Weapons";
    auto chosen = dialogs_.AskSavePath(cdbSaveAs);
    if (!chosen) {
        return;
    }
    // The extension test is case-sensitive and wants no period: "Gunwpn" is kept as it is.
    std::string path = chosen->string();
    if (path.size() < 3 || path.compare(path.size() - 3, 3, "wpn") != 0) {
        path += ".wpn";
    }
    WriteWeaponFile(path);
}

ItemWriter MainWindowModel::WeaponFile() const {
    ItemWriter out;
    auto write = [this, &out](const StoredStat& stat) {
        const std::string& shown = (this->*StatisticOf(stat.value).box).text;
        if (stat.quoted) {
            out.Text(shown);
        } else {
            out.Number(LeadingNumber(shown));
        }
    };
    out.Text(txtFirearm.text).Text(cmbChooseFrame.text);
    for (const StoredStat& stat : kFirstLine) {
        write(stat);
    }
    out.EndLine();
    write(kMarkUp);
    for (const MountBox& mount : kMounts) {
        out.Whole((this->*mount.box).value);
    }
    out.EndLine().Whole(design_.intModCounter).EndLine();
    for (int i = 1; i <= design_.intModCounter; ++i) {
        out.Text(design_.Option(i).name).Whole(design_.Option(i).level).EndLine();
    }
    out.Text(txtDescription.text).EndLine();
    return out;
}

void MainWindowModel::WriteWeaponFile(const std::filesystem::path& path) {
    ItemWriter out = WeaponFile();
    // A file that no reader takes back would lose the design the moment it is saved.
    if (out.longestText() > kMaxItemBytes) {
        dialogs_.ShowMessage("A text of this weapon is longer than " +
                             std::to_string(kMaxItemBytes) +
                             " characters, more than a weapon file keeps: shorten the name or the "
                             "description. Nothing was saved.");
        return;
    }

    // One file replaced as a whole: a failed write puts the old bytes back and ends silently.
    const GuardedFolder folder = FolderOf(files_, path);
    if (!folder.Save({folder.Replacing(path.filename().string(), out.bytes())})) {
        return;
    }
    savedWeapon_ = out.Take();
    RememberWeapon(path);
    dialogs_.ShowMessage("The weapon is saved.");
    Changed();
}

void MainWindowModel::OpenWeapon() {
    // One step, Cancel or not: the design cleared and the one read.
    const Step step(*this);
    NewWeapon();
    if (auto chosen = dialogs_.AskOpenPath(cdbSaveAs)) {
        ReadWeaponFrom(*chosen);
    }
}

bool MainWindowModel::OpenWeaponFile(const std::filesystem::path& path) {
    // One step, as the dialog's: typing after it must start a step of its own.
    const Step step(*this);
    NewWeapon();
    return ReadWeaponFrom(currentDir_ / path);
}

bool MainWindowModel::ReadWeaponFrom(const std::filesystem::path& path) {
    const GuardedFolder folder = FolderOf(files_, path);
    auto bytes = [&] {
        const auto reading = folder.StartReading();
        if (!reading.notice().empty()) {
            dialogs_.ShowMessage(reading.notice());
        }
        return reading.Read(path.filename().string());
    }();
    if (!bytes || !ReadWeaponFile(bytes.value(), path.filename().string())) {
        return false;
    }
    savedWeapon_ = WeaponFile().Take();
    RememberWeapon(path);
    return true;
}

bool MainWindowModel::ReadWeaponFile(std::string_view bytes, std::string_view file) {
    // A number item that is not a number reads as 0; an item missing or a 16-bit number out of
    // range stops the reading.
    FieldReader in(bytes);
    // A bare item may hold a double quote, which no quoted item can; such a text is taken as
    // the boxes would take it, so that saving the design again writes a readable file.
    auto text = [&in] { return WritableText(in.Text()); };
    auto value = [&in] {
        ItemValue item = in.Value();
        return item.kind() == ItemValue::Kind::Text ? ItemValue::Text(WritableText(item.Shown()))
                                                    : item;
    };
    StatBlock& stats = design_.statistics;
    auto read = [&](const StoredStat& stat) {
        const std::string name = ShownCaption(StatisticOf(stat.value).caption);
        std::visit(Overloaded{
                       [&](StatValue<double> StatBlock::*m) {
                           stats.*m = StatValue<double>::FromItem(value());
                       },
                       [&](StatValue<float> StatBlock::*m) {
                           stats.*m = StatValue<float>::FromItem(value());
                       },
                       [&](std::int16_t StatBlock::*m) { stats.*m = in.Whole(name); },
                       [&](float StatBlock::*m) { stats.*m = in.Single(name); },
                       [&](std::string StatBlock::*m) { stats.*m = text(); },
                   },
                   stat.value);
    };
    const std::string name = text();
    const std::string frame = text();
    for (const StoredStat& stat : kFirstLine) {
        read(stat);
    }
    read(kMarkUp);
    std::int16_t mounts[std::size(kMounts)] = {};
    for (std::int16_t& mount : mounts) {
        mount = in.Whole("a mount");
    }
    const std::int16_t count = in.Whole("the option count");
    if (!in.ok()) {
        return false;
    }
    // The design holds 20 options: a file that lists more stops after the twentieth.
    for (int i = 1; i <= count && i <= kMaxInstalledOptions; ++i) {
        std::string option = text();
        std::int16_t level = in.Whole("a level");
        if (!in.ok()) {
            return false;
        }
        design_.Option(i) = InstalledOption{option, level};
        lstCurrentMod.Add(std::move(option));
        design_.intModCounter = static_cast<std::int16_t>(i);
    }
    if (count > kMaxInstalledOptions) {
        return false;
    }
    std::string description = text();
    // The price is worked out again from what the file says the DPV and Mark-Up are.
    const double dpv = LeadingNumber(design_.statistics.DPV.Shown());
    const double price = dpv * design_.statistics.MarkUp;
    if (!in.ok() || !std::isfinite(price)) {
        return false;
    }

    // A box shows clear, ticked or grayed; a state it cannot show leaves it clear.
    for (std::size_t i = 0; i < std::size(kMounts); ++i) {
        (this->*kMounts[i].box).value =
            mounts[i] == 1 || mounts[i] == 2 ? mounts[i] : std::int16_t{0};
    }
    design_.statistics.FinalPrice = price;
    // Each value's ledger starts with the file: "opened from Gun.wpn: 4".
    for (std::size_t i = 0; i < kStatisticCount; ++i) {
        Ledger& ledger = design_.ledgers[i];
        ledger.Clear();
        const std::string shown = ShownStat(design_.statistics, kStatistics[i].value);
        if (kStatistics[i].box == &MainWindowModel::txtPrice) {
            ledger.Add(shown, "opened from ", file, ": DPV ", FormatGeneral(dpv), " \xD7 Mark-Up ",
                       FormatGeneral(design_.statistics.MarkUp), " = ");
        } else if (!shown.empty()) {
            ledger.Add(shown, "opened from ", file, ": ");
        }
    }
    txtFirearm.text = name;
    txtDescription.text = std::move(description);
    cmbChooseFrame.text = frame;
    // The frame is found again by name so that the design can go on; the statistics stay as
    // the file has them. Without such a frame, installing asks for a frame to be chosen.
    design_.intChooseFrame = catalogue().FrameNamed(frame);
    design_.intFrameNumber = catalogue().Frame(design_.intChooseFrame).FrameNumber;
    if (design_.intChooseFrame != 0) {
        design_.intBaseDPV = ItemValue::Number(catalogue().Frame(design_.intChooseFrame).DPV);
    }
    ShowStatistics();
    return true;
}

void MainWindowModel::KeepRecentWeaponsIn(RecentWeaponsStore& store) {
    recentStore_ = &store;
    recent_.reset();
}

std::vector<std::filesystem::path>& MainWindowModel::Recent() {
    if (!recent_) {
        recent_ = recentStore_ ? recentStore_->Read() : std::vector<std::filesystem::path>{};
    }
    return *recent_;
}

std::vector<std::filesystem::path> MainWindowModel::RecentWeapons() {
    std::vector<std::filesystem::path> there;
    for (const std::filesystem::path& path : Recent()) {
        std::error_code unreadable;
        if (std::filesystem::is_regular_file(path, unreadable)) {
            there.push_back(path);
        }
    }
    return there;
}

void MainWindowModel::RememberWeapon(const std::filesystem::path& path) {
    std::vector<std::filesystem::path>& recent = Recent();
    const std::filesystem::path file = (currentDir_ / path).lexically_normal();
    std::erase(recent, file);
    recent.insert(recent.begin(), file);
    if (recent.size() > kRecentWeapons) {
        recent.resize(kRecentWeapons);
    }
    if (recentStore_) {
        recentStore_->Write(recent);
    }
}

}  // namespace kalverin
