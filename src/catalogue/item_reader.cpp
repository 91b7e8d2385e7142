#include "catalogue/item_reader.h"

namespace kalverin {

bool ItemReader::AtLineEnd() const {
    return pos_ < bytes_.size() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n');
}

// Consumes the comma or line end (CR LF, a lone LF or a lone CR) that ends an item.
void ItemReader::SkipSeparator() {
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
    Item item;
    if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
        item.quoted = true;
        std::size_t close = bytes_.find('"', pos_ + 1);
        if (close == std::string_view::npos) {
            // An unclosed quote runs to the end of the input.
            item.text = bytes_.substr(pos_ + 1);
            pos_ = bytes_.size();
        } else {
            item.text = bytes_.substr(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
            // Whatever follows the closing quote, up to the separator, is passed over.
            while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !AtLineEnd()) {
                ++pos_;
            }
        }
    } else {
        std::size_t start = pos_;
        while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !AtLineEnd()) {
            ++pos_;
        }
        item.text = bytes_.substr(start, pos_ - start);
    }
    SkipSeparator();
    ++itemsRead_;
    return item;
}

}  // namespace kalverin
