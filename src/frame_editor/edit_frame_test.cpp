#include "frame_editor/edit_frame.h"

#include <gtest/gtest.h>

#include <functional>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSet>
#include <QTest>

#include "designer/main_window.h"
#include "qt_support/keyboard_access.h"
#include "test_support/named_controls.h"
#include "test_support/recording_dialogs.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::RecordingDialogs;
using testing::TempFolder;

using testing::FindNamed;

class EditFrameTest : public ::testing::Test {
  protected:
    EditFrameTest() {
        testing::CopyBundledData(program);
        window = std::make_unique<EditFrame>(program.path(), nullptr, &dialogs);
        testing::ShowStarted(window.get());
    }

    template <typename Widget>
    Widget* Find(const char* name) {
        return testing::FindNamed<Widget>(window.get(), name);
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
    EXPECT_EQ(chooser->currentText(), QStringLiteral("Choose Frame"));

    // Each box by its name, with the caption beside it; each caption has a key of its own, and
    // none is the File menu's.
    QStringList boxes;
    QSet<QChar> keys;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (auto* box = qobject_cast<QLineEdit*>(label->buddy())) {
            boxes << box->objectName() + QLatin1Char('=') + ShownText(label->text());
            keys.insert(AccessKeyOf(label->text()));
            EXPECT_EQ(box->accessibleName(), ShownText(label->text()));
        }
    }
    EXPECT_EQ(boxes.join(QLatin1Char('|')).toStdString(),
              "txtFrame=Frame|txtPower=Power|txtDamage=Damage|txtMode=Mode|txtConceal="
              "Concealability|txtWeight=Weight|txtCapacity=Ammo Capacity|txtLoad=Ammo Load|"
              "txtMount1=Mount 1|txtMount2=Mount 2|txtMount3=Mount 3|txtFCU=FCU|txtDPV=DPV");
    EXPECT_EQ(keys.size(), 13);
    EXPECT_FALSE(keys.contains(QChar()));
    EXPECT_FALSE(keys.contains(QLatin1Char('F')));

    QStringList menus;
    for (QAction* menu : window->menuBar()->actions()) {
        for (QAction* entry : menu->menu()->actions()) {
            menus << menu->text() + QLatin1Char(' ') + entry->objectName() + QLatin1Char(' ') +
                         entry->text() + QLatin1Char(' ') + entry->shortcut().toString();
        }
    }
    EXPECT_EQ(menus, (QStringList{QStringLiteral("&File mnuSave &Save Frames Ctrl+S"),
                                  QStringLiteral("&File mnuExit E&xit Ctrl+X")}));
}

TEST_F(EditFrameTest, APickFromTheListShowsTheFrameAndTypingChoosesNothing) {
    PickFrame(7);
    EXPECT_EQ(window->model().intChooseFrame, 7);
    EXPECT_EQ(Find<QLineEdit>("txtFrame")->text(), QStringLiteral("Taser"));
    EXPECT_EQ(Find<QLineEdit>("txtFCU")->text(), QStringLiteral("1.5"));

    // A listed name typed and confirmed with Enter, or typed before moving on, is still typing.
    auto* chooser = Find<QComboBox>("cmbChooseFrame");
    for (bool enter : {true, false}) {
        chooser->setFocus();
        chooser->lineEdit()->selectAll();
        QTest::keyClicks(chooser, QStringLiteral("Shotgun"));
        enter ? QTest::keyClick(chooser, Qt::Key_Return) : Find<QLineEdit>("txtPower")->setFocus();
        EXPECT_EQ(window->model().cmbChooseFrame.text, "Shotgun");
        EXPECT_EQ(window->model().intChooseFrame, 7);
        EXPECT_EQ(Find<QLineEdit>("txtFrame")->text(), QStringLiteral("Taser"));
    }
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
    EXPECT_NE(program.Read("Data/Frames.txt").find("\"Taser\",\"3\",\"L\""), std::string::npos);
    // The boxes show the cleared model.
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
    EXPECT_EQ(window->model().txtLoad.text, "");

    for (QWidget* box : std::initializer_list<QWidget*>{load, Find<QComboBox>("cmbChooseFrame")}) {
        window->show();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        EXPECT_FALSE(window->isVisible()) << box->objectName().toStdString();
    }
    EXPECT_TRUE(dialogs.messages.empty());  // leaving saves nothing
}

TEST(FramesMenuTest, TheEditorKeepsItsStateAcrossExitAndCloseForTheNextShowing) {
    TempFolder program;
    testing::CopyBundledData(program);
    MainWindow main(program.path(), program.path());
    main.show();
    main.Start();
    auto show = [&main] {
        testing::FindNamed<QAction>(&main, "mnuFrames")->trigger();
        return main.findChild<EditFrame*>();
    };
    EXPECT_EQ(main.findChild<EditFrame*>(), nullptr);  // made on its first showing
    EditFrame* editor = show();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible() && editor->isModal());
    auto* chooser = testing::FindNamed<QComboBox>(editor, "cmbChooseFrame");
    chooser->setCurrentIndex(9);
    emit chooser->activated(9);
    auto* power = testing::FindNamed<QLineEdit>(editor, "txtPower");
    power->setText(QStringLiteral("10"));
    // The next showing does not read the file again.
    program.Write("Data/Frames.txt", "0\r\n");

    const std::function<void()> leave[] = {
        [editor] { testing::FindNamed<QAction>(editor, "mnuExit")->trigger(); },
        [editor] { editor->close(); },
    };
    for (const auto& way : leave) {
        way();
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(show(), editor);
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(chooser->count(), 14);
        EXPECT_EQ(chooser->currentText(), QStringLiteral("Sniper Rifle"));
        EXPECT_EQ(power->text(), QStringLiteral("10"));
        EXPECT_EQ(editor->model().intChooseFrame, 10);
    }
    EXPECT_EQ(main.findChildren<EditFrame*>().size(), 1);
}

}  // namespace
}  // namespace kalverin
