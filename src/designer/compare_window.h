#pragma once

// The Qt window of "Compare With...": built from the comparison's control table, shown not
// modal beside the main window, and discarded when closed.

#include <QDialog>

#include "designer/compare_model.h"
#include "qt_support/widget_dialogs.h"

namespace kalverin {

class WindowBinder;

class CompareWindow final : public QDialog {
    Q_OBJECT

  public:
    // Compares what `design` shows with a weapon file.
    CompareWindow(const MainWindowModel& design, QWidget* parent);
    ~CompareWindow() override;

    // Asks for the weapon file to compare with; false when none was chosen or it could not be
    // read.
    bool ChooseFile();
    // Compares again, with the main window's design as it is now.
    void Refresh();

    CompareModel& model() { return model_; }

  private:
    WidgetDialogs dialogs_;
    CompareModel model_;
    WindowBinder* binder_ = nullptr;
};

}  // namespace kalverin
