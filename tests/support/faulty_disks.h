#pragma once

// The real disk with a fault planted in it: one that fills up at a given byte, a folder the user
// may not write to, or a save on it cut short, as when the program is killed.

#include <algorithm>
#include <cstddef>

#include "catalogue/file_store.h"
#include "catalogue/replace_files.h"
#include "support/memory_files.h"

namespace kalverin::testing {

// The real file system with one write fault, for proving that a failed save loses nothing. Bytes
// are counted across the writes; the write that would put byte `failAt` (from 0) on disk writes
// only the bytes before it and fails as a full disk does. The writes after it go through, as
// once its space is freed, unless the disk stays full: then each empties its file and fails.
// The save journal is written past the count, so that every byte of the files saved is a point
// of failure.
// A folder the user may not write to refuses each write with `error` before the file is touched,
// or only the writes that would make a file (so no journal either).
class FaultyDiskFiles final : public DiskFileStore {
  public:
    enum class AfterFault { SpaceFreed, StaysFull };
    struct Refusal {
        int error;
        bool newFilesOnly;
    };

    explicit FaultyDiskFiles(std::size_t failAt, AfterFault after = AfterFault::SpaceFreed)
        : failAt_(failAt), after_(after) {}
    explicit FaultyDiskFiles(Refusal refusal) : failAt_(SIZE_MAX), refusal_(refusal) {}

    std::optional<std::string> Write(const std::filesystem::path& path,
                                     std::string_view bytes) override {
        if (refusal_ && (!refusal_->newFilesOnly || !std::filesystem::exists(path))) {
            return WriteFailureReason(refusal_->error);
        }
        std::size_t fits = bytes.size();
        if (path.filename() != kJournalName && failed_ && after_ == AfterFault::StaysFull) {
            fits = 0;
        } else if (path.filename() != kJournalName && !failed_) {
            fits = std::min(fits, failAt_ - written_);
            written_ += fits;
        }
        // The bytes that fit reach the disk as the program writes them, so that a save meets
        // the real write's handling of new, longer and shorter files.
        if (auto failure = DiskFileStore::Write(path, bytes.substr(0, fits))) {
            return failure;
        }
        // A file that does not fit is left cut short.
        failed_ = failed_ || fits < bytes.size();
        return fits < bytes.size() ? std::optional<std::string>("No space left on device")
                                   : std::nullopt;
    }

  private:
    std::size_t failAt_;
    AfterFault after_ = AfterFault::SpaceFreed;
    std::optional<Refusal> refusal_;
    std::size_t written_ = 0;
    bool failed_ = false;
};

// What a save of `bytes` over the file leaves when the program is killed half way through
// writing it: the file torn, and the journal that puts it back beside it. `label` names the
// file in messages.
inline void LeaveSaveCutShort(const std::filesystem::path& path, const std::string& label,
                              std::string_view bytes) {
    MemoryFiles disk;
    if (auto old = DiskFiles().Read(path)) {
        disk.Write(path, old.value());
    }
    // The journal is written, its folder flushed, and then the file is written.
    CrashingFiles killed(disk, CrashingFiles::Crash::Kill, 1, 2);
    ReplaceFiles(killed, {{path, label, std::string(bytes)}});
    for (const auto& file : {path, path.parent_path() / kJournalName}) {
        if (const std::string* lasted = killed.lasting().Find(file)) {
            DiskFiles().Write(file, *lasted);
        }
    }
}

}  // namespace kalverin::testing
