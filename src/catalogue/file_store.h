#pragma once

// Whole-file reads and writes. Every file the program touches is read or written completely
// within one operation; writers go through a FileStore so that tests can make a write fail.

#include <filesystem>
#include <string>
#include <string_view>

#include "catalogue/outcome.h"

namespace kalverin {

// No data or weapon file comes near this; a larger one is refused rather than read.
inline constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

// An advisory lock on a folder, held until it is destroyed. Saves hold it exclusively and
// readers shared, so that no one reads a set of files while a save is half way through it.
// An empty lock holds nothing, as for a folder that is not there.
class FolderLock {
  public:
    enum class Kind { Shared, Exclusive };

    FolderLock() = default;
    explicit FolderLock(int descriptor) : descriptor_(descriptor) {}
    FolderLock(FolderLock&& other) noexcept : descriptor_(other.descriptor_) {
        other.descriptor_ = -1;
    }
    FolderLock& operator=(FolderLock&& other) noexcept;
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock();

  private:
    int descriptor_ = -1;
};

// What a path names: nothing, a regular file, or something else (a folder, a device, a pipe).
enum class PathKind { None, File, Other };

class FileStore {
  public:
    virtual ~FileStore() = default;
    // The file's bytes, or why they cannot be had ("No such file or directory"). Only regular
    // files are read: a named pipe or a device is refused without waiting on it, and so is a
    // file larger than `limit`.
    virtual Outcome<std::string> ReadUpTo(const std::filesystem::path& path,
                                          std::size_t limit) const = 0;
    Outcome<std::string> Read(const std::filesystem::path& path) const {
        return ReadUpTo(path, kMaxFileBytes);
    }
    // What the path names; a path that cannot be looked at counts as a file, so that reading it
    // says why.
    virtual PathKind Kind(const std::filesystem::path& path) const = 0;
    // Creates or truncates the file, writes it whole and makes its bytes last through a power
    // cut, or says why it failed.
    virtual Outcome<void> Write(const std::filesystem::path& path, std::string_view bytes) = 0;
    // Removes the file, or says why it could not; a file that is not there is no failure.
    virtual Outcome<void> Remove(const std::filesystem::path& path) = 0;
    // Makes the files created and removed in the folder last through a power cut.
    virtual Outcome<void> SyncFolder(const std::filesystem::path&) { return {}; }
    // The folder's lock, or why it cannot be had: another program held it for seconds, or the
    // folder cannot be locked at all. A folder that is not there gives an empty lock.
    virtual Outcome<FolderLock> LockFolder(const std::filesystem::path&, FolderLock::Kind) const {
        return FolderLock();
    }
    // Whether the user may make and change files in the folder.
    virtual bool CanWrite(const std::filesystem::path&) const { return true; }
    // Makes the folder and the folders it is in that are not there yet.
    virtual Outcome<void> CreateFolder(const std::filesystem::path&) { return {}; }
    // Gives a file or a folder another name; a path already at `to` is a failure, never
    // replaced.
    virtual Outcome<void> Rename(const std::filesystem::path&, const std::filesystem::path&) {
        return Outcome<void>::Failure("this store keeps no folders");
    }
};

// The real file system; not final, so that a disk with a planted fault can be built on it.
class DiskFileStore : public FileStore {
  public:
    Outcome<std::string> ReadUpTo(const std::filesystem::path& path,
                                  std::size_t limit) const override;
    PathKind Kind(const std::filesystem::path& path) const override;
    Outcome<void> Write(const std::filesystem::path& path, std::string_view bytes) override;
    Outcome<void> Remove(const std::filesystem::path& path) override;
    Outcome<void> SyncFolder(const std::filesystem::path& folder) override;
    Outcome<FolderLock> LockFolder(const std::filesystem::path& folder,
                                   FolderLock::Kind kind) const override;
    bool CanWrite(const std::filesystem::path& folder) const override;
    Outcome<void> CreateFolder(const std::filesystem::path& folder) override;
    Outcome<void> Rename(const std::filesystem::path& from,
                         const std::filesystem::path& to) override;

  protected:
    // Asked before each system call, by the call ("open to write", "fsync", "flock") and the
    // path it is for: an error number fails the call with it, as the system would; 0 makes the
    // call. A disk with a planted fault answers here.
    virtual int FaultBefore(std::string_view, const std::filesystem::path&) const { return 0; }

  private:
    template <typename Call>
    auto System(std::string_view call, const std::filesystem::path& path, Call make) const;
};

// The store of the real file system that the program reads and writes through.
FileStore& DiskFiles();

// Why a write failed, from the system's error number, as a message shows it. Where the user
// may not write at all, it says where the data can be edited instead: the Data folder of an
// install for the whole system belongs to the system.
std::string WriteFailureReason(int error);

}  // namespace kalverin
