#pragma once

// Copies a window model's plain controls to their widgets. Each touches the widget only where
// it differs, so the cursor and selection of a box the user is typing in stay where they are.

#include "controls/controls.h"

class QComboBox;
class QLineEdit;

namespace kalverin {

void ShowText(QLineEdit* widget, const TextBox& box);
// The list is refilled only when it changed; the edit text is the model's.
void ShowCombo(QComboBox* widget, const ComboBox& combo);

}  // namespace kalverin
