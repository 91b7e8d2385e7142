#include "controls/controls.h"

namespace kalverin {

const std::string& ListBox::SelectedText() const {
    static const std::string kNone;
    return selected_ >= 0 ? items_[static_cast<std::size_t>(selected_)] : kNone;
}

}  // namespace kalverin
