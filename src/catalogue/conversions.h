#pragma once

// The conversions between texts and numbers that every window uses. All of them read and write
// a period as the decimal point, whatever the user's locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kalverin {

// The number at the start of a text: "12 kg" gives 12, "4 2" gives 42, "&H10" gives 16, and a
// text that does not begin with a number gives 0. Never fails.
double LeadingNumber(std::string_view text);

// The whole text as one number: optional sign, digits with an optional period and fraction,
// blanks allowed around it. Anything else, the empty text included, is no number.
std::optional<double> ParseNumber(std::string_view text);

// The nearest whole number, halves to the even one; nothing when outside -32768..32767.
std::optional<std::int16_t> RoundWhole(double value);

// The text as a number, rounded to a whole number.
std::optional<std::int16_t> ParseWholeNumber(std::string_view text);

// A double narrowed to the nearest single-precision value; nothing when it does not fit.
std::optional<float> NarrowToSingle(double value);

// Why a field's text gives it no number.
enum class NumberFault : std::uint8_t { None, NoNumber, OutOfRange };
// How a field's text is read as its number: the whole text must be one, or the number it
// begins with is taken, which never fails for want of a number.
enum class NumberText : std::uint8_t { Whole, Leading };

template <typename Number>
struct FieldNumber {
    Number value = 0;
    NumberFault fault = NumberFault::None;
};

// A field's text as its number, for the file readers and the editors alike: a double as it is,
// a single narrowed, a whole number rounded; a number the field cannot hold is OutOfRange.
FieldNumber<double> DoubleFromText(std::string_view text, NumberText read);
FieldNumber<float> SingleFromText(std::string_view text, NumberText read);
FieldNumber<std::int16_t> WholeFromText(std::string_view text, NumberText read);

// The general number format: whole values without a point, otherwise up to 15 significant
// digits (7 for single precision), no trailing zeros, "0.5" rather than ".5", never "-0".
// Always plain decimal notation, so that every file reader can take it back.
std::string FormatGeneral(double value);
std::string FormatGeneral(float value);
std::string FormatWhole(std::int16_t value);

}  // namespace kalverin
