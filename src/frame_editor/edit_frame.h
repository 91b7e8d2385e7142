#pragma once

// The Qt frame editor, "Change Forms": builds the widgets, sends the user's choices and menu
// picks to the model and shows the model's controls again after each one. It is modal; Exit and
// closing it hide it with its state kept for the next showing.

#include <QMainWindow>
#include <filesystem>
#include <vector>

#include "frame_editor/frame_editor_model.h"
#include "qt_support/widget_dialogs.h"

class QAction;
class QComboBox;
class QLineEdit;

namespace kalverin {

class EditFrame final : public QMainWindow {
    Q_OBJECT

  public:
    // Messages go to `dialogs`, or to real message boxes when none is given.
    explicit EditFrame(const std::filesystem::path& programDir, QWidget* parent = nullptr,
                       UserDialogs* dialogs = nullptr, FileStore& files = DiskFiles());
    ~EditFrame() override;

    // The window's load: reads Frames.txt (a faulty file is reported) and shows its frames.
    // The widgets show nothing of the model before it.
    void Start();

    FrameEditorModel& model() { return model_; }

    // Copies every control of the model to its widget.
    void Refresh();

  private:
    void BuildWidgets();
    void BuildMenus();
    void SetKeyboardAccess();
    void ConnectEvents();
    template <typename Procedure>
    void Run(Procedure procedure);

    WidgetDialogs widgetDialogs_;
    FrameEditorModel model_;

    QComboBox* cmbChooseFrame_ = nullptr;
    struct FieldBox {
        QLineEdit* widget;
        TextBox FrameEditorModel::*box;
    };
    std::vector<FieldBox> boxes_;
    QAction* mnuSave_ = nullptr;
    QAction* mnuExit_ = nullptr;
};

}  // namespace kalverin
