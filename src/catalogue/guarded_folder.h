#pragma once

// The one way into a folder of files that are saved together, the Data folder or a folder of
// weapon files: every read of the set and every save of it goes through here, under the folder's
// lock, taken once, and after a save cut short there has been put back.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/file_store.h"
#include "catalogue/outcome.h"
#include "catalogue/replace_files.h"

namespace kalverin {

class GuardedFolder {
  public:
    // `label` names the folder in messages ("Data"); empty, its files are named alone.
    GuardedFolder(FileStore& files, std::filesystem::path folder, std::string label);

    // How messages name one of its files: "Data/Frames.txt".
    std::string Label(std::string_view name) const;

    // Files of the folder read as one set, under the folder's shared lock, held while this lives.
    class Reading {
      public:
        // The file's bytes, or why they cannot be had: its own fault, or the lock's.
        Outcome<std::string> Read(std::string_view name) const;
        std::string Label(std::string_view name) const { return folder_->Label(name); }
        // What the user is told before anything read: the files a save cut short left were put
        // back, or why they could not be. Empty when there is nothing to tell.
        const std::string& notice() const { return notice_; }

      private:
        friend class GuardedFolder;
        friend class DataInUse;
        explicit Reading(const GuardedFolder& folder) : folder_(&folder) {}

        const GuardedFolder* folder_;
        FolderLock lock_;
        // Why the folder could not be locked; every read fails with it rather than read a set
        // that a save may be half way through.
        std::string unlocked_;
        std::string notice_;
    };

    // Takes the shared lock, waiting a few seconds at most for another program's save; a save
    // cut short there is then put back under the exclusive lock, since a reader that did not
    // hold the lock could undo a save still running.
    Reading StartReading() const;

    // A file of the folder to be saved, and what it held when it was read.
    FileReplacement Replacing(std::string_view name, std::string bytes,
                              std::optional<std::string> loaded = std::nullopt) const;
    // Replaces files of the folder as one set, as ReplaceFiles does.
    Outcome<void> Save(const std::vector<FileReplacement>& replacements) const;

    const std::filesystem::path& folder() const { return folder_; }

  private:
    FileStore* files_;
    std::filesystem::path folder_;
    std::string label_;
};

}  // namespace kalverin
