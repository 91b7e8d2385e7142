#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "catalogue/file_store.h"

namespace kalverin::testing {

// Files held in memory: a data folder or a weapon file made of bytes, with no disk involved.
// A path that was never written reads as "No such file or directory", as on disk.
class MemoryFiles final : public FileStore {
  public:
    Outcome<std::string> Read(const std::filesystem::path& path) const override {
        const std::string* bytes = Find(path);
        return bytes ? Outcome<std::string>(*bytes)
                     : Outcome<std::string>::Failure("No such file or directory");
    }
    std::optional<std::string> Write(const std::filesystem::path& path,
                                     std::string_view bytes) override {
        files_[path] = std::string(bytes);
        return std::nullopt;
    }
    std::optional<std::string> Remove(const std::filesystem::path& path) override {
        files_.erase(path);
        return std::nullopt;
    }

    // The file's bytes, or nothing when there is no such file.
    const std::string* Find(const std::filesystem::path& path) const {
        auto found = files_.find(path);
        return found == files_.end() ? nullptr : &found->second;
    }

  private:
    std::map<std::filesystem::path, std::string> files_;
};

}  // namespace kalverin::testing
