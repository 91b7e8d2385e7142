#include "designer/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "about/about_window.h"
#include "designer/stat_card_printer.h"
#include "designer/statistic_boxes.h"
#include "frame_editor/edit_frame.h"
#include "kalverin_version.h"
#include "modification_editor/modifications_window.h"
#include "qt_support/control_view.h"
#include "qt_support/item_text_input.h"
#include "qt_support/keyboard_access.h"
#include "qt_support/list_pick.h"
#include "qt_support/qt_text.h"
#include "qt_support/window_keys.h"

namespace kalverin {

MainWindow::MainWindow(const std::filesystem::path& programDir,
                       const std::filesystem::path& currentDir, QWidget* parent)
    : QMainWindow(parent), dialogs_(this), model_(programDir, currentDir, dialogs_) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    BuildWidgets();
    BuildMenus();
    SetKeyboardAccess();
    ConnectEvents();

    resize(589, 379);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::Start() {
    model_.Load();
    Refresh();
}

void MainWindow::BuildWidgets() {
    auto* central = new QWidget;
    auto* columns = new QHBoxLayout(central);

    // Left column: choosers, options, the installed options and their level.
    auto* left = new QVBoxLayout;
    cmbChooseFrame_ = Named(new QComboBox, "cmbChooseFrame");
    cmbChooseClass_ = Named(new QComboBox, "cmbChooseClass");
    for (QComboBox* combo : {cmbChooseFrame_, cmbChooseClass_}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    lstChooseMod_ = Named(new QListWidget, "lstChooseMod");
    cmdAddMod_ = Named(new QPushButton(tr("Add")), "cmdAddMod");
    lstCurrentMod_ = Named(new QListWidget, "lstCurrentMod");
    cmdLevelUp_ = Named(new QPushButton(tr("+")), "cmdLevelUp");
    cmdLevelDown_ = Named(new QPushButton(tr("-")), "cmdLevelDown");
    txtLevel_ = Named(new QLineEdit, "txtLevel");
    txtLevel_->setReadOnly(true);
    for (QWidget* level : {static_cast<QWidget*>(cmdLevelUp_), static_cast<QWidget*>(txtLevel_),
                           static_cast<QWidget*>(cmdLevelDown_)}) {
        level->setFixedWidth(44);
    }
    txtLevel_->setAlignment(Qt::AlignCenter);
    // The level controls have no caption of their own; assistive tools read these names.
    txtLevel_->setAccessibleName(tr("Level"));
    cmdLevelUp_->setAccessibleName(tr("Raise Level"));
    cmdLevelDown_->setAccessibleName(tr("Lower Level"));
    left->addWidget(CaptionFor(tr("Frame Type"), cmbChooseFrame_));
    left->addWidget(cmbChooseFrame_);
    left->addWidget(CaptionFor(tr("Option Classes"), cmbChooseClass_));
    left->addWidget(cmbChooseClass_);
    left->addWidget(CaptionFor(tr("Options"), lstChooseMod_));
    left->addWidget(lstChooseMod_, 1);
    left->addWidget(cmdAddMod_);
    left->addWidget(CaptionFor(tr("Current Options and Modifications"), lstCurrentMod_));
    auto* current = new QHBoxLayout;
    current->addWidget(lstCurrentMod_, 1);
    auto* levels = new QVBoxLayout;
    levels->addStretch();
    levels->addWidget(cmdLevelUp_);
    levels->addWidget(txtLevel_);
    levels->addWidget(cmdLevelDown_);
    current->addLayout(levels);
    left->addLayout(current, 1);
    columns->addLayout(left, 3);

    // Middle column: the statistics, each caption beside its box.
    auto* middle = new QGridLayout;
    int row = 0;
    for (const StatisticBox& stat : kStatisticBoxes) {
        auto* box = Named(new QLineEdit, stat.name);
        // Wide enough for a price with all its digits.
        box->setFixedWidth(112);
        middle->addWidget(CaptionFor(tr(stat.caption), box), row, 0);
        middle->addWidget(box, row, 1);
        ++row;
        if (stat.box == &MainWindowModel::txtMarkup) {
            txtMarkup_ = box;  // the one statistic the user may type
        } else {
            box->setReadOnly(true);
            statBoxes_.push_back({box, stat.box});
        }
    }
    middle->setRowStretch(row, 1);
    columns->addLayout(middle, 0);

    // Right column: name, description and the free mounts.
    auto* right = new QVBoxLayout;
    // The name and the description go into weapon files, which cannot carry every text.
    txtFirearm_ = Named(new QLineEdit, "txtFirearm");
    KeepToItemText(txtFirearm_);
    txtDescription_ = Named(new ItemTextEdit, "txtDescription");
    auto* mounts = Named(new QGroupBox(tr("Available Mounts")), "Mounts");
    auto* mountBoxes = new QVBoxLayout(mounts);
    chkBarrel_ = Named(new QCheckBox(tr("Barrel Mount")), "chkBarrel");
    chkTop_ = Named(new QCheckBox(tr("Top Mount")), "chkTop");
    chkLarge_ = Named(new QCheckBox(tr("Large Under Mount")), "chkLarge");
    chkSmall_ = Named(new QCheckBox(tr("Small Under Mount")), "chkSmall");
    for (QCheckBox* box : {chkBarrel_, chkTop_, chkLarge_, chkSmall_}) {
        mountBoxes->addWidget(box);
    }
    right->addWidget(CaptionFor(tr("Firearm Name"), txtFirearm_));
    right->addWidget(txtFirearm_);
    right->addWidget(CaptionFor(tr("Description"), txtDescription_));
    right->addWidget(txtDescription_, 1);
    right->addWidget(mounts);
    columns->addLayout(right, 3);

    setCentralWidget(central);
}

void MainWindow::BuildMenus() {
    auto action = [](QMenu* menu, const QString& text, const char* name, QKeySequence keys) {
        QAction* entry = menu->addAction(text);
        entry->setObjectName(QString::fromLatin1(name));
        entry->setShortcut(keys);
        return entry;
    };
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuNewWeapon_ =
        action(file, tr("&New Weapon"), "mnuNewWeapon", QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuOpen_ = action(file, tr("&Open Old Weapon"), "mnuOpen", QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuSaveAs_ = action(file, tr("S&ave As"), "mnuSaveAs", QKeySequence(Qt::CTRL | Qt::Key_A));
    const QList<QAction*> cardEntries = AddStatCardEntries(file, model_, dialogs_, this);
    mnuExit_ = action(file, tr("E&xit"), "mnuExit", QKeySequence(Qt::CTRL | Qt::Key_X));

    QMenu* manage = menuBar()->addMenu(tr("&Manage Data"));
    manage->setObjectName(QStringLiteral("mnuManage"));
    mnuFrames_ = action(manage, tr("&Frames"), "mnuFrames", QKeySequence());
    mnuModifications_ = action(manage, tr("&Modifications"), "mnuModifications", QKeySequence());
    mnuReload_ = action(manage, tr("&Reload Data"), "mnuReload", QKeySequence());

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    mnuAbout_ = action(help, tr("A&bout"), "mnuAbout", QKeySequence(Qt::CTRL | Qt::Key_B));

    // Everywhere but the boxes the user types into, the menu shortcuts win.
    QList<QKeySequence> shortcuts;
    for (QAction* entry : {mnuNewWeapon_, mnuOpen_, mnuSaveAs_, mnuExit_, mnuAbout_}) {
        shortcuts << entry->shortcut();
    }
    for (QAction* entry : cardEntries) {
        shortcuts << entry->shortcut();
    }
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        if (box != txtFirearm_ && box != txtMarkup_) {
            LetMenuShortcutsThrough(box, shortcuts);
        }
    }
}

void MainWindow::SetKeyboardAccess() {
    const QList<QWidget*> left = {cmbChooseFrame_, cmbChooseClass_, lstChooseMod_, cmdAddMod_,
                                  lstCurrentMod_,  cmdLevelUp_,     txtLevel_,     cmdLevelDown_};
    QList<QWidget*> middle;
    for (const char* name :
         {"txtPower", "txtDamage", "txtWeight", "txtMode", "txtConceal", "txtCapacity", "txtLoad",
          "txtRecoil", "txtFCU", "txtDPV", "txtMarkup", "txtPrice"}) {
        middle << findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    const QList<QWidget*> right = {txtFirearm_, txtDescription_, chkBarrel_,
                                   chkTop_,     chkLarge_,       chkSmall_};
    // Tab goes down the left column, then the middle one, then the right one.
    SetTabOrder(left + middle + right);
    // The controls the user works with get the free access keys first; the read-only
    // statistics take what is left.
    AssignAccessKeys(this,
                     QList<QWidget*>{cmbChooseFrame_, cmbChooseClass_, lstChooseMod_, cmdAddMod_,
                                     lstCurrentMod_, txtFirearm_, txtDescription_, txtMarkup_} +
                         right.mid(2) + middle);
}

template <typename Procedure>
void MainWindow::Run(Procedure procedure) {
    procedure();
    Refresh();
}

void MainWindow::ShowFrameEditor() {
    if (!frmEditFrame_) {
        frmEditFrame_ = new EditFrame(model_.programDir(), this);
        frmEditFrame_->Start();
    }
    frmEditFrame_->show();
    frmEditFrame_->activateWindow();
}

void MainWindow::ConnectEvents() {
    connect(mnuExit_, &QAction::triggered, this, [] { QApplication::exit(0); });
    connect(mnuFrames_, &QAction::triggered, this, [this] { ShowFrameEditor(); });
    connect(mnuReload_, &QAction::triggered, this,
            [this] { Run([this] { model_.ReloadData(); }); });
    connect(mnuNewWeapon_, &QAction::triggered, this,
            [this] { Run([this] { model_.NewWeapon(); }); });
    connect(mnuOpen_, &QAction::triggered, this, [this] { Run([this] { model_.OpenWeapon(); }); });
    connect(mnuSaveAs_, &QAction::triggered, this,
            [this] { Run([this] { model_.SaveWeaponAs(); }); });
    connect(mnuAbout_, &QAction::triggered, this, [this] {
        if (!about_) {
            about_ = new About(this);
        }
        about_->show();
        about_->raise();
        about_->activateWindow();
    });
    connect(mnuModifications_, &QAction::triggered, this, [this] { ShowModifications(); });

    // Picks from the choosers' lists; the chooser shows the picked entry's text.
    const std::pair<QComboBox*, ComboBox MainWindowModel::*> choosers[] = {
        {cmbChooseFrame_, &MainWindowModel::cmbChooseFrame},
        {cmbChooseClass_, &MainWindowModel::cmbChooseClass},
    };
    for (auto [widget, chooser] : choosers) {
        ConnectListPick(widget, this, [this, widget, chooser](int index) {
            Run([this, widget, chooser, index] {
                (model_.*chooser).text = FromQt(widget->itemText(index));
                if (chooser == &MainWindowModel::cmbChooseFrame) {
                    model_.SelectFrame();
                } else {
                    model_.FillModList();
                }
            });
        });
    }

    // A line chosen by the keyboard counts as a click on it, as a click does.
    auto chooseOption = [this](int line) { Run([this, line] { model_.ChooseOption(line); }); };
    connect(lstChooseMod_, &QListWidget::currentRowChanged, this, chooseOption);
    connect(
        lstChooseMod_, &QListWidget::itemClicked, this,
        [this, chooseOption](QListWidgetItem* item) { chooseOption(lstChooseMod_->row(item)); });
    connect(lstChooseMod_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        Run([this, line = lstChooseMod_->row(item)] {
            model_.ChooseOption(line);
            model_.AddModification();
        });
    });
    auto chooseInstalled = [this](int line) {
        Run([this, line] { model_.ChooseInstalledOption(line); });
    };
    connect(lstCurrentMod_, &QListWidget::currentRowChanged, this, chooseInstalled);
    connect(lstCurrentMod_, &QListWidget::itemClicked, this,
            [this, chooseInstalled](QListWidgetItem* item) {
                chooseInstalled(lstCurrentMod_->row(item));
            });
    connect(cmdAddMod_, &QPushButton::clicked, this,
            [this] { Run([this] { model_.AddModification(); }); });
    connect(cmdLevelUp_, &QPushButton::clicked, this,
            [this] { Run([this] { model_.RaiseLevel(); }); });
    connect(cmdLevelDown_, &QPushButton::clicked, this,
            [this] { Run([this] { model_.LowerLevel(); }); });

    // What the user types flows into the model as it is typed.
    connect(txtFirearm_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.txtFirearm.text = FromQt(text); });
    connect(txtMarkup_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.txtMarkup.text = FromQt(text); });
    connect(txtDescription_, &QPlainTextEdit::textChanged, this,
            [this] { model_.txtDescription.text = FromQt(txtDescription_->toPlainText()); });
    connect(cmbChooseFrame_, &QComboBox::editTextChanged, this,
            [this](const QString& text) { model_.cmbChooseFrame.text = FromQt(text); });
    connect(cmbChooseClass_, &QComboBox::editTextChanged, this,
            [this](const QString& text) { model_.cmbChooseClass.text = FromQt(text); });
    const std::pair<QCheckBox*, CheckBox MainWindowModel::*> checks[] = {
        {chkBarrel_, &MainWindowModel::chkBarrel},
        {chkTop_, &MainWindowModel::chkTop},
        {chkLarge_, &MainWindowModel::chkLarge},
        {chkSmall_, &MainWindowModel::chkSmall},
    };
    for (auto [widget, box] : checks) {
        connect(widget, &QCheckBox::stateChanged, this, [this, box](int state) {
            (model_.*box).value = static_cast<std::int16_t>(state == Qt::Checked            ? 1
                                                            : state == Qt::PartiallyChecked ? 2
                                                                                            : 0);
        });
    }
}

void MainWindow::ShowModifications() {
    // Loaded at its first showing; "Exit" only hides it, so the next showing finds it as it was.
    if (!modifications_) {
        modifications_ = std::make_unique<Modifications>(model_.programDir(), this);
        modifications_->Load();
    }
    modifications_->exec();
    if (modifications_->closedByTitleBar()) {
        // Unloaded: the next showing reads the data files afresh.
        modifications_.reset();
    }
}

void MainWindow::Refresh() {
    const QList<QWidget*> bound = {cmbChooseFrame_, cmbChooseClass_, lstChooseMod_, lstCurrentMod_,
                                   txtFirearm_,     txtDescription_, txtMarkup_,    chkBarrel_,
                                   chkTop_,         chkLarge_,       chkSmall_};
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget* widget : bound) {
        blockers.push_back(std::make_unique<QSignalBlocker>(widget));
    }

    ShowCombo(cmbChooseFrame_, model_.cmbChooseFrame);
    ShowCombo(cmbChooseClass_, model_.cmbChooseClass);
    ShowList(lstChooseMod_, model_.lstChooseMod);
    ShowList(lstCurrentMod_, model_.lstCurrentMod);
    cmdAddMod_->setEnabled(model_.cmdAddMod.enabled);
    cmdLevelUp_->setEnabled(model_.cmdLevelUp.enabled);
    cmdLevelDown_->setEnabled(model_.cmdLevelDown.enabled);
    ShowText(txtLevel_, model_.txtLevel);
    for (const StatBox& stat : statBoxes_) {
        ShowText(stat.widget, model_.*stat.box);
    }
    ShowText(txtMarkup_, model_.txtMarkup);
    ShowText(txtFirearm_, model_.txtFirearm);
    ShowText(txtDescription_, model_.txtDescription);
    ShowCheck(chkBarrel_, model_.chkBarrel);
    ShowCheck(chkTop_, model_.chkTop);
    ShowCheck(chkLarge_, model_.chkLarge);
    ShowCheck(chkSmall_, model_.chkSmall);
}

}  // namespace kalverin
