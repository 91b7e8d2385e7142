#pragma once

// Where the rules data is: which data folder a run reads and saves, decided once at its start,
// and moved only when the first save of an install's data makes the user's own copy of it, or
// when the user goes back to the shipped data.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/file_store.h"
#include "catalogue/guarded_folder.h"
#include "catalogue/outcome.h"
#include "catalogue/replace_files.h"

namespace kalverin {

enum class DataSource {
    Given,     // named on the command line
    Beside,    // the Data folder beside the program, the user's to write (a portable folder)
    UserCopy,  // the user's own copy of an install's data
    Shipped,   // an install's Data folder beside the program, which belongs to the system
};

// The folders the data may be in.
struct DataPlaces {
    std::filesystem::path given;   // empty when none is named
    std::filesystem::path beside;  // the Data folder beside the program
    std::filesystem::path user;    // the user's own copy; empty for a user without a home
};

struct DataChoice {
    DataSource source = DataSource::Beside;
    std::filesystem::path folder;
    // What the user is told before anything is read: a save cut short in the user's folder was
    // put back, or why it could not be. Empty when there is nothing to tell.
    std::string notice;
};

// The folder given; else the one beside the program when the user may write it; else the user's
// own copy when it holds a data file, once a save cut short there is put back (so that a first
// copy cut short, which that takes away again, is no copy); else the shipped folder.
DataChoice ChooseDataFolder(FileStore& files, const DataPlaces& places);

// Today's date as a backup's name ends with it: "2026-12-07".
std::string TodaysDate();

// The data folder of the run, which every window and the data check reach it through.
class DataInUse {
  public:
    DataInUse(FileStore& files, DataPlaces places, std::function<std::string()> today = TodaysDate);

    DataSource source() const { return choice_.source; }
    const std::filesystem::path& folder() const { return choice_.folder; }

    // The folder's files read as one set, as GuardedFolder reads them; the first reading also
    // tells what the choice put back.
    GuardedFolder::Reading StartReading();
    FileReplacement Replacing(std::string_view name, std::string bytes,
                              std::optional<std::string> loaded = std::nullopt) const {
        return folder_.Replacing(name, std::move(bytes), std::move(loaded));
    }
    // Replaces files of the folder as one set. A save on the shipped folder goes to the user's
    // own folder instead: the whole shipped set with the changes in it, as one save, so that a
    // copy cut short is taken away again; the copy is the data from then on.
    Outcome<void> Save(const std::vector<FileReplacement>& replacements);

    // The folder the user's copy is kept in by UseShippedData: beside it, named after today.
    std::filesystem::path BackupFolder() const;
    // Back to the shipped data: the user's copy is moved to BackupFolder(), which is given.
    Outcome<std::filesystem::path> UseShippedData();

  private:
    void Use(DataSource source, const std::filesystem::path& folder);

    FileStore& files_;
    DataPlaces places_;
    std::function<std::string()> today_;
    DataChoice choice_;
    GuardedFolder folder_;
};

}  // namespace kalverin
