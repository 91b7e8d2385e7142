#pragma once

// A main window model on a small data set made for the designer's tests, with helpers that do
// what a user's clicks do.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "designer/main_window_model.h"
#include "test_support/recording_dialogs.h"
#include "test_support/temp_folder.h"

namespace kalverin::testing {

// Everything a user can see of the design, to check that a refused action changed nothing.
struct DesignView {
    std::vector<std::string> texts;
    std::vector<std::int16_t> mounts;
    std::vector<std::string> installedLines;
    std::vector<std::string> optionLines;
    std::vector<bool> buttons;
    std::vector<InstalledOption> options;

    friend bool operator==(const DesignView&, const DesignView&) = default;
};

class DesignTest : public ::testing::Test {
  protected:
    DesignTest();

    // Replaces the data files and reloads them.
    void UseData(const std::string& frames, const std::string& classes, const std::string& mods,
                 const std::string& maxLevels);

    void PickFrame(const std::string& name);
    void PickClass(const std::string& name);
    // Lists every option, clicks the named one and presses "Add".
    void Install(const std::string& name);
    // Clicks the named line of the installed options.
    void Select(const std::string& name);
    // The catalogue index of the named modification.
    std::int16_t ModIndex(const std::string& name) const;
    DesignView View() const;
    // The twelve statistics boxes as the window shows them, top to bottom, joined by "|":
    // Power, Damage, Weight, Mode, Concealability, Capacity, Load, Recoil, FCU, DPV, Mark-Up,
    // Final Price.
    std::string Stats() const;
    // The four mount boxes, Barrel, Top, Large and Small, as "1100".
    std::string Mounts() const;
    // The messages shown so far, and forgets them.
    std::vector<std::string> TakeMessages();

    TempFolder program;
    RecordingDialogs dialogs;
    MainWindowModel model;
};

}  // namespace kalverin::testing
