#include "app/kalverin_app.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "qt_support/qt_text.h"
#include "support/temp_folder.h"

namespace kalverin {
namespace {

// The Qt libraries mapped into this process, by file name.
std::set<std::string> MappedQtLibraries() {
    std::set<std::string> libraries;
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        const auto name = line.rfind('/');
        if (name != std::string::npos && line.compare(name + 1, 6, "libQt6") == 0) {
            libraries.insert(line.substr(name + 1, line.find(".so", name) - name - 1));
        }
    }
    return libraries;
}

TEST(StartTest, PaintsTheMainWindowWithoutLoadingThePrintingLibrary) {
    char program[] = "kalverin";
    char* arguments[] = {program, nullptr};
    int count = 1;
    ASSERT_EQ(RunKalverin(count, arguments, StartOptions{.quitAfterFirstPaint = true}), 0);
    const std::set<std::string> mapped = MappedQtLibraries();
    EXPECT_TRUE(mapped.count("libQt6Widgets")) << "the maps were not read";
    EXPECT_FALSE(mapped.count("libQt6PrintSupport"));
}

// Qt takes its own options; what is left may name one weapon file, which opens as "Open Old
// Weapon" opens it and so heads Open Recent; anything else gets a line of usage.
TEST(StartTest, OpensTheWeaponFileItIsGivenAndRefusesOtherArguments) {
    testing::TempFolder folder;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, PathText(folder.path()));
    const std::string weapon =
        folder
            .Write("Long Reach.wpn",
                   "\"Long Reach\",\"Sniper Rifle\",8,\"S\",\"SA\",-2,\"4.2\",5,\"Magazine\",-1,"
                   "0.5,1380,6900\r\n5,0,1,0,1\r\n0\r\n\"\"\r\n")
            .string();
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        bool opened;
    } cases[] = {
        {{"-platform", "offscreen", weapon}, 0, true},
        {{"--", weapon}, 0, true},
        {{}, 0, false},
        {{"--help"}, 0, false},
        {{"--open", weapon}, 2, false},
        {{weapon, weapon}, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.empty() ? "" : c.arguments.front());
        std::filesystem::remove_all(folder.path() / "kalverin");
        std::vector<std::string> strings = {"kalverin"};
        strings.insert(strings.end(), c.arguments.begin(), c.arguments.end());
        std::vector<char*> arguments;
        for (std::string& text : strings) {
            arguments.push_back(text.data());
        }
        arguments.push_back(nullptr);
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(RunKalverin(static_cast<int>(strings.size()), arguments.data(),
                              StartOptions{.quitAfterFirstPaint = true}),
                  c.exitCode);
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(said.find("Usage: kalverin") != std::string::npos, c.exitCode == 2) << said;
        const QStringList recent = QSettings(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("kalverin"), QStringLiteral("kalverin"))
                                       .value(QStringLiteral("recentWeapons"))
                                       .toStringList();
        EXPECT_EQ(recent, c.opened ? QStringList{PathText(weapon)} : QStringList{});
    }
}

}  // namespace
}  // namespace kalverin
