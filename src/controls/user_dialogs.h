#pragma once

// The message boxes and file dialogs a window's model asks for. The Qt window shows real ones;
// tests record the messages and script the answers.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kalverin {

// The settings a file dialog keeps between uses.
struct FileDialogState {
    std::string title;
    // Description and pattern joined by a bar, "Weapon File|*.wpn", or a bare pattern, "*.wpn",
    // offered as it is.
    std::string filter;
    std::filesystem::path initialFolder;  // empty: the dialog opens where the toolkit chooses
    std::filesystem::path fileName;       // the last file chosen
};

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;
    // A message box with an OK button only, no icon, captioned with the application's title.
    virtual void ShowMessage(std::string_view text) = 0;
    // A question answered by one of two buttons, captioned `yes` and `no`; true for `yes`, which
    // closing the box answers too, so that a question closed unread loses nothing.
    virtual bool Ask(std::string_view question, std::string_view yes, std::string_view no) = 0;
    // Asks for a file to write or read; nothing when the user cancels. The state is the
    // dialog's own: it is read and updated, so its settings carry over to the next use.
    virtual std::optional<std::filesystem::path> AskSavePath(FileDialogState& state) = 0;
    virtual std::optional<std::filesystem::path> AskOpenPath(FileDialogState& state) = 0;
    // Opens the folder in the desktop's file manager; false where that cannot be done.
    virtual bool ShowFolder(const std::filesystem::path&) { return false; }
};

}  // namespace kalverin
