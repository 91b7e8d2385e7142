#pragma once

// The main window's model on the full catalogue, driven as the window's events drive it.

#include "catalogue/data_folder.h"
#include "designer/main_window_model.h"
#include "support/recording_dialogs.h"
#include "support/temp_folder.h"

namespace kalverin::bench {

// A model on a catalogue of twenty frames and `modifications` modifications (the full capacity
// unless told), loaded; its messages are recorded and its file dialogs answered from a script.
struct Loaded {
    testing::TempFolder program;
    testing::RecordingDialogs dialogs;
    DataInUse data{DiskFiles(), {.given = DataFolder(program.path())}};
    MainWindowModel model{data, program.path(), dialogs};

    explicit Loaded(int modifications = kMaxModifications);
};

// A pick of frame `index` (from 1) from the frame chooser's list.
void PickFrame(MainWindowModel& model, int index);
// A pick of "All" from the class chooser's list.
void ListAllOptions(MainWindowModel& model);

// A design from scratch: frame 1, all options listed, twenty installed by a click and "Add"
// each, then each raised once by a click and "+", then each lowered by a click and "-". Gives
// the number of events sent.
int DesignSequence(MainWindowModel& model);

// `model` on frame 1 with `installed` options on and every option listed; the last option
// installed is selected and, if `raised`, one level up.
MainWindowModel Designed(MainWindowModel model, int installed, bool raised);

}  // namespace kalverin::bench
