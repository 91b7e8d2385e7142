#include "designer/main_window.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>

#include "about/about_window.h"
#include "designer/stat_card_printer.h"
#include "frame_editor/edit_frame.h"
#include "kalverin_version.h"
#include "modification_editor/modifications_window.h"
#include "qt_support/window_binder.h"

namespace kalverin {

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
    ConnectWindowEntries();

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
