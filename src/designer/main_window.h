#pragma once

// The Qt main window: builds the widgets, sends user events to the model and shows the model's
// controls again after each one.

#include <QMainWindow>
#include <QPointer>
#include <filesystem>
#include <memory>
#include <vector>

#include "designer/main_window_model.h"
#include "qt_support/widget_dialogs.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace kalverin {

class About;
class EditFrame;
class Modifications;

class MainWindow final : public QMainWindow {
    Q_OBJECT

  public:
    MainWindow(const std::filesystem::path& programDir, const std::filesystem::path& currentDir,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window's load: reads the catalogue (a faulty data folder is reported) and shows it.
    // The widgets show nothing of the model before it.
    void Start();

    MainWindowModel& model() { return model_; }

    // Copies every control of the model to its widget.
    void Refresh();

  private:
    void BuildWidgets();
    void BuildMenus();
    // The Tab order down the three columns, and the access keys of the captions.
    void SetKeyboardAccess();
    void ConnectEvents();
    // Runs a model procedure for a user event, then shows the result.
    template <typename Procedure>
    void Run(Procedure procedure);
    // Manage Data, "Frames": the editor is made on its first showing and kept after.
    void ShowFrameEditor();
    // Manage Data > Modifications: the modification editor, shown modal.
    void ShowModifications();

    WidgetDialogs dialogs_;
    MainWindowModel model_;

    QComboBox* cmbChooseFrame_ = nullptr;
    QComboBox* cmbChooseClass_ = nullptr;
    QListWidget* lstChooseMod_ = nullptr;
    QPushButton* cmdAddMod_ = nullptr;
    QListWidget* lstCurrentMod_ = nullptr;
    QPushButton* cmdLevelUp_ = nullptr;
    QPushButton* cmdLevelDown_ = nullptr;
    QLineEdit* txtLevel_ = nullptr;
    // A read-only statistics box and the model's text box it shows.
    struct StatBox {
        QLineEdit* widget;
        TextBox MainWindowModel::*box;
    };
    std::vector<StatBox> statBoxes_;
    QLineEdit* txtMarkup_ = nullptr;
    QLineEdit* txtFirearm_ = nullptr;
    QPlainTextEdit* txtDescription_ = nullptr;
    QCheckBox* chkBarrel_ = nullptr;
    QCheckBox* chkTop_ = nullptr;
    QCheckBox* chkLarge_ = nullptr;
    QCheckBox* chkSmall_ = nullptr;

    QAction* mnuNewWeapon_ = nullptr;
    QAction* mnuOpen_ = nullptr;
    QAction* mnuSaveAs_ = nullptr;
    QAction* mnuExit_ = nullptr;
    QAction* mnuFrames_ = nullptr;
    QAction* mnuModifications_ = nullptr;
    QAction* mnuReload_ = nullptr;
    QAction* mnuAbout_ = nullptr;

    // The About window while it is open; it deletes itself when closed.
    QPointer<About> about_;
    EditFrame* frmEditFrame_ = nullptr;

    // Created when first shown, and dropped when closed by its title bar.
    std::unique_ptr<Modifications> modifications_;
};

}  // namespace kalverin
