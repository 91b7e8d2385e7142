#include "frame_editor/edit_frame.h"

#include <QAction>
#include <QMenuBar>

#include "qt_support/window_binder.h"

namespace kalverin {

EditFrame::EditFrame(DataInUse& dataFolder, QWidget* parent, UserDialogs* dialogs)
    : QMainWindow(parent),
      widgetDialogs_(this),
      model_(dataFolder, dialogs ? *dialogs : widgetDialogs_) {
    setObjectName(QStringLiteral("EditFrame"));
    setWindowTitle(tr("Change Forms"));
    // While the editor is shown the main window takes no input.
    setWindowModality(Qt::ApplicationModal);
    // Every control here takes typing, and Ctrl+X there cuts selected text; with nothing
    // selected it leaves the editor, so Exit stays within reach of the keyboard.
    binder_ = new WindowBinder(
        this, BindControls(model_, FrameEditorModel::Controls()),
        {.readOnly = ShortcutsOver::WithoutSelection, .typed = ShortcutsOver::WithoutSelection});
    setCentralWidget(binder_->body());
    setMenuBar(binder_->menuBar());
    connect(binder_->Action("mnuExit"), &QAction::triggered, this, [this] { hide(); });
    resize(460, 300);
}

EditFrame::~EditFrame() = default;

void EditFrame::Start() {
    model_.LoadFrameTable();
    Refresh();
}

void EditFrame::Refresh() {
    binder_->Refresh();
}

}  // namespace kalverin
