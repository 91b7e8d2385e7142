#include "modification_editor/modification_editor_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "qt_support/window_binder.h"

namespace kalverin {

ModificationEditorWindow::ModificationEditorWindow(const std::filesystem::path& programDir,
                                                   QWidget* parent)
    : QDialog(parent), dialogs_(this), model_(programDir, dialogs_) {
    setObjectName(QStringLiteral("Modifications"));
    setWindowTitle(tr("Modifications"));
    binder_ = new WindowBinder(this, BindControls(model_, ModificationEditorModel::Controls()),
                               {.paneStretch = {3, 2, 3}});
    auto* window = new QVBoxLayout(this);
    window->setMenuBar(binder_->menuBar());
    window->addWidget(binder_->body());
    binder_->Find<QPlainTextEdit>("txtDetails")->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(binder_->Action("mnuExit"), &QAction::triggered, this, [this] { hide(); });
    resize(780, 540);
}

ModificationEditorWindow::~ModificationEditorWindow() = default;

void ModificationEditorWindow::Load() {
    model_.Load();
    Refresh();
}

void ModificationEditorWindow::Refresh() {
    binder_->Refresh();
}

void ModificationEditorWindow::closeEvent(QCloseEvent* event) {
    closedByTitleBar_ = true;
    QDialog::closeEvent(event);
}

void ModificationEditorWindow::keyPressEvent(QKeyEvent* event) {
    // QDialog would hide the window on Escape, as a cancel button would; the window has none,
    // and Exit and the title bar are its ways out.
    if (event->matches(QKeySequence::Cancel)) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace kalverin
