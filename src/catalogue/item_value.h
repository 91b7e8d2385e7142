#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "catalogue/item_reader.h"

namespace kalverin {

// One item as it was read: empty, a number or a text. It is shown as its text and written back
// in the kind it holds, so a bare 12 stays bare and a quoted "12" stays quoted.
class ItemValue {
  public:
    enum class Kind { Empty, Number, Text };

    ItemValue() = default;
    static ItemValue Number(double number);
    static ItemValue Text(std::string text);

    // An empty item is empty, a quoted item is a text, a bare item that is a number is a number
    // and any other bare item is a text.
    static ItemValue FromItem(const Item& item);

    Kind kind() const { return kind_; }
    double number() const { return number_; }
    // The text of a text item; empty for the other kinds.
    const std::string& text() const { return text_; }

    // The text a box shows: the text, the number in the general format, or nothing.
    std::string Shown() const;

    // Whether it shows exactly `text`; a text is compared without being copied.
    bool Shows(std::string_view text) const;

    // Empty when it shows nothing, whether read as an empty item or as a quoted "".
    bool IsEmpty() const;

    // The value as a number for arithmetic: a number, a text that is a number, or 0 when empty.
    // Nothing for any other text.
    std::optional<double> AsNumber() const;

    friend bool operator==(const ItemValue&, const ItemValue&) = default;

  private:
    Kind kind_ = Kind::Empty;
    double number_ = 0;
    std::string text_;
};

// The text an item shows, without copying a text item's text: a number is formatted into a
// text of its own, which the short numbers of the data files fit without asking for memory.
class ShownText {
  public:
    explicit ShownText(const ItemValue& item);
    // It may see its own text, which a copy would not.
    ShownText(const ShownText&) = delete;
    ShownText& operator=(const ShownText&) = delete;
    std::string_view view() const { return view_; }

  private:
    std::string formatted_;
    std::string_view view_;
};

}  // namespace kalverin
