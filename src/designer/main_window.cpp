#include "designer/main_window.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>

#include "about/about_window.h"
#include "designer/stat_card_printer.h"
#include "frame_editor/edit_frame.h"
#include "kalverin_version.h"
#include "modification_editor/modifications_window.h"
#include "qt_support/window_binder.h"
#include "qt_support/window_keys.h"

namespace kalverin {
namespace {

// The height of a list that shows ten lines, in its own style and font.
int TenLinesHigh(QListWidget* list) {
    list->ensurePolished();
    const QListWidgetItem probe(QStringLiteral("X"), list);
    return 10 * list->sizeHintForRow(0) + 2 * list->frameWidth();
}

}  // namespace

MainWindow::MainWindow(const std::filesystem::path& programDir,
                       const std::filesystem::path& currentDir, QWidget* parent)
    : QMainWindow(parent), dialogs_(this), model_(programDir, currentDir, dialogs_) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    // Everywhere but the boxes the user types into, the menu shortcuts win.
    binder_ = new WindowBinder(this, BindControls(model_, MainWindowModel::Controls()),
                               {.paneStretch = {3, 0, 3},
                                .readOnly = ShortcutsOver::Always,
                                .typed = ShortcutsOver::Never});
    setCentralWidget(binder_->body());
    setMenuBar(binder_->menuBar());
    binder_->Find<QLineEdit>("txtLevel")->setAlignment(Qt::AlignCenter);
    SetUpKeys();
    ConnectWindowEntries();

    // The window opens tall enough for both option lists to show ten lines; it may be made
    // smaller, and the lists take the height it grows by.
    QListWidget* lists[] = {binder_->Find<QListWidget>("lstChooseMod"),
                            binder_->Find<QListWidget>("lstCurrentMod")};
    for (QListWidget* list : lists) {
        list->setMinimumHeight(TenLinesHigh(list));
    }
    QSize size = sizeHint().expandedTo(QSize(589, 379));
    for (QListWidget* list : lists) {
        list->setMinimumHeight(0);
    }
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        size = size.boundedTo(area.size());
        resize(size);
        move(area.center() - QPoint(width() / 2, height() / 2));
    } else {
        resize(size);
    }
}

void MainWindow::SetUpKeys() {
    // Esc empties the filter, as its clear button does.
    auto* filter = binder_->Find<QLineEdit>("txtFilter");
    filter->setClearButtonEnabled(true);
    new QShortcut(QKeySequence(Qt::Key_Escape), filter, filter, &QLineEdit::clear,
                  Qt::WidgetShortcut);
    // Undo and Redo go by the design's steps in the boxes the user types into too, whose own
    // undo would otherwise take their keys.
    const QList<QKeySequence> history =
        binder_->Action("mnuUndo")->shortcuts() + binder_->Action("mnuRedo")->shortcuts();
    for (const Control<MainWindowModel>& c : MainWindowModel::Controls()) {
        if (c.kind == ControlKind::Box || c.kind == ControlKind::TextArea) {
            LetMenuShortcutsThrough(binder_->Widget(c.name), history);
        }
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::Start() {
    model_.Load();
    Refresh();
}

void MainWindow::Refresh() {
    binder_->Refresh();
}

void MainWindow::ConnectWindowEntries() {
    connect(binder_->Action("mnuExit"), &QAction::triggered, this, [] { QApplication::exit(0); });
    connect(binder_->Action("mnuFrames"), &QAction::triggered, this, [this] { ShowFrameEditor(); });
    connect(binder_->Action("mnuModifications"), &QAction::triggered, this,
            [this] { ShowModifications(); });
    connect(binder_->Action("mnuAbout"), &QAction::triggered, this, [this] { ShowAbout(); });
    ConnectStatCardEntries(binder_->Action("mnuPrintCard"), binder_->Action("mnuExportCard"),
                           model_, dialogs_, this);
}

void MainWindow::ShowFrameEditor() {
    if (!frmEditFrame_) {
        frmEditFrame_ = new EditFrame(model_.programDir(), this);
        frmEditFrame_->Start();
    }
    frmEditFrame_->show();
    frmEditFrame_->activateWindow();
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

void MainWindow::ShowAbout() {
    if (!about_) {
        about_ = new About(this);
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

}  // namespace kalverin
