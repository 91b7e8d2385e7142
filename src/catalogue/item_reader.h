#pragma once

// The item syntax every text file of the program shares: items separated by commas or line
// ends, texts between double quotes with nothing escaped, numbers bare. A reader goes by items,
// never by lines.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kalverin {

struct Item {
    std::string text;
    bool quoted = false;
};

class ItemReader {
  public:
    explicit ItemReader(std::string_view bytes) : bytes_(bytes), itemPending_(!bytes.empty()) {}

    // The next item, or nothing when the input has no more items.
    std::optional<Item> Next();

    // How many items have been taken so far.
    std::size_t ItemsRead() const { return itemsRead_; }

  private:
    bool AtLineEnd() const;
    void SkipSeparator();

    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::size_t itemsRead_ = 0;
    // After a comma another item follows, even an empty one at the very end of the input.
    bool itemPending_;
};

}  // namespace kalverin
