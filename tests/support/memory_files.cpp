#include "support/memory_files.h"

namespace kalverin::testing {

Outcome<std::string> MemoryFiles::Read(const std::filesystem::path& path) const {
    if (const std::string* bytes = Find(path)) {
        return *bytes;
    }
    return Outcome<std::string>::Failure("No such file or directory");
}

std::optional<std::string> MemoryFiles::Write(const std::filesystem::path& path,
                                              std::string_view bytes) {
    files_[path] = std::string(bytes);
    return std::nullopt;
}

std::optional<std::string> MemoryFiles::Remove(const std::filesystem::path& path) {
    files_.erase(path);
    return std::nullopt;
}

const std::string* MemoryFiles::Find(const std::filesystem::path& path) const {
    auto found = files_.find(path);
    return found == files_.end() ? nullptr : &found->second;
}

}  // namespace kalverin::testing
