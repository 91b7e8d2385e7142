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

// The general number format: whole values without a point, otherwise up to 15 significant
// digits (7 for single precision), no trailing zeros, "0.5" rather than ".5", never "-0".
// Always plain decimal notation, so that every file reader can take it back.
std::string FormatGeneral(double value);
std::string FormatGeneral(float value);
std::string FormatWhole(std::int16_t value);

}  // namespace kalverin
