// Writes the stat card of a sample design to a PDF file: the picture of a card in the README
// is made from it (scripts/card-picture.sh). The design is built as a user would build it.

#include <QApplication>
#include <QFile>
#include <algorithm>
#include <cstdio>

#include "designer/main_window_model.h"
#include "designer/stat_card.h"
#include "designer/stat_card_printer.h"
#include "support/recording_dialogs.h"

namespace kalverin {
namespace {

int Line(const ListBox& list, const std::string& text) {
    auto found = std::find(list.items().begin(), list.items().end(), text);
    return found == list.items().end() ? -1 : static_cast<int>(found - list.items().begin());
}

// A heavy pistol with a match barrel, a reflex sight, improved accuracy raised to level 2 and a
// laser aiming module.
void BuildSampleDesign(MainWindowModel& model) {
    model.Load();
    model.cmbChooseFrame.text = "Heavy Pistol";
    model.SelectFrame();
    model.cmbChooseClass.text = "All";
    model.FillModList();
    for (const char* option :
         {"Match Barrel", "Reflex Sight", "Improved Accuracy", "Laser Aiming Module"}) {
        model.ChooseOption(Line(model.lstChooseMod, option));
        model.AddModification();
    }
    model.ChooseInstalledOption(Line(model.lstCurrentMod, "Improved Accuracy"));
    model.RaiseLevel();
    model.txtFirearm.text = "Night Warden";
    model.txtDescription.text =
        "A quiet sidearm for long nights on the ridge road.\r\n"
        "The sight is zeroed at 25 metres; the laser is for close work.";
}

}  // namespace
}  // namespace kalverin

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: stat_card_sample PROGRAM_FOLDER CARD.pdf\n"
                     "PROGRAM_FOLDER holds the Data folder the design is built from.\n");
        return 2;
    }
    // Every message is shown: a refused step means the sample no longer fits the data.
    kalverin::testing::RecordingDialogs dialogs;
    kalverin::MainWindowModel model(argv[1], argv[1], dialogs);
    kalverin::BuildSampleDesign(model);
    for (const std::string& message : dialogs.messages) {
        std::fprintf(stderr, "%s\n", message.c_str());
    }
    if (!dialogs.messages.empty()) {
        return 1;
    }
    if (!kalverin::WriteStatCardPdf(kalverin::BuildStatCard(model), QFile::decodeName(argv[2]),
                                    QPageSize(QPageSize::A4))) {
        std::fprintf(stderr, "%s could not be written\n", argv[2]);
        return 1;
    }
    return 0;
}
