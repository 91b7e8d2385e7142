#pragma once

// "Compare With...": the design the main window shows beside the one a weapon file holds, row by
// row, each difference said in words. It reads the file as "Open Old Weapon" reads it, into a
// design of its own, and changes nothing.

#include <array>
#include <memory>
#include <span>
#include <string>

#include "catalogue/file_store.h"
#include "controls/control_table.h"
#include "controls/controls.h"
#include "controls/user_dialogs.h"
#include "designer/main_window_model.h"

namespace kalverin {

class CompareModel {
  public:
    // The name, the frame, the twelve statistics and the free mounts.
    static constexpr int kRows = 15;

    // Compares with what `design`, the main window's, shows at each Compare.
    CompareModel(const MainWindowModel& design, UserDialogs& dialogs,
                 FileStore& files = DiskFiles());

    static std::span<const Control<CompareModel>> Controls();

    // Asks for a weapon file and compares with it; gives whether one was chosen and read in
    // full. A file that cannot be read is said so, and the comparison stays as it was.
    bool ChooseFile();
    // Shows both designs again, the main window's as it is now, and their differences.
    void Compare();

    // Row `row` of the main window's design, of the file's, and how the first differs: "higher
    // by 1", "weaker", "different"; empty when they are the same.
    TextBox& This(int row) { return rows_.at(static_cast<std::size_t>(row)).shown[0]; }
    TextBox& File(int row) { return rows_.at(static_cast<std::size_t>(row)).shown[1]; }
    TextBox& Difference(int row) { return rows_.at(static_cast<std::size_t>(row)).shown[2]; }

    // The file's name, as the column of its design is headed.
    const std::string& fileName() const { return lblFile.text; }

    TextBox lblThis;
    TextBox lblFile;
    TextBox lblDifference;
    // The options with their levels, and the differences between them.
    ListBox lstThisOptions;
    ListBox lstFileOptions;
    ListBox lstOptionDifferences;

    FileDialogState cdbCompare;

  private:
    struct Row {
        std::array<TextBox, 3> shown;
    };

    const MainWindowModel& design_;
    UserDialogs& dialogs_;
    FileStore& files_;
    // The file's design, read by a window of its own that is never shown.
    std::unique_ptr<MainWindowModel> file_;
    std::array<Row, kRows> rows_;
};

}  // namespace kalverin
