// Runs every scenario under scenarios/ (see its README) against its transcript, which
// KALVERIN_UPDATE_SCENARIOS=1 rewrites; and checks each window's own access keys and names.

#include <fnmatch.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <charconv>
#include <iomanip>
#include <ranges>
#include <sstream>

#include "about/about_model.h"
#include "about/sys_info_fakes.h"
#include "catalogue/code_page.h"
#include "catalogue/conversions.h"
#include "catalogue/data_check.h"
#include "catalogue/item_writer.h"
#include "check_data/check_data_model.h"
#include "designer/compare_model.h"
#include "designer/design_boxes.h"
#include "designer/design_recovery.h"
#include "designer/stat_card.h"
#include "frame_editor/frame_editor_model.h"
#include "modification_editor/modification_editor_model.h"
#include "support/faulty_disks.h"
#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

namespace kalverin::testing {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using Words = Lines;  // a step's words: bare words, and texts between double quotes

// A transcript's text as bytes: \" \\ \r \n, \xNN a byte, and \*N after a byte N of it in all.
std::string Unescaped(std::string_view text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char escape = text[i] == '\\' ? text[++i] : '\0';
        if (escape == 'x' || escape == '*') {
            unsigned n = 0;
            const char* from = text.data() + i + 1;
            const char* end = escape == 'x' ? from + 2 : text.data() + text.size();
            i = std::from_chars(from, end, n, escape == 'x' ? 16 : 10).ptr - text.data() - 1;
            bytes.append(escape == 'x' ? 1 : n - 1, escape == 'x' ? char(n) : bytes.back());
        } else {
            bytes += escape == 'r' ? '\r' : escape == 'n' ? '\n' : text[i];
        }
    }
    return bytes;
}

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

// A number in the fewest digits that read back as it, or "none".
template <typename Number>
std::string Shortest(std::optional<Number> number) {
    char out[32];
    return number ? std::string(out, std::to_chars(out, std::end(out), *number).ptr) : "none";
}

std::string ListItems(const auto& items) {
    std::string out;
    for (const std::string& item : items) {
        (out += out.empty() ? "" : " ") += Quoted(item);
    }
    return "[" + out + "]";
}

// A watched name: a control's name, a pattern ('*' any run) or "stats", the statistics boxes.
bool Matches(const std::string& pattern, std::string_view name) {
    return pattern == "stats"
               ? std::ranges::find(kStatistics, name, &Statistic::name) != std::end(kStatistics)
               : ::fnmatch(pattern.c_str(), std::string(name).c_str(), 0) == 0;
}

// The files under a folder by path, each as its lines ended by CR LF (and any unended last one).
using Files = std::map<std::string, Lines>;

Lines FileLines(std::string_view bytes) {
    Lines lines;
    for (std::size_t start = 0, end; start < bytes.size(); start = end + 2) {
        end = std::min(bytes.find("\r\n", start), bytes.size());
        lines.push_back(Escaped(bytes.substr(start, end - start), false) +
                        (end == bytes.size() ? " (no line end)" : ""));
    }
    return lines;
}

Files FilesUnder(const fs::path& root) {
    Files files;
    for (const fs::directory_entry& file : fs::recursive_directory_iterator(root)) {
        if (file.is_regular_file()) {
            files[file.path().lexically_relative(root).generic_string()] =
                FileLines(ReadFileBytes(file));
        }
    }
    return files;
}

// Open Recent's list as the settings keep it between runs, for every main window.
struct KeptRecentWeapons final : RecentWeaponsStore {
    std::vector<fs::path> Read() override { return paths; }
    void Write(const std::vector<fs::path>& list) override { paths = list; }
    std::vector<fs::path> paths;
};

// What a window shows: each thing of a control that can change, and what it shows.
using View = std::vector<std::pair<std::string, std::string>>;

struct Window {
    std::shared_ptr<void> model;  // first, so that it outlives what it holds
    std::vector<BoundControl> controls;
    std::function<void()> load;
    // A window that follows another's model: shown again when switched to, with what changed.
    std::function<void()> follow;
    MainWindowModel* main = nullptr;
    std::shared_ptr<DesignRecovery> recovery;  // a main window's run's
    View shown;                                // its watched controls when it was last shown
};

class Scenario {
  public:
    Scenario() : dialogs_(folder_.path()) {
        fs::create_directories(program() / "Data");
        fs::create_directories(current() / "Weapons");
    }

    std::string Run(const std::string& text) {
        std::istringstream in(text);
        std::string out;
        for (std::string line; std::getline(in, line);) {
            if (line.starts_with("  ")) {
                continue;  // what the file expects; what happens now takes its place
            }
            out += line + "\n";
            if (!line.starts_with("> ")) {
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
    // What a verb acts on: the folder (its files, readers, the About window's surroundings, the
    // windows), or the window switched to, whose changes its step shows after what was said.
    enum class On { Folder, Window };
    struct Verb {
        std::string_view names;  // the verbs that share its action, a blank between them
        On on;
        std::function<void(const Words&)> run;
    };
    const std::vector<Verb> verbs_ = {
        {"watch", On::Folder, [this](const Words& w) { Watch(w); }},
        {"window", On::Folder, [this](const Words& w) { Open(w); }},
        {"data", On::Folder,
         [this](const Words& w) {
             fs::copy(w.at(1) == "bundled" ? BundledData() : fs::path(KALVERIN_TEST_DATA) / w[1],
                      program() / "Data",
                      fs::copy_options::recursive | fs::copy_options::overwrite_existing);
         }},
        {"file", On::Folder, [this](const Words& w) { folder_.Write(w.at(1), file_); }},
        {"answer", On::Folder,
         [this](const Words& w) {
             dialogs_.answers.push_back(w.at(1) == "cancel" ? std::nullopt
                                                            : std::optional(current() / w[1]));
         }},
        {"choose", On::Folder, [this](const Words& w) { dialogs_.choices.push_back(w.at(1)); }},
        {"end", On::Folder, [this](const Words& w) { End(w); }},
        {"fail refuse mend", On::Folder, [this](const Words& w) { Fault(w); }},
        {"edit", On::Folder, [this](const Words& w) { Edit(w); }},
        {"cut", On::Folder,
         [this](const Words& w) { LeaveSaveCutShort(folder_.path() / w.at(1), w.at(2), w.at(3)); }},
        {"check", On::Folder,
         [this](const Words&) {
             std::ranges::copy(
                 DataCheckReport("program/Data", CheckDataFolder(disk_, program() / "Data")),
                 std::back_inserter(dialogs_.said));
         }},
        {"remove pipe link", On::Folder, [this](const Words& w) { Replace(w); }},
        {"number", On::Folder, [this](const Words& w) { Number(w); }},
        {"format", On::Folder, [this](const Words& w) { Format(w); }},
        {"items", On::Folder, [this](const Words& w) { Items(w); }},
        {"codepage", On::Folder, [this](const Words& w) { CodePage(w); }},
        {"encode", On::Folder,
         [this](const Words& w) {
             std::u16string text;
             for (const std::string& unit : std::span(w).subspan(1)) {
                 text += static_cast<char16_t>(std::stoi(unit, nullptr, 16));
             }
             Say("writes " + Quoted(EncodeCodePage(text)));
         }},
        // The About window's registry, search path, files and program start.
        {"registry", On::Folder,
         [this](const Words& w) {
             auto& key = registry_.keys[w.at(1)];
             for (std::size_t i = 2; i < w.size(); i += 3) {  // values as NAME TYPE "bytes"
                 key[w[i]] = {static_cast<std::uint32_t>(std::stoul(w.at(i + 1))), w.at(i + 2)};
             }
         }},
        {"tool", On::Folder,
         [this](const Words& w) {
             for (std::size_t i = 1; i < w.size(); i += 2) {
                 starter_.onSearchPath[w[i]] = w.at(i + 1);
             }
         }},
        {"exists", On::Folder, [this](const Words& w) { starter_.files.insert(w.at(1)); }},
        {"starting", On::Folder,
         [this](const Words& w) { starter_.startWorks = w.at(1) != "fails"; }},
        {"forget", On::Folder,
         [this](const Words&) {
             registry_.keys.clear();
             starter_ = FakeStarter();
         }},
        {"key", On::Folder, [this](const Words& w) { Key(w); }},
        {"load", On::Window, [this](const Words&) { window_->load(); }},
        {"pick", On::Window,
         [this](const Words& w) {
             BoundControl& c = Control(w.at(1));
             c.combo->text = c.combo->list.items().at(Line(c.combo->list, w.at(2)));
             c.picked();
         }},
        {"type", On::Window, [this](const Words& w) { Type(w); }},
        {"click doubleclick", On::Window, [this](const Words& w) { Click(w); }},
        {"press", On::Window, [this](const Words& w) { Press(w); }},
        {"tick", On::Window,
         [this](const Words& w) {
             Control(w.at(1)).check->value = std::int16_t(std::stoi(w.at(2)));
         }},
        {"heed", On::Window,
         [this](const Words& w) {
             const std::string_view heeds[] = {"focus-in", "focus-out", "pointer-in",
                                               "pointer-out"};
             Control(w.at(1)).heeded(static_cast<Heed>(std::ranges::find(heeds, w.at(2)) - heeds));
         }},
        {"times", On::Window, [this](const Words& w) { Repeat(w); }},
        {"wait", On::Window,
         [this](const Words& w) {
             now_ += std::chrono::milliseconds(std::stoi(w.at(1)));
             for (auto& [name, window] : windows_) {
                 if (window.recovery) {
                     window.recovery->KeepIfDue(now_);
                 }
             }
         }},
        {"mark same", On::Window, [this](const Words& w) { Mark(w); }},
        {"card", On::Window,  // as Copy Stat Block copies it, or as --stat-block prints it
         [this](const Words& w) {
             const StatCard card = BuildStatCard(Main());
             SayLines(w.size() == 1 ? StatBlockText(card) : StatBlockMarkdown(card));
         }},
        {"ledger", On::Window,
         [this](const Words&) {
             for (std::size_t i = 0; i < kStatisticCount; ++i) {
                 if (const Ledger& ledger = Main().design().ledgers[i]; !ledger.empty()) {
                     Say(std::string(kStatistics[i].name) + ":");
                     SayLines(ledger.text());
                 }
             }
         }},
        {"open", On::Window, [this](const Words& w) { Main().OpenWeaponFile(w.at(1)); }},
    };

    // "3 times press a then press b" is a "times" step.
    const Verb& Find(const std::string& name) const {
        const bool repeat = std::isdigit(static_cast<unsigned char>(name[0]));
        const std::string_view word = repeat ? std::string_view("times") : name;
        const auto found = std::ranges::find_if(verbs_, [&](const Verb& verb) {
            return std::ranges::any_of(std::views::split(verb.names, ' '), [&](const auto& part) {
                return std::string_view(part.begin(), part.end()) == word;
            });
        });
        return found != verbs_.end() ? *found : throw std::runtime_error("no such step: " + name);
    }

    // One step: for a step on a window, what it started, its own lines and what it said and
    // asked, what changed in the watched controls, and what it did to the files.
    Lines Step(const Words& step) {
        const Verb& verb = Find(step.at(0));
        if (verb.on == On::Folder) {
            verb.run(step);
            return Said();
        }
        if (step[0] == "load" && step.size() > 1) {
            Open(step);  // "load main", "load modifications 2": switched to and loaded at once
        }
        const View before = Shown();
        verb.run(step);
        CheckLedgers();
        Lines changes;
        for (const std::string& started : std::exchange(starter_.started, {})) {
            changes.push_back("starts " + Quoted(started));
        }
        std::ranges::copy(Said(), std::back_inserter(changes));
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
    void Say(std::string line) { dialogs_.said.push_back(std::move(line)); }
    // A text a transcript line for each of its lines.
    void SayLines(const std::string& text) {
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            Say(line.empty() ? "|" : "| " + Escaped(line, false));
        }
    }

    // The watched things that show other than they did, or that did not show before.
    static void Changes(const View& before, const View& after, Lines& changes) {
        for (const auto& shown : after) {
            if (std::ranges::find(before, shown) == before.end()) {
                changes.push_back(shown.first + " = " + shown.second);
            }
        }
    }

    // The main window switched to, for the verbs only it has.
    MainWindowModel& Main() const {
        return window_ && window_->main ? *window_->main
                                        : throw std::runtime_error("no main window is switched to");
    }

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

    // Makes the window switched to show a model made of `args`, which `load` loads.
    template <typename Model, typename Loaded, typename... Args>
    Model& Make(Loaded (Model::*load)(), Args&&... args) {
        auto model = std::make_shared<Model>(std::forward<Args>(args)...);
        *window_ = {model, BindControls(*model, Model::Controls()),
                    [&m = *model, load] { (m.*load)(); }};
        return *model;
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
            MainWindowModel& main =
                Make(&MainWindowModel::Load, *data_, current(), dialogs_, disk_);
            main.KeepRecentWeaponsIn(recent_);
            // Each run keeps its design under state/, named by the order the runs started.
            auto recovery = std::make_shared<DesignRecovery>(
                main, dialogs_, folder_.path() / "state" / "kalverin" / "recovery",
                std::to_string(++runs_), disk_);
            main.WhenChanged([this, keeper = recovery.get()] { keeper->Changed(now_); });
            window_->load = [&main, keeper = recovery.get()] {
                main.Load();
                keeper->OfferLeft();
            };
            window_->main = &main;
            window_->recovery = std::move(recovery);
        } else if (kind == "frames") {
            Make(&FrameEditorModel::LoadFrameTable, *data_, dialogs_);
        } else if (kind == "modifications") {
            Make(&ModificationEditorModel::Load, *data_, dialogs_);
        } else if (kind == "about") {
            *window_ = {nullptr, BindControls(about_, AboutModel::Controls()),
                        [this] { about_.Load(); }};
        } else if (kind == "compare") {
            // Compares the main window's design with the file its load is answered.
            CompareModel& compare =
                Make(&CompareModel::ChooseFile, *windows_.at("main").main, dialogs_, disk_);
            window_->follow = [&compare] { compare.Compare(); };
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

    // "end by kill", "by signal" or "by exit": the main window's run ends so.
    void End(const Words& w) {
        Main();  // only a main window's run ends
        if (w.at(2) == "signal") {
            window_->recovery->Keep();
        } else if (w[2] == "exit") {
            window_->recovery->Drop();
        }
        std::erase_if(windows_, [this](const auto& window) { return &window.second == window_; });
        window_ = nullptr;
        FileChanges(dialogs_.said);
    }
    // The disk's fault from now on: "fail after N [for good]", "refuse ERROR [...]" or "mend".
    void Fault(const Words& w) {
        using Of = FaultyDiskFiles::Refusal::Of;
        static const std::map<std::string, int> errors = {
            {"EACCES", EACCES}, {"EPERM", EPERM}, {"EROFS", EROFS}, {"ENOSPC", ENOSPC}};
        if (w[0] == "refuse") {
            disk_ = FaultyDiskFiles({errors.at(w.at(1)),
                                     w.back() == "files"   ? Of::NewFiles
                                     : w.back() == "locks" ? Of::Locks
                                                           : Of::Writes,
                                     w.size() > 3 && w[2] == "in" ? folder_.path() / w[3] : ""});
        } else {
            disk_ = FaultyDiskFiles(w[0] == "mend" ? SIZE_MAX : std::stoul(w.at(2)),
                                    w.back() == "good" ? FaultyDiskFiles::AfterFault::StaysFull
                                                       : FaultyDiskFiles::AfterFault::SpaceFreed);
        }
    }
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
    // "remove path", "pipe path" (a named pipe in its place), "link path target".
    void Replace(const Words& w) {
        const fs::path path = folder_.path() / w.at(1);
        fs::remove(path);
        if (w[0] == "pipe") {
            ::mkfifo(path.c_str(), 0600);
        } else if (w[0] == "link") {
            fs::create_symlink(w.at(2), path);
        }
    }

    // Each of the step's texts, a line each (or, for "items", a line for each item in it).
    void Number(const Words& w) {
        for (const std::string& text : std::span(w).subspan(1)) {
            Say(Quoted(text) + ": leading " + Shortest(std::optional(LeadingNumber(text))) +
                ", whole text " + Shortest(ParseNumber(text)) + ", 16-bit " +
                Shortest(ParseWholeNumber(text)));
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
        std::ostringstream units;
        for (const char16_t unit : text) {
            units << ' ' << std::hex << std::uppercase << std::setw(4) << std::setfill('0')
                  << static_cast<unsigned>(unit);
        }
        Say("reads as" + units.str());
        Say("writes back " + Quoted(EncodeCodePage(text)));
    }

    // Each value read as the About window reads the tool's place, into a text holding "as it was".
    void Key(const Words& w) {
        for (const std::string& name : std::span(w).subspan(2)) {
            std::string value = "as it was";
            const bool read = about_.GetKeyValue(kLocalMachine, w.at(1), name, value);
            Say(Quoted(name) + (read ? " reads " : " reads nothing, leaves ") + Quoted(value));
        }
    }

    void Type(const Words& w) {
        BoundControl& c = Control(w.at(1));
        (c.combo ? c.combo->text : c.text->text) = w.at(2);
        if (c.changed) {
            c.changed();
        } else if (window_->main) {
            forged_[c.text] = window_->main->design().ledgers;  // a box written into by hand
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
            Find("answer").run({"answer", w[2]});  // "press mnuOpen "Weapons/Gun.wpn""
        }
        // A button that is off takes no press.
        if (BoundControl& c = Control(w.at(1)); !c.button || c.button->enabled) {
            c.pressed();
        }
    }
    // A "#" in a word of the actions stands for the time, from 1.
    void Repeat(const Words& w) {
        for (int time = 1; time <= std::stoi(w[0]); ++time) {
            for (const auto action : std::views::split(std::span(w).subspan(2), "then")) {
                Words words(action.begin(), action.end());
                for (std::string& word : words) {
                    if (const auto at = word.find('#'); at != std::string::npos) {
                        word.replace(at, 1, std::to_string(time));
                    }
                }
                Find(words.at(0)).run(words);
            }
        }
    }
    // "mark NAME" keeps the window and design; "same NAME" names what differs, bar Undo and Recent.
    void Mark(const Words& w) {
        std::pair now{ViewOf(*window_, {"*"}),
                      window_->main ? std::optional(window_->main->design()) : std::nullopt};
        std::erase_if(now.first, [](const auto& shown) {
            return shown.first == "mnuUndo" || shown.first == "mnuRedo" ||
                   shown.first == "mnuOpenRecent";
        });
        if (w[0] == "mark") {
            marks_.insert_or_assign(w.at(1), std::move(now));
            return;
        }
        const auto& then = marks_.at(w.at(1));
        std::string differs = now.second == then.second ? "" : " the design";
        for (std::size_t i = 0; i < now.first.size(); ++i) {
            if (now.first[i] != then.first.at(i)) {
                differs += " " + now.first[i].first;
            }
        }
        Say(differs.empty() ? "as " + w[1] : "not as " + w[1] + ":" + differs);
    }

    View Shown() const {
        if (!window_ || !watched_) {
            throw std::runtime_error(!window_ ? "no window is open" : "no \"> watch\" yet");
        }
        return ViewOf(*window_, *watched_);
    }

    // What the window shows of the controls the patterns name.
    View ViewOf(const Window& window, const Words& patterns) const {
        auto named = [&](std::string_view name) {
            return std::ranges::any_of(patterns, [&](auto& p) { return Matches(p, name); });
        };
        View view;
        for (const BoundControl& c : window.controls) {
            const std::string name(c.name);
            if (!named(name)) {
                continue;
            } else if (c.combo) {
                view.emplace_back(name + " lists", ListItems(c.combo->list.items()));
                view.emplace_back(name, Quoted(c.combo->text));
            } else if (c.list) {
                view.emplace_back(name, ListItems(c.list->items()));
                view.emplace_back(name + " selects", c.list->selected() < 0
                                                         ? "nothing"
                                                         : Quoted(c.list->SelectedText()));
            } else if (c.button || c.text || c.check) {
                view.emplace_back(name, c.button ? (c.button->enabled ? "on" : "off")
                                        : c.text ? Quoted(c.text->text)
                                                 : std::to_string(c.check->value));
            }
        }
        if (window.main && named("mnuOpenRecent")) {
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
        return found != window_->controls.end()
                   ? *found
                   : throw std::runtime_error("no control named " + name);
    }

    // A list's line by its text, or by its number from 1.
    static std::size_t Line(const ListBox& list, const std::string& which) {
        const auto found = std::ranges::find(list.items(), which);
        return found != list.items().end() ? found - list.items().begin() : std::stoul(which) - 1;
    }

    // Each statistic's ledger ends with what its box shows, unless the scenario wrote into the
    // box itself and the ledger is as it was then.
    void CheckLedgers() {
        for (std::size_t i = 0; window_->main && i < kStatisticCount; ++i) {
            const TextBox& box = window_->main->*kStatistics[i].box;
            const Ledger& ledger = window_->main->design().ledgers[i];
            const auto forged = forged_.find(&box);
            if (ledger.last() != box.text &&
                (forged == forged_.end() || forged->second[i].text() != ledger.text())) {
                throw std::runtime_error(std::string(kStatistics[i].name) + " shows " +
                                         Quoted(box.text) + ", its ledger ends with " +
                                         Quoted(ledger.last()));
            }
        }
    }

    // What the step did to the files: each removed, and each written with its lines that differ.
    void FileChanges(Lines& changes) {
        Files now = FilesUnder(folder_.path());
        for (const auto& [path, lines] : files_) {
            if (!now.contains(path)) {
                changes.push_back(path + " is removed");
            }
        }
        for (const auto& [path, lines] : now) {
            const bool was = files_.contains(path);
            const Lines& old = files_[path];
            if (was && old == lines) {
                continue;
            }
            changes.push_back(path + (was ? " is rewritten, " : " is written, ") +
                              std::to_string(lines.size()) + " lines:");
            for (std::size_t i = 0; i < lines.size(); ++i) {
                if (i >= old.size() || old[i] != lines[i]) {
                    changes.push_back(std::to_string(i + 1) + "| " + lines[i]);
                }
            }
        }
        files_ = std::move(now);
    }

    fs::path program() const { return folder_.path() / "program"; }
    fs::path current() const { return folder_.path() / "current"; }

    TempFolder folder_;
    RecordingDialogs dialogs_;
    // The disk, with the fault the last "fail", "refuse" or "mend" planted.
    FaultyDiskFiles disk_{SIZE_MAX};
    std::optional<DataInUse> data_;
    KeptRecentWeapons recent_;
    // The About window's surroundings, of the scenario's making, and the window's model.
    FakeRegistry registry_;
    FakeStarter starter_;
    AboutModel about_{registry_, starter_, dialogs_, {"sysview", "hwlist", "infopanel"}};
    std::map<std::string, Window> windows_;
    Window* window_ = nullptr;
    std::map<std::string, std::pair<View, std::optional<WeaponDesign>>> marks_;
    // The main windows made so far, and the time their recovery files go by.
    int runs_ = 0;
    DesignRecovery::Clock::time_point now_;
    // The statistics boxes the scenario wrote into, with their ledgers then.
    std::map<const TextBox*, std::array<Ledger, kStatisticCount>> forged_;
    Files files_;
    std::optional<Words> watched_;  // by the last "watch"
    std::string file_;              // the step's inline file
};

class ScenarioTest : public ::testing::TestWithParam<fs::path> {};

TEST_P(ScenarioTest, GivesItsTranscript) {
    const fs::path& file = GetParam();
    const std::string expected = ReadFileBytes(file);
    const std::string actual = Scenario().Run(expected);
    if (actual != expected && std::getenv("KALVERIN_UPDATE_SCENARIOS")) {
        std::ofstream(file, std::ios::binary) << actual;
        return;
    }
    EXPECT_EQ(actual, expected) << file;
}

std::vector<fs::path> Scenarios() {
    std::vector<fs::path> files;
    std::ranges::copy_if(fs::recursive_directory_iterator(KALVERIN_SCENARIOS),
                         std::back_inserter(files),
                         [](const fs::path& file) { return file.extension() == ".txt"; });
    std::ranges::sort(files);
    return files;
}

// Each test is named after its transcript's folder and file: "designer_undo".
INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioTest, ::testing::ValuesIn(Scenarios()),
                         [](const auto& test) {
                             return test.param.parent_path().filename().string() + "_" +
                                    test.param.stem().string();
                         });

// A window's names are its own, and its access keys among its captions and within each menu.
template <typename Model>
void ExpectOwnKeysAndNames(std::span<const Control<Model>> table) {
    std::set<std::string_view> names;
    std::map<std::pair<std::string_view, char>, std::string_view> keys;  // by the menu it is in
    std::string_view menu;
    for (const Control<Model>& control : table) {
        EXPECT_TRUE(names.insert(control.name).second) << control.name << " twice";
        menu = control.kind == ControlKind::Menu ? control.name : menu;
        if (const char key = AccessKeyOf(control.caption)) {
            const std::string_view in = InMenu(control.kind) ? menu : "the window";
            auto [other, fresh] = keys.emplace(std::pair(in, key), control.caption);
            EXPECT_TRUE(fresh) << control.caption << " and " << other->second << " share " << key
                               << " in " << in;
        }
    }
}

TEST(ControlTableTest, EachWindowsAccessKeysAndNamesAreItsOwn) {
    // The key is the letter after the first single '&', upper-cased; "&&" shows an ampersand.
    EXPECT_EQ(AccessKeyOf("&Save"), 'S');
    EXPECT_EQ(AccessKeyOf("Fish && &chips"), 'C');
    EXPECT_EQ(AccessKeyOf("Exit"), 0);
    EXPECT_EQ(AccessKeyOf("A&&"), 0);
    ExpectOwnKeysAndNames(MainWindowModel::Controls());
    ExpectOwnKeysAndNames(FrameEditorModel::Controls());
    ExpectOwnKeysAndNames(ModificationEditorModel::Controls());
    ExpectOwnKeysAndNames(AboutModel::Controls());
    ExpectOwnKeysAndNames(CheckDataModel::Controls());
    ExpectOwnKeysAndNames(CompareModel::Controls());
}

}  // namespace
}  // namespace kalverin::testing
