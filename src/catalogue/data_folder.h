#pragma once

// Where the data files live, and the load of the catalogue from them.

#include <filesystem>
#include <string>
#include <string_view>

#include "catalogue/file_store.h"
#include "catalogue/guarded_folder.h"
#include "catalogue/outcome.h"
#include "catalogue/records.h"

namespace kalverin {

inline constexpr std::string_view kFramesFile = "Frames.txt";
inline constexpr std::string_view kClassesFile = "Classes.txt";
inline constexpr std::string_view kModificationsFile = "Modifications.txt";
inline constexpr std::string_view kMaxLevelFile = "MaxLevel.txt";
inline constexpr std::string_view kDetailsFile = "Details.txt";
// The five files of a data folder.
inline constexpr std::string_view kDataFiles[] = {kFramesFile, kClassesFile, kModificationsFile,
                                                  kMaxLevelFile, kDetailsFile};

// The Data folder beside the program.
std::filesystem::path DataFolder(const std::filesystem::path& programDir);

// The data folder `folder`, named in messages as every window names the data folder.
GuardedFolder DataFilesAt(FileStore& files, const std::filesystem::path& folder);

std::filesystem::path DataFilePath(const std::filesystem::path& programDir,
                                   std::string_view fileName);

// How messages name a data file: "Data/Frames.txt".
std::string DataFileLabel(std::string_view fileName);

// The bytes of a data file, or a message naming it and saying why it cannot be read. A file
// that starts with a UTF-8 byte-order mark is refused: its first item would be misread.
Outcome<std::string> ReadDataFile(const GuardedFolder::Reading& data, std::string_view fileName);

// Reads a data file and hands its bytes and label to `parse`, one of the readers of
// data_files.h: ReadDataFileAs(data, kFramesFile, ReadFramesFile).
template <typename Parse>
auto ReadDataFileAs(const GuardedFolder::Reading& data, std::string_view fileName, Parse parse)
    -> decltype(parse(std::string_view(), std::string_view())) {
    using Result = decltype(parse(std::string_view(), std::string_view()));
    auto bytes = ReadDataFile(data, fileName);
    if (!bytes) {
        return Result::Failure(bytes.error());
    }
    return parse(bytes.value(), data.Label(fileName));
}

// Reads Frames.txt, Modifications.txt, Classes.txt and MaxLevel.txt, in this order, into a new
// catalogue. The first fault stops the load with a message that names the file. The options'
// descriptions come from Details.txt when it can be read; one that starts with a byte-order mark
// is named in `notice`, as a fault the user can mend, and stops nothing either.
Outcome<DataCatalogue> LoadCatalogue(const GuardedFolder::Reading& data,
                                     std::string* notice = nullptr);

}  // namespace kalverin
