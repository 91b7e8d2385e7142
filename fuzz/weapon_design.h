#pragma once

// A main window over the bundled data, held in memory, that opens any bytes as a weapon file,
// goes on designing from there, and what its boxes show afterwards. It lives as long as the
// fuzzer, so it keeps nothing from one input to the next.

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "designer/main_window_model.h"
#include "fuzz_target.h"
#include "support/memory_files.h"
#include "support/recording_dialogs.h"

namespace kalverin::fuzz {

// Everything the window shows of a design.
struct ShownDesign {
    std::vector<std::string> boxes;
    std::vector<std::string> options;
    std::int16_t optionCount = 0;

    friend bool operator==(const ShownDesign&, const ShownDesign&) = default;
};

class WeaponDesigner {
  public:
    WeaponDesigner() {
        for (const char* name :
             {"Frames.txt", "Classes.txt", "Modifications.txt", "MaxLevel.txt", "Details.txt"}) {
            const std::filesystem::path data = KALVERIN_BUNDLED_DATA;
            auto bytes = DiskFiles().Read(data / name);
            Require(bytes.ok(), "the bundled data can be read");
            files_.Write(kProgramDir / "Data" / name, bytes.value());
        }
        loaded_ = std::make_unique<MainWindowModel>(kProgramDir, kProgramDir, dialogs_, files_);
        loaded_->Load();
        Require(dialogs_.messages.empty(), "the bundled data loads without a message");
    }

    // Opens the bytes through the Open dialog, on a window as it was once the data loaded.
    const MainWindowModel& Open(std::string_view bytes) {
        const std::filesystem::path path = kProgramDir / "Opened.wpn";
        files_.Write(path, bytes);
        model_ = std::make_unique<MainWindowModel>(*loaded_);
        dialogs_.asked.clear();
        dialogs_.answers.assign({path});
        model_->OpenWeapon();
        Require(dialogs_.messages.empty(), "opening a weapon file shows no message");
        RequireWithinLimits(*model_);
        return *model_;
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

    // Saves the design that is open and gives the bytes written.
    std::string Save() {
        const std::filesystem::path path = kProgramDir / "Saved.wpn";
        dialogs_.messages.clear();
        dialogs_.answers.assign({path});
        model_->SaveWeaponAs();
        Require(dialogs_.messages == std::vector<std::string>{"The weapon is saved."},
                "a save to memory succeeds");
        dialogs_.messages.clear();
        return *files_.Find(path);
    }

    static ShownDesign Shown(const MainWindowModel& m) {
        ShownDesign shown;
        for (const TextBox* box :
             {&m.txtFirearm, &m.txtPower, &m.txtDamage, &m.txtWeight, &m.txtMode, &m.txtConceal,
              &m.txtCapacity, &m.txtLoad, &m.txtRecoil, &m.txtFCU, &m.txtDPV, &m.txtMarkup,
              &m.txtPrice, &m.txtDescription}) {
            shown.boxes.push_back(box->text);
        }
        shown.boxes.push_back(m.cmbChooseFrame.text);
        for (const CheckBox* mount : {&m.chkBarrel, &m.chkTop, &m.chkLarge, &m.chkSmall}) {
            shown.boxes.push_back(std::to_string(mount->value));
        }
        shown.options = m.lstCurrentMod.items();
        shown.optionCount = m.design().intModCounter;
        return shown;
    }

  private:
    static bool ShowsNonNumber(const std::string& text) {
        std::string lower;
        for (char c : text) {
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
    }

    // A statistic held as a number is finite, and its box shows it as one.
    template <typename Number>
    static void RequireFinite(const StatValue<Number>& stat, const TextBox& box) {
        if (stat.IsNumber()) {
            Require(std::isfinite(stat.number()), "a statistic is a finite number");
            Require(!ShowsNonNumber(box.text), "a statistics box shows no NaN or infinity");
        }
    }

    static void RequireWithinLimits(const MainWindowModel& m) {
        const std::int16_t count = m.design().intModCounter;
        Require(count >= 0 && count <= kMaxInstalledOptions,
                "the option count is within the design's 20 options");
        Require(m.lstCurrentMod.items().size() == static_cast<std::size_t>(count),
                "the installed options listed are the option count");
        const StatBlock& s = m.design().statistics;
        RequireFinite(s.Power, m.txtPower);
        RequireFinite(s.Concealability, m.txtConceal);
        RequireFinite(s.Weight, m.txtWeight);
        RequireFinite(s.FCU, m.txtFCU);
        RequireFinite(s.DPV, m.txtDPV);
        RequireFinite(s.Recoil, m.txtRecoil);
        RequireFinite(s.FinalPrice, m.txtPrice);
        RequireFinite(StatValue<float>(s.MarkUp), m.txtMarkup);
    }

    inline static const std::filesystem::path kProgramDir = "/kalverin";
    testing::MemoryFiles files_;
    testing::RecordingDialogs dialogs_;
    std::unique_ptr<MainWindowModel> loaded_;
    std::unique_ptr<MainWindowModel> model_;
};

}  // namespace kalverin::fuzz
