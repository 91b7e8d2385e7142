#include "controls/control_table.h"

#include <cctype>

namespace kalverin {

bool BoundControl::TakesFocus() const {
    switch (kind) {
        case ControlKind::Chooser:
        case ControlKind::List:
        case ControlKind::Button:
        case ControlKind::Box:
        case ControlKind::ReadOnlyBox:
        case ControlKind::TextArea:
        case ControlKind::ReadOnlyArea:
        case ControlKind::Check:
            return true;
        default:
            return false;
    }
}

bool BoundControl::TakesTyping() const {
    return kind == ControlKind::Chooser || kind == ControlKind::Box ||
           kind == ControlKind::TextArea;
}

std::string ShownCaption(std::string_view caption) {
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        // "&&" shows one ampersand; a single one marks the key and is not shown.
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
        }
        shown += caption[i];
    }
    return shown;
}

char AccessKeyOf(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') {
            continue;
        }
        if (caption[i + 1] != '&') {
            return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
        }
        ++i;
    }
    return 0;
}

}  // namespace kalverin
