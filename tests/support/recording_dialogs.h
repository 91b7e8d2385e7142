#pragma once

#include <deque>
#include <vector>

#include "controls/user_dialogs.h"
#include "support/transcript_text.h"

namespace kalverin::testing {

// Records every message, and answers file dialogs from a script; an empty script cancels. Made
// for a transcript, it also writes each message and file dialog as a line of it.
class RecordingDialogs final : public UserDialogs {
  public:
    RecordingDialogs() = default;
    // For a transcript whose paths are told from the folder `root`.
    explicit RecordingDialogs(std::filesystem::path root) : root_(std::move(root)) {}

    void ShowMessage(std::string_view text) override {
        messages.emplace_back(text);
        if (root_) {
            said.push_back("says " + Quoted(text));
        }
    }
    // Answers from `choices`, or as closing the box would.
    bool Ask(std::string_view question, std::string_view yes, std::string_view no) override {
        if (root_) {
            said.push_back("asks " + Quoted(question) + " " + Quoted(yes) + " or " + Quoted(no));
        }
        const bool first = choices.empty() || choices.front() == yes;
        if (!choices.empty()) {
            choices.pop_front();
        }
        return first;
    }
    std::optional<std::filesystem::path> AskSavePath(FileDialogState& state) override {
        return Answer("save", state);
    }
    std::optional<std::filesystem::path> AskOpenPath(FileDialogState& state) override {
        return Answer("open", state);
    }
    bool ShowFolder(const std::filesystem::path& folder) override {
        if (root_) {
            said.push_back("shows the folder " + Shown(folder));
        }
        return true;
    }

    std::vector<std::string> messages;
    // What the user was told and asked, in order, as transcript lines; kept only for a transcript,
    // so that the benchmarks and fuzz targets neither pay for them nor keep them.
    std::vector<std::string> said;
    // Paths the next dialogs answer with; nothing means Cancel.
    std::deque<std::optional<std::filesystem::path>> answers;
    // What the next questions are answered with, by the caption of the button.
    std::deque<std::string> choices;

  private:
    std::string Shown(const std::filesystem::path& path) const {
        return Quoted(path.empty() ? std::string()
                                   : path.lexically_relative(*root_).generic_string());
    }

    std::optional<std::filesystem::path> Answer(const char* what, FileDialogState& state) {
        if (root_) {
            said.push_back(std::string("asks where to ") + what + ": " + Quoted(state.title) + " " +
                           Quoted(state.filter) + " in " + Shown(state.initialFolder) +
                           (state.fileName.empty() ? "" : ", last " + Shown(state.fileName)));
        }
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

    std::optional<std::filesystem::path> root_;
};

}  // namespace kalverin::testing
