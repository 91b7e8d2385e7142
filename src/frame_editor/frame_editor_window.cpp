#include "frame_editor/frame_editor_window.h"

namespace kalverin {

FrameEditorWindow::FrameEditorWindow(DataInUse& dataFolder, QWidget* parent, UserDialogs* dialogs)
    // Every control here takes typing, and Ctrl+X there cuts selected text; with nothing
    // selected it leaves the editor, so Exit stays within reach of the keyboard.
    : BoundWindow(
          parent,
          [&](UserDialogs& shown) {
              return FrameEditorModel(dataFolder, dialogs ? *dialogs : shown);
          },
          {.readOnly = ShortcutsOver::WithoutSelection, .typed = ShortcutsOver::WithoutSelection}) {
    setObjectName(QStringLiteral("EditFrame"));
    setWindowTitle(tr("Change Forms"));
    // While the editor is shown the main window takes no input.
    setWindowModality(Qt::ApplicationModal);
    HideOnExit();
    resize(460, 300);
}

void FrameEditorWindow::Start() {
    model_.LoadFrameTable();
    Refresh();
}

}  // namespace kalverin
