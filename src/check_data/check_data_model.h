#pragma once

// The Check Data window without a toolkit: the report of the data check on the data folder in
// use, checked again on request after the files were mended.

#include <span>

#include "catalogue/data_place.h"
#include "catalogue/file_store.h"
#include "controls/control_table.h"
#include "controls/controls.h"

namespace kalverin {

class CheckDataModel {
  public:
    // Checks the data folder in use, reading it through `files`.
    explicit CheckDataModel(const DataInUse& data, FileStore& files = DiskFiles());

    // The window: the report and its buttons.
    static std::span<const Control<CheckDataModel>> Controls();

    // The window's load, and "Check Again": the folder checked afresh and its report shown, the
    // folder on its first line.
    void CheckData();

    TextBox txtReport;

  private:
    const DataInUse& data_;
    FileStore& files_;
};

}  // namespace kalverin
