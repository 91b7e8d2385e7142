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
    Require(catalogue.intNumberofFrames >= 0 && catalogue.intNumberofFrames <= kMaxFrames,
            "the frame count is within the catalogue");
    Require(catalogue.frames.size() == static_cast<std::size_t>(catalogue.intNumberofFrames),
            "the frame count is the number of frames");
    Require(catalogue.intNumberofMods >= 0 && catalogue.intNumberofMods <= kMaxModifications,
            "the modification count is within the catalogue");
    Require(catalogue.maxLevels.size() == static_cast<std::size_t>(catalogue.intNumberofMods),
            "a maximum-level row for every modification");
    Require(catalogue.modifications.size() >= static_cast<std::size_t>(catalogue.intNumberofMods),
            "a record for every modification the main window works with");
    Require(catalogue.classes.size() <= kMaxClasses, "no more classes than the catalogue holds");
    // The accessors take any index, the ones outside the tables included.
    for (int i = -1; i <= catalogue.intNumberofFrames + 1; ++i) {
        catalogue.Frame(i);
    }
    for (int i = -1; i <= catalogue.intNumberofMods + 1; ++i) {
        catalogue.Modification(i);
        for (int column = -1; column <= kMaxFrames + 1; ++column) {
            std::int16_t level = catalogue.MaxLevel(i, column);
            if (column < 1 || column > catalogue.intNumberofFrames || i < 1 ||
                i > catalogue.intNumberofMods) {
                Require(level == 0, "no level outside the table");
            }
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
    const std::string_view names[] = {kFramesFile, kModificationsFile, kClassesFile, kMaxLevelFile,
                                      kDetailsFile};
    std::string_view rest = fuzz::Bytes(data, size);
    testing::MemoryFiles files;
    bool more = true;
    for (std::size_t i = 0; i < std::size(names) && more; ++i) {
        std::size_t end = i + 1 < std::size(names) ? rest.find('\f') : std::string_view::npos;
        files.Write(DataFilePath(kProgramDir, names[i]), rest.substr(0, end));
        more = end != std::string_view::npos;
        if (more) {
            rest.remove_prefix(end + 1);
        }
    }
    auto catalogue = LoadCatalogue(files, kProgramDir);
    if (catalogue) {
        RequireWholeCatalogue(catalogue.value());
    } else {
        Require(catalogue.error().substr(0, 5) == "Data/", "the message names a data file");
    }
    RequireEditorsSaveWhatTheyRead(files);
    return 0;
}
