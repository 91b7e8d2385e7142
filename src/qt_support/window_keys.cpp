#include "qt_support/window_keys.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>
#include <QWidget>
#include <functional>

namespace kalverin {
namespace {

class ShortcutPassFilter final : public QObject {
  public:
    ShortcutPassFilter(
        QObject* parent, QList<QKeySequence> shortcuts,
        std::function<bool()> passing = [] { return true; })
        : QObject(parent), shortcuts_(std::move(shortcuts)), passing_(std::move(passing)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            QKeySequence pressed(key->keyCombination());
            if (shortcuts_.contains(pressed) && passing_()) {
                // Not overriding: the shortcut goes to the menu.
                event->ignore();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QList<QKeySequence> shortcuts_;
    std::function<bool()> passing_;
};

}  // namespace

void LetMenuShortcutsThrough(QWidget* box, const QList<QKeySequence>& shortcuts) {
    box->installEventFilter(new ShortcutPassFilter(box, shortcuts));
}

void LetMenuShortcutsThroughWithoutSelection(QWidget* box, const QList<QKeySequence>& shortcuts) {
    auto* text = qobject_cast<QLineEdit*>(box);
    if (auto* combo = qobject_cast<QComboBox*>(box)) {
        text = combo->lineEdit();
    }
    box->installEventFilter(new ShortcutPassFilter(
        box, shortcuts, [text] { return text == nullptr || !text->hasSelectedText(); }));
}

}  // namespace kalverin
