// Runs a fuzz target on saved inputs without libFuzzer, so that any input can be replayed under a
// debugger or valgrind. Each argument is an input file or a folder whose files are all inputs.
// A run that finds no input at all fails, so an empty or misplaced corpus does not pass unseen.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz_target.h"

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& argument) {
    std::vector<std::filesystem::path> inputs;
    std::error_code error;
    if (std::filesystem::is_directory(argument, error)) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(argument)) {
            if (entry.is_regular_file()) {
                inputs.push_back(entry.path());
            }
        }
        std::sort(inputs.begin(), inputs.end());
    } else {
        inputs.push_back(argument);
    }
    return inputs;
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        for (const std::filesystem::path& input : InputsOf(argv[i])) {
            std::ifstream in(input, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "%s cannot be read.\n", input.c_str());
                return 1;
            }
            std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            std::fprintf(stderr, "Replaying %s (%zu bytes)\n", input.c_str(), bytes.size());
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++replayed;
        }
    }
    if (replayed == 0) {
        std::fprintf(stderr, "No input to replay: name input files or folders.\n");
        return 1;
    }
    std::fprintf(stderr, "Replayed %zu inputs.\n", replayed);
    return 0;
}
