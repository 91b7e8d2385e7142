// Runs every scenario under scenarios/ (see its README) against its transcript, which
// KALVERIN_UPDATE_SCENARIOS=1 rewrites; and checks each window's own access keys and names.

#include <fnmatch.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <ranges>
#include <set>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "about/about_model.h"
#include "about/sys_info_fakes.h"
#include "catalogue/code_page.h"
#include "catalogue/conversions.h"
#include "catalogue/data_check.h"
#include "catalogue/data_files.h"
#include "catalogue/details_file.h"
#include "catalogue/file_store.h"
#include "catalogue/item_value.h"
#include "catalogue/item_writer.h"
#include "check_data/check_data_model.h"
#include "designer/compare_model.h"
#include "designer/design_boxes.h"
#include "designer/design_recovery.h"
#include "designer/main_window_model.h"
#include "designer/stat_card.h"
#include "frame_editor/frame_editor_model.h"
#include "modification_editor/modification_editor_model.h"
#include "support/faulty_disks.h"
#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

namespace kalverin::testing {
namespace {

using Lines = std::vector<std::string>;

std::string Unescaped(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            bytes += text[i];
        } else if (const char e = text[++i]; e == 'x' && i + 2 < text.size()) {
            bytes += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else if (e == '*' && !bytes.empty()) {
            std::size_t digits = 0;
            const std::size_t count = std::stoul(std::string(text.substr(i + 1)), &digits);
            bytes.append(count - 1, bytes.back());
            i += digits;
        } else {
            bytes += e == 'r' ? '\r' : e == 'n' ? '\n' : e;
        }
    }
    return bytes;
}

// A number in the fewest digits that read back as it.
template <typename Number>
std::string Shortest(Number number) {
    char out[32];
    return {out, std::to_chars(out, out + sizeof out, number).ptr};
}

template <typename Number>
std::string Shortest(const std::optional<Number>& number) {
    return number ? Shortest(*number) : "none";
}

// The words of a step: bare words, and texts between double quotes; the first is its verb.
using Words = std::vector<std::string>;

Words WordsOf(std::string_view step) {
    Words words;
    for (std::size_t at = 0; (at = step.find_first_not_of(' ', at)) != std::string_view::npos;) {
        const bool quoted = step[at] == '"';
        std::size_t end = at + (quoted ? 1 : 0);
        while (end < step.size() && step[end] != (quoted ? '"' : ' ')) {
            end += quoted && step[end] == '\\' ? 2 : 1;
        }
        words.push_back(quoted ? Unescaped(step.substr(at + 1, end - at - 1))
                               : std::string(step.substr(at, end - at)));
        at = end + 1;
    }
    return words;
}

// Open Recent's list as the settings keep it between runs, for every main window.
struct KeptRecentWeapons final : RecentWeaponsStore {
    std::vector<std::filesystem::path> Read() override { return paths; }
    void Write(const std::vector<std::filesystem::path>& list) override { paths = list; }
    std::vector<std::filesystem::path> paths;
};

// The About window, with a registry and programs of the scenario's making.
struct AboutParts {
    explicit AboutParts(UserDialogs& dialogs)
        : model(registry, starter, dialogs, {"sysview", "hwlist", "infopanel"}) {}
    FakeRegistry registry;
    FakeStarter starter;
    AboutModel model;
};

// What a window shows: each thing of a control that can change, and what it shows.
using View = std::vector<std::pair<std::string, std::string>>;

struct Window {
    std::shared_ptr<void> model;
    std::vector<BoundControl> controls;
    std::function<void()> load;
    MainWindowModel* main = nullptr;  // a main window's own verbs
    std::shared_ptr<DesignRecovery> recovery;
    AboutParts* about = nullptr;  // the About window's surroundings
    // A window that follows another's model: shown again when switched to, with what changed.
    std::function<void()> follow;
    View shown;  // its watched controls when it was last shown
};

template <typename Model, typename... Args>
Window MakeWindow(void (Model::*load)(), Args&&... args) {
    auto model = std::make_shared<Model>(std::forward<Args>(args)...);
    return {model, BindControls(*model, Model::Controls()), [model, load] { (*model.*load)(); }};
}

std::string ListItems(const auto& items) {
    std::string out;
    for (const std::string& item : items) {
        (out += out.empty() ? "" : " ") += Quoted(item);
    }
    return "[" + out + "]";
}

// A watched name: a control's name, a pattern in which '*' stands for any run of characters, or
// "stats" for the main window's statistics boxes.
bool Matches(const std::string& pattern, std::string_view name) {
    return pattern == "stats"
               ? std::ranges::find(kStatistics, name, &Statistic::name) != std::end(kStatistics)
               : ::fnmatch(pattern.c_str(), std::string(name).c_str(), 0) == 0;
}

using Files = std::map<std::string, std::string>;

Files FilesUnder(const std::filesystem::path& root) {
    Files files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[entry.path().lexically_relative(root).generic_string()] =
                ReadFileBytes(entry.path());
        }
    }
    return files;
}

// A file's lines as they end with CR LF; a last piece without one is a line of its own.
Lines FileLines(std::string_view bytes) {
    Lines lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string_view::npos;
         start = end + 2) {
        lines.push_back(Escaped(bytes.substr(start, end - start), false));
    }
    if (start < bytes.size()) {
        lines.push_back(Escaped(bytes.substr(start), false) + " (no line end)");
    }
    return lines;
}

class Scenario {
  public:
    Scenario() : dialogs_(folder_.path()) {
        std::filesystem::create_directories(program() / "Data");
        std::filesystem::create_directories(current() / "Weapons");
        files_ = FilesUnder(folder_.path());
    }

    std::string Run(const std::string& text) {
        std::istringstream in(text);
        std::string out;
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("  ", 0) == 0) {
                continue;  // what the file expects; what happens now takes its place
            }
            out += line + "\n";
            if (line.rfind("> ", 0) != 0) {
                continue;
            }
            const Words step = WordsOf(std::string_view(line).substr(2));
            // The lines under a step that begin with "|" are its file's, each ended by CR LF.
            for (file_.clear(); in.peek() == '|' && std::getline(in, line);) {
                out += line + "\n";
                file_ += Unescaped(line.substr(std::min<std::size_t>(line.size(), 2))) + "\r\n";
            }
            for (const std::string& change : Step(step)) {
                out += "  " + change + "\n";
            }
            // What a step did to the files beside the windows is no window's doing.
            files_ = FilesUnder(folder_.path());
        }
        return out;
    }

  private:
    // What a verb acts on: the folder (its files, the readers, the windows to switch to), the
    // window last switched to, or only a main or an About window.
    enum class On { Folder, Window, Main, About };
    struct Verb {
        std::string_view name;
        On on;
        void (Scenario::*run)(const Words&);
    };

    static const Verb& Find(const std::string& name) {
        static const Verb verbs[] = {
            {"watch", On::Folder, &Scenario::Watch},
            {"window", On::Folder, &Scenario::Open},
            {"data", On::Folder, &Scenario::Data},
            {"file", On::Folder, &Scenario::File},
            {"answer", On::Folder, &Scenario::Answer},
            {"choose", On::Folder, &Scenario::Choose},
            {"end", On::Folder, &Scenario::End},
            {"fail", On::Folder, &Scenario::Fail},
            {"refuse", On::Folder, &Scenario::Refuse},
            {"mend", On::Folder, &Scenario::Mend},
            {"edit", On::Folder, &Scenario::Edit},
            {"cut", On::Folder, &Scenario::Cut},
            {"check", On::Folder, &Scenario::CheckFolder},
            {"remove", On::Folder, &Scenario::Replace},
            {"pipe", On::Folder, &Scenario::Replace},
            {"link", On::Folder, &Scenario::Replace},
            {"read", On::Folder, &Scenario::ReadDataFile},
            {"rewrite", On::Folder, &Scenario::ReadDataFile},
            {"number", On::Folder, &Scenario::Number},
            {"format", On::Folder, &Scenario::Format},
            {"items", On::Folder, &Scenario::Items},
            {"codepage", On::Folder, &Scenario::CodePage},
            {"encode", On::Folder, &Scenario::Encode},
            {"load", On::Window, &Scenario::Load},
            {"pick", On::Window, &Scenario::Pick},
            {"type", On::Window, &Scenario::Type},
            {"click", On::Window, &Scenario::Click},
            {"doubleclick", On::Window, &Scenario::Click},
            {"press", On::Window, &Scenario::Press},
            {"tick", On::Window, &Scenario::Tick},
            {"heed", On::Window, &Scenario::HeedControl},
            {"times", On::Window, &Scenario::Repeat},
            {"wait", On::Window, &Scenario::Wait},
            {"mark", On::Window, &Scenario::Mark},
            {"same", On::Window, &Scenario::Mark},
            {"card", On::Main, &Scenario::Card},
            {"ledger", On::Main, &Scenario::Ledgers},
            {"open", On::Main, &Scenario::OpenWeapon},
            {"registry", On::About, &Scenario::Registry},
            {"tool", On::About, &Scenario::Tool},
            {"exists", On::About, &Scenario::Exists},
            {"starting", On::About, &Scenario::Starting},
            {"forget", On::About, &Scenario::Forget},
            {"key", On::About, &Scenario::Key},
        };
        // "3 times press a then press b" is a "times" step; a "#" in a word of its actions
        // stands for the time, from 1.
        const bool repeat = std::isdigit(static_cast<unsigned char>(name[0]));
        const auto found = std::ranges::find(verbs, repeat ? "times" : name, &Verb::name);
        if (found == std::end(verbs)) {
            throw std::runtime_error("no such step: " + name);
        }
        return *found;
    }

    // One step: for a step on a window, what it started, its own lines and what it said and
    // asked, what changed in the watched controls, and what it did to the files.
    Lines Step(const Words& step) {
        if (Find(step.at(0)).on == On::Folder) {
            (this->*Find(step[0]).run)(step);
            return Said();
        }
        if (step[0] == "load" && step.size() > 1) {
            Open(step);  // "load main", "load modifications 2": switched to and loaded at once
        }
        const View before = Shown();
        Act(step);
        CheckLedgers();
        Lines changes;
        for (const std::string& started :
             window_->about ? std::exchange(window_->about->starter.started, {}) : Lines{}) {
            changes.push_back("starts " + Quoted(started));
        }
        const Lines said = Said();
        changes.insert(changes.end(), said.begin(), said.end());
        window_->shown = Shown();
        Changes(before, window_->shown, changes);
        FileChanges(changes);
        return changes;
    }

    // What the dialogs said, a path in it told from the scenario's folder, as everywhere.
    Lines Said() {
        const std::string root = folder_.path().string() + "/";
        Lines said = std::exchange(dialogs_.said, {});
        for (std::string& line : said) {
            for (auto at = line.find(root); at != std::string::npos; at = line.find(root)) {
                line.erase(at, root.size());
            }
        }
        return said;
    }

    // The watched things that show other than they did, or that did not show before.
    static void Changes(const View& before, const View& after, Lines& changes) {
        for (const auto& shown : after) {
            if (std::ranges::find(before, shown) == before.end()) {
                changes.push_back(shown.first + " = " + shown.second);
            }
        }
    }

    void Act(const Words& step) {
        const Verb& verb = Find(step.at(0));
        if ((verb.on == On::Main && !window_->main) || (verb.on == On::About && !window_->about)) {
            throw std::runtime_error(step[0] + " is no action on this window");
        }
        (this->*verb.run)(step);
    }

    // The verbs. The lines a verb shows go with what the dialogs said.
    void Say(std::string line) { dialogs_.said.push_back(std::move(line)); }

    void Watch(const Words& w) {
        watched_ = Words(w.begin() + 1, w.end());
        for (const std::string& name : *watched_) {
            auto in = [&name](const auto& table) {
                return std::ranges::any_of(table, [&](auto& c) { return Matches(name, c.name); });
            };
            if (!in(MainWindowModel::Controls()) && !in(FrameEditorModel::Controls()) &&
                !in(ModificationEditorModel::Controls()) && !in(AboutModel::Controls()) &&
                !in(CompareModel::Controls())) {
                throw std::runtime_error("no window has a control " + name);
            }
        }
    }

    // Switches to the window; one made now shows what its watched controls show, one that
    // follows another what changed in it since it was last shown.
    void Open(const Words& w) {
        const std::string& kind = w.at(1);
        auto [found, made] = windows_.try_emplace(w.size() > 2 ? kind + " " + w[2] : kind);
        window_ = &found->second;
        if (!made) {
            if (window_->follow) {
                window_->follow();
                Changes(window_->shown, Shown(), dialogs_.said);
            }
            window_->shown = Shown();
            return;
        }
        if (!data_) {
            // The program's start decides where its data is; the user's copy is under share/.
            data_.emplace(disk_,
                          DataPlaces{.beside = program() / "Data",
                                     .user = folder_.path() / "share" / "kalverin" / "Data"},
                          [] { return "2026-12-07"; });
        }
        if (kind == "main") {
            *window_ = MakeWindow<MainWindowModel>(&MainWindowModel::Load, *data_, current(),
                                                   dialogs_, disk_);
            auto* main = static_cast<MainWindowModel*>(window_->model.get());
            main->KeepRecentWeaponsIn(recent_);
            // Each run keeps its design under state/, named by the order the runs started.
            auto recovery = std::make_shared<DesignRecovery>(
                *main, dialogs_, folder_.path() / "state" / "kalverin" / "recovery",
                std::to_string(++runs_), disk_);
            main->WhenChanged([this, keeper = recovery.get()] { keeper->Changed(now_); });
            window_->load = [main, recovery] {
                main->Load();
                recovery->OfferLeft();
            };
            window_->main = main;
            window_->recovery = std::move(recovery);
        } else if (kind == "frames") {
            *window_ =
                MakeWindow<FrameEditorModel>(&FrameEditorModel::LoadFrameTable, *data_, dialogs_);
        } else if (kind == "modifications") {
            *window_ = MakeWindow<ModificationEditorModel>(&ModificationEditorModel::Load, *data_,
                                                           dialogs_);
        } else if (kind == "about") {
            auto about = std::make_shared<AboutParts>(dialogs_);
            *window_ = {about, BindControls(about->model, AboutModel::Controls()),
                        [about] { about->model.Load(); }};
            window_->about = about.get();
        } else if (kind == "compare") {
            // Compares the main window's design with the file its load is answered.
            auto compare =
                std::make_shared<CompareModel>(*windows_.at("main").main, dialogs_, disk_);
            *window_ = {compare, BindControls(*compare, CompareModel::Controls()),
                        [compare] { compare->ChooseFile(); }};
            window_->follow = [compare] { compare->Compare(); };
        } else {
            throw std::runtime_error("no such window: " + kind);
        }
        window_->shown = Shown();
        for (const auto& [what, value] : window_->shown) {
            if (value != "\"\"" && value != "[]" && value != "nothing") {
                Say(what + " = " + value);
            }
        }
    }

    void Data(const Words& w) {
        std::filesystem::copy(
            w.at(1) == "bundled" ? BundledData() : std::filesystem::path(KALVERIN_TEST_DATA) / w[1],
            program() / "Data",
            std::filesystem::copy_options::recursive |
                std::filesystem::copy_options::overwrite_existing);
    }
    void File(const Words& w) { folder_.Write(w.at(1), file_); }
    void Answer(const Words& w) {
        dialogs_.answers.push_back(w.at(1) == "cancel" ? std::nullopt
                                                       : std::optional(current() / w[1]));
    }
    void Choose(const Words& w) { dialogs_.choices.push_back(w.at(1)); }
    // "end by kill", "by signal" or "by exit": the main window's run ends so.
    void End(const Words& w) {
        if (!window_ || !window_->main) {
            throw std::runtime_error("end is no action on this window");
        }
        if (w.at(2) == "signal") {
            window_->recovery->Keep();
        } else if (w[2] == "exit") {
            window_->recovery->Drop();
        }
        std::erase_if(windows_, [this](const auto& window) { return &window.second == window_; });
        window_ = nullptr;
        FileChanges(dialogs_.said);
    }
    void Fail(const Words& w) {
        disk_ = FaultyDiskFiles(std::stoul(w.at(2)), w.back() == "good"
                                                         ? FaultyDiskFiles::AfterFault::StaysFull
                                                         : FaultyDiskFiles::AfterFault::SpaceFreed);
    }
    // "refuse EACCES", "... new files", "... locks" or "... in program/Data".
    void Refuse(const Words& w) {
        using Of = FaultyDiskFiles::Refusal::Of;
        static const std::map<std::string, int> errors = {
            {"EACCES", EACCES}, {"EPERM", EPERM}, {"EROFS", EROFS}, {"ENOSPC", ENOSPC}};
        disk_ = FaultyDiskFiles({errors.at(w.at(1)),
                                 w.back() == "files"   ? Of::NewFiles
                                 : w.back() == "locks" ? Of::Locks
                                                       : Of::Writes,
                                 w.size() > 3 && w[2] == "in" ? folder_.path() / w[3] : ""});
    }
    void Mend(const Words&) { disk_ = FaultyDiskFiles(SIZE_MAX); }
    // "edit path "this" "that" ...": each pair in turn.
    void Edit(const Words& w) {
        std::string bytes = folder_.Read(w.at(1));
        for (std::size_t i = 2; i < w.size(); i += 2) {
            const auto at = bytes.find(w[i]);
            if (at == std::string::npos) {
                throw std::runtime_error(w[1] + " holds no " + w[i]);
            }
            bytes.replace(at, w[i].size(), w.at(i + 1));
        }
        folder_.Write(w[1], bytes);
    }
    void Cut(const Words& w) { LeaveSaveCutShort(folder_.path() / w.at(1), w.at(2), w.at(3)); }
    void CheckFolder(const Words&) {
        for (std::string& line :
             DataCheckReport("program/Data", CheckDataFolder(disk_, program() / "Data"))) {
            Say(std::move(line));
        }
    }
    // "remove path", "pipe path" (a named pipe in its place), "link path target".
    void Replace(const Words& w) {
        const std::filesystem::path path = folder_.path() / w.at(1);
        std::filesystem::remove(path);
        if (w[0] == "pipe") {
            ::mkfifo(path.c_str(), 0600);
        } else if (w[0] == "link") {
            std::filesystem::create_symlink(w.at(2), path);
        }
    }

    // A data file read by its reader and written by its writer: shown ("read") or saved.
    void ReadDataFile(const Words& w) {
        const std::string& name = w.at(1);
        const std::filesystem::path path = program() / "Data" / name;
        if (!file_.empty()) {
            folder_.Write(path.lexically_relative(folder_.path()), file_);  // the step's own file
        }
        const std::string bytes = ReadFileBytes(path);
        const std::string label = "Data/" + name;
        auto show = [&](const auto& file, auto write) {
            if (!file) {
                Say("says " + Quoted(file.error()));
            } else if (w[0] == "rewrite") {
                folder_.Write(path.lexically_relative(folder_.path()), write(file.value()));
                FileChanges(dialogs_.said);
            } else {
                for (const std::string& line : FileLines(write(file.value()))) {
                    Say(std::to_string(dialogs_.said.size() + 1) + "| " + line);
                }
            }
        };
        if (name == "Frames.txt") {
            show(ReadFramesFile(bytes, label), WriteFramesFile);
        } else if (name == "Modifications.txt") {
            show(ReadModificationsFile(bytes, label), WriteModificationsFile);
        } else if (name == "Details.txt") {
            show(ReadDetailsFile(bytes, label), WriteDetailsFile);
        } else if (name == "MaxLevel.txt") {
            const int columns = std::stoi(w.at(2));
            show(ReadMaxLevelFile(bytes, label, columns), [columns](const MaxLevelFile& file) {
                return WriteMaxLevelFileWithColumns(file, columns);
            });
        } else {
            show(ReadClassesFile(bytes, label), [](const std::vector<std::string>& classes) {
                std::string out;
                for (const std::string& entry : classes) {
                    out += Quoted(entry) + "\r\n";
                }
                return out;
            });
        }
    }

    // Each of the step's texts, a line each (or, for "items", a line for each item in it).
    void Number(const Words& w) {
        for (const std::string& text : std::span(w).subspan(1)) {
            Say(Quoted(text) + ": leading " + Shortest(LeadingNumber(text)) + ", whole text " +
                Shortest(ParseNumber(text)) + ", 16-bit " + Shortest(ParseWholeNumber(text)));
        }
    }
    void Format(const Words& w) {
        const bool single = w.at(1) == "single";
        for (const std::string& text : std::span(w).subspan(single ? 2 : 1)) {
            const double number = std::stod(text);
            Say(text + " as " +
                Quoted(single ? FormatGeneral(static_cast<float>(number)) : FormatGeneral(number)));
        }
    }
    // What each item of the bytes reads as, and what its value shows, writes and counts as. The
    // bytes are cut from a longer buffer, so that a reader looking past their end meets a quote.
    void Items(const Words& w) {
        for (const std::string& bytes : std::span(w).subspan(1)) {
            Say(Quoted(bytes) + ":");
            const std::string buffer = bytes + "\"x\"";
            ItemReader reader(std::string_view(buffer).substr(0, bytes.size()));
            for (int n = 1; auto item = reader.Next(); ++n) {
                const ItemValue value = ItemValue::FromItem(*item);
                const char* kinds[] = {"no value", "number", "text"};
                Say(std::to_string(n) + "| " + Quoted(item->text) +
                    (item->quoted ? " quoted: " : ": ") + kinds[static_cast<int>(value.kind())] +
                    (value.IsEmpty() ? " (empty)" : "") + ", shows " + Quoted(value.Shown()) +
                    ", writes " + Quoted(ItemWriter().Value(value).bytes()) + ", counts as " +
                    Shortest(value.AsNumber()));
            }
        }
    }
    void CodePage(const Words& w) {
        const std::u16string text = DecodeCodePage(w.at(1));
        std::string units;
        for (const char16_t unit : text) {
            char hex[8];
            std::snprintf(hex, sizeof hex, " %04X", static_cast<unsigned>(unit));
            units += hex;
        }
        dialogs_.said = {"reads as" + units, "writes back " + Quoted(EncodeCodePage(text))};
    }
    void Encode(const Words& w) {
        std::u16string text;
        for (const std::string& unit : std::span(w).subspan(1)) {
            text += static_cast<char16_t>(std::stoi(unit, nullptr, 16));
        }
        Say("writes " + Quoted(EncodeCodePage(text)));
    }

    void Load(const Words&) { window_->load(); }
    void Pick(const Words& w) {
        BoundControl& c = Control(w.at(1));
        c.combo->text = c.combo->list.items().at(Line(c.combo->list, w.at(2)));
        c.picked();
    }
    void Type(const Words& w) {
        BoundControl& c = Control(w.at(1));
        (c.combo ? c.combo->text : c.text->text) = w.at(2);
        if (c.changed) {
            c.changed();
        } else if (window_->main && c.text) {
            forged_[c.text] = LedgerOf(*window_->main, c.text)->text();
        }
    }
    void Click(const Words& w) {
        BoundControl& c = Control(w.at(1));
        c.clicked(static_cast<int>(Line(*c.list, w.at(2))));
        if (w[0] == "doubleclick") {
            c.doubleClicked();
        }
    }
    void Press(const Words& w) {
        if (w.size() > 2) {
            Answer({"answer", w[2]});  // "press mnuOpen "Weapons/Gun.wpn"": its dialog's answer
        }
        // A button that is off takes no press.
        if (BoundControl& c = Control(w.at(1)); !c.button || c.button->enabled) {
            c.pressed();
        }
    }
    void Tick(const Words& w) {
        Control(w.at(1)).check->value = static_cast<std::int16_t>(std::stoi(w.at(2)));
    }
    void HeedControl(const Words& w) {
        static const std::map<std::string, Heed> heeds = {{"focus-in", Heed::FocusIn},
                                                          {"focus-out", Heed::FocusOut},
                                                          {"pointer-in", Heed::PointerIn},
                                                          {"pointer-out", Heed::PointerOut}};
        Control(w.at(1)).heeded(heeds.at(w.at(2)));
    }
    void Repeat(const Words& w) {
        for (int time = 1; time <= std::stoi(w[0]); ++time) {
            for (const auto action : std::views::split(std::span(w).subspan(2), "then")) {
                Words words(action.begin(), action.end());
                for (std::string& word : words) {
                    if (const auto at = word.find('#'); at != std::string::npos) {
                        word.replace(at, 1, std::to_string(time));
                    }
                }
                Act(words);
            }
        }
    }
    void Wait(const Words& w) {
        now_ += std::chrono::milliseconds(std::stoi(w.at(1)));
        for (auto& [name, window] : windows_) {
            if (window.recovery) {
                window.recovery->KeepIfDue(now_);
            }
        }
    }
    // "mark NAME" keeps the whole window and its design; "same NAME" names what differs from
    // them, Undo's own entries and Open Recent left out.
    void Mark(const Words& w) {
        std::pair now{ViewOf(*window_, [](std::string_view) { return true; }),
                      window_->main ? std::optional(window_->main->design()) : std::nullopt};
        if (w[0] == "mark") {
            marks_.insert_or_assign(w.at(1), std::move(now));
            return;
        }
        const auto& then = marks_.at(w.at(1));
        std::string differs = now.second == then.second ? "" : " the design";
        for (std::size_t i = 0; i < now.first.size(); ++i) {
            const std::string& what = now.first[i].first;
            if (now.first[i] != then.first.at(i) && what != "mnuUndo" && what != "mnuRedo" &&
                what != "mnuOpenRecent") {
                differs += " " + what;
            }
        }
        Say(differs.empty() ? "as " + w[1] : "not as " + w[1] + ":" + differs);
    }
    // A text a transcript line for each of its lines.
    void SayLines(const std::string& text) {
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            Say(line.empty() ? "|" : "| " + Escaped(line, false));
        }
    }
    // The stat block as Copy Stat Block copies it, or "card markdown" as --stat-block prints it.
    void Card(const Words& w) {
        const StatCard card = BuildStatCard(*window_->main);
        SayLines(w.size() == 1 ? StatBlockText(card) : StatBlockMarkdown(card));
    }
    void Ledgers(const Words&) {
        for (std::size_t i = 0; i < kStatisticCount; ++i) {
            if (const Ledger& ledger = window_->main->design().ledgers[i]; !ledger.empty()) {
                Say(std::string(kStatistics[i].name) + ":");
                SayLines(ledger.text());
            }
        }
    }
    void OpenWeapon(const Words& w) { window_->main->OpenWeaponFile(w.at(1)); }

    // The About window's registry, search path, files and program start; "key" reads a value
    // into a text that held "as it was".
    void Registry(const Words& w) {
        auto& key = window_->about->registry.keys[w.at(1)];
        for (std::size_t i = 2; i < w.size(); i += 3) {  // values as NAME TYPE "bytes"
            key[w[i]] = {static_cast<std::uint32_t>(std::stoul(w.at(i + 1))), w.at(i + 2)};
        }
    }
    void Tool(const Words& w) {
        for (std::size_t i = 1; i < w.size(); i += 2) {
            window_->about->starter.onSearchPath[w[i]] = w.at(i + 1);
        }
    }
    void Exists(const Words& w) { window_->about->starter.files.insert(w.at(1)); }
    void Starting(const Words& w) { window_->about->starter.startWorks = w.at(1) != "fails"; }
    void Forget(const Words&) {
        window_->about->registry.keys.clear();
        window_->about->starter = FakeStarter();
    }
    void Key(const Words& w) {
        for (const std::string& name : std::span(w).subspan(2)) {
            std::string value = "as it was";
            const bool read =
                window_->about->model.GetKeyValue(kLocalMachine, w.at(1), name, value);
            Say(Quoted(name) + (read ? " reads " : " reads nothing, leaves ") + Quoted(value));
        }
    }

    View Shown() const {
        if (!window_ || !watched_) {
            throw std::runtime_error(!window_ ? "no window is open"
                                              : "no \"> watch\" before the first window says "
                                                "what the transcript watches");
        }
        return ViewOf(*window_, [this](std::string_view name) {
            return std::ranges::any_of(*watched_, [name](auto& p) { return Matches(p, name); });
        });
    }

    // What the window shows of the controls `watched` takes.
    View ViewOf(const Window& window, const std::function<bool(std::string_view)>& watched) const {
        View view;
        auto watchedControl = [&](const BoundControl& c) { return watched(c.name); };
        for (const BoundControl& c : window.controls | std::views::filter(watchedControl)) {
            const std::string name(c.name);
            if (c.combo) {
                view.emplace_back(name + " lists", ListItems(c.combo->list.items()));
                view.emplace_back(name, Quoted(c.combo->text));
            } else if (c.list) {
                view.emplace_back(name, ListItems(c.list->items()));
                view.emplace_back(name + " selects", c.list->selected() < 0
                                                         ? "nothing"
                                                         : Quoted(c.list->SelectedText()));
            } else if (c.button) {
                view.emplace_back(name, c.button->enabled ? "on" : "off");
            } else if (c.text) {
                view.emplace_back(name, Quoted(c.text->text));
            } else if (c.check) {
                view.emplace_back(name, std::to_string(c.check->value));
            }
        }
        if (window.main && watched("mnuOpenRecent")) {
            // Open Recent's list, each path from the scenario's folder.
            auto relative = [this](const auto& path) {
                return path.lexically_relative(folder_.path()).generic_string();
            };
            view.emplace_back("mnuOpenRecent", ListItems(window.main->RecentWeapons() |
                                                         std::views::transform(relative)));
        }
        return view;
    }

    BoundControl& Control(const std::string& name) {
        const auto found = std::ranges::find(window_->controls, name, &BoundControl::name);
        if (found == window_->controls.end()) {
            throw std::runtime_error("no control named " + name);
        }
        return *found;
    }

    // A list's line by its text, or by its number from 1.
    static std::size_t Line(const ListBox& list, const std::string& which) {
        const auto found = std::ranges::find(list.items(), which);
        return found != list.items().end() ? found - list.items().begin() : std::stoul(which) - 1;
    }

    static const Ledger* LedgerOf(MainWindowModel& main, const TextBox* box) {
        for (std::size_t i = 0; i < kStatisticCount; ++i) {
            if (&(main.*kStatistics[i].box) == box) {
                return &main.design().ledgers[i];
            }
        }
        static const Ledger none;
        return &none;
    }

    // Each statistic's ledger ends with what its box shows, unless the scenario wrote into the
    // box itself and the ledger is as it was then.
    void CheckLedgers() {
        for (std::size_t i = 0; window_->main && i < kStatisticCount; ++i) {
            const TextBox& box = window_->main->*kStatistics[i].box;
            const Ledger& ledger = window_->main->design().ledgers[i];
            const auto forged = forged_.find(&box);
            if (ledger.last() != box.text &&
                (forged == forged_.end() || forged->second != ledger.text())) {
                throw std::runtime_error(std::string(kStatistics[i].name) + " shows " +
                                         Quoted(box.text) + ", its ledger ends with " +
                                         Quoted(ledger.last()));
            }
        }
    }

    void FileChanges(Lines& changes) {
        Files now = FilesUnder(folder_.path());
        for (const auto& [path, bytes] : files_) {
            if (!now.count(path)) {
                changes.push_back(path + " is removed");
            }
        }
        for (const auto& [path, bytes] : now) {
            auto was = files_.find(path);
            if (was != files_.end() && was->second == bytes) {
                continue;
            }
            const Lines lines = FileLines(bytes);
            const Lines old = was == files_.end() ? Lines{} : FileLines(was->second);
            changes.push_back(path + (was == files_.end() ? " is written, " : " is rewritten, ") +
                              std::to_string(lines.size()) + " lines:");
            for (std::size_t i = 0; i < lines.size(); ++i) {
                if (i >= old.size() || old[i] != lines[i]) {
                    changes.push_back(std::to_string(i + 1) + "| " + lines[i]);
                }
            }
        }
        files_ = std::move(now);
    }

    std::filesystem::path program() const { return folder_.path() / "program"; }
    std::filesystem::path current() const { return folder_.path() / "current"; }

    TempFolder folder_;
    RecordingDialogs dialogs_;
    // The disk, with the fault the last "fail", "refuse" or "mend" planted.
    FaultyDiskFiles disk_{SIZE_MAX};
    std::optional<DataInUse> data_;
    KeptRecentWeapons recent_;
    std::map<std::string, Window> windows_;
    Window* window_ = nullptr;
    std::map<std::string, std::pair<View, std::optional<WeaponDesign>>> marks_;
    // The main windows made so far, and the time their recovery files go by.
    int runs_ = 0;
    DesignRecovery::Clock::time_point now_;
    // The statistics boxes the scenario wrote into, with their ledgers then.
    std::map<const TextBox*, std::string> forged_;
    Files files_;
    std::optional<std::vector<std::string>> watched_;  // by the last "watch"
    std::string file_;                                 // the step's inline file
};

std::vector<std::filesystem::path> Scenarios() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(KALVERIN_SCENARIOS)) {
        if (entry.path().extension() == ".txt") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

class ScenarioTest : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(ScenarioTest, GivesItsTranscript) {
    const std::filesystem::path& file = GetParam();
    const std::string expected = ReadFileBytes(file);
    const std::string actual = Scenario().Run(expected);
    if (actual != expected && std::getenv("KALVERIN_UPDATE_SCENARIOS")) {
        std::ofstream(file, std::ios::binary) << actual;
        return;
    }
    EXPECT_EQ(actual, expected) << file;
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, ScenarioTest, ::testing::ValuesIn(Scenarios()),
    [](const ::testing::TestParamInfo<std::filesystem::path>& test) {
        std::string name =
            test.param.lexically_relative(KALVERIN_SCENARIOS).replace_extension().generic_string();
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
        return name;
    });

template <typename Model>
void ExpectOwnKeysAndNames(std::span<const Control<Model>> table) {
    std::set<std::string_view> names;
    std::map<char, std::string_view> windowKeys;  // the caption of each key
    std::map<char, std::string_view> menuKeys;
    std::string_view menu;
    for (const Control<Model>& control : table) {
        EXPECT_TRUE(names.insert(control.name).second) << control.name << " twice";
        const char key = AccessKeyOf(control.caption);
        if (control.kind == ControlKind::Menu) {
            menu = control.name;
            menuKeys.clear();
        }
        if (key == 0) {
            continue;
        }
        auto& keys = InMenu(control.kind) ? menuKeys : windowKeys;
        auto [other, fresh] = keys.emplace(key, control.caption);
        EXPECT_TRUE(fresh) << control.caption << " and " << other->second << " share " << key
                           << (InMenu(control.kind) ? " in " : "")
                           << (InMenu(control.kind) ? menu : "");
    }
}

TEST(ControlTableTest, EachWindowsAccessKeysAndNamesAreItsOwn) {
    // The key is the letter after the first single '&', upper-cased; "&&" shows an ampersand.
    const std::pair<const char*, char> keys[] = {
        {"&Save", 'S'}, {"Fish && &chips", 'C'}, {"Exit", 0}, {"A&&", 0}};
    for (const auto& [caption, key] : keys) {
        EXPECT_EQ(AccessKeyOf(caption), key) << caption;
    }
    ExpectOwnKeysAndNames(MainWindowModel::Controls());
    ExpectOwnKeysAndNames(FrameEditorModel::Controls());
    ExpectOwnKeysAndNames(ModificationEditorModel::Controls());
    ExpectOwnKeysAndNames(AboutModel::Controls());
    ExpectOwnKeysAndNames(CheckDataModel::Controls());
    ExpectOwnKeysAndNames(CompareModel::Controls());
}

}  // namespace
}  // namespace kalverin::testing
