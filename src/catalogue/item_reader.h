#pragma once

// The item syntax every text file of the program shares: items separated by commas or line
// ends, texts between double quotes with nothing escaped, numbers bare. A reader goes by items,
// never by lines.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kalverin {

// The longest item taken. No name or text of a design or of the rules comes near it; a longer
// one is a damaged file, refused rather than handed to a window to lay out.
inline constexpr std::size_t kMaxItemBytes = 4096;

struct Item {
    std::string text;
    bool quoted = false;
};

class ItemReader {
  public:
    explicit ItemReader(std::string_view bytes) : bytes_(bytes), itemPending_(!bytes.empty()) {}

    // The next item, or nothing when the input has no more items or the next one is longer
    // than kMaxItemBytes.
    std::optional<Item> Next();

    // The line, from 1, of the item too long to take, once Next has stopped at it; else 0.
    std::size_t LongItemLine() const;

    // How many items have been taken so far.
    std::size_t ItemsRead() const { return itemsRead_; }
    // Whether the item taken last ended its line, or the input.
    bool LineEnded() const { return lineEnded_; }

    // Where the next item begins, as an offset into the input, and where the last one taken
    // began, after the blanks before it.
    std::size_t Position() const { return pos_; }
    std::size_t LastItemStart() const { return lastStart_; }

  private:
    bool AtLineEnd() const;
    void SkipSeparator();

    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::size_t itemsRead_ = 0;
    std::size_t lastStart_ = 0;
    std::size_t longItemAt_ = std::string_view::npos;
    // After a comma another item follows, even an empty one at the very end of the input.
    bool itemPending_;
    bool lineEnded_ = false;
};

// The line, from 1, of the byte at `offset`, line ends counted as the separators count them:
// CR LF, a lone LF or a lone CR.
std::size_t LineOf(std::string_view bytes, std::size_t offset);

}  // namespace kalverin
