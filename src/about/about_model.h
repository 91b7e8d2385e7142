#pragma once

// The About window without a toolkit: its caption and labels, and the "System Info" button's
// search for the system-information tool.

#include <cstdint>
#include <string>
#include <vector>

#include "about/program_starter.h"
#include "about/registry.h"
#include "controls/control_table.h"
#include "controls/controls.h"
#include "controls/user_dialogs.h"

namespace kalverin {

// Read and write access, as the tool's keys are opened with.
inline constexpr std::uint32_t kSysInfoKeyAccess = 0x2003F;
// The size of the buffer a registry value is read into.
inline constexpr std::size_t kKeyValueBufferSize = 1024;

inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";

// The programs tried, in this order, where the registry does not name the tool. Empty on
// Windows, where the registry is the one place to look.
std::vector<std::string> SystemInformationTools();

class AboutModel {
  public:
    // The tool is looked up in `registry`, else among `otherTools` on the search path, and
    // started through `starter`; the one message goes to `dialogs`.
    AboutModel(Registry& registry, ProgramStarter& starter, UserDialogs& dialogs,
               std::vector<std::string> otherTools = SystemInformationTools());

    // The window: its picture, labels and buttons.
    static std::span<const Control<AboutModel>> Controls();

    // The window's load: its caption, the title and the version line.
    void Load();
    // "System Info": finds and starts the system-information tool, or says it is unavailable.
    void StartSysInfo();
    // Reads the value `SubKeyRef` of the key `KeyName` under `KeyRoot` into `KeyVal` as text.
    // False, with `KeyVal` empty, when the key or the value cannot be read; a value of a type
    // other than string or 32-bit number leaves `KeyVal` as it was.
    bool GetKeyValue(RegistryRoot KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                     std::string& KeyVal);

    // The window's caption and its labels, named as the window's controls.
    std::string caption;
    TextBox lblTitle;
    TextBox lblVersion;
    TextBox lblDescription;
    TextBox lblDisclaimer;

  private:
    // The tool named by the registry, or the first of the other tools found.
    std::optional<std::filesystem::path> FindSysInfo();

    Registry& registry_;
    ProgramStarter& starter_;
    UserDialogs& dialogs_;
    std::vector<std::string> otherTools_;
};

}  // namespace kalverin
