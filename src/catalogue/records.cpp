#include "catalogue/records.h"

namespace kalverin {

const FrameRecord& DataCatalogue::Frame(int index) const {
    static const FrameRecord blank;
    if (index < 1 || static_cast<std::size_t>(index) > frames.size()) {
        return blank;
    }
    return frames[static_cast<std::size_t>(index) - 1];
}

const ModificationRecord& DataCatalogue::Modification(int index) const {
    static const ModificationRecord blank;
    if (index < 1 || static_cast<std::size_t>(index) > modifications.size()) {
        return blank;
    }
    return modifications[static_cast<std::size_t>(index) - 1];
}

const std::string& DataCatalogue::Details(int index) const {
    static const std::string none;
    if (index < 1 || static_cast<std::size_t>(index) > details.size()) {
        return none;
    }
    return details[static_cast<std::size_t>(index) - 1];
}

std::int16_t DataCatalogue::FrameNamed(std::string_view name) const {
    std::int16_t found = 0;
    for (int i = 1; i <= intNumberofFrames; ++i) {
        if (Frame(i).Frame.Shows(name)) {
            found = static_cast<std::int16_t>(i);
        }
    }
    return found;
}

std::int16_t DataCatalogue::ModificationNamed(std::string_view name) const {
    const auto found = modificationNames_.find(name);
    return found == modificationNames_.end() ? std::int16_t{0} : found->second;
}

void DataCatalogue::IndexModificationNames() {
    modificationNames_.clear();
    for (int j = 1; j <= intNumberofMods; ++j) {
        modificationNames_.insert_or_assign(Modification(j).Modification.Shown(),
                                            static_cast<std::int16_t>(j));
    }
}

std::int16_t DataCatalogue::MaxLevel(int row, int column) const {
    if (row < 1 || static_cast<std::size_t>(row) > maxLevels.size() || column < 1 ||
        column > kMaxFrames) {
        return 0;
    }
    return maxLevels[static_cast<std::size_t>(row) - 1]
        .levels[static_cast<std::size_t>(column) - 1];
}

}  // namespace kalverin
