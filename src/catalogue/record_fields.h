#pragma once

// Each kind of record described once: its fields in the order of a file line, how each is held,
// and the name messages give it. The file readers and writers go by these tables, and so do the
// editors when they show a record in their boxes and take it back.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "catalogue/conversions.h"
#include "catalogue/field_reader.h"
#include "catalogue/item_value.h"
#include "catalogue/item_writer.h"
#include "catalogue/records.h"

namespace kalverin {

// A field is held as read (an ItemValue, written back in its kind), as a plain text, as a
// single-precision number or as a 16-bit whole number.
template <typename Record>
using FieldMember = std::variant<ItemValue Record::*, std::string Record::*, float Record::*,
                                 std::int16_t Record::*>;

template <typename Record>
struct RecordField {
    std::string_view name;  // as messages name it: "DPV 40000 is outside ..."
    FieldMember<Record> member;
};

inline constexpr RecordField<FrameRecord> kFrameFields[] = {
    {"Frame", &FrameRecord::Frame},
    {"Power", &FrameRecord::Power},
    {"Damage", &FrameRecord::Damage},
    {"Mode", &FrameRecord::Mode},
    {"Concealability", &FrameRecord::Concealability},
    {"Weight", &FrameRecord::Weight},
    {"Ammo Capacity", &FrameRecord::AmmoCapacity},
    {"Ammo Load", &FrameRecord::AmmoLoad},
    {"Mount 1", &FrameRecord::Mount1},
    {"Mount 2", &FrameRecord::Mount2},
    {"Mount 3", &FrameRecord::Mount3},
    {"FCU", &FrameRecord::FCU},
    {"DPV", &FrameRecord::DPV},
    {"frame number", &FrameRecord::FrameNumber},
};

// Mode comes after Recoil in this file.
inline constexpr RecordField<ModificationRecord> kModificationFields[] = {
    {"Mod Type", &ModificationRecord::ModType},
    {"Modification", &ModificationRecord::Modification},
    {"Power", &ModificationRecord::Power},
    {"Damage", &ModificationRecord::Damage},
    {"Concealability", &ModificationRecord::Concealability},
    {"Weight", &ModificationRecord::Weight},
    {"Ammo Capacity", &ModificationRecord::AmmoCapacity},
    {"Ammo Load", &ModificationRecord::AmmoLoad},
    {"FCU", &ModificationRecord::FCU},
    {"DPV", &ModificationRecord::DPV},
    {"Mount 1", &ModificationRecord::Mount1},
    {"Mount 2", &ModificationRecord::Mount2},
    {"Mount 3", &ModificationRecord::Mount3},
    {"Recoil", &ModificationRecord::Recoil},
    {"Mode", &ModificationRecord::Mode},
    {"Mark-Up", &ModificationRecord::MarkUp},
};

template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
// Clang 14, which builds the fuzzers, does not deduce an aggregate's arguments on its own.
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

// Reads one field of `record` from the next item.
template <typename Record>
void ReadField(FieldReader& in, Record& record, const RecordField<Record>& field) {
    std::visit(Overloaded{
                   [&](ItemValue Record::*member) { record.*member = in.Value(); },
                   [&](std::string Record::*member) { record.*member = in.Text(); },
                   [&](float Record::*member) { record.*member = in.Single(field.name); },
                   [&](std::int16_t Record::*member) { record.*member = in.Whole(field.name); },
               },
               field.member);
}

// Writes one field of `record` as the next item, in the kind it is held in.
template <typename Record>
void WriteField(ItemWriter& out, const Record& record, const RecordField<Record>& field) {
    std::visit(Overloaded{
                   [&](ItemValue Record::*member) { out.Value(record.*member); },
                   [&](std::string Record::*member) { out.Text(record.*member); },
                   [&](float Record::*member) { out.Single(record.*member); },
                   [&](std::int16_t Record::*member) { out.Whole(record.*member); },
               },
               field.member);
}

// One record of a file line, field by field.
template <typename Record, std::size_t N>
Record ReadRecord(FieldReader& in, const RecordField<Record> (&fields)[N]) {
    Record record;
    for (const RecordField<Record>& field : fields) {
        ReadField(in, record, field);
    }
    return record;
}

template <typename Record, std::size_t N>
void WriteRecord(ItemWriter& out, const Record& record, const RecordField<Record> (&fields)[N]) {
    for (const RecordField<Record>& field : fields) {
        WriteField(out, record, field);
    }
    out.EndLine();
}

// The field as a box shows it.
template <typename Record>
std::string ShownField(const Record& record, const FieldMember<Record>& member) {
    return std::visit(Overloaded{
                          [&](ItemValue Record::*m) { return (record.*m).Shown(); },
                          [&](std::string Record::*m) { return record.*m; },
                          [&](float Record::*m) { return FormatGeneral(record.*m); },
                          [&](std::int16_t Record::*m) { return FormatWhole(record.*m); },
                      },
                      member);
}

// Sets a field of `record` from a box's text. A text field takes the text as it is, and so does
// a field held as read, as a text, unless `asNumber`; a number is read from the text as `read`
// says. Gives why no number could be read, the field then left as it was.
template <typename Record>
NumberFault FieldFromText(Record& record, const FieldMember<Record>& member,
                          const std::string& text, NumberText read, bool asNumber = false) {
    auto set = [&record](auto m, auto number) {
        if (number.fault == NumberFault::None) {
            record.*m = number.value;
        }
        return number.fault;
    };
    return std::visit(
        Overloaded{
            [&](ItemValue Record::*m) {
                if (!asNumber) {
                    record.*m = ItemValue::Text(text);
                    return NumberFault::None;
                }
                const FieldNumber<double> number = DoubleFromText(text, read);
                if (number.fault == NumberFault::None) {
                    record.*m = ItemValue::Number(number.value);
                }
                return number.fault;
            },
            [&](std::string Record::*m) {
                record.*m = text;
                return NumberFault::None;
            },
            [&](float Record::*m) { return set(m, SingleFromText(text, read)); },
            [&](std::int16_t Record::*m) { return set(m, WholeFromText(text, read)); },
        },
        member);
}

// Whether the field is written between double quotes (or may be), so that it cannot hold one.
template <typename Record>
bool IsTextField(const FieldMember<Record>& member) {
    return std::holds_alternative<ItemValue Record::*>(member) ||
           std::holds_alternative<std::string Record::*>(member);
}

}  // namespace kalverin
