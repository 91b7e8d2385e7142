#pragma once

// Starts other programs with QProcess: no shell between, so a path is never read as a command.

#include "about/program_starter.h"

namespace kalverin {

class ProcessStarter final : public ProgramStarter {
  public:
    bool FileExists(const std::filesystem::path& file) override;
    std::optional<std::filesystem::path> FindProgram(std::string_view name) override;
    bool StartProgram(const std::filesystem::path& program) override;
};

}  // namespace kalverin
