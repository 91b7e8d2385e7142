#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/file_store.h"

namespace kalverin::testing {

// Files held in memory: a data folder or a weapon file made of bytes, with no disk involved.
// A path that was never written reads as "No such file or directory", as on disk.
class MemoryFiles final : public FileStore {
  public:
    Outcome<std::string> Read(const std::filesystem::path& path) const override;
    std::optional<std::string> Write(const std::filesystem::path& path,
                                     std::string_view bytes) override;
    std::optional<std::string> Remove(const std::filesystem::path& path) override;

    // The file's bytes, or nothing when there is no such file.
    const std::string* Find(const std::filesystem::path& path) const;

  private:
    std::map<std::filesystem::path, std::string> files_;
};

}  // namespace kalverin::testing
