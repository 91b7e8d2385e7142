#pragma once

// Reads the typed fields of a data file item by item. The first fault is remembered and every
// read after it gives a default, so a reader can take a whole record and check once.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/conversions.h"
#include "catalogue/item_reader.h"
#include "catalogue/item_value.h"

namespace kalverin {

// What a reader met that does not stop it, for the data check: where each record begins, the
// numbers read as 0 because their item is no number, and the items after the last record.
struct ReadNotes {
    struct Zeroed {
        std::size_t record;      // from 1; 0 for the count line
        std::string_view field;  // as messages name it
        std::string text;
        std::size_t offset;
    };
    std::vector<std::size_t> recordStarts;  // where record i begins, at i - 1
    std::vector<Zeroed> zeroed;
    std::size_t leftOver = std::string_view::npos;
};

// While one lives, the field readers made on its thread note into `notes`: the data check reads
// through the very readers the windows use, which note nothing otherwise.
class NotingReads {
  public:
    explicit NotingReads(ReadNotes& notes);
    ~NotingReads();
    NotingReads(const NotingReads&) = delete;
    NotingReads& operator=(const NotingReads&) = delete;

  private:
    ReadNotes* outer_;
};

class FieldReader {
  public:
    enum class Fault { None, Ended, OutOfRange, TooLong };

    explicit FieldReader(std::string_view bytes);

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

    // Where the notes go, if anywhere; and where the next item begins.
    ReadNotes* notes() const { return notes_; }
    std::size_t Position() const { return items_.Position(); }
    // Where the first item that is not empty begins among those not taken; npos when none is.
    std::size_t FirstItemLeft() const;

  private:
    std::optional<Item> Take();
    void Refuse(std::string_view field, std::string_view text, std::string_view why);
    void NoteZero(std::string_view field, const Item& item);
    template <typename Number>
    Number Narrowed(const Item& item, std::string_view field,
                    FieldNumber<Number> (*fromText)(std::string_view, NumberText),
                    std::string_view why);

    ItemReader items_;
    ReadNotes* notes_;
    Fault fault_ = Fault::None;
    std::string faultDetail_;
};

}  // namespace kalverin
