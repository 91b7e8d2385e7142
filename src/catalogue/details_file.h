#pragma once

// Details.txt: the free-text description of each modification, one row per modification in
// the order of Modifications.txt. The modification editor reads and writes it; the main window
// reads it to describe an option.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/item_value.h"
#include "catalogue/outcome.h"
#include "catalogue/record_fields.h"

namespace kalverin {

// One row of Details.txt. The label names the row for someone reading the file; it is never
// shown nor compared, and is written back as it was read.
struct DetailRecord {
    ItemValue label;
    std::string text;

    friend bool operator==(const DetailRecord&, const DetailRecord&) = default;
};

inline constexpr RecordField<DetailRecord> kDetailFields[] = {
    {"label", &DetailRecord::label},
    {"details", &DetailRecord::text},
};

struct DetailsFile {
    std::int16_t count = 0;
    std::vector<DetailRecord> rows;

    friend bool operator==(const DetailsFile&, const DetailsFile&) = default;
};

// The count, then per row its label and its text. `label` names the file in messages.
Outcome<DetailsFile> ReadDetailsFile(std::string_view bytes, std::string_view label);

// The count, then rows 1 to count; a row the vector lacks is written with an empty label and
// an empty text.
std::string WriteDetailsFile(const DetailsFile& file);

}  // namespace kalverin
