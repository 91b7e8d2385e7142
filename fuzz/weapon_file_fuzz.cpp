// Any bytes opened as a weapon file: the design stays within its limits.

#include "weapon_design.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static kalverin::fuzz::WeaponDesigner designer;
    designer.Open(kalverin::fuzz::Bytes(data, size));
    return 0;
}
