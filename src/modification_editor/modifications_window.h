#pragma once

// The Qt Modifications window: builds the widgets, sends user events to the model and shows the
// model's controls again after each one.

#include <QDialog>
#include <filesystem>
#include <utility>
#include <vector>

#include "modification_editor/modification_editor_model.h"
#include "qt_support/widget_dialogs.h"

class QAction;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kalverin {

class ItemTextEdit;

class Modifications final : public QDialog {
    Q_OBJECT

  public:
    explicit Modifications(const std::filesystem::path& programDir, QWidget* parent = nullptr);
    ~Modifications() override;

    // The window's load: reads the four data files and shows the result.
    // The widgets show nothing of the model before it.
    void Load();

    ModificationEditorModel& model() { return model_; }

    // Whether the user closed the window by its title bar, which unloads it; "Exit" only hides
    // it.
    bool closedByTitleBar() const { return closedByTitleBar_; }

    // Copies every control of the model to its widget.
    void Refresh();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildWidgets();
    void BuildMenus();
    // The focus order, and the access keys of the captions.
    void SetFocusOrder();
    void ConnectEvents();
    QLineEdit* AddBox(const QString& name, TextBox& box);
    // A caption left of its box, in row `row` from column `column` of `grid`.
    void AddBeside(QGridLayout* grid, const QString& caption, QWidget* box, int row, int column);
    // Runs a model procedure for a user event, then shows the result.
    template <typename Procedure>
    void Run(Procedure procedure);

    WidgetDialogs dialogs_;
    ModificationEditorModel model_;
    bool closedByTitleBar_ = false;

    QComboBox* cmbChooseClass_ = nullptr;
    QListWidget* lstChooseMod_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    ItemTextEdit* txtDetails_ = nullptr;
    // Every single-line box and the model's text box it shows.
    std::vector<std::pair<QLineEdit*, TextBox*>> boxes_;
    QAction* mnuSave_ = nullptr;
    QAction* mnuExit_ = nullptr;
};

}  // namespace kalverin
