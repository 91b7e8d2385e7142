// Runs every scenario under scenarios/ (see its README) against its transcript, which
// KALVERIN_UPDATE_SCENARIOS=1 rewrites; and checks each window's own access keys and names.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
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

// What each item of the bytes reads as, and what its value shows, writes and counts as. The bytes
// are cut from a longer buffer, so that a reader looking past their end meets a quote.
Lines ItemLines(const std::string& bytes) {
    const std::string buffer = bytes + "\"x\"";
    ItemReader reader(std::string_view(buffer).substr(0, bytes.size()));
    Lines lines;
    while (auto item = reader.Next()) {
        const ItemValue value = ItemValue::FromItem(*item);
        const char* kinds[] = {"no value", "number", "text"};
        lines.push_back(std::to_string(lines.size() + 1) + "| " + Quoted(item->text) +
                        (item->quoted ? " quoted: " : ": ") +
                        kinds[static_cast<int>(value.kind())] +
                        (value.IsEmpty() ? " (empty)" : "") + ", shows " + Quoted(value.Shown()) +
                        ", writes " + Quoted(ItemWriter().Value(value).bytes()) + ", counts as " +
                        Shortest(value.AsNumber()));
    }
    return lines;
}

// The words of a command: bare words, and texts between double quotes.
class Words {
  public:
    explicit Words(std::string_view line) : line_(line) {}

    bool AtEnd() {
        pos_ = std::min(line_.find_first_not_of(' ', pos_), line_.size());
        return pos_ == line_.size();
    }

    std::string Rest() {
        AtEnd();
        return std::string(line_.substr(pos_));
    }

    std::string Next() {
        if (AtEnd()) {
            throw std::runtime_error("a word is missing in: " + std::string(line_));
        }
        const bool quoted = line_[pos_] == '"';
        std::size_t end = pos_ + (quoted ? 1 : 0);
        while (end < line_.size() && line_[end] != (quoted ? '"' : ' ')) {
            end += quoted && line_[end] == '\\' ? 2 : 1;
        }
        std::string word = quoted ? Unescaped(line_.substr(pos_ + 1, end - pos_ - 1))
                                  : std::string(line_.substr(pos_, end - pos_));
        pos_ = std::min(end + 1, line_.size());
        return word;
    }

  private:
    std::string_view line_;
    std::size_t pos_ = 0;
};

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

// One window's model with its controls bound.
struct Window {
    std::shared_ptr<void> model;
    std::vector<BoundControl> controls;
    std::function<void()> load;
    MainWindowModel* main = nullptr;  // a main window's own verbs
    std::shared_ptr<DesignRecovery> recovery;
    AboutParts* about = nullptr;  // the About window's surroundings
    // A window that follows another's model: shown again when switched to, with what changed.
    std::function<void()> follow;
    std::vector<std::pair<std::string, std::string>> shown;
};

// The stat block as copied, a transcript line for each of its lines.
Lines StatBlockLines(const std::string& text) {
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line.empty() ? "|" : "| " + Escaped(line, false));
    }
    return lines;
}

template <typename Model, typename... Args>
Window MakeWindow(void (Model::*load)(), Args&&... args) {
    auto model = std::make_shared<Model>(std::forward<Args>(args)...);
    return {model, BindControls(*model, Model::Controls()), [model, load] { (*model.*load)(); }};
}

// What a window shows: one entry for each thing of a control that can change.
using View = std::vector<std::pair<std::string, std::string>>;

std::string Items(const ListBox& list) {
    std::string out;
    for (const std::string& item : list.items()) {
        (out += out.empty() ? "" : " ") += Quoted(item);
    }
    return "[" + out + "]";
}

// Open Recent's list, each path from the scenario's folder.
std::string RecentOf(MainWindowModel& model, const std::filesystem::path& root) {
    ListBox paths;
    for (const std::filesystem::path& path : model.RecentWeapons()) {
        paths.Add(path.lexically_relative(root).generic_string());
    }
    return Items(paths);
}

View ViewOf(const Window& window, const std::filesystem::path& root) {
    View view;
    for (const BoundControl& c : window.controls) {
        const std::string name(c.name);
        if (c.combo) {
            view.emplace_back(name + " lists", Items(c.combo->list));
            view.emplace_back(name, Quoted(c.combo->text));
        } else if (c.list) {
            view.emplace_back(name, Items(*c.list));
            view.emplace_back(name + " selects",
                              c.list->selected() < 0 ? "nothing" : Quoted(c.list->SelectedText()));
        } else if (c.button) {
            view.emplace_back(name, c.button->enabled ? "on" : "off");
        } else if (c.text) {
            view.emplace_back(name, Quoted(c.text->text));
        } else if (c.check) {
            view.emplace_back(name, std::to_string(c.check->value));
        }
    }
    if (window.main) {
        view.emplace_back("mnuOpenRecent", RecentOf(*window.main, root));
    }
    return view;
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
            Words words(std::string_view(line).substr(2));
            const std::string verb = words.Next();
            if (verb == "file") {
                // The lines under it, each after "| ", are the file's.
                const std::string path = words.Next();
                std::string content;
                while (in.peek() == '|' && std::getline(in, line)) {
                    out += line + "\n";
                    content += Unescaped(std::string_view(line).substr(
                                   std::min<std::size_t>(line.size(), 2))) +
                               "\r\n";
                }
                folder_.Write(path, content);
            } else {
                for (const std::string& change : Do(verb, words)) {
                    out += "  " + change + "\n";
                }
            }
            // What a command did to the files beside the windows is no window's doing.
            files_ = FilesUnder(folder_.path());
        }
        return out;
    }

  private:
    std::filesystem::path program() const { return folder_.path() / "program"; }
    std::filesystem::path current() const { return folder_.path() / "current"; }

    Lines Do(const std::string& verb, Words& words) {
        if (verb == "data") {
            const std::string set = words.Next();
            std::filesystem::copy(
                set == "bundled" ? BundledData() : std::filesystem::path(KALVERIN_TEST_DATA) / set,
                program() / "Data",
                std::filesystem::copy_options::recursive |
                    std::filesystem::copy_options::overwrite_existing);
            return {};
        }
        if (verb == "window") {
            const std::string kind = words.Next();
            return Open(kind, words.AtEnd() ? kind : kind + " " + words.Next());
        }
        if (verb == "answer") {
            std::string answer = words.Next();
            dialogs_.answers.push_back(answer == "cancel" ? std::nullopt
                                                          : std::optional(current() / answer));
            return {};
        }
        if (verb == "choose") {
            dialogs_.choices.push_back(words.Next());
            return {};
        }
        if (verb == "end") {
            // "end by kill", "by signal" or "by exit": the main window's run ends so.
            words.Next();
            const std::string how = words.Next();
            if (how == "signal") {
                window_->recovery->Keep();
            } else if (how == "exit") {
                window_->recovery->Drop();
            }
            std::erase_if(windows_,
                          [this](const auto& window) { return &window.second == window_; });
            window_ = nullptr;
            Lines changes;
            FileChanges(changes);
            return changes;
        }
        if (verb == "fail") {
            words.Next();  // "after"
            const std::size_t after = std::stoul(words.Next());
            disk_ = FaultyDiskFiles(after, words.Rest() == "for good"
                                               ? FaultyDiskFiles::AfterFault::StaysFull
                                               : FaultyDiskFiles::AfterFault::SpaceFreed);
            return {};
        }
        if (verb == "refuse") {
            using Of = FaultyDiskFiles::Refusal::Of;
            const std::map<std::string, int> errors = {
                {"EACCES", EACCES}, {"EPERM", EPERM}, {"EROFS", EROFS}, {"ENOSPC", ENOSPC}};
            const int error = errors.at(words.Next());
            const std::string of = words.Rest();
            disk_ = FaultyDiskFiles({error,
                                     of == "new files" ? Of::NewFiles
                                     : of == "locks"   ? Of::Locks
                                                       : Of::Writes,
                                     of.starts_with("in ") ? folder_.path() / of.substr(3) : ""});
            return {};
        }
        if (verb == "mend") {
            disk_ = FaultyDiskFiles(SIZE_MAX);
            return {};
        }
        if (verb == "edit") {
            const std::string path = words.Next();
            std::string bytes = folder_.Read(path);
            const std::string from = words.Next();
            const auto at = bytes.find(from);
            if (at == std::string::npos) {
                throw std::runtime_error(path + " holds no " + from);
            }
            folder_.Write(path, bytes.replace(at, from.size(), words.Next()));
            return {};
        }
        if (verb == "check") {
            return DataCheckReport("program/Data", CheckDataFolder(disk_, program() / "Data"));
        }
        if (verb == "read" || verb == "rewrite") {
            return ReadDataFile(verb == "rewrite", words);
        }
        if (verb == "cut") {
            const std::string path = words.Next();
            const std::string label = words.Next();
            LeaveSaveCutShort(folder_.path() / path, label, words.Next());
            return {};
        }
        if (verb == "remove" || verb == "pipe" || verb == "link") {
            const std::filesystem::path path = folder_.path() / words.Next();
            std::filesystem::remove(path);
            if (verb == "pipe") {
                ::mkfifo(path.c_str(), 0600);
            } else if (verb == "link") {
                std::filesystem::create_symlink(words.Next(), path);
            }
            return {};
        }
        if (verb == "number") {
            const std::string text = words.Next();
            return {"leading " + Shortest(LeadingNumber(text)) + ", whole text " +
                    Shortest(ParseNumber(text)) + ", 16-bit " + Shortest(ParseWholeNumber(text))};
        }
        if (verb == "format") {
            const std::string digits = words.Next();
            const bool single = digits == "single";
            const double number = std::stod(single ? words.Next() : digits);
            return {
                Quoted(single ? FormatGeneral(static_cast<float>(number)) : FormatGeneral(number))};
        }
        if (verb == "items") {
            return ItemLines(words.Next());
        }
        if (verb == "codepage") {
            const std::u16string text = DecodeCodePage(words.Next());
            std::string units;
            for (const char16_t unit : text) {
                char hex[8];
                std::snprintf(hex, sizeof hex, " %04X", static_cast<unsigned>(unit));
                units += hex;
            }
            return {"reads as" + units, "writes back " + Quoted(EncodeCodePage(text))};
        }
        if (verb == "encode") {
            std::u16string text;
            const std::string rest = words.Rest();
            for (Words units(rest); !units.AtEnd();) {
                text += static_cast<char16_t>(std::stoi(units.Next(), nullptr, 16));
            }
            return {"writes " + Quoted(EncodeCodePage(text))};
        }
        if (!window_) {
            throw std::runtime_error("no window is open for: " + verb);
        }
        const View before = ViewOf(*window_, folder_.path());
        Act(verb, words);
        CheckLedgers();
        Lines changes;
        if (AboutParts* about = window_->about) {
            for (const std::string& program : std::exchange(about->starter.started, {})) {
                changes.push_back("starts " + Quoted(program));
            }
        }
        const std::string root = folder_.path().string() + "/";
        for (std::string& said : std::exchange(dialogs_.said, {})) {
            // A path in a message is told from the scenario's folder, as everywhere.
            for (auto at = said.find(root); at != std::string::npos; at = said.find(root)) {
                said.erase(at, root.size());
            }
            changes.push_back(std::move(said));
        }
        window_->shown = ViewOf(*window_, folder_.path());
        Changes(before, window_->shown, changes);
        FileChanges(changes);
        return changes;
    }

    static void Changes(const View& before, const View& after, Lines& changes) {
        for (std::size_t i = 0; i < after.size(); ++i) {
            if (i >= before.size() || before[i] != after[i]) {
                changes.push_back(after[i].first + " = " + after[i].second);
            }
        }
    }

    // A data file read by its reader and written by its writer: shown ("read") or saved.
    Lines ReadDataFile(bool rewrite, Words& words) {
        const std::string name = words.Next();
        const std::filesystem::path path = program() / "Data" / name;
        const std::string bytes = ReadFileBytes(path);
        const std::string label = "Data/" + name;
        Outcome<std::string> written = Outcome<std::string>::Failure("no reader for " + name);
        auto take = [&written](const auto& file, auto write) {
            written = file ? Outcome<std::string>(write(file.value()))
                           : Outcome<std::string>::Failure(file.error());
        };
        if (name == "Frames.txt") {
            take(ReadFramesFile(bytes, label), WriteFramesFile);
        } else if (name == "Modifications.txt") {
            take(ReadModificationsFile(bytes, label), WriteModificationsFile);
        } else if (name == "Details.txt") {
            take(ReadDetailsFile(bytes, label), WriteDetailsFile);
        } else if (name == "MaxLevel.txt") {
            const int columns = std::stoi(words.Next());
            take(ReadMaxLevelFile(bytes, label, columns), [columns](const MaxLevelFile& file) {
                return WriteMaxLevelFileWithColumns(file, columns);
            });
        } else if (name == "Classes.txt") {
            take(ReadClassesFile(bytes, label), [](const std::vector<std::string>& classes) {
                std::string out;
                for (const std::string& entry : classes) {
                    out += Quoted(entry) + "\r\n";
                }
                return out;
            });
        }
        if (!written) {
            return {"says " + Quoted(written.error())};
        }
        if (rewrite) {
            folder_.Write(path.lexically_relative(folder_.path()), written.value());
            Lines changes;
            FileChanges(changes);
            return changes;
        }
        Lines lines;
        for (const std::string& line : FileLines(written.value())) {
            lines.push_back(std::to_string(lines.size() + 1) + "| " + line);
        }
        return lines;
    }

    // Switches to the window; one made now lists what its controls show.
    Lines Open(const std::string& kind, const std::string& name) {
        auto [found, made] = windows_.try_emplace(name);
        window_ = &found->second;
        Lines shown;
        if (made) {
            if (!data_) {
                // The program's start decides where its data is; an install's user keeps a copy
                // under share/, and every backup of it is made on one day.
                data_.emplace(disk_,
                              DataPlaces{.beside = program() / "Data",
                                         .user = folder_.path() / "share" / "kalverin" / "Data"},
                              [] { return "2026-12-07"; });
            }
            if (kind == "main") {
                found->second = MakeWindow<MainWindowModel>(&MainWindowModel::Load, *data_,
                                                            current(), dialogs_, disk_);
                auto* main = static_cast<MainWindowModel*>(found->second.model.get());
                main->KeepRecentWeaponsIn(recent_);
                // Each run keeps its design under state/, named by the order the runs started.
                auto recovery = std::make_shared<DesignRecovery>(
                    *main, dialogs_, folder_.path() / "state" / "kalverin" / "recovery",
                    std::to_string(++runs_), disk_);
                main->WhenChanged([this, keeper = recovery.get()] { keeper->Changed(now_); });
                found->second.load = [main, recovery] {
                    main->Load();
                    recovery->OfferLeft();
                };
                found->second.main = main;
                found->second.recovery = std::move(recovery);
            } else if (kind == "frames") {
                found->second = MakeWindow<FrameEditorModel>(&FrameEditorModel::LoadFrameTable,
                                                             *data_, dialogs_);
            } else if (kind == "modifications") {
                found->second = MakeWindow<ModificationEditorModel>(&ModificationEditorModel::Load,
                                                                    *data_, dialogs_);
            } else if (kind == "about") {
                auto about = std::make_shared<AboutParts>(dialogs_);
                found->second = {about, BindControls(about->model, AboutModel::Controls()),
                                 [about] { about->model.Load(); }};
                found->second.about = about.get();
            } else if (kind == "compare") {
                auto compare =
                    std::make_shared<CompareModel>(*windows_.at("main").main, dialogs_, disk_);
                found->second = {compare, BindControls(*compare, CompareModel::Controls()),
                                 [compare] { compare->ChooseFile(); }};
                found->second.follow = [compare] { compare->Compare(); };
            } else {
                throw std::runtime_error("no such window: " + kind);
            }
            for (const auto& [what, value] : ViewOf(*window_, folder_.path())) {
                if (value != "\"\"" && value != "[]" && value != "nothing") {
                    shown.push_back(what + " = " + value);
                }
            }
        } else if (window_->follow) {
            window_->follow();
            Changes(window_->shown, ViewOf(*window_, folder_.path()), shown);
        }
        window_->shown = ViewOf(*window_, folder_.path());
        return shown;
    }

    MainWindowModel& Main() {
        if (!window_->main) {
            throw std::runtime_error("not a main window");
        }
        return *window_->main;
    }

    BoundControl& Control(const std::string& name) {
        for (BoundControl& c : window_->controls) {
            if (c.name == name) {
                return c;
            }
        }
        throw std::runtime_error("no control named " + name);
    }

    static int Line(const ListBox& list, Words& words) {
        std::string which = words.Next();
        const Lines& items = list.items();
        if (auto found = std::find(items.begin(), items.end(), which); found != items.end()) {
            return static_cast<int>(found - items.begin());
        }
        if (!which.empty() && which.find_first_not_of("0123456789") == std::string::npos) {
            return std::stoi(which) - 1;
        }
        throw std::runtime_error("no line " + which);
    }

    // The About window's registry, search path, files and program start; "key" reads a value
    // into a text that held "as it was".
    bool ActOnAbout(AboutParts& about, const std::string& verb, Words& words) {
        if (verb == "registry") {
            auto& key = about.registry.keys[words.Next()];
            if (!words.AtEnd()) {
                const std::string name = words.Next();
                const auto type = static_cast<std::uint32_t>(std::stoul(words.Next()));
                key[name] = {type, words.Next()};
            }
        } else if (verb == "tool") {
            const std::string name = words.Next();
            about.starter.onSearchPath[name] = words.Next();
        } else if (verb == "exists") {
            about.starter.files.insert(words.Next());
        } else if (verb == "starting") {
            about.starter.startWorks = words.Next() != "fails";
        } else if (verb == "forget") {
            about.registry.keys.clear();
            about.starter = FakeStarter();
        } else if (verb == "key") {
            const std::string key = words.Next();
            std::string value = "as it was";
            const bool read = about.model.GetKeyValue(kLocalMachine, key, words.Next(), value);
            dialogs_.said.push_back((read ? "reads " : "reads nothing, leaves ") + Quoted(value));
        } else {
            return false;
        }
        return true;
    }

    void Act(const std::string& verb, Words& words) {
        if (window_->about && ActOnAbout(*window_->about, verb, words)) {
            return;
        }
        if (verb == "load") {
            window_->load();
            return;
        }
        if (verb == "card") {
            const StatCard card = BuildStatCard(Main());
            dialogs_.said =
                StatBlockLines(words.AtEnd() ? StatBlockText(card) : StatBlockMarkdown(card));
            return;
        }
        if (verb == "open") {
            Main().OpenWeaponFile(words.Next());
            return;
        }
        if (verb == "wait") {
            now_ += std::chrono::milliseconds(std::stoi(words.Next()));
            for (auto& [name, window] : windows_) {
                if (window.recovery) {
                    window.recovery->KeepIfDue(now_);
                }
            }
            return;
        }
        if (verb == "ledger") {
            for (std::size_t i = 0; i < kStatisticCount; ++i) {
                if (const Ledger& ledger = Main().design().ledgers[i]; !ledger.empty()) {
                    dialogs_.said.push_back(std::string(kStatistics[i].name) + ":");
                    const Lines lines = StatBlockLines(ledger.text());
                    dialogs_.said.insert(dialogs_.said.end(), lines.begin(), lines.end());
                }
            }
            return;
        }
        if (verb == "mark" || verb == "same") {
            Mark(verb == "mark", words.Next());
            return;
        }
        if (std::isdigit(static_cast<unsigned char>(verb[0]))) {
            words.Next();  // "times"
            const std::string actions = words.Rest();
            for (int i = std::stoi(verb); i > 0; --i) {
                for (std::size_t at = 0, end = 0; end != std::string::npos; at = end + 6) {
                    end = actions.find(" then ", at);
                    Words action(std::string_view(actions).substr(at, end - at));
                    Act(action.Next(), action);
                }
            }
            return;
        }
        BoundControl& c = Control(words.Next());
        if (verb == "pick") {
            c.combo->text =
                c.combo->list.items().at(static_cast<std::size_t>(Line(c.combo->list, words)));
            c.picked();
        } else if (verb == "type") {
            (c.combo ? c.combo->text : c.text->text) = words.Next();
            if (c.changed) {
                c.changed();
            } else if (window_->main && c.text) {
                forged_[c.text] = LedgerOf(*window_->main, c.text)->text();
            }
        } else if (verb == "click") {
            c.clicked(Line(*c.list, words));
        } else if (verb == "doubleclick") {
            c.clicked(Line(*c.list, words));
            c.doubleClicked();
        } else if (verb == "press") {
            // A button that is off takes no press.
            if (!c.button || c.button->enabled) {
                c.pressed();
            }
        } else if (verb == "heed") {
            const std::map<std::string, Heed> heeds = {{"focus-in", Heed::FocusIn},
                                                       {"focus-out", Heed::FocusOut},
                                                       {"pointer-in", Heed::PointerIn},
                                                       {"pointer-out", Heed::PointerOut}};
            c.heeded(heeds.at(words.Next()));
        } else if (verb == "tick") {
            c.check->value = static_cast<std::int16_t>(std::stoi(words.Next()));
        } else {
            throw std::runtime_error("no such action: " + verb);
        }
    }

    // "mark NAME" keeps what the window shows and its design; "same NAME" says whether they are
    // so again, naming what is not. Undo's own entries and Open Recent are no step's to put back.
    void Mark(bool mark, const std::string& name) {
        std::pair now{ViewOf(*window_, folder_.path()),
                      window_->main ? std::optional(window_->main->design()) : std::nullopt};
        if (mark) {
            marks_.insert_or_assign(name, std::move(now));
            return;
        }
        const auto& then = marks_.at(name);
        std::string differs = now.second == then.second ? "" : " the design";
        for (std::size_t i = 0; i < now.first.size(); ++i) {
            const std::string& what = now.first[i].first;
            if (now.first[i] != then.first.at(i) && what != "mnuUndo" && what != "mnuRedo" &&
                what != "mnuOpenRecent") {
                differs += " " + what;
            }
        }
        dialogs_.said.push_back(differs.empty() ? "as " + name : "not as " + name + ":" + differs);
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
