#pragma once

// Read, write, read again. A reader that fails names its file. A writer may lose what its file
// cannot hold (digits beyond the general format, a double quote inside a text), but never a
// record; and once written, records come back exactly: a file the writer wrote reads back as
// the records it was written from.

#include <string>
#include <string_view>

#include "fuzz_target.h"

namespace kalverin::fuzz {

// `check` holds a reader's properties for what it read, and gives its number of records.
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
