// A Data folder from one input split at form feeds: each item read as a value and a number, each
// file read, written and read back whole and exact, then loaded by the windows and resaved.

#include "catalogue/conversions.h"
#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "catalogue/details_file.h"
#include "catalogue/item_reader.h"
#include "catalogue/item_value.h"
#include "frame_editor/frame_editor_model.h"
#include "fuzz_target.h"
#include "modification_editor/modification_editor_model.h"
#include "support/memory_files.h"
#include "support/recording_dialogs.h"

using namespace kalverin;
using fuzz::Require;

namespace {

const std::filesystem::path kProgramDir = "/kalverin";

void RequireItems(std::string_view bytes) {
    ItemReader reader(bytes);
    std::size_t items = 0, textBytes = 0;
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
            const std::string shown = FormatGeneral(*number);
            const auto again = ParseNumber(shown);
            Require(again && FormatGeneral(*again) == shown,
                    "the general format of a number is a number, and is stable");
        }
    }
    Require(textBytes <= bytes.size(), "items hold only bytes of the input");
    Require(!reader.Next(), "an ended reader stays ended");
}

// What was read, or nothing once the message is seen to name the file.
template <typename File>
const File* ValueOrNamedFailure(const Outcome<File>& read, const std::string& label) {
    Require(read || read.error().starts_with(label), "the message begins with the file's name");
    return read ? &read.value() : nullptr;
}

// `check` holds the reader's properties for what it read, and gives its number of records.
template <typename Read, typename Write, typename Check>
void RequireRoundTrip(std::string_view bytes, const std::string& label, Read read, Write write,
                      Check check) {
    auto first = read(bytes, label);
    if (!ValueOrNamedFailure(first, label)) {
        return;
    }
    auto second = read(write(first.value()), label);
    Require(second && check(second.value()) == check(first.value()),
            "what the writer wrote reads back with every record");
    auto third = read(write(second.value()), label);
    Require(third && third.value() == second.value(),
            "a written file reads back as the records written");
}

// Records within the catalogue's capacity, as many as the count says where the file keeps one.
std::size_t RequireCounted(std::size_t records, std::size_t capacity, int count = -2) {
    Require(records <= capacity, "no more records than the catalogue holds");
    Require(count == -2 || records == static_cast<std::size_t>(count < 0 ? 0 : count),
            "as many records as the count says");
    return records;
}

std::size_t RequireRows(const MaxLevelFile& file, int columns) {
    for (const MaxLevelRow& row : file.rows) {
        for (int column = columns < 0 ? 0 : columns; column < kMaxFrames; ++column) {
            Require(row.levels[static_cast<std::size_t>(column)] == 0,
                    "a column that was not read holds no level");
        }
    }
    return RequireCounted(file.rows.size(), kMaxModifications, file.count);
}

void RequireFileRoundTrip(std::string_view file, std::string_view bytes) {
    const std::string label = DataFileLabel(file);
    if (file == kFramesFile) {
        RequireRoundTrip(bytes, label, ReadFramesFile, WriteFramesFile, [](const FramesFile& read) {
            for (const FrameRecord& frame : read.frames) {
                Require(frame.Recoil == 0, "every frame starts without recoil");
            }
            return RequireCounted(read.frames.size(), kMaxFrames);
        });
    } else if (file == kModificationsFile) {
        RequireRoundTrip(bytes, label, ReadModificationsFile, WriteModificationsFile, [](auto& r) {
            return RequireCounted(r.records.size(), kMaxModifications, r.count);
        });
    } else if (file == kDetailsFile) {
        RequireRoundTrip(bytes, label, ReadDetailsFile, WriteDetailsFile,
                         [](auto& r) { return RequireCounted(r.rows.size(), kMaxModifications); });
    } else if (file == kMaxLevelFile) {
        auto readRows = [](std::string_view in, const std::string& named) {
            return ReadMaxLevelFile(in, named, kEditorFrameColumns);
        };
        RequireRoundTrip(bytes, label, readRows, WriteMaxLevelFile,
                         [](auto& r) { return RequireRows(r, kEditorFrameColumns); });
        const int columns = static_cast<int>(bytes.size() % (kMaxFrames + 3)) - 1;
        const auto read = ReadMaxLevelFile(bytes, label, columns);
        if (const MaxLevelFile* rows = ValueOrNamedFailure(read, label)) {
            RequireRows(*rows, columns);
        }
    }
}

void RequireWholeCatalogue(const DataCatalogue& catalogue) {
    const int frames = catalogue.intNumberofFrames, mods = catalogue.intNumberofMods;
    // The tables' sizes, which the files' own checks keep within the catalogue.
    Require(catalogue.frames.size() == static_cast<std::size_t>(frames) &&
                catalogue.maxLevels.size() == static_cast<std::size_t>(mods) &&
                catalogue.modifications.size() >= static_cast<std::size_t>(mods),
            "the counts are a frame, a maximum-level row and a record each");
    Require(catalogue.classes.size() <= kMaxClasses, "no more classes than the catalogue holds");
    // The accessors take any index, the ones outside the tables included.
    for (int i = -1; i <= frames + 1; ++i) {
        catalogue.Frame(i);
    }
    for (int i = -1; i <= mods + 1; ++i) {
        catalogue.Modification(i);
        for (int column = -1; column <= kMaxFrames + 1; ++column) {
            Require(catalogue.MaxLevel(i, column) == 0 ||
                        (column >= 1 && column <= frames && i >= 1 && i <= mods),
                    "no level outside the table");
        }
    }
}

void RequireEditorsSaveWhatTheyRead(testing::MemoryFiles& files) {
    testing::RecordingDialogs dialogs;
    DataInUse data(files, {.given = DataFolder(kProgramDir)});
    FrameEditorModel frames(data, dialogs);
    frames.LoadFrameTable();
    const int count = frames.FrameCount();
    if (count > 0) {
        frames.cmbChooseFrame.text = frames.cmbChooseFrame.list.items().front();
        frames.ChooseEditedFrame();
        dialogs.messages.clear();
        frames.SaveAndReload();
        if (dialogs.messages == std::vector<std::string>{"All changes are saved."}) {
            Require(frames.FrameCount() == count, "a saved Frames.txt reads back whole");
        }
    }
    ModificationEditorModel mods(data, dialogs);
    mods.Load();
    if (mods.intNumberofMods > 0) {
        mods.cmbChooseClass.text = "All";
        mods.ChooseClass();
        mods.ChooseModification(0);
        dialogs.messages.clear();
        mods.SaveChanges();
        if (dialogs.messages.empty()) {
            ModificationEditorModel again(data, dialogs);
            again.Load();
            Require(again.intNumberofMods == mods.intNumberofMods,
                    "saved modification files read back whole");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest = std::string_view(reinterpret_cast<const char*>(data), size);
    RequireItems(rest);
    testing::MemoryFiles files;
    for (std::string_view name :
         {kFramesFile, kModificationsFile, kClassesFile, kMaxLevelFile, kDetailsFile}) {
        const std::size_t end = name == kDetailsFile ? rest.npos : rest.find('\f');
        files.Write(DataFilePath(kProgramDir, name), rest.substr(0, end));
        RequireFileRoundTrip(name, rest.substr(0, end));
        if (end == rest.npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    auto catalogue = LoadCatalogue(DataFilesAt(files, DataFolder(kProgramDir)).StartReading());
    Require(catalogue || catalogue.error().starts_with("Data/"), "the message names a data file");
    if (catalogue) {
        RequireWholeCatalogue(catalogue.value());
    }
    RequireEditorsSaveWhatTheyRead(files);
    return 0;
}
