#include "catalogue/field_reader.h"

#include "catalogue/conversions.h"

namespace kalverin {

std::optional<Item> FieldReader::Take() {
    if (!ok()) {
        return std::nullopt;
    }
    auto item = items_.Next();
    if (!item) {
        fault_ = Fault::Ended;
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

std::int16_t FieldReader::Whole(std::string_view field) {
    auto item = Take();
    if (!item) {
        return 0;
    }
    auto number = ParseNumber(item->text);
    if (!number) {
        return 0;
    }
    auto whole = RoundWhole(*number);
    if (!whole) {
        Refuse(field, item->text, "is outside -32768 to 32767");
        return 0;
    }
    return *whole;
}

float FieldReader::Single(std::string_view field) {
    auto item = Take();
    if (!item) {
        return 0;
    }
    auto number = ParseNumber(item->text);
    if (!number) {
        return 0;
    }
    auto single = NarrowToSingle(*number);
    if (!single) {
        Refuse(field, item->text, "is too large for a single-precision number");
        return 0;
    }
    return *single;
}

std::int16_t FieldReader::Count(ItemValue* asRead) {
    auto item = Take();
    if (!item) {
        return 0;
    }
    ItemValue value = ItemValue::FromItem(*item);
    if (asRead) {
        *asRead = value;
    }
    auto number = ParseNumber(item->text);
    if (!number) {
        return 0;
    }
    auto whole = RoundWhole(*number);
    if (!whole) {
        Refuse("the count", item->text, "is outside -32768 to 32767");
        return 0;
    }
    return *whole;
}

void FieldReader::Refuse(std::string_view field, std::string_view text, std::string_view why) {
    fault_ = Fault::OutOfRange;
    faultDetail_ = std::string(field) + " " + std::string(text) + " " + std::string(why);
}

}  // namespace kalverin
