// A save against what a user's machine really does: the program killed at any point, the power
// cut at any point, a second program saving at the same time. Each leaves the set of files as
// it was or as it was saved, once the next read has rolled back what a crash left.

#include "catalogue/replace_files.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <map>

#include "catalogue/data_folder.h"
#include "support/memory_files.h"
#include "support/stopping_files.h"
#include "support/temp_folder.h"

namespace kalverin {
namespace {

using testing::TempFolder;
using Files = std::map<std::string, std::optional<std::string>>;  // by name; nothing: absent

std::string WithLfAlone(std::string text) {
    std::erase(text, '\r');
    return text;
}

// A save, as the files of one folder before and after it.
struct Save {
    const char* what;
    Files before;
    Files after;
    bool dataFolder;  // whether the folder must load as a catalogue, old or new
};

std::vector<Save> Saves() {
    Files data;
    for (const char* name :
         {"Frames.txt", "Classes.txt", "Modifications.txt", "MaxLevel.txt", "Details.txt"}) {
        data[name] = testing::ReadFileBytes(testing::BundledData() / name);
    }
    // Files longer and shorter than they were, as the modification editor writes them.
    Files saved = data;
    saved["Modifications.txt"] = *data["Modifications.txt"] + "\"after the records\"\r\n";
    saved["MaxLevel.txt"] = WithLfAlone(*data["MaxLevel.txt"]);
    saved["Details.txt"] = WithLfAlone(*data["Details.txt"]);
    return {
        {"the three modification files", data, saved, true},
        {"a new weapon file", {{"Gun.wpn", std::nullopt}}, {{"Gun.wpn", "\"Gun\"\r\n"}}, false}};
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

void Put(const std::filesystem::path& folder, const Files& set, FileStore& into) {
    for (const auto& [name, bytes] : set) {
        if (bytes) {
            into.Write(folder / name, *bytes);
        }
    }
}

// Which set the folder holds: "old", "new", or what is wrong with it.
std::string Holds(const FileStore& files, const std::filesystem::path& folder, const Save& save) {
    bool old = true;
    bool saved = true;
    for (const auto& [name, before] : save.before) {
        auto now = files.Read(folder / name);
        std::optional<std::string> bytes = now ? std::optional(now.value()) : std::nullopt;
        old = old && bytes == before;
        saved = saved && bytes == save.after.at(name);
    }
    if (files.Read(folder / kJournalName)) {
        return "a journal left over";
    }
    if (save.dataFolder && (old || saved) && !LoadCatalogue(files, folder.parent_path())) {
        return "a Data folder that does not load";
    }
    return old ? "old" : saved ? "new" : "torn or mixed";
}

// Files in memory as a disk keeps them through a power cut. What a write puts in an existing
// file lasts, as the write flushes it; a file created or removed lasts only once its folder is
// flushed. At change number `cutAt` the power fails: a write there leaves its first half over
// the old bytes, and nothing after it reaches the disk.
class PowerCutFiles final : public FileStore {
  public:
    PowerCutFiles(const testing::MemoryFiles& disk, std::size_t cutAt)
        : cutAt_(cutAt), seen_(disk), lasting_(disk) {}

    Outcome<std::string> Read(const std::filesystem::path& path) const override {
        return seen_.Read(path);
    }
    std::optional<std::string> Write(const std::filesystem::path& path,
                                     std::string_view bytes) override {
        const std::string* old = lasting_.Find(path);
        if (Cut()) {
            if (old) {
                const std::size_t half = bytes.size() / 2;
                lasting_.Write(path, std::string(bytes.substr(0, half)) +
                                         old->substr(std::min(half, old->size())));
            }
            return "the power failed";
        }
        if (old) {
            lasting_.Write(path, bytes);
        }
        return seen_.Write(path, bytes);
    }
    std::optional<std::string> Remove(const std::filesystem::path& path) override {
        return Cut() ? "the power failed" : seen_.Remove(path);
    }
    std::optional<std::string> SyncFolder(const std::filesystem::path&) override {
        if (Cut()) {
            return "the power failed";
        }
        lasting_ = seen_;  // the one folder of these tests
        return std::nullopt;
    }

    bool cut() const { return changes_ > cutAt_; }
    // The disk as it is found when the power comes back.
    testing::MemoryFiles& lasting() { return lasting_; }

  private:
    bool Cut() { return changes_++ >= cutAt_; }

    std::size_t cutAt_;
    std::size_t changes_ = 0;
    testing::MemoryFiles seen_;
    testing::MemoryFiles lasting_;
};

TEST(ReplaceFilesTest, APowerCutAtAnyStepOfASaveOrOfItsRecoveryLosesNoSet) {
    const std::filesystem::path folder = "/program/Data";
    std::size_t states = 0;
    for (const Save& save : Saves()) {
        SCOPED_TRACE(save.what);
        testing::MemoryFiles before;
        Put(folder, save.before, before);
        for (std::size_t cut = 0;; ++cut) {
            PowerCutFiles disk(before, cut);
            auto failure = ReplaceFiles(disk, Replacements(folder, save));
            if (!disk.cut()) {
                EXPECT_EQ(failure, std::nullopt);
                EXPECT_EQ(Holds(disk.lasting(), folder, save), "new") << "a save that succeeded";
                break;
            }
            ASSERT_LT(cut, 20U) << "the save never ends";
            // The power may fail again while the next start rolls the save back.
            for (std::size_t again = 0;; ++again) {
                PowerCutFiles recovery(disk.lasting(), again);
                RecoverInterruptedSave(recovery, folder);
                RecoverInterruptedSave(recovery.lasting(), folder);
                const std::string held = Holds(recovery.lasting(), folder, save);
                EXPECT_TRUE(held == "old" || held == "new")
                    << "power cut at step " << cut << ", then at step " << again
                    << " of the recovery: " << held;
                ++states;
                if (!recovery.cut()) {
                    break;
                }
            }
        }
    }
    std::printf("Power cut: %zu states checked.\n", states);
}

// Runs `act` in a child process and gives how it ended: its exit status, or -signal.
template <typename Act>
int InChild(Act act) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(act());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

TEST(ReplaceFilesTest, ASaveKilledAtAnyPointLeavesTheOldSetOrTheNewOneAfterRecovery) {
    using testing::StoppingFiles;
    // Where a killed write stops: before its first byte, mid-way, and after its last byte but
    // before the file is cut to length.
    const std::size_t tornAt[] = {0, 2000, std::size_t(-1)};
    std::size_t kills = 0;
    std::size_t states = 0;
    for (const Save& save : Saves()) {
        SCOPED_TRACE(save.what);
        bool finished = false;
        for (std::size_t changes = 0; !finished; ++changes) {
            ASSERT_LT(changes, 20U) << "the save never ends";
            for (std::size_t torn : tornAt) {
                TempFolder crashed;
                const auto folder = crashed.path() / "Data";
                std::filesystem::create_directory(folder);
                Put(folder, save.before, DiskFiles());
                const int ended = InChild([&] {
                    StoppingFiles files(changes, torn, StoppingFiles::Stop::Kill);
                    return ReplaceFiles(files, Replacements(folder, save)) ? 1 : 0;
                });
                if (ended == 0) {
                    EXPECT_EQ(Holds(DiskFiles(), folder, save), "new");
                    finished = true;
                    break;
                }
                ASSERT_EQ(ended, -SIGKILL);
                ++kills;
                // The next start is killed too, at each point of the recovery in turn.
                for (std::size_t again = 0;; ++again) {
                    TempFolder copy;
                    std::filesystem::copy(folder, copy.path() / "Data",
                                          std::filesystem::copy_options::recursive);
                    const int recovered = InChild([&] {
                        StoppingFiles files(again, torn, StoppingFiles::Stop::Kill);
                        RecoverInterruptedSave(files, copy.path() / "Data");
                        return 0;
                    });
                    kills += recovered == -SIGKILL;
                    RecoverInterruptedSave(DiskFiles(), copy.path() / "Data");
                    const std::string held = Holds(DiskFiles(), copy.path() / "Data", save);
                    EXPECT_TRUE(held == "old" || held == "new")
                        << "killed at change " << changes << " (" << torn << " bytes), then at "
                        << "change " << again << " of the recovery: " << held;
                    ++states;
                    if (recovered == 0) {
                        break;
                    }
                }
            }
        }
    }
    std::printf("Killed saves: %zu kills, %zu states checked.\n", kills, states);
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
        const std::string outcome =
            ReplaceFiles(DiskFiles(), Replacements(folder, save, true)).value_or("saved");
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

TEST(ReplaceFilesTest, AJournalWithAByteChangedPutsNothingBackAndIsRemoved) {
    TempFolder folder;
    const auto file = folder.Write("A.txt", "old\r\n");
    testing::LeaveSaveCutShort(file, "Data/A.txt", "new bytes\r\n");
    std::string journal = folder.Read(kJournalName);
    folder.Write(kJournalName, journal.replace(journal.rfind("old"), 1, "O"));
    EXPECT_EQ(RecoverInterruptedSave(DiskFiles(), folder.path()), std::nullopt);
    EXPECT_EQ(folder.Read("A.txt"), "new b");  // as the save left it
    EXPECT_FALSE(std::filesystem::exists(folder.path() / kJournalName));
}

}  // namespace
}  // namespace kalverin
