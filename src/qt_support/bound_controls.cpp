#include "qt_support/bound_controls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

#include "qt_support/qt_text.h"

namespace kalverin {

void ShowText(QLineEdit* widget, const TextBox& box) {
    QString text = ToQt(box.text);
    if (widget->text() != text) {
        widget->setText(text);
    }
}

void ShowCombo(QComboBox* widget, const ComboBox& combo) {
    QStringList items;
    for (const std::string& item : combo.list.items()) {
        items << ToQt(item);
    }
    QStringList shown;
    for (int i = 0; i < widget->count(); ++i) {
        shown << widget->itemText(i);
    }
    if (shown != items) {
        widget->clear();
        widget->addItems(items);
    }
    if (widget->currentText() != ToQt(combo.text)) {
        widget->setEditText(ToQt(combo.text));
    }
}

}  // namespace kalverin
