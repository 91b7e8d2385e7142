// Runs every scenario under scenarios/ and compares its transcript with the file. With
// KALVERIN_UPDATE_SCENARIOS=1 in the environment the files are rewritten with what the program
// does now instead; read the difference before committing it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/scenario.h"
#include "support/temp_folder.h"

namespace kalverin::testing {
namespace {

std::vector<std::filesystem::path> Scenarios() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(KALVERIN_SCENARIOS)) {
        if (entry.path().extension() == ".txt") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The first line where the two differ, with the lines around it.
std::string Difference(const std::string& expected, const std::string& actual) {
    std::istringstream e(expected);
    std::istringstream a(actual);
    std::string le;
    std::string la;
    for (int line = 1;; ++line) {
        bool more = static_cast<bool>(std::getline(e, le));
        bool moreActual = static_cast<bool>(std::getline(a, la));
        if (!more && !moreActual) {
            return {};
        }
        if (le != la || more != moreActual) {
            return "line " + std::to_string(line) + "\n  file: " + (more ? le : "(ends)") +
                   "\n   now: " + (moreActual ? la : "(ends)");
        }
    }
}

class ScenarioTest : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(ScenarioTest, GivesItsTranscript) {
    const std::filesystem::path& file = GetParam();
    const std::string expected = ReadFileBytes(file);
    const std::string actual = RunScenario(file);
    if (actual != expected && std::getenv("KALVERIN_UPDATE_SCENARIOS")) {
        std::ofstream(file, std::ios::binary) << actual;
        return;
    }
    EXPECT_EQ(Difference(expected, actual), "") << file;
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, ScenarioTest, ::testing::ValuesIn(Scenarios()),
    [](const ::testing::TestParamInfo<std::filesystem::path>& test) {
        std::string name =
            test.param.lexically_relative(KALVERIN_SCENARIOS).replace_extension().generic_string();
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
        return name;
    });

}  // namespace
}  // namespace kalverin::testing
