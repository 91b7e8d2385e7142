#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "controls/user_dialogs.h"

namespace kalverin::testing {

// Records every message and answers file dialogs from a script; an empty script cancels.
class RecordingDialogs final : public UserDialogs {
  public:
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
    std::optional<std::filesystem::path> AskSavePath(FileDialogState& state) override {
        return Answer(state, true);
    }
    std::optional<std::filesystem::path> AskOpenPath(FileDialogState& state) override {
        return Answer(state, false);
    }

    std::vector<std::string> messages;
    // Paths the next dialogs answer with; nothing means Cancel.
    std::deque<std::optional<std::filesystem::path>> answers;
    // What each dialog was shown with, and whether it was a Save dialog.
    std::vector<std::pair<FileDialogState, bool>> asked;

  private:
    std::optional<std::filesystem::path> Answer(FileDialogState& state, bool save) {
        asked.emplace_back(state, save);
        if (answers.empty()) {
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        if (answer) {
            state.fileName = *answer;
        }
        return answer;
    }
};

}  // namespace kalverin::testing
