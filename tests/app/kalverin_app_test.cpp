#include "app/kalverin_app.h"

#include <gtest/gtest.h>

#include <QSettings>

#include "qt_support/qt_text.h"
#include "support/temp_folder.h"

namespace kalverin {
namespace {

// Whether a library of that name is mapped into this process.
bool Mapped(std::string_view library) {
    // Appended: optimised, GCC 12 sees an overlap in "/" + string that is not there.
    std::string file(1, '/');
    file.append(library).append(".so");
    return testing::ReadFileBytes("/proc/self/maps").find(file) != std::string::npos;
}

// The program run with these words after its name.
int Start(std::vector<std::string> words, StartOptions options = {}) {
    words.insert(words.begin(), "kalverin");
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    return RunKalverin(static_cast<int>(words.size()), argv.data(), options);
}

// "--check-data" prints the report, the folder checked first, and makes no window, so loads no
// platform: 0 when it finds no problem, 1 when it finds some, 2 when it can read no file.
TEST(StartTest, ChecksTheDataFolderWithNoWindow) {
    testing::TempFolder folder;
    folder.Write("Data/Classes.txt", "1\r\n\"All\"\r\n");
    const std::string data = folder.path() / "Data", none = folder.path() / "none",
                      beside =
                          std::filesystem::read_symlink("/proc/self/exe").parent_path() / "Data";
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string first, last;
    } cases[] = {
        {{"--check-data"}, 0, beside, "No problems found."},
        {{"--check-data", data}, 1, data, "4 problems."},
        {{"--data", data, "--check-data"}, 1, data, "4 problems."},
        {{"--check-data", none}, 2, none, "Not one of the data files can be read."},
    };
    for (const auto& c : cases) {
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(Start(c.arguments), c.exitCode);
        const std::string said = ::testing::internal::GetCapturedStdout();
        EXPECT_TRUE(said.starts_with("Data folder: " + c.first + "\n") &&
                    said.ends_with(c.last + "\n"))
            << said;
    }
    EXPECT_FALSE(Mapped("libqoffscreen") || Mapped("libqxcb"));
}

// Qt takes its own options; one weapon file left opens as "Open Old Weapon" opens it, heading Open
// Recent; anything else gets a line of usage. Painting the window loads no printing library.
TEST(StartTest, OpensTheWeaponFileItIsGivenAndRefusesOtherArguments) {
    testing::TempFolder folder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, PathText(folder.path()));
    ::setenv("XDG_STATE_HOME", folder.path().c_str(), 1);
    const std::string weapon =
        folder.Write("Long Reach.wpn", testing::ReadFileBytes(KALVERIN_LONG_REACH)).string();
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        bool opened;
    } cases[] = {{{}, 0, false},
                 {{"-platform", "offscreen", weapon}, 0, true},
                 {{"--data", testing::BundledData(), "--", weapon}, 0, true},
                 {{"--help"}, 0, false},
                 {{"-h"}, 0, false},
                 {{"-x"}, 2, false},
                 {{"--", "-x"}, 0, false},
                 {{"--open", weapon}, 2, false},
                 {{weapon, weapon}, 2, false},
                 {{weapon, "--data"}, 2, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "" : c.arguments.back());
        std::filesystem::remove_all(folder.path() / "kalverin");
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(Start(c.arguments, StartOptions{.quitAfterFirstPaint = true}), c.exitCode);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(said.find("Usage: kalverin") != std::string::npos, c.exitCode == 2) << said;
        const QStringList recent = QSettings(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("kalverin"), QStringLiteral("kalverin"))
                                       .value(QStringLiteral("recentWeapons"))
                                       .toStringList();
        EXPECT_EQ(recent, c.opened ? QStringList{PathText(weapon)} : QStringList{});
    }
    EXPECT_TRUE(Mapped("libQt6Widgets") && !Mapped("libQt6PrintSupport"));
}

// "--stat-block" prints each weapon file's stat block in the format asked for, before Qt starts,
// so with no display at all; a file that cannot be read is named, the others still print.
TEST(StartTest, PrintsStatBlocksWithoutADisplay) {
    testing::TempFolder folder;
    const std::string gun =
        folder.Write("Gun.wpn", testing::ReadFileBytes(KALVERIN_LONG_REACH)).string();
    const std::string none = (folder.path() / "None.wpn").string();
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        qunsetenv(name);
    }
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string printed;  // what standard output holds, or begins with
        std::string said;     // what standard error holds, or begins with
    } cases[] = {
        {{"--stat-block", gun}, 0, "Long Reach\nFrame Type: Sniper Rifle\n\nPower   ", ""},
        {{"--stat-block", gun, "--format", "markdown"}, 0, "## Long Reach\n", ""},
        {{"--format=html", "--stat-block", "--", gun, gun}, 0, "<html><body><p", ""},
        {{"--stat-block", none, gun}, 1, "Long Reach\n", "kalverin: " + none + " cannot be"},
        {{"--stat-block", "--format", "pdf", gun}, 2, "", "Usage: kalverin --stat-block"},
        {{"--stat-block", "-x", gun}, 2, "", "Usage: kalverin --stat-block"},
        {{"--stat-block"}, 2, "", "Usage: kalverin --stat-block"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(Start(c.arguments), c.exitCode);
        const std::string said = ::testing::internal::GetCapturedStderr();
        const std::string printed = ::testing::internal::GetCapturedStdout();
        EXPECT_TRUE(printed.starts_with(c.printed) && printed.empty() == c.printed.empty() &&
                    said.starts_with(c.said) && said.empty() == c.said.empty())
            << printed << said;
    }
    qputenv("QT_QPA_PLATFORM", platform);
}

}  // namespace
}  // namespace kalverin
