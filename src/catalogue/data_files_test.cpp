#include "catalogue/data_files.h"

#include <gtest/gtest.h>

#include "catalogue/data_folder.h"
#include "test_support/temp_folder.h"

namespace kalverin {
namespace {

using testing::BundledData;
using testing::ReadFileBytes;

const char kTwoFrames[] =
    "2\r\n"
    "\"Light Pistol\",2,\"L\",\"SA\",-2,0.8,12,\"Magazine\",\"Top\",,\"\",3.5,150,2\r\n"
    "\"Heavy Pistol\",\"4\",\"M\",\"SA\",-1,1.2,6,\"Cylinder\",\"Barrel\",\"Top\",\"None\",4,300,"
    "3\r\n";

TEST(FramesFileTest, ReadsEveryFieldInItsKind) {
    auto file = ReadFramesFile(kTwoFrames, "Data/Frames.txt");
    ASSERT_TRUE(file) << file.error();
    ASSERT_EQ(file->frames.size(), 2U);
    const FrameRecord& light = file->frames[0];
    EXPECT_EQ(light.Frame.Shown(), "Light Pistol");
    EXPECT_EQ(light.Power.kind(), ItemValue::Kind::Number);
    EXPECT_EQ(light.Weight.Shown(), "0.8");
    EXPECT_EQ(light.AmmoLoad, "Magazine");
    EXPECT_EQ(light.Mount2.kind(), ItemValue::Kind::Empty);
    EXPECT_EQ(light.FCU, 3.5F);
    EXPECT_EQ(light.DPV, 150);
    EXPECT_EQ(light.FrameNumber, 2);
    EXPECT_EQ(light.Recoil, 0);
    EXPECT_EQ(file->frames[1].Power.kind(), ItemValue::Kind::Text);
    EXPECT_EQ(file->frames[1].Mount3, "None");
}

TEST(FramesFileTest, WritesBackTheBytesItRead) {
    auto file = ReadFramesFile(kTwoFrames, "Data/Frames.txt");
    ASSERT_TRUE(file);
    EXPECT_EQ(WriteFramesFile(file.value()), kTwoFrames);
}

TEST(FramesFileTest, ACountLineThatWouldReadBackAsAnotherCountIsWrittenAsTheFrameCount) {
    const std::string frame = "\"P\",1,\"L\",\"SA\",0,1,6,\"Magazine\",,,\"\",2,4,1\r\n";
    const std::pair<std::string, std::string> cases[] = {
        // Kept as read.
        {"\"2\"\r\n" + frame + frame, "\"2\"\r\n"},
        {"2.4\r\n" + frame + frame, "2.4\r\n"},
        {"\r\n", "\r\n"},
        {"-3\r\n", "-3\r\n"},
        // A text holding a double quote, written between quotes, would read back as a count of 1.
        {"1\"\r\n", "0\r\n"},
        // 2.5000000000000004 rounds to 3; written with 15 digits it is 2.5, which rounds to 2.
        {"2.5000000000000004\r\n" + frame + frame + frame, "3\r\n"},
    };
    for (const auto& [bytes, countLine] : cases) {
        auto file = ReadFramesFile(bytes, "Data/Frames.txt");
        ASSERT_TRUE(file) << file.error();
        std::string written = WriteFramesFile(file.value());
        EXPECT_EQ(written.substr(0, written.find('\n') + 1), countLine) << bytes;
        auto again = ReadFramesFile(written, "Data/Frames.txt");
        ASSERT_TRUE(again) << again.error();
        EXPECT_EQ(again->frames, file->frames) << bytes;
    }
}

TEST(DataFilesTest, EveryWriterGivesBackTheBundledFilesByteForByte) {
    std::string frames = ReadFileBytes(BundledData() / "Frames.txt");
    auto framesFile = ReadFramesFile(frames, "Frames.txt");
    ASSERT_TRUE(framesFile) << framesFile.error();
    EXPECT_EQ(WriteFramesFile(framesFile.value()), frames);

    std::string mods = ReadFileBytes(BundledData() / "Modifications.txt");
    auto modsFile = ReadModificationsFile(mods, "Modifications.txt");
    ASSERT_TRUE(modsFile) << modsFile.error();
    EXPECT_EQ(WriteModificationsFile(modsFile.value()), mods);

    std::string levels = ReadFileBytes(BundledData() / "MaxLevel.txt");
    auto levelsFile = ReadMaxLevelFile(levels, "MaxLevel.txt", kEditorFrameColumns);
    ASSERT_TRUE(levelsFile) << levelsFile.error();
    EXPECT_EQ(WriteMaxLevelFile(levelsFile.value()), levels);
}

TEST(DataFilesTest, ACountOfZeroGivesNoRecords) {
    EXPECT_TRUE(ReadFramesFile("0\r\n", "F")->frames.empty());
    EXPECT_TRUE(ReadModificationsFile("0\r\n", "M")->records.empty());
    EXPECT_TRUE(ReadClassesFile("0\r\n", "C")->empty());
    EXPECT_TRUE(ReadMaxLevelFile("0\r\n", "L", 14)->rows.empty());
    // A count that is no number counts as 0; a negative one too.
    EXPECT_TRUE(ReadClassesFile("\"many\"\r\n\"All\"\r\n", "C")->empty());
    EXPECT_TRUE(ReadClassesFile("-3\r\n", "C")->empty());
}

TEST(DataFilesTest, NumericFieldsThatAreNoNumberReadAsZero) {
    auto mods = ReadModificationsFile(
        "1\r\n\"Sights\",\"Scope\",1,\"\",0,0.2,\"lots\",,-1,\"cheap\",\"Top\",,\"\",x,,y\r\n",
        "M");
    ASSERT_TRUE(mods) << mods.error();
    const ModificationRecord& scope = mods->records[0];
    EXPECT_EQ(scope.AmmoCapacity, 0);
    EXPECT_EQ(scope.DPV, 0);
    EXPECT_EQ(scope.Recoil, 0.0F);
    EXPECT_EQ(scope.MarkUp, 0.0F);
    EXPECT_EQ(scope.FCU.number(), -1);
    EXPECT_EQ(scope.Mode.kind(), ItemValue::Kind::Empty);
}

TEST(DataFilesTest, MaxLevelRowsReadAsManyColumnsAsAsked) {
    auto levels = ReadMaxLevelFile("2\r\n\"A\",1,2,3\r\n\"B\",4,5,6\r\n", "L", 3);
    ASSERT_TRUE(levels) << levels.error();
    EXPECT_EQ(levels->rows[1].levels[0], 4);
    EXPECT_EQ(levels->rows[1].levels[2], 6);
    // Read with two columns, the third item of a row becomes the next row's label.
    auto fewer = ReadMaxLevelFile("2\r\n\"A\",1,2,3\r\n\"B\",4,5,6\r\n", "L", 2);
    ASSERT_TRUE(fewer);
    EXPECT_EQ(fewer->rows[1].label.Shown(), "3");
}

TEST(DataFilesTest, MaxLevelRowsAreWrittenWithAsManyColumnsAsAsked) {
    MaxLevelFile file{1, {MaxLevelRow{ItemValue::Text("A"), {}}}};
    for (std::size_t j = 0; j < file.rows[0].levels.size(); ++j) {
        file.rows[0].levels[j] = static_cast<std::int16_t>(j + 1);
    }
    const std::pair<int, std::string> cases[] = {
        {3, "1\r\n\"A\",1,2,3\r\n"},
        {kEditorFrameColumns, "1\r\n\"A\",1,2,3,4,5,6,7,8,9,10,11,12,13,14\r\n"},
        {kMaxFrames, "1\r\n\"A\",1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20\r\n"},
    };
    for (const auto& [columns, expected] : cases) {
        EXPECT_EQ(WriteMaxLevelFileWithColumns(file, columns), expected) << columns << " columns";
    }
    EXPECT_EQ(WriteMaxLevelFile(file), std::get<1>(cases[1]));
}

TEST(DataFilesTest, BadDataGivesAMessageThatNamesTheFileAndTheFault) {
    struct Case {
        std::string bytes;
        std::string expected;
    };
    const Case frames[] = {
        {"", "Data/Frames.txt is empty: it has no count line."},
        {"14\r\n\"Hold Out Pistol\",1,\"L\"", "Data/Frames.txt ends after 0 of 14 frames."},
        {"21\r\n", "Data/Frames.txt lists 21 frames; Kalverin holds at most 20."},
        {"2000000000\r\n", "Data/Frames.txt: the count 2000000000 is outside -32768 to 32767."},
        {"1\r\n\"P\",1,\"L\",\"SA\",0,1,6,\"Magazine\",,,\"\",2,40000,1\r\n",
         "Data/Frames.txt, frame 1: DPV 40000 is outside -32768 to 32767."},
        {"1\r\n\"P\",1,\"L\",\"SA\",0,1,6,\"Magazine\",,,\"\"," + std::string(40, '9') + ",4,1\r\n",
         "Data/Frames.txt, frame 1: FCU " + std::string(40, '9') +
             " is too large for a single-precision number."},
    };
    for (const Case& c : frames) {
        auto file = ReadFramesFile(c.bytes, "Data/Frames.txt");
        ASSERT_FALSE(file) << c.bytes;
        EXPECT_EQ(file.error(), c.expected);
    }
    EXPECT_EQ(ReadClassesFile("16\r\n", "Data/Classes.txt").error(),
              "Data/Classes.txt lists 16 classes; Kalverin holds at most 15.");
    EXPECT_EQ(ReadModificationsFile("151\r\n", "Data/Modifications.txt").error(),
              "Data/Modifications.txt lists 151 modifications; Kalverin holds at most 150.");
    EXPECT_EQ(ReadMaxLevelFile("2\r\n\"A\",1,2\r\n\"B\",1", "Data/MaxLevel.txt", 2).error(),
              "Data/MaxLevel.txt ends after 1 of 2 rows.");
}

}  // namespace
}  // namespace kalverin
