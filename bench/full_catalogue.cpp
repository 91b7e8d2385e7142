#include "full_catalogue.h"

#include <stdexcept>
#include <string_view>
#include <vector>

#include "catalogue/data_files.h"
#include "catalogue/data_folder.h"
#include "catalogue/details_file.h"
#include "catalogue/item_writer.h"
#include "support/temp_folder.h"

namespace kalverin::bench {
namespace {

constexpr int kMaxLevelOfEveryOption = 3;
constexpr const char* kMounts[] = {"Barrel", "Top", "Large", "Small"};

// The bundled data set's names in one of its files, in file order.
template <typename Read, typename Name>
std::vector<std::string> BundledNames(std::string_view fileName, Read read, Name name) {
    const std::string bytes = testing::ReadFileBytes(testing::BundledData() / fileName);
    auto file = read(bytes, fileName);
    if (!file) {
        throw std::runtime_error(file.error());
    }
    return name(file.value());
}

// Name `index` (from 1) of `names`: the names in turn, then again with " 2" after them, and so on.
std::string Nth(const std::vector<std::string>& names, int index) {
    const auto count = static_cast<int>(names.size());
    const std::string& name = names[static_cast<std::size_t>((index - 1) % count)];
    const int round = (index - 1) / count;
    if (round == 0) {
        return name;
    }
    std::string numbered = name;
    numbered += ' ';
    numbered += std::to_string(round + 1);
    return numbered;
}

FramesFile Frames(int count) {
    FramesFile file{ItemValue::Number(count), {}};
    for (int i = 1; i <= count; ++i) {
        FrameRecord frame;
        frame.Frame = ItemValue::Text(FrameName(i));
        frame.Power = ItemValue::Number(2 + i % 5);
        frame.Damage = ItemValue::Text("L");
        frame.Mode = ItemValue::Text("SA");
        frame.Concealability = ItemValue::Number(6 - i % 9);
        frame.Weight = ItemValue::Number(0.5 + 0.25 * i);
        frame.AmmoCapacity = ItemValue::Number(6 + i);
        frame.AmmoLoad = "Clip";
        frame.Mount1 = ItemValue::Text(kMounts[0]);
        frame.Mount2 = ItemValue::Text(kMounts[1]);
        frame.Mount3 = kMounts[2];
        frame.FCU = 6.5F;
        frame.DPV = static_cast<std::int16_t>(100 + 20 * i);
        frame.FrameNumber = static_cast<std::int16_t>(i);
        file.frames.push_back(frame);
    }
    return file;
}

// The first three options take the three mounts every frame offers; the rest need none, but
// for every fourth, which takes the Small mount no frame has and so is never installed.
ModificationRecord Option(int i) {
    ModificationRecord mod;
    mod.ModType = ItemValue::Text(ClassName(2 + (i - 1) % (kFullClasses - 1)));
    mod.Modification = ItemValue::Text(OptionName(i));
    mod.Power = ItemValue::Number(i % 3 == 0 ? 1 : 0);
    mod.Damage = std::string(i % 7 == 0 ? "U" : (i % 11 == 0 ? "D" : ""));
    mod.Concealability = ItemValue::Number(-(i % 2));
    mod.Weight = ItemValue::Number(0.1 * (i % 4));
    mod.AmmoCapacity = static_cast<std::int16_t>(i % 5 == 0 ? 2 : 0);
    mod.AmmoLoad = ItemValue::Text(i % 13 == 0 ? "Belt" : "");
    mod.FCU = ItemValue::Number(i % 2 == 0 ? -0.1 : 0);
    mod.DPV = static_cast<std::int16_t>(10 + i);
    const char* mount = i <= 3 ? kMounts[i - 1] : (i % 4 == 0 ? kMounts[3] : "");
    mod.Mount1 = ItemValue::Text(mount);
    mod.Mount2 = ItemValue::Text("");
    mod.Recoil = i % 6 == 0 ? 0.5F : 0.0F;
    mod.Mode = ItemValue::Text(i % 17 == 0 ? "SA/BF" : "");
    mod.MarkUp = i % 9 == 0 ? 0.25F : 0.0F;
    return mod;
}

void WriteData(const std::filesystem::path& programDir, std::string_view fileName,
               const std::string& bytes) {
    if (auto written = DiskFiles().Write(DataFilePath(programDir, fileName), bytes); !written) {
        throw std::runtime_error(DataFileLabel(fileName) +
                                 " could not be written: " + written.error());
    }
}

}  // namespace

std::string FrameName(int index) {
    static const std::vector<std::string> names =
        BundledNames(kFramesFile, ReadFramesFile, [](const FramesFile& file) {
            std::vector<std::string> frames;
            for (const FrameRecord& frame : file.frames) {
                frames.push_back(frame.Frame.Shown());
            }
            return frames;
        });
    return Nth(names, index);
}

std::string OptionName(int index) {
    static const std::vector<std::string> names =
        BundledNames(kModificationsFile, ReadModificationsFile, [](const ModificationsFile& file) {
            std::vector<std::string> options;
            for (const ModificationRecord& mod : file.records) {
                options.push_back(mod.Modification.Shown());
            }
            return options;
        });
    return Nth(names, index);
}

std::string ClassName(int index) {
    // "All" first, as in every Classes.txt; the others after it.
    static const std::vector<std::string> others =
        BundledNames(kClassesFile, ReadClassesFile, [](std::vector<std::string> classes) {
            std::erase(classes, "All");
            return classes;
        });
    return index == 1 ? "All" : Nth(others, index - 1);
}

void WriteFullCatalogue(const std::filesystem::path& programDir, int frames, int modifications) {
    std::filesystem::create_directories(DataFilePath(programDir, "").parent_path());

    ItemWriter classes;
    classes.Whole(kFullClasses).EndLine();
    for (int i = 1; i <= kFullClasses; ++i) {
        classes.Text(ClassName(i)).EndLine();
    }

    const auto count = static_cast<std::int16_t>(modifications);
    ModificationsFile mods{count, {}};
    MaxLevelFile levels{count, {}};
    DetailsFile details{count, {}};
    for (int i = 1; i <= modifications; ++i) {
        mods.records.push_back(Option(i));
        MaxLevelRow row{ItemValue::Text(OptionName(i)), {}};
        row.levels.fill(kMaxLevelOfEveryOption);
        levels.rows.push_back(row);
        details.rows.push_back(
            {ItemValue::Text(OptionName(i)),
             "What " + OptionName(i) + " does to a weapon, and on which frames it is allowed."});
    }

    WriteData(programDir, kFramesFile, WriteFramesFile(Frames(frames)));
    WriteData(programDir, kClassesFile, classes.Take());
    WriteData(programDir, kModificationsFile, WriteModificationsFile(mods));
    WriteData(programDir, kMaxLevelFile, WriteMaxLevelFileWithColumns(levels, frames));
    WriteData(programDir, kDetailsFile, WriteDetailsFile(details));
}

}  // namespace kalverin::bench
