#include "catalogue/details_file.h"

#include "catalogue/field_reader.h"
#include "catalogue/item_writer.h"
#include "catalogue/record_reader.h"
#include "catalogue/records.h"

namespace kalverin {

Outcome<DetailsFile> ReadDetailsFile(std::string_view bytes, std::string_view label) {
    FieldReader reader(bytes);
    DetailsFile file;
    file.count = reader.Count();
    auto rows =
        ReadRecords<DetailRecord>(reader, file.count, kMaxModifications, label, {"row", "rows"},
                                  [](FieldReader& in) { return ReadRecord(in, kDetailFields); });
    if (!rows) {
        return Outcome<DetailsFile>::Failure(rows.error());
    }
    file.rows = std::move(rows.value());
    return file;
}

std::string WriteDetailsFile(const DetailsFile& file) {
    ItemWriter out;
    out.Whole(file.count).EndLine();
    const DetailRecord blank;
    for (int i = 0; i < file.count; ++i) {
        const DetailRecord& row =
            static_cast<std::size_t>(i) < file.rows.size() ? file.rows[i] : blank;
        WriteRecord(out, row, kDetailFields);
    }
    return out.Take();
}

}  // namespace kalverin
