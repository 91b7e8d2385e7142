#include "check_data/check_data_model.h"

#include "catalogue/data_check.h"

namespace kalverin {

std::span<const Control<CheckDataModel>> CheckDataModel::Controls() {
    using M = CheckDataModel;
    using K = ControlKind;
    // "Close" is the window's own.
    static constexpr Control<M> kTable[] = {
        {"txtReport",
         "&Problems",
         K::ReadOnlyArea,
         &M::txtReport,
         {.columnSpan = 2, .grows = true}},
        {"cmdCheck",
         "Check &Again",
         K::Button,
         {},
         {.row = 1, .caption = CaptionAt::On},
         {.pressed = &M::CheckData}},
        {.name = "cmdClose",
         .caption = "Close",
         .kind = K::Button,
         .place = {.row = 1, .column = 1, .caption = CaptionAt::On}},
    };
    return kTable;
}

CheckDataModel::CheckDataModel(const DataInUse& data, FileStore& files)
    : data_(data), files_(files) {}

void CheckDataModel::CheckData() {
    txtReport.text.clear();
    for (const std::string& line :
         DataCheckReport(data_.folder(), CheckDataFolder(files_, data_.folder()))) {
        (txtReport.text += txtReport.text.empty() ? "" : "\n") += line;
    }
}

}  // namespace kalverin
