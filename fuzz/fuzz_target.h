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

// What a reader read, or nothing once its message is seen to name the file.
template <typename T>
const T* ValueOrNamedFailure(const Outcome<T>& outcome, std::string_view label) {
    Require(outcome || outcome.error().starts_with(label),
            "the message begins with the file's name");
    return outcome ? &outcome.value() : nullptr;
}

// Read, write, read again. A writer may lose what its file cannot hold (digits beyond the general
// format, a double quote inside a text), but never a record; and once written, records come back
// exactly. `check` holds a reader's properties for what it read, and gives its number of records.
template <typename Read, typename Write, typename Check>
void RequireReadAndRoundTrip(std::string_view bytes, std::string_view label, Read read, Write write,
                             Check check) {
    auto first = read(bytes);
    if (!ValueOrNamedFailure(first, label)) {
        return;
    }
    const auto records = check(first.value());
    auto second = read(write(first.value()));
    Require(second.ok(), "what the writer wrote reads back");
    Require(check(second.value()) == records, "the rewrite keeps every record");
    auto third = read(write(second.value()));
    Require(third.ok() && third.value() == second.value(),
            "a written file reads back as the records written");
}

}  // namespace kalverin::fuzz
