#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace kalverin::testing {

inline std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A fresh folder, removed with everything in it when the test ends.
class TempFolder {
  public:
    explicit TempFolder(
        const std::filesystem::path& under = std::filesystem::temp_directory_path()) {
        std::string name = (under / "kalverin-test-XXXXXX").string();
        if (!::mkdtemp(name.data())) {
            throw std::runtime_error("no temporary folder could be made");
        }
        path_ = name;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path Write(const std::filesystem::path& relative,
                                std::string_view bytes) const {
        auto target = path_ / relative;
        std::filesystem::create_directories(target.parent_path());
        std::ofstream(target, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return target;
    }
    std::string Read(const std::filesystem::path& relative) const {
        return ReadFileBytes(path_ / relative);
    }

  private:
    std::filesystem::path path_;
};

inline std::filesystem::path BundledData() {
    return KALVERIN_BUNDLED_DATA;
}

}  // namespace kalverin::testing
