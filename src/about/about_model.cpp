#include "about/about_model.h"

#include "kalverin_version.h"

namespace kalverin {
namespace {

constexpr const char* kDescription =
    "Kalverin designs firearms under the firearm creation rules of a published sourcebook: "
    "choose a frame, install options and modifications, and read the resulting statistics and "
    "price. The rules data lives in plain text files in the Data folder beside the program.";

constexpr const char* kDisclaimer =
    "Kalverin is a design aid. It describes fictional weapons only; nothing it shows is a plan "
    "for a real one. The program comes with no warranty of any kind.";

// A 32-bit number value is stored low byte first. Bytes missing at the end count as zero: the
// last one may have been taken for a string's terminating NUL.
std::uint32_t NumberValue(const std::string& bytes) {
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < bytes.size() && i < 4; ++i) {
        number |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    return number;
}

}  // namespace

std::span<const Control<AboutModel>> AboutModel::Controls() {
    using M = AboutModel;
    using K = ControlKind;
    // The picture beside the title, the version and the description; under the rule, the
    // disclaimer beside the buttons. "OK" is the window's own: it closes it.
    static constexpr Control<M> kTable[] = {
        {.name = "cmdOK",
         .caption = "OK",
         .kind = K::Button,
         .place = {.row = 4, .column = 2, .caption = CaptionAt::On}},
        {.name = "cmdSysInfo",
         .caption = "&System Info...",
         .kind = K::Button,
         .place = {.row = 5, .column = 2, .caption = CaptionAt::On},
         .on = {.pressed = &M::StartSysInfo}},
        {.name = "Image1",
         .kind = K::Picture,
         .place = {.rowSpan = 3},
         .accessibleName = "Kalverin's picture"},
        {.name = "lblTitle", .kind = K::Label, .mirror = &M::lblTitle, .place = {.column = 1}},
        {.name = "lblVersion",
         .kind = K::Label,
         .mirror = &M::lblVersion,
         .place = {.row = 1, .column = 1}},
        {.name = "lblDescription",
         .kind = K::Label,
         .mirror = &M::lblDescription,
         .place = {.row = 2, .column = 1}},
        {.name = "Rule",
         .kind = K::Rule,
         .place = {.row = 3, .columnSpan = 3},
         .accessibleName = "Rule"},
        {.name = "lblDisclaimer",
         .kind = K::Label,
         .mirror = &M::lblDisclaimer,
         .place = {.row = 4, .rowSpan = 2, .columnSpan = 2}},
    };
    return kTable;
}

std::vector<std::string> SystemInformationTools() {
#ifdef _WIN32
    return {};
#else
    return {"hardinfo2", "hardinfo", "kinfocenter", "cpu-x"};
#endif
}

AboutModel::AboutModel(Registry& registry, ProgramStarter& starter, UserDialogs& dialogs,
                       std::vector<std::string> otherTools)
    : registry_(registry),
      starter_(starter),
      dialogs_(dialogs),
      otherTools_(std::move(otherTools)) {
    lblDescription.text = kDescription;
    lblDisclaimer.text = kDisclaimer;
}

void AboutModel::Load() {
    caption = std::string("About ") + kApplicationTitle;
    lblVersion.text = "Version " + std::to_string(kVersionMajor) + "." +
                      std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision);
    lblTitle.text = kApplicationTitle;
}

void AboutModel::StartSysInfo() {
    std::optional<std::filesystem::path> tool = FindSysInfo();
    if (!tool || !starter_.StartProgram(*tool)) {
        dialogs_.ShowMessage(kSysInfoUnavailable);
    }
}

std::optional<std::filesystem::path> AboutModel::FindSysInfo() {
    std::string SysInfoPath;
    // The tool's own entry names it in full; it is trusted without looking for the file.
    if (GetKeyValue(kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                    SysInfoPath)) {
        return std::filesystem::path(SysInfoPath);
    }
    if (GetKeyValue(kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                    SysInfoPath)) {
        std::filesystem::path tool(SysInfoPath + "\\MSINFO32.EXE");
        if (starter_.FileExists(tool)) {
            return tool;
        }
        return std::nullopt;
    }
    for (const std::string& name : otherTools_) {
        if (std::optional<std::filesystem::path> found = starter_.FindProgram(name)) {
            return found;
        }
    }
    return std::nullopt;
}

bool AboutModel::GetKeyValue(RegistryRoot KeyRoot, const std::string& KeyName,
                             const std::string& SubKeyRef, std::string& KeyVal) {
    std::optional<RegistryKey> key = registry_.OpenKey(KeyRoot, KeyName, kSysInfoKeyAccess);
    if (!key) {
        KeyVal.clear();
        return false;
    }
    std::optional<RegistryValue> value = registry_.QueryValue(*key, SubKeyRef, kKeyValueBufferSize);
    if (!value) {
        KeyVal.clear();
        registry_.CloseKey(*key);
        return false;
    }
    std::string data = std::move(value->data);
    if (!data.empty() && data.back() == '\0') {
        data.pop_back();
    }
    if (value->type == kStringValue) {
        KeyVal = std::move(data);
    } else if (value->type == kNumberValue) {
        KeyVal = std::to_string(NumberValue(data));
    }
    registry_.CloseKey(*key);
    return true;
}

}  // namespace kalverin
