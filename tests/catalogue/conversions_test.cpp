#include "catalogue/conversions.h"

#include <gtest/gtest.h>

namespace kalverin {
namespace {

struct LeadingCase {
    const char* text;
    double expected;
};

TEST(LeadingNumberTest, ReadsTheNumberAtTheStartOfATextAndStopsWhereItEnds) {
    const LeadingCase cases[] = {
        {"12 kg", 12},  {"3 (x2)", 3}, {"", 0},        {"abc", 0},   {"-1.5", -1.5},
        {" 42", 42},    {"4 2", 42},   {"&H10", 16},   {"&h1f", 31}, {"&O17", 15},
        {".5", 0.5},    {"1e2", 100},  {"1E-2", 0.01}, {"1e", 1},    {"2e+", 2},
        {"+7", 7},      {"- 3", -3},   {"5.", 5},      {"-", 0},     {"&Hxyz", 0},
        {"1.2.3", 1.2}, {"\t9", 9},    {"1e999", 0},   {"7x", 7},    {".", 0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ParseNumberTest, AcceptsOnlyAWholeTextThatIsOneNumber) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"7", 7.0},
        {"  7  ", 7.0},
        {"-2.25", -2.25},
        {"+3", 3.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"0012", 12.0},
        {"-12", -12.0},
        {"0.1", 0.1},
        {"-0.35", -0.35},
        {"12345678.9012345", 12345678.9012345},
        {"1234567890.12345678", 1234567890.12345678},
        {"-", std::nullopt},
        {"1-", std::nullopt},
        {"7x", std::nullopt},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {".", std::nullopt},
        {"1e2", std::nullopt},
        {"1 2", std::nullopt},
        {"--1", std::nullopt},
        {"1.2.3", std::nullopt},
        {"&H10", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseNumber(text), expected) << '"' << text << '"';
    }
}

TEST(RoundWholeTest, RoundsHalvesToEvenWithinSixteenBits) {
    const std::pair<double, std::optional<std::int16_t>> cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-0.4, 0},
        {32767.4, 32767},
        {32767.5, std::nullopt},
        {-32768.4, -32768},
        {-32768.6, std::nullopt},
        {1e300, std::nullopt},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(RoundWhole(value), expected) << value;
    }
}

TEST(ParseWholeNumberTest, IsTheTextAsANumberRounded) {
    EXPECT_EQ(ParseWholeNumber("12.5"), 12);
    EXPECT_EQ(ParseWholeNumber("13.5"), 14);
    EXPECT_EQ(ParseWholeNumber(" -4 "), -4);
    EXPECT_EQ(ParseWholeNumber("40000"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("4 kg"), std::nullopt);
}

TEST(FormatGeneralTest, WritesPlainDecimalsWithoutTrailingZeros) {
    const std::pair<double, const char*> doubles[] = {
        {3.50, "3.5"},
        {2, "2"},
        {-0.25, "-0.25"},
        {1.0 / 3, "0.333333333333333"},
        {0.5, "0.5"},
        {-0.0, "0"},
        {0, "0"},
        {1500, "1500"},
        {100 * static_cast<double>(1.1F), "110.000002384186"},
        {1e20, "100000000000000000000"},
        {0.0001, "0.0001"},
        {1.25e-7, "0.000000125"},
        {-32768, "-32768"},
        {0.1 + 0.2, "0.3"},
    };
    for (const auto& [value, expected] : doubles) {
        EXPECT_EQ(FormatGeneral(value), expected);
    }
    const std::pair<float, const char*> singles[] = {
        {5.5F, "5.5"}, {1.1F, "1.1"},   {1.1F + 0.2F, "1.3"},
        {2.0F, "2"},   {-0.5F, "-0.5"}, {1.0F / 3, "0.3333333"},
    };
    for (const auto& [value, expected] : singles) {
        EXPECT_EQ(FormatGeneral(value), expected);
    }
}

TEST(FormatGeneralTest, EveryWrittenNumberReadsBackToTheSameValue) {
    const double values[] = {0.1, 123456.789, -98.6, 1e-10, 4.5e15, 7};
    for (double value : values) {
        EXPECT_EQ(ParseNumber(FormatGeneral(value)), value) << FormatGeneral(value);
    }
    const float singles[] = {0.1F, 1.1F, 3.3F, -7.25F, 1e-6F};
    for (float value : singles) {
        auto back = ParseNumber(FormatGeneral(value));
        ASSERT_TRUE(back);
        EXPECT_EQ(static_cast<float>(*back), value) << FormatGeneral(value);
    }
}

}  // namespace
}  // namespace kalverin
