#include "designer/design_recovery.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <vector>

#include "catalogue/guarded_folder.h"
#include "catalogue/replace_files.h"
#include "designer/design_boxes.h"

namespace kalverin {
namespace {

constexpr std::string_view kHeader = "Kalverin design in progress 1\r\n";
constexpr std::string_view kEnd = "end\r\n";
constexpr std::string_view kKept = ".design";
// A file being made, before it has its name.
constexpr std::string_view kMaking = ".new";

template <typename Number>
std::string Shortest(Number number) {
    char out[32];
    return {out, std::to_chars(out, out + sizeof out, number).ptr};
}

// Writes the fields of a recovery file, one a line: a key, the length of the value and the
// value, so that every text comes back as it was, line breaks and all.
class KeptOut {
  public:
    void Text(std::string_view key, std::string_view value) {
        ((out_ += key) += ' ' + std::to_string(value.size()) + ' ') += value;
        out_ += "\r\n";
    }
    template <typename Held>
    void Number(std::string_view key, Held number) {
        Text(key, Shortest(number));
    }
    void Flag(std::string_view key, bool flag) { Text(key, flag ? "1" : "0"); }
    // A number is written after '#', a text after '"'; nothing is written as '-'.
    template <typename Number>
    void Stat(std::string_view key, const StatValue<Number>& value) {
        Text(key, value.IsNumber() ? '#' + Shortest(value.number()) : '"' + value.Shown());
    }
    void Item(std::string_view key, const ItemValue& value) {
        const char* kinds[] = {"-", "#", "\""};
        Text(key, kinds[static_cast<int>(value.kind())] + (value.kind() == ItemValue::Kind::Number
                                                               ? Shortest(value.number())
                                                               : value.text()));
    }
    void Maybe(std::string_view key, const std::optional<std::string>& text) {
        Text(key, text ? '"' + *text : "-");
    }
    void List(std::string_view key, const ListBox& list) {
        Number(key, list.Count());
        for (const std::string& line : list.items()) {
            Text("line", line);
        }
        Number("selected", list.selected());
    }
    void Keep(std::string_view key, const Ledger& ledger) {
        Text(key, ledger.text());
        Number("line", ledger.lineStart());
        Number("value", ledger.valueStart());
    }
    void Require(bool) {}

    std::string Take() { return std::string(kHeader) + std::move(out_) + std::string(kEnd); }

  private:
    std::string out_;
};

// Reads the fields back in the same order; any key, length or number out of place, and the
// whole file does not read back.
class KeptIn {
  public:
    explicit KeptIn(std::string_view in) : in_(in) { Take(kHeader); }

    void Text(std::string_view key, std::string& value) { value = Value(key); }
    template <typename Held>
    void Number(std::string_view key, Held& number) {
        const std::string_view text = Value(key);
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        Require(error == std::errc() && end == text.data() + text.size());
    }
    void Flag(std::string_view key, bool& flag) {
        const std::string_view text = Value(key);
        Require(text == "0" || text == "1");
        flag = text == "1";
    }
    // Nothing, written '-', leaves the value empty.
    template <typename Number>
    void Stat(std::string_view key, StatValue<Number>& value) {
        value = {};
        Tagged<Number>(
            key,
            [&value](std::string_view text) { value = StatValue<Number>::Text(std::string(text)); },
            [&value](Number number) { value = number; });
    }
    void Item(std::string_view key, ItemValue& value) {
        value = {};
        Tagged<double>(
            key, [&value](std::string_view text) { value = ItemValue::Text(std::string(text)); },
            [&value](double number) { value = ItemValue::Number(number); });
    }
    void Maybe(std::string_view key, std::optional<std::string>& text) {
        text.reset();
        Tagged<double>(
            key, [&text](std::string_view shown) { text = std::string(shown); },
            [this](double) { Require(false); });
    }
    void List(std::string_view key, ListBox& list) {
        int count = 0;
        Number(key, count);
        list.Clear();
        for (int i = 0; ok_ && i < count; ++i) {
            list.Add(Value("line"));
        }
        int selected = -1;
        Number("selected", selected);
        list.Select(selected);
    }
    void Keep(std::string_view key, Ledger& ledger) {
        std::string text;
        std::uint32_t line = 0;
        std::uint32_t value = 0;
        Text(key, text);
        Number("line", line);
        Number("value", value);
        Require(ledger.Restore(std::move(text), line, value));
    }
    void Require(bool ok) { ok_ = ok_ && ok; }

    // Whether the whole file was read, and nothing follows it.
    bool Done() {
        Take(kEnd);
        return ok_ && in_.empty();
    }

  private:
    void Take(std::string_view expected) {
        Require(in_.substr(0, expected.size()) == expected);
        in_.remove_prefix(ok_ ? expected.size() : 0);
    }

    std::string_view Value(std::string_view key) {
        Take(key);
        Take(" ");
        std::size_t length = 0;
        const auto [end, error] = std::from_chars(in_.data(), in_.data() + in_.size(), length);
        Require(error == std::errc() && end != in_.data() + in_.size() && *end == ' ' &&
                length < in_.size() - static_cast<std::size_t>(end - in_.data()));
        if (!ok_) {
            return {};
        }
        const std::string_view value(end + 1, length);
        in_.remove_prefix(static_cast<std::size_t>(end + 1 - in_.data()) + length);
        Take("\r\n");
        return value;
    }

    // A value written with a '#' before a number, a '"' before a text, or '-' for nothing.
    template <typename Number, typename OnText, typename OnNumber>
    void Tagged(std::string_view key, OnText text, OnNumber number) {
        const std::string_view value = Value(key);
        if (value.starts_with('"')) {
            text(value.substr(1));
        } else if (value.starts_with('#')) {
            Number read{};
            const auto [end, error] =
                std::from_chars(value.data() + 1, value.data() + value.size(), read);
            Require(error == std::errc() && end == value.data() + value.size());
            number(read);
        } else {
            Require(value == "-");
        }
    }

    std::string_view in_;
    bool ok_ = true;
};

// One list of the fields for writing and reading: the controls that show the design, then the
// design, then what the option list is listed and chosen by.
template <typename Io, typename Moment>
void Fields(Io& io, const std::vector<std::string_view>& names, Moment& moment) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::visit(
            [&io, name = names[i]](auto& control) {
                using Kind = std::remove_cvref_t<decltype(control)>;
                if constexpr (std::is_same_v<Kind, ListBox>) {
                    io.List(name, control);
                } else if constexpr (std::is_same_v<Kind, Button>) {
                    io.Flag(name, control.enabled);
                } else if constexpr (std::is_same_v<Kind, CheckBox>) {
                    io.Number(name, control.value);
                } else {
                    // A chooser's list is the catalogue's, as it is read now.
                    io.Text(name, control.text);
                }
            },
            moment.controls[i]);
    }
    auto& design = moment.design;
    io.Number("intChooseFrame", design.intChooseFrame);
    io.Number("intFrameNumber", design.intFrameNumber);
    io.Item("intBaseDPV", design.intBaseDPV);
    io.Number("sngMarkUp", design.sngMarkUp);
    io.Number("intModCounter", design.intModCounter);
    const bool fits = design.intModCounter >= 0 && design.intModCounter <= kMaxInstalledOptions;
    io.Require(fits);
    for (int i = 1; fits && i <= design.intModCounter; ++i) {
        io.Text("option", design.Option(i).name);
        io.Number("level", design.Option(i).level);
    }
    io.Number("CMN", design.CMN);
    io.Text("strChooseMod", design.strChooseMod);
    io.Flag("blnModLegal", design.blnModLegal);
    io.Number("intTempLevel", design.intTempLevel);
    io.Number("intMaxLevel", design.intMaxLevel);
    io.Number("intModLevel", design.intModLevel);
    for (const Statistic& stat : kStatistics) {
        std::visit(
            [&io, &design, key = stat.name.substr(3)](auto member) {
                auto& value = design.statistics.*member;
                using Value = std::remove_cvref_t<decltype(value)>;
                if constexpr (std::is_same_v<Value, std::string>) {
                    io.Text(key, value);
                } else if constexpr (std::is_arithmetic_v<Value>) {
                    io.Number(key, value);
                } else {
                    io.Stat(key, value);
                }
            },
            stat.value);
    }
    for (std::size_t i = 0; i < kStatisticCount; ++i) {
        io.Keep("ledger", design.ledgers[i]);
    }
    io.Maybe("listedClass", moment.listedClass);
    io.Number("chosenOption", moment.chosenOption);
    io.Text("chosenName", moment.chosenName);
}

template <typename Model>
std::vector<std::string_view> DesignControlNames(Model& model) {
    std::vector<std::string_view> names;
    ForEachDesignControl(model,
                         [&names](std::string_view name, const auto&) { names.push_back(name); });
    return names;
}

// The lock of the file at `path`, opened with `flags`, when no running program holds it. A
// FolderLock holds the lock of any descriptor until it goes.
std::optional<FolderLock> LockFile(const std::filesystem::path& path, int flags) {
    const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        return std::nullopt;
    }
    FolderLock lock(descriptor);
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        return std::nullopt;
    }
    return lock;
}

// Writes a recovery file through the crash-safe save; whether it was written.
bool Written(FileStore& files, const std::filesystem::path& path, const std::string& bytes) {
    return ReplaceFiles(files, {{path, path.string(), bytes}}).ok();
}

}  // namespace

std::string MainWindowModel::KeptWindow() const {
    DesignState now;
    Capture(now);
    KeptOut out;
    Fields(out, DesignControlNames(*this), now.Read());
    return out.Take();
}

std::optional<DesignState> MainWindowModel::ReadKeptWindow(std::string_view kept) const {
    // The window as it is gives each control its kind, and the choosers their lists.
    DesignState read;
    Capture(read);
    DesignMoment& moment = read.Write();
    for (InstalledOption& option : moment.design.options) {
        option.Clear();
    }
    KeptIn in(kept);
    Fields(in, DesignControlNames(*this), moment);
    if (!in.Done()) {
        return std::nullopt;
    }
    return read;
}

void MainWindowModel::RestoreKeptWindow(const DesignState& kept) {
    const Step step(*this);
    Restore(kept);
}

bool MainWindowModel::HoldsUnsavedWork() const {
    // Empty is as New Weapon or the start leave it: nothing typed, installed or shown.
    bool empty =
        txtFirearm.text.empty() && txtDescription.text.empty() && design_.intModCounter == 0;
    for (const Statistic& stat : kStatistics) {
        const std::string& shown = (this->*stat.box).text;
        empty = empty && (shown.empty() ||
                          (stat.box == &MainWindowModel::txtPower && shown == FormatWhole(0)) ||
                          (stat.box == &MainWindowModel::txtMarkup && shown == FormatWhole(5)));
    }
    return !empty && WeaponFile().bytes() != savedWeapon_;
}

std::optional<DesignRecovery::Clock::duration> DesignRecovery::KeepIfDue(Clock::time_point now) {
    if (due_ && now < *due_) {
        return *due_ - now;
    }
    if (due_) {
        Keep();
    }
    return std::nullopt;
}

void DesignRecovery::Keep() {
    due_.reset();
    if (!model_.HoldsUnsavedWork()) {
        Remove();
        return;
    }
    std::string kept = model_.KeptWindow();
    if (own_.empty()) {
        Create(kept);
    } else if (kept != written_ && Written(files_, own_, kept)) {
        written_ = std::move(kept);
    }
}

bool DesignRecovery::Create(const std::string& kept) {
    const auto making = folder_ / (name_ + std::string(kMaking));
    const auto path = folder_ / (name_ + std::string(kKept));
    std::optional<FolderLock> lock;
    std::error_code failed;
    // Another run may remove the folder it found empty in between; it is made once more then.
    for (int tries = 0; tries < 2 && !lock; ++tries) {
        std::filesystem::create_directories(folder_, failed);
        lock = LockFile(making, O_RDWR | O_CREAT | O_EXCL);
    }
    if (!lock || !Written(files_, making, kept)) {
        files_.Remove(making);
        return false;
    }
    std::filesystem::rename(making, path, failed);
    if (failed || !files_.SyncFolder(folder_)) {
        files_.Remove(making);
        files_.Remove(path);
        return false;
    }
    own_ = path;
    lock_ = std::move(*lock);
    written_ = kept;
    return true;
}

void DesignRecovery::Remove() {
    if (own_.empty()) {
        return;
    }
    files_.Remove(own_);
    own_.clear();
    lock_ = FolderLock();
    written_.clear();
    // Gone with its last file, the folder costs the next start a single look at the disk.
    std::error_code notEmpty;
    std::filesystem::remove(folder_, notEmpty);
}

void DesignRecovery::Drop() {
    due_.reset();
    Remove();
}

void DesignRecovery::OfferLeftFiles() {
    std::error_code none;
    // A write cut short is undone first, so that what is offered is a file written whole.
    GuardedFolder(files_, folder_, "").StartReading();
    std::vector<std::filesystem::path> left;
    for (auto entry = std::filesystem::directory_iterator(folder_, none);
         !none && entry != std::filesystem::directory_iterator(); entry.increment(none)) {
        const auto extension = entry->path().extension();
        if (extension == kKept || extension == kMaking) {
            left.push_back(entry->path());
        }
    }
    // The names begin with the time their run started.
    std::sort(left.begin(), left.end());
    for (const std::filesystem::path& path : left) {
        auto lock = LockFile(path, O_RDWR);
        if (!lock) {
            continue;  // a running program's
        }
        if (path.extension() == kMaking) {
            files_.Remove(path);  // its run ended before the file was written
            continue;
        }
        auto bytes = files_.Read(path);
        auto kept = bytes ? model_.ReadKeptWindow(bytes.value()) : std::nullopt;
        if (!kept) {
            SetAside(path);
        } else if (!dialogs_.Ask("Kalverin ended without Exit while a design was in progress. "
                                 "Restore that design, or discard it?",
                                 "Restore", "Discard")) {
            files_.Remove(path);
        } else {
            model_.RestoreKeptWindow(*kept);
            own_ = path;
            lock_ = std::move(*lock);
            written_ = std::move(bytes.value());
            return;
        }
    }
    std::filesystem::remove(folder_, none);
}

void DesignRecovery::SetAside(const std::filesystem::path& path) {
    const auto aside = folder_.parent_path() / ("unreadable-" + path.filename().string());
    std::error_code failed;
    std::filesystem::rename(path, aside, failed);
    dialogs_.ShowMessage(
        "The design in progress that an earlier run left in " + path.string() +
        " does not read back whole" +
        (failed ? ", and it stays there." : "; it was set aside as " + aside.string() + "."));
}

}  // namespace kalverin
