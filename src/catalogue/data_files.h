#pragma once

// Readers and writers of the four catalogue files: Frames.txt, Modifications.txt, Classes.txt
// and MaxLevel.txt. They work on bytes; data_folder.h finds the files on disk. `label` names
// the file in messages, as "Data/Frames.txt".

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
