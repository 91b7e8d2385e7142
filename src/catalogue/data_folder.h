#pragma once

// Where the data files live: the folder Data beside the program.

#include <filesystem>
#include <string>
#include <string_view>

#include "catalogue/file_store.h"
#include "catalogue/outcome.h"
#include "catalogue/records.h"

namespace kalverin {

inline constexpr std::string_view kFramesFile = "Frames.txt";
inline constexpr std::string_view kClassesFile = "Classes.txt";
inline constexpr std::string_view kModificationsFile = "Modifications.txt";
inline constexpr std::string_view kMaxLevelFile = "MaxLevel.txt";
inline constexpr std::string_view kDetailsFile = "Details.txt";

// The Data folder beside the program: the one the program reads its data from.
std::filesystem::path DataFolder(const std::filesystem::path& programDir);

std::filesystem::path DataFilePath(const std::filesystem::path& programDir,
                                   std::string_view fileName);

// How messages name a data file: "Data/Frames.txt".
std::string DataFileLabel(std::string_view fileName);

// The bytes of a data file, or a message naming it and saying why it cannot be read. A file
// that starts with a UTF-8 byte-order mark is refused: its first item would be misread.
Outcome<std::string> ReadDataFile(const FileStore& files, const std::filesystem::path& programDir,
                                  std::string_view fileName);
// The same for a file of the data folder `folder`.
Outcome<std::string> ReadDataFileIn(const FileStore& files, const std::filesystem::path& folder,
                                    std::string_view fileName);

// Reads a data file and hands its bytes and label to `parse`, one of the readers of
// data_files.h: ReadDataFileAs(files, dir, kFramesFile, ReadFramesFile).
template <typename Parse>
auto ReadDataFileAs(const FileStore& files, const std::filesystem::path& programDir,
                    std::string_view fileName, Parse parse)
    -> decltype(parse(std::string_view(), std::string_view())) {
    using Result = decltype(parse(std::string_view(), std::string_view()));
    auto bytes = ReadDataFile(files, programDir, fileName);
    if (!bytes) {
        return Result::Failure(bytes.error());
    }
    return parse(bytes.value(), DataFileLabel(fileName));
}

// Reads Frames.txt, Modifications.txt, Classes.txt and MaxLevel.txt, in this order, into a new
// catalogue, holding the folder's shared lock so that no save changes the set half way. The
// first fault stops the load with a message that names the file. The options' descriptions come
// from Details.txt when it can be read.
Outcome<DataCatalogue> LoadCatalogue(const FileStore& files,
                                     const std::filesystem::path& programDir);
// The same from the data folder `folder`.
Outcome<DataCatalogue> LoadCatalogueFrom(const FileStore& files,
                                         const std::filesystem::path& folder);

}  // namespace kalverin
