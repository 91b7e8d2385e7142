// Applying one option's values to the statistics the boxes show, and showing the result.

#include <cmath>
#include <limits>

#include "catalogue/conversions.h"
#include "catalogue/data_rules.h"
#include "designer/design_boxes.h"
#include "designer/main_window_model.h"
#include "designer/text_parts.h"

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

Outcome<StatBlock> MainWindowModel::StatisticsAfter(int modIndex, std::int16_t step,
                                                    std::array<Ledger, kStatisticCount>* lines,
                                                    std::string_view what) const {
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

    // Each value's ledger line is written where the value is worked out: "Booster, level 1:
    // Power +1 = 4". A value the option leaves showing as it was gets none.
    auto line = [&](TextBox MainWindowModel::*box, const auto& value, const auto&... parts) {
        if (lines) {
            (*lines)[StatisticIn(box)].Add(value, what, ": ", parts...);
        }
    };
    auto moved = [&](TextBox MainWindowModel::*box, std::string_view name, auto change,
                     const std::string& result) {
        if (change != 0 || result != (this->*box).text) {
            line(box, result, name, " ", Signed(change), " = ");
        }
    };
    if (lines) {
        for (Ledger& ledger : *lines) {
            ledger.Clear();
        }
    }

    StatBlock after;
    after.Power = in.Result(shown.power + added->power * step, "Power");
    moved(&MainWindowModel::txtPower, "Power", added->power * step, after.Power.Shown());
    after.Concealability =
        in.Result(shown.concealability + added->concealability * step, "Concealability");
    moved(&MainWindowModel::txtConceal, "Concealability", added->concealability * step,
          after.Concealability.Shown());
    after.Weight = static_cast<float>(in.Result(shown.weight + added->weight * step, "Weight"));
    moved(&MainWindowModel::txtWeight, "Weight", added->weight * step, after.Weight.Shown());

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
            moved(&MainWindowModel::txtCapacity, "Ammo Capacity",
                  static_cast<double>(mod.AmmoCapacity * step), FormatWhole(after.AmmoCapacity));
        }
    }
    if (mod.AmmoCapacity == 50 || mod.AmmoCapacity == 100 || mod.AmmoCapacity == 777) {
        line(&MainWindowModel::txtCapacity, FormatWhole(after.AmmoCapacity),
             "Ammo Capacity set to ");
    }

    after.FCU = static_cast<float>(in.Result(shown.fcu + added->fcu * step, "FCU"));
    moved(&MainWindowModel::txtFCU, "FCU", added->fcu * step, after.FCU.Shown());

    // 888 and 999 add a share of the frame's own DPV, whatever the step.
    const double baseDPV = design_.intBaseDPV.AsNumber().value_or(0);
    const double dpvAfter = mod.DPV == 888   ? shown.dpv + baseDPV
                            : mod.DPV == 999 ? shown.dpv + baseDPV * 1.5
                                             : shown.dpv + mod.DPV * step;
    after.DPV = in.Result(dpvAfter, "DPV");
    if (mod.DPV == 888 || mod.DPV == 999) {
        line(&MainWindowModel::txtDPV, after.DPV.Shown(),
             mod.DPV == 888 ? "DPV + the frame's DPV " : "DPV + 1.5 \xD7 the frame's DPV ",
             FormatGeneral(baseDPV), " = ");
    } else {
        moved(&MainWindowModel::txtDPV, "DPV", static_cast<double>(mod.DPV * step),
              after.DPV.Shown());
    }
    after.Recoil = in.Result(recoil + static_cast<double>(mod.Recoil) * step, "Recoil");
    moved(&MainWindowModel::txtRecoil, "Recoil", static_cast<double>(mod.Recoil) * step,
          after.Recoil.Shown());
    // Mark-Up is worked out and kept in single precision; the price carries its error.
    after.MarkUp = *markUp + mod.MarkUp * static_cast<float>(step);
    in.Result(after.MarkUp, "Mark-Up");
    const std::string markUpShown = FormatGeneral(after.MarkUp);
    moved(&MainWindowModel::txtMarkup, "Mark-Up", mod.MarkUp * static_cast<float>(step),
          markUpShown);
    after.FinalPrice =
        in.Result(after.DPV.number() * static_cast<double>(after.MarkUp), "Final Price");
    if (const std::string price = after.FinalPrice.Shown(); price != txtPrice.text) {
        line(&MainWindowModel::txtPrice, price, "DPV ", after.DPV.Shown(), " \xD7 Mark-Up ",
             markUpShown, " = ");
    }

    after.Damage = StepDamage(txtDamage.text, mod.Damage);
    if (mod.Damage == "U" || mod.Damage == "D") {
        line(&MainWindowModel::txtDamage, after.Damage, "Damage ",
             mod.Damage == "U" ? "up " : "down ", txtDamage.text, " -> ");
    }
    after.AmmoLoad = mod.AmmoLoad.IsEmpty() ? txtLoad.text : mod.AmmoLoad.Shown();
    if (!mod.AmmoLoad.IsEmpty()) {
        line(&MainWindowModel::txtLoad, after.AmmoLoad, "Ammo Load becomes ");
    }
    after.Mode = mod.Mode.IsEmpty() ? txtMode.text : mod.Mode.Shown();
    if (!mod.Mode.IsEmpty()) {
        line(&MainWindowModel::txtMode, after.Mode, "Mode becomes ");
    }
    if (!in.usable()) {
        return Outcome<StatBlock>::Failure(in.usable().error());
    }
    return after;
}

std::optional<StatBlock> MainWindowModel::Applied(int mod, std::int16_t step, std::int16_t level) {
    // What the application is, as each of its lines begins: "Booster, level 1" when it brings
    // the option to its first level, else "Booster, level 1 -> 2".
    applyingWhat_.clear();
    const auto to = static_cast<std::int16_t>(level + step);
    Append(applyingWhat_, ShownText(catalogue().Modification(mod).Modification).view(), ", level ");
    if (level != 0 || to != 1) {
        Append(applyingWhat_, FormatWhole(level), " -> ");
    }
    Append(applyingWhat_, FormatWhole(to));
    auto after = StatisticsAfter(mod, step, &applying_, applyingWhat_);
    if (!after) {
        dialogs_.ShowMessage(after.error());
        return std::nullopt;
    }
    return std::move(after.value());
}

void MainWindowModel::ApplyModification(StatBlock applied) {
    design_.statistics = std::move(applied);
    for (std::size_t i = 0; i < kStatisticCount; ++i) {
        design_.ledgers[i].Add(applying_[i]);
    }
    ShowStatistics();
}

void MainWindowModel::ShowStatistics() {
    for (const Statistic& stat : kStatistics) {
        (this->*stat.box).text = ShownStat(design_.statistics, stat.value);
    }
}

}  // namespace kalverin
