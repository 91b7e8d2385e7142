#include "modification_editor/modification_editor_model.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/conversions.h"
#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "catalogue/data_rules.h"
#include "catalogue/item_reader.h"

namespace kalverin {
namespace {

constexpr const char* kChooseClassPrompt = "Choose Class";

// Column j of MaxLevel.txt belongs to the frame whose FrameNumber is j; these are those frames.
constexpr std::array<const char*, kEditorFrameColumns> kFrameCaptions = {
    "Hold Out Pistol", "Light Pistol", "Heavy Pistol",   "Machine Pistol", "Sub Machinegun",
    "Shotgun",         "Taser",        "Sporting Rifle", "Assault Rifle",  "Sniper Rifle",
    "Light MG",        "Medium MG",    "Heavy MG",       "Assault Cannon",
};

constexpr std::array<std::string_view, kEditorFrameColumns> kLevelBoxNames = {
    "Text1", "Text2", "Text3",  "Text4",  "Text5",  "Text6",  "Text7",
    "Text8", "Text9", "Text10", "Text11", "Text12", "Text13", "Text14",
};

constexpr const char* kOutOfRange = "is outside -32768 to 32767.";

using M = ModificationEditorModel;

// A box of the editor and the field of the current modification it shows.
struct ModificationBox {
    std::string_view name;
    std::string_view caption;  // with '&' before its access key
    TextBox M::*box;
    FieldMember<ModificationRecord> field;
    // A field held as read whose box is saved as its leading number rather than as its text.
    bool number;
    Place place;
};

constexpr std::string_view kDetailsCaption = "Modification Deta&ils";
constexpr std::int16_t kStatWidth = 120;
constexpr std::int16_t kLevelWidth = 48;

constexpr Place Left(std::int8_t row) {
    return {.row = row, .columnSpan = 2};
}
constexpr Place Mount(std::int8_t row) {
    return {.row = row, .caption = CaptionAt::Beside};
}
constexpr Place Middle(std::int8_t row) {
    return {.pane = 1, .row = row, .caption = CaptionAt::Beside, .width = kStatWidth};
}

// In the order the keyboard focus takes them; the fourteen level boxes come after DPV and the
// Mark-Up after the save button.
constexpr ModificationBox kBoxes[] = {
    {"txtModType", "Mod &Type", &M::txtModType, &ModificationRecord::ModType, false, Left(2)},
    {"txtModification", "&Modification", &M::txtModification, &ModificationRecord::Modification,
     false, Left(3)},
    {"txtMount1", "Mount &1", &M::txtMount1, &ModificationRecord::Mount1, false, Mount(4)},
    {"txtMount2", "Mount &2", &M::txtMount2, &ModificationRecord::Mount2, false, Mount(5)},
    {"txtMount3", "Mount &3", &M::txtMount3, &ModificationRecord::Mount3, false, Mount(6)},
    {"txtPower", "&Power", &M::txtPower, &ModificationRecord::Power, true, Middle(1)},
    {"txtDamage", "&Damage", &M::txtDamage, &ModificationRecord::Damage, false, Middle(2)},
    {"txtMode", "Mod&e", &M::txtMode, &ModificationRecord::Mode, false, Middle(3)},
    {"txtConceal", "Co&ncealability", &M::txtConceal, &ModificationRecord::Concealability, true,
     Middle(4)},
    {"txtCapacity", "&Ammo Capacity", &M::txtCapacity, &ModificationRecord::AmmoCapacity, false,
     Middle(5)},
    {"txtLoad", "Ammo &Load", &M::txtLoad, &ModificationRecord::AmmoLoad, false, Middle(6)},
    {"txtWeight", "&Weight", &M::txtWeight, &ModificationRecord::Weight, true, Middle(7)},
    {"txtRecoil", "&Recoil", &M::txtRecoil, &ModificationRecord::Recoil, false, Middle(8)},
    {"txtFCU", "FC&U", &M::txtFCU, &ModificationRecord::FCU, true, Middle(9)},
    {"txtDPV", "DP&V", &M::txtDPV, &ModificationRecord::DPV, false, Middle(10)},
    {"txtMarkup", "Mar&k-Up", &M::txtMarkup, &ModificationRecord::MarkUp, false, Middle(11)},
};

std::string Quoted(std::string_view text) {
    std::string quoted(1, '"');
    return (quoted += text) += '"';
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// A level box holds a number and nothing else; its value is rounded to a whole number.
Outcome<std::int16_t> LevelNumber(std::string_view frame, const TextBox& box) {
    std::string level = "The " + std::string(frame) + " level";
    if (IsBlank(box.text)) {
        return Outcome<std::int16_t>::Failure(
            level + " is empty; every Maximum Level by Frame box needs a number.");
    }
    const FieldNumber<std::int16_t> number = WholeFromText(box.text, NumberText::Whole);
    if (number.fault == NumberFault::None) {
        return number.value;
    }
    return Outcome<std::int16_t>::Failure(
        level + " " + Quoted(box.text) + " " +
        (number.fault == NumberFault::NoNumber ? "is not a number." : kOutOfRange));
}

// A count below zero lists nothing.
std::int16_t CountOf(std::int16_t count) {
    return std::max<std::int16_t>(count, 0);
}

}  // namespace

std::span<const Control<M>> ModificationEditorModel::Controls() {
    static const std::vector<Control<M>> table = [] {
        std::vector<Control<M>> t;
        auto box = [&t](const ModificationBox& b) {
            t.push_back({b.name, b.caption, ControlKind::Box, b.box, b.place});
        };
        std::for_each(std::begin(kBoxes), std::end(kBoxes) - 1, box);
        // The levels in two columns of seven, each beside its frame's caption.
        constexpr int kHalf = kEditorFrameColumns / 2;
        for (int j = 1; j <= kEditorFrameColumns; ++j) {
            t.push_back({kLevelBoxNames[static_cast<std::size_t>(j) - 1],
                         kFrameCaptions[static_cast<std::size_t>(j) - 1],
                         ControlKind::Box,
                         IndexedBox<M>{&M::Text, j},
                         {.pane = 2,
                          .row = static_cast<std::int8_t>(2 + (j - 1) % kHalf),
                          .column = static_cast<std::int8_t>(j <= kHalf ? 0 : 2),
                          .caption = CaptionAt::Beside,
                          .width = kLevelWidth}});
        }
        t.insert(t.end(), {
                              {"cmbChooseClass",
                               "Option &Classes",
                               ControlKind::Chooser,
                               &M::cmbChooseClass,
                               Left(0),
                               {.picked = &M::ChooseClass}},
                              {"lstChooseMod",
                               "&Options",
                               ControlKind::List,
                               &M::lstChooseMod,
                               {.row = 1, .columnSpan = 2, .grows = true},
                               {.clicked = &M::ChooseModification}},
                              {"cmdSave",
                               "&Save Changes",
                               ControlKind::Button,
                               {},
                               {.pane = 1, .columnSpan = 2, .caption = CaptionAt::On},
                               {.pressed = &M::SaveChanges}},
                          });
        box(kBoxes[std::size(kBoxes) - 1]);
        t.insert(t.end(), {
                              {"txtDetails",
                               kDetailsCaption,
                               ControlKind::TextArea,
                               &M::txtDetails,
                               {.pane = 2, .columnSpan = 4, .grows = true}},
                              {"lblLevels",
                               "Maximum Level &by Frame",
                               ControlKind::Heading,
                               {},
                               {.pane = 2, .row = 1, .columnSpan = 4, .caption = CaptionAt::On}},
                              {"mnuFile", "&File", ControlKind::Menu},
                              {.name = "mnuSave",
                               .caption = "&Save",
                               .kind = ControlKind::MenuEntry,
                               .on = {.pressed = &M::SaveChanges}},
                              {"mnuExit", "E&xit", ControlKind::MenuEntry},
                          });
        return t;
    }();
    return table;
}

ModificationEditorModel::ModificationEditorModel(DataInUse& data, UserDialogs& dialogs)
    : dialogs_(dialogs), data_(data) {
    cmbChooseClass.text = kChooseClassPrompt;
}

TextBox& ModificationEditorModel::Text(int column) {
    return levelBoxes_.at(static_cast<std::size_t>(column) - 1);
}

const TextBox& ModificationEditorModel::Text(int column) const {
    return levelBoxes_.at(static_cast<std::size_t>(column) - 1);
}

const ModificationRecord& ModificationEditorModel::Modification(int index) const {
    return modifications_.at(static_cast<std::size_t>(index) - 1);
}

const char* ModificationEditorModel::FrameCaption(int column) {
    return kFrameCaptions.at(static_cast<std::size_t>(column) - 1);
}

void ModificationEditorModel::Load() {
    Empty();
    // One lock for all the files, so that none is read from another save than the rest.
    const auto data = data_.StartReading();
    if (!data.notice().empty()) {
        dialogs_.ShowMessage(data.notice());
    }
    if (!LoadModifications(data) || !LoadClasses(data) || !LoadMaxLevels(data) ||
        !LoadDetails(data)) {
        // Half a data set must not be saved over the whole one.
        Empty();
        return;
    }
    // The rows the count of MaxLevel.txt names, each table as long as the others.
    const auto rows = static_cast<std::size_t>(intNumberofMods);
    modifications_.resize(rows);
    maxLevels_.resize(rows);
    details_.resize(rows);
    loaded_ = true;
    ReportDifferentCounts();
    ReportFrameCount(data);
}

template <typename Parse>
auto ModificationEditorModel::ReadFile(const GuardedFolder::Reading& data,
                                       std::string_view fileName, Parse parse) {
    using Result = decltype(parse(std::string_view(), std::string_view()));
    auto bytes = ReadDataFile(data, fileName);
    auto file =
        bytes ? parse(bytes.value(), DataFileLabel(fileName)) : Result::Failure(bytes.error());
    if (!file) {
        dialogs_.ShowMessage(file.error());
    } else {
        loadedBytes_[std::string(fileName)] = std::move(bytes.value());
    }
    return file;
}

bool ModificationEditorModel::LoadModifications(const GuardedFolder::Reading& data) {
    auto file = ReadFile(data, kModificationsFile, ReadModificationsFile);
    if (!file) {
        return false;
    }
    intNumberofMods = CountOf(file->count);
    modificationsCount_ = intNumberofMods;
    modifications_ = std::move(file->records);
    return true;
}

bool ModificationEditorModel::LoadClasses(const GuardedFolder::Reading& data) {
    auto names = ReadFile(data, kClassesFile, ReadClassesFile);
    if (!names) {
        return false;
    }
    for (const std::string& name : names.value()) {
        cmbChooseClass.list.Add(name);
    }
    return true;
}

bool ModificationEditorModel::LoadMaxLevels(const GuardedFolder::Reading& data) {
    auto file = ReadFile(data, kMaxLevelFile, [](std::string_view bytes, std::string_view label) {
        return ReadMaxLevelFile(bytes, label, kEditorFrameColumns);
    });
    if (!file) {
        return false;
    }
    intNumberofMods = CountOf(file->count);
    maxLevels_ = std::move(file->rows);
    return true;
}

bool ModificationEditorModel::LoadDetails(const GuardedFolder::Reading& data) {
    auto file = ReadFile(data, kDetailsFile, ReadDetailsFile);
    if (!file) {
        return false;
    }
    detailsCount_ = CountOf(file->count);
    details_ = std::move(file->rows);
    return true;
}

void ModificationEditorModel::ReportDifferentCounts() {
    const ModificationCounts counts{modificationsCount_, intNumberofMods, detailsCount_};
    if (counts.Agree()) {
        return;
    }
    const bool misread = counts.Misread();
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

void ModificationEditorModel::ReportFrameCount(const GuardedFolder::Reading& data) {
    // The levels of a row are as many as Frames.txt has frames: without the frames, the editor
    // cannot tell whether it read them in the right columns.
    auto frames = ReadDataFileAs(data, kFramesFile, ReadFramesFile);
    if (!frames) {
        misread_ = true;
        dialogs_.ShowMessage(
            frames.error() + " Without the frames this window cannot tell whether each row of " +
            DataFileLabel(kMaxLevelFile) + " holds " + std::to_string(kEditorFrameColumns) +
            " levels, so it saves nothing until " + DataFileLabel(kFramesFile) + " can be read.");
        return;
    }
    if (LevelColumnsAgree(frames->frames.size())) {
        const auto row = MaxLevelRowOutOfStep(loadedBytes_[std::string(kMaxLevelFile)],
                                              intNumberofMods, kEditorFrameColumns);
        if (row) {
            misread_ = true;
            dialogs_.ShowMessage(DataFileLabel(kMaxLevelFile) + ", line " +
                                 std::to_string(row->line) + ": " + std::to_string(row->items) +
                                 " items, where this window reads a name and " +
                                 std::to_string(kEditorFrameColumns) +
                                 " levels, one for each frame. It may have misread the file, so "
                                 "it saves nothing until every row holds those.");
        }
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
    modifications_.clear();
    maxLevels_.clear();
    details_.clear();
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

void ModificationEditorModel::ChooseClass() {
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
    for (const ModificationRecord& m : modifications_) {
        if (ListedUnder(m, chosen)) {
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
        if (Modification(i).Modification.Shows(strChooseMod)) {
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
    for (const ModificationBox& box : kBoxes) {
        (this->*box.box).text = ShownField(Modification(CMN), box.field);
    }
    txtDetails.text = details_.at(static_cast<std::size_t>(CMN) - 1).text;
}

void ModificationEditorModel::ShowMaxLevels() {
    if (CMN < 1 || CMN > intNumberofMods) {
        return;
    }
    const MaxLevelRow& row = maxLevels_.at(static_cast<std::size_t>(CMN) - 1);
    for (int j = 1; j <= kEditorFrameColumns; ++j) {
        Text(j).text = FormatWhole(row.levels[static_cast<std::size_t>(j) - 1]);
    }
}

void ModificationEditorModel::ClearFields() {
    for (const ModificationBox& box : kBoxes) {
        (this->*box.box).text.clear();
    }
    txtDetails.text.clear();
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
    // Texts are checked first, so that no number is converted from boxes that cannot be saved.
    auto storable = [](std::string_view caption, const TextBox& box) -> Outcome<void> {
        if (!FitsBetweenQuotes(box.text)) {
            return Outcome<void>::Failure(
                ShownCaption(caption) +
                " holds a double quote or a line break, which the data files cannot hold.");
        }
        if (box.text.size() > kMaxItemBytes) {
            return Outcome<void>::Failure(ShownCaption(caption) + " holds more than " +
                                          std::to_string(kMaxItemBytes) +
                                          " characters, more than the data files keep.");
        }
        return {};
    };
    for (const ModificationBox& box : kBoxes) {
        if (IsTextField(box.field) && !box.number) {
            if (auto fits = storable(box.caption, this->*box.box); !fits) {
                return refuse(fits.error());
            }
        }
    }
    if (auto fits = storable(kDetailsCaption, txtDetails); !fits) {
        return refuse(fits.error());
    }

    const auto current = static_cast<std::size_t>(CMN) - 1;
    EditedModification edited{modifications_[current], maxLevels_[current], details_[current]};
    ModificationRecord& m = edited.record;
    for (const ModificationBox& box : kBoxes) {
        // A leading number never fails for want of one: a number the field cannot hold is the
        // one failure, and its message names the box.
        const std::string& text = (this->*box.box).text;
        if (FieldFromText(m, box.field, text, NumberText::Leading, box.number) !=
            NumberFault::None) {
            const bool single = std::holds_alternative<float ModificationRecord::*>(box.field);
            return refuse(ShownCaption(box.caption) + " " + Quoted(text) + " " +
                          (single ? "is too large." : kOutOfRange));
        }
    }
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
    const auto current = static_cast<std::size_t>(CMN) - 1;
    ModificationsFile modsFile{intNumberofMods, modifications_};
    modsFile.records[current] = edited->record;
    MaxLevelFile levelsFile{intNumberofMods, maxLevels_};
    levelsFile.rows[current] = edited->levels;
    DetailsFile detailsFile{intNumberofMods, details_};
    detailsFile.rows[current] = edited->detail;

    // As one set: if one cannot be written, those already rewritten get their old bytes back,
    // so the three files never disagree; and none is written over a change made since they
    // were read.
    const std::vector<FileReplacement> replacements = {
        data_.Replacing(kModificationsFile, WriteModificationsFile(modsFile),
                        loadedBytes_[std::string(kModificationsFile)]),
        data_.Replacing(kMaxLevelFile, WriteMaxLevelFile(levelsFile),
                        loadedBytes_[std::string(kMaxLevelFile)]),
        data_.Replacing(kDetailsFile, WriteDetailsFile(detailsFile),
                        loadedBytes_[std::string(kDetailsFile)]),
    };
    if (auto saved = data_.Save(replacements); !saved) {
        dialogs_.ShowMessage(saved.error());
        return;
    }
    for (const FileReplacement& file : replacements) {
        loadedBytes_[file.path.filename().string()] = file.bytes;
    }
    modifications_[current] = std::move(modsFile.records[current]);
    maxLevels_[current] = std::move(levelsFile.rows[current]);
    details_[current] = std::move(detailsFile.rows[current]);
    ListModifications();
}

}  // namespace kalverin
