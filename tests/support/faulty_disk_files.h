#pragma once

#include <cstddef>

#include "catalogue/file_store.h"

namespace kalverin::testing {

// The real file system with one write fault, for proving that a failed save loses nothing. Bytes
// are counted across the writes; the write that would put byte `failAt` (from 0) on disk writes
// only the bytes before it and fails as a full disk does. The writes after it go through, as
// once its space is freed, unless the disk stays full: then each empties its file and fails.
// Writes are not flushed, or a loop over every byte would take half a minute; the save journal
// is written past the count, so that every byte of the files saved is a point of failure.
class FaultyDiskFiles final : public FileStore {
  public:
    enum class AfterFault { SpaceFreed, StaysFull };

    explicit FaultyDiskFiles(std::size_t failAt, AfterFault after = AfterFault::SpaceFreed)
        : failAt_(failAt), after_(after) {}

    Outcome<std::string> Read(const std::filesystem::path& path) const override {
        return DiskFiles().Read(path);
    }
    std::optional<std::string> Write(const std::filesystem::path& path,
                                     std::string_view bytes) override;
    std::optional<std::string> Remove(const std::filesystem::path& path) override {
        return DiskFiles().Remove(path);
    }
    Outcome<FolderLock> LockFolder(const std::filesystem::path& folder,
                                   FolderLock::Kind kind) const override {
        return DiskFiles().LockFolder(folder, kind);
    }

  private:
    std::size_t failAt_;
    AfterFault after_;
    std::size_t written_ = 0;
    bool failed_ = false;
};

}  // namespace kalverin::testing
