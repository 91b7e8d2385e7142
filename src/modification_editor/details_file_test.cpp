#include "modification_editor/details_file.h"

#include <gtest/gtest.h>

#include "modification_editor/modification_test_data.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::BundledData;
using testing::kDetails;
using testing::ReadFileBytes;

TEST(DetailsFileTest, ReadsLabelsInTheirKindAndTextsWithCommas) {
    auto file = ReadDetailsFile(kDetails, "Data/Details.txt");
    ASSERT_TRUE(file) << file.error();
    EXPECT_EQ(file->count, 5);
    ASSERT_EQ(file->rows.size(), 5U);
    EXPECT_EQ(file->rows[1].label, ItemValue::Text("Scope"));
    EXPECT_EQ(file->rows[1].text, "Magnified sight, for the top rail.");
    EXPECT_EQ(file->rows[4].label, ItemValue::Number(12));
}

TEST(DetailsFileTest, WritesBackTheBytesItRead) {
    for (const std::string& bytes : {kDetails, ReadFileBytes(BundledData() / "Details.txt")}) {
        auto file = ReadDetailsFile(bytes, "Data/Details.txt");
        ASSERT_TRUE(file) << file.error();
        EXPECT_EQ(WriteDetailsFile(file.value()), bytes);
    }
}

TEST(DetailsFileTest, ReadsItemsNotLinesAndIgnoresWhatFollowsTheCountedRows) {
    auto file = ReadDetailsFile("2\r\n\"A\",\"one\",\r\n\"two\"\r\n\"extra\",\"row\"\r\n",
                                "Data/Details.txt");
    ASSERT_TRUE(file) << file.error();
    ASSERT_EQ(file->rows.size(), 2U);
    EXPECT_EQ(file->rows[1].label.kind(), ItemValue::Kind::Empty);
    EXPECT_EQ(file->rows[1].text, "two");
}

TEST(DetailsFileTest, WritesRowsItLacksWithAnEmptyLabelAndAnEmptyText) {
    DetailsFile file{3, {{ItemValue::Text("Scope"), "Magnified."}}};
    EXPECT_EQ(WriteDetailsFile(file), "3\r\n\"Scope\",\"Magnified.\"\r\n,\"\"\r\n,\"\"\r\n");
}

TEST(DetailsFileTest, RefusesAFileItCannotHoldWithAMessageNamingIt) {
    const struct {
        const char* bytes;
        const char* message;
    } cases[] = {
        {"", "Data/Details.txt is empty: it has no count line."},
        {"3\r\n\"A\",\"one\"\r\n\"B\"", "Data/Details.txt ends after 1 of 3 rows."},
        {"151\r\n", "Data/Details.txt lists 151 rows; Kalverin holds at most 150."},
        {"40000\r\n", "Data/Details.txt: the count 40000 is outside -32768 to 32767."},
    };
    for (const auto& c : cases) {
        auto file = ReadDetailsFile(c.bytes, "Data/Details.txt");
        ASSERT_FALSE(file) << c.bytes;
        EXPECT_EQ(file.error(), c.message);
    }
}

}  // namespace
}  // namespace kalverin
