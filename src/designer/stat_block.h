#pragma once

// The twelve statistics of the design. The statistics boxes are the values of record: each rule
// reads them back, computes into a StatBlock and shows all of it again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "catalogue/conversions.h"
#include "catalogue/item_value.h"

namespace kalverin {

// A statistic the rules compute as a number of the given precision. A weapon file may also
// store it as a quoted text, which is then shown exactly as stored.
template <typename Number>
class StatValue {
  public:
    StatValue() = default;
    StatValue(Number number) : value_(number) {}  // NOLINT: a statistic is usually a number
    static StatValue Text(std::string text) {
        StatValue stat;
        stat.value_ = std::move(text);
        return stat;
    }
    // A statistic as a weapon file stores it: a bare number is a number, anything else (a
    // quoted item, an empty one, or a number too large for this precision) is shown as read.
    static StatValue FromItem(const ItemValue& item) {
        if (item.kind() == ItemValue::Kind::Number) {
            if constexpr (std::is_same_v<Number, float>) {
                if (auto single = NarrowToSingle(item.number())) {
                    return *single;
                }
            } else {
                return item.number();
            }
        }
        return Text(item.Shown());
    }

    bool IsNumber() const { return std::holds_alternative<Number>(value_); }
    Number number() const { return IsNumber() ? std::get<Number>(value_) : Number(0); }
    // The text a weapon file stored; empty for a number.
    std::string_view text() const {
        return IsNumber() ? std::string_view() : std::get<std::string>(value_);
    }
    std::string Shown() const {
        return IsNumber() ? FormatGeneral(std::get<Number>(value_)) : std::get<std::string>(value_);
    }

    friend bool operator==(const StatValue&, const StatValue&) = default;

  private:
    std::variant<Number, std::string> value_ = Number(0);
};

// The statistics boxes; a statistic's place among them is its place in kStatistics
// (design_boxes.h).
inline constexpr std::size_t kStatisticCount = 12;

struct StatBlock {
    StatValue<double> Power;
    StatValue<double> Concealability;
    // Weight and FCU sums are held in single precision, as their boxes are read.
    StatValue<float> Weight;
    std::int16_t AmmoCapacity = 0;
    StatValue<float> FCU;
    StatValue<double> DPV;  // intTempDPV
    StatValue<double> Recoil;
    float MarkUp = 0;
    StatValue<double> FinalPrice;
    std::string Damage;
    std::string AmmoLoad;
    std::string Mode;

    friend bool operator==(const StatBlock&, const StatBlock&) = default;
};

// One statistic of the block, in whichever precision the rules hold it.
using StatMember =
    std::variant<StatValue<double> StatBlock::*, StatValue<float> StatBlock::*,
                 std::int16_t StatBlock::*, float StatBlock::*, std::string StatBlock::*>;

// The statistic as its box shows it.
inline std::string ShownStat(const StatBlock& block, StatMember member) {
    return std::visit(
        [&block](auto m) {
            const auto& value = block.*m;
            using Value = std::remove_cvref_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, std::int16_t>) {
                return FormatWhole(value);
            } else if constexpr (std::is_same_v<Value, float>) {
                return FormatGeneral(value);
            } else if constexpr (std::is_same_v<Value, std::string>) {
                return value;
            } else {
                return value.Shown();
            }
        },
        member);
}

}  // namespace kalverin
