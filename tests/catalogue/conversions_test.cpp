#include "catalogue/conversions.h"

#include <gtest/gtest.h>

namespace kalverin {
namespace {

TEST(LeadingNumberTest, ReadsTheNumberAtTheStartOfATextAndStopsWhereItEnds) {
    const std::pair<const char*, double> cases[] = {
        {"12 kg", 12},  {"3 (x2)", 3}, {"", 0},        {"abc", 0},    {"-1.5", -1.5},
        {" 42", 42},    {"4 2", 42},   {"&H10", 16},   {"&haF", 175}, {"&O17", 15},
        {".5", 0.5},    {"1e2", 100},  {"1E-2", 0.01}, {"1e", 1},     {"2e+", 2},
        {"+7", 7},      {"- 3", -3},   {"5.", 5},      {"-", 0},      {"&Hxyz", 0},
        {"1.2.3", 1.2}, {"\t9", 9},    {"1e999", 0},   {"7x", 7},     {".", 0},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_DOUBLE_EQ(LeadingNumber(text), expected) << '"' << text << '"';
    }
}

TEST(ParseNumberTest, AcceptsOnlyAWholeTextThatIsOneNumber) {
    // clang-format off
    const std::pair<const char*, double> numbers[] = {
        {"7", 7},   {"  7  ", 7}, {"-2.25", -2.25}, {"+3", 3},   {".5", 0.5},   {"5.", 5},
        {"0012", 12}, {"-12", -12}, {"0.1", 0.1},   {"-0.35", -0.35},
        {"12345678.9012345", 12345678.9012345}, {"1234567890.12345678", 1234567890.12345678},
        {"+1234567890.12345678", 1234567890.12345678},
    };
    // clang-format on
    for (const auto& [text, expected] : numbers) {
        EXPECT_EQ(ParseNumber(text), expected) << '"' << text << '"';
    }
    for (const char* text :
         {"-", "1-", "7x", "", "  ", ".", "1e2", "1 2", "--1", "1.2.3", "&H10"}) {
        EXPECT_EQ(ParseNumber(text), std::nullopt) << '"' << text << '"';
    }
}

TEST(ParseWholeNumberTest, RoundsTheNumberHalvesToEvenWithinSixteenBits) {
    // clang-format off
    const std::pair<const char*, std::optional<std::int16_t>> cases[] = {
        {"0.5", 0},   {"1.5", 2},   {"2.5", 2},  {"3.5", 4},  {"-2.5", -2},  {"-0.4", 0},
        {" -4 ", -4}, {"4 kg", std::nullopt},    {"32767.4", 32767},  {"-32768.4", -32768},
        {"32767.5", std::nullopt},               {"-32768.6", std::nullopt},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseWholeNumber(text), expected) << text;
    }
}

TEST(FormatGeneralTest, WritesPlainDecimalsWithoutTrailingZeros) {
    // clang-format off
    const std::pair<double, const char*> doubles[] = {
        {3.50, "3.5"}, {2, "2"}, {-0.25, "-0.25"}, {1.0 / 3, "0.333333333333333"}, {-0.0, "0"},
        {0.1 + 0.2, "0.3"}, {100 * static_cast<double>(1.1F), "110.000002384186"},
        {123456.789, "123456.789"}, {-98.6, "-98.6"}, {4.5e15, "4500000000000000"},
        {1e20, "100000000000000000000"}, {1.25e-7, "0.000000125"}, {1e-10, "0.0000000001"},
    };
    // clang-format on
    for (const auto& [value, expected] : doubles) {
        EXPECT_EQ(FormatGeneral(value), expected);
    }
    const std::pair<float, const char*> singles[] = {
        {5.5F, "5.5"},           {1.1F + 0.2F, "1.3"}, {2.0F, "2"},
        {-7.25F, "-7.25"},       {0.1F, "0.1"},        {3.3F, "3.3"},
        {1.0F / 3, "0.3333333"}, {1e-6F, "0.000001"},
    };
    for (const auto& [value, expected] : singles) {
        EXPECT_EQ(FormatGeneral(value), expected);
    }
}

}  // namespace
}  // namespace kalverin
