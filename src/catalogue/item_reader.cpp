#include "catalogue/item_reader.h"

namespace kalverin {

bool ItemReader::AtLineEnd() const {
    return pos_ < bytes_.size() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n');
}

// Consumes the comma or line end (CR LF, a lone LF or a lone CR) that ends an item.
void ItemReader::SkipSeparator() {
    lineEnded_ = pos_ >= bytes_.size() || bytes_[pos_] != ',';
    if (pos_ >= bytes_.size()) {
        itemPending_ = false;
        return;
    }
    if (bytes_[pos_] == ',') {
        ++pos_;
        itemPending_ = true;
        return;
    }
    if (bytes_[pos_] == '\r') {
        ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n') {
            ++pos_;
        }
    } else {
        ++pos_;
    }
    itemPending_ = pos_ < bytes_.size();
}

std::optional<Item> ItemReader::Next() {
    if (!itemPending_) {
        return std::nullopt;
    }
    while (pos_ < bytes_.size() && (bytes_[pos_] == ' ' || bytes_[pos_] == '\t')) {
        ++pos_;
    }
    const std::size_t start = pos_;
    Item item;
    std::size_t begin = pos_;
    std::size_t end;
    if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
        item.quoted = true;
        begin = pos_ + 1;
        std::size_t close = bytes_.find('"', begin);
        // An unclosed quote runs to the end of the input.
        end = close == std::string_view::npos ? bytes_.size() : close;
        pos_ = close == std::string_view::npos ? bytes_.size() : close + 1;
        // Whatever follows the closing quote, up to the separator, is passed over.
        while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !AtLineEnd()) {
            ++pos_;
        }
    } else {
        while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !AtLineEnd()) {
            ++pos_;
        }
        end = pos_;
    }
    if (end - begin > kMaxItemBytes) {
        longItemAt_ = start;
        itemPending_ = false;
        return std::nullopt;
    }
    item.text = bytes_.substr(begin, end - begin);
    lastStart_ = start;
    SkipSeparator();
    ++itemsRead_;
    return item;
}

std::size_t ItemReader::LongItemLine() const {
    return longItemAt_ == std::string_view::npos ? 0 : LineOf(bytes_, longItemAt_);
}

std::size_t LineOf(std::string_view bytes, std::size_t offset) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < offset && i < bytes.size(); ++i) {
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) {
            ++line;
        }
    }
    return line;
}

}  // namespace kalverin
