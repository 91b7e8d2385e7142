#pragma once

// The few registry operations the About window reads the system-information tool's place with.
// On Windows they are the system's own; elsewhere there is no registry and no key is found.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kalverin {

// A root key, as the 32-bit handle value the system defines for it.
using RegistryRoot = std::uint32_t;
inline constexpr RegistryRoot kLocalMachine = 0x80000002;

// The value types the About window understands.
inline constexpr std::uint32_t kStringValue = 1;
inline constexpr std::uint32_t kNumberValue = 4;  // a 32-bit number, low byte first

// An open key, as the registry gave it out.
using RegistryKey = std::uintptr_t;

struct RegistryValue {
    std::uint32_t type = 0;
    std::string data;  // the bytes returned, a string's terminating NUL included if stored
};

class Registry {
  public:
    virtual ~Registry() = default;
    // Opens the key `keyName` under `root` with the access mask `access`; nothing if it fails.
    virtual std::optional<RegistryKey> OpenKey(RegistryRoot root, const std::string& keyName,
                                               std::uint32_t access) = 0;
    // Reads the value `valueName` into a buffer of `bufferSize` bytes; nothing if it fails, a
    // value too long for the buffer included.
    virtual std::optional<RegistryValue> QueryValue(RegistryKey key, const std::string& valueName,
                                                    std::size_t bufferSize) = 0;
    virtual void CloseKey(RegistryKey key) = 0;
};

// The registry of the machine the program runs on.
std::unique_ptr<Registry> PlatformRegistry();

}  // namespace kalverin
