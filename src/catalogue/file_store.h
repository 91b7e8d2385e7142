#pragma once

// Whole-file reads and writes. Every file the program touches is read or written completely
// within one operation; writers go through a FileStore so that tests can make a write fail.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/outcome.h"

namespace kalverin {

// No data or weapon file comes near this; a larger one is refused rather than read.
inline constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

class FileStore {
  public:
    virtual ~FileStore() = default;
    // The file's bytes, or why they cannot be had ("No such file or directory").
    virtual Outcome<std::string> Read(const std::filesystem::path& path) const = 0;
    // Creates or truncates the file and writes it whole; nothing, or why it failed.
    virtual std::optional<std::string> Write(const std::filesystem::path& path,
                                             std::string_view bytes) = 0;
    virtual void Remove(const std::filesystem::path& path) = 0;
};

// The real file system.
FileStore& DiskFiles();

// Why a write failed, from the system's error number, as a message shows it. Where the user
// may not write at all, it says where the data can be edited instead: the Data folder of an
// install for the whole system belongs to the system.
std::string WriteFailureReason(int error);

struct FileReplacement {
    std::filesystem::path path;
    std::string label;  // how a message names the file, as "Data/MaxLevel.txt"
    std::string bytes;
};

// Rewrites the files one after the other. When one fails, every file already rewritten gets its
// previous bytes back (or is removed again if it did not exist), so they never disagree. Gives
// nothing on success, or a message naming the file that failed and any file whose previous
// bytes could not be put back.
std::optional<std::string> ReplaceFiles(FileStore& files,
                                        const std::vector<FileReplacement>& replacements);

}  // namespace kalverin
