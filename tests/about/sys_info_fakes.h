#pragma once

// A registry and a program starter that tests fill in and then inspect.

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "about/program_starter.h"
#include "about/registry.h"

namespace kalverin::testing {

class FakeRegistry final : public Registry {
  public:
    void Set(RegistryRoot root, const std::string& keyName, const std::string& valueName,
             RegistryValue value) {
        keys_[{root, keyName}][valueName] = std::move(value);
    }
    // A key that exists without values.
    void AddKey(RegistryRoot root, const std::string& keyName) { keys_[{root, keyName}]; }

    std::optional<RegistryKey> OpenKey(RegistryRoot root, const std::string& keyName,
                                       std::uint32_t access) override {
        accessMasks.push_back(access);
        auto key = keys_.find({root, keyName});
        if (key == keys_.end()) {
            return std::nullopt;
        }
        RegistryKey handle = nextHandle_++;
        open_[handle] = &key->second;
        return handle;
    }

    std::optional<RegistryValue> QueryValue(RegistryKey key, const std::string& valueName,
                                            std::size_t bufferSize) override {
        auto open = open_.find(key);
        if (open == open_.end()) {
            faults.push_back("query on a key that is not open");
            return std::nullopt;
        }
        auto value = open->second->find(valueName);
        if (value == open->second->end() || value->second.data.size() > bufferSize) {
            return std::nullopt;
        }
        return value->second;
    }

    void CloseKey(RegistryKey key) override {
        if (open_.erase(key) == 0) {
            faults.push_back("close of a key that is not open");
        }
    }

    // Keys opened and not closed yet.
    std::size_t OpenKeys() const { return open_.size(); }

    std::vector<std::uint32_t> accessMasks;
    std::vector<std::string> faults;

  private:
    std::map<std::pair<RegistryRoot, std::string>, std::map<std::string, RegistryValue>> keys_;
    std::map<RegistryKey, std::map<std::string, RegistryValue>*> open_;
    RegistryKey nextHandle_ = 0x100;
};

class FakeStarter final : public ProgramStarter {
  public:
    bool FileExists(const std::filesystem::path& file) override {
        checked.push_back(file.string());
        return files.contains(file.string());
    }
    std::optional<std::filesystem::path> FindProgram(std::string_view name) override {
        auto found = onSearchPath.find(std::string(name));
        if (found == onSearchPath.end()) {
            return std::nullopt;
        }
        return std::filesystem::path(found->second);
    }
    bool StartProgram(const std::filesystem::path& program) override {
        started.push_back(program.string());
        return startWorks;
    }

    std::set<std::string> files;                      // files that exist
    std::map<std::string, std::string> onSearchPath;  // program name -> its full path
    bool startWorks = true;
    std::vector<std::string> checked;  // files asked about
    std::vector<std::string> started;  // programs asked to start
};

}  // namespace kalverin::testing
