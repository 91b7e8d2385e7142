// Applying one option's values to the statistics the boxes show, and showing the result.

#include <cmath>
#include <limits>

#include "catalogue/conversions.h"
#include "catalogue/data_rules.h"
#include "designer/design_boxes.h"
#include "designer/main_window_model.h"

namespace kalverin {
namespace {

// Why an application cannot be made: the first of the boxes and the option's fields that is not
// a usable number, or a result too large to show, is remembered with a message, so that all can
// be read before one check.
class ApplicationInputs {
  public:
    // The option is named only in a refusal, so its name is not copied before one.
    explicit ApplicationInputs(const ItemValue& option) : option_(option) {}

    // The first statistic whose box holds no number of its width.
    void RefuseBoxes(const StatisticNumbers& shown) {
        if (shown.badCaption.empty()) {
            return;
        }
        if (shown.badText.empty()) {
            Refuse("The " + std::string(shown.badCaption) + " box is empty. Choose a frame first.");
        } else {
            Refuse("The " + std::string(shown.badCaption) + " box shows \"" +
                   std::string(shown.badText) +
                   "\", which is not a number Kalverin can work with, so " + option_.Shown() +
                   " cannot be applied.");
        }
    }

    // A result that no box could show is refused rather than shown as a non-number.
    double Result(double value, std::string_view caption) {
        if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
            Refuse("Applying " + option_.Shown() + " would make the " + std::string(caption) +
                   " too large to show.");
            return 0;
        }
        return value;
    }

    void Refuse(std::string message) {
        if (usable_) {
            usable_ = Outcome<void>::Failure(std::move(message));
        }
    }

    // Whether every number read was usable; if not, the message about the first that was not.
    const Outcome<void>& usable() const { return usable_; }

  private:
    const ItemValue& option_;
    Outcome<void> usable_;
};

}  // namespace

Outcome<StatBlock> MainWindowModel::StatisticsAfter(int modIndex, std::int16_t step) const {
    const ModificationRecord& mod = catalogue().Modification(modIndex);
    ApplicationInputs in(mod.Modification);
    const StatisticNumbers shown = ReadStatistics({txtPower.text, txtConceal.text, txtWeight.text,
                                                   txtCapacity.text, txtFCU.text, txtDPV.text});
    in.RefuseBoxes(shown);
    const double recoil = LeadingNumber(txtRecoil.text);
    auto markUp = NarrowToSingle(LeadingNumber(txtMarkup.text));
    if (!markUp) {
        in.Refuse("The Mark-Up box shows \"" + txtMarkup.text +
                  "\", which is too large for a Mark-Up.");
    }
    const auto added = AddedNumbersOf(mod);
    if (!added) {
        in.Refuse(added.error());
    }
    if (!in.usable()) {
        return Outcome<StatBlock>::Failure(in.usable().error());
    }

    StatBlock after;
    after.Power = in.Result(shown.power + added->power * step, "Power");
    after.Concealability =
        in.Result(shown.concealability + added->concealability * step, "Concealability");
    after.Weight = static_cast<float>(in.Result(shown.weight + added->weight * step, "Weight"));

    // 50, 100 and 777 set the capacity outright, whatever the step.
    switch (mod.AmmoCapacity) {
        case 50:
            after.AmmoCapacity = 50;
            break;
        case 100:
            after.AmmoCapacity = 100;
            break;
        case 777:
            after.AmmoCapacity = 0;
            break;
        default: {
            int sum = shown.capacity + mod.AmmoCapacity * step;
            if (sum < std::numeric_limits<std::int16_t>::min() ||
                sum > std::numeric_limits<std::int16_t>::max()) {
                in.Refuse("Applying " + mod.Modification.Shown() +
                          " would take the Ammo Capacity to " + std::to_string(sum) +
                          ", outside -32768 to 32767.");
            }
            after.AmmoCapacity = static_cast<std::int16_t>(sum);
        }
    }

    after.FCU = static_cast<float>(in.Result(shown.fcu + added->fcu * step, "FCU"));

    // 888 and 999 add a share of the frame's own DPV, whatever the step.
    const double baseDPV = design_.intBaseDPV.AsNumber().value_or(0);
    const double dpvAfter = mod.DPV == 888   ? shown.dpv + baseDPV
                            : mod.DPV == 999 ? shown.dpv + baseDPV * 1.5
                                             : shown.dpv + mod.DPV * step;
    after.DPV = in.Result(dpvAfter, "DPV");
    after.Recoil = in.Result(recoil + static_cast<double>(mod.Recoil) * step, "Recoil");
    // Mark-Up is worked out and kept in single precision; the price carries its error.
    after.MarkUp = *markUp + mod.MarkUp * static_cast<float>(step);
    in.Result(after.MarkUp, "Mark-Up");
    after.FinalPrice =
        in.Result(after.DPV.number() * static_cast<double>(after.MarkUp), "Final Price");

    after.Damage = StepDamage(txtDamage.text, mod.Damage);
    after.AmmoLoad = mod.AmmoLoad.IsEmpty() ? txtLoad.text : mod.AmmoLoad.Shown();
    after.Mode = mod.Mode.IsEmpty() ? txtMode.text : mod.Mode.Shown();
    if (!in.usable()) {
        return Outcome<StatBlock>::Failure(in.usable().error());
    }
    return after;
}

std::optional<StatBlock> MainWindowModel::Applied(int mod, std::int16_t step) {
    auto after = StatisticsAfter(mod, step);
    if (!after) {
        dialogs_.ShowMessage(after.error());
        return std::nullopt;
    }
    return std::move(after.value());
}

void MainWindowModel::ApplyModification(StatBlock applied) {
    design_.statistics = std::move(applied);
    ShowStatistics();
}

void MainWindowModel::ShowStatistics() {
    for (const Statistic& stat : kStatistics) {
        (this->*stat.box).text = ShownStat(design_.statistics, stat.value);
    }
}

}  // namespace kalverin
