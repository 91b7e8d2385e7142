#include "qt_support/accessible_controls.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>

namespace kalverin {
namespace {

// The property that marks a control for the interfaces below.
constexpr char kAnnounced[] = "kalverinAnnouncedAs";

class ChooserInterface final : public QAccessibleWidget {
  public:
    explicit ChooserInterface(QComboBox* chooser)
        : QAccessibleWidget(chooser, QAccessible::ComboBox) {}

    QString text(QAccessible::Text which) const override {
        // Qt names an editable combo box by the text it shows; its caption says what it is.
        return which == QAccessible::Value ? chooser()->currentText()
                                           : QAccessibleWidget::text(which);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = chooser()->view()->isVisible();
        return state;
    }

    // The list of entries, open or not, then the text box: a reader can go through the entries
    // without opening the list.
    int childCount() const override { return static_cast<int>(parts().size()); }
    QAccessibleInterface* child(int index) const override {
        QWidget* part = parts().value(index);
        return part ? QAccessible::queryAccessibleInterface(part) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? static_cast<int>(parts().indexOf(qobject_cast<QWidget*>(child->object())))
                     : -1;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
        } else if (chooser()->view()->isVisible()) {
            chooser()->hidePopup();
        } else {
            chooser()->showPopup();
        }
    }

  private:
    QComboBox* chooser() const { return static_cast<QComboBox*>(widget()); }
    QList<QWidget*> parts() const { return {chooser()->view(), chooser()->lineEdit()}; }
};

class ReadOnlyBoxInterface final : public QAccessibleWidget, public QAccessibleTextInterface {
  public:
    explicit ReadOnlyBoxInterface(QLineEdit* box)
        : QAccessibleWidget(box, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.editable = false;
        state.selectableText = true;
        return state;
    }
    QString text(QAccessible::Text which) const override {
        return which == QAccessible::Value ? box()->text() : QAccessibleWidget::text(which);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }

    void selection(int index, int* start, int* end) const override {
        const bool selected = index == 0 && box()->hasSelectedText();
        *start = selected ? box()->selectionStart() : 0;
        *end = selected ? box()->selectionEnd() : 0;
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { box()->deselect(); }
    void setSelection(int, int start, int end) override { box()->setSelection(start, end - start); }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int start, int end) const override {
        return box()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

  private:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* Announced(const QString&, QObject* object) {
    const QByteArray kind = object ? object->property(kAnnounced).toByteArray() : QByteArray();
    if (kind == "chooser") {
        return new ChooserInterface(static_cast<QComboBox*>(object));
    }
    if (kind == "readOnly") {
        return new ReadOnlyBoxInterface(static_cast<QLineEdit*>(object));
    }
    if (kind == "rule") {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Separator);
    }
    return nullptr;
}

void Mark(QObject* control, const char* kind) {
    static const bool installed = [] {
        QAccessible::installFactory(Announced);
        return true;
    }();
    (void)installed;
    control->setProperty(kAnnounced, QByteArray(kind));
}

}  // namespace

void AnnounceAsChooser(QComboBox* chooser) {
    Mark(chooser, "chooser");
}

void AnnounceAsReadOnly(QLineEdit* box) {
    Mark(box, "readOnly");
}

void AnnounceAsRule(QFrame* rule) {
    Mark(rule, "rule");
}

}  // namespace kalverin
