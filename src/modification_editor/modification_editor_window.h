#pragma once

// The Qt modification editor, the Modifications window: its widgets are built from the model's
// control table, user events go to the model and the model's controls are shown again after
// each one.

#include <QDialog>

#include "modification_editor/modification_editor_model.h"
#include "qt_support/bound_window.h"

namespace kalverin {

class ModificationEditorWindow final : public BoundWindow<QDialog, ModificationEditorModel> {
    Q_OBJECT

  public:
    explicit ModificationEditorWindow(DataInUse& dataFolder, QWidget* parent = nullptr);

    // The window's load: reads the four data files and shows the result.
    // The widgets show nothing of the model before it.
    void Load();

    // Whether the user closed the window by its title bar, which unloads it; "Exit" only hides
    // it.
    bool closedByTitleBar() const { return closedByTitleBar_; }

  protected:
    void Closing() override { closedByTitleBar_ = true; }
    // Escape does nothing here, as in the frame editor.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool closedByTitleBar_ = false;
};

}  // namespace kalverin
