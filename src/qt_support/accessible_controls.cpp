#include "qt_support/accessible_controls.h"

#include <QAccessibleWidget>
#include <QComboBox>
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

    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction()) {
            chooser()->showPopup();
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

  private:
    QComboBox* chooser() const { return static_cast<QComboBox*>(widget()); }
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

}  // namespace kalverin
