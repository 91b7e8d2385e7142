#include "qt_support/item_text_input.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

namespace kalverin {
namespace {

TEST(ItemTextTest, QuotesBecomeSingleQuotesAndLineBreaksBlanks) {
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"plain text", u"plain text"},
        {u"a \"quoted\" word", u"a 'quoted' word"},
        {u"one\r\ntwo", u"one two"},
        {u"one\ntwo\rthree", u"one two three"},
        {u"one\u2029two\u2028three", u"one two three"},
        {u"\r\n\r\n", u"  "},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ToItemText(QString::fromUtf16(text)), QString::fromUtf16(expected));
    }
}

// In a single-line box kept to item texts and in the wrapping text box alike, typed double
// quotes and line breaks are ignored, and pasted ones are replaced.
TEST(ItemTextInputTest, TypedQuotesAndLineBreaksAreIgnoredAndPastedOnesReplaced) {
    QLineEdit line;
    KeepToItemText(&line);
    ItemTextEdit details;
    for (QWidget* box : {static_cast<QWidget*>(&line), static_cast<QWidget*>(&details)}) {
        QTest::keyClicks(box, QStringLiteral("a\"b"));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter, Qt::ShiftModifier);
        QTest::keyClicks(box, QStringLiteral("c"));
    }
    QGuiApplication::clipboard()->setText(QStringLiteral(" \"hi\"\r\ntwo\nthree"));
    line.paste();
    details.paste();
    EXPECT_EQ(line.text(), QStringLiteral("abc 'hi' two three"));
    EXPECT_EQ(details.toPlainText(), QStringLiteral("abc 'hi' two three"));
}

}  // namespace
}  // namespace kalverin
