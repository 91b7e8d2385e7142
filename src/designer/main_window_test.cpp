#include "designer/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "about/about_window.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::TempFolder;

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        testing::CopyBundledData(program);
        window = std::make_unique<MainWindow>(program.path(), program.path());
        window->show();
        window->Start();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <typename Widget>
    Widget* Find(const char* name) {
        auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    TempFolder program;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, HasEveryControlByItsName) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kalverin"));
    for (const char* name : {"cmbChooseFrame", "cmbChooseClass"}) {
        EXPECT_TRUE(Find<QComboBox>(name)->isEditable()) << name;
    }
    for (const char* name : {"lstChooseMod", "lstCurrentMod"}) {
        Find<QListWidget>(name);
    }
    for (const char* name : {"cmdAddMod", "cmdLevelUp", "cmdLevelDown"}) {
        Find<QPushButton>(name);
    }
    for (const char* name :
         {"txtPower", "txtDamage", "txtWeight", "txtMode", "txtConceal", "txtCapacity", "txtLoad",
          "txtRecoil", "txtFCU", "txtDPV", "txtPrice", "txtLevel"}) {
        EXPECT_TRUE(Find<QLineEdit>(name)->isReadOnly()) << name;
    }
    EXPECT_FALSE(Find<QLineEdit>("txtMarkup")->isReadOnly());
    EXPECT_FALSE(Find<QLineEdit>("txtFirearm")->isReadOnly());
    EXPECT_EQ(Find<QCheckBox>("chkLarge")->text(), QStringLiteral("Large Under Mount"));
    EXPECT_EQ(Find<QComboBox>("cmbChooseFrame")->count(), 14);
    EXPECT_EQ(Find<QComboBox>("cmbChooseFrame")->currentText(), QStringLiteral("Choose Frame"));
    EXPECT_FALSE(Find<QPushButton>("cmdLevelUp")->isEnabled());
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsAndShortcuts) {
    const std::tuple<const char*, const char*, const char*> entries[] = {
        {"mnuNewWeapon", "&New Weapon", "Ctrl+N"},
        {"mnuOpen", "&Open Old Weapon", "Ctrl+O"},
        {"mnuSaveAs", "S&ave As", "Ctrl+A"},
        {"mnuExit", "E&xit", "Ctrl+X"},
        {"mnuFrames", "&Frames", ""},
        {"mnuModifications", "&Modifications", ""},
        {"mnuReload", "&Reload Data", ""},
        {"mnuAbout", "A&bout", "Ctrl+B"},
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
    EXPECT_EQ(menus, (QStringList{QStringLiteral("&File"), QStringLiteral("&Manage Data"),
                                  QStringLiteral("&Help")}));
}

TEST_F(MainWindowTest, CtrlXInTheDescriptionCutsTextAndInAStatisticsBoxEndsTheProgram) {
    bool exited = false;
    QObject::connect(Find<QAction>("mnuExit"), &QAction::triggered, window.get(),
                     [&exited] { exited = true; });
    auto* firearm = Find<QLineEdit>("txtFirearm");
    firearm->setFocus();
    QTest::keyClicks(firearm, QStringLiteral("Snub"));
    firearm->selectAll();
    QTest::keyClick(firearm, Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(exited);
    EXPECT_EQ(firearm->text(), QString());
    EXPECT_EQ(window->model().txtFirearm.text, "");

    auto* power = Find<QLineEdit>("txtPower");
    power->setFocus();
    QTest::keyClick(power, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(exited);
}

TEST_F(MainWindowTest, TypingIntoTheFrameChooserChoosesNothing) {
    auto* chooser = Find<QComboBox>("cmbChooseFrame");
    chooser->setFocus();
    chooser->lineEdit()->selectAll();
    QTest::keyClicks(chooser->lineEdit(), QStringLiteral("Taser"));
    EXPECT_EQ(window->model().cmbChooseFrame.text, "Taser");
    EXPECT_EQ(window->model().intChooseFrame, 0);
}

TEST_F(MainWindowTest, ReloadDataClearsTheDesign) {
    auto* firearm = Find<QLineEdit>("txtFirearm");
    QTest::keyClicks(firearm, QStringLiteral("Snub"));
    Find<QAction>("mnuReload")->trigger();
    EXPECT_EQ(firearm->text(), QString());
    EXPECT_EQ(Find<QLineEdit>("txtMarkup")->text(), QStringLiteral("5"));
    EXPECT_EQ(Find<QLineEdit>("txtPower")->text(), QStringLiteral("0"));
}

TEST_F(MainWindowTest, AboutOpensOneWindowBesideTheMainWindowAndANewOneAfterClosing) {
    auto* about = Find<QAction>("mnuAbout");
    about->trigger();
    QPointer<About> first = window->findChild<About*>();
    ASSERT_FALSE(first.isNull());
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());

    about->trigger();
    EXPECT_EQ(window->findChildren<About*>().size(), 1);

    first->close();
    EXPECT_TRUE(QTest::qWaitFor([&first] { return first.isNull(); }, 1000));
    about->trigger();
    About* second = window->findChild<About*>();
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
}

}  // namespace
}  // namespace kalverin
