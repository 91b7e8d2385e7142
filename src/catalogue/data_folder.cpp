#include "catalogue/data_folder.h"

#include "catalogue/data_files.h"
#include "catalogue/details_file.h"

namespace kalverin {
namespace {

// How messages name the data folder.
constexpr std::string_view kDataLabel = "Data";

// A UTF-8 byte-order mark: the first item of a file that starts with one would be misread.
bool StartsWithByteOrderMark(const Outcome<std::string>& bytes) {
    return bytes && bytes.value().starts_with("\xEF\xBB\xBF");
}

}  // namespace

std::filesystem::path DataFolder(const std::filesystem::path& programDir) {
    return programDir / "Data";
}

GuardedFolder DataFilesAt(FileStore& files, const std::filesystem::path& folder) {
    return GuardedFolder(files, folder, std::string(kDataLabel));
}

std::filesystem::path DataFilePath(const std::filesystem::path& programDir,
                                   std::string_view fileName) {
    return DataFolder(programDir) / fileName;
}

std::string DataFileLabel(std::string_view fileName) {
    return std::string(kDataLabel) + "/" + std::string(fileName);
}

Outcome<std::string> ReadDataFile(const GuardedFolder::Reading& data, std::string_view fileName) {
    auto bytes = data.Read(fileName);
    if (!bytes) {
        return Outcome<std::string>::Failure(data.Label(fileName) +
                                             " cannot be read: " + bytes.error() + ".");
    }
    if (StartsWithByteOrderMark(bytes)) {
        return Outcome<std::string>::Failure(
            data.Label(fileName) +
            " starts with a UTF-8 byte-order mark; save it as Windows-1252.");
    }
    return bytes;
}

Outcome<DataCatalogue> LoadCatalogue(const GuardedFolder::Reading& data, std::string* notice) {
    using Result = Outcome<DataCatalogue>;
    DataCatalogue catalogue;

    auto frames = ReadDataFileAs(data, kFramesFile, ReadFramesFile);
    if (!frames) {
        return Result::Failure(frames.error());
    }
    catalogue.frames = std::move(frames->frames);
    catalogue.intNumberofFrames = static_cast<std::int16_t>(catalogue.frames.size());

    auto mods = ReadDataFileAs(data, kModificationsFile, ReadModificationsFile);
    if (!mods) {
        return Result::Failure(mods.error());
    }
    catalogue.modifications = std::move(mods->records);

    auto classes = ReadDataFileAs(data, kClassesFile, ReadClassesFile);
    if (!classes) {
        return Result::Failure(classes.error());
    }
    catalogue.classes = std::move(classes.value());

    const int columns = catalogue.intNumberofFrames;
    auto levels = ReadDataFileAs(data, kMaxLevelFile,
                                 [columns](std::string_view bytes, std::string_view label) {
                                     return ReadMaxLevelFile(bytes, label, columns);
                                 });
    if (!levels) {
        return Result::Failure(levels.error());
    }
    // From here on the main window works with the count of MaxLevel.txt; a modification that
    // Modifications.txt lacks is an empty record, as an unread table entry would be.
    catalogue.intNumberofMods = levels->count < 0 ? 0 : levels->count;
    catalogue.maxLevels = std::move(levels->rows);
    if (catalogue.modifications.size() < static_cast<std::size_t>(catalogue.intNumberofMods)) {
        catalogue.modifications.resize(static_cast<std::size_t>(catalogue.intNumberofMods));
    }
    catalogue.IndexModificationNames();
    // The descriptions only tell the user about an option: a Details.txt that cannot be read
    // leaves them out and stops nothing, though a byte-order mark, a fault the user can mend,
    // is still named.
    if (auto details = ReadDataFileAs(data, kDetailsFile, ReadDetailsFile)) {
        for (DetailRecord& row : details->rows) {
            catalogue.details.push_back(std::move(row.text));
        }
    } else if (notice && StartsWithByteOrderMark(data.Read(kDetailsFile))) {
        *notice = details.error();
    }
    return catalogue;
}

}  // namespace kalverin
