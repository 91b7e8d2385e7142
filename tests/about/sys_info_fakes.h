#pragma once

// A registry and a program starter that tests fill in and then inspect. A key opened with other
// than read and write access, used or closed when it is not open, or left open fails the test.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "about/program_starter.h"
#include "about/registry.h"

namespace kalverin::testing {

class FakeRegistry final : public Registry {
  public:
    ~FakeRegistry() override { EXPECT_TRUE(open_.empty()) << "every key opened is closed again"; }

    std::optional<RegistryKey> OpenKey(RegistryRoot root, const std::string& keyName,
                                       std::uint32_t access) override {
        EXPECT_EQ(access, 0x2003Fu);
        if (root != kLocalMachine || !keys.contains(keyName)) {
            return std::nullopt;
        }
        open_[++lastHandle_] = &keys[keyName];
        return lastHandle_;
    }
    std::optional<RegistryValue> QueryValue(RegistryKey key, const std::string& valueName,
                                            std::size_t bufferSize) override {
        auto open = open_.find(key);
        if (open == open_.end()) {
            ADD_FAILURE() << "query on a key that is not open";
            return std::nullopt;
        }
        auto value = open->second->find(valueName);
        if (value == open->second->end() || value->second.data.size() > bufferSize) {
            return std::nullopt;
        }
        return value->second;
    }
    void CloseKey(RegistryKey key) override {
        EXPECT_EQ(open_.erase(key), 1U) << "close of a key that is not open";
    }

    // The keys under the local machine's root: their values by name.
    std::map<std::string, std::map<std::string, RegistryValue>> keys;

  private:
    std::map<RegistryKey, std::map<std::string, RegistryValue>*> open_;
    RegistryKey lastHandle_ = 0x100;
};

class FakeStarter final : public ProgramStarter {
  public:
    bool FileExists(const std::filesystem::path& file) override {
        return files.contains(file.string());
    }
    std::optional<std::filesystem::path> FindProgram(std::string_view name) override {
        auto found = onSearchPath.find(std::string(name));
        return found == onSearchPath.end() ? std::nullopt : std::optional(found->second);
    }
    bool StartProgram(const std::filesystem::path& program) override {
        started.push_back(program.string());
        return startWorks;
    }

    std::set<std::string> files;                      // files that exist
    std::map<std::string, std::string> onSearchPath;  // program name -> its full path
    bool startWorks = true;
    std::vector<std::string> started;  // programs asked to start
};

}  // namespace kalverin::testing
