#include "qt_support/file_safe_text.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

namespace kalverin {
namespace {

// Types `text`; a line feed in it stands for the Enter key.
void Type(QWidget* box, const QString& text) {
    box->show();
    box->activateWindow();
    box->setFocus();
    EXPECT_TRUE(QTest::qWaitForWindowActive(box));
    for (QChar c : text) {
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(box, Qt::Key_Return);
        } else {
            QTest::keyClicks(box, QString(c));
        }
    }
}

struct Case {
    const char* what;
    bool typed;  // else pasted
    QString input;
    QString shown;
};

const Case kCases[] = {
    {"typed quotes and Enter are ignored", true, QStringLiteral("Say \"hi\"\nnow"),
     QStringLiteral("Say hinow")},
    {"pasted quotes and line breaks are replaced", false, QStringLiteral("Say \"hi\"\nnow"),
     QStringLiteral("Say 'hi' now")},
    {"a pasted CR LF is one line break", false, QStringLiteral("one\r\ntwo\rthree"),
     QStringLiteral("one two three")},
    {"other text is kept", false, QStringLiteral("light, compact 'n' small"),
     QStringLiteral("light, compact 'n' small")},
};

// Types or pastes the case's input into `box`.
void Enter(QWidget* box, const Case& c) {
    if (c.typed) {
        Type(box, c.input);
    } else {
        QApplication::clipboard()->setText(c.input);
        QMetaObject::invokeMethod(box, "paste");
    }
}

TEST(FileSafeText, ASingleLineBoxTakesNoQuoteOrLineBreak) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        QLineEdit box;
        KeepFileSafe(&box);
        QString edited;
        QObject::connect(&box, &QLineEdit::textEdited, &box,
                         [&edited](const QString& text) { edited = text; });
        Enter(&box, c);
        EXPECT_EQ(box.text(), c.shown);
        EXPECT_EQ(edited, c.shown);  // what a window's model is told
    }
}

TEST(FileSafeText, AMultiLineBoxTakesNoQuoteOrLineBreak) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        FileSafeTextEdit box;
        Enter(&box, c);
        EXPECT_EQ(box.toPlainText(), c.shown);
    }
    EXPECT_NE(FileSafeTextEdit().lineWrapMode(), QPlainTextEdit::NoWrap);
}

}  // namespace
}  // namespace kalverin
