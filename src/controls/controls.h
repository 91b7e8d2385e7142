#pragma once

// Plain models of a window's controls: what each shows and whether it is enabled. A window's
// model works on these; the Qt window copies them to its widgets and user input back.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalverin {

struct TextBox {
    std::string text;

    friend bool operator==(const TextBox&, const TextBox&) = default;
};

struct CheckBox {
    // 0 clear, 1 ticked, 2 grayed.
    std::int16_t value = 0;

    friend bool operator==(const CheckBox&, const CheckBox&) = default;
};

struct Button {
    bool enabled = true;

    friend bool operator==(const Button&, const Button&) = default;
};

class ListBox {
  public:
    const std::vector<std::string>& items() const { return items_; }
    void Add(std::string item) { items_.push_back(std::move(item)); }
    void Clear() {
        items_.clear();
        selected_ = -1;
    }
    // Refilling the list: line `index` (from 0, at most Count()) shows `text`, written over the
    // line there before so that its room is reused.
    void Put(int index, std::string_view text) {
        if (index < Count()) {
            items_[static_cast<std::size_t>(index)].assign(text);
        } else {
            items_.emplace_back(text);
        }
    }
    // Keeps the first `count` lines; no line is selected afterwards.
    void KeepFirst(int count) {
        items_.resize(static_cast<std::size_t>(count));
        selected_ = -1;
    }
    // Takes line `index` (from 0) out; no line is selected afterwards.
    void Remove(int index) {
        items_.erase(items_.begin() + index);
        selected_ = -1;
    }
    // The selected line, from 0; -1 when no line is selected.
    int selected() const { return selected_; }
    void Select(int index) { selected_ = index >= 0 && index < Count() ? index : -1; }
    // The text of the selected line, or empty when none is.
    const std::string& SelectedText() const;
    int Count() const { return static_cast<int>(items_.size()); }

    friend bool operator==(const ListBox&, const ListBox&) = default;

  private:
    std::vector<std::string> items_;
    int selected_ = -1;
};

// A combo box that also accepts typing: its list and the text it shows.
struct ComboBox {
    ListBox list;
    std::string text;

    friend bool operator==(const ComboBox&, const ComboBox&) = default;
};

}  // namespace kalverin
