#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kalverin::testing {

// A fresh folder, removed with everything in it when the test ends.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Writes bytes to a file under the folder, creating folders on the way.
    std::filesystem::path Write(const std::filesystem::path& relative,
                                std::string_view bytes) const;
    std::string Read(const std::filesystem::path& relative) const;

  private:
    std::filesystem::path path_;
};

// The folder of the data set that ships with the program.
std::filesystem::path BundledData();

// A program folder whose Data folder is a copy of the bundled data set.
void CopyBundledData(const TempFolder& programDir);

// The whole content of a file.
std::string ReadFileBytes(const std::filesystem::path& path);

}  // namespace kalverin::testing
