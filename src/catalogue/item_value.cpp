#include "catalogue/item_value.h"

#include "catalogue/conversions.h"

namespace kalverin {

ItemValue ItemValue::Number(double number) {
    ItemValue value;
    value.kind_ = Kind::Number;
    value.number_ = number;
    return value;
}

ItemValue ItemValue::Text(std::string text) {
    ItemValue value;
    value.kind_ = Kind::Text;
    value.text_ = std::move(text);
    return value;
}

ItemValue ItemValue::FromItem(const Item& item) {
    if (item.quoted) {
        return Text(item.text);
    }
    if (item.text.empty()) {
        return {};
    }
    if (auto number = ParseNumber(item.text)) {
        return Number(*number);
    }
    return Text(item.text);
}

std::string ItemValue::Shown() const {
    switch (kind_) {
        case Kind::Number:
            return FormatGeneral(number_);
        case Kind::Text:
            return text_;
        case Kind::Empty:
            break;
    }
    return {};
}

bool ItemValue::Shows(std::string_view text) const {
    return kind_ == Kind::Text ? text_ == text : Shown() == text;
}

ShownText::ShownText(const ItemValue& item)
    : formatted_(item.kind() == ItemValue::Kind::Number ? FormatGeneral(item.number()) : ""),
      view_(item.kind() == ItemValue::Kind::Text ? std::string_view(item.text()) : formatted_) {}

bool ItemValue::IsEmpty() const {
    return kind_ == Kind::Empty || (kind_ == Kind::Text && text_.empty());
}

std::optional<double> ItemValue::AsNumber() const {
    switch (kind_) {
        case Kind::Number:
            return number_;
        case Kind::Text:
            return text_.empty() ? std::optional<double>(0.0) : ParseNumber(text_);
        case Kind::Empty:
            break;
    }
    return 0.0;
}

}  // namespace kalverin
