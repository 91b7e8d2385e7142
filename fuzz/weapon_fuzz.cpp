// Any bytes opened as a weapon file, then after a form feed a short design's steps. A save may
// lose what a file cannot hold, so a saved file must open as the same design and save the same.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>

#include "designer/design_boxes.h"
#include "designer/main_window_model.h"
#include "fuzz_target.h"
#include "support/memory_files.h"
#include "support/recording_dialogs.h"

using namespace kalverin;
using fuzz::Require;

namespace {

// The option count within the design's 20 options and listed whole; each statistic's ledger
// ending with its box; a statistic held as a number finite, and its box showing no NaN or infinity.
void RequireWithinLimits(const MainWindowModel& m) {
    const std::int16_t count = m.design().intModCounter;
    Require(count >= 0 && count <= kMaxInstalledOptions &&
                m.lstCurrentMod.items().size() == static_cast<std::size_t>(count),
            "the installed options listed are the option count, at most 20");
    for (std::size_t i = 0; i < kStatisticCount; ++i) {
        std::string shown = (m.*kStatistics[i].box).text;
        Require(m.design().ledgers[i].last() == shown,
                "a statistic's ledger ends with what its box shows");
        std::ranges::transform(shown, shown.begin(),
                               [](unsigned char c) { return std::tolower(c); });
        const auto number = std::visit(
            [&m](auto member) -> std::optional<double> {
                const auto& value = m.design().statistics.*member;
                if constexpr (requires { value.IsNumber(); }) {
                    return value.IsNumber() ? std::optional<double>(value.number()) : std::nullopt;
                } else if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, float>) {
                    return value;
                } else {
                    return std::nullopt;
                }
            },
            kStatistics[i].value);
        Require(!number || (std::isfinite(*number) && shown.find("nan") == std::string::npos &&
                            shown.find("inf") == std::string::npos),
                "a statistic is a finite number, and its box shows one");
    }
}

// The window, loaded once from the bundled data; each input starts from a copy, leaving no trace.
class Designer {
  public:
    Designer() {
        loaded_ = std::make_unique<MainWindowModel>(data_, kProgramDir, dialogs_, files_);
        loaded_->Load();
        Require(dialogs_.messages.empty(), "the bundled data loads without a message");
    }

    // Opens the bytes through the Open dialog and gives everything the window shows.
    std::vector<std::string> Open(std::string_view bytes) {
        files_.Write(kProgramDir / "Opened.wpn", bytes);
        model_ = std::make_unique<MainWindowModel>(*loaded_);
        dialogs_.answers.assign({kProgramDir / "Opened.wpn"});
        model_->OpenWeapon();
        Require(dialogs_.messages.empty(), "opening a weapon file shows no message");
        RequireWithinLimits(*model_);
        std::vector<std::string> shown;
        for (const BoundControl& c : BindControls(*model_, MainWindowModel::Controls())) {
            if (c.text || c.combo) {
                shown.push_back(c.text ? c.text->text : c.combo->text);
            }
            if (c.list) {
                shown.insert(shown.end(), c.list->items().begin(), c.list->items().end());
            }
            if (c.check) {
                shown.push_back(std::to_string(c.check->value));
            }
        }
        return shown;
    }

    // A short design on what is open, a step a byte: an option of the class All added, the
    // level of an installed option raised or lowered, or a frame picked, which starts afresh.
    void Design(std::string_view steps) {
        MainWindowModel& m = *model_;
        for (unsigned char step : steps.substr(0, 16)) {
            const int pick = step / 4;
            if (step % 4 == 0) {
                m.cmbChooseClass.text = "All";
                m.FillModList();
                m.ChooseOption(pick % std::max(1, m.lstChooseMod.Count()));
                m.AddModification();
            } else if (step % 4 == 3 && m.cmbChooseFrame.list.Count() > 0) {
                m.cmbChooseFrame.text = m.cmbChooseFrame.list.items().at(
                    static_cast<std::size_t>(pick % m.cmbChooseFrame.list.Count()));
                m.SelectFrame();
            } else if (m.lstCurrentMod.Count() > 0) {
                m.ChooseInstalledOption(pick % m.lstCurrentMod.Count());
                step % 4 == 1 ? m.RaiseLevel() : m.LowerLevel();
            }
            dialogs_.messages.clear();
            RequireWithinLimits(m);
        }
    }

    std::string Save() {
        dialogs_.answers.assign({kProgramDir / "Saved.wpn"});
        model_->SaveWeaponAs();
        Require(dialogs_.messages == std::vector<std::string>{"The weapon is saved."},
                "a save to memory succeeds");
        dialogs_.messages.clear();
        return *files_.Find(kProgramDir / "Saved.wpn");
    }

  private:
    inline static const std::filesystem::path kProgramDir = "/kalverin";
    testing::MemoryFiles files_;
    DataInUse data_{DiskFiles(), {.given = KALVERIN_BUNDLED_DATA}};
    testing::RecordingDialogs dialogs_;
    std::unique_ptr<MainWindowModel> loaded_;
    std::unique_ptr<MainWindowModel> model_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Designer designer;
    const std::string_view input = std::string_view(reinterpret_cast<const char*>(data), size);
    const std::size_t steps = input.find('\f');
    designer.Open(input.substr(0, steps));
    if (steps != std::string_view::npos) {
        designer.Design(input.substr(steps + 1));
    }
    const std::vector<std::string> shown = designer.Open(designer.Save());
    const std::string written = designer.Save();
    Require(designer.Open(written) == shown, "a saved design opens as it was shown");
    Require(designer.Save() == written, "a saved design is saved again as the same bytes");
    return 0;
}
