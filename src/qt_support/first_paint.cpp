#include "qt_support/first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace kalverin {
namespace {

class FirstPaintWatch final : public QObject {
  public:
    explicit FirstPaintWatch(QWidget* window) : QObject(window) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued: the loop ends after this paint and the flush that follows it.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
                Qt::QueuedConnection);
        }
        return false;
    }
};

}  // namespace

void QuitAfterFirstPaint(QWidget* window) {
    new FirstPaintWatch(window);
}

}  // namespace kalverin
