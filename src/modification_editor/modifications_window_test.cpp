#include "modification_editor/modifications_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>

#include "designer/main_window.h"
#include "modification_editor/modification_test_data.h"
#include "qt_support/keyboard_access.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::TempFolder;

template <typename Widget>
Widget* Find(QWidget* window, const QString& name) {
    auto* widget = window->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

template <typename Widget>
Widget* Find(QWidget* window, const char* name) {
    return Find<Widget>(window, QString::fromLatin1(name));
}

void ChooseClass(QWidget* window, const char* name) {
    auto* chooser = Find<QComboBox>(window, "cmbChooseClass");
    int index = chooser->findText(QString::fromLatin1(name));
    ASSERT_GE(index, 0) << name;
    chooser->setCurrentIndex(index);
    emit chooser->activated(index);
}

void Retype(QWidget* window, const char* name, const QString& text) {
    auto* box = Find<QLineEdit>(window, name);
    box->selectAll();
    QTest::keyClicks(box, text);
}

class ModificationsWindowTest : public ::testing::Test {
  protected:
    ModificationsWindowTest() {
        testing::WriteEditorData(program);
        window = std::make_unique<Modifications>(program.path());
        window->Load();
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    TempFolder program;
    std::unique_ptr<Modifications> window;
};

TEST_F(ModificationsWindowTest, HasEveryControlByNameWithItsCaption) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Modifications"));
    std::map<QString, QString> captions;  // box name -> caption beside or over it
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy()) {
            captions[label->buddy()->objectName()] = ShownText(label->text());
            EXPECT_FALSE(AccessKeyOf(label->text()).isNull()) << label->text().toStdString();
            EXPECT_EQ(label->buddy()->accessibleName(), ShownText(label->text()));
        }
    }
    const std::pair<const char*, const char*> boxes[] = {
        {"txtModType", "Mod Type"},
        {"txtModification", "Modification"},
        {"txtMount1", "Mount 1"},
        {"txtMount2", "Mount 2"},
        {"txtMount3", "Mount 3"},
        {"txtPower", "Power"},
        {"txtDamage", "Damage"},
        {"txtMode", "Mode"},
        {"txtConceal", "Concealability"},
        {"txtCapacity", "Ammo Capacity"},
        {"txtLoad", "Ammo Load"},
        {"txtWeight", "Weight"},
        {"txtRecoil", "Recoil"},
        {"txtFCU", "FCU"},
        {"txtDPV", "DPV"},
        {"txtMarkup", "Mark-Up"},
        {"Text1", "Hold Out Pistol"},
        {"Text2", "Light Pistol"},
        {"Text3", "Heavy Pistol"},
        {"Text4", "Machine Pistol"},
        {"Text5", "Sub Machinegun"},
        {"Text6", "Shotgun"},
        {"Text7", "Taser"},
        {"Text8", "Sporting Rifle"},
        {"Text9", "Assault Rifle"},
        {"Text10", "Sniper Rifle"},
        {"Text11", "Light MG"},
        {"Text12", "Medium MG"},
        {"Text13", "Heavy MG"},
        {"Text14", "Assault Cannon"},
    };
    for (const auto& [name, caption] : boxes) {
        auto* box = Find<QLineEdit>(window.get(), name);
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->isReadOnly()) << name;
        EXPECT_EQ(captions[box->objectName()], QString::fromLatin1(caption)) << name;
    }
    EXPECT_EQ(captions[QStringLiteral("txtDetails")], QStringLiteral("Modification Details"));
    EXPECT_EQ(captions[QStringLiteral("cmbChooseClass")], QStringLiteral("Option Classes"));
    EXPECT_EQ(captions[QStringLiteral("lstChooseMod")], QStringLiteral("Options"));
    Find<QPlainTextEdit>(window.get(), "txtDetails");
    auto* chooser = Find<QComboBox>(window.get(), "cmbChooseClass");
    EXPECT_TRUE(chooser->isEditable());
    EXPECT_EQ(chooser->currentText(), QStringLiteral("Choose Class"));
    EXPECT_EQ(chooser->count(), 4);
    EXPECT_EQ(ShownText(Find<QPushButton>(window.get(), "cmdSave")->text()),
              QStringLiteral("Save Changes"));
    EXPECT_EQ(Find<QAction>(window.get(), "mnuSave")->text(), QStringLiteral("&Save"));
    EXPECT_EQ(Find<QAction>(window.get(), "mnuExit")->text(), QStringLiteral("E&xit"));
    QMenuBar* bar = window->findChild<QMenuBar*>();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 1);
    EXPECT_EQ(bar->actions().front()->text(), QStringLiteral("&File"));
}

TEST_F(ModificationsWindowTest, TabMovesTheFocusInTheWindowsOrder) {
    QStringList expected = {
        QStringLiteral("txtModType"), QStringLiteral("txtModification"),
        QStringLiteral("txtMount1"),  QStringLiteral("txtMount2"),
        QStringLiteral("txtMount3"),  QStringLiteral("txtPower"),
        QStringLiteral("txtDamage"),  QStringLiteral("txtMode"),
        QStringLiteral("txtConceal"), QStringLiteral("txtCapacity"),
        QStringLiteral("txtLoad"),    QStringLiteral("txtWeight"),
        QStringLiteral("txtRecoil"),  QStringLiteral("txtFCU"),
        QStringLiteral("txtDPV"),
    };
    for (int j = 1; j <= 14; ++j) {
        expected << QStringLiteral("Text%1").arg(j);
    }
    expected << QStringLiteral("cmbChooseClass") << QStringLiteral("lstChooseMod")
             << QStringLiteral("cmdSave") << QStringLiteral("txtMarkup")
             << QStringLiteral("txtDetails") << QStringLiteral("txtModType");

    Find<QLineEdit>(window.get(), "txtModType")->setFocus();
    QStringList visited;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        // An editable chooser's typing box has the focus on the chooser's behalf.
        visited << (focus->objectName().isEmpty() ? focus->parentWidget()->objectName()
                                                  : focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(ModificationsWindowTest, ChoosingAClassAndAnEntryShowsTheModification) {
    ChooseClass(window.get(), "Sights");
    auto* list = Find<QListWidget>(window.get(), "lstChooseMod");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("Scope"));

    list->setCurrentRow(0);
    EXPECT_EQ(Find<QLineEdit>(window.get(), "txtPower")->text(), QStringLiteral("2"));
    EXPECT_EQ(Find<QLineEdit>(window.get(), "Text14")->text(), QStringLiteral("-1"));
    EXPECT_EQ(Find<QPlainTextEdit>(window.get(), "txtDetails")->toPlainText(),
              QStringLiteral("Magnified sight, for the top rail."));

    ChooseClass(window.get(), "Barrel");
    EXPECT_EQ(Find<QLineEdit>(window.get(), "txtPower")->text(), QString());
    EXPECT_EQ(Find<QPlainTextEdit>(window.get(), "txtDetails")->toPlainText(), QString());
}

TEST_F(ModificationsWindowTest, SaveChangesAndTheSaveMenuWriteWhatWasTyped) {
    const std::pair<const char*, std::function<void(Modifications*)>> saves[] = {
        {"cmdSave",
         [](Modifications* w) {
             QTest::mouseClick(Find<QPushButton>(w, "cmdSave"), Qt::LeftButton);
         }},
        {"mnuSave", [](Modifications* w) { Find<QAction>(w, "mnuSave")->trigger(); }},
    };
    int power = 7;
    for (const auto& [name, save] : saves) {
        ChooseClass(window.get(), "Sights");
        Find<QListWidget>(window.get(), "lstChooseMod")->setCurrentRow(0);
        Retype(window.get(), "txtPower", QString::number(power));
        Retype(window.get(), "txtMount1", QStringLiteral("Top\"Rail"));
        save(window.get());

        std::string saved = program.Read("Data/Modifications.txt");
        EXPECT_NE(saved.find("\"Sights\",\"Scope\"," + std::to_string(power) + ","),
                  std::string::npos)
            << name;
        EXPECT_NE(saved.find(",\"TopRail\","), std::string::npos) << name;
        EXPECT_EQ(Find<QLineEdit>(window.get(), "txtPower")->text(), QString::number(power));
        ++power;
    }
}

// The main window's Manage Data menu opens the editor modal; these run inside that modal run.
class ModificationsFromMainWindowTest : public ::testing::Test {
  protected:
    ModificationsFromMainWindowTest() {
        testing::WriteEditorData(program);
        main = std::make_unique<MainWindow>(program.path(), program.path());
        main->show();
    }

    // Opens the editor and runs `inside` while it is shown; `inside` ends the modal run.
    void WhileShown(const std::function<void(Modifications*)>& inside) {
        bool ran = false;
        QTimer::singleShot(0, main.get(), [&] {
            auto* editor = main->findChild<Modifications*>(QStringLiteral("Modifications"));
            if (!editor || !editor->isVisible()) {
                return;
            }
            ran = true;
            inside(editor);
            if (editor->isVisible()) {
                ADD_FAILURE() << "the editor was left open";
                editor->hide();
            }
        });
        Find<QAction>(main.get(), "mnuModifications")->trigger();
        EXPECT_TRUE(ran);
    }

    TempFolder program;
    std::unique_ptr<MainWindow> main;
};

TEST_F(ModificationsFromMainWindowTest, ExitHidesTheEditorWhichComesBackAsItWas) {
    WhileShown([](Modifications* editor) {
        EXPECT_TRUE(editor->isModal());
        ChooseClass(editor, "Barrel");
        Find<QListWidget>(editor, "lstChooseMod")->setCurrentRow(1);
        Retype(editor, "txtPower", QStringLiteral("99 unsaved"));
        Find<QAction>(editor, "mnuExit")->trigger();
    });
    // Shown again, the editor reads no file: the classes it holds stay although the file changed.
    program.Write("Data/Classes.txt", "1\r\n\"Feed\"\r\n");
    WhileShown([](Modifications* editor) {
        EXPECT_EQ(Find<QComboBox>(editor, "cmbChooseClass")->currentText(),
                  QStringLiteral("Barrel"));
        EXPECT_EQ(Find<QComboBox>(editor, "cmbChooseClass")->count(), 4);
        EXPECT_EQ(Find<QListWidget>(editor, "lstChooseMod")->count(), 2);
        EXPECT_EQ(Find<QLineEdit>(editor, "txtPower")->text(), QStringLiteral("99 unsaved"));
        EXPECT_EQ(editor->model().CMN, 4);
        Find<QAction>(editor, "mnuExit")->trigger();
    });
}

TEST_F(ModificationsFromMainWindowTest, ClosingByTheTitleBarUnloadsTheEditor) {
    WhileShown([](Modifications* editor) {
        ChooseClass(editor, "Barrel");
        Find<QListWidget>(editor, "lstChooseMod")->setCurrentRow(0);
        Retype(editor, "txtPower", QStringLiteral("99 unsaved"));
        editor->close();
    });
    EXPECT_EQ(main->findChild<Modifications*>(), nullptr);
    program.Write("Data/Classes.txt", "1\r\n\"Feed\"\r\n");
    WhileShown([](Modifications* editor) {
        EXPECT_EQ(Find<QComboBox>(editor, "cmbChooseClass")->currentText(),
                  QStringLiteral("Choose Class"));
        EXPECT_EQ(Find<QComboBox>(editor, "cmbChooseClass")->count(), 1);
        EXPECT_EQ(Find<QListWidget>(editor, "lstChooseMod")->count(), 0);
        EXPECT_EQ(Find<QLineEdit>(editor, "txtPower")->text(), QString());
        EXPECT_EQ(editor->model().CMN, 0);
        Find<QAction>(editor, "mnuExit")->trigger();
    });
}

}  // namespace
}  // namespace kalverin
