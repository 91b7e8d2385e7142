#pragma once

// What every fuzz target shares. A target is one function that takes any bytes and must neither
// crash nor break a stated property; it links either with libFuzzer or with replay_main.cpp.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "catalogue/outcome.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace kalverin::fuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A broken property is a crash, so that libFuzzer keeps the input and a replay fails.
inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "Property broken: %s\n", property);
        std::abort();
    }
}

// A reader's message must name the file it is about.
inline void RequireNamesFile(std::string_view message, std::string_view label) {
    Require(message.substr(0, label.size()) == label, "the message begins with the file's name");
}

// What a reader read, or nothing once its message is seen to name the file.
template <typename T>
const T* ValueOrNamedFailure(const Outcome<T>& outcome, std::string_view label) {
    if (!outcome) {
        RequireNamesFile(outcome.error(), label);
        return nullptr;
    }
    return &outcome.value();
}

}  // namespace kalverin::fuzz
