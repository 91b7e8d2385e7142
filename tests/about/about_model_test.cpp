#include "about/about_model.h"

#include <gtest/gtest.h>

#include "about/sys_info_fakes.h"
#include "support/recording_dialogs.h"

namespace kalverin {
namespace {

using testing::FakeRegistry;
using testing::FakeStarter;
using testing::RecordingDialogs;

const std::string kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

RegistryValue Text(std::string text) {
    return {kStringValue, std::move(text)};
}

// A string as stored with its terminating NUL.
RegistryValue TextWithNul(std::string text) {
    text.push_back('\0');
    return Text(std::move(text));
}

class AboutModelTest : public ::testing::Test {
  protected:
    void TearDown() override {
        EXPECT_EQ(registry.OpenKeys(), 0u) << "every key opened is closed again";
        EXPECT_TRUE(registry.faults.empty()) << registry.faults.front();
        for (std::uint32_t access : registry.accessMasks) {
            EXPECT_EQ(access, 0x2003Fu);
        }
    }

    FakeRegistry registry;
    FakeStarter starter;
    RecordingDialogs dialogs;
};

struct SysInfoCase {
    const char* name;
    std::optional<RegistryValue> toolPath;      // "PATH" under the tool's own key
    std::optional<RegistryValue> toolLocation;  // "MSINFO" under the shared tools' key
    std::set<std::string> files;
    std::map<std::string, std::string> onSearchPath;
    bool startWorks;
    std::vector<std::string> expectStarted;
    bool expectMessage;
};

void PrintTo(const SysInfoCase& c, std::ostream* out) {
    *out << c.name;
}

class StartSysInfoTest : public AboutModelTest,
                         public ::testing::WithParamInterface<SysInfoCase> {};

TEST_P(StartSysInfoTest, StartsTheToolOrSaysItIsUnavailable) {
    const SysInfoCase& c = GetParam();
    if (c.toolPath) {
        registry.Set(kLocalMachine, kToolKey, "PATH", *c.toolPath);
    }
    if (c.toolLocation) {
        registry.Set(kLocalMachine, kLocationKey, "MSINFO", *c.toolLocation);
    }
    starter.files = c.files;
    starter.onSearchPath = c.onSearchPath;
    starter.startWorks = c.startWorks;
    AboutModel model(registry, starter, dialogs, {"sysview", "hwlist", "infopanel"});

    model.StartSysInfo();

    EXPECT_EQ(starter.started, c.expectStarted);
    if (c.expectMessage) {
        EXPECT_EQ(dialogs.messages,
                  std::vector<std::string>{"System Information Is Unavailable At This Time"});
    } else {
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

const std::string kStored = "C:\\Program Files\\Common Files\\System\\MSInfo";
const std::string kStoredTool = kStored + "\\MSINFO32.EXE";

const std::string kTool = "D:\\Tools\\sysinfo.exe";
const std::string kHwList = "/opt/hw/bin/hwlist";
// The second and third of the tools the model is given.
const std::map<std::string, std::string> kTwoOnSearchPath = {{"infopanel", "/usr/bin/infopanel"},
                                                             {"hwlist", kHwList}};

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lookup, StartSysInfoTest, ::testing::Values(
    //          name                                    PATH                MSINFO                files          search path       starts  started        message
    SysInfoCase{"PathStartsWithoutLookingForTheFile",   TextWithNul(kTool), {},                   {},            {},               true,   {kTool},       false},
    SysInfoCase{"PathComesBeforeTheLocation",           Text(kTool),        Text(kStored),        {kStoredTool}, kTwoOnSearchPath, true,   {kTool},       false},
    SysInfoCase{"LocationWithTheProgramStartsIt",       {},                 TextWithNul(kStored), {kStoredTool}, {},               true,   {kStoredTool}, false},
    SysInfoCase{"LocationWithoutTheProgramFails",       {},                 Text(kStored),        {},            kTwoOnSearchPath, true,   {},            true},
    SysInfoCase{"PathThatWillNotStartFails",            Text(kTool),        {},                   {},            {},               false,  {kTool},       true},
    SysInfoCase{"LocatedProgramThatWillNotStartFails",  {},                 Text(kStored),        {kStoredTool}, {},               false,  {kStoredTool}, true},
    SysInfoCase{"NothingAnywhereFails",                 {},                 {},                   {},            {},               true,   {},            true},
    SysInfoCase{"NoKeysStartsTheFirstToolOnSearchPath", {},                 {},                   {},            kTwoOnSearchPath, true,   {kHwList},     false},
    SysInfoCase{"SearchPathToolThatWillNotStartFails",  {},                 {},                   {},            kTwoOnSearchPath, false,  {kHwList},     true}),
    [](const auto& test) { return std::string(test.param.name); });
// clang-format on

TEST_F(AboutModelTest, ToolKeyWithoutThePathValueFallsBackToTheLocation) {
    registry.AddKey(kLocalMachine, kToolKey);
    registry.Set(kLocalMachine, kLocationKey, "MSINFO", Text(kStored));
    starter.files = {kStoredTool};
    AboutModel model(registry, starter, dialogs);
    model.StartSysInfo();
    EXPECT_EQ(starter.checked, std::vector<std::string>{kStoredTool});
    EXPECT_EQ(starter.started, std::vector<std::string>{kStoredTool});
}

struct KeyValueCase {
    const char* name;
    std::optional<RegistryValue> stored;  // nothing: the key is missing
    bool keyExists;
    bool expectResult;
    std::string expectKeyVal;
};

void PrintTo(const KeyValueCase& c, std::ostream* out) {
    *out << c.name;
}

class GetKeyValueTest : public AboutModelTest,
                        public ::testing::WithParamInterface<KeyValueCase> {};

TEST_P(GetKeyValueTest, ReadsOneValueAsText) {
    const KeyValueCase& c = GetParam();
    if (c.stored) {
        registry.Set(kLocalMachine, "SOFTWARE\\Kalverin", "Value", *c.stored);
    } else if (c.keyExists) {
        registry.AddKey(kLocalMachine, "SOFTWARE\\Kalverin");
    }
    AboutModel model(registry, starter, dialogs);
    std::string KeyVal = "as it was";

    bool result = model.GetKeyValue(kLocalMachine, "SOFTWARE\\Kalverin", "Value", KeyVal);

    EXPECT_EQ(result, c.expectResult);
    EXPECT_EQ(KeyVal, c.expectKeyVal);
    EXPECT_TRUE(dialogs.messages.empty());
}

RegistryValue Bytes(std::uint32_t type, std::initializer_list<unsigned char> bytes) {
    return {type, std::string(bytes.begin(), bytes.end())};
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, GetKeyValueTest, ::testing::Values(
    //           name                                stored                                        key    result  value
    KeyValueCase{"StringWithItsNul",                 TextWithNul("C:\\x"),                         true,  true,   "C:\\x"},
    KeyValueCase{"StringWithoutANul",                Text("C:\\x"),                                true,  true,   "C:\\x"},
    KeyValueCase{"OnlyTheLastNulGoes",               Text(std::string("ab\0\0", 4)),               true,  true,   std::string("ab\0", 3)},
    KeyValueCase{"EmptyString",                      Text(""),                                     true,  true,   ""},
    KeyValueCase{"StringFillingTheBuffer",           Text(std::string(1024, 'x')),                 true,  true,   std::string(1024, 'x')},
    KeyValueCase{"StringLongerThanTheBuffer",        Text(std::string(1025, 'x')),                 true,  false,  ""},
    KeyValueCase{"NumberInDecimal",                  Bytes(kNumberValue, {0x78, 0x56, 0x34, 0x12}), true,  true,   "305419896"},
    // A number's zero high byte is not a string's trailing NUL.
    KeyValueCase{"NumberWithAZeroHighByte",          Bytes(kNumberValue, {0x00, 0x04, 0x00, 0x00}), true,  true,   "1024"},
    KeyValueCase{"NumberAboveTheSignedRange",        Bytes(kNumberValue, {0xFF, 0xFF, 0xFF, 0xFF}), true,  true,   "4294967295"},
    KeyValueCase{"ExpandableStringLeavesItAsItWas",  RegistryValue{2, "%SystemRoot%"},             true,  true,   "as it was"},
    KeyValueCase{"MissingValue",                     std::nullopt,                                 true,  false,  ""},
    KeyValueCase{"MissingKey",                       std::nullopt,                                 false, false,  ""}),
    [](const auto& test) { return std::string(test.param.name); });
// clang-format on

}  // namespace
}  // namespace kalverin
