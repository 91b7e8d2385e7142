#include "catalogue/data_place.h"

#include <algorithm>
#include <ctime>
#include <utility>

#include "catalogue/data_folder.h"

namespace kalverin {
namespace {

bool HoldsData(const FileStore& files, const std::filesystem::path& folder) {
    return std::any_of(std::begin(kDataFiles), std::end(kDataFiles), [&](std::string_view name) {
        return files.Kind(folder / name) != PathKind::None;
    });
}

}  // namespace

DataChoice ChooseDataFolder(FileStore& files, const DataPlaces& places) {
    if (!places.given.empty()) {
        return {DataSource::Given, places.given};
    }
    if (files.CanWrite(places.beside)) {
        return {DataSource::Beside, places.beside};
    }
    DataChoice shipped{DataSource::Shipped, places.beside};
    if (places.user.empty()) {
        return shipped;
    }
    if (files.Kind(places.user / kJournalName) != PathKind::None) {
        shipped.notice = DataFilesAt(files, places.user).StartReading().notice();
    }
    if (!HoldsData(files, places.user)) {
        return shipped;
    }
    return {DataSource::UserCopy, places.user, std::move(shipped.notice)};
}

std::string TodaysDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char date[16];
    return {date, std::strftime(date, sizeof date, "%Y-%m-%d", &local)};
}

DataInUse::DataInUse(FileStore& files, DataPlaces places, std::function<std::string()> today)
    : files_(files),
      places_(std::move(places)),
      today_(std::move(today)),
      choice_(ChooseDataFolder(files_, places_)),
      folder_(DataFilesAt(files_, choice_.folder)) {}

GuardedFolder::Reading DataInUse::StartReading() {
    GuardedFolder::Reading reading = folder_.StartReading();
    if (!choice_.notice.empty()) {
        reading.notice_ = std::exchange(choice_.notice, {}) +
                          (reading.notice_.empty() ? "" : "\n\n" + reading.notice_);
    }
    return reading;
}

void DataInUse::Use(DataSource source, const std::filesystem::path& folder) {
    choice_.source = source;
    choice_.folder = folder;
    folder_ = DataFilesAt(files_, folder);
}

Outcome<void> DataInUse::Save(const std::vector<FileReplacement>& replacements) {
    if (choice_.source != DataSource::Shipped || places_.user.empty()) {
        return folder_.Save(replacements);
    }
    const GuardedFolder user = DataFilesAt(files_, places_.user);
    std::vector<FileReplacement> copy;
    {
        const GuardedFolder::Reading shipped = folder_.StartReading();
        for (std::string_view name : kDataFiles) {
            const auto changed = std::find_if(
                replacements.begin(), replacements.end(),
                [name](const FileReplacement& r) { return r.path.filename() == name; });
            auto bytes = shipped.Read(name);
            if (changed != replacements.end()) {
                if (changed->loaded && (!bytes || bytes.value() != *changed->loaded)) {
                    return Outcome<void>::Failure(
                        changed->label +
                        " changed since this window read it: close the window and open it "
                        "again to edit the new data. Nothing was saved.");
                }
                copy.push_back(user.Replacing(name, changed->bytes));
            } else if (bytes) {
                copy.push_back(user.Replacing(name, std::move(bytes.value())));
            } else if (files_.Kind(folder_.folder() / name) != PathKind::None) {
                return Outcome<void>::Failure(
                    shipped.Label(name) + " cannot be copied into your own data folder, " +
                    places_.user.string() + ": " + bytes.error() + ". Nothing was saved.");
            }
        }
    }
    // Made by another Kalverin since this one read the shipped data: never written over.
    if (HoldsData(files_, places_.user)) {
        Use(DataSource::UserCopy, places_.user);
        return Outcome<void>::Failure(
            "Your own copy of the rules data, " + places_.user.string() +
            ", was made since this window read the data: close the window and open it again to "
            "edit it. Nothing was saved.");
    }
    if (auto made = files_.CreateFolder(places_.user); !made) {
        return Outcome<void>::Failure("Your own data folder, " + places_.user.string() +
                                      ", could not be made: " + made.error() +
                                      ". Nothing was saved.");
    }
    if (auto saved = user.Save(copy); !saved) {
        return saved;
    }
    Use(DataSource::UserCopy, places_.user);
    return {};
}

std::filesystem::path DataInUse::BackupFolder() const {
    const std::string date = today_();
    std::filesystem::path backup = places_.user;
    backup += "-" + date;
    for (int n = 2; files_.Kind(backup) != PathKind::None; ++n) {
        backup = places_.user;
        backup += "-" + date + "-" + std::to_string(n);
    }
    return backup;
}

Outcome<std::filesystem::path> DataInUse::UseShippedData() {
    using Result = Outcome<std::filesystem::path>;
    const std::filesystem::path backup = BackupFolder();
    {
        // Not in the middle of another program's save there.
        auto lock = files_.LockFolder(places_.user, FolderLock::Kind::Exclusive);
        auto moved =
            lock ? files_.Rename(places_.user, backup) : Outcome<void>::Failure(lock.error());
        if (!moved) {
            return Result::Failure("Your own copy of the rules data, " + places_.user.string() +
                                   ", could not be moved to " + backup.string() + ": " +
                                   moved.error() + ". Kalverin still reads it.");
        }
    }
    // Should the move not last through a power cut, the next start finds the copy where it was
    // and reads it: nothing is lost.
    files_.SyncFolder(places_.user.parent_path());
    Use(DataSource::Shipped, places_.beside);
    return backup;
}

}  // namespace kalverin
