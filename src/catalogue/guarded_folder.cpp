#include "catalogue/guarded_folder.h"

#include <utility>

namespace kalverin {

GuardedFolder::GuardedFolder(FileStore& files, std::filesystem::path folder, std::string label)
    : files_(&files), folder_(std::move(folder)), label_(std::move(label)) {}

std::string GuardedFolder::Label(std::string_view name) const {
    return (std::filesystem::path(label_) / name).string();
}

Outcome<std::string> GuardedFolder::Reading::Read(std::string_view name) const {
    if (!unlocked_.empty()) {
        return Outcome<std::string>::Failure(unlocked_);
    }
    return folder_->files_->Read(folder_->folder_ / name);
}

GuardedFolder::Reading GuardedFolder::StartReading() const {
    Reading reading(*this);
    auto lock = files_->LockFolder(folder_, FolderLock::Kind::Shared);
    // Looked for only under the lock: a journal seen before it may be a save still running, and
    // one made while this waited is a save cut short.
    if (lock && files_->Kind(folder_ / kJournalName) != PathKind::None) {
        lock.value() = FolderLock();
        lock = files_->LockFolder(folder_, FolderLock::Kind::Exclusive);
        if (lock) {
            auto putBack = PutBackCutSave(*files_, folder_, Label(kJournalName));
            reading.notice_ = putBack ? PutBackMessage(putBack.value()) : putBack.error();
        }
    }
    if (!lock) {
        reading.unlocked_ = lock.error();
        return reading;
    }
    reading.lock_ = std::move(lock.value());
    return reading;
}

FileReplacement GuardedFolder::Replacing(std::string_view name, std::string bytes,
                                         std::optional<std::string> loaded) const {
    return {folder_ / name, Label(name), std::move(bytes), std::move(loaded)};
}

Outcome<void> GuardedFolder::Save(const std::vector<FileReplacement>& replacements) const {
    return ReplaceFiles(*files_, replacements);
}

}  // namespace kalverin
