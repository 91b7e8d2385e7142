#pragma once

// Real message boxes and file dialogs for a window's model.

#include "controls/user_dialogs.h"

class QWidget;

namespace kalverin {

class WidgetDialogs final : public UserDialogs {
  public:
    explicit WidgetDialogs(QWidget* parent) : parent_(parent) {}

    void ShowMessage(std::string_view text) override;
    bool Ask(std::string_view question, std::string_view yes, std::string_view no) override;
    std::optional<std::filesystem::path> AskSavePath(FileDialogState& state) override;
    std::optional<std::filesystem::path> AskOpenPath(FileDialogState& state) override;
    bool ShowFolder(const std::filesystem::path& folder) override;

  private:
    std::optional<std::filesystem::path> AskPath(FileDialogState& state, bool save);

    QWidget* parent_;
};

}  // namespace kalverin
