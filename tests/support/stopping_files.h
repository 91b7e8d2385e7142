#pragma once

#include <cstddef>

#include "catalogue/file_store.h"

namespace kalverin::testing {

// The real disk for a save that stops half way, as when the program is killed. The first
// `changes` writes, removals and folder flushes go through; the next one is cut short, a write
// leaving its first `tornBytes` bytes over the file's old ones, not cut to length, and nothing
// after it reaches the disk. With Stop::Kill the process then kills itself (SIGKILL); with
// Stop::Quietly every later change fails.
class StoppingFiles final : public FileStore {
  public:
    enum class Stop { Quietly, Kill };

    StoppingFiles(std::size_t changes, std::size_t tornBytes, Stop stop)
        : changes_(changes), tornBytes_(tornBytes), stop_(stop) {}

    Outcome<std::string> Read(const std::filesystem::path& path) const override {
        return DiskFiles().Read(path);
    }
    std::optional<std::string> Write(const std::filesystem::path& path,
                                     std::string_view bytes) override {
        return Stopped(path, bytes) ? "stopped" : DiskFiles().Write(path, bytes);
    }
    std::optional<std::string> Remove(const std::filesystem::path& path) override {
        return Stopped() ? "stopped" : DiskFiles().Remove(path);
    }
    std::optional<std::string> SyncFolder(const std::filesystem::path& folder) override {
        return Stopped() ? "stopped" : DiskFiles().SyncFolder(folder);
    }
    Outcome<FolderLock> LockFolder(const std::filesystem::path& folder,
                                   FolderLock::Kind kind) const override {
        return DiskFiles().LockFolder(folder, kind);
    }

  private:
    // Whether this change is past the stop; at the stop itself, the torn write `path` is made.
    bool Stopped(const std::filesystem::path& path = {}, std::string_view bytes = {});

    std::size_t changes_;
    std::size_t tornBytes_;
    Stop stop_;
    std::size_t made_ = 0;
};

// What a save of `bytes` over the file leaves when the program is killed half way through
// writing it: the file torn, and the journal that puts it back beside it. `label` names the
// file in messages.
void LeaveSaveCutShort(const std::filesystem::path& path, const std::string& label,
                       std::string_view bytes);

}  // namespace kalverin::testing
