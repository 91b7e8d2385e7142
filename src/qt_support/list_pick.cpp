#include "qt_support/list_pick.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace kalverin {
namespace {

// Keeps a closed chooser from picking on its own. Over a closed chooser Qt steps through the
// list on a wheel turn or an arrow key and reports each entry it reaches as a pick; the wheel
// turns nothing here, and the arrow keys open the list, where Enter or a click picks. It also
// marks the time in which the chooser confirms typed text (the handling of Enter and of a focus
// loss), when Qt matches the text against the list and reports a match as a pick too.
class PickGuard final : public QObject {
  public:
    explicit PickGuard(QComboBox* combo) : QObject(combo), combo_(combo) {}

    bool confirming() const { return confirming_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Wheel) {
            // Not taken: whatever stands behind the chooser may scroll.
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress && Steps(static_cast<QKeyEvent*>(event))) {
            combo_->showPopup();
            return true;
        }
        if (confirming_ || !Confirms(event)) {
            return QObject::eventFilter(watched, event);
        }
        {
            QScopedValueRollback<bool> confirming(confirming_, true);
            QCoreApplication::sendEvent(watched, event);
        }
        // Handled above, with everything it passes on to the parents.
        event->accept();
        return true;
    }

  private:
    static bool Steps(const QKeyEvent* key) {
        const bool arrow = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
                           key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown;
        // Alt+Down opens the list and Ctrl with an arrow completes the text; Qt does both.
        return arrow && (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) == 0;
    }

    static bool Confirms(QEvent* event) {
        if (event->type() == QEvent::FocusOut) {
            return true;
        }
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Return || key == Qt::Key_Enter;
    }

    QComboBox* combo_;
    bool confirming_ = false;
};

}  // namespace

void ConnectListPick(QComboBox* combo, QObject* context, std::function<void(int)> picked) {
    // Typed text stays as typed: no completion fills in an entry's name.
    combo->setCompleter(nullptr);
    auto* guard = new PickGuard(combo);
    combo->installEventFilter(guard);
    if (QLineEdit* text = combo->lineEdit()) {
        text->installEventFilter(guard);
    }
    QObject::connect(combo, &QComboBox::activated, context,
                     [guard, picked = std::move(picked)](int index) {
                         if (!guard->confirming()) {
                             picked(index);
                         }
                     });
}

}  // namespace kalverin
