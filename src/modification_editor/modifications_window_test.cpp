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
#include "test_support/named_controls.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::TempFolder;

using testing::FindNamed;

void ChooseClass(QWidget* window, const char* name) {
    testing::PickEntry(FindNamed<QComboBox>(window, "cmbChooseClass"), name);
}

void Retype(QWidget* window, const char* name, const QString& text) {
    auto* box = FindNamed<QLineEdit>(window, name);
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
    const QString expected = QStringLiteral(
        "txtModType=Mod Type|txtModification=Modification|txtMount1=Mount 1|txtMount2=Mount 2|"
        "txtMount3=Mount 3|txtPower=Power|txtDamage=Damage|txtMode=Mode|txtConceal=Concealability|"
        "txtCapacity=Ammo Capacity|txtLoad=Ammo Load|txtWeight=Weight|txtRecoil=Recoil|txtFCU=FCU|"
        "txtDPV=DPV|txtMarkup=Mark-Up|txtDetails=Modification Details|Text1=Hold Out Pistol|"
        "Text2=Light Pistol|Text3=Heavy Pistol|Text4=Machine Pistol|Text5=Sub Machinegun|"
        "Text6=Shotgun|Text7=Taser|Text8=Sporting Rifle|Text9=Assault Rifle|Text10=Sniper Rifle|"
        "Text11=Light MG|Text12=Medium MG|Text13=Heavy MG|Text14=Assault Cannon|"
        "cmbChooseClass=Option Classes|lstChooseMod=Options");
    QStringList shown;
    for (const QString& entry : expected.split(QLatin1Char('|'))) {
        const QString name = entry.section(QLatin1Char('='), 0, 0);
        shown << name + QLatin1Char('=') + captions[name];
    }
    EXPECT_EQ(shown.join(QLatin1Char('|')), expected);

    auto* chooser = FindNamed<QComboBox>(window.get(), "cmbChooseClass");
    EXPECT_TRUE(chooser->isEditable());
    EXPECT_EQ(chooser->currentText(), QStringLiteral("Choose Class"));
    EXPECT_EQ(chooser->count(), 4);
    EXPECT_EQ(ShownText(FindNamed<QPushButton>(window.get(), "cmdSave")->text()),
              QStringLiteral("Save Changes"));
    QStringList menus;
    for (QAction* menu : window->findChild<QMenuBar*>()->actions()) {
        for (QAction* entry : menu->menu()->actions()) {
            menus << menu->text() + QLatin1Char(' ') + entry->objectName() + QLatin1Char(' ') +
                         entry->text();
        }
    }
    EXPECT_EQ(menus, (QStringList{QStringLiteral("&File mnuSave &Save"),
                                  QStringLiteral("&File mnuExit E&xit")}));
}

TEST_F(ModificationsWindowTest, TabMovesTheFocusInTheWindowsOrder) {
    const QString expected = QStringLiteral(
        "txtModType txtModification txtMount1 txtMount2 txtMount3 txtPower txtDamage txtMode "
        "txtConceal txtCapacity txtLoad txtWeight txtRecoil txtFCU txtDPV Text1 Text2 Text3 Text4 "
        "Text5 Text6 Text7 Text8 Text9 Text10 Text11 Text12 Text13 Text14 cmbChooseClass "
        "lstChooseMod cmdSave txtMarkup txtDetails txtModType");
    FindNamed<QLineEdit>(window.get(), "txtModType")->setFocus();
    QStringList visited;
    for (qsizetype i = 0; i < expected.count(QLatin1Char(' ')) + 1; ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        // An editable chooser's typing box has the focus on the chooser's behalf.
        visited << (focus->objectName().isEmpty() ? focus->parentWidget()->objectName()
                                                  : focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(visited.join(QLatin1Char(' ')), expected);
}

TEST_F(ModificationsWindowTest, ChoosingShowsTheModificationAndBothSavesWriteWhatWasTyped) {
    auto* power = FindNamed<QLineEdit>(window.get(), "txtPower");
    auto* details = FindNamed<QPlainTextEdit>(window.get(), "txtDetails");
    const std::function<void()> saves[] = {
        [this] {
            QTest::mouseClick(FindNamed<QPushButton>(window.get(), "cmdSave"), Qt::LeftButton);
        },
        [this] { FindNamed<QAction>(window.get(), "mnuSave")->trigger(); },
    };
    int typed = 7;
    for (const auto& save : saves) {
        // Choosing a class empties the boxes, the typed ones of the last round too.
        ChooseClass(window.get(), "Barrel");
        ChooseClass(window.get(), "Sights");
        EXPECT_EQ(power->text() + details->toPlainText(), QString());
        FindNamed<QListWidget>(window.get(), "lstChooseMod")->setCurrentRow(0);
        EXPECT_EQ(FindNamed<QLineEdit>(window.get(), "Text14")->text(), QStringLiteral("-1"));
        EXPECT_EQ(details->toPlainText(), QStringLiteral("Magnified sight, for the top rail."));

        Retype(window.get(), "txtPower", QString::number(typed));
        // The quote would break the file's line; the box does not take it.
        Retype(window.get(), "txtMount1", QStringLiteral("Top\"Rail"));
        save();
        const std::string saved = program.Read("Data/Modifications.txt");
        EXPECT_NE(saved.find("\"Sights\",\"Scope\"," + std::to_string(typed) + ","),
                  std::string::npos);
        EXPECT_NE(saved.find(",\"TopRail\","), std::string::npos);
        EXPECT_EQ(power->text(), QString::number(typed++));
    }
}

// The main window's Manage Data menu opens the editor modal; this runs inside that modal run.
TEST(ModificationsFromMainWindowTest, ExitKeepsTheEditorAsItWasAndTheTitleBarUnloadsIt) {
    TempFolder program;
    testing::WriteEditorData(program);
    MainWindow main(program.path(), program.path());
    main.show();
    // Opens the editor and runs `inside` while it is shown; `inside` ends the modal run.
    auto whileShown = [&main](const std::function<void(Modifications*)>& inside) {
        bool ran = false;
        QTimer::singleShot(0, &main, [&] {
            auto* editor = main.findChild<Modifications*>(QStringLiteral("Modifications"));
            if (!editor || !editor->isVisible()) {
                return;
            }
            ran = true;
            EXPECT_TRUE(editor->isModal());
            inside(editor);
            if (editor->isVisible()) {
                ADD_FAILURE() << "the editor was left open";
                editor->hide();
            }
        });
        FindNamed<QAction>(&main, "mnuModifications")->trigger();
        EXPECT_TRUE(ran);
    };
    // The class, the list, the boxes and the current modification, as shown.
    auto shown = [](Modifications* editor) {
        return FindNamed<QComboBox>(editor, "cmbChooseClass")->currentText().toStdString() + " " +
               std::to_string(FindNamed<QComboBox>(editor, "cmbChooseClass")->count()) + " " +
               std::to_string(FindNamed<QListWidget>(editor, "lstChooseMod")->count()) + " " +
               FindNamed<QLineEdit>(editor, "txtPower")->text().toStdString() + " " +
               std::to_string(editor->model().CMN);
    };

    whileShown([](Modifications* editor) {
        ChooseClass(editor, "Barrel");
        FindNamed<QListWidget>(editor, "lstChooseMod")->setCurrentRow(1);
        Retype(editor, "txtPower", QStringLiteral("99 unsaved"));
        FindNamed<QAction>(editor, "mnuExit")->trigger();
    });
    // Shown again, the editor reads no file: the classes it holds stay although the file changed.
    program.Write("Data/Classes.txt", "1\r\n\"Feed\"\r\n");
    whileShown([&shown](Modifications* editor) {
        EXPECT_EQ(shown(editor), "Barrel 4 2 99 unsaved 4");
        editor->close();
    });
    EXPECT_EQ(main.findChild<Modifications*>(), nullptr);
    whileShown([&shown](Modifications* editor) {
        EXPECT_EQ(shown(editor), "Choose Class 1 0  0");
        FindNamed<QAction>(editor, "mnuExit")->trigger();
    });
}

}  // namespace
}  // namespace kalverin
