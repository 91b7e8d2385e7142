#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "controls/user_dialogs.h"
#include "support/transcript_text.h"

namespace kalverin::testing {

// Records every message and every file dialog, and answers file dialogs from a script; an empty
// script cancels.
class RecordingDialogs final : public UserDialogs {
  public:
    // `root`: the folder the dialogs' paths are told from in `said`.
    explicit RecordingDialogs(std::filesystem::path root = {}) : root_(std::move(root)) {}

    void ShowMessage(std::string_view text) override {
        messages.emplace_back(text);
        said.push_back("says " + Quoted(text));
    }
    std::optional<std::filesystem::path> AskSavePath(FileDialogState& state) override {
        return Answer("save", state);
    }
    std::optional<std::filesystem::path> AskOpenPath(FileDialogState& state) override {
        return Answer("open", state);
    }

    std::vector<std::string> messages;
    // What the user was told and asked, in order, as transcript lines.
    std::vector<std::string> said;
    // Paths the next dialogs answer with; nothing means Cancel.
    std::deque<std::optional<std::filesystem::path>> answers;

  private:
    std::string Shown(const std::filesystem::path& path) const {
        return Quoted(path.empty() ? std::string()
                                   : path.lexically_relative(root_).generic_string());
    }

    std::optional<std::filesystem::path> Answer(const char* what, FileDialogState& state) {
        said.push_back(std::string("asks where to ") + what + ": " + Quoted(state.title) + " " +
                       Quoted(state.filter) + " in " + Shown(state.initialFolder) +
                       (state.fileName.empty() ? "" : ", last " + Shown(state.fileName)));
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

    std::filesystem::path root_;
};

}  // namespace kalverin::testing
