#include "modification_editor/modification_editor_window.h"

#include <QKeyEvent>
#include <QPlainTextEdit>

namespace kalverin {

ModificationEditorWindow::ModificationEditorWindow(DataInUse& dataFolder, QWidget* parent)
    : BoundWindow(
          parent,
          [&](UserDialogs& dialogs) { return ModificationEditorModel(dataFolder, dialogs); },
          {.paneStretch = {3, 2, 3}}) {
    setObjectName(QStringLiteral("Modifications"));
    setWindowTitle(tr("Modifications"));
    binder_->Find<QPlainTextEdit>("txtDetails")->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    HideOnExit();
    resize(780, 540);
}

void ModificationEditorWindow::Load() {
    model_.Load();
    Refresh();
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
