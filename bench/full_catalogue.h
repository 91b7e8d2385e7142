#pragma once

// A Data folder at the catalogue's full capacity, written with the catalogue's own writers, for
// the benchmarks to load, design on and save.

#include <filesystem>
#include <string>

namespace kalverin::bench {

// The classes are "All" and fourteen more, each holding every fourteenth option.
inline constexpr int kFullClasses = 15;

// Writes Frames.txt, Classes.txt, Modifications.txt, MaxLevel.txt and Details.txt under
// programDir/Data: `frames` frames (MaxLevel.txt gets one column for each), 150 modifications in
// 15 classes, and 150 rows of levels and of details. Every option reaches level 3 on every
// frame, and frame 1 takes twenty of them without running out of mounts or FCU.
void WriteFullCatalogue(const std::filesystem::path& programDir, int frames);

// The name of frame `index` and of option `index`, from 1, as the folder holds them.
std::string FrameName(int index);
std::string OptionName(int index);

}  // namespace kalverin::bench
