// A weapon file opened, saved and opened again. A save may lose what the file cannot hold (a
// text in a number box is written as its leading number, a design read only in part is written
// with its cleared boxes), so the property is on what the program wrote itself: such a file
// opens showing exactly the design it was saved from, and saving that writes the same bytes.

#include "weapon_design.h"

using kalverin::fuzz::Require;
using kalverin::fuzz::WeaponDesigner;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static WeaponDesigner designer;
    designer.Open(kalverin::fuzz::Bytes(data, size));
    const std::string written = designer.Save();
    const auto shown = WeaponDesigner::Shown(designer.Open(written));
    const std::string rewritten = designer.Save();
    Require(rewritten == written, "a saved design is saved again as the same bytes");
    Require(WeaponDesigner::Shown(designer.Open(rewritten)) == shown,
            "a saved design opens as it was shown");
    return 0;
}
