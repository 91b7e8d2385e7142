#include "support/faulty_disk_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "catalogue/replace_files.h"

namespace kalverin::testing {
namespace {

// Writes the file over in place and cuts it to length, as the disk store does, but unflushed.
std::optional<std::string> WriteUnflushed(const std::filesystem::path& path,
                                          std::string_view bytes) {
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (file < 0) {
        return WriteFailureReason(errno);
    }
    const auto length = static_cast<off_t>(bytes.size());
    int error = 0;
    while (!bytes.empty() && error == 0) {
        const ssize_t wrote = ::write(file, bytes.data(), bytes.size());
        error = wrote < 0 ? errno : 0;
        bytes.remove_prefix(wrote < 0 ? 0 : static_cast<std::size_t>(wrote));
    }
    if (error == 0 && ::ftruncate(file, length) != 0) {
        error = errno;
    }
    ::close(file);
    return error == 0 ? std::nullopt : std::optional(WriteFailureReason(error));
}

}  // namespace

Outcome<std::string> FaultyDiskFiles::Read(const std::filesystem::path& path) const {
    return DiskFiles().Read(path);
}

std::optional<std::string> FaultyDiskFiles::Write(const std::filesystem::path& path,
                                                  std::string_view bytes) {
    if (path.filename() == kJournalName) {
        return WriteUnflushed(path, bytes);
    }
    if (failed_ && after_ == AfterFault::StaysFull && !bytes.empty()) {
        WriteUnflushed(path, "");
        return "No space left on device";
    }
    if (failed_ || written_ + bytes.size() <= failAt_) {
        written_ += bytes.size();
        return WriteUnflushed(path, bytes);
    }
    failed_ = true;
    failedPath_ = path;
    // The bytes that still fit reach the disk, so the file is left truncated mid-way.
    if (auto failure = WriteUnflushed(path, bytes.substr(0, failAt_ - written_))) {
        return failure;
    }
    written_ = failAt_;
    return "No space left on device";
}

std::optional<std::string> FaultyDiskFiles::Remove(const std::filesystem::path& path) {
    return DiskFiles().Remove(path);
}

}  // namespace kalverin::testing
