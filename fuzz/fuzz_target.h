#pragma once

// What every fuzz target shares. A target is one function that takes any bytes and must neither
// crash nor break a stated property; it links either with libFuzzer or with replay_main.cpp.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace kalverin::fuzz {

// A broken property is a crash, so that libFuzzer keeps the input and a replay fails.
inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "Property broken: %s\n", property);
        std::abort();
    }
}

}  // namespace kalverin::fuzz
