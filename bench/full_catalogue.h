#pragma once

// A Data folder at the catalogue's full capacity, written with the catalogue's own writers, for
// the benchmarks to load, design on and save.

#include <filesystem>
#include <string>

#include "catalogue/records.h"

namespace kalverin::bench {

// The classes are "All" and fourteen more; the options are spread over the fourteen in turn.
inline constexpr int kFullClasses = 15;

// Writes Frames.txt, Classes.txt, Modifications.txt, MaxLevel.txt and Details.txt under
// programDir/Data: `frames` frames (MaxLevel.txt gets one column for each), `modifications`
// modifications in 15 classes, and as many rows of levels and of details. Every option reaches
// level 3 on every frame, and frame 1 takes twenty of them without running out of mounts or FCU.
void WriteFullCatalogue(const std::filesystem::path& programDir, int frames,
                        int modifications = kMaxModifications);

// The name of frame, option and class `index`, from 1, as the folder holds them. They are the
// bundled data set's names, so that they are as long as users' names are (most of them too long
// for a string's own buffer); past the bundled ones they come round again with a number.
std::string FrameName(int index);
std::string OptionName(int index);
std::string ClassName(int index);

}  // namespace kalverin::bench
