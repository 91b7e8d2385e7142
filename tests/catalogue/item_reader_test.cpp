#include "catalogue/item_reader.h"

#include <gtest/gtest.h>

#include "catalogue/item_value.h"
#include "catalogue/item_writer.h"

namespace kalverin {
namespace {

using Items = std::vector<std::pair<std::string, bool>>;  // each item's text, and if quoted

TEST(ItemReaderTest, SplitsItemsAtCommasAndLineEnds) {
    const std::pair<std::string_view, Items> cases[] = {
        {"", {}},
        {"3\r\n", {{"3", false}}},
        {"3", {{"3", false}}},
        {"\"a, b\",2\r\n", {{"a, b", true}, {"2", false}}},
        {"1,,2\r\n", {{"1", false}, {"", false}, {"2", false}}},
        {"1,\r\n", {{"1", false}, {"", false}}},
        // A view cut from a longer buffer: the quote past its end is not the last item's.
        {std::string_view("1,\"x\"", 2), {{"1", false}, {"", false}}},
        {"  \"x\" , 7\r\n", {{"x", true}, {"7", false}}},
        {"\"x\"junk,7", {{"x", true}, {"7", false}}},
        {"\"\",\"\"\r\n", {{"", true}, {"", true}}},
        {"a\nb\rc\r\nd", {{"a", false}, {"b", false}, {"c", false}, {"d", false}}},
        {"\"open, never closed", {{"open, never closed", true}}},
        {"a\r\n\r\nb", {{"a", false}, {"", false}, {"b", false}}},
        {std::string_view("x\0y,z", 5), {{std::string("x\0y", 3), false}, {"z", false}}},
    };
    for (const auto& [bytes, expected] : cases) {
        ItemReader reader(bytes);
        Items items;
        while (auto item = reader.Next()) {
            items.emplace_back(item->text, item->quoted);
        }
        EXPECT_EQ(items, expected) << '"' << bytes << '"';
    }
}

TEST(ItemValueTest, KeepsTheKindTheItemWasReadInAndCountsAsANumberWhereItCan) {
    struct Case {
        Item item;
        ItemValue::Kind kind;
        const char* shown;  // empty: the value is empty
        const char* written;
        std::optional<double> number;  // as a rule's arithmetic takes it
    };
    const Case cases[] = {
        {{"12", false}, ItemValue::Kind::Number, "12", "12", 12},
        {{"12", true}, ItemValue::Kind::Text, "12", "\"12\"", 12},
        {{"0", false}, ItemValue::Kind::Number, "0", "0", 0},
        {{"", false}, ItemValue::Kind::Empty, "", "", 0},
        {{"", true}, ItemValue::Kind::Text, "", "\"\"", 0},
        {{"3.50", false}, ItemValue::Kind::Number, "3.5", "3.5", 3.5},
        {{" 4 ", true}, ItemValue::Kind::Text, " 4 ", "\" 4 \"", 4},
        {{"Top", false}, ItemValue::Kind::Text, "Top", "\"Top\"", std::nullopt},
        {{"1e3", false}, ItemValue::Kind::Text, "1e3", "\"1e3\"", std::nullopt},
    };
    for (const Case& c : cases) {
        const ItemValue value = ItemValue::FromItem(c.item);
        EXPECT_EQ(value.kind(), c.kind) << c.item.text;
        EXPECT_EQ(value.Shown(), c.shown) << c.item.text;
        EXPECT_EQ(value.IsEmpty(), *c.shown == '\0') << c.item.text;
        EXPECT_EQ(value.AsNumber(), c.number) << c.item.text;
        EXPECT_EQ(ItemWriter().Value(value).bytes(), c.written) << c.item.text;
    }
}

}  // namespace
}  // namespace kalverin
