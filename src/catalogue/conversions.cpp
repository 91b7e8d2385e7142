#include "catalogue/conversions.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace kalverin {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Parses a cleaned "[-]digits[.digits][e[-]digits]" text; a value too large for a double is
// no number at all.
std::optional<double> ParseCleaned(std::string_view cleaned) {
    if (cleaned.empty()) {
        return 0.0;
    }
    double value = 0;
    auto [end, error] = std::from_chars(cleaned.data(), cleaned.data() + cleaned.size(), value,
                                        std::chars_format::general);
    if (error != std::errc() || end != cleaned.data() + cleaned.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

double LeadingRadixNumber(std::string_view digits, int radix) {
    double value = 0;
    for (char c : digits) {
        int digit = -1;
        if (IsDigit(c)) {
            digit = c - '0';
        } else if (radix == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (radix == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0 || digit >= radix) {
            break;
        }
        value = value * radix + digit;
    }
    return std::isfinite(value) ? value : 0.0;
}

// A sign, up to 15 digits and at most one point among them: nearly every number of the data
// files. The digits make a whole number a double holds exactly, as it does every power of ten up
// to 10^15, so one division rounds the value once, as the general parser does; such a number is
// read straight from its characters.
std::optional<double> ShortDecimal(std::string_view body) {
    constexpr std::size_t kMostDigits = 15;
    constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const bool negative = !body.empty() && body.front() == '-';
    if (!body.empty() && (body.front() == '-' || body.front() == '+')) {
        body.remove_prefix(1);
    }
    // Longer than the digits and a point: no short number, and the digits need not be read.
    if (body.size() > kMostDigits + 1) {
        return std::nullopt;
    }
    std::int64_t digits = 0;
    std::size_t pos = 0;
    for (; pos < body.size() && IsDigit(body[pos]); ++pos) {
        digits = digits * 10 + (body[pos] - '0');
    }
    std::size_t count = pos;
    std::size_t afterPoint = 0;
    if (pos < body.size() && body[pos] == '.') {
        for (++pos; pos < body.size() && IsDigit(body[pos]); ++pos, ++afterPoint) {
            digits = digits * 10 + (body[pos] - '0');
        }
        count += afterPoint;
    }
    if (pos != body.size() || count == 0 || count > kMostDigits) {
        return std::nullopt;
    }
    const double value = static_cast<double>(digits) / kPowersOfTen[afterPoint];
    return negative ? -value : value;
}

}  // namespace

double LeadingNumber(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
    if (pos + 1 < text.size() && text[pos] == '&') {
        char base = text[pos + 1];
        if (base == 'H' || base == 'h') {
            return LeadingRadixNumber(text.substr(pos + 2), 16);
        }
        if (base == 'O' || base == 'o') {
            return LeadingRadixNumber(text.substr(pos + 2), 8);
        }
        return 0;
    }

    // Collect the characters that make up the number, leaving out blanks between them.
    std::string cleaned;
    enum class Stage { Sign, Mantissa, Fraction, ExponentSign, Exponent } stage = Stage::Sign;
    bool mantissaDigits = false;
    std::size_t beforeExponent = 0;
    for (; pos < text.size(); ++pos) {
        char c = text[pos];
        if (IsBlank(c)) {
            continue;
        }
        if (stage == Stage::Sign && (c == '-' || c == '+')) {
            if (c == '-') {
                cleaned += c;
            }
            stage = Stage::Mantissa;
        } else if ((stage == Stage::Sign || stage == Stage::Mantissa || stage == Stage::Fraction) &&
                   IsDigit(c)) {
            cleaned += c;
            mantissaDigits = true;
            if (stage == Stage::Sign) {
                stage = Stage::Mantissa;
            }
        } else if ((stage == Stage::Sign || stage == Stage::Mantissa) && c == '.') {
            cleaned += c;
            stage = Stage::Fraction;
        } else if ((stage == Stage::Mantissa || stage == Stage::Fraction) && mantissaDigits &&
                   (c == 'e' || c == 'E')) {
            beforeExponent = cleaned.size();
            cleaned += 'e';
            stage = Stage::ExponentSign;
        } else if (stage == Stage::ExponentSign && (c == '-' || c == '+')) {
            cleaned += c;
            stage = Stage::Exponent;
        } else if ((stage == Stage::ExponentSign || stage == Stage::Exponent) && IsDigit(c)) {
            cleaned += c;
            stage = Stage::Exponent;
        } else {
            break;
        }
    }
    if (!mantissaDigits) {
        return 0;
    }
    // An exponent letter with no digits after it is not part of the number.
    if (beforeExponent > 0 && !IsDigit(cleaned.back())) {
        cleaned.resize(beforeExponent);
    }
    if (cleaned.back() == '.') {
        cleaned.pop_back();
    }
    return ParseCleaned(cleaned).value_or(0.0);
}

std::optional<double> ParseNumber(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    std::string_view body = text.substr(first, last - first);
    if (auto number = ShortDecimal(body)) {
        return number;
    }
    std::string cleaned;
    std::size_t pos = 0;
    if (pos < body.size() && (body[pos] == '-' || body[pos] == '+')) {
        if (body[pos] == '-') {
            cleaned += '-';
        }
        ++pos;
    }
    bool digits = false;
    bool point = false;
    for (; pos < body.size(); ++pos) {
        char c = body[pos];
        if (IsDigit(c)) {
            digits = true;
            cleaned += c;
        } else if (c == '.' && !point) {
            point = true;
            cleaned += c;
        } else {
            return std::nullopt;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    if (cleaned.back() == '.') {
        cleaned.pop_back();
    }
    return ParseCleaned(cleaned);
}

std::optional<std::int16_t> RoundWhole(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // nearbyint rounds halves to even in the default rounding mode.
    double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::int16_t> ParseWholeNumber(std::string_view text) {
    if (auto number = ParseNumber(text)) {
        return RoundWhole(*number);
    }
    return std::nullopt;
}

FieldNumber<double> DoubleFromText(std::string_view text, NumberText read) {
    if (read == NumberText::Leading) {
        return {LeadingNumber(text)};
    }
    const auto number = ParseNumber(text);
    return number ? FieldNumber<double>{*number} : FieldNumber<double>{0, NumberFault::NoNumber};
}

namespace {

template <typename Number, typename Narrow>
FieldNumber<Number> NarrowedFromText(std::string_view text, NumberText read, Narrow narrow) {
    const FieldNumber<double> number = DoubleFromText(text, read);
    if (number.fault != NumberFault::None) {
        return {0, number.fault};
    }
    const auto narrowed = narrow(number.value);
    return narrowed ? FieldNumber<Number>{*narrowed}
                    : FieldNumber<Number>{0, NumberFault::OutOfRange};
}

}  // namespace

FieldNumber<float> SingleFromText(std::string_view text, NumberText read) {
    return NarrowedFromText<float>(text, read, NarrowToSingle);
}

FieldNumber<std::int16_t> WholeFromText(std::string_view text, NumberText read) {
    return NarrowedFromText<std::int16_t>(text, read, RoundWhole);
}

std::optional<float> NarrowToSingle(double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

namespace {

// Writes digits and a decimal exponent (as scientific notation gives them) in plain decimal.
template <typename Number>
std::string PlainDecimal(Number value, int significantDigits) {
    if (value == 0 || !std::isfinite(value)) {
        return "0";
    }
    std::array<char, 64> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                std::chars_format::scientific, significantDigits - 1);
    std::string_view scientific(buffer.data(),
                                static_cast<std::size_t>(result.ptr - buffer.data()));

    bool negative = scientific.front() == '-';
    if (negative) {
        scientific.remove_prefix(1);
    }
    std::size_t e = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, e)) {
        if (c != '.') {
            digits += c;
        }
    }
    int exponent = 0;
    std::string_view exponentText = scientific.substr(e + 1);
    if (exponentText.front() == '+') {
        exponentText.remove_prefix(1);
    }
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }

    std::string out = negative ? "-" : "";
    int pointAfter = exponent + 1;  // digits before the decimal point
    if (pointAfter <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-pointAfter), '0');
        out += digits;
    } else if (static_cast<std::size_t>(pointAfter) >= digits.size()) {
        out += digits;
        out.append(static_cast<std::size_t>(pointAfter) - digits.size(), '0');
    } else {
        out += digits.substr(0, static_cast<std::size_t>(pointAfter));
        out += '.';
        out += digits.substr(static_cast<std::size_t>(pointAfter));
    }
    return out;
}

}  // namespace

std::string FormatGeneral(double value) {
    return PlainDecimal(value, 15);
}

std::string FormatGeneral(float value) {
    return PlainDecimal(value, 7);
}

std::string FormatWhole(std::int16_t value) {
    return std::to_string(value);
}

}  // namespace kalverin
