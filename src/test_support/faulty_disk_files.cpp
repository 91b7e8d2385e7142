#include "test_support/faulty_disk_files.h"

#include "catalogue/replace_files.h"

namespace kalverin::testing {

Outcome<std::string> FaultyDiskFiles::Read(const std::filesystem::path& path) const {
    return DiskFiles().Read(path);
}

std::optional<std::string> FaultyDiskFiles::Write(const std::filesystem::path& path,
                                                  std::string_view bytes) {
    if (path.filename() == kJournalName) {
        return DiskFiles().Write(path, bytes);
    }
    if (failed_ && after_ == AfterFault::StaysFull && !bytes.empty()) {
        DiskFiles().Write(path, "");
        return "No space left on device";
    }
    if (failed_ || written_ + bytes.size() <= failAt_) {
        written_ += bytes.size();
        return DiskFiles().Write(path, bytes);
    }
    failed_ = true;
    failedPath_ = path;
    // The bytes that still fit reach the disk, so the file is left truncated mid-way.
    if (auto failure = DiskFiles().Write(path, bytes.substr(0, failAt_ - written_))) {
        return failure;
    }
    written_ = failAt_;
    return "No space left on device";
}

std::optional<std::string> FaultyDiskFiles::Remove(const std::filesystem::path& path) {
    return DiskFiles().Remove(path);
}

}  // namespace kalverin::testing
