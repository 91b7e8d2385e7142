#include "frame_editor/frame_editor_window.h"

#include <QAction>
#include <QMenuBar>

#include "qt_support/window_binder.h"

namespace kalverin {

FrameEditorWindow::FrameEditorWindow(const std::filesystem::path& programDir, QWidget* parent,
                                     UserDialogs* dialogs, FileStore& files)
    : QMainWindow(parent),
      widgetDialogs_(this),
      model_(programDir, dialogs ? *dialogs : widgetDialogs_, files) {
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

FrameEditorWindow::~FrameEditorWindow() = default;

void FrameEditorWindow::Start() {
    model_.LoadFrameTable();
    Refresh();
}

void FrameEditorWindow::Refresh() {
    binder_->Refresh();
}

}  // namespace kalverin
