#include "catalogue/data_rules.h"

#include "catalogue/conversions.h"

namespace kalverin {
namespace {

constexpr FullLoad kFullLoads[] = {{"Cylinder", 7, "cylinder"}, {"Magazine", 10, "magazine"}};

}  // namespace

int MountSlot(std::string_view word) {
    for (int slot = 0; slot < static_cast<int>(std::size(kMountWords)); ++slot) {
        if (word == kMountWords[slot]) {
            return slot;
        }
    }
    return -1;
}

MountNeed MountOf(const ModificationRecord& mod) {
    MountNeed need{mod.Mount1.Shown()};
    need.slot = MountSlot(need.word);
    return need;
}

std::string StepDamage(const std::string& damage, const std::string& code) {
    constexpr int kTop = static_cast<int>(std::size(kDamageLadder)) - 1;
    for (int rung = 0; rung <= kTop; ++rung) {
        if (kDamageLadder[rung] != damage) {
            continue;
        }
        if (code == "U") {
            return std::string(kDamageLadder[rung < kTop ? rung + 1 : kTop]);
        }
        if (code == "D") {
            return std::string(kDamageLadder[rung > 0 ? rung - 1 : 0]);
        }
        return damage;
    }
    return damage;
}

const FullLoad* FullLoadOf(std::string_view load, double capacity) {
    for (const FullLoad& full : kFullLoads) {
        if (load == full.load && capacity == full.capacity) {
            return &full;
        }
    }
    return nullptr;
}

StatisticNumbers ReadStatistics(const ShownStatistics& shown) {
    StatisticNumbers numbers;
    auto read = [&numbers](std::string_view caption, std::string_view text, auto& into,
                           auto narrow) {
        const auto number = ParseNumber(text);
        const auto narrowed = number ? narrow(*number) : std::nullopt;
        if (narrowed) {
            into = *narrowed;
        } else if (numbers.badCaption.empty()) {
            numbers.badCaption = caption;
            numbers.badText = text;
        }
    };
    auto asDouble = [](double value) { return std::optional<double>(value); };
    read("Power", shown.power, numbers.power, asDouble);
    read("Concealability", shown.concealability, numbers.concealability, asDouble);
    read("Weight", shown.weight, numbers.weight, NarrowToSingle);
    read("Ammo Capacity", shown.capacity, numbers.capacity, RoundWhole);
    read("FCU", shown.fcu, numbers.fcu, NarrowToSingle);
    read("DPV", shown.dpv, numbers.dpv, asDouble);
    return numbers;
}

Outcome<AddedNumbers> AddedNumbersOf(const ModificationRecord& mod) {
    AddedNumbers added;
    // The first field that holds no number refuses it; empty counts as 0.
    const struct {
        const char* name;
        const ItemValue& field;
        double& number;
    } fields[] = {{"Power", mod.Power, added.power},
                  {"Concealability", mod.Concealability, added.concealability},
                  {"Weight", mod.Weight, added.weight},
                  {"FCU", mod.FCU, added.fcu}};
    for (const auto& f : fields) {
        auto number = f.field.AsNumber();
        if (!number) {
            return Outcome<AddedNumbers>::Failure(
                mod.Modification.Shown() + " cannot be applied: its " + f.name + " field holds \"" +
                f.field.Shown() + "\", which is not a number.");
        }
        f.number = *number;
    }
    return added;
}

}  // namespace kalverin
