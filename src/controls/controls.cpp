#include "controls/controls.h"

#include <algorithm>

namespace kalverin {

const std::string& ListBox::SelectedText() const {
    static const std::string kNone;
    return selected_ >= 0 ? items_[static_cast<std::size_t>(selected_)] : kNone;
}

ListBox& ListBox::operator=(const ListBox& other) {
    if (this != &other) {
        for (int i = 0; i < other.Count(); ++i) {
            Put(i, other.items_[static_cast<std::size_t>(i)]);
        }
        KeepFirst(other.Count());
        selected_ = other.selected_;
    }
    return *this;
}

void ListBox::Put(int index, std::string_view text) {
    if (index < Count()) {
        items_[static_cast<std::size_t>(index)].assign(text);
        return;
    }
    if (spare_.empty()) {
        items_.emplace_back(text);
    } else {
        items_.push_back(std::move(spare_.back()));
        spare_.pop_back();
        items_.back().assign(text);
    }
}

void ListBox::Reselect(int line, std::string_view text) {
    if (line >= 0 && (line >= Count() || items_[static_cast<std::size_t>(line)] != text)) {
        line = static_cast<int>(std::find(items_.begin(), items_.end(), text) - items_.begin());
    }
    Select(line);
}

void ListBox::KeepFirst(int count) {
    if (Count() > count) {
        spare_.reserve(spare_.size() + items_.size() - static_cast<std::size_t>(count));
    }
    while (Count() > count) {
        spare_.push_back(std::move(items_.back()));
        items_.pop_back();
    }
    selected_ = -1;
}

void ListBox::Remove(int index) {
    const auto line = items_.begin() + index;
    spare_.push_back(std::move(*line));
    items_.erase(line);
    selected_ = -1;
}

}  // namespace kalverin
