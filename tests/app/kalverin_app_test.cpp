#include "app/kalverin_app.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>

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

}  // namespace
}  // namespace kalverin
