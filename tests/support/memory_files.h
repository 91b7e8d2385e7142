#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include "catalogue/file_store.h"

namespace kalverin::testing {

// Files held in memory; a path never written reads as "No such file or directory", as on disk.
class MemoryFiles final : public FileStore {
  public:
    Outcome<std::string> ReadUpTo(const std::filesystem::path& path, std::size_t) const override {
        const std::string* bytes = Find(path);
        return bytes ? Outcome(*bytes) : Outcome<std::string>::Failure("No such file or directory");
    }
    PathKind Kind(const std::filesystem::path& path) const override {
        return Find(path) ? PathKind::File : PathKind::None;
    }
    Outcome<void> Write(const std::filesystem::path& path, std::string_view bytes) override {
        files_[path] = std::string(bytes);
        return {};
    }
    Outcome<void> Remove(const std::filesystem::path& path) override {
        files_.erase(path);
        return {};
    }

    const std::string* Find(const std::filesystem::path& path) const {
        auto found = files_.find(path);
        return found == files_.end() ? nullptr : &found->second;
    }

  private:
    std::map<std::filesystem::path, std::string> files_;
};

// Files in memory as a disk keeps them through a crash at change number `cutAt`: a write there
// leaves none, half or all of its bytes over the old ones, and nothing after it happens. Killed,
// every change before it lasts; on a power cut, writes into existing files last, but a file made
// or removed only once its folder is flushed. A reader waiting for the lock while another
// program's save is cut short finds, once it has the lock, what that crash left.
class CrashingFiles final : public FileStore {
  public:
    enum class Crash { Kill, PowerCut };

    CrashingFiles(const MemoryFiles& disk, Crash crash, int halves, std::size_t cutAt)
        : crash_(crash), halves_(halves), cutAt_(cutAt), seen_(disk), lasting_(disk) {}

    Outcome<std::string> ReadUpTo(const std::filesystem::path& path, std::size_t) const override {
        return seen_.Read(path);
    }
    PathKind Kind(const std::filesystem::path& path) const override { return seen_.Kind(path); }
    Outcome<void> Write(const std::filesystem::path& path, std::string_view bytes) override {
        const std::string* old = lasting_.Find(path);
        const bool lasts = old || crash_ == Crash::Kill;
        if (changes_ == cutAt_ && lasts) {
            const std::size_t torn = bytes.size() * static_cast<std::size_t>(halves_) / 2;
            const std::string_view kept = old ? *old : std::string_view();
            lasting_.Write(path, std::string(bytes.substr(0, torn))
                                     .append(kept.substr(std::min(torn, kept.size()))));
        }
        if (Cut()) {
            return Crashed();
        }
        if (lasts) {
            lasting_.Write(path, bytes);
        }
        return seen_.Write(path, bytes);
    }
    Outcome<void> Remove(const std::filesystem::path& path) override {
        if (Cut()) {
            return Crashed();
        }
        if (crash_ == Crash::Kill) {
            lasting_.Remove(path);
        }
        return seen_.Remove(path);
    }
    Outcome<void> SyncFolder(const std::filesystem::path&) override {
        if (Cut()) {
            return Crashed();
        }
        lasting_ = seen_;  // the one folder of these tests
        return {};
    }
    Outcome<FolderLock> LockFolder(const std::filesystem::path&, FolderLock::Kind) const override {
        if (afterLock_) {
            seen_ = lasting_ = *std::exchange(afterLock_, std::nullopt);
        }
        return FolderLock();
    }
    void AfterLock(const MemoryFiles& left) { afterLock_ = left; }

    bool crashed() const { return changes_ > cutAt_; }
    // The disk as it is found when the program starts again.
    MemoryFiles& lasting() { return lasting_; }

  private:
    bool Cut() { return changes_++ >= cutAt_; }
    static Outcome<void> Crashed() { return Outcome<void>::Failure("crashed"); }

    Crash crash_;
    int halves_;
    std::size_t cutAt_;
    std::size_t changes_ = 0;
    mutable MemoryFiles seen_;
    mutable MemoryFiles lasting_;
    mutable std::optional<MemoryFiles> afterLock_;
};

}  // namespace kalverin::testing
