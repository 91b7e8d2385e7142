#include "qt_support/file_safe_text.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

namespace kalverin {
namespace {

TEST(FileSafeTextTest, TypedQuotesAndLineBreaksAreIgnored) {
    QLineEdit box;
    KeepTextFileSafe(&box);
    QTest::keyClicks(&box, QStringLiteral("5\" barrel"));
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Enter);
    QTest::keyClicks(&box, QStringLiteral("'s"));
    EXPECT_EQ(box.text(), QStringLiteral("5 barrel's"));
}

TEST(FileSafeTextTest, InsertedQuotesAndLineBreaksBecomeAQuoteAndABlank) {
    struct Case {
        QString before;
        int cursor;
        QString inserted;
        QString after;
        int cursorAfter;
    };
    const Case cases[] = {
        {QString(), 0, QStringLiteral("a \"b\" c"), QStringLiteral("a 'b' c"), 7},
        {QString(), 0, QStringLiteral("one\r\ntwo\nthree\rfour"),
         QStringLiteral("one two three four"), 18},
        {QStringLiteral("[]"), 1, QStringLiteral("x\r\ny"), QStringLiteral("[x y]"), 4},
        {QStringLiteral("Top"), 3, QStringLiteral("\r\n"), QStringLiteral("Top "), 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inserted.toStdString());
        QLineEdit box;
        KeepTextFileSafe(&box);
        box.setText(c.before);
        box.setCursorPosition(c.cursor);
        // insert() takes the path a paste or a drop takes.
        box.insert(c.inserted);
        EXPECT_EQ(box.text(), c.after);
        EXPECT_EQ(box.cursorPosition(), c.cursorAfter);
    }
}

}  // namespace
}  // namespace kalverin
