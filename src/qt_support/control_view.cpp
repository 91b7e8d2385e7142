#include "qt_support/control_view.h"

#include <QAbstractItemView>
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
    // The entry it shows is its current one, selected in its list, open or not: Qt selects it
    // only as the list opens, and assistive tools read the entries from the closed list too. A
    // text no entry has leaves none current.
    const QString text = ToQt(combo.text);
    const int entry = widget->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (widget->currentIndex() != entry) {
        widget->setCurrentIndex(entry);
    }
    if (widget->currentText() != text) {
        widget->setEditText(text);
    }
    widget->view()->selectionModel()->setCurrentIndex(
        widget->model()->index(entry, widget->modelColumn()), QItemSelectionModel::ClearAndSelect);
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
