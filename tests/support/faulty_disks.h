#pragma once

#include <cerrno>

#include "catalogue/replace_files.h"
#include "support/memory_files.h"

namespace kalverin::testing {

// The real disk, full at byte `failAt` of the writes (the journal's left out, so every byte saved
// can fail): that write puts the bytes before it and fails; later ones go through, as once space
// is freed, or empty their file and fail if it stays full. Or a folder refusing, as the system
// says it, every write, each new file or its lock; or one folder the user may not change at all.
class FaultyDiskFiles final : public DiskFileStore {
  public:
    enum class AfterFault { SpaceFreed, StaysFull };
    struct Refusal {
        int error;
        enum class Of { Writes, NewFiles, Locks } of;
        std::filesystem::path in;  // the one folder refusing every change, when not empty
    };

    explicit FaultyDiskFiles(std::size_t failAt, AfterFault after = AfterFault::SpaceFreed)
        : failAt_(failAt), after_(after) {}
    explicit FaultyDiskFiles(Refusal refusal) : failAt_(SIZE_MAX), refusal_(refusal) {}

    Outcome<void> Write(const std::filesystem::path& path, std::string_view bytes) override {
        std::size_t fits = bytes.size();
        if (path.filename() != kJournalName && failed_ && after_ == AfterFault::StaysFull) {
            fits = 0;
        } else if (path.filename() != kJournalName && !failed_) {
            fits = std::min(fits, failAt_ - written_);
            written_ += fits;
        }
        // The bytes that fit reach the disk as the program writes them, so that a save meets
        // the real write's handling of new, longer and shorter files.
        if (auto written = DiskFileStore::Write(path, bytes.substr(0, fits)); !written) {
            return written;
        }
        // A file that does not fit is left cut short.
        failed_ = failed_ || fits < bytes.size();
        return fits < bytes.size() ? Outcome<void>::Failure("No space left on device", ENOSPC)
                                   : Outcome<void>();
    }

  protected:
    int FaultBefore(std::string_view call, const std::filesystem::path& path) const override {
        using Of = Refusal::Of;
        if (refusal_ && !refusal_->in.empty()) {
            const bool changes = call == "access" || call == "open to write" || call == "unlink" ||
                                 call == "mkdir" || call == "rename";
            return changes && (path == refusal_->in || path.parent_path() == refusal_->in)
                       ? refusal_->error
                       : 0;
        }
        const bool refused =
            refusal_ && (refusal_->of == Of::Locks
                             ? call == "flock"
                             : call == "open to write" &&
                                   (refusal_->of == Of::Writes || !std::filesystem::exists(path)));
        return refused ? refusal_->error : 0;
    }

  private:
    std::size_t failAt_;
    AfterFault after_ = AfterFault::SpaceFreed;
    std::optional<Refusal> refusal_;
    std::size_t written_ = 0;
    bool failed_ = false;
};

// What a save of `bytes` (`label` in messages) leaves when the program is killed half way through
// writing the file: the file torn, and beside it the journal that puts it back.
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
