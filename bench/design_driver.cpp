#include "design_driver.h"

#include "catalogue/records.h"
#include "full_catalogue.h"

namespace kalverin::bench {
namespace {

// Clicks the option lines from the top and presses "Add" until `count` options are on. Every
// fourth option needs a mount no frame has, so its line is passed by. Gives the events sent.
int InstallOptions(MainWindowModel& model, int count) {
    int events = 0;
    for (int line = 0; model.design().intModCounter < count && line < model.lstChooseMod.Count();
         ++line) {
        if ((line + 1) % 4 != 0) {
            model.ChooseOption(line);
            model.AddModification();
            events += 2;
        }
    }
    return events;
}

}  // namespace

Loaded::Loaded(int modifications) {
    WriteFullCatalogue(program.path(), kMaxFrames, modifications);
    model.Load();
}

void PickFrame(MainWindowModel& model, int index) {
    model.cmbChooseFrame.text = FrameName(index);
    model.SelectFrame();
}

void ListAllOptions(MainWindowModel& model) {
    model.cmbChooseClass.text = "All";
    model.FillModList();
}

int DesignSequence(MainWindowModel& model) {
    PickFrame(model, 1);
    ListAllOptions(model);
    int events = 2 + InstallOptions(model, kMaxInstalledOptions);
    for (int line = 0; line < model.design().intModCounter; ++line) {
        model.ChooseInstalledOption(line);
        model.RaiseLevel();
    }
    for (int line = 0; line < model.design().intModCounter; ++line) {
        model.ChooseInstalledOption(line);
        model.LowerLevel();
    }
    return events + 4 * model.design().intModCounter;
}

MainWindowModel Designed(MainWindowModel model, int installed, bool raised) {
    PickFrame(model, 1);
    ListAllOptions(model);
    InstallOptions(model, installed);
    model.ChooseInstalledOption(installed - 1);
    if (raised) {
        model.RaiseLevel();
    }
    return model;
}

}  // namespace kalverin::bench
