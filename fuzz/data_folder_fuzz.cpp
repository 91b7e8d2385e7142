// A whole Data folder from one input: its parts, split at form feeds, are Frames.txt,
// Modifications.txt, Classes.txt, MaxLevel.txt and Details.txt; a file whose part is missing is
// missing from the folder. The catalogue is loaded as the main window loads it, and each editor
// loads the folder, saves its first record as shown and reads what it saved whole again.

#include "catalogue/data_folder.h"
#include "frame_editor/frame_editor_model.h"
#include "fuzz_target.h"
#include "modification_editor/modification_editor_model.h"
#include "support/memory_files.h"
#include "support/recording_dialogs.h"

using namespace kalverin;
using fuzz::Require;

namespace {

const std::filesystem::path kProgramDir = "/kalverin";

void RequireWholeCatalogue(const DataCatalogue& catalogue) {
    const int frames = catalogue.intNumberofFrames;
    const int mods = catalogue.intNumberofMods;
    Require(frames >= 0 && frames <= kMaxFrames && mods >= 0 && mods <= kMaxModifications,
            "the counts are within the catalogue");
    Require(catalogue.frames.size() == static_cast<std::size_t>(frames),
            "the frame count is the number of frames");
    Require(catalogue.maxLevels.size() == static_cast<std::size_t>(mods),
            "a maximum-level row for every modification");
    Require(catalogue.modifications.size() >= static_cast<std::size_t>(mods),
            "a record for every modification the main window works with");
    Require(catalogue.classes.size() <= kMaxClasses, "no more classes than the catalogue holds");
    // The accessors take any index, the ones outside the tables included.
    for (int i = -1; i <= frames + 1; ++i) {
        catalogue.Frame(i);
    }
    for (int i = -1; i <= mods + 1; ++i) {
        catalogue.Modification(i);
        for (int column = -1; column <= kMaxFrames + 1; ++column) {
            Require(catalogue.MaxLevel(i, column) == 0 ||
                        (column >= 1 && column <= frames && i >= 1 && i <= mods),
                    "no level outside the table");
        }
    }
}

void RequireEditorsSaveWhatTheyRead(testing::MemoryFiles& files) {
    testing::RecordingDialogs dialogs;
    FrameEditorModel frames(kProgramDir, dialogs, files);
    frames.LoadFrameTable();
    const int count = frames.FrameCount();
    if (count > 0) {
        frames.cmbChooseFrame.text = frames.cmbChooseFrame.list.items().front();
        frames.ChooseEditedFrame();
        dialogs.messages.clear();
        frames.SaveAndReload();
        if (dialogs.messages == std::vector<std::string>{"All changes are saved."}) {
            Require(frames.FrameCount() == count, "a saved Frames.txt reads back whole");
        }
    }
    ModificationEditorModel mods(kProgramDir, dialogs, files);
    mods.Load();
    if (mods.intNumberofMods > 0) {
        mods.cmbChooseClass.text = "All";
        mods.ChooseClass();
        mods.ChooseModification(0);
        dialogs.messages.clear();
        mods.SaveChanges();
        if (dialogs.messages.empty()) {
            ModificationEditorModel again(kProgramDir, dialogs, files);
            again.Load();
            Require(again.intNumberofMods == mods.intNumberofMods,
                    "saved modification files read back whole");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest = fuzz::Bytes(data, size);
    testing::MemoryFiles files;
    for (std::string_view name :
         {kFramesFile, kModificationsFile, kClassesFile, kMaxLevelFile, kDetailsFile}) {
        const std::size_t end = name == kDetailsFile ? rest.npos : rest.find('\f');
        files.Write(DataFilePath(kProgramDir, name), rest.substr(0, end));
        if (end == rest.npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    auto catalogue = LoadCatalogue(files, kProgramDir);
    Require(catalogue || catalogue.error().starts_with("Data/"), "the message names a data file");
    if (catalogue) {
        RequireWholeCatalogue(catalogue.value());
    }
    RequireEditorsSaveWhatTheyRead(files);
    return 0;
}
