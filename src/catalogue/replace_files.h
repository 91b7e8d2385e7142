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
// A journal holds the earlier bytes of at most the five data files, each read whole; a save
// that would need a larger one is refused, so that every journal can be read back whole.
inline constexpr std::size_t kMaxJournalBytes = 5 * kMaxFileBytes + 1024 * 1024;

struct FileReplacement {
    std::filesystem::path path;
    std::string label;  // how a message names the file, as "Data/MaxLevel.txt"
    std::string bytes;
    // What the file held when the window read it; the save is refused if it holds anything
    // else now, as when another window or program has saved it since. Nothing: not checked.
    std::optional<std::string> loaded = std::nullopt;
};

// Rewrites the files in place, one after the other. Under the folder's exclusive lock, a save
// cut short there is put back first; then the earlier bytes of every file go to the journal,
// which is flushed to the disk, then each file is written and flushed, then the journal is
// removed. When a step fails, every file already rewritten gets its previous bytes back (or is
// removed again if it did not exist), so they never disagree. On failure the message names the
// file that failed and any file whose previous bytes could not be put back. The journal is the
// condition of the save: only where the folder refuses to create it (EACCES, EPERM, EROFS) do
// the files go without one; a folder that cannot be locked is not written at all.
Outcome<void> ReplaceFiles(FileStore& files, const std::vector<FileReplacement>& replacements);

// For a reader that holds the folder's exclusive lock: a save that was stopped half way there
// (the program killed, the power cut) has its files put back as they were before it, from the
// journal, and the journal is removed. Gives the labels of the files put back, none when no save
// was stopped there, or why they could not be; `journalLabel` names the journal in that message.
Outcome<std::vector<std::string>> PutBackCutSave(FileStore& files,
                                                 const std::filesystem::path& folder,
                                                 const std::string& journalLabel);

// What the user is told of the files PutBackCutSave put back.
std::string PutBackMessage(const std::vector<std::string>& labels);

}  // namespace kalverin
