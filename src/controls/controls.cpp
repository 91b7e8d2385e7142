#include "controls/controls.h"

namespace kalverin {

std::string ListBox::SelectedText() const {
    return selected_ >= 0 ? items_[static_cast<std::size_t>(selected_)] : std::string();
}

}  // namespace kalverin
