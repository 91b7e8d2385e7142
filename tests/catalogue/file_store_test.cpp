#include "catalogue/file_store.h"

#include "catalogue/replace_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

#include "support/faulty_disk_files.h"
#include "support/temp_folder.h"

namespace kalverin {
namespace {

using testing::FaultyDiskFiles;
using testing::ReadFileBytes;
using testing::TempFolder;

// A file's bytes, or nothing when there is no such file.
std::optional<std::string> OnDisk(const std::filesystem::path& path) {
    if (!std::filesystem::exists(path)) {
        return std::nullopt;
    }
    return ReadFileBytes(path);
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// Which of the files holds byte `at` of everything a save writes.
std::size_t FileHolding(const std::vector<FileReplacement>& files, std::size_t at) {
    std::size_t i = 0;
    while (at >= files[i].bytes.size()) {
        at -= files[i].bytes.size();
        ++i;
    }
    return i;
}

TEST(FaultyDiskFilesTest, TheWriteThatReachesTheFaultLeavesOnlyTheBytesBeforeIt) {
    struct Case {
        std::size_t failAt;
        std::optional<std::string> first;  // what each write reports
        std::optional<std::string> second;
        std::string a;  // and leaves on disk
        std::string b;
    };
    const std::string full = "No space left on device";
    const Case cases[] = {
        {0, full, std::nullopt, "", "defg"},
        {2, full, std::nullopt, "ab", "defg"},
        {3, std::nullopt, full, "abc", ""},
        {5, std::nullopt, full, "abc", "de"},
        {7, std::nullopt, std::nullopt, "abc", "defg"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        FaultyDiskFiles files(c.failAt);
        EXPECT_EQ(files.Write(folder.path() / "a", "abc"), c.first) << c.failAt;
        EXPECT_EQ(files.Write(folder.path() / "b", "defg"), c.second) << c.failAt;
        EXPECT_EQ(folder.Read("a"), c.a) << c.failAt;
        EXPECT_EQ(folder.Read("b"), c.b) << c.failAt;
    }
}

TEST(ReplaceFilesTest, AWriteThatFailsAtAnyByteLeavesEveryFileAsItWas) {
    TempFolder folder;
    const std::string oldFrames = "1\r\n\"Old frame\"\r\n";
    const std::string oldMods = "2\r\n\"Old\",\"Mods\",\"that are longer\"\r\n";
    folder.Write("Data/Frames.txt", oldFrames);
    folder.Write("Data/Modifications.txt", oldMods);
    const std::vector<FileReplacement> replacements = {
        {folder.path() / "Data/Frames.txt", "Data/Frames.txt", "2\r\n\"New\",\"frames\"\r\n"},
        {folder.path() / "Data/Modifications.txt", "Data/Modifications.txt", "0\r\n"},
        // Not there before the save: a failed save must not leave it behind.
        {folder.path() / "Data/MaxLevel.txt", "Data/MaxLevel.txt", "1\r\n\"New\",1,2\r\n"},
    };
    std::size_t total = 0;
    for (const FileReplacement& file : replacements) {
        total += file.bytes.size();
    }

    std::size_t failAt = 0;
    for (;; ++failAt) {
        ASSERT_LE(failAt, total) << "the save never succeeds";
        FaultyDiskFiles files(failAt);
        auto failure = ReplaceFiles(files, replacements);
        if (!failure) {
            break;
        }
        ASSERT_TRUE(files.failed()) << failAt;
        const std::size_t failing = FileHolding(replacements, failAt);
        EXPECT_TRUE(StartsWith(*failure, replacements[failing].label + " could not be written"))
            << "at byte " << failAt << ": " << *failure;
        EXPECT_NE(failure->find("No space left on device"), std::string::npos) << *failure;
        EXPECT_EQ(OnDisk(replacements[0].path), oldFrames) << "at byte " << failAt;
        EXPECT_EQ(OnDisk(replacements[1].path), oldMods) << "at byte " << failAt;
        EXPECT_EQ(OnDisk(replacements[2].path), std::nullopt) << "at byte " << failAt;
    }
    EXPECT_EQ(failAt, total) << "the save succeeds once every byte fits, and not before";
    for (const FileReplacement& file : replacements) {
        EXPECT_EQ(OnDisk(file.path), file.bytes) << file.label;
    }
}

TEST(DiskFilesTest, AWriteLeavesExactlyTheNewBytesWhateverTheFileHeldBefore) {
    const std::string longer(9000, 'o');
    struct Case {
        const char* what;
        std::optional<std::string> before;
        std::string written;
    };
    const Case cases[] = {
        {"a new file", std::nullopt, "3\r\n\"A\"\r\n"},
        {"a shorter file", "1\r\n", "3\r\n\"A\",\"B\"\r\n"},
        {"a file of the same length", "abcdef", "uvwxyz"},
        {"a longer file", longer, "2\r\n\"A\"\r\n"},
        {"a file emptied", "1\r\n\"A\"\r\n", ""},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const auto path = folder.path() / "Data.txt";
        if (c.before) {
            folder.Write("Data.txt", *c.before);
        }
        EXPECT_EQ(DiskFiles().Write(path, c.written), std::nullopt) << c.what;
        EXPECT_EQ(ReadFileBytes(path), c.written) << c.what;
    }
}

TEST(DiskFilesTest, AWriteToADeviceGoesThroughWithoutCuttingItToLength) {
    TempFolder folder;
    const auto sink = folder.path() / "Sink.txt";
    std::filesystem::create_symlink("/dev/null", sink);
    EXPECT_EQ(DiskFiles().Write(sink, "1\r\n\"A\"\r\n"), std::nullopt);
}

TEST(DiskFilesTest, AWriteThatCannotOpenTheFileSaysWhy) {
    TempFolder folder;
    EXPECT_EQ(DiskFiles().Write(folder.path() / "missing" / "Data.txt", "1\r\n"),
              "No such file or directory");
    EXPECT_EQ(DiskFiles().Write(folder.path(), "1\r\n"), "Is a directory");
}

TEST(ReplaceFilesTest, AFileThatCouldNotBePutBackIsNamedAndTheNextReadPutsItBack) {
    const std::string full = "No space left on device";
    const std::string later =
        " Kalverin puts the earlier bytes back the next time it reads the "
        "folder.";
    const std::pair<std::size_t, std::string> cases[] = {
        {0, "Data/A.txt could not be written: " + full +
                ". Data/A.txt could not be put back as it was: " + full + "." + later},
        {9, "Data/B.txt could not be written: " + full +
                ". Data/A.txt could not be put back as it was: " + full +
                ". Data/B.txt could not be put back as it was: " + full + "." + later},
    };
    for (const auto& [failAt, message] : cases) {
        TempFolder folder;
        auto a = folder.Write("A.txt", "old a\r\n");
        auto b = folder.Write("B.txt", "old b\r\n");
        FaultyDiskFiles files(failAt, FaultyDiskFiles::AfterFault::StaysFull);
        EXPECT_EQ(
            ReplaceFiles(files, {{a, "Data/A.txt", "new a\r\n"}, {b, "Data/B.txt", "new b\r\n"}}),
            message);
        EXPECT_EQ(RecoverInterruptedSave(DiskFiles(), folder.path()),
                  "A save of Data/A.txt and Data/B.txt was cut short, so they were put back as "
                  "they were before that save.");
        EXPECT_EQ(folder.Read("A.txt") + folder.Read("B.txt"), "old a\r\nold b\r\n");
        EXPECT_FALSE(std::filesystem::exists(folder.path() / kJournalName));
    }
}

TEST(ReplaceFilesTest, AFullDeviceIsReportedAndTheOtherFilesGetTheirBytesBack) {
    TempFolder folder;
    auto first = folder.Write("First.txt", "first, as it was\r\n");
    auto full = folder.path() / "Full.txt";
    std::filesystem::create_symlink("/dev/full", full);

    auto failure = ReplaceFiles(DiskFiles(), {{first, "Data/First.txt", "new first\r\n"},
                                              {full, "Data/Full.txt", "new full\r\n"}});
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure,
              "Data/Full.txt could not be written: No space left on device. The data files were "
              "left as they were.");
    EXPECT_EQ(folder.Read("First.txt"), "first, as it was\r\n");
    EXPECT_TRUE(std::filesystem::is_symlink(full));
}

TEST(ReplaceFilesTest, AFileThatDidNotExistIsRemovedAgainWhenALaterWriteFails) {
    TempFolder folder;
    auto fresh = folder.path() / "Fresh.txt";
    auto missing = folder.path() / "No such folder" / "Gone.txt";

    auto failure = ReplaceFiles(DiskFiles(),
                                {{fresh, "Data/Fresh.txt", "x"}, {missing, "Data/Gone.txt", "y"}});
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("Data/Gone.txt could not be written"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(fresh));
}

// A folder the user may not write to: every write is refused before the file is touched; or
// one where the files may be written but no file created, so no journal either.
class ReadOnlyFolder final : public FileStore {
  public:
    explicit ReadOnlyFolder(bool filesWritable) : filesWritable_(filesWritable) {}
    Outcome<std::string> Read(const std::filesystem::path& path) const override {
        return DiskFiles().Read(path);
    }
    std::optional<std::string> Write(const std::filesystem::path& path,
                                     std::string_view bytes) override {
        return filesWritable_ && std::filesystem::exists(path) ? DiskFiles().Write(path, bytes)
                                                               : WriteFailureReason(EACCES);
    }
    std::optional<std::string> Remove(const std::filesystem::path&) override {
        return std::nullopt;
    }

  private:
    bool filesWritable_;
};

TEST(ReplaceFilesTest, AReadOnlyFolderIsReportedOnceAndOneWithoutRoomForAJournalSavesAsItCan) {
    const std::optional<std::string> readOnly =
        "Data/Frames.txt could not be written: " + WriteFailureReason(EACCES) +
        ". The data files were left as they were.";
    for (bool filesWritable : {false, true}) {
        TempFolder folder;
        auto frames = folder.Write("Data/Frames.txt", "1\r\n\"Old\"\r\n");
        auto mods = folder.Write("Data/Modifications.txt", "0\r\n");
        ReadOnlyFolder files(filesWritable);
        EXPECT_EQ(ReplaceFiles(files, {{frames, "Data/Frames.txt", "2\r\n"},
                                       {mods, "Data/Modifications.txt", "1\r\n"}}),
                  filesWritable ? std::nullopt : readOnly);
        EXPECT_EQ(folder.Read("Data/Frames.txt") + folder.Read("Data/Modifications.txt"),
                  filesWritable ? "2\r\n1\r\n" : "1\r\n\"Old\"\r\n0\r\n");
    }
}

TEST(WriteFailureReasonTest, APermissionFailureSaysWhereTheDataCanBeEdited) {
    const std::pair<int, bool> cases[] = {
        {EACCES, true}, {EPERM, true}, {EROFS, true}, {ENOSPC, false}, {EIO, false},
    };
    for (const auto& [error, advised] : cases) {
        SCOPED_TRACE(std::strerror(error));
        const std::string reason = WriteFailureReason(error);
        EXPECT_EQ(reason.rfind(std::strerror(error), 0), 0u) << reason;
        EXPECT_EQ(reason.find("system-wide install") != std::string::npos, advised) << reason;
        EXPECT_EQ(reason.find("portable folder") != std::string::npos, advised) << reason;
    }
}

}  // namespace
}  // namespace kalverin
