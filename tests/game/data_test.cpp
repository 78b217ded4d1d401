#include "game/data.h"
#include "support/test_figures.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

GameData WithFigures(int count) {
    GameData data;
    data.FigureCount = count;
    return data;
}

} // namespace

TEST(Collection, OnlyWholeRecordsCountAndAtMost222) {
    EXPECT_EQ(ParseCollection(std::vector<uint8_t>(5328)).size(), 222u);
    EXPECT_EQ(ParseCollection(std::vector<uint8_t>(5352)).size(), 222u);
    EXPECT_EQ(ParseCollection(std::vector<uint8_t>(24 * 10 + 5)).size(), 10u);
    EXPECT_EQ(ParseCollection(std::vector<uint8_t>(23)).size(), 0u);
}

TEST(Collection, LoadsRecordsInFileOrderFromNumberOne) {
    const std::string dir = TempDir("c");
    const FigureRecord first = BigSquare(30, 20), second = BigSquare(40, 25);
    WriteBytes(dir + CollectionFileName, CollectionBytes({first, second}));
    GameData data;
    ASSERT_EQ(LoadCollection(dir + CollectionFileName, data), CollectionResult::Loaded);
    EXPECT_EQ(data.FigureCount, 2);
    EXPECT_EQ(data.Figures[1], first);
    EXPECT_EQ(data.Figures[2], second);
}

TEST(Collection, MissingEmptyOrFolderIsNothingToPlay) {
    const std::string dir = TempDir("c");
    GameData data;
    EXPECT_EQ(LoadCollection(dir + "absent.dat", data), CollectionResult::CannotOpen);
    EXPECT_EQ(LoadCollection(dir, data), CollectionResult::CannotOpen);
    WriteBytes(dir + "empty.dat", {});
    EXPECT_EQ(LoadCollection(dir + "empty.dat", data), CollectionResult::Empty);
    WriteBytes(dir + "short.dat", std::vector<uint8_t>(20, 7));
    EXPECT_EQ(LoadCollection(dir + "short.dat", data), CollectionResult::Empty);
    EXPECT_EQ(data.FigureCount, 0);
}

TEST(Collection, DamagedRecordsAreRecognised) {
    FigureRecord figure = BigSquare(30, 20);
    EXPECT_TRUE(FigureIsValid(figure));
    figure[3].Orient = 16;
    EXPECT_FALSE(FigureIsValid(figure));
    figure = BigSquare(30, 20);
    figure[0].Col = 1; // orientation 0 reaches seven columns left of its anchor
    EXPECT_FALSE(FigureIsValid(figure));
    figure = BigSquare(30, 20);
    figure[7].Row = 200;
    EXPECT_FALSE(FigureIsValid(figure));
}

TEST(FigureNumber, OutsideTheCollectionBecomesOne) {
    EXPECT_EQ(ClampFigureNumber(5, 10), 5);
    EXPECT_EQ(ClampFigureNumber(10, 10), 10);
    EXPECT_EQ(ClampFigureNumber(11, 10), 1);
    EXPECT_EQ(ClampFigureNumber(0, 10), 1);
    EXPECT_EQ(ClampFigureNumber(-3, 10), 1);
}

TEST(ProgressByte, HelpCountStaysInRange) {
    EXPECT_EQ(HelpCount(0), 0);
    EXPECT_EQ(HelpCount(3), 3);
    EXPECT_EQ(HelpCount(11), 3);
    EXPECT_EQ(HelpCount(12), 4);
    EXPECT_TRUE(IsGivenUp(12));
    EXPECT_FALSE(IsGivenUp(11));
    EXPECT_EQ(HelpCount(17), 1); // bit 16 is not part of the count
    // Damaged bytes: an unfinished figure never shows all eight triangles,
    // a finished one never counts past given up.
    EXPECT_EQ(HelpCount(4), 3);
    EXPECT_EQ(HelpCount(7), 3);
    EXPECT_EQ(HelpCount(15), 4);
    EXPECT_TRUE(IsGivenUp(15));
}

TEST(SavedGame, AShortFileFillsTheFirstFiguresAndClearsTheRest) {
    const std::string dir = TempDir("s");
    WriteBytes(dir + "a.ftg", {8, 3, 12});
    GameData data = WithFigures(222);
    data.Progress.fill(9);
    ASSERT_TRUE(ReadProgressFile(dir + "a.ftg", data, MaxFigures));
    EXPECT_EQ(data.Progress[1], 8);
    EXPECT_EQ(data.Progress[2], 3);
    EXPECT_EQ(data.Progress[3], 12);
    for (int k = 4; k <= 222; ++k)
        ASSERT_EQ(data.Progress[k], 0) << k;
}

TEST(SavedGame, ALongFileIsCutAtTheFigureCount) {
    const std::string dir = TempDir("s");
    std::vector<uint8_t> bytes(300);
    for (size_t k = 0; k < bytes.size(); ++k)
        bytes[k] = static_cast<uint8_t>(k % 13 + 16);
    WriteBytes(dir + "a.ftg", bytes);
    GameData data = WithFigures(222);
    ASSERT_TRUE(ReadProgressFile(dir + "a.ftg", data, data.FigureCount));
    for (int k = 1; k <= 222; ++k)
        ASSERT_EQ(data.Progress[k], bytes[k - 1]) << k;
    EXPECT_EQ(data.Progress[0], 0);
}

TEST(SavedGame, AnUnreadableFileLeavesProgressAlone) {
    const std::string dir = TempDir("s");
    GameData data = WithFigures(5);
    data.Progress[2] = 8;
    EXPECT_FALSE(ReadProgressFile(dir + "absent.ftg", data, 5));
    EXPECT_FALSE(ReadProgressFile(dir, data, 5));
    EXPECT_EQ(data.Progress[2], 8);
}

TEST(SavedGame, WritesExactlyOneByteAFigureAndKeepsHighBits) {
    const std::string dir = TempDir("s");
    GameData data = WithFigures(7);
    data.Progress[1] = 16 | 8;
    data.Progress[7] = 12;
    data.Progress[8] = 99; // beyond the collection: not written
    ASSERT_EQ(WriteProgressFile(dir + "a.ftg", data), SaveResult::Saved);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(dir + "a.ftg", bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{24, 0, 0, 0, 0, 0, 12}));
    GameData back = WithFigures(7);
    ASSERT_TRUE(ReadProgressFile(dir + "a.ftg", back, 7));
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(back.Progress[k], data.Progress[k]) << k;
    EXPECT_EQ(back.Progress[8], 0);
    EXPECT_FALSE(std::filesystem::exists(dir + "a.ftg.tmp~"));
}

TEST(SavedGame, AFailedSaveKeepsThePreviousFileWhole) {
    const std::string dir = TempDir("s");
    WriteBytes(dir + "a.ftg", {8, 8, 8});
    GameData data = WithFigures(3);
    // The temporary file cannot be created where a folder of its name stands.
    std::filesystem::create_directory(dir + "a.ftg.tmp~");
    EXPECT_EQ(WriteProgressFile(dir + "a.ftg", data), SaveResult::CannotCreate);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(dir + "a.ftg", bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{8, 8, 8}));
    EXPECT_EQ(WriteProgressFile(dir + "no such folder/a.ftg", data), SaveResult::CannotCreate);
}
