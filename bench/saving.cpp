#include "saving.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <utility>

#include "catalogue/file_store.h"
#include "support/temp_folder.h"

namespace kalverin::bench {

void SettleFiles(benchmark::State& state, const std::vector<std::filesystem::path>& paths) {
    state.PauseTiming();
    for (const std::filesystem::path& path : paths) {
        const int file = open(path.c_str(), O_RDONLY);
        if (file >= 0) {
            fdatasync(file);
            close(file);
        }
    }
    state.ResumeTiming();
}

void RewriteAsIs(benchmark::State& state, const std::vector<std::filesystem::path>& paths) {
    std::vector<std::pair<std::filesystem::path, std::string>> files;
    for (const std::filesystem::path& path : paths) {
        files.emplace_back(path, testing::ReadFileBytes(path));
    }
    for (auto _ : state) {
        SettleFiles(state, paths);
        for (const auto& [path, bytes] : files) {
            if (!DiskFiles().Write(path, bytes)) {
                state.SkipWithError("a file could not be written");
            }
        }
    }
}

}  // namespace kalverin::bench
