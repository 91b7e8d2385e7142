#pragma once

// Reads the typed fields of a data file item by item. The first fault is remembered and every
// read after it gives a default, so a reader can take a whole record and check once.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "catalogue/item_reader.h"
#include "catalogue/item_value.h"

namespace kalverin {

class FieldReader {
  public:
    enum class Fault { None, Ended, OutOfRange, TooLong };

    explicit FieldReader(std::string_view bytes) : items_(bytes) {}

    ItemValue Value();
    std::string Text();
    // A number that is not numeric reads as 0, as the data files allow.
    std::int16_t Whole(std::string_view field);
    float Single(std::string_view field);
    // A count line: a whole number; a text that is no number counts as 0.
    std::int16_t Count(ItemValue* asRead = nullptr);

    Fault fault() const { return fault_; }
    bool ok() const { return fault_ == Fault::None; }
    bool AnyItemRead() const { return items_.ItemsRead() > 0; }

    // What was out of range, for a message: "DPV 40000 is outside -32768 to 32767".
    const std::string& OutOfRangeDetail() const { return faultDetail_; }
    // Where the item too long to take starts.
    std::size_t LongItemLine() const { return items_.LongItemLine(); }

  private:
    std::optional<Item> Take();
    void Refuse(std::string_view field, std::string_view text, std::string_view why);
    template <typename Narrow>
    auto Narrowed(std::string_view field, Narrow narrow, std::string_view why)
        -> std::remove_cvref_t<decltype(*narrow(0.0))>;

    ItemReader items_;
    Fault fault_ = Fault::None;
    std::string faultDetail_;
};

}  // namespace kalverin
