#include "qt_support/keyboard_access.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kalverin {
namespace {

TEST(AccessKeyTest, ReadsTheKeyAndTheShownTextOfACaption) {
    const std::tuple<const char*, char, const char*> cases[] = {
        {"&File", 'F', "File"},
        {"E&xit", 'X', "Exit"},
        {"Mount &1", '1', "Mount 1"},
        {"Plain", '\0', "Plain"},
        {"Salt && Pepper", '\0', "Salt & Pepper"},
        {"Salt && &Pepper", 'P', "Salt & Pepper"},
    };
    for (const auto& [caption, key, shown] : cases) {
        SCOPED_TRACE(caption);
        EXPECT_EQ(AccessKeyOf(QString::fromLatin1(caption)), QChar::fromLatin1(key));
        EXPECT_EQ(ShownText(QString::fromLatin1(caption)), QString::fromLatin1(shown));
    }
}

struct KeyCase {
    const char* what;
    QStringList menus;
    QStringList captions;  // button captions, in the order the keys are handed out
    QStringList expected;
};

TEST(AssignAccessKeysTest, HandsOutFreeKeysInOrderAndNeverAMenusKey) {
    const KeyCase cases[] = {
        {"word initials first, past the menus' keys",
         {QStringLiteral("&File")},
         {QStringLiteral("Frame Type"), QStringLiteral("Final Price")},
         {QStringLiteral("Frame &Type"), QStringLiteral("Final &Price")}},
        {"then the other letters of the caption",
         {},
         {QStringLiteral("Ab"), QStringLiteral("Ax")},
         {QStringLiteral("&Ab"), QStringLiteral("A&x")}},
        {"a key a caption carries stays, and is taken",
         {},
         {QStringLiteral("&Save"), QStringLiteral("Sort")},
         {QStringLiteral("&Save"), QStringLiteral("S&ort")}},
        {"with every letter taken, a key is shared with a caption, not with a menu",
         {QStringLiteral("&File")},
         {QStringLiteral("Fu"), QStringLiteral("Uf")},
         {QStringLiteral("F&u"), QStringLiteral("&Uf")}},
        {"nothing but menu keys: no key",
         {QStringLiteral("&File")},
         {QStringLiteral("FF")},
         {QStringLiteral("FF")}},
        {"no letters: no key", {}, {QStringLiteral("+")}, {QStringLiteral("+")}},
        {"a later caption moves an earlier one to another of its letters rather than share",
         {},
         {QStringLiteral("Top"), QStringLiteral("T")},
         {QStringLiteral("T&op"), QStringLiteral("&T")}},
        {"of two that could move, the one listed later moves",
         {},
         {QStringLiteral("Ax"), QStringLiteral("Bx"), QStringLiteral("AB")},
         {QStringLiteral("&Ax"), QStringLiteral("B&x"), QStringLiteral("A&B")}},
        {"digits count",
         {QStringLiteral("&Mounts")},
         {QStringLiteral("Mount 1"), QStringLiteral("Mount 2")},
         {QStringLiteral("Mount &1"), QStringLiteral("Mount &2")}},
    };
    for (const KeyCase& test : cases) {
        SCOPED_TRACE(test.what);
        QMainWindow window;
        for (const QString& menu : test.menus) {
            window.menuBar()->addMenu(menu);
        }
        auto* central = new QWidget;
        auto* layout = new QVBoxLayout(central);
        QList<QWidget*> buttons;
        for (const QString& caption : test.captions) {
            buttons << new QPushButton(caption);
            layout->addWidget(buttons.back());
        }
        window.setCentralWidget(central);

        AssignAccessKeys(&window, buttons);

        QStringList shown;
        for (QWidget* button : buttons) {
            shown << static_cast<QPushButton*>(button)->text();
        }
        EXPECT_EQ(shown, test.expected);
    }
}

TEST(AssignAccessKeysTest, GivesTheKeyToTheCaptionOfABoxThatNamesIt) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* box = new QLineEdit;
    QLabel* caption = CaptionFor(QStringLiteral("Power"), box);
    layout->addWidget(caption);
    layout->addWidget(box);

    AssignAccessKeys(&window, {box});

    EXPECT_EQ(caption->text(), QStringLiteral("&Power"));
    EXPECT_EQ(caption->buddy(), box);
    EXPECT_EQ(box->accessibleName(), QStringLiteral("Power"));
}

}  // namespace
}  // namespace kalverin
