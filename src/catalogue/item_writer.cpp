#include "catalogue/item_writer.h"

#include <algorithm>

#include "catalogue/conversions.h"

namespace kalverin {

std::string WritableText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            result += '\'';
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            result += ' ';
        } else {
            result += c;
        }
    }
    return result;
}

bool FitsBetweenQuotes(std::string_view text) {
    return text.find_first_of("\"\r\n") == std::string_view::npos;
}

void ItemWriter::Separate() {
    if (lineStarted_) {
        bytes_ += ',';
    }
    lineStarted_ = true;
}

ItemWriter& ItemWriter::Text(std::string_view text) {
    Separate();
    longestText_ = std::max(longestText_, text.size());
    bytes_ += '"';
    bytes_ += text;
    bytes_ += '"';
    return *this;
}

ItemWriter& ItemWriter::Number(double number) {
    Separate();
    bytes_ += FormatGeneral(number);
    return *this;
}

ItemWriter& ItemWriter::Single(float number) {
    Separate();
    bytes_ += FormatGeneral(number);
    return *this;
}

ItemWriter& ItemWriter::Whole(std::int16_t number) {
    Separate();
    bytes_ += FormatWhole(number);
    return *this;
}

ItemWriter& ItemWriter::Value(const ItemValue& value) {
    switch (value.kind()) {
        case ItemValue::Kind::Number:
            return Number(value.number());
        case ItemValue::Kind::Text:
            return Text(value.Shown());
        case ItemValue::Kind::Empty:
            break;
    }
    Separate();
    return *this;
}

ItemWriter& ItemWriter::EndLine() {
    bytes_ += "\r\n";
    lineStarted_ = false;
    return *this;
}

}  // namespace kalverin
