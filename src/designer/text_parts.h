#pragma once

// Texts the main window shows, written piece by piece into the text of a box, whose room is
// reused from one action to the next.

#include <string>
#include <string_view>

#include "catalogue/conversions.h"

namespace kalverin {

// Adds each part to the end of `text`.
template <typename... Parts>
void Append(std::string& text, const Parts&... parts) {
    (text.append(std::string_view(parts)), ...);
}

// A change as a number with its sign: "+1", "-0.5", "+0".
template <typename Number>
std::string Signed(Number value) {
    if (value == 0) {
        return "+0";
    }
    std::string text = value > 0 ? "+" : "";
    return text += FormatGeneral(value);
}

// Parts written one after another into a text, `separator` between two of them: the lines of
// the details, the reasons an option does not fit, the changes one level makes.
class PartList {
  public:
    PartList(std::string& text, std::string_view separator)
        : text_(text), separator_(separator), start_(text.size()) {}

    template <typename... Parts>
    void Add(const Parts&... parts) {
        if (text_.size() > start_) {
            text_.append(separator_);
        }
        Append(text_, parts...);
    }
    // Whether nothing has been added yet.
    bool empty() const { return text_.size() == start_; }

  private:
    std::string& text_;
    std::string_view separator_;
    std::size_t start_;
};

}  // namespace kalverin
