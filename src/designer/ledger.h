#pragma once

// What made a statistic what its box shows: a line for each change, in the order it happened,
// each ending with the value the box showed after it. The code that changes a value writes its
// line as it works the value out; nothing works the lines out again afterwards, so the last
// value is always the box's.

#include <cstdint>
#include <string>
#include <string_view>

#include "designer/text_parts.h"

namespace kalverin {

class Ledger {
  public:
    // The lines, LF between them.
    const std::string& text() const { return text_; }
    bool empty() const { return text_.empty(); }
    // The value the last line ends with; empty when there is no line.
    std::string_view last() const { return std::string_view(text_).substr(value_); }

    // No line; the room is kept for the lines written next.
    void Clear() {
        text_.clear();
        line_ = 0;
        value_ = 0;
    }

    // A line: what happened, in parts, then the value it came to.
    template <typename... Parts>
    void Add(std::string_view value, const Parts&... parts) {
        StartLine();
        Append(text_, parts...);
        value_ = static_cast<std::uint32_t>(text_.size());
        text_.append(value);
    }

    // The lines of `more` after these.
    void Add(const Ledger& more) {
        if (more.empty()) {
            return;
        }
        StartLine();
        const auto at = static_cast<std::uint32_t>(text_.size());
        text_ += more.text_;
        line_ = at + more.line_;
        value_ = at + more.value_;
    }

    // The last line written again, when it begins with `what`: a run of typing into a box is one
    // line, however many keys it takes. Otherwise a line like any other.
    void Replace(std::string_view what, std::string_view value) {
        if (!empty() && std::string_view(text_).substr(line_).starts_with(what)) {
            text_.resize(line_ + what.size());
            value_ = static_cast<std::uint32_t>(text_.size());
            text_.append(value);
            return;
        }
        Add(value, what);
    }

    // Where the last line and its value start: what a recovery file keeps beside the text.
    std::uint32_t lineStart() const { return line_; }
    std::uint32_t valueStart() const { return value_; }
    // The ledger a recovery file kept; false, and nothing changed, when the places cannot be.
    bool Restore(std::string text, std::uint32_t line, std::uint32_t value) {
        if (line > value || value > text.size()) {
            return false;
        }
        text_ = std::move(text);
        line_ = line;
        value_ = value;
        return true;
    }

    friend bool operator==(const Ledger&, const Ledger&) = default;

  private:
    void StartLine() {
        if (!text_.empty()) {
            text_ += '\n';
        }
        line_ = static_cast<std::uint32_t>(text_.size());
    }

    std::string text_;
    std::uint32_t line_ = 0;   // where the last line starts
    std::uint32_t value_ = 0;  // where its value starts
};

}  // namespace kalverin
