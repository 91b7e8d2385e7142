#pragma once

// Copies a window model's plain controls to their widgets. Each touches the widget only where
// it differs, so the cursor and selection of a box the user is typing in stay where they are.

#include "controls/controls.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace kalverin {

void ShowText(QLineEdit* widget, const TextBox& box);
// The list is refilled only when it changed; the edit text is the model's.
void ShowCombo(QComboBox* widget, const ComboBox& combo);
// The lines are refilled only when they changed; the selection is the model's.
void ShowList(QListWidget* widget, const ListBox& list);
void ShowCheck(QCheckBox* widget, const CheckBox& box);

}  // namespace kalverin
