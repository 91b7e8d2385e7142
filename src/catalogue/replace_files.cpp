#include "catalogue/replace_files.h"

#include <cerrno>
#include <charconv>
#include <cstdint>

namespace kalverin {
namespace {

constexpr std::string_view kJournalHeader = "Kalverin save journal 1\n";
constexpr std::string_view kJournalEnd = "end ";

// One file of a save as the journal keeps it: its earlier bytes, or that it did not exist.
struct JournalEntry {
    std::string name;  // in the journal's folder
    std::string label;
    bool existed = false;
    std::string bytes;
};

// FNV-1a: tells a journal cut short, or only partly on the disk, from one written whole.
std::uint64_t Checksum(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (unsigned char c : bytes) {
        hash = (hash ^ c) * 1099511628211ULL;
    }
    return hash;
}

// The header; per file a line "existed name-length label-length bytes-length" and then those
// three texts; last a line with the checksum of everything before it.
std::string EncodeJournal(const std::vector<JournalEntry>& entries) {
    std::string out(kJournalHeader);
    for (const JournalEntry& e : entries) {
        out += std::to_string(e.existed ? 1 : 0) + ' ' + std::to_string(e.name.size()) + ' ' +
               std::to_string(e.label.size()) + ' ' + std::to_string(e.bytes.size()) + '\n';
        out += e.name + e.label + e.bytes;
    }
    out += std::string(kJournalEnd) + std::to_string(Checksum(out)) + '\n';
    return out;
}

template <typename Number>
std::optional<Number> TakeNumber(std::string_view& in, char end) {
    Number value{};
    const auto [next, error] = std::from_chars(in.data(), in.data() + in.size(), value);
    if (error != std::errc() || next == in.data() + in.size() || *next != end) {
        return std::nullopt;
    }
    in.remove_prefix(static_cast<std::size_t>(next - in.data()) + 1);
    return value;
}

std::optional<std::string> TakeText(std::string_view& in, std::size_t length) {
    if (length > in.size()) {
        return std::nullopt;
    }
    std::string text(in.substr(0, length));
    in.remove_prefix(length);
    return text;
}

// A file name of this folder, not a way out of it.
bool NamesAFileHere(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// The entries of a whole journal; nothing for one cut short or garbled. Such a journal was
// never finished, so no file was touched after it.
std::optional<std::vector<JournalEntry>> DecodeJournal(std::string_view journal) {
    const std::size_t endAt = journal.rfind(kJournalEnd);
    if (journal.substr(0, kJournalHeader.size()) != kJournalHeader || endAt == journal.npos ||
        endAt < kJournalHeader.size()) {
        return std::nullopt;
    }
    std::string_view last = journal.substr(endAt + kJournalEnd.size());
    auto checksum = TakeNumber<std::uint64_t>(last, '\n');
    if (!checksum || !last.empty() || *checksum != Checksum(journal.substr(0, endAt))) {
        return std::nullopt;
    }
    std::string_view in = journal.substr(kJournalHeader.size(), endAt - kJournalHeader.size());
    std::vector<JournalEntry> entries;
    while (!in.empty()) {
        auto existed = TakeNumber<int>(in, ' ');
        auto nameLength = TakeNumber<std::size_t>(in, ' ');
        auto labelLength = TakeNumber<std::size_t>(in, ' ');
        auto bytesLength = TakeNumber<std::size_t>(in, '\n');
        if (!existed || !nameLength || !labelLength || !bytesLength) {
            return std::nullopt;
        }
        auto name = TakeText(in, *nameLength);
        auto label = TakeText(in, *labelLength);
        auto bytes = TakeText(in, *bytesLength);
        if (!name || !label || !bytes || !NamesAFileHere(*name)) {
            return std::nullopt;
        }
        entries.push_back({std::move(*name), std::move(*label), *existed == 1, std::move(*bytes)});
    }
    return entries;
}

// "A", "A and B", "A, B and C".
std::string Listed(const std::vector<std::string>& labels) {
    std::string listed;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        listed += (i == 0 ? "" : i + 1 == labels.size() ? " and " : ", ") + labels[i];
    }
    return listed;
}

// Removes the journal once the files it names are as they should stay, and makes that last.
Outcome<void> DropJournal(FileStore& files, const std::filesystem::path& folder) {
    auto done = files.SyncFolder(folder);
    if (done) {
        done = files.Remove(folder / kJournalName);
    }
    if (done) {
        done = files.SyncFolder(folder);
    }
    return done;
}

// How messages name the journal beside a file: "Data/.kalverin-journal".
std::string JournalLabel(const std::string& fileLabel) {
    return (std::filesystem::path(fileLabel).parent_path() / kJournalName).string();
}

// What undoing a replacement takes: the earlier bytes back, the new file removed again, or
// nothing at all for something that is no regular file (a device keeps no contents to restore).
struct Earlier {
    enum class Kind { Bytes, Absent, NotAFile } kind = Kind::Absent;
    std::string bytes;
};

bool Holds(const FileStore& files, const std::filesystem::path& path, const std::string& bytes) {
    auto now = files.Read(path);
    return now && now.value() == bytes;
}

// The folder all the files are in, where their journal goes; nothing when they are in several.
std::optional<std::filesystem::path> CommonFolder(const std::vector<FileReplacement>& files) {
    const auto folder = files.front().path.parent_path();
    for (const FileReplacement& file : files) {
        if (file.path.parent_path() != folder) {
            return std::nullopt;
        }
    }
    return folder.empty() ? "." : folder;
}

// Writes the journal and makes it last. False when the folder refuses to create it, as one where
// the user may write the files but create none: the save then goes on without one. Any other
// fault ends the save, since a save cut short without its journal could not be undone.
Outcome<bool> WriteJournal(FileStore& files, const std::filesystem::path& folder,
                           const std::string& label, const std::vector<JournalEntry>& entries) {
    if (entries.empty()) {
        return false;
    }
    const auto path = folder / kJournalName;
    const std::string journal = EncodeJournal(entries);
    if (journal.size() > kMaxJournalBytes) {
        return Outcome<bool>::Failure("the save's safety copy, " + label +
                                      ", would be larger than Kalverin reads back");
    }
    auto written = files.Write(path, journal);
    if (written) {
        written = files.SyncFolder(folder);
    }
    if (written) {
        return true;
    }
    const int error = written.systemError();
    if ((error == EACCES || error == EPERM || error == EROFS) &&
        files.Kind(path) == PathKind::None) {
        return false;
    }
    // Not removed, a journal of bytes no file has lost would only put them back once more.
    files.Remove(path);
    return Outcome<bool>::Failure(
        error == ENOSPC
            ? "there is no room on the disk for the save's safety copy, " + label
            : "the save's safety copy, " + label + ", could not be written: " + written.error());
}

}  // namespace

Outcome<std::vector<std::string>> PutBackCutSave(FileStore& files,
                                                 const std::filesystem::path& folder,
                                                 const std::string& journalLabel) {
    using Result = Outcome<std::vector<std::string>>;
    const auto journalPath = folder / kJournalName;
    if (files.Kind(journalPath) == PathKind::None) {
        return std::vector<std::string>{};
    }
    auto journal = files.ReadUpTo(journalPath, kMaxJournalBytes);
    if (!journal) {
        // It may hold the only copy of what a cut save took: never taken for none, nor written
        // over.
        return Result::Failure(journalLabel + ", the safety copy of a save, cannot be read: " +
                               journal.error() + ". Until it can, Kalverin saves nothing there.");
    }
    std::vector<std::string> labels;
    if (auto entries = DecodeJournal(journal.value())) {
        for (const JournalEntry& entry : *entries) {
            labels.push_back(entry.label);
        }
        for (const JournalEntry& entry : *entries) {
            const auto path = folder / entry.name;
            auto put = entry.existed ? files.Write(path, entry.bytes) : files.Remove(path);
            if (!put) {
                // The journal stays, so that the next read tries again.
                return Result::Failure("A save of " + Listed(labels) + " was cut short, and " +
                                       entry.label +
                                       " could not be put back as it was: " + put.error() + ".");
            }
        }
    }
    if (auto dropped = DropJournal(files, folder); !dropped) {
        return Result::Failure(journalLabel + " could not be removed: " + dropped.error() + ".");
    }
    return labels;
}

std::string PutBackMessage(const std::vector<std::string>& labels) {
    if (labels.empty()) {
        return {};
    }
    const bool one = labels.size() == 1;
    return "A save of " + Listed(labels) + " was cut short, so " +
           (one ? "it was put back as it was" : "they were put back as they were") +
           " before that save.";
}

Outcome<void> ReplaceFiles(FileStore& files, const std::vector<FileReplacement>& replacements) {
    using Result = Outcome<void>;
    if (replacements.empty()) {
        return {};
    }
    const std::string& first = replacements.front().label;
    const auto folder = CommonFolder(replacements);
    FolderLock lock;
    if (folder) {
        auto locked = files.LockFolder(*folder, FolderLock::Kind::Exclusive);
        if (!locked) {
            return Result::Failure(first + " could not be written: " + locked.error() +
                                   ". Nothing was saved.");
        }
        lock = std::move(locked.value());
        // A save stopped half way is undone before this one looks at what the files hold.
        if (auto putBack = PutBackCutSave(files, *folder, JournalLabel(first)); !putBack) {
            return Result::Failure(putBack.error() + " Nothing was saved.");
        }
    }

    std::vector<Earlier> previous(replacements.size());
    std::vector<JournalEntry> journal;
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < replacements.size(); ++i) {
        const FileReplacement& file = replacements[i];
        labels.push_back(file.label);
        const PathKind kind = files.Kind(file.path);
        if (kind == PathKind::Other) {
            previous[i].kind = Earlier::Kind::NotAFile;
        } else if (kind == PathKind::File) {
            auto old = files.Read(file.path);
            if (!old) {
                // Without its old bytes a failed write could not be undone.
                return Result::Failure(file.label + " cannot be read before it is replaced: " +
                                       old.error() + ". Nothing was saved.");
            }
            previous[i] = {Earlier::Kind::Bytes, std::move(old.value())};
        }
        if (file.loaded &&
            (previous[i].kind != Earlier::Kind::Bytes || previous[i].bytes != *file.loaded)) {
            return Result::Failure(
                file.label +
                " changed since this window read it: close the window and open it again to edit "
                "the new data. Nothing was saved.");
        }
        if (previous[i].kind != Earlier::Kind::NotAFile) {
            journal.push_back({file.path.filename().string(), file.label,
                               previous[i].kind == Earlier::Kind::Bytes, previous[i].bytes});
        }
    }
    bool journaled = false;
    if (folder) {
        auto written = WriteJournal(files, *folder, JournalLabel(first), journal);
        if (!written) {
            return Result::Failure(first + " could not be saved: " + written.error() +
                                   ". The data files were left as they were.");
        }
        journaled = written.value();
    }

    std::string failure;
    bool created = false;
    std::size_t touched = 0;  // the files that may no longer hold their earlier bytes
    for (; touched < replacements.size() && failure.empty(); ++touched) {
        const FileReplacement& file = replacements[touched];
        created = created || previous[touched].kind == Earlier::Kind::Absent;
        if (auto written = files.Write(file.path, file.bytes); !written) {
            failure = file.label + " could not be written: " + written.error() + ".";
        }
    }
    // Until the new files are in their folder for good and the journal is gone, the next read
    // would put the earlier bytes back: the save is not made.
    if (failure.empty() && journaled) {
        auto made = files.SyncFolder(*folder);
        if (made) {
            made = files.Remove(*folder / kJournalName);
        }
        if (!made) {
            failure = "The save of " + Listed(labels) +
                      " could not be made to last: " + made.error() + ".";
        }
    }
    if (!failure.empty()) {
        bool restored = true;
        for (std::size_t j = 0; j < touched; ++j) {
            const FileReplacement& file = replacements[j];
            // The user must learn which file no longer holds what it held; a file the failed
            // write never touched (a read-only folder refuses it) still does.
            if (previous[j].kind == Earlier::Kind::Bytes) {
                auto back = files.Write(file.path, previous[j].bytes);
                if (!back && !Holds(files, file.path, previous[j].bytes)) {
                    failure += " " + file.label +
                               " could not be put back as it was: " + back.error() + ".";
                    restored = false;
                }
            } else if (previous[j].kind == Earlier::Kind::Absent) {
                if (auto gone = files.Remove(file.path); !gone) {
                    failure +=
                        " " + file.label + " could not be removed again: " + gone.error() + ".";
                    restored = false;
                }
            }
        }
        if (!restored) {
            // The journal stays and puts them back when the folder is next read.
            return Result::Failure(journaled ? failure +
                                                   " Kalverin puts the earlier bytes back the next "
                                                   "time it reads the folder."
                                             : failure);
        }
        if (journaled) {
            DropJournal(files, *folder);
        }
        return Result::Failure(failure + " The data files were left as they were.");
    }

    // The journal's removal, and a new file, last only once the folder is flushed.
    if (folder && (journaled || created)) {
        if (auto lasting = files.SyncFolder(*folder); !lasting) {
            return Result::Failure(
                first + " was written, but the save could not be made to last: " + lasting.error() +
                ".");
        }
    }
    return {};
}

}  // namespace kalverin
