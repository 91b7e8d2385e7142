#include "about/about_model.h"

#include <gtest/gtest.h>

#include "about/sys_info_fakes.h"
#include "support/recording_dialogs.h"

namespace kalverin {
namespace {

using Message = std::vector<std::string>;

RegistryValue Text(std::string text) {
    return {kStringValue, std::move(text)};
}

// A string as stored with its terminating NUL.
RegistryValue Nul(std::string text) {
    return Text(std::move(text) + '\0');
}

TEST(AboutModelTest, SystemInfoStartsTheToolTheRegistryOrTheSearchPathNamesOrSaysItCannot) {
    const std::string kStored = "C:\\Program Files\\Common Files\\System\\MSInfo";
    const std::string kStoredTool = kStored + "\\MSINFO32.EXE";
    const std::string kTool = "D:\\Tools\\sysinfo.exe";
    const std::string kHwList = "/opt/hw/bin/hwlist";
    // The second and third of the tools the model is given.
    const std::map<std::string, std::string> kTwo = {{"infopanel", "/usr/bin/infopanel"},
                                                     {"hwlist", kHwList}};
    const RegistryValue kTooLong = Text(std::string(1025, 'x'));
    struct Case {
        std::optional<RegistryValue> path;      // "PATH" under the tool's own key
        std::optional<RegistryValue> location;  // "MSINFO" under the shared tools' key
        std::set<std::string> files;
        std::map<std::string, std::string> onSearchPath;
        bool startWorks;
        std::vector<std::string> started;
    };
    // clang-format off
    const Case cases[] = {
        // The path is trusted without looking for the file, and comes before the location.
        {Nul(kTool),  {},            {},            {},   true,  {kTool}},
        {Text(kTool), Text(kStored), {kStoredTool}, kTwo, true,  {kTool}},
        {kTooLong,    Nul(kStored),  {kStoredTool}, {},   true,  {kStoredTool}},
        {{},          Text(kStored), {},            kTwo, true,  {}},
        {Text(kTool), {},            {},            {},   false, {kTool}},
        {{},          Text(kStored), {kStoredTool}, {},   false, {kStoredTool}},
        {{},          {},            {},            {},   true,  {}},
        {{},          {},            {},            kTwo, true,  {kHwList}},
        {{},          {},            {},            kTwo, false, {kHwList}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        testing::FakeRegistry registry;
        if (c.path) {
            registry.keys["SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"]["PATH"] = *c.path;
        }
        if (c.location) {
            registry.keys["SOFTWARE\\Microsoft\\Shared Tools Location"]["MSINFO"] = *c.location;
        }
        testing::FakeStarter starter;
        starter.files = c.files;
        starter.onSearchPath = c.onSearchPath;
        starter.startWorks = c.startWorks;
        testing::RecordingDialogs dialogs;
        AboutModel(registry, starter, dialogs, {"sysview", "hwlist", "infopanel"}).StartSysInfo();
        EXPECT_EQ(starter.started, c.started);
        EXPECT_EQ(dialogs.messages, c.started.empty() || !c.startWorks
                                        ? Message{"System Information Is Unavailable At This Time"}
                                        : Message{});
    }
}

TEST(AboutModelTest, GetKeyValueReadsOneValueAsText) {
    struct Case {
        std::optional<RegistryValue> stored;  // nothing: the value is missing
        bool keyExists;
        bool read;
        std::string KeyVal;
    };
    // clang-format off
    const Case cases[] = {
        {Nul("C:\\x"),                                      true,  true,  "C:\\x"},
        {Text("C:\\x"),                                     true,  true,  "C:\\x"},
        {Text(std::string("ab\0\0", 4)),                    true,  true,  std::string("ab\0", 3)},
        {Text(""),                                          true,  true,  ""},
        {Text(std::string(1024, 'x')),                      true,  true,  std::string(1024, 'x')},
        {Text(std::string(1025, 'x')),                      true,  false, ""},
        {RegistryValue{kNumberValue, "\x78\x56\x34\x12"},   true,  true,  "305419896"},
        // A number's zero high byte is not a string's trailing NUL.
        {RegistryValue{kNumberValue, {"\0\4\0\0", 4}},      true,  true,  "1024"},
        {RegistryValue{kNumberValue, "\xFF\xFF\xFF\xFF"},   true,  true,  "4294967295"},
        {RegistryValue{2, "%SystemRoot%"},                  true,  true,  "as it was"},
        {std::nullopt,                                      true,  false, ""},
        {std::nullopt,                                      false, false, ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        testing::FakeRegistry registry;
        if (c.keyExists) {
            auto& key = registry.keys["SOFTWARE\\Kalverin"];
            if (c.stored) {
                key["Value"] = *c.stored;
            }
        }
        testing::FakeStarter starter;
        testing::RecordingDialogs dialogs;
        std::string KeyVal = "as it was";
        EXPECT_EQ(AboutModel(registry, starter, dialogs)
                      .GetKeyValue(kLocalMachine, "SOFTWARE\\Kalverin", "Value", KeyVal),
                  c.read);
        EXPECT_EQ(KeyVal, c.KeyVal);
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

}  // namespace
}  // namespace kalverin
