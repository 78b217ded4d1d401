#include "figures/record_file.h"

#include "support/figure_files.h"

#include <gtest/gtest.h>

TEST(RecordFile, ReadsEveryWholeRecordInOrder) {
    const std::string path = TempPath("two.dat");
    WriteRecords(path, {BigSquare(), SoundHouse()});
    std::vector<FigureRecord> records;
    std::string error;
    ASSERT_TRUE(ReadRecordFile(path, records, error)) << error;
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], BigSquare());
    EXPECT_EQ(records[1], SoundHouse());
}

TEST(RecordFile, RefusesMissingEmptyAndPartialFilesWithTheReason) {
    std::vector<FigureRecord> records;
    std::string error;
    EXPECT_FALSE(ReadRecordFile(TempPath("does-not-exist.dat"), records, error));
    EXPECT_NE(error.find("cannot read"), std::string::npos);

    const std::string empty = TempPath("empty.dat");
    WriteBytes(empty, {});
    EXPECT_FALSE(ReadRecordFile(empty, records, error));
    EXPECT_NE(error.find("empty"), std::string::npos);

    const std::string partial = TempPath("partial.dat");
    WriteBytes(partial, std::vector<uint8_t>(24 + 5, 40));
    EXPECT_FALSE(ReadRecordFile(partial, records, error));
    EXPECT_NE(error.find("partial record"), std::string::npos);
}

TEST(RecordFile, RefusesMoreThan222RecordsAndNamesAPartialTailBySize) {
    const std::string path = TempPath("many.dat");
    std::vector<FigureRecord> records;
    std::string error;
    WriteRecords(path, std::vector<FigureRecord>(223, SoundHouse()));
    EXPECT_FALSE(ReadRecordFile(path, records, error));
    EXPECT_EQ(error, path + " holds more than 222 records");
    WriteRecords(path, std::vector<FigureRecord>(222, SoundHouse()));
    ASSERT_TRUE(ReadRecordFile(path, records, error)) << error;
    EXPECT_EQ(records.size(), 222u);
    WriteBytes(path, std::vector<uint8_t>(3 * 24 + 5, 40));
    EXPECT_FALSE(ReadRecordFile(path, records, error));
    EXPECT_EQ(error, path + " ends in a partial record (77 bytes is not a multiple of 24)");

    // A record off the board in the middle is read; only picking it is refused.
    FigureRecord off = SoundHouse();
    off[2].Orient = 16;
    WriteRecords(path, {BigSquare(), off, SoundHouse()});
    ASSERT_TRUE(ReadRecordFile(path, records, error)) << error;
    EXPECT_EQ(records[1], off);
    FigureRecord figure;
    EXPECT_FALSE(PickFigure(records, 2, figure, error));
    EXPECT_TRUE(PickFigure(records, 3, figure, error));
}

TEST(RecordFile, PicksOnlyFiguresInRangeThatLieOnTheBoard) {
    FigureRecord offBoard = BigSquare();
    offBoard[3] = {1, 30, 0}; // reaches column -6
    FigureRecord badTurn = BigSquare();
    badTurn[7].Orient = 16;
    const std::vector<FigureRecord> records{BigSquare(), offBoard, badTurn};
    FigureRecord figure;
    std::string error;
    EXPECT_TRUE(PickFigure(records, 1, figure, error));
    EXPECT_EQ(figure, BigSquare());
    EXPECT_FALSE(PickFigure(records, 0, figure, error));
    EXPECT_EQ(error, "figure 0 is out of range 1..3");
    EXPECT_FALSE(PickFigure(records, 4, figure, error));
    EXPECT_FALSE(PickFigure(records, 2, figure, error));
    EXPECT_NE(error.find("triangle 4 (1 30 0)"), std::string::npos);
    EXPECT_FALSE(PickFigure(records, 3, figure, error));
    EXPECT_NE(error.find("triangle 8"), std::string::npos);
}

TEST(RecordFile, ReplacesTheWholeFileAndSaysWhenItCannotWrite) {
    const std::string path = TempPath("kept.dat");
    WriteRecords(path, {BigSquare()});
    std::string error;
    // No folder for the temporary file beside it: nothing can be written.
    EXPECT_FALSE(WriteRecordFile(path + "/inner.dat", {SoundHouse()}, error));
    EXPECT_EQ(error, "cannot write " + path + "/inner.dat");
    ASSERT_TRUE(WriteRecordFile(path, {SoundHouse(), BigSquare()}, error)) << error;
    std::vector<FigureRecord> records;
    ASSERT_TRUE(ReadRecordFile(path, records, error)) << error;
    EXPECT_EQ(records, (std::vector<FigureRecord>{SoundHouse(), BigSquare()}));
}

TEST(RecordFile, TheOneWriterRefusesWhatTheGameCouldNotPlayAndKeepsTheOldFile) {
    const std::string path = TempPath("refused.dat");
    WriteRecords(path, {BigSquare()});
    size_t offBoard = 99;
    EXPECT_EQ(WriteGameRecords(path, {}, offBoard), RecordWrite::BadCount);
    EXPECT_EQ(WriteGameRecords(path, std::vector<FigureRecord>(223, SoundHouse()), offBoard),
              RecordWrite::BadCount);
    FigureRecord turned = SoundHouse();
    turned[5].Orient = 16;
    EXPECT_EQ(WriteGameRecords(path, {SoundHouse(), BigSquare(), turned}, offBoard),
              RecordWrite::OffBoard);
    EXPECT_EQ(offBoard, 2u);
    std::string error;
    EXPECT_FALSE(WriteRecordFile(path, {SoundHouse(), turned}, error));
    EXPECT_EQ(error, path + ": figure 2 is off the board");
    std::vector<FigureRecord> records;
    ASSERT_TRUE(ReadRecordFile(path, records, error)) << error;
    EXPECT_EQ(records, (std::vector<FigureRecord>{BigSquare()}));
}
