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
    txtPower.text = frame.Power.Shown();
    txtDamage.text = frame.Damage.Shown();
    txtMode.text = frame.Mode.Shown();
    txtConceal.text = frame.Concealability.Shown();
    txtWeight.text = frame.Weight.Shown();
    txtCapacity.text = frame.AmmoCapacity.Shown();
    txtLoad.text = frame.AmmoLoad;
    txtRecoil.text = FormatGeneral(frame.Recoil);
    txtFCU.text = FormatGeneral(frame.FCU);
    txtDPV.text = FormatWhole(frame.DPV);
    txtMarkup.text = std::string("5");  // the factor the price below is worked out with
    // The bare frame's price is worked out in single precision, as the mark-up factor is held.
    txtPrice.text = FormatGeneral(static_cast<float>(frame.DPV) * design_.sngMarkUp);
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
