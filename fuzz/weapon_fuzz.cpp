// Any bytes opened as a weapon file; after a form feed, the steps of a short design made on what
// opened (see WeaponDesigner::Design); then the design saved and opened again.
//
// A save may lose what the file cannot hold (a text in a number box is written as its leading
// number, a design read only in part is written with its cleared boxes), and a leading number
// written in full shows in a single-precision box (FCU) to its seven digits only once it is
// opened. So the property is on a file written from what a saved file shows: it opens showing
// the same design, and saving that writes the same bytes.

#include "weapon_design.h"

using kalverin::fuzz::Require;
using kalverin::fuzz::WeaponDesigner;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static WeaponDesigner designer;
    const std::string_view input = kalverin::fuzz::Bytes(data, size);
    const std::size_t steps = input.find('\f');
    designer.Open(input.substr(0, steps));
    if (steps != std::string_view::npos) {
        designer.Design(input.substr(steps + 1));
    }
    const auto shown = WeaponDesigner::Shown(designer.Open(designer.Save()));
    const std::string written = designer.Save();
    Require(WeaponDesigner::Shown(designer.Open(written)) == shown,
            "a saved design opens as it was shown");
    Require(designer.Save() == written, "a saved design is saved again as the same bytes");
    return 0;
}
