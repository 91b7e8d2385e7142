#include "catalogue/file_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace kalverin {
namespace {

// A save holds its folder's lock for milliseconds; one held longer belongs to a program that
// hangs, and waiting on it for ever would hang this one too.
constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kLockRetry = std::chrono::milliseconds(5);

std::string SystemReason(int error) {
    return error != 0 ? std::strerror(error) : "unknown error";
}

class Descriptor {
  public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    int get() const { return descriptor_; }
    // Closes it and gives the error of the close, which may be the first a write reports.
    int Close() {
        const int closed = ::close(descriptor_);
        descriptor_ = -1;
        return closed == 0 ? 0 : errno;
    }

  private:
    int descriptor_;
};

Outcome<void> Failed(int error) {
    return Outcome<void>::Failure(WriteFailureReason(error));
}

// What a path names when it is not a file, as a message says it.
std::string NotAFile(mode_t mode) {
    if (S_ISDIR(mode)) {
        return SystemReason(EISDIR);
    }
    if (S_ISFIFO(mode)) {
        return "it is a named pipe, not a file";
    }
    if (S_ISSOCK(mode)) {
        return "it is a socket, not a file";
    }
    return "it is a device, not a file";
}

// Writes all the bytes, as many calls as the system takes; 0, or the error number.
int WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(descriptor, bytes.data(), bytes.size());
        if (wrote < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return 0;
}

}  // namespace

Outcome<std::string> DiskFileStore::Read(const std::filesystem::path& path) const {
    using Result = Outcome<std::string>;
    // Opened without waiting: a named pipe in a file's place would otherwise hold the
    // program until something wrote to it.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        return Result::Failure(SystemReason(errno));
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        return Result::Failure(SystemReason(errno));
    }
    if (!S_ISREG(status.st_mode)) {
        return Result::Failure(NotAFile(status.st_mode));
    }
    std::string bytes;
    if (static_cast<std::size_t>(status.st_size) <= kMaxFileBytes) {
        bytes.reserve(static_cast<std::size_t>(status.st_size));
    }
    char buffer[64 * 1024];
    while (true) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return Result::Failure(SystemReason(errno));
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > kMaxFileBytes) {
            return Result::Failure("it is larger than 16 MiB");
        }
    }
}

Outcome<void> DiskFileStore::Write(const std::filesystem::path& path, std::string_view bytes) {
    // An existing file is written over in place and then cut to length, so that it keeps
    // its identity, permissions and links; emptying it on opening would also make the file
    // system free and journal its blocks, which can hold up each write by milliseconds.
    // Opened without waiting, as a named pipe with no reader would never open.
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666));
    if (file.get() < 0) {
        return Failed(errno);
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        return Failed(errno);
    }
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags >= 0) {
        ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK);
    }
    if (int error = WriteAll(file.get(), bytes)) {
        return Failed(error);
    }
    // A device has no length to cut and nothing to flush.
    if (S_ISREG(status.st_mode)) {
        if (::ftruncate(file.get(), static_cast<off_t>(bytes.size())) != 0) {
            return Failed(errno);
        }
        // Written is not saved until the disk has it: a fault the disk reports only now
        // is as much a failed save as one reported by the write.
        if (::fsync(file.get()) != 0) {
            return Failed(errno);
        }
    }
    if (int error = file.Close()) {
        return Failed(error);
    }
    return {};
}

Outcome<void> DiskFileStore::Remove(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        return Failed(errno);
    }
    return {};
}

Outcome<void> DiskFileStore::SyncFolder(const std::filesystem::path& folder) {
    Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() < 0) {
        return Failed(errno);
    }
    // Some file systems keep no folder to flush, and say so with EINVAL.
    if (::fsync(directory.get()) != 0 && errno != EINVAL) {
        return Failed(errno);
    }
    return {};
}

// The lock is taken on the folder itself, so that no lock file is left beside the user's
// files and a folder the user may not create files in can be locked too.
Outcome<FolderLock> DiskFileStore::LockFolder(const std::filesystem::path& folder,
                                              FolderLock::Kind kind) const {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        // No folder, no files in it to keep consistent; what is done there fails on its own.
        return FolderLock();
    }
    FolderLock lock(descriptor);
    const int operation = (kind == FolderLock::Kind::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    const auto giveUp = std::chrono::steady_clock::now() + kLockWait;
    while (::flock(descriptor, operation) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            // A file system without locks: go on as a program alone would.
            return FolderLock();
        }
        if (std::chrono::steady_clock::now() > giveUp) {
            return Outcome<FolderLock>::Failure(
                "another program kept its folder locked for 5 seconds");
        }
        std::this_thread::sleep_for(kLockRetry);
    }
    return lock;
}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
        descriptor_ = other.descriptor_;
        other.descriptor_ = -1;
    }
    return *this;
}

FolderLock::~FolderLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

std::string WriteFailureReason(int error) {
    std::string reason = SystemReason(error);
    if (error == EACCES || error == EPERM || error == EROFS) {
        reason +=
            ". This folder is read-only for you, as the Data folder of a system-wide install is; "
            "to edit the rules data, run Kalverin from a portable folder that you unpacked "
            "yourself";
    }
    return reason;
}

FileStore& DiskFiles() {
    static DiskFileStore disk;
    return disk;
}

}  // namespace kalverin
