#pragma once

// Read, write, read again. A writer may lose what its file cannot hold (digits beyond the
// general format, a double quote inside a text), but never a record; and once written, records
// come back exactly: a file the writer wrote reads back as the records it was written from.

#include <string>
#include <string_view>

#include "fuzz_target.h"

namespace kalverin::fuzz {

template <typename Read, typename Write, typename CountRecords>
void RequireRoundTrip(std::string_view bytes, Read read, Write write, CountRecords count) {
    auto first = read(bytes);
    if (!first) {
        return;
    }
    const std::string written = write(first.value());
    auto second = read(written);
    Require(second.ok(), "what the writer wrote reads back");
    Require(count(second.value()) == count(first.value()), "the rewrite keeps every record");
    auto third = read(write(second.value()));
    Require(third.ok() && third.value() == second.value(),
            "a written file reads back as the records written");
}

}  // namespace kalverin::fuzz
