#pragma once

// The Check Data window without a toolkit: the report of the data check on the data folder in
// use, checked again on request after the files were mended.

#include <filesystem>
#include <span>

#include "catalogue/file_store.h"
#include "controls/control_table.h"
#include "controls/controls.h"

namespace kalverin {

class CheckDataModel {
  public:
    // Checks the data folder `dataFolder`, reading it through `files`.
    explicit CheckDataModel(std::filesystem::path dataFolder, FileStore& files = DiskFiles());

    // The window: the report and its buttons.
    static std::span<const Control<CheckDataModel>> Controls();

    // The window's load, and "Check Again": the folder checked afresh and its report shown, the
    // folder on its first line.
    void CheckData();

    TextBox txtReport;

  private:
    std::filesystem::path dataFolder_;
    FileStore& files_;
};

}  // namespace kalverin
