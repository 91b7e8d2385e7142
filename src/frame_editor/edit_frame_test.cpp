#include "frame_editor/edit_frame.h"

#include <gtest/gtest.h>

#include <functional>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSet>
#include <QTest>

#include "designer/main_window.h"
#include "qt_support/keyboard_access.h"
#include "test_support/recording_dialogs.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::RecordingDialogs;
using testing::TempFolder;

template <typename Widget>
Widget* Find(QWidget* window, const char* name) {
    auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

class EditFrameTest : public ::testing::Test {
  protected:
    EditFrameTest() {
        testing::CopyBundledData(program);
        window = std::make_unique<EditFrame>(program.path(), nullptr, &dialogs);
        window->show();
        window->Start();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <typename Widget>
    Widget* Find(const char* name) {
        return kalverin::Find<Widget>(window.get(), name);
    }

    // A pick from the chooser's list, as the keyboard makes it.
    void PickFrame(int index) {
        auto* chooser = Find<QComboBox>("cmbChooseFrame");
        chooser->setFocus();
        chooser->setCurrentIndex(index - 2);
        QTest::keyClick(chooser, Qt::Key_Down);
    }

    TempFolder program;
    RecordingDialogs dialogs;
    std::unique_ptr<EditFrame> window;
};

TEST_F(EditFrameTest, HasEveryControlAndMenuEntryByItsName) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Change Forms"));
    EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
    auto* chooser = Find<QComboBox>("cmbChooseFrame");
    EXPECT_TRUE(chooser->isEditable());
    EXPECT_EQ(chooser->count(), 14);
    EXPECT_EQ(chooser->itemText(13), QStringLiteral("Assault Cannon"));
    EXPECT_EQ(chooser->currentText(), QStringLiteral("Choose Frame"));

    QStringList captions;
    QSet<QChar> keys;
    for (const char* name :
         {"txtFrame", "txtPower", "txtDamage", "txtMode", "txtConceal", "txtWeight", "txtCapacity",
          "txtLoad", "txtMount1", "txtMount2", "txtMount3", "txtFCU", "txtDPV"}) {
        auto* box = Find<QLineEdit>(name);
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->isReadOnly()) << name;
        EXPECT_EQ(box->text(), QString()) << name;
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->buddy() == box) {
                captions << ShownText(label->text());
                keys.insert(AccessKeyOf(label->text()));
                EXPECT_EQ(box->accessibleName(), ShownText(label->text())) << name;
            }
        }
    }
    EXPECT_EQ(captions,
              (QStringList{
                  QStringLiteral("Frame"), QStringLiteral("Power"), QStringLiteral("Damage"),
                  QStringLiteral("Mode"), QStringLiteral("Concealability"),
                  QStringLiteral("Weight"), QStringLiteral("Ammo Capacity"),
                  QStringLiteral("Ammo Load"), QStringLiteral("Mount 1"), QStringLiteral("Mount 2"),
                  QStringLiteral("Mount 3"), QStringLiteral("FCU"), QStringLiteral("DPV")}));
    // Each caption has a key of its own, and none is the File menu's.
    EXPECT_EQ(keys.size(), 13);
    EXPECT_FALSE(keys.contains(QChar()));
    EXPECT_FALSE(keys.contains(QLatin1Char('F')));
}

TEST_F(EditFrameTest, TheFileMenuCarriesSaveAndExitWithTheirShortcuts) {
    const std::tuple<const char*, const char*, const char*> entries[] = {
        {"mnuSave", "&Save Frames", "Ctrl+S"},
        {"mnuExit", "E&xit", "Ctrl+X"},
    };
    for (const auto& [name, text, keys] : entries) {
        auto* action = Find<QAction>(name);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromLatin1(text));
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(keys))) << name;
    }
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) {
        menus << menu->text();
    }
    EXPECT_EQ(menus, QStringList{QStringLiteral("&File")});
}

TEST_F(EditFrameTest, APickFromTheListShowsTheFrameAndTypingChoosesNothing) {
    PickFrame(7);
    EXPECT_EQ(window->model().intChooseFrame, 7);
    EXPECT_EQ(Find<QLineEdit>("txtFrame")->text(), QStringLiteral("Taser"));
    EXPECT_EQ(Find<QLineEdit>("txtFCU")->text(), QStringLiteral("1.5"));

    // A listed name typed and confirmed with Enter, or typed before moving on, is still typing.
    auto* chooser = Find<QComboBox>("cmbChooseFrame");
    auto* power = Find<QLineEdit>("txtPower");
    const std::function<void()> confirmations[] = {
        [&] { QTest::keyClick(chooser, Qt::Key_Return); },
        [&] { power->setFocus(); },
    };
    for (const auto& confirm : confirmations) {
        chooser->setFocus();
        chooser->lineEdit()->selectAll();
        QTest::keyClicks(chooser, QStringLiteral("Shotgun"));
        confirm();
        EXPECT_EQ(window->model().cmbChooseFrame.text, "Shotgun");
        EXPECT_EQ(window->model().intChooseFrame, 7);
        EXPECT_EQ(Find<QLineEdit>("txtFrame")->text(), QStringLiteral("Taser"));
    }

    // A pick from the drop-down.
    chooser->showPopup();
    QAbstractItemView* list = chooser->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    const QModelIndex shotgun = list->model()->index(5, 0);
    list->scrollTo(shotgun);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(shotgun).center());
    EXPECT_EQ(window->model().intChooseFrame, 6);
    EXPECT_EQ(Find<QLineEdit>("txtFrame")->text(), QStringLiteral("Shotgun"));
}

TEST_F(EditFrameTest, CtrlSInABoxSavesTheTypedFields) {
    PickFrame(7);
    auto* power = Find<QLineEdit>("txtPower");
    power->setFocus();
    power->selectAll();
    // The quote would break the file's line; the box does not take it.
    QTest::keyClicks(power, QStringLiteral("3\""));
    QTest::keyClick(power, Qt::Key_S, Qt::ControlModifier);

    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"All changes are saved."});
    EXPECT_EQ(window->model().Frame(7).Power, ItemValue::Text("3"))
        << program.Read("Data/Frames.txt");
    EXPECT_NE(program.Read("Data/Frames.txt").find("\"Taser\",\"3\",\"L\""), std::string::npos);
    EXPECT_EQ(power->text(), QString());
    EXPECT_EQ(Find<QLineEdit>("txtMount2")->text(), QStringLiteral("None"));
    EXPECT_EQ(Find<QComboBox>("cmbChooseFrame")->currentText(), QStringLiteral("Choose Frame"));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(EditFrameTest, CtrlXCutsSelectedTextAndOtherwiseLeavesTheEditor) {
    PickFrame(6);
    auto* load = Find<QLineEdit>("txtLoad");
    load->setFocus();
    load->selectAll();
    QTest::keyClick(load, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(load->text(), QString());
    EXPECT_EQ(window->model().txtLoad.text, "");

    for (QWidget* box :
         {static_cast<QWidget*>(load), static_cast<QWidget*>(Find<QComboBox>("cmbChooseFrame"))}) {
        window->show();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        EXPECT_FALSE(window->isVisible()) << box->objectName().toStdString();
    }
    // Leaving saves nothing.
    EXPECT_TRUE(dialogs.messages.empty());
}

class FramesMenuTest : public ::testing::Test {
  protected:
    FramesMenuTest() {
        testing::CopyBundledData(program);
        main = std::make_unique<MainWindow>(program.path(), program.path());
        main->show();
        main->Start();
    }

    EditFrame* ShowEditor() {
        kalverin::Find<QAction>(main.get(), "mnuFrames")->trigger();
        return main->findChild<EditFrame*>();
    }

    TempFolder program;
    std::unique_ptr<MainWindow> main;
};

TEST_F(FramesMenuTest, TheEditorKeepsItsStateAcrossExitAndCloseForTheNextShowing) {
    EXPECT_EQ(main->findChild<EditFrame*>(), nullptr);
    EditFrame* editor = ShowEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(editor->isModal());

    auto* chooser = kalverin::Find<QComboBox>(editor, "cmbChooseFrame");
    chooser->setCurrentIndex(9);
    emit chooser->activated(9);
    auto* power = kalverin::Find<QLineEdit>(editor, "txtPower");
    power->setText(QStringLiteral("10"));
    // The next showing does not read the file again.
    program.Write("Data/Frames.txt", "0\r\n");

    using Leave = std::function<void(EditFrame*)>;
    const std::pair<const char*, Leave> ways[] = {
        {"Exit", [](EditFrame* e) { kalverin::Find<QAction>(e, "mnuExit")->trigger(); }},
        {"title bar", [](EditFrame* e) { e->close(); }},
    };
    for (const auto& [way, leave] : ways) {
        SCOPED_TRACE(way);
        leave(editor);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(ShowEditor(), editor);
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(chooser->count(), 14);
        EXPECT_EQ(chooser->currentText(), QStringLiteral("Sniper Rifle"));
        EXPECT_EQ(power->text(), QStringLiteral("10"));
        EXPECT_EQ(editor->model().intChooseFrame, 10);
        EXPECT_EQ(editor->model().txtPower.text, "10");
    }
    EXPECT_EQ(main->findChildren<EditFrame*>().size(), 1);
}

}  // namespace
}  // namespace kalverin
