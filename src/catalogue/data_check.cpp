#include "catalogue/data_check.h"

#include <algorithm>
#include <tuple>

#include "catalogue/conversions.h"
#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "catalogue/data_rules.h"
#include "catalogue/details_file.h"
#include "catalogue/field_reader.h"

namespace kalverin {
namespace {

// What a refusal of each file does to the user.
constexpr std::string_view kNoFrames =
    "The main window loads no data, and the frame editor lists no frames.";
constexpr std::string_view kNoData =
    "The main window loads no data, and the modification editor opens empty.";
constexpr std::string_view kNoDetails =
    "No option shows its description, and the modification editor opens empty.";

// What the check says of each data file: its place in the report, what its records are called,
// whether an editor rewrites it (dropping what its reader passed over) and what a refusal of it
// does.
struct FileFacts {
    int order;
    std::string_view name;
    std::string_view one;
    std::string_view many;
    bool saved;
    std::string_view refused;
};

constexpr FileFacts kFrames{0, kFramesFile, "frame", "frames", true, kNoFrames};
constexpr FileFacts kClasses{1, kClassesFile, "class", "classes", false, kNoData};
constexpr FileFacts kModifications{
    2, kModificationsFile, "modification", "modifications", true, kNoData};
constexpr FileFacts kMaxLevels{3, kMaxLevelFile, "row", "rows", true, kNoData};
constexpr FileFacts kDetails{4, kDetailsFile, "row", "rows", true, kNoDetails};

// A data file as its reader took it: its bytes, what the reader noted and its records' names.
struct CheckedFile {
    const FileFacts& facts;
    std::string bytes;
    ReadNotes notes;
    std::vector<std::string> names;
    bool taken = false;
    // The first record that begins in the middle of a line, from 1; 0 when none does.
    std::size_t misaligned = 0;

    std::size_t Line(std::size_t offset) const { return LineOf(bytes, offset); }
    std::size_t RecordLine(std::size_t record) const {
        return record >= 1 && record <= notes.recordStarts.size()
                   ? Line(notes.recordStarts[record - 1])
                   : 1;
    }
    std::string_view Name(std::size_t record) const {
        return record >= 1 && record <= names.size() ? std::string_view(names[record - 1]) : "";
    }
    std::int16_t Count() const { return static_cast<std::int16_t>(names.size()); }
};

std::string Quoted(std::string_view text) {
    std::string quoted(1, '\'');
    return (quoted += text) += '\'';
}

std::string MountWords() {
    std::string words;
    for (std::string_view word : kMountWords) {
        (words += words.empty() ? "" : ", ") += word;
    }
    return words;
}

class Checker {
  public:
    Checker(FileStore& files, std::filesystem::path folder)
        : files_(files), folder_(std::move(folder)) {}

    DataCheck Run();

  private:
    // Reads the file with its reader, noting what the reader passes over, and reports that.
    template <typename Parse, typename Names>
    void Read(CheckedFile& file, Parse parse, Names names);
    // The file's bytes; false, the reason reported, when they cannot be had.
    bool Fetch(CheckedFile& file);
    // What the reader noted, and its refusal if it gave one.
    void Report(CheckedFile& file, const std::string* refusal);
    void Add(const CheckedFile& file, std::size_t line, std::string_view name, std::string what);
    // A problem whose text names its file and place itself.
    void AddAsSaid(const CheckedFile& file, std::size_t line, std::string text);

    void CheckCounts();
    void CheckFrames(const DataCatalogue& c);
    void CheckOptions(const DataCatalogue& c);
    void CheckClasses(const DataCatalogue& c);
    // Rows of MaxLevel.txt or Details.txt that stand in another option's place.
    void CheckRowOrder(const DataCatalogue& c, const CheckedFile& file, std::string_view what);

    struct Problem {
        int file;
        std::size_t line;
        std::size_t found;
        std::string text;
    };

    FileStore& files_;
    std::filesystem::path folder_;
    // The files read as one set, as the windows read them.
    const GuardedFolder::Reading* reading_ = nullptr;
    std::vector<Problem> problems_;
    int readable_ = 0;
    CheckedFile frames_{kFrames};
    CheckedFile modifications_{kModifications};
    CheckedFile classes_{kClasses};
    CheckedFile levels_{kMaxLevels};
    CheckedFile details_{kDetails};
};

void Checker::Add(const CheckedFile& file, std::size_t line, std::string_view name,
                  std::string what) {
    std::string where = DataFileLabel(file.facts.name) + ", line " + std::to_string(line);
    if (!name.empty()) {
        where += ", " + Quoted(name);
    }
    AddAsSaid(file, line, where + ": " + what);
}

void Checker::AddAsSaid(const CheckedFile& file, std::size_t line, std::string text) {
    problems_.push_back({file.facts.order, line, problems_.size(), std::move(text)});
}

template <typename Parse, typename Names>
void Checker::Read(CheckedFile& file, Parse parse, Names names) {
    if (!Fetch(file)) {
        return;
    }
    const auto parsed = [&] {
        const NotingReads noting(file.notes);
        return parse(file.bytes, DataFileLabel(file.facts.name));
    }();
    if (parsed) {
        file.taken = true;
        file.names = names(parsed.value());
    }
    Report(file, parsed ? nullptr : &parsed.error());
}

bool Checker::Fetch(CheckedFile& file) {
    auto bytes = ReadDataFile(*reading_, file.facts.name);
    if (!bytes) {
        AddAsSaid(file, 0, bytes.error() + " " + std::string(file.facts.refused));
        return false;
    }
    ++readable_;
    file.bytes = std::move(bytes.value());
    return true;
}

void Checker::Report(CheckedFile& file, const std::string* refusal) {
    const std::vector<std::size_t>& starts = file.notes.recordStarts;
    for (std::size_t i = 0; i < starts.size() && file.misaligned == 0; ++i) {
        const std::size_t at = starts[i];
        if (at > 0 && at < file.bytes.size() && file.bytes[at - 1] != '\n' &&
            file.bytes[at - 1] != '\r') {
            file.misaligned = i + 1;
        }
    }
    // A number read from the wrong items says nothing the misaligned record does not.
    for (const ReadNotes::Zeroed& zero : file.notes.zeroed) {
        if (file.misaligned == 0 || zero.record < file.misaligned) {
            Add(file, file.Line(zero.offset), file.Name(zero.record),
                std::string(zero.field) + " " + Quoted(zero.text) +
                    " is not a number: it counts as 0.");
        }
    }
    if (file.misaligned != 0) {
        const std::string one(file.facts.one);
        const std::string number = std::to_string(file.misaligned);
        Add(file, file.RecordLine(file.misaligned), "",
            one + " " + number + " begins in the middle of the line: a line before it holds " +
                "more or fewer items than a " + one + " has, so " + one + " " + number +
                " and every " + one + " after it are read from the wrong items.");
    }
    if (refusal) {
        // The reader names the place itself when it can: "line 4", "frame 3".
        const std::size_t line = starts.empty() ? 1 : file.Line(starts.back());
        std::string what = *refusal + " " + std::string(file.facts.refused);
        if (refusal->find(", line ") != std::string::npos) {
            AddAsSaid(file, line, std::move(what));
        } else {
            Add(file, line, "", std::move(what));
        }
    } else if (file.notes.leftOver != std::string_view::npos) {
        Add(file, file.Line(file.notes.leftOver), "",
            "items after the " + std::to_string(file.names.size()) + " " +
                std::string(file.facts.many) + " the count line lists: nothing reads them" +
                (file.facts.saved ? ", and a save of the file drops them." : "."));
    }
}

DataCheck Checker::Run() {
    // Held throughout, so that no save changes the files between the reads.
    const GuardedFolder data = DataFilesAt(files_, folder_);
    const GuardedFolder::Reading reading = data.StartReading();
    reading_ = &reading;
    auto shown = [](const auto& records, auto field) {
        std::vector<std::string> names;
        for (const auto& record : records) {
            names.push_back(field(record));
        }
        return names;
    };
    Read(frames_, ReadFramesFile, [&](const FramesFile& file) {
        return shown(file.frames, [](const FrameRecord& f) { return f.Frame.Shown(); });
    });
    Read(modifications_, ReadModificationsFile, [&](const ModificationsFile& file) {
        return shown(file.records,
                     [](const ModificationRecord& m) { return m.Modification.Shown(); });
    });
    Read(classes_, ReadClassesFile, [](const std::vector<std::string>& names) { return names; });
    // The main window reads as many levels a row as there are frames, the editor fourteen.
    const int columns = frames_.taken ? frames_.Count() : kEditorFrameColumns;
    Read(
        levels_,
        [columns](std::string_view bytes, std::string_view label) {
            return ReadMaxLevelFile(bytes, label, columns);
        },
        [&](const MaxLevelFile& file) {
            return shown(file.rows, [](const MaxLevelRow& row) { return row.label.Shown(); });
        });
    Read(details_, ReadDetailsFile, [&](const DetailsFile& file) {
        return shown(file.rows, [](const DetailRecord& row) { return row.label.Shown(); });
    });

    CheckCounts();
    // The rules judge the catalogue the main window loads; on misread records they would only
    // repeat the misreading.
    const bool misaligned = frames_.misaligned || modifications_.misaligned ||
                            classes_.misaligned || levels_.misaligned;
    if (auto loaded = LoadCatalogue(reading); loaded && !misaligned) {
        CheckFrames(loaded.value());
        CheckOptions(loaded.value());
        CheckClasses(loaded.value());
        CheckRowOrder(loaded.value(), levels_, "maximum levels");
        if (details_.taken && !details_.misaligned) {
            CheckRowOrder(loaded.value(), details_, "description");
        }
    }
    // File by file, in the order of the lines, and on one line in the order found.
    std::sort(problems_.begin(), problems_.end(), [](const Problem& a, const Problem& b) {
        return std::tie(a.file, a.line, a.found) < std::tie(b.file, b.line, b.found);
    });
    DataCheck check{{}, readable_ == 0};
    for (Problem& problem : problems_) {
        check.problems.push_back(std::move(problem.text));
    }
    return check;
}

void Checker::CheckCounts() {
    if (frames_.taken && !LevelColumnsAgree(frames_.names.size())) {
        const std::string count = std::to_string(frames_.names.size());
        Add(frames_, 1, "",
            "it holds " + count + " frames, but the modification editor keeps the levels of " +
                std::to_string(kEditorFrameColumns) + ": the main window reads " + count +
                " levels from each row of " + DataFileLabel(kMaxLevelFile) +
                ", so the two read the levels differently, and the modification editor saves "
                "nothing.");
    }
    if (!modifications_.taken || !levels_.taken) {
        return;
    }
    const ModificationCounts counts{modifications_.Count(), levels_.Count(),
                                    details_.taken ? details_.Count() : levels_.Count()};
    if (counts.Agree()) {
        return;
    }
    const std::string used = std::to_string(counts.maxLevels);
    std::string what =
        "the modification files disagree on the count: " + DataFileLabel(kModificationsFile) +
        " lists " + std::to_string(counts.modifications) + ", " + DataFileLabel(kMaxLevelFile) +
        " " + used + " and " + DataFileLabel(kDetailsFile) + " " + std::to_string(counts.details) +
        ". The main window works with the " + used + " of " + DataFileLabel(kMaxLevelFile);
    if (counts.Misread()) {
        what += ", and the modification editor saves nothing until they agree.";
    } else {
        what += ", and the options after the first " + std::to_string(counts.details) +
                " show no description until a save writes them empty.";
    }
    Add(counts.modifications != counts.maxLevels ? modifications_ : details_, 1, "",
        std::move(what));
}

void Checker::CheckFrames(const DataCatalogue& c) {
    for (int i = 1; i <= c.intNumberofFrames; ++i) {
        const FrameRecord& frame = c.Frame(i);
        const std::string name = frame.Frame.Shown();
        auto add = [&](std::string what) { Add(frames_, frames_.RecordLine(i), name, what); };
        if (const std::int16_t chosen = c.FrameNamed(name); chosen != i) {
            add("never chosen: the frame of the same name on line " +
                std::to_string(frames_.RecordLine(chosen)) + " is chosen instead.");
        }
        const std::int16_t column = frame.FrameNumber;
        bool fitsNone = c.intNumberofMods > 0;
        for (int m = 1; m <= c.intNumberofMods; ++m) {
            fitsNone = fitsNone && c.MaxLevel(m, column) == 0;
        }
        const std::string number = "frame number " + FormatWhole(column);
        int sharer = 0;
        for (int k = 1; k < i; ++k) {
            sharer = c.Frame(k).FrameNumber == column ? k : sharer;
        }
        if (column < 1 || column > kEditorFrameColumns) {
            add(number + " is outside 1 to " + std::to_string(kEditorFrameColumns) +
                ", the frames the modification editor keeps levels for" +
                (fitsNone ? "; no option can be installed on it." : "."));
        } else if (sharer != 0) {
            add(number + " is also that of " + Quoted(c.Frame(sharer).Frame.Shown()) + " on line " +
                std::to_string(frames_.RecordLine(sharer)) +
                ": the two take their maximum levels from one column.");
        } else if (fitsNone) {
            add("no option can be installed on it: every option's maximum level on it is 0.");
        }
        const std::string capacity = frame.AmmoCapacity.Shown();
        if (const FullLoad* full = FullLoadOf(frame.AmmoLoad, LeadingNumber(capacity))) {
            add("no option can be installed on it: its " + std::string(full->word) +
                " is full at " + FormatGeneral(full->capacity) + ".");
        }
        const std::string power = frame.Power.Shown();
        const std::string conceal = frame.Concealability.Shown();
        const std::string weight = frame.Weight.Shown();
        const std::string fcu = FormatGeneral(frame.FCU);
        const std::string dpv = FormatWhole(frame.DPV);
        // The statistics as choosing the frame shows them, read back as each application does.
        const StatisticNumbers shown = ReadStatistics({power, conceal, weight, capacity, fcu, dpv});
        if (!shown.badCaption.empty()) {
            add("no option can be installed on it: its " + std::string(shown.badCaption) +
                (shown.badText.empty() ? " is empty."
                                       : " " + Quoted(shown.badText) + " is not a number."));
        }
        const std::string damage = frame.Damage.Shown();
        if (StepDamage(damage, "U") == damage && StepDamage(damage, "D") == damage) {
            add("no option changes its Damage " + Quoted(damage) +
                ": it is on no rung of the damage ladder L, M, S, D.");
        }
        int opened = 0;
        ForEachFrameMount(frame, [&opened](std::string_view) { ++opened; });
        const std::string mounts[] = {frame.Mount1.Shown(), frame.Mount2.Shown(), frame.Mount3};
        for (int k = 0; k < 3; ++k) {
            const std::string mount =
                "its Mount " + std::to_string(k + 1) + " " + Quoted(mounts[k]) + " opens nothing: ";
            if (k >= opened && !mounts[k].empty()) {
                add(mount + "the empty Mount " + std::to_string(opened + 1) +
                    " before it ends the frame's mounts.");
            } else if (k < opened && MountSlot(mounts[k]) < 0 && mounts[k] != kNoMount) {
                add(mount + "mounts are " + MountWords() + ".");
            }
        }
    }
}

void Checker::CheckOptions(const DataCatalogue& c) {
    const int count = std::min<int>(c.intNumberofMods, modifications_.Count());
    for (int i = 1; i <= count; ++i) {
        const ModificationRecord& mod = c.Modification(i);
        const std::string name = mod.Modification.Shown();
        auto add = [&](std::string what) {
            Add(modifications_, modifications_.RecordLine(i), name, what);
        };
        if (const std::int16_t used = c.ModificationNamed(name); used != i) {
            add("never used: the modification of the same name on line " +
                std::to_string(modifications_.RecordLine(used)) + " is used instead.");
        }
        const MountNeed need = MountOf(mod);
        bool fitsSome = false;
        bool fitsOffered = false;
        for (const FrameRecord& frame : c.frames) {
            bool offers = need.TakesNone();
            ForEachFrameMount(frame,
                              [&](std::string_view word) { offers = offers || word == need.word; });
            const bool fits = c.MaxLevel(i, frame.FrameNumber) != 0;
            fitsSome = fitsSome || fits;
            fitsOffered = fitsOffered || (fits && offers);
        }
        const std::string mount = need.word + " mount";
        if (need.NamesNoSlot()) {
            add("never installable: Mount 1 is " + Quoted(need.word) + "; mounts are " +
                MountWords() + ".");
        } else if (!c.frames.empty() && !fitsSome) {
            add("never installable: its maximum level is 0 on every frame.");
        } else if (!c.frames.empty() && !fitsOffered) {
            add("installable only where the user ticks the " + mount +
                " by hand: no frame with that mount takes it.");
        }
        if (auto added = AddedNumbersOf(mod); !added) {
            add("never installable: " + added.error());
        }
        bool ofSome = false;
        bool listed = false;
        for (const std::string& className : c.classes) {
            ofSome = ofSome || OfClass(mod, className);
            listed = listed || ListedUnder(mod, className);
        }
        if (!ofSome) {
            add(std::string(listed ? "listed only under All" : "never listed") + ": its class " +
                Quoted(mod.ModType.Shown()) + " is not in " + DataFileLabel(kClassesFile) + ".");
        }
        const bool steps = std::any_of(std::begin(kDamageLadder), std::end(kDamageLadder),
                                       [&mod](std::string_view rung) {
                                           const std::string damage(rung);
                                           return StepDamage(damage, mod.Damage) != damage;
                                       });
        if (!mod.Damage.empty() && !steps) {
            add("changes no Damage: its Damage step is " + Quoted(mod.Damage) +
                "; steps are U, D or empty.");
        }
    }
}

void Checker::CheckClasses(const DataCatalogue& c) {
    for (std::size_t k = 1; k <= classes_.names.size(); ++k) {
        const std::string_view className = classes_.Name(k);
        bool lists = false;
        for (int i = 1; i <= c.intNumberofMods; ++i) {
            lists = lists || ListedUnder(c.Modification(i), className);
        }
        if (!lists) {
            Add(classes_, classes_.RecordLine(k), className,
                "lists no option: no modification is of this class.");
        }
    }
}

void Checker::CheckRowOrder(const DataCatalogue& c, const CheckedFile& file,
                            std::string_view what) {
    const int count = std::min<int>({c.intNumberofMods, modifications_.Count(), file.Count()});
    for (int i = 1; i <= count; ++i) {
        const std::string_view label = file.Name(static_cast<std::size_t>(i));
        const std::string name = c.Modification(i).Modification.Shown();
        if (const std::int16_t other = c.ModificationNamed(label);
            label != name && other != 0 && other != i) {
            Add(file, file.RecordLine(static_cast<std::size_t>(i)), label,
                "stands in the place of " + Quoted(name) + " (line " +
                    std::to_string(modifications_.RecordLine(static_cast<std::size_t>(i))) +
                    " of " + DataFileLabel(kModificationsFile) +
                    "): rows pair with the modifications by their place, so " + Quoted(name) +
                    " takes the " + std::string(what) + " written for " + Quoted(label) + ".");
        }
    }
}

}  // namespace

DataCheck CheckDataFolder(FileStore& files, const std::filesystem::path& folder) {
    return Checker(files, folder).Run();
}

std::vector<std::string> DataCheckReport(const std::filesystem::path& folder,
                                         const DataCheck& check) {
    std::vector<std::string> lines = {"Data folder: " + folder.string()};
    lines.insert(lines.end(), check.problems.begin(), check.problems.end());
    const std::size_t count = check.problems.size();
    if (check.unreadable) {
        lines.push_back("Not one of the data files can be read.");
    } else if (count == 0) {
        lines.push_back("No problems found.");
    } else {
        lines.push_back(std::to_string(count) + (count == 1 ? " problem." : " problems."));
    }
    return lines;
}

}  // namespace kalverin
