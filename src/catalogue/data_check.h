#pragma once

// The data check: what in a data folder leaves an option, a frame or a whole file unusable, or
// has it read otherwise than its writer meant. Each problem is found by the reader or the rule
// that would misbehave on it, so that the check and the windows never disagree. Manage Data >
// Check Data and `kalverin --check-data` report it.

#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/file_store.h"

namespace kalverin {

struct DataCheck {
    // A line for each problem: the file, the line, the record's name, what is wrong and what it
    // does to the user.
    std::vector<std::string> problems;
    // Whether not one of the five data files could be read.
    bool unreadable = false;
};

// Checks the data folder `folder`, the one holding the five data files. Writes nothing.
DataCheck CheckDataFolder(FileStore& files, const std::filesystem::path& folder);

// The report: a line naming the folder, then each problem and how many there are, or that there
// is none.
std::vector<std::string> DataCheckReport(const std::filesystem::path& folder,
                                         const DataCheck& check);

}  // namespace kalverin
