// Writes the stat card of a sample design to a PDF file: the picture of a card in the README
// is made from it (scripts/card-picture.sh).

#include <QApplication>
#include <QFile>
#include <cstdio>

#include "designer/main_window_model.h"
#include "designer/stat_card.h"
#include "designer/stat_card_printer.h"
#include "qt_support/widget_dialogs.h"

namespace kalverin {
namespace {

// A heavy pistol with a match barrel, a reflex sight, a custom grip at level 2 and a laser
// aiming module, as the window shows it with the bundled data.
void ShowSampleDesign(MainWindowModel& model) {
    model.NewWeapon();
    model.txtFirearm.text = "Night Warden";
    model.cmbChooseFrame.text = "Heavy Pistol";
    const std::pair<TextBox*, const char*> shown[] = {
        {&model.txtPower, "5"},       {&model.txtDamage, "M"},    {&model.txtWeight, "1.6"},
        {&model.txtMode, "SA"},       {&model.txtConceal, "4"},   {&model.txtCapacity, "6"},
        {&model.txtLoad, "Cylinder"}, {&model.txtRecoil, "-1"},   {&model.txtFCU, "2"},
        {&model.txtDPV, "570"},       {&model.txtMarkup, "5.25"}, {&model.txtPrice, "2992.5"},
    };
    for (const auto& [box, text] : shown) {
        box->text = text;
    }
    model.chkBarrel.value = 1;
    const InstalledOption options[] = {
        {"Match Barrel", 1}, {"Reflex Sight", 1}, {"Custom Grip", 2}, {"Laser Aiming Module", 1}};
    for (const InstalledOption& option : options) {
        ++model.intModCounter;
        model.Option(model.intModCounter) = option;
        model.lstCurrentMod.Add(option.name);
    }
    model.txtDescription.text =
        "A quiet sidearm for long nights on the ridge road.\r\n"
        "The grip was fitted by hand; the sight is zeroed at 25 metres.";
}

}  // namespace
}  // namespace kalverin

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: stat_card_sample CARD.pdf\n");
        return 2;
    }
    kalverin::WidgetDialogs dialogs(nullptr);
    kalverin::MainWindowModel model(".", ".", dialogs);
    kalverin::ShowSampleDesign(model);
    const QString path = QFile::decodeName(argv[1]);
    if (!kalverin::WriteStatCardPdf(kalverin::BuildStatCard(model), path,
                                    QPageSize(QPageSize::A4))) {
        std::fprintf(stderr, "%s could not be written\n", argv[1]);
        return 1;
    }
    return 0;
}
