#pragma once

// The loop every data file reader shares: the count line, then that many records, each read
// by the caller's function. The first fault ends it with a message that names the file.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/field_reader.h"
#include "catalogue/outcome.h"

namespace kalverin {

struct RecordWords {
    std::string_view one;
    std::string_view many;
};

inline std::string LongItemMessage(const FieldReader& reader, const std::string& file) {
    return file + ", line " + std::to_string(reader.LongItemLine()) + ": an item is longer than " +
           std::to_string(kMaxItemBytes) + " characters, far more than any name or text.";
}

// Reads the count line and then `count` records with `readOne`, stopping at the first fault
// with a message that names the file and the record.
template <typename Record, typename ReadOne>
Outcome<std::vector<Record>> ReadRecords(FieldReader& reader, std::int16_t count, int capacity,
                                         std::string_view label, RecordWords words,
                                         ReadOne readOne) {
    std::string file(label);
    if (reader.fault() == FieldReader::Fault::TooLong) {
        return Outcome<std::vector<Record>>::Failure(LongItemMessage(reader, file));
    }
    if (reader.fault() == FieldReader::Fault::Ended) {
        return Outcome<std::vector<Record>>::Failure(file + " is empty: it has no count line.");
    }
    if (reader.fault() == FieldReader::Fault::OutOfRange) {
        return Outcome<std::vector<Record>>::Failure(file + ": " + reader.OutOfRangeDetail() + ".");
    }
    if (count > capacity) {
        return Outcome<std::vector<Record>>::Failure(
            file + " lists " + std::to_string(count) + " " + std::string(words.many) +
            "; Kalverin holds at most " + std::to_string(capacity) + ".");
    }
    std::vector<Record> records;
    records.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    ReadNotes* notes = reader.notes();
    for (int i = 1; i <= count; ++i) {
        if (notes) {
            notes->recordStarts.push_back(reader.Position());
        }
        Record record = readOne(reader);
        if (reader.fault() == FieldReader::Fault::TooLong) {
            return Outcome<std::vector<Record>>::Failure(LongItemMessage(reader, file));
        }
        if (reader.fault() == FieldReader::Fault::Ended) {
            return Outcome<std::vector<Record>>::Failure(
                file + " ends after " + std::to_string(i - 1) + " of " + std::to_string(count) +
                " " + std::string(words.many) + ".");
        }
        if (reader.fault() == FieldReader::Fault::OutOfRange) {
            return Outcome<std::vector<Record>>::Failure(file + ", " + std::string(words.one) +
                                                         " " + std::to_string(i) + ": " +
                                                         reader.OutOfRangeDetail() + ".");
        }
        records.push_back(std::move(record));
    }
    if (notes) {
        notes->leftOver = reader.FirstItemLeft();
    }
    return records;
}

}  // namespace kalverin
