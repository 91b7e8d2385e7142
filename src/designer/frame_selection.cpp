// Choosing a frame: the design starts afresh on it.

#include <utility>

#include "catalogue/conversions.h"
#include "catalogue/data_rules.h"
#include "designer/design_boxes.h"
#include "designer/main_window_model.h"

namespace kalverin {

void MainWindowModel::SelectFrame() {
    // The step starts from what the chooser showed before the pick put the frame's name there.
    std::swap(cmbChooseFrame.text, shownFrame_);
    const Step step(*this);
    std::swap(cmbChooseFrame.text, shownFrame_);
    if (std::int16_t found = catalogue().FrameNamed(cmbChooseFrame.text)) {
        design_.intChooseFrame = found;
    }
    NewWeapon();
    ShowFrame();
}

void MainWindowModel::ShowFrame() {
    const FrameRecord& frame = catalogue().Frame(design_.intChooseFrame);
    txtFirearm.text.clear();
    txtDescription.text.clear();
    // Each base value starts its statistic's ledger afresh: "Revolver: 3".
    const ShownText name(frame.Frame);
    auto base = [&](TextBox MainWindowModel::*box, std::string shown, const auto&... how) {
        Ledger& ledger = design_.ledgers[StatisticIn(box)];
        ledger.Clear();
        if (!shown.empty()) {
            ledger.Add(shown, name.view(), ": ", how...);
        }
        (this->*box).text = std::move(shown);
    };
    using M = MainWindowModel;
    base(&M::txtPower, frame.Power.Shown());
    base(&M::txtDamage, frame.Damage.Shown());
    base(&M::txtMode, frame.Mode.Shown());
    base(&M::txtConceal, frame.Concealability.Shown());
    base(&M::txtWeight, frame.Weight.Shown());
    base(&M::txtCapacity, frame.AmmoCapacity.Shown());
    base(&M::txtLoad, frame.AmmoLoad);
    base(&M::txtRecoil, FormatGeneral(frame.Recoil));
    base(&M::txtFCU, FormatGeneral(frame.FCU));
    base(&M::txtDPV, FormatWhole(frame.DPV));
    base(&M::txtMarkup, std::string("5"));  // the factor the price below is worked out with
    // The bare frame's price is worked out in single precision, as the mark-up factor is held.
    base(&M::txtPrice, FormatGeneral(static_cast<float>(frame.DPV) * design_.sngMarkUp), "DPV ",
         FormatWhole(frame.DPV), " \xD7 Mark-Up ", FormatGeneral(design_.sngMarkUp), " = ");
    design_.intBaseDPV = ItemValue::Number(frame.DPV);
    design_.intFrameNumber = frame.FrameNumber;
    SetFrameMounts();
}

void MainWindowModel::SetFrameMounts() {
    ForEachFrameMount(catalogue().Frame(design_.intChooseFrame), [this](std::string_view mount) {
        if (const int slot = MountSlot(mount); slot >= 0) {
            (this->*kMounts[slot].box).value = 1;
        }
    });
}

}  // namespace kalverin
