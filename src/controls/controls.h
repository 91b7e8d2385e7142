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
    ListBox() = default;
    // A copy holds the lines alone; copied over a list, the lines reuse that list's room.
    ListBox(const ListBox& other) : items_(other.items_), selected_(other.selected_) {}
    ListBox& operator=(const ListBox& other);
    ListBox(ListBox&&) noexcept = default;
    ListBox& operator=(ListBox&&) noexcept = default;

    const std::vector<std::string>& items() const { return items_; }
    void Add(std::string_view item) { Put(Count(), item); }
    void Clear() { KeepFirst(0); }
    // Refilling the list: line `index` (from 0, at most Count()) shows `text`, written over the
    // line there before, or into the room of a line taken away earlier.
    void Put(int index, std::string_view text);
    // Keeps the first `count` lines; no line is selected afterwards. The lines taken away keep
    // their room for the next filling, so that refilling a list asks for no memory.
    void KeepFirst(int count);
    // Takes line `index` (from 0) out; no line is selected afterwards.
    void Remove(int index);
    // The selected line, from 0; -1 when no line is selected.
    int selected() const { return selected_; }
    void Select(int index) { selected_ = index >= 0 && index < Count() ? index : -1; }
    // After a refilling, selects again what was selected before it, line `line` showing `text`
    // (none when `line` is -1): that line if it still shows it, else the first that does.
    void Reselect(int line, std::string_view text);
    // The text of the selected line, or empty when none is.
    const std::string& SelectedText() const;
    int Count() const { return static_cast<int>(items_.size()); }

    friend bool operator==(const ListBox& a, const ListBox& b) {
        return a.items_ == b.items_ && a.selected_ == b.selected_;
    }

  private:
    std::vector<std::string> items_;
    int selected_ = -1;
    // Lines taken away, kept for their room.
    std::vector<std::string> spare_;
};

// A combo box that also accepts typing: its list and the text it shows.
struct ComboBox {
    ListBox list;
    std::string text;

    friend bool operator==(const ComboBox&, const ComboBox&) = default;
};

}  // namespace kalverin
