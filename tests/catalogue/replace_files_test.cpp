// Saves against what a user's machine really does: a disk that fails at any byte, the program
// killed or the power cut at any point, a second program saving at the same time. Each leaves the
// set of files as it was or as it was saved, once the next read has rolled back what a crash left.

#include "catalogue/replace_files.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <map>

#include "catalogue/data_folder.h"
#include "catalogue/guarded_folder.h"
#include "support/faulty_disks.h"
#include "support/memory_files.h"
#include "support/temp_folder.h"

namespace kalverin {
namespace {

using testing::CrashingFiles;
using testing::TempFolder;
using Files = std::map<std::string, std::optional<std::string>>;  // by name; nothing: absent

std::optional<std::string> Bytes(const FileStore& files, const std::filesystem::path& path) {
    auto read = files.Read(path);
    return read ? std::optional(read.value()) : std::nullopt;
}

void Put(const std::filesystem::path& folder, const Files& set, FileStore& into) {
    for (const auto& [name, bytes] : set) {
        if (bytes) {
            into.Write(folder / name, *bytes);
        }
    }
}

// A save, as the files of one folder before and after it; a Data folder must load, old or new.
struct Save {
    Files before;
    Files after;
    bool dataFolder;
};

std::vector<Save> Saves() {
    Files data;
    for (const char* name :
         {"Frames.txt", "Classes.txt", "Modifications.txt", "MaxLevel.txt", "Details.txt"}) {
        data[name] = testing::ReadFileBytes(testing::BundledData() / name);
    }
    // Files longer and shorter than they were, as the modification editor writes them.
    Files saved = data;
    *saved["Modifications.txt"] += "\"after the records\"\r\n";
    std::erase(*saved["MaxLevel.txt"], '\r');
    std::erase(*saved["Details.txt"], '\r');
    return {{data, saved, true},
            {{{"Gun.wpn", std::nullopt}}, {{"Gun.wpn", "\"Gun\"\r\n"}}, false}};
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
std::string Holds(FileStore& files, const std::filesystem::path& folder, const Save& save) {
    bool old = true;
    bool saved = true;
    for (const auto& [name, before] : save.before) {
        const auto bytes = Bytes(files, folder / name);
        old = old && bytes == before;
        saved = saved && bytes == save.after.at(name);
    }
    if (Bytes(files, folder / kJournalName)) {
        return "a journal left over";
    }
    if (save.dataFolder && (old || saved) &&
        !LoadCatalogue(GuardedFolder(files, folder, "Data").StartReading())) {
        return "a Data folder that does not load";
    }
    return old ? "old" : saved ? "new" : "torn or mixed";
}

TEST(ReplaceFilesTest, AWriteThatFailsAtAnyByteLeavesEveryFileAsItWas) {
    TempFolder folder;
    const Files before = {{"Frames.txt", "1\r\n\"Old frame\"\r\n"},
                          {"Modifications.txt", "2\r\n\"Old\",\"Mods\",\"that are longer\"\r\n"},
                          {"MaxLevel.txt", std::nullopt}};
    Put(folder.path(), before, DiskFiles());
    // The file that did not exist comes first: a later write that fails must remove it again.
    const std::vector<FileReplacement> replacements = {
        {folder.path() / "MaxLevel.txt", "Data/MaxLevel.txt", "1\r\n\"New\",1,2\r\n"},
        {folder.path() / "Frames.txt", "Data/Frames.txt", "2\r\n\"New\",\"frames\"\r\n"},
        {folder.path() / "Modifications.txt", "Data/Modifications.txt", "0\r\n"},
    };
    std::size_t failAt = 0;
    for (const FileReplacement& failing : replacements) {
        for (const std::size_t end = failAt + failing.bytes.size(); failAt < end; ++failAt) {
            testing::FaultyDiskFiles files(failAt);
            EXPECT_EQ(ReplaceFiles(files, replacements).error(),
                      failing.label +
                          " could not be written: No space left on device. The data "
                          "files were left as they were.");
            for (const auto& [name, bytes] : before) {
                EXPECT_EQ(Bytes(DiskFiles(), folder.path() / name), bytes) << "at byte " << failAt;
            }
        }
    }
    testing::FaultyDiskFiles files(failAt);
    EXPECT_TRUE(ReplaceFiles(files, replacements)) << "every byte fits";
    for (const FileReplacement& file : replacements) {
        EXPECT_EQ(Bytes(DiskFiles(), file.path), file.bytes) << file.label;
    }
}

TEST(ReplaceFilesTest, AKillOrAPowerCutAtAnyStepOfASaveOrOfItsRecoveryLosesNoSet) {
    const std::filesystem::path folder = "/program/Data";
    std::size_t states = 0;
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
                    // The next start may crash the same way while it rolls the save back.
                    for (std::size_t again = 0;; ++again) {
                        CrashingFiles recovery(disk.lasting(), crash, halves, again);
                        GuardedFolder(recovery, folder, "Data").StartReading();
                        GuardedFolder(recovery.lasting(), folder, "Data").StartReading();
                        const std::string held = Holds(recovery.lasting(), folder, save);
                        EXPECT_TRUE(held == "old" || held == "new")
                            << (crash == CrashingFiles::Crash::Kill ? "killed" : "power cut")
                            << " at step " << cut << " (" << halves << " halves written), then at "
                            << again << ": " << held;
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
