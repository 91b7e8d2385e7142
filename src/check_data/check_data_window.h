#pragma once

// The Qt Check Data window: the data check's report, built from the model's control table. It is
// not modal, so that the report stays in view while the files are mended; "Check Again" reads
// them anew. It is discarded when closed.

#include <QDialog>
#include <filesystem>

#include "check_data/check_data_model.h"

namespace kalverin {

class WindowBinder;

class CheckData final : public QDialog {
    Q_OBJECT

  public:
    // Checks the data folder `dataFolder` at once.
    explicit CheckData(const std::filesystem::path& dataFolder, QWidget* parent = nullptr);
    ~CheckData() override;

    CheckDataModel& model() { return model_; }

    // Checks the folder again and shows the new report.
    void CheckAgain();

  private:
    CheckDataModel model_;
    WindowBinder* binder_ = nullptr;
};

}  // namespace kalverin
