#include "support/temp_folder.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kalverin::testing {

TempFolder::TempFolder() {
    std::string name = (std::filesystem::temp_directory_path() / "kalverin-test-XXXXXX").string();
    if (!::mkdtemp(name.data())) {
        throw std::runtime_error("no temporary folder could be made");
    }
    path_ = name;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::Write(const std::filesystem::path& relative,
                                        std::string_view bytes) const {
    auto target = path_ / relative;
    std::filesystem::create_directories(target.parent_path());
    std::ofstream(target, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    return target;
}

std::string TempFolder::Read(const std::filesystem::path& relative) const {
    return ReadFileBytes(path_ / relative);
}

std::filesystem::path BundledData() {
    return KALVERIN_BUNDLED_DATA;
}

void CopyBundledData(const TempFolder& programDir) {
    std::filesystem::copy(BundledData(), programDir.path() / "Data",
                          std::filesystem::copy_options::recursive);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return std::move(bytes).str();
}

}  // namespace kalverin::testing
