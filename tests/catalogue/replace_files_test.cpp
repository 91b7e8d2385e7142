// Saves against a disk failing at any byte or system call, a kill or power cut at any point and a
// second program saving at once: each leaves the files as they were or as saved, once the next
// read has rolled back what a crash left.

#include "catalogue/replace_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "catalogue/data_folder.h"
#include "support/memory_files.h"
#include "support/temp_folder.h"

namespace kalverin {
namespace {

using testing::CrashingFiles;
using testing::TempFolder;
using Files = std::map<std::string, std::optional<std::string>>;  // by name; nothing: absent

void Put(const std::filesystem::path& folder, const Files& set, FileStore& into) {
    for (const auto& [name, bytes] : set) {
        if (bytes) {
            into.Write(folder / name, *bytes);
        }
    }
}

// A save, as the files of one folder before and after it.
struct Save {
    Files before, after;
};

std::vector<Save> Saves() {
    Files data;
    for (std::string_view name : kDataFiles) {
        data[std::string(name)] = testing::ReadFileBytes(testing::BundledData() / name);
    }
    // Files longer and shorter than they were, as the editors write them, and a new weapon file.
    Files saved = data;
    *saved["Modifications.txt"] += "\"after the records\"\r\n";
    std::erase(*saved["MaxLevel.txt"], '\r');
    std::erase(*saved["Details.txt"], '\r');
    Files frames = data;
    std::erase(*frames["Frames.txt"], '\r');
    return {
        {data, saved}, {data, frames}, {{{"Gun.wpn", std::nullopt}}, {{"Gun.wpn", "\"Gun\"\r\n"}}}};
}

std::vector<FileReplacement> Replacements(const std::filesystem::path& folder, const Save& save,
                                          bool checked = false) {
    std::vector<FileReplacement> replacements;
    for (const auto& [name, bytes] : save.after) {
        if (bytes != save.before.at(name)) {
            replacements.push_back({folder / name, "Data/" + name, *bytes,
                                    checked ? save.before.at(name) : std::nullopt});
        }
    }
    return replacements;
}

// Which set the folder holds: "old", "new", or what is wrong with it.
std::string Holds(const FileStore& files, const std::filesystem::path& folder, const Save& save) {
    if (files.Kind(folder / kJournalName) != PathKind::None) {
        return "a journal left over";
    }
    bool old = true, saved = true;
    for (const auto& [name, before] : save.before) {
        auto read = files.Read(folder / name);
        const auto bytes = read ? std::optional(read.value()) : std::nullopt;
        old = old && bytes == before;
        saved = saved && bytes == save.after.at(name);
    }
    return old ? "old" : saved ? "new" : "torn or mixed";
}

TEST(ReplaceFilesTest, AKillOrAPowerCutAtAnyStepOfASaveOrOfItsRecoveryLosesNoSet) {
    const std::filesystem::path folder = "/program/Data";
    std::size_t states = 0;  // docs/reliability.md quotes it
    for (const Save& save : Saves()) {
        testing::MemoryFiles before;
        Put(folder, save.before, before);
        for (const auto crash : {CrashingFiles::Crash::Kill, CrashingFiles::Crash::PowerCut}) {
            for (const int halves : {0, 1, 2}) {
                for (std::size_t cut = 0;; ++cut) {
                    CrashingFiles disk(before, crash, halves, cut);
                    auto saved = ReplaceFiles(disk, Replacements(folder, save));
                    if (!disk.crashed()) {
                        EXPECT_TRUE(saved) << saved.error();
                        EXPECT_EQ(Holds(disk.lasting(), folder, save), "new");
                        break;
                    }
                    ASSERT_LT(cut, 20U) << "the save never ends";
                    // A reader waited for the lock meanwhile, and may crash the same way while it
                    // rolls the save back; what it reads, and then the disk, is one set.
                    for (std::size_t again = 0;; ++again) {
                        CrashingFiles recovery(before, crash, halves, again);
                        recovery.AfterLock(disk.lasting());
                        GuardedFolder(recovery, folder, "Data").StartReading();
                        const std::string read =
                            recovery.crashed() ? "nothing" : Holds(recovery, folder, save);
                        GuardedFolder(recovery.lasting(), folder, "Data").StartReading();
                        const std::string held = Holds(recovery.lasting(), folder, save);
                        EXPECT_TRUE((read == "nothing" || read == held) &&
                                    (held == "old" || held == "new"))
                            << (crash == CrashingFiles::Crash::Kill ? "killed" : "power cut")
                            << " at step " << cut << " (" << halves << " halves written), then at "
                            << again << ": read " << read << ", then " << held;
                        ++states;
                        if (!recovery.crashed()) {
                            break;
                        }
                    }
                }
            }
        }
    }
    std::printf("Crashes: %zu states checked.\n", states);
}

// The real disk with the `at`-th system call of a save failing with `error`, once or from then on;
// a data file is opened to write only with its folder locked and the journal on disk, unless
// the folder refused the journal.
struct FailingCall final : DiskFileStore {
    FailingCall(std::size_t at, int error, bool onward) : at_(at), error_(error), onward_(onward) {}
    int FaultBefore(std::string_view call, const std::filesystem::path& path) const override {
        const bool journal = path.filename() == kJournalName;
        if (call == "open to write" && !journal) {
            const int other = ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
            EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0) << path << " written unlocked";
            ::close(other);
            EXPECT_TRUE(refused_ || std::filesystem::exists(path.parent_path() / kJournalName))
                << path << " written without its journal";
        }
        if (calls_ == at_) {
            call_ = std::string(call) + " " + path.filename().string();
            refused_ = call == "open to write" && journal && (error_ == EACCES || error_ == EROFS);
        }
        const std::size_t index = calls_++;
        return index == at_ || (onward_ && index > at_) ? error_ : 0;
    }

    std::size_t at_;
    int error_;
    bool onward_;
    mutable std::size_t calls_ = 0;
    mutable std::string call_;
    mutable bool refused_ = false;
};

TEST(ReplaceFilesTest, AnySystemCallOfASaveMayFailAndTheMessageSaysWhichSetIsLeft) {
    // In memory where the system has such a disk: every case flushes several times.
    TempFolder folder(std::filesystem::is_directory("/dev/shm")
                          ? "/dev/shm"
                          : std::filesystem::temp_directory_path());
    for (const Save& save : Saves()) {
        for (const int error : {EIO, ENOSPC, EACCES, EROFS}) {
            for (const bool onward : {false, true}) {
                for (std::size_t at = 0;; ++at) {
                    std::filesystem::remove_all(folder.path());
                    std::filesystem::create_directory(folder.path());
                    Put(folder.path(), save.before, DiskFiles());
                    SCOPED_TRACE(std::string(std::strerror(error)) + (onward ? " from" : " at") +
                                 " call " + std::to_string(at));
                    FailingCall disk(at, error, onward);
                    auto saved = ReplaceFiles(disk, Replacements(folder.path(), save));
                    if (disk.calls_ <= disk.at_) {
                        EXPECT_TRUE(saved) << saved.error();
                        break;
                    }
                    // Saved, or written but not made to last: the new set; any other message,
                    // the old one, once the folder is read again.
                    const bool written =
                        saved || saved.error().find(" was written, ") != std::string::npos;
                    GuardedFolder(DiskFiles(), folder.path(), "Data").StartReading();
                    EXPECT_EQ(Holds(DiskFiles(), folder.path(), save), written ? "new" : "old")
                        << disk.call_ << ": " << saved.error();
                }
            }
        }
    }
}

TEST(ReplaceFilesTest, ASaveWaitsForTheLockOfAnotherAndIsRefusedWhenThatChangedItsFiles) {
    const Save save = Saves().front();
    TempFolder program;
    const auto folder = program.path() / "Data";
    std::filesystem::create_directory(folder);
    Put(folder, save.before, DiskFiles());
    // This process saves too, and is half way through: it holds the lock.
    auto lock = DiskFiles().LockFolder(folder, FolderLock::Kind::Exclusive);
    ASSERT_TRUE(lock);
    int said[2];
    ASSERT_EQ(::pipe(said), 0);
    const pid_t other = ::fork();
    if (other == 0) {
        lock.value() = FolderLock();  // the parent's, which a child would keep held
        auto saved = ReplaceFiles(DiskFiles(), Replacements(folder, save, true));
        const std::string outcome = saved ? "saved" : saved.error();
        ::_exit(::write(said[1], outcome.data(), outcome.size()) > 0 ? 0 : 1);
    }
    pollfd waiting{said[0], POLLIN, 0};
    EXPECT_EQ(::poll(&waiting, 1, 300), 0) << "the other save waits for the lock";
    DiskFiles().Write(folder / "Details.txt", "0\r\n");
    lock.value() = FolderLock();
    ::waitpid(other, nullptr, 0);
    char message[512] = {};
    EXPECT_GT(::read(said[0], message, sizeof message - 1), 0);
    EXPECT_STREQ(message,
                 "Data/Details.txt changed since this window read it: close the window and open "
                 "it again to edit the new data. Nothing was saved.");
    EXPECT_EQ(program.Read("Data/Details.txt"), "0\r\n");
}

}  // namespace
}  // namespace kalverin
