#include "about/registry.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace kalverin {
namespace {

#ifdef _WIN32

HKEY Handle(RegistryKey key) {
    return reinterpret_cast<HKEY>(key);
}

// The root handles are small negative numbers when widened to a pointer, as the system's own
// definitions make them: sign-extend, do not zero-extend.
HKEY RootHandle(RegistryRoot root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

class WindowsRegistry final : public Registry {
  public:
    std::optional<RegistryKey> OpenKey(RegistryRoot root, const std::string& keyName,
                                       std::uint32_t access) override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(RootHandle(root), keyName.c_str(), 0, static_cast<REGSAM>(access),
                          &key) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return reinterpret_cast<RegistryKey>(key);
    }

    std::optional<RegistryValue> QueryValue(RegistryKey key, const std::string& valueName,
                                            std::size_t bufferSize) override {
        std::string buffer(bufferSize, '\0');
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(bufferSize);
        if (RegQueryValueExA(Handle(key), valueName.c_str(), nullptr, &type,
                             reinterpret_cast<LPBYTE>(buffer.data()), &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        buffer.resize(size);
        return RegistryValue{static_cast<std::uint32_t>(type), std::move(buffer)};
    }

    void CloseKey(RegistryKey key) override { RegCloseKey(Handle(key)); }
};

#else

// Without a registry every key is missing.
class NoRegistry final : public Registry {
  public:
    std::optional<RegistryKey> OpenKey(RegistryRoot, const std::string&, std::uint32_t) override {
        return std::nullopt;
    }
    std::optional<RegistryValue> QueryValue(RegistryKey, const std::string&, std::size_t) override {
        return std::nullopt;
    }
    void CloseKey(RegistryKey) override {}
};

#endif

}  // namespace

std::unique_ptr<Registry> PlatformRegistry() {
#ifdef _WIN32
    return std::make_unique<WindowsRegistry>();
#else
    return std::make_unique<NoRegistry>();
#endif
}

}  // namespace kalverin
