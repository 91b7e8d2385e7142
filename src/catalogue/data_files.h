#pragma once

// Readers and writers of the four catalogue files: Frames.txt, Modifications.txt, Classes.txt
// and MaxLevel.txt. They work on bytes; data_folder.h finds the files on disk. `label` names
// the file in messages, as "Data/Frames.txt".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/outcome.h"
#include "catalogue/records.h"

namespace kalverin {

Outcome<FramesFile> ReadFramesFile(std::string_view bytes, std::string_view label);
Outcome<ModificationsFile> ReadModificationsFile(std::string_view bytes, std::string_view label);
Outcome<std::vector<std::string>> ReadClassesFile(std::string_view bytes, std::string_view label);
// Reads `columns` levels per row: as many as Frames.txt has frames for the main window, always
// fourteen for the modification editor.
Outcome<MaxLevelFile> ReadMaxLevelFile(std::string_view bytes, std::string_view label, int columns);

// A row of MaxLevel.txt on a line of its own that does not hold a name and `columns` levels:
// its line, from 1, and how many items it holds.
struct LineOutOfStep {
    std::size_t line;
    std::size_t items;
};
// The first of the `count` rows that is out of step; nothing when every row holds its levels.
std::optional<LineOutOfStep> MaxLevelRowOutOfStep(std::string_view bytes, int count, int columns);

// The count line as read, then one line per frame. A count line that would read back as another
// number of frames is written as the number of frames instead.
std::string WriteFramesFile(const FramesFile& file);
// The count, then records 1 to count; a record the vector lacks is written empty.
std::string WriteModificationsFile(const ModificationsFile& file);
// The count, then per row its label and the fourteen levels the modification editor keeps.
std::string WriteMaxLevelFile(const MaxLevelFile& file);
// The same with `columns` levels per row: the main window reads as many as Frames.txt has frames.
std::string WriteMaxLevelFileWithColumns(const MaxLevelFile& file, int columns);

}  // namespace kalverin
