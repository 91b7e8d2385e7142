#include "modification_editor/modification_editor_model.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/conversions.h"
#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "catalogue/item_reader.h"
#include "catalogue/replace_files.h"

namespace kalverin {
namespace {

constexpr const char* kChooseClassPrompt = "Choose Class";
constexpr const char* kAllClasses = "All";

// Column j of MaxLevel.txt belongs to the frame whose FrameNumber is j; these are those frames.
constexpr std::array<const char*, kEditorFrameColumns> kFrameCaptions = {
    "Hold Out Pistol", "Light Pistol", "Heavy Pistol",   "Machine Pistol", "Sub Machinegun",
    "Shotgun",         "Taser",        "Sporting Rifle", "Assault Rifle",  "Sniper Rifle",
    "Light MG",        "Medium MG",    "Heavy MG",       "Assault Cannon",
};

constexpr const char* kOutOfRange = "is outside -32768 to 32767.";

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

// A text goes into the files between double quotes, so it cannot hold one, nor a line break.
bool FitsBetweenQuotes(std::string_view text) {
    return text.find_first_of("\"\r\n") == std::string_view::npos;
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// The leading number of a box rounded to a whole number: "2.5 rounds" gives 2.
Outcome<std::int16_t> LeadingWhole(std::string_view caption, const TextBox& box) {
    if (auto whole = RoundWhole(LeadingNumber(box.text))) {
        return *whole;
    }
    return Outcome<std::int16_t>::Failure(std::string(caption) + " " + Quoted(box.text) + " " +
                                          kOutOfRange);
}

Outcome<float> LeadingSingle(std::string_view caption, const TextBox& box) {
    if (auto single = NarrowToSingle(LeadingNumber(box.text))) {
        return *single;
    }
    return Outcome<float>::Failure(std::string(caption) + " " + Quoted(box.text) +
                                   " is too large.");
}

// A level box holds a number and nothing else; its value is rounded to a whole number.
Outcome<std::int16_t> LevelNumber(std::string_view frame, const TextBox& box) {
    std::string level = "The " + std::string(frame) + " level";
    if (IsBlank(box.text)) {
        return Outcome<std::int16_t>::Failure(
            level + " is empty; every Maximum Level by Frame box needs a number.");
    }
    auto number = ParseNumber(box.text);
    if (!number) {
        return Outcome<std::int16_t>::Failure(level + " " + Quoted(box.text) + " is not a number.");
    }
    if (auto whole = RoundWhole(*number)) {
        return *whole;
    }
    return Outcome<std::int16_t>::Failure(level + " " + Quoted(box.text) + " " + kOutOfRange);
}

FileReplacement Replacement(const std::filesystem::path& programDir, std::string_view fileName,
                            std::string bytes, const std::string& loaded) {
    return {DataFilePath(programDir, fileName), DataFileLabel(fileName), std::move(bytes), loaded};
}

// A count below zero lists nothing.
std::int16_t CountOf(std::int16_t count) {
    return std::max<std::int16_t>(count, 0);
}

// Puts the records read from a file into a table indexed from 1.
template <typename Table, typename Records>
void FillFromOne(Table& table, const Records& records) {
    std::copy(records.begin(), records.end(), table.begin() + 1);
}

// Entries 1 to count of a table indexed from 1, as the file writers take them.
template <typename Table>
auto FirstEntries(const Table& table, std::int16_t count) {
    return std::vector<typename Table::value_type>(table.begin() + 1, table.begin() + 1 + count);
}

}  // namespace

ModificationEditorModel::ModificationEditorModel(std::filesystem::path programDir,
                                                 UserDialogs& dialogs, FileStore& files)
    : programDir_(std::move(programDir)), dialogs_(dialogs), files_(files) {
    cmbChooseClass.text = kChooseClassPrompt;
}

TextBox& ModificationEditorModel::Text(int column) {
    return levelBoxes_.at(static_cast<std::size_t>(column) - 1);
}

const TextBox& ModificationEditorModel::Text(int column) const {
    return levelBoxes_.at(static_cast<std::size_t>(column) - 1);
}

const char* ModificationEditorModel::FrameCaption(int column) {
    return kFrameCaptions.at(static_cast<std::size_t>(column) - 1);
}

void ModificationEditorModel::Load() {
    Empty();
    if (auto recovered = RecoverInterruptedSave(files_, DataFolder(programDir_))) {
        dialogs_.ShowMessage(*recovered);
    }
    if (!LoadModifications() || !LoadClasses() || !LoadMaxLevels() || !LoadDetails()) {
        // Half a data set must not be saved over the whole one.
        Empty();
        return;
    }
    loaded_ = true;
    ReportDifferentCounts();
    ReportFrameCount();
}

template <typename Parse>
auto ModificationEditorModel::ReadFile(std::string_view fileName, Parse parse) {
    using Result = decltype(parse(std::string_view(), std::string_view()));
    auto bytes = ReadDataFile(files_, programDir_, fileName);
    auto file =
        bytes ? parse(bytes.value(), DataFileLabel(fileName)) : Result::Failure(bytes.error());
    if (!file) {
        dialogs_.ShowMessage(file.error());
    } else {
        loadedBytes_[std::string(fileName)] = std::move(bytes.value());
    }
    return file;
}

bool ModificationEditorModel::LoadModifications() {
    auto file = ReadFile(kModificationsFile, ReadModificationsFile);
    if (!file) {
        return false;
    }
    intNumberofMods = CountOf(file->count);
    modificationsCount_ = intNumberofMods;
    FillFromOne(modifications, file->records);
    return true;
}

bool ModificationEditorModel::LoadClasses() {
    auto names = ReadFile(kClassesFile, ReadClassesFile);
    if (!names) {
        return false;
    }
    FillFromOne(classes, names.value());
    for (const std::string& name : names.value()) {
        cmbChooseClass.list.Add(name);
    }
    return true;
}

bool ModificationEditorModel::LoadMaxLevels() {
    auto file = ReadFile(kMaxLevelFile, [](std::string_view bytes, std::string_view label) {
        return ReadMaxLevelFile(bytes, label, kEditorFrameColumns);
    });
    if (!file) {
        return false;
    }
    intNumberofMods = CountOf(file->count);
    FillFromOne(maxLevels, file->rows);
    return true;
}

bool ModificationEditorModel::LoadDetails() {
    auto file = ReadFile(kDetailsFile, ReadDetailsFile);
    if (!file) {
        return false;
    }
    detailsCount_ = CountOf(file->count);
    FillFromOne(details, file->rows);
    return true;
}

void ModificationEditorModel::ReportDifferentCounts() {
    if (modificationsCount_ == intNumberofMods && detailsCount_ == intNumberofMods) {
        return;
    }
    // A short Details.txt only lacks texts, which a save writes empty; any other difference
    // means rows may be paired wrongly or lost.
    const bool misread = modificationsCount_ != intNumberofMods || detailsCount_ > intNumberofMods;
    misread_ = misread_ || misread;
    const std::string count = std::to_string(intNumberofMods);
    const std::string saving =
        misread ? "it saves nothing until they agree, as it could pair their rows wrongly."
                : "Save Changes writes " + count + " rows to each of the three files.";
    dialogs_.ShowMessage("The data files disagree on the number of modifications: " +
                         DataFileLabel(kModificationsFile) + " lists " +
                         std::to_string(modificationsCount_) + ", " + DataFileLabel(kMaxLevelFile) +
                         " " + count + " and " + DataFileLabel(kDetailsFile) + " " +
                         std::to_string(detailsCount_) + ". This window works with the " + count +
                         " of " + DataFileLabel(kMaxLevelFile) + ", and " + saving);
}

void ModificationEditorModel::ReportFrameCount() {
    // The editor does not need Frames.txt; when it cannot be read the main window says so.
    auto frames = ReadDataFileAs(files_, programDir_, kFramesFile, ReadFramesFile);
    if (!frames || frames->frames.size() == kEditorFrameColumns) {
        return;
    }
    misread_ = true;
    const std::string count = std::to_string(frames->frames.size());
    dialogs_.ShowMessage(DataFileLabel(kFramesFile) + " holds " + count +
                         " frames, but this window keeps the maximum levels of " +
                         std::to_string(kEditorFrameColumns) +
                         " frames, in the order of its level captions. The main window reads " +
                         count + " levels from each row of " + DataFileLabel(kMaxLevelFile) +
                         ", so the two read the levels differently until " +
                         DataFileLabel(kFramesFile) + " holds " +
                         std::to_string(kEditorFrameColumns) +
                         " frames again. Until then this window saves nothing.");
}

void ModificationEditorModel::Empty() {
    modifications.fill(ModificationRecord{});
    classes.fill(std::string());
    maxLevels.fill(MaxLevelRow{});
    details.fill(DetailRecord{});
    intNumberofMods = 0;
    modificationsCount_ = 0;
    detailsCount_ = 0;
    CMN = 0;
    strChooseMod.clear();
    cmbChooseClass.list.Clear();
    cmbChooseClass.text = kChooseClassPrompt;
    lstChooseMod.Clear();
    ClearFields();
    loaded_ = false;
    misread_ = false;
    loadedBytes_.clear();
}

void ModificationEditorModel::ChooseClass(std::string name) {
    cmbChooseClass.text = std::move(name);
    ClearFields();
    ListModifications();
}

void ModificationEditorModel::ChooseModification(int row) {
    lstChooseMod.Select(row);
    SelectModification();
}

void ModificationEditorModel::ListModifications() {
    lstChooseMod.Clear();
    const std::string& chosen = cmbChooseClass.text;
    for (int i = 1; i <= intNumberofMods; ++i) {
        const ModificationRecord& m = modifications[static_cast<std::size_t>(i)];
        if (m.ModType.Shown() == chosen || chosen == kAllClasses) {
            lstChooseMod.Add(m.Modification.Shown());
        }
    }
}

void ModificationEditorModel::SelectModification() {
    if (lstChooseMod.selected() < 0) {
        return;
    }
    strChooseMod = lstChooseMod.SelectedText();
    // No early stop: among equal names the last one becomes current.
    for (int i = 1; i <= intNumberofMods; ++i) {
        if (modifications[static_cast<std::size_t>(i)].Modification.Shown() == strChooseMod) {
            CMN = static_cast<std::int16_t>(i);
        }
    }
    if (CMN < 1) {
        return;
    }
    ShowModification();
    ShowMaxLevels();
    boxesShowCurrent_ = true;
}

void ModificationEditorModel::ShowModification() {
    if (CMN < 1 || CMN > intNumberofMods) {
        return;
    }
    const ModificationRecord& m = modifications[static_cast<std::size_t>(CMN)];
    txtModType.text = m.ModType.Shown();
    txtModification.text = m.Modification.Shown();
    txtPower.text = m.Power.Shown();
    txtDamage.text = m.Damage;
    txtConceal.text = m.Concealability.Shown();
    txtWeight.text = m.Weight.Shown();
    txtCapacity.text = FormatWhole(m.AmmoCapacity);
    txtLoad.text = m.AmmoLoad.Shown();
    txtFCU.text = m.FCU.Shown();
    txtDPV.text = FormatWhole(m.DPV);
    txtMount1.text = m.Mount1.Shown();
    txtMount2.text = m.Mount2.Shown();
    txtMount3.text = m.Mount3;
    txtRecoil.text = FormatGeneral(m.Recoil);
    txtMode.text = m.Mode.Shown();
    txtMarkup.text = FormatGeneral(m.MarkUp);
    txtDetails.text = details[static_cast<std::size_t>(CMN)].text;
}

void ModificationEditorModel::ShowMaxLevels() {
    if (CMN < 1 || CMN > intNumberofMods) {
        return;
    }
    const MaxLevelRow& row = maxLevels[static_cast<std::size_t>(CMN)];
    for (int j = 1; j <= kEditorFrameColumns; ++j) {
        Text(j).text = FormatWhole(row.levels[static_cast<std::size_t>(j) - 1]);
    }
}

void ModificationEditorModel::ClearFields() {
    for (TextBox* box : {&txtModType, &txtModification, &txtPower, &txtDamage, &txtConceal,
                         &txtWeight, &txtCapacity, &txtLoad, &txtFCU, &txtDPV, &txtMount1,
                         &txtMount2, &txtMount3, &txtRecoil, &txtMode, &txtMarkup, &txtDetails}) {
        box->text.clear();
    }
    for (TextBox& box : levelBoxes_) {
        box.text.clear();
    }
    boxesShowCurrent_ = false;
}

Outcome<ModificationEditorModel::EditedModification> ModificationEditorModel::TakeBoxes() const {
    using Result = Outcome<EditedModification>;
    auto refuse = [](std::string why) { return Result::Failure(why + " Nothing was saved."); };
    if (!loaded_) {
        return refuse(
            "The modification data could not be read when this window opened. Close the window, "
            "correct the data files and open it again.");
    }
    if (misread_) {
        return refuse(
            "This window may have misread the data files, as it said when it opened. Correct "
            "them, then close the window and open it again.");
    }
    if (CMN < 1 || CMN > intNumberofMods) {
        return refuse("No modification is chosen: choose one in the Options list first.");
    }
    if (!boxesShowCurrent_) {
        return refuse(
            "The boxes were emptied when a class was chosen: choose a modification in the "
            "Options list first.");
    }
    const std::pair<const char*, const TextBox*> texts[] = {
        {"Mod Type", &txtModType},
        {"Modification", &txtModification},
        {"Damage", &txtDamage},
        {"Mode", &txtMode},
        {"Ammo Load", &txtLoad},
        {"Mount 1", &txtMount1},
        {"Mount 2", &txtMount2},
        {"Mount 3", &txtMount3},
        {"Modification Details", &txtDetails},
    };
    for (const auto& [caption, box] : texts) {
        if (!FitsBetweenQuotes(box->text)) {
            return refuse(std::string(caption) +
                          " holds a double quote or a line break, which the data files cannot "
                          "hold.");
        }
        if (box->text.size() > kMaxItemBytes) {
            return refuse(std::string(caption) + " holds more than " +
                          std::to_string(kMaxItemBytes) +
                          " characters, more than the data files keep.");
        }
    }

    const auto current = static_cast<std::size_t>(CMN);
    EditedModification edited{modifications[current], maxLevels[current], details[current]};
    ModificationRecord& m = edited.record;
    auto capacity = LeadingWhole("Ammo Capacity", txtCapacity);
    auto dpv = LeadingWhole("DPV", txtDPV);
    auto recoil = LeadingSingle("Recoil", txtRecoil);
    auto markUp = LeadingSingle("Mark-Up", txtMarkup);
    if (!capacity) {
        return refuse(capacity.error());
    }
    if (!dpv) {
        return refuse(dpv.error());
    }
    if (!recoil) {
        return refuse(recoil.error());
    }
    if (!markUp) {
        return refuse(markUp.error());
    }
    m.ModType = ItemValue::Text(txtModType.text);
    m.Modification = ItemValue::Text(txtModification.text);
    m.Power = ItemValue::Number(LeadingNumber(txtPower.text));
    m.Damage = txtDamage.text;
    m.Mode = ItemValue::Text(txtMode.text);
    m.Concealability = ItemValue::Number(LeadingNumber(txtConceal.text));
    m.Weight = ItemValue::Number(LeadingNumber(txtWeight.text));
    m.AmmoCapacity = capacity.value();
    m.AmmoLoad = ItemValue::Text(txtLoad.text);
    m.Recoil = recoil.value();
    m.FCU = ItemValue::Number(LeadingNumber(txtFCU.text));
    m.DPV = dpv.value();
    m.Mount1 = ItemValue::Text(txtMount1.text);
    m.Mount2 = ItemValue::Text(txtMount2.text);
    m.Mount3 = txtMount3.text;
    m.MarkUp = markUp.value();
    edited.detail.text = txtDetails.text;

    // MaxLevel.txt names its row after the modification; Details.txt keeps the label it had.
    edited.levels.label = ItemValue::Text(txtModification.text);
    for (int j = 1; j <= kEditorFrameColumns; ++j) {
        auto level = LevelNumber(FrameCaption(j), Text(j));
        if (!level) {
            return refuse(level.error());
        }
        edited.levels.levels[static_cast<std::size_t>(j) - 1] = level.value();
    }
    return edited;
}

void ModificationEditorModel::SaveChanges() {
    auto edited = TakeBoxes();
    if (!edited) {
        dialogs_.ShowMessage(edited.error());
        return;
    }
    const auto current = static_cast<std::size_t>(CMN);
    ModificationsFile modsFile{intNumberofMods, FirstEntries(modifications, intNumberofMods)};
    modsFile.records[current - 1] = edited->record;
    MaxLevelFile levelsFile{intNumberofMods, FirstEntries(maxLevels, intNumberofMods)};
    levelsFile.rows[current - 1] = edited->levels;
    DetailsFile detailsFile{intNumberofMods, FirstEntries(details, intNumberofMods)};
    detailsFile.rows[current - 1] = edited->detail;

    // As one set: if one cannot be written, those already rewritten get their old bytes back,
    // so the three files never disagree; and none is written over a change made since they
    // were read.
    const std::vector<FileReplacement> replacements = {
        Replacement(programDir_, kModificationsFile, WriteModificationsFile(modsFile),
                    loadedBytes_[std::string(kModificationsFile)]),
        Replacement(programDir_, kMaxLevelFile, WriteMaxLevelFile(levelsFile),
                    loadedBytes_[std::string(kMaxLevelFile)]),
        Replacement(programDir_, kDetailsFile, WriteDetailsFile(detailsFile),
                    loadedBytes_[std::string(kDetailsFile)]),
    };
    if (auto failure = ReplaceFiles(files_, replacements)) {
        dialogs_.ShowMessage(*failure);
        return;
    }
    for (const FileReplacement& file : replacements) {
        loadedBytes_[file.path.filename().string()] = file.bytes;
    }
    modifications[current] = edited->record;
    maxLevels[current] = edited->levels;
    details[current] = edited->detail;
    ListModifications();
}

}  // namespace kalverin
