// The Qt windows' binding: each built from its table, driven by events and assistive tools, its
// real modals and keys, and how it is made and discarded. The rules are the scenarios'.

#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>
#include <fstream>

#include "about/about_window.h"
#include "about/sys_info_fakes.h"
#include "check_data/check_data_model.h"
#include "check_data/check_data_window.h"
#include "designer/compare_window.h"
#include "designer/main_window.h"
#include "frame_editor/frame_editor_window.h"
#include "modification_editor/modification_editor_window.h"
#include "qt_support/qt_text.h"
#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

// Failing comparisons show texts, not the bytes of their characters.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace kalverin {
namespace {

using namespace Qt::StringLiterals;

template <typename Widget = QWidget>
Widget* Find(const QObject* window, std::string_view name) {
    auto* found = window->findChild<Widget*>(ToQt(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

// A text in double quotes, after a space.
std::string Quoted(const QString& text) {
    return " \"" + text.toStdString() + '"';
}

// The menu bar: each menu's name and title, under it each entry with its keys, a submenu marked.
std::string MenusOf(QWidget* window) {
    auto* main = qobject_cast<QMainWindow*>(window);
    QWidget* bar = main ? main->menuWidget() : window->layout()->menuBar();
    auto line = [](QAction* action, const QMenu* menu) {
        const QString keys =
            QKeySequence::listToString(action->shortcuts(), QKeySequence::PortableText);
        return (menu ? menu->objectName() : action->objectName()).toStdString() +
               (menu ? " menu" : "") + Quoted(action->text()) +
               (keys.isEmpty() ? "" : ' ' + keys.toStdString()) + '\n';
    };
    std::string out;
    for (QAction* title : bar ? bar->actions() : QList<QAction*>()) {
        out += line(title, title->menu());
        for (QAction* entry : title->menu()->actions()) {
            out += "  " + line(entry, entry->menu());
        }
    }
    return out;
}

// A caption by its text and the control its key goes to; a control by its name, class, caption,
// read-only state and colour, and what assistive tools call it and tell of it.
std::string What(QWidget* widget) {
    auto* label = qobject_cast<QLabel*>(widget);
    QWidget* buddy = label ? label->buddy() : nullptr;
    const std::string keyFor = " for " + (buddy ? buddy->objectName().toStdString() : "nothing");
    if (label && widget->objectName().isEmpty()) {
        return Quoted(label->text()).substr(1) + keyFor;
    }
    std::string what = widget->objectName().toStdString() + ' ' + widget->metaObject()->className();
    if (auto* frame = qobject_cast<QFrame*>(widget);
        frame && frame->frameShape() == QFrame::HLine) {
        what += frame->frameShadow() == QFrame::Sunken ? " sunken" : " flat";
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        what += Quoted(button->text());
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        what += Quoted(group->title());
    } else if (buddy) {
        what += Quoted(label->text()) + keyFor;
    }
    const QVariant readOnly = widget->property("readOnly");
    const QPalette& colours = widget->palette();
    what += readOnly.toBool() ? " read-only" : "";
    what += readOnly.isValid() && colours.color(QPalette::Base) == colours.color(QPalette::Window)
                ? " window-coloured"
                : "";
    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(widget);
    what += shown->role() == QAccessible::Separator ? " separator" : "";
    // A label that is not named on purpose is announced by the text the program writes into it.
    if (!widget->accessibleName().isEmpty() || widget->focusPolicy() != Qt::NoFocus) {
        what += " named" + Quoted(shown->text(QAccessible::Name));
    }
    if (const QString told = shown->text(QAccessible::Description); !told.isEmpty()) {
        what += " described" + Quoted(told);
    }
    return what;
}

// A line for each thing laid out, where it stands and what it is; and the rows that grow.
std::string LayoutOf(QLayout* layout, const std::string& indent = {}) {
    std::string out;
    auto* grid = qobject_cast<QGridLayout*>(layout);
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        std::string at = indent;
        if (grid) {
            int row = 0, column = 0, rows = 0, columns = 0;
            grid->getItemPosition(i, &row, &column, &rows, &columns);
            at += std::to_string(row) + ',' + std::to_string(column) + ' ' + std::to_string(rows) +
                  'x' + std::to_string(columns) + ' ';
        } else if (auto* box = qobject_cast<QBoxLayout*>(layout)) {
            at += "stretch " + std::to_string(box->stretch(i)) + ' ';
        }
        if (QWidget* widget = item->widget()) {
            out += at + What(widget) + '\n';
            if (widget->layout()) {
                out += LayoutOf(widget->layout(), indent + "  ");
            }
        } else if (item->layout()) {
            out += at + "column\n" + LayoutOf(item->layout(), indent + "  ");
        }
    }
    for (int row = 0; grid && row < grid->rowCount(); ++row) {
        if (grid->rowStretch(row) > 0) {
            out += indent + "row " + std::to_string(row) + " grows\n";
        }
    }
    return out;
}

// A chooser's pick from its open list, as a click there makes it.
void PickAt(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

constexpr char kGun[] =
    "\"Gun\",\"Sniper Rifle\",8,\"S\",\"SA\",-2,\"4.2\",5,\"Magazine\",-1,0.5,1380,0\r\n"
    "5,0,1,0,1\r\n2\r\n\"Reflex Sight\",1\r\n\"Telescopic Sight\",2\r\n\"Long shots only.\"\r\n";

// What the model's controls show, a line each: a procedure run or a button armed shows here.
std::string ModelShows(const std::vector<BoundControl>& controls) {
    std::string out;
    for (const BoundControl& c : controls) {
        out += std::string(c.name) + ' ' + (c.text ? c.text->text : "") +
               (c.combo ? c.combo->text : "") + (c.list ? std::to_string(c.list->selected()) : "") +
               (c.button && !c.button->enabled ? "off" : "") +
               (c.check ? std::to_string(c.check->value) : "") + '\n';
    }
    return out;
}

// What the layout file cannot show: Tab order, keys that change nothing, assistive text and check
// states reaching the model, selections and entries a reader hears, and no chooser on a wheel.
template <typename Model>
void ExpectDrivable(QWidget* window, Model& model) {
    const std::vector<BoundControl> controls = BindControls(model, Model::Controls());
    ShowActive(window);
    const std::string before = ModelShows(controls);
    QList<QWidget*> focusOrder;
    for (const BoundControl& c : controls) {
        if (c.TakesFocus() && Find(window, c.name)->isEnabled()) {
            focusOrder << Find(window, c.name);
        }
    }
    focusOrder.front()->setFocus();
    QList<QWidget*> tabbed;
    while (tabbed.size() < focusOrder.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        tabbed << QApplication::focusWidget();
    }
    EXPECT_EQ(tabbed, focusOrder.mid(1) << focusOrder.front());
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() && label->text().contains(u'&')) {
            QTest::keySequence(QApplication::focusWidget(), QKeySequence::mnemonic(label->text()));
            EXPECT_EQ(QApplication::focusWidget(), label->buddy()) << label->text().toStdString();
        }
    }
    EXPECT_EQ(ModelShows(controls), before);
    for (const BoundControl& c : controls) {
        if (!c.TakesFocus()) {
            continue;
        }
        SCOPED_TRACE(c.name);
        auto* widget = Find(window, c.name);
        EXPECT_FALSE(widget->visibleRegion().isEmpty());  // laid out within the window
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
        if (c.kind == ControlKind::ReadOnlyBox) {
            EXPECT_TRUE(control->state().readOnly && !control->state().editable);
            auto* box = static_cast<QLineEdit*>(widget);
            box->setText(QStringLiteral("12"));
            box->deselect();
            EXPECT_EQ(control->textInterface()->selectionCount(), 0);
            box->selectAll();
            EXPECT_EQ(control->textInterface()->selectionCount(), 1);
        }
        if (c.kind == ControlKind::Chooser) {
            // A wheel turn over it changes nothing; what stands behind it may scroll.
            auto* chooser = static_cast<QComboBox*>(widget);
            const QString shown = chooser->currentText();
            QWheelEvent wheel({4, 4}, chooser->mapToGlobal(QPointF(4, 4)), {}, {0, -120},
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(chooser, &wheel);
            EXPECT_FALSE(wheel.isAccepted());
            EXPECT_EQ(chooser->currentText(), shown);
            EXPECT_EQ(control->text(QAccessible::Value).toStdString(), c.combo->text);
            // Its entries are a list inside it, closed or open, the one it shows selected.
            QStringList entries, told;
            for (const std::string& entry : c.combo->list.items()) {
                entries << ToQt(entry) + QLatin1String(entry == c.combo->text ? "*" : "");
            }
            for (const bool open : {false, true}) {
                QAccessibleInterface* list = control->child(0);
                EXPECT_TRUE(list->parent() == control && control->indexOfChild(list) == 0 &&
                            control->childCount() == 2 && control->state().expandable &&
                            control->state().expanded == open);
                for (int i = 0; i < list->childCount(); ++i) {
                    told << list->child(i)->text(QAccessible::Name) +
                                QLatin1String(list->child(i)->state().selected ? "*" : "");
                }
                // Opens the list, then closes it again.
                control->actionInterface()->doAction(
                    open ? QAccessibleActionInterface::pressAction()
                         : QAccessibleActionInterface::showMenuAction());
            }
            EXPECT_EQ(told, entries + entries);
        }
        if (auto* list = qobject_cast<QListWidget*>(widget);
            list && c.clicked && !c.doubleClicked) {
            // Return, the keys that move through the list and an assistive tool's selection
            // choose a line; Return the one with the focus frame, the first when it was reached.
            list->setFocus();
            for (const auto key : {Qt::Key_Return, Qt::Key_End, Qt::Key_Up, Qt::Key_Home}) {
                QTest::keyClick(list, key);
                EXPECT_EQ(c.list->selected(), list->currentRow());
            }
            control->tableInterface()->selectRow(1);
            EXPECT_EQ(c.list->selected(), 1);
        }
        if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            for (auto [state, value] :
                 {std::pair{Qt::Checked, 1}, {Qt::PartiallyChecked, 2}, {Qt::Unchecked, 0}}) {
                check->setCheckState(state);
                EXPECT_EQ(c.check->value, value);
            }
        }
        if (c.kind == ControlKind::Box || c.kind == ControlKind::TextArea) {
            auto* text = control->editableTextInterface();
            ASSERT_NE(text, nullptr);
            text->replaceText(0, control->textInterface()->characterCount(),
                              QStringLiteral("Dictated 3"));
            EXPECT_EQ(c.text->text, "Dictated 3");
        }
    }
    window->hide();
}

// A started main window on a copy of the bundled data, with no settings left by another test.
class WindowTest : public ::testing::Test {
  protected:
    WindowTest() : window(data, program.path()) {
        ShowActive(&window);
        window.Start();
    }

    template <typename Widget = QWidget>
    Widget* Get(const char* name) {
        return Find<Widget>(&window, name);
    }
    QString Text(const char* box) { return Get<QLineEdit>(box)->text(); }
    void Pick(const char* chooser, const char* entry) {
        auto* combo = Get<QComboBox>(chooser);
        PickAt(combo, combo->findText(QLatin1String(entry)));
    }
    // A click on a list's line, or a double click.
    void Click(const char* list, const char* line, bool twice = false) {
        auto* widget = Get<QListWidget>(list);
        const auto found = widget->findItems(QLatin1String(line), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << line;
        const QPoint at = widget->visualItemRect(found.front()).center();
        if (twice) {
            QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {}, at);
        } else {
            QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, at);
        }
    }
    void Trigger(const char* entry) { Get<QAction>(entry)->trigger(); }

    // Runs `action`, with OK on each message box, each file dialog answered with the next of
    // `paths` (Cancel when none left) and any other dialog cancelled; gives what they showed.
    QStringList ModalsDuring(const std::function<void()>& action, QStringList paths = {}) {
        QStringList shown;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, &window, [&shown, &paths] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                EXPECT_TRUE(box->windowTitle() == u"Kalverin"_s &&
                            box->icon() == QMessageBox::NoIcon &&
                            box->standardButtons() == QMessageBox::Ok);
                shown << box->text();
                box->button(QMessageBox::Ok)->click();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                auto* name = Find<QLineEdit>(dialog, "fileNameEdit");
                const bool save = dialog->acceptMode() == QFileDialog::AcceptSave;
                shown << dialog->windowTitle() + u'|' + dialog->nameFilters().join(u';') +
                             (save ? u"|save in "_s : u"|open in "_s) +
                             dialog->directory().dirName() + u": "_s + name->text();
                if (paths.isEmpty()) {
                    dialog->reject();
                    return;
                }
                // Typed into the file name box, as a user does: once that box has the focus,
                // selectFile() leaves its text alone.
                name->setText(paths.takeFirst());
                // QDialog's own accept: QFileDialog's would check the file and may open a box
                // of its own inside this timer call, which then never fires again.
                dialog->QDialog::accept();
            } else if (modal) {
                shown << QLatin1String(modal->metaObject()->className()) + u'|' +
                             modal->windowTitle();
                modal->close();
            }
        });
        closer.start(10);
        action();
        return shown;
    }

    struct Program : testing::TempFolder {
        Program() {
            QSettings(QSettings::IniFormat, QSettings::UserScope, u"kalverin"_s, u"kalverin"_s)
                .clear();
            std::filesystem::copy(testing::BundledData(), path() / "Data",
                                  std::filesystem::copy_options::recursive);
        }
    } program;
    DataInUse data{DiskFiles(), {.given = program.path() / "Data"}};
    MainWindow window;
};

TEST_F(WindowTest, EachWindowIsBuiltFromItsTableAndDrivableByAssistiveTools) {
    FrameEditorWindow frames(data);
    frames.Start();
    ModificationEditorWindow modifications(data);
    modifications.Load();
    auto* about = new About(nullptr);
    CheckDataModel checkModel(data);
    QDialog* check = MakeCheckData(checkModel, nullptr);
    CompareWindow compare(window.model(), nullptr);
    // Each window as its file under layouts/ has it; KALVERIN_UPDATE_SCENARIOS=1 writes them.
    const std::pair<const char*, QWidget*> layouts[] = {
        {"main", &window}, {"frames", &frames}, {"modifications", &modifications},
        {"about", about},  {"check", check},    {"compare", &compare}};
    for (auto [name, shown] : layouts) {
        shown->show();
        const auto file = std::filesystem::path(KALVERIN_LAYOUTS) / (std::string(name) + ".txt");
        auto* main = qobject_cast<QMainWindow*>(shown);
        QWidget* body = main ? main->centralWidget() : shown;
        const std::string now = (body ? LayoutOf(body->layout()) : "") + MenusOf(shown);
        if (std::getenv("KALVERIN_UPDATE_SCENARIOS")) {
            std::ofstream(file, std::ios::binary) << now;
        }
        EXPECT_EQ(now, testing::ReadFileBytes(file)) << file;
        shown->hide();
    }
    // Lists with lines and none chosen, which a focus change once chose.
    window.OpenWeaponFile(program.Write("Gun.wpn", kGun));
    Pick("cmbChooseClass", "Barrel");
    PickAt(Find<QComboBox>(&modifications, "cmbChooseClass"), 1);
    ExpectDrivable(&window, window.model());
    ExpectDrivable(&frames, frames.model());
    ExpectDrivable(&modifications, modifications.model());
    ExpectDrivable(about, about->model());
    ExpectDrivable(check, checkModel);
    ExpectDrivable(&compare, compare.model());
    delete about;
    delete check;
}

TEST_F(WindowTest, UserEventsReachTheModelAndMessagesAndDialogsAreRealOnes) {
    Pick("cmbChooseFrame", "Heavy Pistol");
    // The focus on a statistics box shows what made it in the details, its tooltip and what
    // assistive tools tell of it; the focus gone, the details are the option's again.
    auto* price = Get<QLineEdit>("txtPrice");
    price->setFocus();
    const QString made = u"Heavy Pistol: DPV 260 \u00D7 Mark-Up 5 = 1300"_s;
    EXPECT_EQ(Get<QPlainTextEdit>("txtDetails")->toPlainText(), made);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(price)->text(QAccessible::Description), made);
    EXPECT_EQ(QTextDocumentFragment::fromHtml(price->toolTip()).toPlainText(), made);
    Get("txtFirearm")->setFocus();
    EXPECT_EQ(Get<QPlainTextEdit>("txtDetails")->toPlainText(), QString());
    Pick("cmbChooseClass", "Barrel");
    // A click arms "Add"; a double click installs at once.
    Click("lstChooseMod", "Extended Barrel");
    Click("lstChooseMod", "Extended Barrel", true);
    EXPECT_EQ(Get<QListWidget>("lstCurrentMod")->count(), 1);
    EXPECT_FALSE(Get<QCheckBox>("chkBarrel")->isChecked());
    Click("lstCurrentMod", "Extended Barrel");
    QTest::mouseClick(Get<QPushButton>("cmdLevelUp"), Qt::LeftButton);
    EXPECT_EQ(Text("txtLevel"), u"2"_s);
    EXPECT_TRUE(Get("cmdLevelDown")->isEnabled());

    // What the user types goes into the model as a file can hold it, which the open shows below.
    QTest::keyClicks(Get("txtFirearm"), u"Snub \"nose\""_s);

    // The stat card's entries ask their dialogs; Cancel writes nothing.
    const std::filesystem::path folder = program.path() / "Weapons";
    std::filesystem::create_directory(folder);
    EXPECT_EQ(ModalsDuring([this] {
                  Trigger("mnuPrintCard");
                  Trigger("mnuExportCard");
              }),
              (QStringList{u"QPrintDialog|Print Stat Card"_s,
                           u"Export Stat Card|PDF File (*.pdf)|save in Weapons: "_s}));

    const QString weapons = PathText(folder);
    const QString asked = u"Save Weapon As|Weapon File (*.wpn)|"_s;
    EXPECT_EQ(ModalsDuring([this] { Trigger("mnuSaveAs"); }, {weapons + u"/Snub"_s}),
              (QStringList{asked + u"save in Weapons: "_s, u"The weapon is saved."_s}));
    Pick("cmbChooseFrame", "Taser");
    // Cancel saves nothing, though the dialog still names the file.
    EXPECT_EQ(ModalsDuring([this] { Trigger("mnuSaveAs"); }),
              QStringList{asked + u"save in Weapons: Snub"_s});
    EXPECT_EQ(ModalsDuring([this] { Trigger("mnuOpen"); }, {weapons + u"/Snub.wpn"_s}),
              QStringList{asked + u"open in Weapons: Snub"_s});
    EXPECT_EQ(Text("txtFirearm") + Text("txtDPV"), u"Snub nose340"_s);
}

// File > Compare With shows a window of its own, not modal, following the design; Cancel none.
TEST_F(WindowTest, TheComparisonIsAWindowOfItsOwnThatFollowsTheDesign) {
    const QString gun = PathText(program.Write("Gun.wpn", kGun));
    ModalsDuring([this] { Trigger("mnuCompare"); });
    EXPECT_EQ(window.findChild<QDialog*>(u"Compare"_s), nullptr);
    ModalsDuring([this] { Trigger("mnuCompare"); }, {gun});
    auto* compare = Find<QDialog>(&window, "Compare");
    ASSERT_NE(compare, nullptr);
    EXPECT_TRUE(compare->isVisible() && !compare->isModal());
    Pick("cmbChooseFrame", "Heavy Pistol");
    Get<QCheckBox>("chkTop")->click();
    EXPECT_EQ(Find<QLineEdit>(compare, "txtDifferencePrice")->text() + u'|' +
                  Find<QLineEdit>(compare, "txtThisMounts")->text(),
              u"lower by 5600|Barrel Mount, Small Under Mount"_s);
}

// A dropped weapon file opens; the stat block copies as text and HTML; the next window has the
// last's place, dialog folder and Open Recent, and with no settings opens as ever.
TEST_F(WindowTest, AWeaponFileDroppedOpensAndTheNextWindowHasWhatTheLastKept) {
    EXPECT_TRUE(window.model().cdbSaveAs.initialFolder.empty());
    const std::filesystem::path gun = program.Write("Weapons/Gun.wpn", kGun);
    QMimeData dragged;
    dragged.setUrls({QUrl::fromLocalFile(PathText(gun))});
    // As file managers drag it, and over a box that takes dropped text.
    dragged.setText(PathText(gun));
    QWidget* box = Get<QPlainTextEdit>("txtDescription")->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {});
    QApplication::sendEvent(box, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {});
    QApplication::sendEvent(box, &drop);
    EXPECT_EQ(Text("txtFirearm") + Text("txtPrice") +
                  Get<QPlainTextEdit>("txtDescription")->toPlainText(),
              u"Gun6900Long shots only."_s);
    Trigger("mnuCopyStatBlock");
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(copied->text().startsWith(u"Gun\nFrame Type: Sniper Rifle\n"_s));
    EXPECT_TRUE(copied->html().contains(u"Sniper Rifle"_s));

    const QRect place(40, 50, 900, 700);
    window.setGeometry(place);
    window.model().cdbSaveAs.fileName = gun;  // as the dialog leaves it
    window.close();
    MainWindow next(data, program.path());
    next.show();
    EXPECT_EQ(next.geometry(), place);
    EXPECT_EQ(next.model().cdbSaveAs.initialFolder, gun.parent_path());
    for (int opened = 0; opened < 2; ++opened) {  // the menu is refilled each time
        emit Find<QMenu>(&next, "mnuFile")->aboutToShow();
    }
    const QList<QAction*> recent = Find<QMenu>(&next, "mnuOpenRecent")->actions();
    ASSERT_EQ(recent.size(), 1);
    EXPECT_EQ(recent.front()->text(), u"&1 "_s + PathText(gun));
    recent.front()->trigger();
    EXPECT_EQ(Find<QLineEdit>(&next, "txtFirearm")->text(), u"Gun"_s);
}

// Ctrl+X cuts text selected in a box the user types into, else it is "Exit" (in the frame editor
// wherever nothing is selected); Undo and Redo take their keys in the boxes too.
TEST_F(WindowTest, MenuShortcutsWinOverTheBoxesThatDoNotTakeThem) {
    auto* firearm = Get<QLineEdit>("txtFirearm");
    firearm->setFocus();
    QTest::keyClicks(firearm, u"Snub"_s);
    QString shown;
    for (const char* keys : {"Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+Z", "Ctrl+Y"}) {
        QTest::keySequence(firearm, QKeySequence(QLatin1String(keys)));
        shown += firearm->text() + QLatin1String(Get<QAction>("mnuUndo")->isEnabled() ? "+" : "-");
    }
    EXPECT_EQ(shown, u"-Snub+-Snub+"_s);

    // Really exiting would leave the application quitting and close every later modal at once.
    bool exited = false;
    auto* exit = Get<QAction>("mnuExit");
    QObject::disconnect(exit, &QAction::triggered, &window, nullptr);
    QObject::connect(exit, &QAction::triggered, &window, [&exited] { exited = true; });
    testing::RecordingDialogs dialogs;
    FrameEditorWindow editor(data, nullptr, &dialogs);
    editor.Start();
    const std::tuple<QWidget*, const char*, const char*> boxes[] = {
        {&window, "txtFirearm", "txtPower"}, {&editor, "txtLoad", "txtLoad"}};
    for (auto [owner, typed, other] : boxes) {
        exited = false;
        ShowActive(owner);
        auto* box = Find<QLineEdit>(owner, typed);
        box->setFocus();
        QTest::keyClicks(box, u"Clip"_s);
        box->selectAll();
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        EXPECT_EQ(box->text(), QString());
        EXPECT_TRUE(owner->isVisible() && !exited);
        Find(owner, other)->setFocus();
        QTest::keyClick(Find(owner, other), Qt::Key_X, Qt::ControlModifier);
        EXPECT_TRUE(owner == &window ? exited : !owner->isVisible());
    }
    EXPECT_EQ(window.model().txtFirearm.text + editor.model().txtLoad.text, "");
    EXPECT_TRUE(dialogs.messages.empty());  // leaving the editor saves nothing
}

TEST_F(WindowTest, OnlyAPickFromTheOpenListRunsAChoosersProcedure) {
    // Typing into a chooser changes its text only: neither Enter nor leaving it picks.
    auto* frame = Get<QComboBox>("cmbChooseFrame");
    frame->setFocus();
    frame->lineEdit()->selectAll();
    QTest::keyClicks(frame->lineEdit(), u"Taser"_s);
    QTest::keyClick(frame->lineEdit(), Qt::Key_Return);
    Get("txtFirearm")->setFocus();
    EXPECT_EQ(window.model().cmbChooseFrame.text + '|' + window.model().txtDPV.text, "Taser|");
    Pick("cmbChooseFrame", "Heavy Pistol");
    // The arrow keys open the list, where Enter picks.
    QTest::keyClick(frame, Qt::Key_Down);
    EXPECT_EQ(Text("txtDPV"), u"260"_s);
    ASSERT_TRUE(frame->view()->isVisible());
    QTest::keyClick(frame->view(), Qt::Key_Down);
    QTest::keyClick(frame->view(), Qt::Key_Return);
    EXPECT_EQ(Text("txtDPV"), u"380"_s);
}

TEST_F(WindowTest, TheListsAndTheFilterTakeTheirKeys) {
    // A list whose lines are replaced shows its top.
    auto* options = Get<QListWidget>("lstChooseMod");
    auto* installed = Get<QListWidget>("lstCurrentMod");
    Pick("cmbChooseFrame", "Heavy Pistol");
    Pick("cmbChooseClass", "All");
    EXPECT_EQ(options->verticalScrollBar()->value(), 0) << "a list filled shows its top";
    options->scrollToBottom();
    auto* filter = Get<QLineEdit>("txtFilter");
    filter->setFocus();
    QTest::keyClicks(filter, u"E"_s);
    EXPECT_EQ(options->verticalScrollBar()->value(), 0);
    // The chosen option stays chosen as the filter moves it up the list.
    Click("lstChooseMod", "Extended Barrel");
    filter->setFocus();
    QTest::keyClicks(filter, u"XTENDED B"_s);
    ASSERT_EQ(options->count(), 1);
    EXPECT_EQ(options->currentRow(), 0);
    // Return on an option adds it; Delete on an installed one removes it.
    options->setFocus();
    QTest::keyClick(options, Qt::Key_Return);
    ASSERT_EQ(installed->count(), 1);
    Click("lstCurrentMod", "Extended Barrel");
    QTest::keyClick(installed, Qt::Key_Delete);
    EXPECT_EQ(installed->count(), 0);
    filter->setFocus();
    QTest::keyClick(filter, Qt::Key_Escape);
    EXPECT_EQ(options->count(), 84);
    EXPECT_EQ(options->verticalScrollBar()->value(), 0);
}

// The window opens just tall enough for both lists to be ten lines high in their own style and
// font (small text elsewhere lets them decide the height); the layout shares that height out.
TEST_F(WindowTest, TheWindowOpensWithTheListsTenLinesHigh) {
    qApp->setStyleSheet(
        u"* { font-size: 6px } QListWidget { border: 3px solid; font-size: 20px }"_s);
    MainWindow tall(data, program.path());
    ShowActive(&tall);
    int missing = 0;
    for (const char* name : {"lstChooseMod", "lstCurrentMod"}) {
        auto* list = Find<QListWidget>(&tall, name);
        list->addItem(u"X"_s);
        missing += 10 * list->sizeHintForRow(0) + 2 * list->frameWidth() - list->height();
    }
    EXPECT_EQ(missing, 0);
    qApp->setStyleSheet({});
}

// The frame editor is made once and keeps its state when hidden. The modification editor runs
// modal: Exit keeps it and what it showed, its title bar's close discards it.
TEST_F(WindowTest, TheFrameEditorIsMadeOnceAndKeepsItsStateWhenHidden) {
    EXPECT_EQ(window.findChild<FrameEditorWindow*>(), nullptr);
    Trigger("mnuFrames");
    auto* editor = window.findChild<FrameEditorWindow*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible() && editor->isModal());
    PickAt(Find<QComboBox>(editor, "cmbChooseFrame"), 9);
    Find<QLineEdit>(editor, "txtPower")->setText(u"10"_s);
    // The next showing does not read the file again.
    program.Write("Data/Frames.txt", "0\r\n");
    for (const bool byExit : {true, false}) {
        byExit ? Find<QAction>(editor, "mnuExit")->trigger() : (void)editor->close();
        EXPECT_FALSE(editor->isVisible());
        Trigger("mnuFrames");
        EXPECT_EQ(window.findChildren<FrameEditorWindow*>(), QList<FrameEditorWindow*>{editor});
        EXPECT_EQ(Find<QComboBox>(editor, "cmbChooseFrame")->count(), 14);
        EXPECT_EQ(editor->model().cmbChooseFrame.text + editor->model().txtPower.text,
                  "Sniper Rifle10");
    }
    editor->hide();
}

TEST_F(WindowTest, TheModificationEditorRunsModalAndItsTitleBarDiscardsIt) {
    using Leave = void (*)(QWidget*);
    const std::pair<const char*, Leave> runs[] = {
        {"Choose Class|",
         [](QWidget* editor) {
             PickAt(Find<QComboBox>(editor, "cmbChooseClass"), 1);
             Find<QListWidget>(editor, "lstChooseMod")->setCurrentRow(1);
             Find<QLineEdit>(editor, "txtPower")->setText(u"99 unsaved"_s);
             QTest::keyClick(Find(editor, "txtPower"), Qt::Key_Escape);
             EXPECT_TRUE(editor->isVisible());  // Escape does nothing
             Find<QAction>(editor, "mnuExit")->trigger();
         }},
        {"Barrel|99 unsaved", [](QWidget* editor) { editor->close(); }},
        {"Choose Class|", [](QWidget* editor) { editor->hide(); }}};
    for (const auto& [shows, leave] : runs) {
        bool ran = false;
        QTimer::singleShot(0, &window, [&] {
            auto* modifications = window.findChild<ModificationEditorWindow*>();
            ASSERT_TRUE(modifications && modifications->isVisible() && modifications->isModal());
            ran = true;
            EXPECT_EQ(Find<QComboBox>(modifications, "cmbChooseClass")->currentText() + u'|' +
                          Find<QLineEdit>(modifications, "txtPower")->text(),
                      QLatin1String(shows));
            leave(modifications);
        });
        Trigger("mnuModifications");
        EXPECT_TRUE(ran);
    }
    EXPECT_EQ(window.findChildren<ModificationEditorWindow*>().size(), 1);
}

// Check Data and About are one window each, not modal: Check Data checks again when asked; About
// is made anew once closed, its keys and OK close it, and System Info keeps it open.
TEST_F(WindowTest, CheckDataAndAboutAreOneWindowEach) {
    for (const char* entry : {"mnuCheckData", "mnuAbout"}) {
        Trigger(entry);
        Trigger(entry);
    }
    for (const char* name : {"CheckData", "About"}) {
        const QList<QDialog*> shown = window.findChildren<QDialog*>(QLatin1String(name));
        ASSERT_EQ(shown.size(), 1) << name;
        EXPECT_TRUE(shown.front()->isVisible() && !shown.front()->isModal()) << name;
    }
    const auto report = [this] {
        return Find<QPlainTextEdit>(Find(&window, "CheckData"), "txtReport")->toPlainText();
    };
    EXPECT_EQ(report(),
              u"Data folder: "_s + PathText(program.path() / "Data") + u"\nNo problems found."_s);
    std::filesystem::remove(program.path() / "Data" / "Classes.txt");
    Trigger("mnuCheckData");
    EXPECT_TRUE(report().contains(u"Data/Classes.txt cannot be read"_s));

    QPointer<About> first = window.findChild<About*>();
    first->close();
    EXPECT_TRUE(QTest::qWaitFor([&first] { return first.isNull(); }, 1000));
    Trigger("mnuAbout");
    EXPECT_NE(window.findChild<About*>(), nullptr);
    testing::FakeRegistry registry;
    testing::FakeStarter starter;
    testing::RecordingDialogs dialogs;
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_unknown}) {  // OK last
        QPointer<About> about = new About(nullptr, registry, starter, dialogs);
        ShowActive(about);
        QTest::mouseClick(Find<QPushButton>(about, "cmdSysInfo"), Qt::LeftButton);
        EXPECT_TRUE(about->isVisible());
        key == Qt::Key_unknown ? QTest::mouseClick(Find(about, "cmdOK"), Qt::LeftButton)
                               : QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_TRUE(QTest::qWaitFor([&about] { return about.isNull(); }, 1000));
    }
    EXPECT_EQ(dialogs.messages.size(), 3U);
}

}  // namespace
}  // namespace kalverin
