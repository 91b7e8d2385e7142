#include "catalogue/data_files.h"

#include "catalogue/field_reader.h"
#include "catalogue/item_writer.h"
#include "catalogue/record_reader.h"

namespace kalverin {
namespace {

FrameRecord ReadFrame(FieldReader& in) {
    FrameRecord f;
    f.Frame = in.Value();
    f.Power = in.Value();
    f.Damage = in.Value();
    f.Mode = in.Value();
    f.Concealability = in.Value();
    f.Weight = in.Value();
    f.AmmoCapacity = in.Value();
    f.AmmoLoad = in.Text();
    f.Mount1 = in.Value();
    f.Mount2 = in.Value();
    f.Mount3 = in.Text();
    f.FCU = in.Single("FCU");
    f.DPV = in.Whole("DPV");
    f.FrameNumber = in.Whole("frame number");
    f.Recoil = 0;
    return f;
}

ModificationRecord ReadModification(FieldReader& in) {
    ModificationRecord m;
    m.ModType = in.Value();
    m.Modification = in.Value();
    m.Power = in.Value();
    m.Damage = in.Text();
    m.Concealability = in.Value();
    m.Weight = in.Value();
    m.AmmoCapacity = in.Whole("Ammo Capacity");
    m.AmmoLoad = in.Value();
    m.FCU = in.Value();
    m.DPV = in.Whole("DPV");
    m.Mount1 = in.Value();
    m.Mount2 = in.Value();
    m.Mount3 = in.Text();
    m.Recoil = in.Single("Recoil");
    m.Mode = in.Value();
    m.MarkUp = in.Single("Mark-Up");
    return m;
}

}  // namespace

Outcome<FramesFile> ReadFramesFile(std::string_view bytes, std::string_view label) {
    FieldReader reader(bytes);
    FramesFile file;
    std::int16_t count = reader.Count(&file.count);
    auto frames =
        ReadRecords<FrameRecord>(reader, count, kMaxFrames, label, {"frame", "frames"}, ReadFrame);
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
    auto records =
        ReadRecords<ModificationRecord>(reader, file.count, kMaxModifications, label,
                                        {"modification", "modifications"}, ReadModification);
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
    for (const FrameRecord& f : file.frames) {
        out.Value(f.Frame)
            .Value(f.Power)
            .Value(f.Damage)
            .Value(f.Mode)
            .Value(f.Concealability)
            .Value(f.Weight)
            .Value(f.AmmoCapacity)
            .Text(f.AmmoLoad)
            .Value(f.Mount1)
            .Value(f.Mount2)
            .Text(f.Mount3)
            .Single(f.FCU)
            .Whole(f.DPV)
            .Whole(f.FrameNumber)
            .EndLine();
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
        out.Value(m.ModType)
            .Value(m.Modification)
            .Value(m.Power)
            .Text(m.Damage)
            .Value(m.Concealability)
            .Value(m.Weight)
            .Whole(m.AmmoCapacity)
            .Value(m.AmmoLoad)
            .Value(m.FCU)
            .Whole(m.DPV)
            .Value(m.Mount1)
            .Value(m.Mount2)
            .Text(m.Mount3)
            .Single(m.Recoil)
            .Value(m.Mode)
            .Single(m.MarkUp)
            .EndLine();
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
