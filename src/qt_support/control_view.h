#pragma once

// Shows a model's plain controls in their widgets. Each leaves a widget alone when it already
// shows the model's content, so that the cursor and the scroll position stay where they were.

#include <QString>

#include "controls/controls.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace kalverin {

// Gives a widget the name of the control it shows, by which tests and readers find it.
template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

void ShowList(QListWidget* widget, const ListBox& list);
void ShowCombo(QComboBox* widget, const ComboBox& combo);
void ShowText(QLineEdit* widget, const TextBox& box);
void ShowText(QPlainTextEdit* widget, const TextBox& box);
void ShowCheck(QCheckBox* widget, const CheckBox& box);

}  // namespace kalverin
