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

// Without the watch the loop would run on; the timer ends it with another code so that a fault
// fails the test instead of hanging it.
constexpr int kNotQuit = 7;

int RunLoopGuarded() {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &guard, [] { QCoreApplication::exit(kNotQuit); });
    guard.start(10000);
    return QApplication::exec();
}

TEST(FirstPaintTest, TheLoopEndsOnceTheShownWindowIsPainted) {
    CountingWidget window;
    QuitAfterFirstPaint(&window);
    window.show();
    EXPECT_EQ(RunLoopGuarded(), 0);
    EXPECT_EQ(window.paints, 1);
}

TEST(FirstPaintTest, AWindowShownLaterEndsTheLoopOnlyWhenItIsPainted) {
    CountingWidget window;
    QuitAfterFirstPaint(&window);
    bool shown = false;
    QTimer::singleShot(50, &window, [&] {
        shown = true;
        window.show();
    });
    EXPECT_EQ(RunLoopGuarded(), 0);
    EXPECT_TRUE(shown);
    EXPECT_EQ(window.paints, 1);
}

}  // namespace
}  // namespace kalverin
