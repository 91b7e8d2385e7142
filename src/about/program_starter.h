#pragma once

// Finding and starting another program, as the About window's "System Info" button needs.

#include <filesystem>
#include <optional>
#include <string_view>

namespace kalverin {

class ProgramStarter {
  public:
    virtual ~ProgramStarter() = default;
    // Whether a file (not a folder) exists at `file`.
    virtual bool FileExists(const std::filesystem::path& file) = 0;
    // The full path of the program `name` found on the search path; nothing when it is not there.
    virtual std::optional<std::filesystem::path> FindProgram(std::string_view name) = 0;
    // Starts `program` as a separate process, in a normal window that takes the focus, and
    // returns at once without waiting for it. False when it cannot be started.
    virtual bool StartProgram(const std::filesystem::path& program) = 0;
};

}  // namespace kalverin
