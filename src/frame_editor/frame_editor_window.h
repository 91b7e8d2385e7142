#pragma once

// The Qt frame editor, "Change Forms": its widgets are built from the model's control table, the
// user's choices and menu picks go to the model and its controls are shown again after each
// one. It is modal; Exit and closing it hide it with its state kept for the next showing.

#include <QMainWindow>

#include "frame_editor/frame_editor_model.h"
#include "qt_support/bound_window.h"

namespace kalverin {

class FrameEditorWindow final : public BoundWindow<QMainWindow, FrameEditorModel> {
    Q_OBJECT

  public:
    // Messages go to `dialogs`, or to real message boxes when none is given.
    explicit FrameEditorWindow(DataInUse& dataFolder, QWidget* parent = nullptr,
                               UserDialogs* dialogs = nullptr);

    // The window's load: reads Frames.txt (a faulty file is reported) and shows its frames.
    // The widgets show nothing of the model before it.
    void Start();
};

}  // namespace kalverin
