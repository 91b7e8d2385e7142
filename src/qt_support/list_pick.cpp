#include "qt_support/list_pick.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

namespace kalverin {
namespace {

// Marks the time in which the combo box confirms typed text: the handling of Enter and of a
// focus loss. Qt matches the text against the list then and reports a match as activated.
class TypedTextConfirmation final : public QObject {
  public:
    using QObject::QObject;

    bool active() const { return active_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (active_ || !Confirms(event)) {
            return QObject::eventFilter(watched, event);
        }
        {
            QScopedValueRollback<bool> confirming(active_, true);
            QCoreApplication::sendEvent(watched, event);
        }
        // Handled above, with everything it passes on to the parents.
        event->accept();
        return true;
    }

  private:
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

    bool active_ = false;
};

}  // namespace

void ConnectListPick(QComboBox* combo, QObject* context, std::function<void(int)> picked) {
    // Typed text stays as typed: no completion fills in an entry's name.
    combo->setCompleter(nullptr);
    auto* confirmation = new TypedTextConfirmation(combo);
    combo->installEventFilter(confirmation);
    if (QLineEdit* text = combo->lineEdit()) {
        text->installEventFilter(confirmation);
    }
    QObject::connect(combo, &QComboBox::activated, context,
                     [confirmation, picked = std::move(picked)](int index) {
                         if (!confirmation->active()) {
                             picked(index);
                         }
                     });
}

}  // namespace kalverin
