#include "catalogue/item_reader.h"

#include <gtest/gtest.h>

#include "catalogue/item_value.h"
#include "catalogue/item_writer.h"

namespace kalverin {
namespace {

std::vector<std::pair<std::string, bool>> ReadAll(std::string_view bytes) {
    ItemReader reader(bytes);
    std::vector<std::pair<std::string, bool>> items;
    while (auto item = reader.Next()) {
        items.emplace_back(item->text, item->quoted);
    }
    return items;
}

using Items = std::vector<std::pair<std::string, bool>>;

TEST(ItemReaderTest, SplitsItemsAtCommasAndLineEnds) {
    const std::pair<const char*, Items> cases[] = {
        {"", {}},
        {"3\r\n", {{"3", false}}},
        {"3", {{"3", false}}},
        {"\"a, b\",2\r\n", {{"a, b", true}, {"2", false}}},
        {"1,,2\r\n", {{"1", false}, {"", false}, {"2", false}}},
        {"1,\r\n", {{"1", false}, {"", false}}},
        {"1,", {{"1", false}, {"", false}}},
        {"  \"x\" , 7\r\n", {{"x", true}, {"7", false}}},
        {"\"x\"junk,7", {{"x", true}, {"7", false}}},
        {"\"\",\"\"\r\n", {{"", true}, {"", true}}},
        {"a\nb\rc\r\nd", {{"a", false}, {"b", false}, {"c", false}, {"d", false}}},
        {"\"open, never closed", {{"open, never closed", true}}},
        {"a\r\n\r\nb", {{"a", false}, {"", false}, {"b", false}}},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(ReadAll(bytes), expected) << '"' << bytes << '"';
    }
    EXPECT_EQ(ReadAll(std::string_view("x\0y,z", 5)),
              (Items{{std::string("x\0y", 3), false}, {"z", false}}));
}

TEST(ItemReaderTest, ARecordReadsTheSameHoweverItIsSpreadOverLines) {
    EXPECT_EQ(ReadAll("\"A\",1,2\r\n\"B\",3\r\n"), ReadAll("\"A\"\r\n1\r\n2,\"B\"\r\n3"));
}

TEST(ItemValueTest, KeepsTheKindTheItemWasReadIn) {
    struct Case {
        Item item;
        ItemValue::Kind kind;
        const char* shown;
        const char* written;
    };
    const Case cases[] = {
        {{"12", false}, ItemValue::Kind::Number, "12", "12"},
        {{"12", true}, ItemValue::Kind::Text, "12", "\"12\""},
        {{"", false}, ItemValue::Kind::Empty, "", ""},
        {{"", true}, ItemValue::Kind::Text, "", "\"\""},
        {{"3.50", false}, ItemValue::Kind::Number, "3.5", "3.5"},
        {{"Top", false}, ItemValue::Kind::Text, "Top", "\"Top\""},
        {{"1e3", false}, ItemValue::Kind::Text, "1e3", "\"1e3\""},
    };
    for (const Case& c : cases) {
        ItemValue value = ItemValue::FromItem(c.item);
        EXPECT_EQ(value.kind(), c.kind) << c.item.text;
        EXPECT_EQ(value.Shown(), c.shown);
        ItemWriter out;
        out.Value(value);
        EXPECT_EQ(out.bytes(), c.written);
    }
}

TEST(ItemValueTest, IsEmptyWhenItShowsNothingAndCountsAsANumberWhereItCan) {
    EXPECT_TRUE(ItemValue().IsEmpty());
    EXPECT_TRUE(ItemValue::Text("").IsEmpty());
    EXPECT_FALSE(ItemValue::Number(0).IsEmpty());
    EXPECT_EQ(ItemValue().AsNumber(), 0.0);
    EXPECT_EQ(ItemValue::Text("").AsNumber(), 0.0);
    EXPECT_EQ(ItemValue::Text(" 4 ").AsNumber(), 4.0);
    EXPECT_EQ(ItemValue::Text("four").AsNumber(), std::nullopt);
    EXPECT_EQ(ItemValue::Number(-1.5).AsNumber(), -1.5);
}

TEST(ItemWriterTest, JoinsItemsWithCommasAndEndsLinesWithCrLf) {
    ItemWriter out;
    out.Text("a, b").Number(0.5).Single(1.1F).Whole(-3).Value(ItemValue()).EndLine();
    out.Whole(7).EndLine();
    EXPECT_EQ(out.bytes(), "\"a, b\",0.5,1.1,-3,\r\n7\r\n");
}

}  // namespace
}  // namespace kalverin
