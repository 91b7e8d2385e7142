#include "catalogue/replace_files.h"

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

// Puts back the files a journal left in the folder names and removes the journal; the caller
// holds the folder's lock. Gives the labels of the files put back, or why they could not be.
Outcome<std::vector<std::string>> RollBack(FileStore& files, const std::filesystem::path& folder) {
    using Result = Outcome<std::vector<std::string>>;
    const auto journalPath = folder / kJournalName;
    auto journal = files.Read(journalPath);
    if (!journal) {
        return std::vector<std::string>{};
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
        return Result::Failure(journalPath.string() + " could not be removed: " + dropped.error() +
                               ".");
    }
    return labels;
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

// Writes the journal and makes it last; false when it cannot be had, as in a folder where the
// user may write the files but create none, and the save then goes on without one.
Outcome<bool> WriteJournal(FileStore& files, const std::filesystem::path& folder,
                           const std::vector<JournalEntry>& entries) {
    if (entries.empty()) {
        return false;
    }
    const auto path = folder / kJournalName;
    auto written = files.Write(path, EncodeJournal(entries));
    if (written) {
        written = files.SyncFolder(folder);
    }
    if (written) {
        return true;
    }
    // A journal left behind would put these files back after a save that went well.
    if (auto removed = files.Remove(path); !removed) {
        return Outcome<bool>::Failure(removed.error());
    }
    return false;
}

}  // namespace

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
        if (auto rolledBack = RollBack(files, *folder); !rolledBack) {
            return Result::Failure(rolledBack.error() + " Nothing was saved.");
        }
    }

    std::vector<Earlier> previous(replacements.size());
    std::vector<JournalEntry> journal;
    for (std::size_t i = 0; i < replacements.size(); ++i) {
        const FileReplacement& file = replacements[i];
        std::error_code ignored;
        auto status = std::filesystem::status(file.path, ignored);
        if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
            previous[i].kind = Earlier::Kind::NotAFile;
        } else if (auto old = files.Read(file.path)) {
            previous[i] = {Earlier::Kind::Bytes, std::move(old.value())};
        } else if (std::filesystem::exists(status)) {
            // Without its old bytes a failed write could not be undone.
            return Result::Failure(file.label + " cannot be read before it is replaced: " +
                                   old.error() + ". Nothing was saved.");
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
        auto written = WriteJournal(files, *folder, journal);
        if (!written) {
            return Result::Failure(first + " could not be written: " + written.error() +
                                   ". The data files were left as they were.");
        }
        journaled = written.value();
    }

    bool created = false;
    for (std::size_t i = 0; i < replacements.size(); ++i) {
        created = created || previous[i].kind == Earlier::Kind::Absent;
        auto written = files.Write(replacements[i].path, replacements[i].bytes);
        if (written) {
            continue;
        }
        std::string message =
            replacements[i].label + " could not be written: " + written.error() + ".";
        bool restored = true;
        for (std::size_t j = 0; j <= i; ++j) {
            if (previous[j].kind == Earlier::Kind::Bytes) {
                // The user must learn which file no longer holds what it held; a file the
                // failed write never touched (a read-only folder refuses it) still does.
                auto back = files.Write(replacements[j].path, previous[j].bytes);
                if (!back && !Holds(files, replacements[j].path, previous[j].bytes)) {
                    message += " " + replacements[j].label +
                               " could not be put back as it was: " + back.error() + ".";
                    restored = false;
                }
            } else if (previous[j].kind == Earlier::Kind::Absent) {
                files.Remove(replacements[j].path);
            }
        }
        if (!restored) {
            // The journal stays and puts them back when the folder is next read.
            return Result::Failure(journaled ? message +
                                                   " Kalverin puts the earlier bytes back the next "
                                                   "time it reads the folder."
                                             : message);
        }
        if (journaled) {
            DropJournal(files, *folder);
        }
        return Result::Failure(message + " The data files were left as they were.");
    }

    // A new file must be in its folder for good before the journal that would remove it goes.
    Result lasting;
    if (journaled) {
        lasting = DropJournal(files, *folder);
    } else if (folder && created) {
        lasting = files.SyncFolder(*folder);
    }
    if (!lasting) {
        return Result::Failure(first + " was written, but the save could not be made to last: " +
                               lasting.error() + ".");
    }
    return {};
}

std::string RecoverInterruptedSave(FileStore& files, const std::filesystem::path& folder) {
    // Almost every read finds no journal, and then takes no lock for it.
    if (!files.Read(folder / kJournalName)) {
        return {};
    }
    // A save still running holds the lock; its journal is gone once the lock is had.
    auto lock = files.LockFolder(folder, FolderLock::Kind::Exclusive);
    if (!lock) {
        return {};
    }
    auto restored = RollBack(files, folder);
    if (!restored) {
        return restored.error();
    }
    if (restored->empty()) {
        return {};
    }
    const bool one = restored->size() == 1;
    return "A save of " + Listed(restored.value()) + " was cut short, so " +
           (one ? "it was put back as it was" : "they were put back as they were") +
           " before that save.";
}

}  // namespace kalverin
