#include "designer/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "about/about_window.h"
#include "qt_support/keyboard_access.h"
#include "test_support/named_controls.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::TempFolder;

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        testing::CopyBundledData(program);
        window = std::make_unique<MainWindow>(program.path(), program.path());
        testing::ShowStarted(window.get());
    }

    template <typename Widget>
    Widget* Find(const char* name) {
        return testing::FindNamed<Widget>(window.get(), name);
    }

    // Picks an entry of a chooser's list, as a click in its drop-down list does.
    void Pick(const char* chooser, const char* entry) {
        testing::PickEntry(Find<QComboBox>(chooser), entry);
    }

    QRect LineRect(const char* list, const char* line) {
        auto* widget = Find<QListWidget>(list);
        auto found = widget->findItems(QString::fromLatin1(line), Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1) << line;
        return found.isEmpty() ? QRect() : widget->visualItemRect(found.front());
    }

    void Click(const char* list, const char* line) {
        QTest::mouseClick(Find<QListWidget>(list)->viewport(), Qt::LeftButton, {},
                          LineRect(list, line).center());
    }

    // A double click, which starts with a click.
    void DoubleClick(const char* list, const char* line) {
        Click(list, line);
        QTest::mouseDClick(Find<QListWidget>(list)->viewport(), Qt::LeftButton, {},
                           LineRect(list, line).center());
    }

    void Press(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }

    struct Modals {
        QStringList messages;
        QStringList fileDialogs;  // title and filters of each
    };

    // Runs `action`, closing each message box with OK and answering each file dialog with the
    // next of `paths`, or Cancel when there is none.
    Modals ModalsDuring(const std::function<void()>& action, QStringList paths = {}) {
        Modals shown;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, window.get(), [&shown, &paths] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                EXPECT_EQ(box->windowTitle(), QStringLiteral("Kalverin"));
                EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
                EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
                shown.messages << box->text();
                box->button(QMessageBox::Ok)->click();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                shown.fileDialogs << dialog->windowTitle() + QLatin1Char('|') +
                                         dialog->nameFilters().join(QLatin1Char(';'));
                if (paths.isEmpty()) {
                    dialog->reject();
                } else {
                    const QString path = paths.takeFirst();
                    // Typed into the file name box, as a user does: once that box has the
                    // focus, selectFile() leaves its text alone and the dialog would answer
                    // with the name it offered.
                    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                    ASSERT_NE(name, nullptr);
                    name->setText(path);
                    EXPECT_EQ(dialog->selectedFiles(), QStringList{path});
                    // QDialog's own accept: QFileDialog's would check the file and may open a
                    // box of its own inside this timer call, which then never fires again.
                    dialog->QDialog::accept();
                }
            }
        });
        closer.start(10);
        action();
        return shown;
    }

    QStringList MessagesDuring(const std::function<void()>& action) {
        return ModalsDuring(action).messages;
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
    EXPECT_EQ(ShownText(Find<QCheckBox>("chkLarge")->text()), QStringLiteral("Large Under Mount"));
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

TEST_F(MainWindowTest, CaptionsCarryAccessKeysAndNameTheirBoxes) {
    const QList<QChar> menuKeys = {QLatin1Char('F'), QLatin1Char('M'), QLatin1Char('H')};
    // The controls the user works with, each with its own key; then the statistics, which may
    // share one.
    const std::tuple<const char*, const char*, bool> controls[] = {
        {"cmbChooseFrame", "Frame Type", true},
        {"cmbChooseClass", "Option Classes", true},
        {"lstChooseMod", "Options", true},
        {"cmdAddMod", "Add", true},
        {"lstCurrentMod", "Current Options and Modifications", true},
        {"txtFirearm", "Firearm Name", true},
        {"txtDescription", "Description", true},
        {"txtMarkup", "Mark-Up", true},
        {"chkBarrel", "Barrel Mount", true},
        {"chkTop", "Top Mount", true},
        {"chkLarge", "Large Under Mount", true},
        {"chkSmall", "Small Under Mount", true},
        {"txtPower", "Power", false},
        {"txtDamage", "Damage", false},
        {"txtWeight", "Weight", false},
        {"txtMode", "Mode", false},
        {"txtConceal", "Concealability", false},
        {"txtCapacity", "Ammo Capacity", false},
        {"txtLoad", "Ammo Load", false},
        {"txtRecoil", "Recoil", false},
        {"txtFCU", "FCU", false},
        {"txtDPV", "DPV", false},
        {"txtPrice", "Final Price", false},
    };
    QList<QChar> ownKeys;
    for (const auto& [name, caption, ownKey] : controls) {
        SCOPED_TRACE(name);
        auto* control = Find<QWidget>(name);
        ASSERT_NE(control, nullptr);
        QString text;
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            text = button->text();
        } else {
            for (QLabel* label : window->findChildren<QLabel*>()) {
                if (label->buddy() == control) {
                    text = label->text();
                }
            }
            EXPECT_EQ(control->accessibleName(), QString::fromLatin1(caption));
        }
        EXPECT_EQ(ShownText(text), QString::fromLatin1(caption));
        QChar key = AccessKeyOf(text);
        EXPECT_FALSE(key.isNull()) << text.toStdString();
        EXPECT_FALSE(menuKeys.contains(key)) << text.toStdString();
        if (ownKey) {
            EXPECT_FALSE(ownKeys.contains(key)) << text.toStdString();
            ownKeys << key;
        }
    }
}

TEST_F(MainWindowTest, TabGoesDownTheLeftThenTheMiddleThenTheRightColumn) {
    const QStringList columns = {
        QStringLiteral("cmbChooseFrame"), QStringLiteral("cmbChooseClass"),
        QStringLiteral("lstChooseMod"),   QStringLiteral("cmdAddMod"),
        QStringLiteral("lstCurrentMod"),  QStringLiteral("cmdLevelUp"),
        QStringLiteral("txtLevel"),       QStringLiteral("cmdLevelDown"),
        QStringLiteral("txtPower"),       QStringLiteral("txtDamage"),
        QStringLiteral("txtWeight"),      QStringLiteral("txtMode"),
        QStringLiteral("txtConceal"),     QStringLiteral("txtCapacity"),
        QStringLiteral("txtLoad"),        QStringLiteral("txtRecoil"),
        QStringLiteral("txtFCU"),         QStringLiteral("txtDPV"),
        QStringLiteral("txtMarkup"),      QStringLiteral("txtPrice"),
        QStringLiteral("txtFirearm"),     QStringLiteral("txtDescription"),
        QStringLiteral("chkBarrel"),      QStringLiteral("chkTop"),
        QStringLiteral("chkLarge"),       QStringLiteral("chkSmall"),
    };
    // The focus chain holds disabled controls too, so the order does not depend on the design.
    QStringList order;
    QWidget* start = Find<QWidget>("cmbChooseFrame");
    QWidget* widget = start;
    do {
        if (columns.contains(widget->objectName()) && !order.contains(widget->objectName())) {
            order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != start && order.size() < columns.size());
    EXPECT_EQ(order, columns);
}

TEST_F(MainWindowTest, CtrlXInTheDescriptionCutsTextAndInAStatisticsBoxEndsTheProgram) {
    // Really exiting would leave the application quitting, and every later modal dialog of
    // this test run would close at once; the test only records that "Exit" was reached.
    bool exited = false;
    QObject::disconnect(Find<QAction>("mnuExit"), &QAction::triggered, window.get(), nullptr);
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
    // Neither Enter nor leaving the box turns the typed name into a pick.
    QTest::keyClick(chooser->lineEdit(), Qt::Key_Return);
    Find<QLineEdit>("txtFirearm")->setFocus();
    EXPECT_EQ(window->model().intChooseFrame, 0);
    EXPECT_EQ(Find<QLineEdit>("txtDPV")->text(), QString());
}

TEST_F(MainWindowTest, PicksDoubleClicksAndLevelButtonsRunTheDesign) {
    Pick("cmbChooseFrame", "Heavy Pistol");
    EXPECT_EQ(Find<QLineEdit>("txtDPV")->text(), QStringLiteral("260"));
    EXPECT_EQ(Find<QLineEdit>("txtPrice")->text(), QStringLiteral("1300"));
    Pick("cmbChooseClass", "Barrel");
    EXPECT_GT(Find<QListWidget>("lstChooseMod")->count(), 0);

    // A double click installs at once; the new option is not selected yet.
    DoubleClick("lstChooseMod", "Extended Barrel");
    auto* installed = Find<QListWidget>("lstCurrentMod");
    ASSERT_EQ(installed->count(), 1);
    EXPECT_EQ(installed->item(0)->text(), QStringLiteral("Extended Barrel"));
    EXPECT_EQ(Find<QLineEdit>("txtPower")->text(), QStringLiteral("6"));
    EXPECT_FALSE(Find<QCheckBox>("chkBarrel")->isChecked());

    // "+" comes on with a selection, "-" only with a press of "+".
    auto* up = Find<QPushButton>("cmdLevelUp");
    auto* down = Find<QPushButton>("cmdLevelDown");
    auto* level = Find<QLineEdit>("txtLevel");
    const std::tuple<const char*, const char*, bool, bool> steps[] = {
        {"select", "1", true, false}, {"+", "2", true, true},  {"+", "2", false, true},
        {"-", "1", true, true},       {"-", "0", true, false},
    };
    for (const auto& [action, shown, upOn, downOn] : steps) {
        SCOPED_TRACE(action);
        if (std::string_view(action) == "select") {
            Click("lstCurrentMod", "Extended Barrel");
        } else {
            Press(std::string_view(action) == "+" ? "cmdLevelUp" : "cmdLevelDown");
        }
        EXPECT_EQ(level->text(), QString::fromLatin1(shown));
        EXPECT_EQ(up->isEnabled(), upOn);
        EXPECT_EQ(down->isEnabled(), downOn);
    }
}

TEST_F(MainWindowTest, ARefusedInstallIsShownInAMessageBox) {
    Pick("cmbChooseFrame", "Heavy Pistol");
    Pick("cmbChooseClass", "Barrel");
    DoubleClick("lstChooseMod", "Extended Barrel");
    Click("lstChooseMod", "Extended Barrel");
    EXPECT_EQ(MessagesDuring([this] { Press("cmdAddMod"); }),
              QStringList{QStringLiteral("Modification already exists")});
    EXPECT_EQ(Find<QListWidget>("lstCurrentMod")->count(), 1);

    // "Add" with no option selected does nothing at all.
    Pick("cmbChooseClass", "Sights");
    EXPECT_EQ(MessagesDuring([this] { Press("cmdAddMod"); }), QStringList{});
    EXPECT_EQ(Find<QListWidget>("lstCurrentMod")->count(), 1);
}

TEST_F(MainWindowTest, ReloadDataClearsTheDesign) {
    auto* firearm = Find<QLineEdit>("txtFirearm");
    QTest::keyClicks(firearm, QStringLiteral("Snub"));
    Find<QAction>("mnuReload")->trigger();
    EXPECT_EQ(firearm->text(), QString());
    EXPECT_EQ(Find<QLineEdit>("txtMarkup")->text(), QStringLiteral("5"));
    EXPECT_EQ(Find<QLineEdit>("txtPower")->text(), QStringLiteral("0"));
}

TEST_F(MainWindowTest, SaveAsAndOpenGoThroughTheFileDialog) {
    const QString weapons = QString::fromStdString((program.path() / "Weapons").string());
    std::filesystem::create_directory(program.path() / "Weapons");
    auto* openEntry = Find<QAction>("mnuOpen");
    EXPECT_EQ(ModalsDuring([openEntry] { openEntry->trigger(); }).fileDialogs,
              QStringList{QStringLiteral("Save Weapon As|*.wpn")});

    Pick("cmbChooseFrame", "Heavy Pistol");
    QTest::keyClicks(Find<QLineEdit>("txtFirearm"), QStringLiteral("Snub \"nose\""));
    auto saved = ModalsDuring([this] { Find<QAction>("mnuSaveAs")->trigger(); },
                              {weapons + QStringLiteral("/Snub")});
    EXPECT_EQ(saved.fileDialogs, QStringList{QStringLiteral("Save Weapon As|Weapon File (*.wpn)")});
    EXPECT_EQ(saved.messages, QStringList{QStringLiteral("The weapon is saved.")});
    EXPECT_EQ(program.Read("Weapons/Snub.wpn").substr(0, 29), "\"Snub nose\",\"Heavy Pistol\",5,");

    Pick("cmbChooseFrame", "Taser");
    auto opened = ModalsDuring([openEntry] { openEntry->trigger(); },
                               {weapons + QStringLiteral("/Snub.wpn")});
    EXPECT_EQ(opened.fileDialogs,
              QStringList{QStringLiteral("Save Weapon As|Weapon File (*.wpn)")});
    EXPECT_TRUE(opened.messages.isEmpty());
    EXPECT_EQ(Find<QLineEdit>("txtFirearm")->text(), QStringLiteral("Snub nose"));
    EXPECT_EQ(Find<QLineEdit>("txtDPV")->text(), QStringLiteral("260"));
    EXPECT_EQ(Find<QComboBox>("cmbChooseFrame")->currentText(), QStringLiteral("Heavy Pistol"));
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
