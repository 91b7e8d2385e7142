// Any bytes split into items, and every item taken as a value and as a number.

#include "catalogue/conversions.h"
#include "catalogue/item_reader.h"
#include "catalogue/item_value.h"
#include "fuzz_target.h"

using namespace kalverin;
using fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes = fuzz::Bytes(data, size);
    ItemReader reader(bytes);
    std::size_t items = 0;
    std::size_t textBytes = 0;
    while (auto item = reader.Next()) {
        ++items;
        textBytes += item->text.size();
        Require(reader.ItemsRead() == items, "ItemsRead counts every item taken");
        // Every item but the last takes at least its separator, so they cannot outnumber the bytes.
        Require(items <= bytes.size() + 1, "no more items than bytes");

        ItemValue value = ItemValue::FromItem(*item);
        Require(value.IsEmpty() == value.Shown().empty(), "a value is empty when it shows nothing");
        const double leading = LeadingNumber(item->text);
        ParseWholeNumber(item->text);
        if (auto number = ParseNumber(item->text)) {
            // A text that is a number as a whole begins with that same number.
            Require(leading == *number, "LeadingNumber agrees with ParseNumber");
            Require(value.AsNumber() == *number, "a numeric item counts as its number");
            // The general format reads back; from the second time on it writes the same text.
            std::string shown = FormatGeneral(*number);
            auto again = ParseNumber(shown);
            Require(again.has_value(), "the general format of a number is a number");
            Require(FormatGeneral(*again) == shown, "the general format is stable");
        }
    }
    Require(textBytes <= bytes.size(), "items hold only bytes of the input");
    Require(!reader.Next(), "an ended reader stays ended");
    return 0;
}
