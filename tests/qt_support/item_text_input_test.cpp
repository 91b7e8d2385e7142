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

// A box of each kind: a single-line box kept to item texts, and the wrapping text box.
struct Boxes {
    QLineEdit line;
    ItemTextEdit details;
    Boxes() { KeepToItemText(&line); }
    QString LineText() const { return line.text(); }
    QString DetailsText() const { return details.toPlainText(); }
};

TEST(ItemTextInputTest, TypedDoubleQuotesAndLineBreaksAreIgnored) {
    Boxes boxes;
    for (QWidget* box :
         {static_cast<QWidget*>(&boxes.line), static_cast<QWidget*>(&boxes.details)}) {
        QTest::keyClicks(box, QStringLiteral("a\"b"));
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter, Qt::ShiftModifier);
        QTest::keyClicks(box, QStringLiteral("c"));
    }
    EXPECT_EQ(boxes.LineText(), QStringLiteral("abc"));
    EXPECT_EQ(boxes.DetailsText(), QStringLiteral("abc"));
}

TEST(ItemTextInputTest, PastedDoubleQuotesAndLineBreaksAreReplaced) {
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("say \"hi\""), QStringLiteral("say 'hi'")},
        {QStringLiteral("one\r\ntwo\nthree"), QStringLiteral("one two three")},
    };
    for (const auto& [pasted, expected] : cases) {
        Boxes boxes;
        QGuiApplication::clipboard()->setText(pasted);
        boxes.line.paste();
        boxes.details.paste();
        EXPECT_EQ(boxes.LineText(), expected);
        EXPECT_EQ(boxes.DetailsText(), expected);
    }
}

}  // namespace
}  // namespace kalverin
