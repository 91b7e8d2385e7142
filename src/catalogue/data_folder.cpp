#include "catalogue/data_folder.h"

#include "catalogue/data_files.h"
#include "catalogue/details_file.h"

namespace kalverin {

std::filesystem::path DataFolder(const std::filesystem::path& programDir) {
    return programDir / "Data";
}

std::filesystem::path DataFilePath(const std::filesystem::path& programDir,
                                   std::string_view fileName) {
    return DataFolder(programDir) / fileName;
}

std::string DataFileLabel(std::string_view fileName) {
    return "Data/" + std::string(fileName);
}

Outcome<std::string> ReadDataFile(const FileStore& files, const std::filesystem::path& programDir,
                                  std::string_view fileName) {
    return ReadDataFileIn(files, DataFolder(programDir), fileName);
}

Outcome<std::string> ReadDataFileIn(const FileStore& files, const std::filesystem::path& folder,
                                    std::string_view fileName) {
    // Held while the file is read, so that no save is half way through it.
    auto lock = files.LockFolder(folder, FolderLock::Kind::Shared);
    auto bytes = files.Read(folder / fileName);
    if (!bytes) {
        return Outcome<std::string>::Failure(DataFileLabel(fileName) +
                                             " cannot be read: " + bytes.error() + ".");
    }
    if (bytes.value().starts_with("\xEF\xBB\xBF")) {
        return Outcome<std::string>::Failure(
            DataFileLabel(fileName) +
            " starts with a UTF-8 byte-order mark; save it as Windows-1252.");
    }
    return bytes;
}

Outcome<DataCatalogue> LoadCatalogue(const FileStore& files,
                                     const std::filesystem::path& programDir) {
    return LoadCatalogueFrom(files, DataFolder(programDir));
}

Outcome<DataCatalogue> LoadCatalogueFrom(const FileStore& files,
                                         const std::filesystem::path& folder) {
    using Result = Outcome<DataCatalogue>;
    auto lock = files.LockFolder(folder, FolderLock::Kind::Shared);
    auto readAs = [&files, &folder](std::string_view fileName, auto parse) {
        using Parsed = decltype(parse(std::string_view(), std::string_view()));
        auto bytes = ReadDataFileIn(files, folder, fileName);
        return bytes ? parse(bytes.value(), DataFileLabel(fileName))
                     : Parsed::Failure(bytes.error());
    };
    DataCatalogue catalogue;

    auto frames = readAs(kFramesFile, ReadFramesFile);
    if (!frames) {
        return Result::Failure(frames.error());
    }
    catalogue.frames = std::move(frames->frames);
    catalogue.intNumberofFrames = static_cast<std::int16_t>(catalogue.frames.size());

    auto mods = readAs(kModificationsFile, ReadModificationsFile);
    if (!mods) {
        return Result::Failure(mods.error());
    }
    catalogue.modifications = std::move(mods->records);

    auto classes = readAs(kClassesFile, ReadClassesFile);
    if (!classes) {
        return Result::Failure(classes.error());
    }
    catalogue.classes = std::move(classes.value());

    const int columns = catalogue.intNumberofFrames;
    auto levels = readAs(kMaxLevelFile, [columns](std::string_view bytes, std::string_view label) {
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
    // leaves them out and stops nothing.
    if (auto details = readAs(kDetailsFile, ReadDetailsFile)) {
        for (DetailRecord& row : details->rows) {
            catalogue.details.push_back(std::move(row.text));
        }
    }
    return catalogue;
}

}  // namespace kalverin
