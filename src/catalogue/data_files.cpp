#include "catalogue/data_files.h"

#include "catalogue/field_reader.h"
#include "catalogue/item_reader.h"
#include "catalogue/item_writer.h"
#include "catalogue/record_fields.h"
#include "catalogue/record_reader.h"

namespace kalverin {
Outcome<FramesFile> ReadFramesFile(std::string_view bytes, std::string_view label) {
    FieldReader reader(bytes);
    FramesFile file;
    std::int16_t count = reader.Count(&file.count);
    auto frames =
        ReadRecords<FrameRecord>(reader, count, kMaxFrames, label, {"frame", "frames"},
                                 [](FieldReader& in) { return ReadRecord(in, kFrameFields); });
    if (!frames) {
        return Outcome<FramesFile>::Failure(frames.error());
    }
    file.frames = std::move(frames.value());
    return file;
}

Outcome<ModificationsFile> ReadModificationsFile(std::string_view bytes, std::string_view label) {
    FieldReader reader(bytes);
    ModificationsFile file;
    file.count = reader.Count();
    auto records = ReadRecords<ModificationRecord>(
        reader, file.count, kMaxModifications, label, {"modification", "modifications"},
        [](FieldReader& in) { return ReadRecord(in, kModificationFields); });
    if (!records) {
        return Outcome<ModificationsFile>::Failure(records.error());
    }
    file.records = std::move(records.value());
    return file;
}

Outcome<std::vector<std::string>> ReadClassesFile(std::string_view bytes, std::string_view label) {
    FieldReader reader(bytes);
    std::int16_t count = reader.Count();
    return ReadRecords<std::string>(reader, count, kMaxClasses, label, {"class", "classes"},
                                    [](FieldReader& in) { return in.Text(); });
}

Outcome<MaxLevelFile> ReadMaxLevelFile(std::string_view bytes, std::string_view label,
                                       int columns) {
    FieldReader reader(bytes);
    MaxLevelFile file;
    file.count = reader.Count();
    int used = columns < 0 ? 0 : (columns > kMaxFrames ? kMaxFrames : columns);
    auto rows = ReadRecords<MaxLevelRow>(
        reader, file.count, kMaxModifications, label, {"row", "rows"}, [used](FieldReader& in) {
            MaxLevelRow row;
            row.label = in.Value();
            for (int j = 0; j < used; ++j) {
                row.levels[static_cast<std::size_t>(j)] = in.Whole("level");
            }
            return row;
        });
    if (!rows) {
        return Outcome<MaxLevelFile>::Failure(rows.error());
    }
    file.rows = std::move(rows.value());
    return file;
}

std::optional<LineOutOfStep> MaxLevelRowOutOfStep(std::string_view bytes, int count, int columns) {
    ItemReader items(bytes);
    // Line 1 is the count line, whatever it holds.
    for (int line = 1; line <= count + 1; ++line) {
        std::size_t held = 0;
        while (items.Next()) {
            ++held;
            if (items.LineEnded()) {
                break;
            }
        }
        if (line > 1 && held != static_cast<std::size_t>(columns) + 1) {
            return LineOutOfStep{static_cast<std::size_t>(line), held};
        }
    }
    return std::nullopt;
}

std::string WriteFramesFile(const FramesFile& file) {
    ItemWriter out;
    out.Value(file.count).EndLine();
    // The count line goes back as it was read, unless that would read back as another number of
    // frames: a text holding a double quote ends early, and a fraction may round to a half in
    // the general format. Then the line holds the number of frames written.
    FieldReader readBack(out.bytes());
    std::int16_t count = readBack.Count();
    if (!readBack.ok() || (count < 0 ? 0 : count) != static_cast<int>(file.frames.size())) {
        out = ItemWriter();
        out.Whole(static_cast<std::int16_t>(file.frames.size())).EndLine();
    }
    for (const FrameRecord& frame : file.frames) {
        WriteRecord(out, frame, kFrameFields);
    }
    return out.Take();
}

std::string WriteModificationsFile(const ModificationsFile& file) {
    ItemWriter out;
    out.Whole(file.count).EndLine();
    const ModificationRecord blank;
    for (int i = 0; i < file.count; ++i) {
        const ModificationRecord& m =
            static_cast<std::size_t>(i) < file.records.size() ? file.records[i] : blank;
        WriteRecord(out, m, kModificationFields);
    }
    return out.Take();
}

std::string WriteMaxLevelFile(const MaxLevelFile& file) {
    return WriteMaxLevelFileWithColumns(file, kEditorFrameColumns);
}

std::string WriteMaxLevelFileWithColumns(const MaxLevelFile& file, int columns) {
    ItemWriter out;
    out.Whole(file.count).EndLine();
    const MaxLevelRow blank;
    for (int i = 0; i < file.count; ++i) {
        const MaxLevelRow& row =
            static_cast<std::size_t>(i) < file.rows.size() ? file.rows[i] : blank;
        out.Value(row.label);
        for (int j = 0; j < columns && j < kMaxFrames; ++j) {
            out.Whole(row.levels[static_cast<std::size_t>(j)]);
        }
        out.EndLine();
    }
    return out.Take();
}

}  // namespace kalverin
