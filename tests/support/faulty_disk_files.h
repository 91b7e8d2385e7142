#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/file_store.h"

namespace kalverin::testing {

// The real file system with one write fault, for proving that a failed save loses nothing.
// Bytes are counted across every write; the write that would put byte `failAt` (counting from 0)
// on disk writes only the bytes before it and fails with "No space left on device", as a full
// disk does. Only that write fails: the writes after it, such as those that put earlier bytes
// back, go through, as they would once the failed write's space is freed; unless the disk stays
// full, when every later write empties its file and fails as well.
//
// Writes are not flushed to the disk: these tests count bytes, not power cuts, and a flush per
// write would make each loop take half a minute. The save journal is written past the count: its
// own failures are tested apart, and here every byte of the data files is a point of failure.
//
// A test loops `failAt` from 0 upward until the save succeeds, checking the files after every
// failure; the save succeeds exactly when `failAt` reaches the number of bytes it writes.
class FaultyDiskFiles final : public FileStore {
  public:
    enum class AfterFault { SpaceFreed, StaysFull };

    explicit FaultyDiskFiles(std::size_t failAt, AfterFault after = AfterFault::SpaceFreed)
        : failAt_(failAt), after_(after) {}

    Outcome<std::string> Read(const std::filesystem::path& path) const override;
    std::optional<std::string> Write(const std::filesystem::path& path,
                                     std::string_view bytes) override;
    std::optional<std::string> Remove(const std::filesystem::path& path) override;
    Outcome<FolderLock> LockFolder(const std::filesystem::path& folder,
                                   FolderLock::Kind kind) const override {
        return DiskFiles().LockFolder(folder, kind);
    }

    // Whether the fault has happened.
    bool failed() const { return failed_; }
    // The file whose write failed, once it has.
    const std::filesystem::path& failedPath() const { return failedPath_; }

  private:
    std::size_t failAt_;
    AfterFault after_;
    std::size_t written_ = 0;
    bool failed_ = false;
    std::filesystem::path failedPath_;
};

}  // namespace kalverin::testing
