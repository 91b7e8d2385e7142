#include "catalogue/field_reader.h"

#include "catalogue/conversions.h"

namespace kalverin {
namespace {
thread_local ReadNotes* noting = nullptr;
constexpr std::string_view kOutsideWhole = "is outside -32768 to 32767";
}  // namespace

NotingReads::NotingReads(ReadNotes& notes) : outer_(noting) {
    noting = &notes;
}

NotingReads::~NotingReads() {
    noting = outer_;
}

FieldReader::FieldReader(std::string_view bytes) : items_(bytes), notes_(noting) {}

std::size_t FieldReader::FirstItemLeft() const {
    ItemReader rest = items_;
    while (auto item = rest.Next()) {
        if (!item->text.empty()) {
            return rest.LastItemStart();
        }
    }
    return std::string_view::npos;
}

void FieldReader::NoteZero(std::string_view field, const Item& item) {
    // An empty number is 0 by intent; a text that is none is a slip the reader passes over.
    if (notes_ && item.text.find_first_not_of(" \t") != std::string::npos) {
        const std::size_t record = notes_->recordStarts.size();
        notes_->zeroed.push_back({record, field, item.text, items_.LastItemStart()});
    }
}

std::optional<Item> FieldReader::Take() {
    if (!ok()) {
        return std::nullopt;
    }
    auto item = items_.Next();
    if (!item) {
        fault_ = items_.LongItemLine() != 0 ? Fault::TooLong : Fault::Ended;
    }
    return item;
}

ItemValue FieldReader::Value() {
    auto item = Take();
    return item ? ItemValue::FromItem(*item) : ItemValue();
}

std::string FieldReader::Text() {
    auto item = Take();
    return item ? std::move(item->text) : std::string();
}

// A number item as its field's type. A text that is no number reads as 0; a number the type
// cannot hold is a fault named after the field.
template <typename Number>
Number FieldReader::Narrowed(const Item& item, std::string_view field,
                             FieldNumber<Number> (*fromText)(std::string_view, NumberText),
                             std::string_view why) {
    const FieldNumber<Number> number = fromText(item.text, NumberText::Whole);
    if (number.fault == NumberFault::NoNumber) {
        NoteZero(field, item);
    } else if (number.fault == NumberFault::OutOfRange) {
        Refuse(field, item.text, why);
    }
    return number.value;
}

std::int16_t FieldReader::Whole(std::string_view field) {
    auto item = Take();
    return item ? Narrowed(*item, field, WholeFromText, kOutsideWhole) : 0;
}

float FieldReader::Single(std::string_view field) {
    auto item = Take();
    return item ? Narrowed(*item, field, SingleFromText,
                           "is too large for a single-precision number")
                : 0;
}

std::int16_t FieldReader::Count(ItemValue* asRead) {
    auto item = Take();
    if (!item) {
        return 0;
    }
    if (asRead) {
        *asRead = ItemValue::FromItem(*item);
    }
    return Narrowed(*item, "the count", WholeFromText, kOutsideWhole);
}

void FieldReader::Refuse(std::string_view field, std::string_view text, std::string_view why) {
    fault_ = Fault::OutOfRange;
    faultDetail_ = std::string(field) + " " + std::string(text) + " " + std::string(why);
}

}  // namespace kalverin
