#pragma once

// What the window tests share: a window shown and started as the program does it, a control
// found by its name, and a chooser's entry picked as a click in its drop-down list picks it.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QString>
#include <QTest>
#include <QWidget>

namespace kalverin::testing {

// Shows the window, starts it (its data read) and waits until it has the focus.
template <typename Window>
void ShowStarted(Window* window) {
    window->show();
    window->Start();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

// The control of that name; a missing one fails the test that asked for it.
template <typename Widget>
Widget* FindNamed(const QWidget* window, const char* name) {
    auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

inline void PickEntry(QComboBox* chooser, const char* entry) {
    const int index = chooser->findText(QString::fromLatin1(entry));
    ASSERT_GE(index, 0) << entry;
    chooser->setCurrentIndex(index);
    emit chooser->activated(index);
}

}  // namespace kalverin::testing
