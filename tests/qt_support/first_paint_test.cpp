#include "qt_support/first_paint.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace kalverin {
namespace {

class CountingWidget final : public QWidget {
  public:
    int paints = 0;

  protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

// A window shown at once or a moment later ends the loop once it is painted. Without the watch
// the loop would run on; the guard ends it with another code, so that a fault fails the test
// instead of hanging it.
TEST(FirstPaintTest, TheLoopEndsOnceTheShownWindowIsPainted) {
    for (const int delay : {-1, 50}) {
        CountingWidget window;
        QuitAfterFirstPaint(&window);
        if (delay < 0) {
            window.show();
        } else {
            QTimer::singleShot(delay, &window, &QWidget::show);
        }
        QTimer::singleShot(10000, &window, [] { QCoreApplication::exit(7); });
        EXPECT_EQ(QApplication::exec(), 0) << delay;
        EXPECT_EQ(window.paints, 1) << delay;
    }
}

}  // namespace
}  // namespace kalverin
