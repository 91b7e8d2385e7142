#pragma once

// The one way files are saved: a set of files replaced together, so that after any failure, a
// killed program or a power cut, the set reads either as it was or as it was saved, never torn
// and never mixed; and a save never goes over data it has not seen.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/file_store.h"

namespace kalverin {

// While a save runs, the earlier bytes of its files wait in this file in their folder.
inline constexpr std::string_view kJournalName = ".kalverin-journal";

struct FileReplacement {
    std::filesystem::path path;
    std::string label;  // how a message names the file, as "Data/MaxLevel.txt"
    std::string bytes;
    // What the file held when the window read it; the save is refused if it holds anything
    // else now, as when another window or program has saved it since. Nothing: not checked.
    std::optional<std::string> loaded = std::nullopt;
};

// Rewrites the files in place, one after the other. Under the folder's lock, the earlier bytes
// of every file first go to the journal, which is flushed to the disk, then each file is written
// and flushed, then the journal is removed. When a write fails, every file already rewritten
// gets its previous bytes back (or is removed again if it did not exist), so they never
// disagree. On failure the message names the file that failed and any file whose previous bytes
// could not be put back. Where no journal can be created beside the files, they are saved
// without one.
Outcome<void> ReplaceFiles(FileStore& files, const std::vector<FileReplacement>& replacements);

// Before the files of a folder are read: a save that was stopped half way (the program killed,
// the power cut) has its files put back as they were before it, from the journal, and the
// journal is removed. Gives the message that tells the user, naming the files; it is empty when
// no save was stopped there.
std::string RecoverInterruptedSave(FileStore& files, const std::filesystem::path& folder);

}  // namespace kalverin
