#include "qt_support/control_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStringList>

#include "qt_support/qt_text.h"

namespace kalverin {
namespace {

QStringList ItemsOf(const ListBox& list) {
    QStringList items;
    for (const std::string& item : list.items()) {
        items << ToQt(item);
    }
    return items;
}

}  // namespace

void ShowList(QListWidget* widget, const ListBox& list) {
    QStringList items = ItemsOf(list);
    QStringList shown;
    for (int i = 0; i < widget->count(); ++i) {
        shown << widget->item(i)->text();
    }
    if (shown != items) {
        widget->clear();
        widget->addItems(items);
        // A list that grew by lines at its end shows them; any other new content, a list filled
        // from empty among it, shows its top, where the old scroll position would hide the
        // first lines.
        if (!shown.isEmpty() && items.size() > shown.size() &&
            items.mid(0, shown.size()) == shown) {
            widget->scrollToBottom();
        } else {
            widget->scrollToTop();
        }
    }
    widget->setCurrentRow(list.selected());
}

void ShowCombo(QComboBox* widget, const ComboBox& combo) {
    QStringList items = ItemsOf(combo.list);
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

void ShowText(QLineEdit* widget, const TextBox& box) {
    QString text = ToQt(box.text);
    if (widget->text() != text) {
        widget->setText(text);
    }
}

void ShowText(QPlainTextEdit* widget, const TextBox& box) {
    QString text = ToQt(box.text);
    if (widget->toPlainText() != text) {
        widget->setPlainText(text);
    }
}

void ShowCheck(QCheckBox* widget, const CheckBox& box) {
    widget->setCheckState(box.value == 1   ? Qt::Checked
                          : box.value == 2 ? Qt::PartiallyChecked
                                           : Qt::Unchecked);
}

}  // namespace kalverin
