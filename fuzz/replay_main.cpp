// Replays a fuzz target's saved inputs without libFuzzer, under a debugger or valgrind if need be:
// each argument is an input or a folder of them, replayed in the order of their names. Finding no
// input fails, so that an empty or misplaced corpus does not pass unseen.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz_target.h"

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        if (!std::filesystem::is_directory(argv[i])) {
            inputs.emplace_back(argv[i]);
            continue;
        }
        std::ranges::copy_if(std::filesystem::recursive_directory_iterator(argv[i]),
                             std::back_inserter(inputs),
                             [](const auto& e) { return e.is_regular_file(); });
    }
    std::sort(inputs.begin(), inputs.end());
    for (const std::filesystem::path& input : inputs) {
        std::ifstream in(input, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        if (!in) {
            std::fprintf(stderr, "%s cannot be read.\n", input.c_str());
            return 1;
        }
        std::fprintf(stderr, "Replaying %s (%zu bytes)\n", input.c_str(), bytes.size());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::fprintf(stderr, "Replayed %zu inputs.\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
