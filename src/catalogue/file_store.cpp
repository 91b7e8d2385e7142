#include "catalogue/file_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

namespace kalverin {
namespace {

// A save holds its folder's lock for milliseconds; one held longer belongs to a program that
// hangs, and waiting on it for ever would hang this one too.
constexpr auto kLockWait = std::chrono::seconds(5);
constexpr auto kLockRetry = std::chrono::milliseconds(5);

std::string SystemReason(int error) {
    return error != 0 ? std::strerror(error) : "unknown error";
}

Outcome<void> Failed(int error) {
    return Outcome<void>::Failure(WriteFailureReason(error), error);
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
    // Closes it, as ::close does; its error may be the first a write reports.
    int Close() { return ::close(std::exchange(descriptor_, -1)); }

  private:
    int descriptor_;
};

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

}  // namespace

template <typename Call>
auto DiskFileStore::System(std::string_view call, const std::filesystem::path& path,
                           Call make) const {
    if (const int fault = FaultBefore(call, path)) {
        errno = fault;
        return decltype(make())(-1);
    }
    return make();
}

Outcome<std::string> DiskFileStore::ReadUpTo(const std::filesystem::path& path,
                                             std::size_t limit) const {
    using Result = Outcome<std::string>;
    // Opened without waiting: a named pipe in a file's place would otherwise hold the
    // program until something wrote to it.
    Descriptor file(System(
        "open", path, [&] { return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC); }));
    if (file.get() < 0) {
        return Result::Failure(SystemReason(errno));
    }
    struct stat status {};
    if (System("fstat", path, [&] { return ::fstat(file.get(), &status); }) != 0) {
        return Result::Failure(SystemReason(errno));
    }
    if (!S_ISREG(status.st_mode)) {
        return Result::Failure(NotAFile(status.st_mode));
    }
    std::string bytes;
    if (static_cast<std::size_t>(status.st_size) <= limit) {
        bytes.reserve(static_cast<std::size_t>(status.st_size));
    }
    char buffer[64 * 1024];
    while (true) {
        const ssize_t got =
            System("read", path, [&] { return ::read(file.get(), buffer, sizeof buffer); });
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
        if (bytes.size() > limit) {
            return Result::Failure("it is larger than " + std::to_string(limit >> 20) + " MiB");
        }
    }
}

PathKind DiskFileStore::Kind(const std::filesystem::path& path) const {
    struct stat status {};
    if (System("stat", path, [&] { return ::stat(path.c_str(), &status); }) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? PathKind::None : PathKind::File;
    }
    return S_ISREG(status.st_mode) ? PathKind::File : PathKind::Other;
}

Outcome<void> DiskFileStore::Write(const std::filesystem::path& path, std::string_view bytes) {
    // An existing file is written over in place and then cut to length, so that it keeps
    // its identity, permissions and links; emptying it on opening would also make the file
    // system free and journal its blocks, which can hold up each write by milliseconds.
    // Opened without waiting, as a named pipe with no reader would never open.
    Descriptor file(System("open to write", path, [&] {
        return ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    }));
    if (file.get() < 0) {
        return Failed(errno);
    }
    struct stat status {};
    if (System("fstat", path, [&] { return ::fstat(file.get(), &status); }) != 0) {
        return Failed(errno);
    }
    const int flags = System("fcntl", path, [&] { return ::fcntl(file.get(), F_GETFL); });
    if (flags >= 0) {
        System("fcntl", path, [&] { return ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK); });
    }
    // As many calls as the system takes to write all the bytes.
    for (std::string_view rest = bytes; !rest.empty();) {
        const ssize_t wrote =
            System("write", path, [&] { return ::write(file.get(), rest.data(), rest.size()); });
        if (wrote < 0 && errno != EINTR) {
            return Failed(errno);
        }
        rest.remove_prefix(wrote < 0 ? 0 : static_cast<std::size_t>(wrote));
    }
    // A device has no length to cut and nothing to flush.
    if (S_ISREG(status.st_mode)) {
        const auto length = static_cast<off_t>(bytes.size());
        if (System("ftruncate", path, [&] { return ::ftruncate(file.get(), length); }) != 0) {
            return Failed(errno);
        }
        // Written is not saved until the disk has it: a fault the disk reports only now
        // is as much a failed save as one reported by the write.
        if (System("fsync", path, [&] { return ::fsync(file.get()); }) != 0) {
            return Failed(errno);
        }
    }
    if (System("close", path, [&] { return file.Close(); }) != 0) {
        return Failed(errno);
    }
    return {};
}

Outcome<void> DiskFileStore::Remove(const std::filesystem::path& path) {
    if (System("unlink", path, [&] { return ::unlink(path.c_str()); }) != 0 && errno != ENOENT) {
        return Failed(errno);
    }
    return {};
}

Outcome<void> DiskFileStore::SyncFolder(const std::filesystem::path& folder) {
    Descriptor directory(System("open folder", folder, [&] {
        return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }));
    if (directory.get() < 0) {
        return Failed(errno);
    }
    // Some file systems keep no folder to flush, and say so with EINVAL.
    if (System("fsync folder", folder, [&] { return ::fsync(directory.get()); }) != 0 &&
        errno != EINVAL) {
        return Failed(errno);
    }
    return {};
}

// The lock is taken on the folder itself, so that no lock file is left beside the user's
// files and a folder the user may not create files in can be locked too.
Outcome<FolderLock> DiskFileStore::LockFolder(const std::filesystem::path& folder,
                                              FolderLock::Kind kind) const {
    using Result = Outcome<FolderLock>;
    const int descriptor = System("open folder", folder, [&] {
        return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    });
    if (descriptor < 0 && (errno == ENOENT || errno == ENOTDIR)) {
        // No folder, no files in it to keep consistent; what is done there fails on its own.
        return FolderLock();
    }
    // Unlocked, another program's save could go over this one's, or be read half done: a folder
    // that cannot be locked (one the user may not list, a file system without locks) is left
    // alone.
    auto cannot = [](int error) {
        return Result::Failure("its folder cannot be locked against other programs' saves (" +
                               SystemReason(error) + ")");
    };
    if (descriptor < 0) {
        return cannot(errno);
    }
    FolderLock lock(descriptor);
    const int operation = (kind == FolderLock::Kind::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    const auto giveUp = std::chrono::steady_clock::now() + kLockWait;
    while (System("flock", folder, [&] { return ::flock(descriptor, operation); }) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return cannot(errno);
        }
        if (std::chrono::steady_clock::now() > giveUp) {
            return Result::Failure("another program kept its folder locked for 5 seconds");
        }
        std::this_thread::sleep_for(kLockRetry);
    }
    return lock;
}

bool DiskFileStore::CanWrite(const std::filesystem::path& folder) const {
    return System("access", folder, [&] { return ::access(folder.c_str(), W_OK); }) == 0;
}

Outcome<void> DiskFileStore::CreateFolder(const std::filesystem::path& folder) {
    std::filesystem::path made;
    for (const std::filesystem::path& part : folder) {
        made /= part;
        if (System("mkdir", made, [&] { return ::mkdir(made.c_str(), 0777); }) != 0 &&
            errno != EEXIST) {
            return Failed(errno);
        }
    }
    return {};
}

Outcome<void> DiskFileStore::Rename(const std::filesystem::path& from,
                                    const std::filesystem::path& to) {
    // rename() would put a folder in the place of an empty one.
    if (Kind(to) != PathKind::None) {
        return Failed(EEXIST);
    }
    if (System("rename", from, [&] { return ::rename(from.c_str(), to.c_str()); }) != 0) {
        return Failed(errno);
    }
    return {};
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
            ". This folder is read-only for you; to edit rules data kept there, copy the folder "
            "to one of your own and start Kalverin with --data on the copy";
    }
    return reason;
}

FileStore& DiskFiles() {
    static DiskFileStore disk;
    return disk;
}

}  // namespace kalverin
