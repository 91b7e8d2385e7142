#include "qt_support/window_keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace kalverin {
namespace {

class ShortcutPassFilter final : public QObject {
  public:
    ShortcutPassFilter(QObject* parent, QList<QKeySequence> shortcuts)
        : QObject(parent), shortcuts_(std::move(shortcuts)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            QKeySequence pressed(key->keyCombination());
            if (shortcuts_.contains(pressed)) {
                // Not overriding: the shortcut goes to the menu.
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QList<QKeySequence> shortcuts_;
};

}  // namespace

void LetMenuShortcutsThrough(QWidget* box, const QList<QKeySequence>& shortcuts) {
    box->installEventFilter(new ShortcutPassFilter(box, shortcuts));
}

}  // namespace kalverin
