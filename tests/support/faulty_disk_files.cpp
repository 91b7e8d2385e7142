#include "support/faulty_disk_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "catalogue/replace_files.h"

namespace kalverin::testing {

std::optional<std::string> FaultyDiskFiles::Write(const std::filesystem::path& path,
                                                  std::string_view bytes) {
    std::size_t fits = bytes.size();
    if (path.filename() != kJournalName && failed_ && after_ == AfterFault::StaysFull) {
        fits = 0;
    } else if (path.filename() != kJournalName && !failed_) {
        fits = std::min(fits, failAt_ - written_);
        written_ += fits;
    }
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file < 0) {
        return WriteFailureReason(errno);
    }
    const bool wrote = ::write(file, bytes.data(), fits) == static_cast<ssize_t>(fits);
    const int error = errno;
    ::close(file);
    if (!wrote) {
        return WriteFailureReason(error);
    }
    // The bytes that fit reach the disk, so a file that does not is left cut short.
    failed_ = failed_ || fits < bytes.size();
    return fits < bytes.size() ? std::optional<std::string>("No space left on device")
                               : std::nullopt;
}

}  // namespace kalverin::testing
