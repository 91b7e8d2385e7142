// The Qt windows: each built from its table, its events reaching its model and each refresh
// showing the model again, real message boxes and file dialogs, the menu shortcuts, and how
// the windows are made, shown, hidden and discarded. The rules themselves are the scenarios'.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "about/about_window.h"
#include "about/sys_info_fakes.h"
#include "designer/main_window.h"
#include "frame_editor/edit_frame.h"
#include "modification_editor/modifications_window.h"
#include "qt_support/qt_text.h"
#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

namespace kalverin {
namespace {

template <typename Widget>
Widget* Find(const QObject* window, std::string_view name) {
    auto* found = window->findChild<Widget*>(
        QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr char kGun[] =
    "\"Gun\",\"Sniper Rifle\",8,\"S\",\"SA\",-2,\"4.2\",5,\"Magazine\",-1,0.5,1380,0\r\n"
    "5,0,1,0,1\r\n0\r\n\"\"\r\n";

// The window has a widget of the right kind for every control of its table, showing the
// table's caption, and Tab goes through them in the table's order.
template <typename Model>
void ExpectBuiltFromTable(QWidget* window) {
    QList<QWidget*> focusOrder;
    for (const Control<Model>& c : Model::Controls()) {
        SCOPED_TRACE(c.name);
        if (c.kind == ControlKind::Menu) {
            EXPECT_EQ(Find<QMenu>(window, c.name)->title(), Latin(c.caption));
            continue;
        }
        if (InMenu(c.kind)) {
            auto* entry = Find<QAction>(window, c.name);
            EXPECT_EQ(entry->text(), Latin(c.caption));
            if (c.kind == ControlKind::MenuEntry) {
                EXPECT_EQ(entry->shortcuts(), QKeySequence::listFromString(Latin(c.shortcut)));
            }
            continue;
        }
        auto* widget = Find<QWidget>(window, c.name);
        ASSERT_NE(widget, nullptr);
        QString caption;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            caption = button->text();
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            caption = group->title();
        } else if (c.kind == ControlKind::Heading) {
            caption = static_cast<QLabel*>(widget)->text();
        }
        // A caption is a label of its own; a heading is a control of the table.
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->buddy() == widget && label->objectName().isEmpty()) {
                caption = label->text();
            }
        }
        if (c.kind != ControlKind::Label) {
            EXPECT_EQ(caption, Latin(c.caption));
        }
        if (auto* box = qobject_cast<QLineEdit*>(widget)) {
            EXPECT_EQ(box->isReadOnly(), c.kind == ControlKind::ReadOnlyBox);
            // A box to type into looks like one; a read-only box has the window's colour.
            const QPalette& colours = box->palette();
            EXPECT_EQ(colours.color(QPalette::Base) == colours.color(QPalette::Window),
                      box->isReadOnly());
        }
        const bool focusable = c.kind == ControlKind::Chooser || c.kind == ControlKind::List ||
                               c.kind == ControlKind::Button || c.kind == ControlKind::Box ||
                               c.kind == ControlKind::ReadOnlyBox ||
                               c.kind == ControlKind::TextArea || c.kind == ControlKind::Check ||
                               c.kind == ControlKind::ReadOnlyArea;
        if (focusable) {
            focusOrder << widget;
        }
    }
    // The focus chain holds disabled controls too, so the order does not depend on the state.
    QList<QWidget*> visited;
    QWidget* widget = focusOrder.front();
    do {
        if (focusOrder.contains(widget) && !visited.contains(widget)) {
            visited << widget;
        }
        widget = widget->nextInFocusChain();
    } while (widget != focusOrder.front() && visited.size() < focusOrder.size());
    EXPECT_EQ(visited, focusOrder);
}

TEST(WindowTest, EachWindowIsBuiltFromItsTable) {
    testing::TempFolder program;
    testing::CopyBundledData(program);
    MainWindow main(program.path(), program.path());
    ExpectBuiltFromTable<MainWindowModel>(&main);
    EditFrame frames(program.path());
    ExpectBuiltFromTable<FrameEditorModel>(&frames);
    Modifications modifications(program.path());
    ExpectBuiltFromTable<ModificationEditorModel>(&modifications);
    auto* about = new About(nullptr);
    ExpectBuiltFromTable<AboutModel>(about);
    delete about;
}

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() : window(program.path(), program.path()) {
        window.show();
        window.Start();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <typename Widget>
    Widget* Get(const char* name) {
        return Find<Widget>(&window, name);
    }
    QString Text(const char* box) { return Get<QLineEdit>(box)->text(); }

    // A pick from a chooser's list, as a click in its drop-down list makes it.
    void Pick(const char* chooser, const char* entry) {
        auto* combo = Get<QComboBox>(chooser);
        const int index = combo->findText(QString::fromLatin1(entry));
        ASSERT_GE(index, 0) << entry;
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    QPoint LineCenter(const char* list, const char* line) {
        auto* widget = Get<QListWidget>(list);
        auto found = widget->findItems(QString::fromLatin1(line), Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1) << line;
        return found.isEmpty() ? QPoint() : widget->visualItemRect(found.front()).center();
    }
    void Click(const char* list, const char* line) {
        QTest::mouseClick(Get<QListWidget>(list)->viewport(), Qt::LeftButton, {},
                          LineCenter(list, line));
    }
    void Press(const char* button) { QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton); }

    // Runs `action`, closing each message box with OK and answering each file dialog with the
    // next of `paths`, or Cancel when there is none; gives what the modals showed.
    QStringList ModalsDuring(const std::function<void()>& action, QStringList paths = {}) {
        QStringList shown;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, &window, [&shown, &paths] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                EXPECT_EQ(box->windowTitle(), QStringLiteral("Kalverin"));
                EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
                EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
                shown << box->text();
                box->button(QMessageBox::Ok)->click();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                shown << dialog->windowTitle() + QLatin1Char('|') +
                             dialog->nameFilters().join(QLatin1Char(';'));
                if (paths.isEmpty()) {
                    dialog->reject();
                    return;
                }
                // Typed into the file name box, as a user does: once that box has the focus,
                // selectFile() leaves its text alone.
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                ASSERT_NE(name, nullptr);
                name->setText(paths.takeFirst());
                // QDialog's own accept: QFileDialog's would check the file and may open a box
                // of its own inside this timer call, which then never fires again.
                dialog->QDialog::accept();
            }
        });
        closer.start(10);
        action();
        return shown;
    }

    struct BundledProgram : testing::TempFolder {
        BundledProgram() { testing::CopyBundledData(*this); }
    } program;
    MainWindow window;
};

TEST_F(MainWindowTest, UserEventsReachTheModelAndEachRefreshShowsIt) {
    // Typing into a chooser changes its text only: neither Enter nor leaving it picks.
    auto* chooser = Get<QComboBox>("cmbChooseFrame");
    chooser->setFocus();
    chooser->lineEdit()->selectAll();
    QTest::keyClicks(chooser->lineEdit(), QStringLiteral("Taser"));
    QTest::keyClick(chooser->lineEdit(), Qt::Key_Return);
    Get<QLineEdit>("txtFirearm")->setFocus();
    EXPECT_EQ(window.model().cmbChooseFrame.text, "Taser");
    EXPECT_EQ(Text("txtDPV"), QString());

    Pick("cmbChooseFrame", "Heavy Pistol");
    EXPECT_EQ(Text("txtDPV") + Text("txtPrice"), QStringLiteral("2601300"));
    Pick("cmbChooseClass", "Barrel");
    // A click arms "Add"; a double click installs at once.
    Click("lstChooseMod", "Extended Barrel");
    QTest::mouseDClick(Get<QListWidget>("lstChooseMod")->viewport(), Qt::LeftButton, {},
                       LineCenter("lstChooseMod", "Extended Barrel"));
    EXPECT_EQ(Get<QListWidget>("lstCurrentMod")->count(), 1);
    EXPECT_FALSE(Get<QCheckBox>("chkBarrel")->isChecked());
    Click("lstCurrentMod", "Extended Barrel");
    Press("cmdLevelUp");
    EXPECT_EQ(Text("txtLevel"), QStringLiteral("2"));
    EXPECT_TRUE(Get<QPushButton>("cmdLevelDown")->isEnabled());
    Press("cmdLevelDown");
    EXPECT_EQ(Text("txtLevel"), QStringLiteral("1"));

    // What the user types and ticks goes into the model as it is.
    QTest::keyClicks(Get<QLineEdit>("txtFirearm"), QStringLiteral("Snub \"nose\""));
    QTest::keyClicks(Get<QPlainTextEdit>("txtDescription"), QStringLiteral("Short"));
    Get<QLineEdit>("txtMarkup")->setText(QStringLiteral("6"));
    QTest::mouseClick(Get<QCheckBox>("chkLarge"), Qt::LeftButton);
    EXPECT_EQ(window.model().txtFirearm.text + "|" + window.model().txtDescription.text + "|" +
                  window.model().txtMarkup.text,
              "Snub nose|Short|6");
    EXPECT_EQ(window.model().chkLarge.value, 1);

    Get<QAction>("mnuNewWeapon")->trigger();
    EXPECT_EQ(Text("txtFirearm") + Text("txtPower") + Text("txtMarkup"), QStringLiteral("05"));
    EXPECT_EQ(Get<QListWidget>("lstCurrentMod")->count(), 0);
}

TEST_F(MainWindowTest, MessagesAndFileDialogsAreRealOnes) {
    Pick("cmbChooseFrame", "Heavy Pistol");
    Pick("cmbChooseClass", "Barrel");
    Click("lstChooseMod", "Extended Barrel");
    Press("cmdAddMod");
    EXPECT_EQ(ModalsDuring([this] { Press("cmdAddMod"); }),
              QStringList{QStringLiteral("Modification already exists")});

    const QString weapons = QString::fromStdString((program.path() / "Weapons").string());
    std::filesystem::create_directory(program.path() / "Weapons");
    QTest::keyClicks(Get<QLineEdit>("txtFirearm"), QStringLiteral("Snub"));
    EXPECT_EQ(ModalsDuring([this] { Get<QAction>("mnuSaveAs")->trigger(); },
                           {weapons + QStringLiteral("/Snub")}),
              (QStringList{QStringLiteral("Save Weapon As|Weapon File (*.wpn)"),
                           QStringLiteral("The weapon is saved.")}));
    Pick("cmbChooseFrame", "Taser");
    EXPECT_EQ(ModalsDuring([this] { Get<QAction>("mnuOpen")->trigger(); },
                           {weapons + QStringLiteral("/Snub.wpn")}),
              QStringList{QStringLiteral("Save Weapon As|Weapon File (*.wpn)")});
    EXPECT_EQ(Text("txtFirearm") + Text("txtDPV"), QStringLiteral("Snub300"));
}

TEST_F(MainWindowTest, AWeaponFileDroppedOpensAndTheStatBlockIsCopiedAsTextAndAsHtml) {
    QMimeData dragged;
    const QString gun = PathText(program.Write("Gun.wpn", kGun));
    dragged.setUrls({QUrl::fromLocalFile(gun)});
    // As file managers drag it, and over a box that takes dropped text.
    dragged.setText(gun);
    QWidget* box = Get<QPlainTextEdit>("txtDescription")->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {});
    QApplication::sendEvent(box, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {});
    QApplication::sendEvent(box, &drop);
    EXPECT_EQ(Text("txtFirearm") + Text("txtPrice"), QStringLiteral("Gun6900"));

    Get<QAction>("mnuCopyStatBlock")->trigger();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(copied->text().startsWith(QStringLiteral("Gun\nFrame Type: Sniper Rifle\n")));
    EXPECT_TRUE(copied->html().contains(QStringLiteral("Sniper Rifle")));
}

// The next window opens where the last one was closed, its file dialog in the last folder, and
// Open Recent lists the files that one saved or opened; with no settings it opens as ever.
TEST(MainWindowSettingsTest, TheNextWindowHasThePlaceFolderAndRecentFilesOfTheLast) {
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("kalverin"),
              QStringLiteral("kalverin"))
        .clear();
    testing::TempFolder program;
    testing::CopyBundledData(program);
    const std::filesystem::path gun = program.Write("Weapons/Gun.wpn", kGun);
    const QRect place(40, 50, 900, 700);
    {
        MainWindow window(program.path(), program.path());
        EXPECT_TRUE(window.model().cdbSaveAs.initialFolder.empty());
        window.show();
        window.Start();
        window.setGeometry(place);
        window.model().cdbSaveAs.fileName = gun;  // as the dialog leaves it
        window.OpenWeaponFile(gun);
        window.close();
    }
    MainWindow next(program.path(), program.path());
    next.show();
    EXPECT_EQ(next.geometry(), place);
    EXPECT_EQ(next.model().cdbSaveAs.initialFolder, gun.parent_path());
    emit Find<QMenu>(&next, "mnuFile")->aboutToShow();
    const QList<QAction*> recent = Find<QMenu>(&next, "mnuOpenRecent")->actions();
    ASSERT_EQ(recent.size(), 1);
    EXPECT_EQ(recent.front()->text(), QStringLiteral("&1 ") + PathText(gun));
    recent.front()->trigger();
    EXPECT_EQ(Find<QLineEdit>(&next, "txtFirearm")->text(), QStringLiteral("Gun"));
}

TEST_F(MainWindowTest, MenuShortcutsWinOverEveryBoxButTheOnesTheUserTypesInto) {
    // Really exiting would leave the application quitting, and every later modal dialog of the
    // test run would close at once; the test only records that "Exit" was reached.
    bool exited = false;
    auto* exit = Get<QAction>("mnuExit");
    QObject::disconnect(exit, &QAction::triggered, &window, nullptr);
    QObject::connect(exit, &QAction::triggered, &window, [&exited] { exited = true; });
    auto* firearm = Get<QLineEdit>("txtFirearm");
    firearm->setFocus();
    QTest::keyClicks(firearm, QStringLiteral("Snub"));
    firearm->selectAll();
    QTest::keyClick(firearm, Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(exited);
    EXPECT_EQ(window.model().txtFirearm.text, "");
    Get<QLineEdit>("txtPower")->setFocus();
    QTest::keyClick(Get<QLineEdit>("txtPower"), Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(exited);
}

TEST_F(MainWindowTest, OnlyAPickFromTheOpenListRunsAChoosersProcedure) {
    Pick("cmbChooseFrame", "Heavy Pistol");
    EditFrame frames(program.path());
    frames.Start();
    Modifications modifications(program.path());
    modifications.Load();
    const std::pair<QWidget*, const char*> choosers[] = {{&window, "cmbChooseFrame"},
                                                         {&window, "cmbChooseClass"},
                                                         {&frames, "cmbChooseFrame"},
                                                         {&modifications, "cmbChooseClass"}};
    for (auto [owner, name] : choosers) {
        auto* combo = Find<QComboBox>(owner, name);
        const QString before = combo->currentText();
        QWheelEvent wheel({4, 4}, combo->mapToGlobal(QPointF(4, 4)), {}, {0, -120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        EXPECT_EQ(combo->currentText(), before) << name;
    }
    // The arrow keys open the list, where Enter picks.
    auto* frame = Get<QComboBox>("cmbChooseFrame");
    QTest::keyClick(frame, Qt::Key_Down);
    EXPECT_EQ(Text("txtDPV"), QStringLiteral("260"));
    ASSERT_TRUE(frame->view()->isVisible());
    QTest::keyClick(frame->view(), Qt::Key_Down);
    QTest::keyClick(frame->view(), Qt::Key_Return);
    EXPECT_EQ(Text("txtDPV"), QStringLiteral("380"));
}

TEST_F(MainWindowTest, TheListsAndTheFilterTakeTheirKeysAndTheListsTheHeight) {
    // Both lists show ten lines at the first size, and take the height the window grows by.
    Pick("cmbChooseClass", "All");
    auto* options = Get<QListWidget>("lstChooseMod");
    auto* installed = Get<QListWidget>("lstCurrentMod");
    for (QListWidget* list : {options, installed}) {
        EXPECT_GE(list->viewport()->height(), 10 * options->sizeHintForRow(0));
    }
    const int height = installed->height();
    window.resize(window.width(), window.height() + 100);
    EXPECT_TRUE(QTest::qWaitFor([&] { return installed->height() > height; }, 1000));

    // A list whose lines are replaced shows its top.
    Pick("cmbChooseFrame", "Heavy Pistol");
    Pick("cmbChooseClass", "All");
    options->scrollToBottom();
    auto* filter = Get<QLineEdit>("txtFilter");
    filter->setFocus();
    QTest::keyClicks(filter, QStringLiteral("E"));
    EXPECT_EQ(options->verticalScrollBar()->value(), 0);
    QTest::keyClicks(filter, QStringLiteral("XTENDED B"));
    ASSERT_EQ(options->count(), 1);
    // Return on an option adds it; Delete on an installed one removes it.
    Click("lstChooseMod", "Extended Barrel");
    QTest::keyClick(options, Qt::Key_Return);
    ASSERT_EQ(installed->count(), 1);
    Click("lstCurrentMod", "Extended Barrel");
    QTest::keyClick(installed, Qt::Key_Delete);
    EXPECT_EQ(installed->count(), 0);
    // Esc empties the filter.
    filter->setFocus();
    QTest::keyClick(filter, Qt::Key_Escape);
    EXPECT_EQ(options->count(), 84);
}

TEST_F(MainWindowTest, UndoAndRedoTakeTheirKeysInTheBoxesTooAndATypedRunIsOneStep) {
    auto* undo = Get<QAction>("mnuUndo");
    EXPECT_FALSE(undo->isEnabled());
    auto* firearm = Get<QLineEdit>("txtFirearm");
    firearm->setFocus();
    QTest::keyClicks(firearm, QStringLiteral("Snub"));
    EXPECT_TRUE(undo->isEnabled());
    QTest::keyClick(firearm, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(firearm->text(), QString());
    EXPECT_FALSE(undo->isEnabled());
    QTest::keyClick(firearm, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(firearm->text(), QStringLiteral("Snub"));
    QTest::keyClick(firearm, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(firearm, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(firearm->text(), QStringLiteral("Snub"));
}

TEST_F(MainWindowTest, TheFrameEditorIsMadeOnceAndKeepsItsStateWhenHidden) {
    auto show = [this] {
        Get<QAction>("mnuFrames")->trigger();
        return window.findChild<EditFrame*>();
    };
    EXPECT_EQ(window.findChild<EditFrame*>(), nullptr);
    EditFrame* editor = show();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible() && editor->isModal());
    auto* chooser = Find<QComboBox>(editor, "cmbChooseFrame");
    chooser->setCurrentIndex(9);
    emit chooser->activated(9);
    auto* power = Find<QLineEdit>(editor, "txtPower");
    power->setText(QStringLiteral("10"));
    // The next showing does not read the file again.
    program.Write("Data/Frames.txt", "0\r\n");
    const std::function<void()> leave[] = {
        [editor] { Find<QAction>(editor, "mnuExit")->trigger(); },
        [editor] { editor->close(); },
    };
    for (const auto& way : leave) {
        way();
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(show(), editor);
        EXPECT_EQ(chooser->count(), 14);
        EXPECT_EQ(chooser->currentText() + power->text(), QStringLiteral("Sniper Rifle10"));
    }
    EXPECT_EQ(window.findChildren<EditFrame*>().size(), 1);
    editor->hide();
}

TEST(FrameEditorTest, CtrlXCutsSelectedTextAndOtherwiseLeavesTheEditor) {
    testing::TempFolder program;
    testing::CopyBundledData(program);
    testing::RecordingDialogs dialogs;
    EditFrame editor(program.path(), nullptr, &dialogs);
    editor.show();
    editor.Start();
    editor.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    auto* load = Find<QLineEdit>(&editor, "txtLoad");
    load->setFocus();
    QTest::keyClicks(load, QStringLiteral("Clip"));
    load->selectAll();
    QTest::keyClick(load, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.model().txtLoad.text, "");
    QTest::keyClick(load, Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_TRUE(dialogs.messages.empty());  // leaving saves nothing
}

TEST_F(MainWindowTest, TheModificationEditorKeepsItsStateOnExitAndIsUnloadedByItsTitleBar) {
    // The editor runs modal: `inside` runs within that run and ends it.
    auto whileShown = [this](const std::function<void(Modifications*)>& inside) {
        bool ran = false;
        QTimer::singleShot(0, &window, [&] {
            auto* editor = window.findChild<Modifications*>();
            ASSERT_TRUE(editor && editor->isVisible() && editor->isModal());
            ran = true;
            inside(editor);
        });
        Get<QAction>("mnuModifications")->trigger();
        EXPECT_TRUE(ran);
    };
    auto shown = [](Modifications* editor) {
        return Find<QComboBox>(editor, "cmbChooseClass")->currentText() + QLatin1Char('|') +
               Find<QLineEdit>(editor, "txtPower")->text();
    };
    whileShown([](Modifications* editor) {
        auto* classes = Find<QComboBox>(editor, "cmbChooseClass");
        classes->setCurrentIndex(1);
        emit classes->activated(1);
        Find<QListWidget>(editor, "lstChooseMod")->setCurrentRow(1);
        auto* power = Find<QLineEdit>(editor, "txtPower");
        power->selectAll();
        QTest::keyClicks(power, QStringLiteral("99 unsaved"));
        EXPECT_EQ(editor->model().txtPower.text, "99 unsaved");
        Find<QAction>(editor, "mnuExit")->trigger();
    });
    whileShown([&shown](Modifications* editor) {
        EXPECT_EQ(shown(editor), QStringLiteral("Barrel|99 unsaved"));
        editor->close();
    });
    EXPECT_EQ(window.findChild<Modifications*>(), nullptr);
    whileShown([&shown](Modifications* editor) {
        EXPECT_EQ(shown(editor), QStringLiteral("Choose Class|"));
        editor->hide();
    });
}

TEST_F(MainWindowTest, AboutIsOneWindowBesideTheMainWindowAndANewOneOnceClosed) {
    auto* entry = Get<QAction>("mnuAbout");
    entry->trigger();
    QPointer<About> first = window.findChild<About*>();
    ASSERT_FALSE(first.isNull());
    EXPECT_TRUE(first->isVisible() && !first->isModal());
    entry->trigger();
    EXPECT_EQ(window.findChildren<About*>().size(), 1);
    first->close();
    EXPECT_TRUE(QTest::qWaitFor([&first] { return first.isNull(); }, 1000));
    entry->trigger();
    EXPECT_NE(window.findChild<About*>(), nullptr);
}

TEST(AboutWindowTest, EnterEscapeAndOKCloseItAndSystemInfoKeepsItOpen) {
    testing::FakeRegistry registry;
    testing::FakeStarter starter;
    testing::RecordingDialogs dialogs;
    const std::function<void(About*)> ways[] = {
        [](About*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); },
        [](About*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); },
        [](About* about) { QTest::mouseClick(Find<QPushButton>(about, "cmdOK"), Qt::LeftButton); },
    };
    for (const auto& close : ways) {
        QPointer<About> about = new About(nullptr, registry, starter, dialogs);
        about->show();
        about->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(about));
        QTest::mouseClick(Find<QPushButton>(about, "cmdSysInfo"), Qt::LeftButton);
        EXPECT_TRUE(about->isVisible());
        close(about);
        EXPECT_TRUE(QTest::qWaitFor([&about] { return about.isNull(); }, 1000));
    }
    EXPECT_EQ(dialogs.messages.size(), 3U);
}

}  // namespace
}  // namespace kalverin
