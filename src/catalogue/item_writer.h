#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/item_value.h"

namespace kalverin {

// The text as a quoted item can hold it: a double quote becomes a single quote and a line break
// a blank, as the text boxes do with what is pasted into them.
std::string WritableText(std::string_view text);

// Whether a quoted item can hold the text as it is: texts are written with nothing escaped, so a
// quote or a line break inside one would end the item early and shift every item after it.
bool FitsBetweenQuotes(std::string_view text);

// Builds a file in the item syntax: items of a line joined by commas, texts quoted, numbers
// bare in plain decimal notation, each line ended by CR LF.
class ItemWriter {
  public:
    ItemWriter& Text(std::string_view text);
    ItemWriter& Number(double number);
    ItemWriter& Single(float number);
    ItemWriter& Whole(std::int16_t number);
    ItemWriter& Value(const ItemValue& value);
    ItemWriter& EndLine();

    const std::string& bytes() const { return bytes_; }
    // The length of the longest text written so far.
    std::size_t longestText() const { return longestText_; }
    std::string Take() { return std::move(bytes_); }

  private:
    void Separate();

    std::string bytes_;
    bool lineStarted_ = false;
    std::size_t longestText_ = 0;
};

}  // namespace kalverin
