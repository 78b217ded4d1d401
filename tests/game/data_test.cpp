#include "game/data.h"
#include "game/progress_map.h"
#include "support/test_figures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<std::string> FolderNames(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<uint8_t> Bytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadWholeFile(path, bytes)) << path;
    return bytes;
}

// The first n bytes of a saved game: the progress bytes, which the tag follows.
std::vector<uint8_t> Head(const std::string& path, size_t n) {
    std::vector<uint8_t> bytes = Bytes(path);
    bytes.resize(std::min(bytes.size(), n));
    return bytes;
}

bool ReadSaved(const std::string& path, GameData& data, int clearCount) {
    ProgressMapping mapping;
    return ReadGameFile(path, data, clearCount, mapping);
}

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

TEST(Collection, OneReadingJudgesEveryRecordAndTellsWhatTheFileIs) {
    const std::string dir = TempDir("c");
    FigureRecord off = BigSquare(30, 20);
    off[4].Row = 60; // its square reaches two rows below the board
    std::vector<uint8_t> bytes = CollectionBytes({BigSquare(30, 20), off, BigSquare(40, 25)});
    bytes.resize(bytes.size() + 5, 1);
    WriteBytes(dir + "tail.dat", bytes);
    const CollectionReading tail = ReadCollectionFile(dir + "tail.dat");
    EXPECT_EQ(tail.Shape, CollectionFileShape::PartialTail);
    EXPECT_EQ(tail.Size, 3u * 24 + 5);
    ASSERT_EQ(tail.Records.size(), 3u);
    EXPECT_EQ(tail.Records[1], off);
    EXPECT_EQ(tail.OnBoard, (std::vector<bool>{true, false, true}));

    // The game plays what it can: the tail ignored, the record off the board kept.
    GameData data;
    ASSERT_EQ(LoadCollection(dir + "tail.dat", data), CollectionResult::Loaded);
    EXPECT_EQ(data.FigureCount, 3);
    EXPECT_EQ(data.Figures[2], off);
    EXPECT_TRUE(FigureOnBoard(data, 1));
    EXPECT_FALSE(FigureOnBoard(data, 2));

    // Of a longer file no more is read than tells that it holds too many.
    WriteBytes(dir + "many.dat", CollectionBytes(std::vector<FigureRecord>(300, off)));
    const CollectionReading many = ReadCollectionFile(dir + "many.dat");
    EXPECT_EQ(many.Shape, CollectionFileShape::TooMany);
    EXPECT_EQ(many.Size, 222u * 24 + 1);
    EXPECT_EQ(many.Records.size(), 222u);
    ASSERT_EQ(LoadCollection(dir + "many.dat", data), CollectionResult::Loaded);
    EXPECT_EQ(data.FigureCount, 222);
    EXPECT_FALSE(FigureOnBoard(data, 1));

    WriteBytes(dir + "empty.dat", {});
    EXPECT_EQ(ReadCollectionFile(dir + "empty.dat").Shape, CollectionFileShape::Empty);
    EXPECT_EQ(ReadCollectionFile(dir + "absent.dat").Shape, CollectionFileShape::CannotOpen);
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
    ASSERT_TRUE(ReadSaved(dir + "a.ftg", data, MaxFigures));
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
    ASSERT_TRUE(ReadSaved(dir + "a.ftg", data, data.FigureCount));
    for (int k = 1; k <= 222; ++k)
        ASSERT_EQ(data.Progress[k], bytes[k - 1]) << k;
    EXPECT_EQ(data.Progress[0], 0);
}

TEST(SavedGame, AnUnreadableFileLeavesProgressAlone) {
    const std::string dir = TempDir("s");
    GameData data = WithFigures(5);
    data.Progress[2] = 8;
    EXPECT_FALSE(ReadSaved(dir + "absent.ftg", data, 5));
    EXPECT_FALSE(ReadSaved(dir, data, 5));
    EXPECT_EQ(data.Progress[2], 8);
}

TEST(SavedGame, WritesOneByteAFigureThenZerosAndKeepsHighBits) {
    const std::string dir = TempDir("s");
    GameData data = WithFigures(7);
    data.Progress[1] = 16 | 8;
    data.Progress[7] = 12;
    data.Progress[8] = 99; // beyond the collection: not written
    ASSERT_EQ(WriteGameFile(dir + "a.ftg", data), SaveResult::Saved);
    std::vector<uint8_t> head(MaxFigures);
    head[0] = 24, head[6] = 12;
    EXPECT_EQ(Head(dir + "a.ftg", MaxFigures), head);
    GameData back = WithFigures(7);
    ASSERT_TRUE(ReadSaved(dir + "a.ftg", back, 7));
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(back.Progress[k], data.Progress[k]) << k;
    EXPECT_EQ(back.Progress[8], 0);
    EXPECT_FALSE(std::filesystem::exists(dir + "a.ftg.tmp~"));
}

TEST(SavedGame, AFailedSaveKeepsThePreviousFileWhole) {
    const std::string dir = TempDir("s");
    WriteBytes(dir + "a.ftg", {8, 8, 8});
    GameData data = WithFigures(3);
    // Write-protected by its mode bits, which stop the save even for root.
    std::filesystem::permissions(dir + "a.ftg", std::filesystem::perms::owner_read);
    EXPECT_EQ(WriteGameFile(dir + "a.ftg", data), SaveResult::CannotCreate);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(dir + "a.ftg", bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{8, 8, 8}));
    EXPECT_EQ(std::filesystem::status(dir + "a.ftg").permissions(),
              std::filesystem::perms::owner_read);
    EXPECT_EQ(FolderNames(dir), (std::vector<std::string>{"a.ftg"}));
    EXPECT_EQ(WriteGameFile(dir + "no such folder/a.ftg", data), SaveResult::CannotCreate);
}

TEST(SavedGame, APlantedLinkAtAnOldTemporaryNameIsNeverFollowed) {
    const std::string dir = TempDir("s");
    WriteBytes(dir + "victim", {1, 2, 3});
    std::filesystem::create_symlink(dir + "victim", dir + "a.ftg.tmp~");
    GameData data = WithFigures(3);
    data.Progress[1] = 8;
    ASSERT_EQ(WriteGameFile(dir + "a.ftg", data), SaveResult::Saved);
    EXPECT_EQ(Bytes(dir + "victim"), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(Head(dir + "a.ftg", 3), (std::vector<uint8_t>{8, 0, 0}));
    EXPECT_EQ(FolderNames(dir), (std::vector<std::string>{"a.ftg", "a.ftg.tmp~", "victim"}));
}

TEST(SavedGame, ALinkKeepsPointingAtTheFileThatGetsTheBytes) {
    const std::string dir = TempDir("s");
    std::filesystem::create_directory(dir + "real");
    WriteBytes(dir + "real/game.ftg", {0, 0});
    std::filesystem::create_symlink("real/game.ftg", dir + "a.ftg");
    std::filesystem::create_symlink("a.ftg", dir + "b.ftg"); // a chain of two
    GameData data = WithFigures(2);
    data.Progress[2] = 12;
    ASSERT_EQ(WriteGameFile(dir + "b.ftg", data), SaveResult::Saved);
    EXPECT_TRUE(std::filesystem::is_symlink(dir + "a.ftg"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir + "b.ftg"));
    EXPECT_EQ(Head(dir + "real/game.ftg", 2), (std::vector<uint8_t>{0, 12}));
    EXPECT_EQ(FolderNames(dir + "real"), (std::vector<std::string>{"game.ftg"}));
    // A dangling link creates the file it names.
    std::filesystem::create_symlink("real/new.ftg", dir + "c.ftg");
    ASSERT_EQ(WriteGameFile(dir + "c.ftg", data), SaveResult::Saved);
    EXPECT_TRUE(std::filesystem::is_symlink(dir + "c.ftg"));
    EXPECT_EQ(Head(dir + "real/new.ftg", 2), (std::vector<uint8_t>{0, 12}));
}

TEST(SavedGame, AReplacedFileKeepsItsPermissions) {
    namespace fs = std::filesystem;
    const std::string dir = TempDir("s");
    WriteBytes(dir + "a.ftg", {0});
    fs::permissions(dir + "a.ftg", fs::perms::owner_read | fs::perms::owner_write);
    GameData data = WithFigures(1);
    ASSERT_EQ(WriteGameFile(dir + "a.ftg", data), SaveResult::Saved);
    EXPECT_EQ(fs::status(dir + "a.ftg").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    // A new file gets the usual mode, not the private one of a temporary file.
    const mode_t mask = ::umask(022);
    ASSERT_EQ(WriteGameFile(dir + "b.ftg", data), SaveResult::Saved);
    ::umask(mask);
    EXPECT_EQ(fs::status(dir + "b.ftg").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
}

TEST(SavedGame, AFifoADeviceOrAFolderIsNeverOpened) {
    const std::string dir = TempDir("s");
    ASSERT_EQ(::mkfifo((dir + "pipe.ftg").c_str(), 0644), 0);
    std::filesystem::create_directory(dir + "folder.ftg");
    // The device is a node of the test's own, reached through a link as a
    // player's link to a device would be: nothing outside the folder is at stake.
    std::vector<std::string> names{"folder.ftg", "pipe.ftg"};
    if (MakeNullDevice(dir + "null")) {
        std::filesystem::create_symlink("null", dir + "null.ftg");
        names = {"folder.ftg", "null", "null.ftg", "pipe.ftg"};
    }
    GameData data = WithFigures(3);
    data.Progress[1] = 8;
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        // A FIFO opened for reading or writing would block here for good.
        EXPECT_FALSE(ReadSaved(dir + name, data, 3));
        EXPECT_EQ(WriteGameFile(dir + name, data), SaveResult::CannotCreate);
        EXPECT_EQ(data.Progress[1], 8);
    }
    EXPECT_EQ(std::filesystem::status(dir + "pipe.ftg").type(), std::filesystem::file_type::fifo);
    EXPECT_TRUE(std::filesystem::is_directory(dir + "folder.ftg"));
    if (names.size() == 4) {
        EXPECT_TRUE(std::filesystem::is_symlink(dir + "null.ftg"));
        EXPECT_TRUE(std::filesystem::is_character_file(dir + "null"));
    }
    EXPECT_EQ(FolderNames(dir), names);
    EXPECT_EQ(LoadCollection(dir + "pipe.ftg", data), CollectionResult::CannotOpen);
}

TEST(SavedGame, AFailedWriteLeavesNoTemporaryFileBehind) {
    const std::string dir = TempDir("s");
    WriteBytes(dir + "a.ftg", {8});
    GameData data = WithFigures(200);
    // A file size limit makes the write fail for any user.
    const SaveResult result = [&] {
        FileSizeLimit small(10);
        return WriteGameFile(dir + "a.ftg", data);
    }();
    EXPECT_EQ(result, SaveResult::WriteFailed);
    EXPECT_EQ(Bytes(dir + "a.ftg"), (std::vector<uint8_t>{8}));
    EXPECT_EQ(FolderNames(dir), (std::vector<std::string>{"a.ftg"}));
}

TEST(SavedGame, TheNextSaveClearsWhatAKilledSaveLeftBehind) {
    const std::string dir = TempDir("s");
    GameData data = WithFigures(222);
    for (int round = 0; round < 5; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;)
                WriteGameFile(dir + "a.ftg", data);
        }
        ::usleep(20000 + 7000 * round);
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    // Plant one by hand too, in case every kill came between two saves.
    WriteBytes(dir + ".a.ftg.save-Ab12Cd", {1});
    WriteBytes(dir + ".b.ftg.save-Ab12Cd", {1}); // another game's: not ours to remove
    ASSERT_EQ(WriteGameFile(dir + "a.ftg", data), SaveResult::Saved);
    EXPECT_EQ(FolderNames(dir), (std::vector<std::string>{".b.ftg.save-Ab12Cd", "a.ftg"}));
    EXPECT_EQ(Bytes(dir + "a.ftg"), EncodeProgressFile(data));
}

TEST(SavedGame, TwoProcessesSavingOneFileNeverFailEachOther) {
    const std::string dir = TempDir("s");
    GameData data = WithFigures(222);
    const auto saveOften = [&](uint8_t mark) {
        data.Progress.fill(mark);
        int failed = 0;
        for (int round = 0; round < 300; ++round)
            failed += WriteGameFile(dir + "a.ftg", data) != SaveResult::Saved;
        return failed;
    };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(std::min(saveOften(9), 100));
    EXPECT_EQ(saveOften(8), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "saves failed in the other process";
    const std::vector<uint8_t> bytes = Bytes(dir + "a.ftg");
    ASSERT_EQ(bytes.size(), EncodeProgressFile(data).size());
    EXPECT_EQ(std::count(bytes.begin(), bytes.begin() + MaxFigures, bytes[0]), 222); // one save's
    EXPECT_EQ(FolderNames(dir), (std::vector<std::string>{"a.ftg"}));
}

TEST(SavedGame, AFileIsProtectedOnlyWhenItsModeForbidsUsToWrite) {
    const std::string dir = TempDir("s");
    GameData data = WithFigures(2);
    data.Progress[1] = 8;
    WriteBytes(dir + "a.ftg", {0, 0});
    // Only the group may write: ours to write only as a privileged user, who is
    // stopped by no write bit at all and nothing less.
    ASSERT_EQ(::chmod((dir + "a.ftg").c_str(), 0464), 0);
    const bool privileged = ::geteuid() == 0;
    EXPECT_EQ(WriteGameFile(dir + "a.ftg", data),
              privileged ? SaveResult::Saved : SaveResult::CannotCreate);
    if (!privileged) GTEST_SKIP() << "another user's file needs a privileged test run";
    // Another user's file that its owner may write.
    WriteBytes(dir + "b.ftg", {0, 0});
    ASSERT_EQ(::chown((dir + "b.ftg").c_str(), 4242, 4242), 0);
    ASSERT_EQ(::chmod((dir + "b.ftg").c_str(), 0644), 0);
    EXPECT_EQ(WriteGameFile(dir + "b.ftg", data), SaveResult::Saved);
    struct stat info {};
    ASSERT_EQ(::stat((dir + "b.ftg").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4242u);
    EXPECT_EQ(Head(dir + "b.ftg", 2), (std::vector<uint8_t>{8, 0}));
}

TEST(Collection, ReadsStopAtWhatTheGameCanUseWhateverTheFileSize) {
    const std::string dir = TempDir("c");
    std::vector<uint8_t> records = CollectionBytes({BigSquare(30, 20)});
    WriteBytes(dir + CollectionFileName, records);
    WriteBytes(dir + "a.ftg", {8, 12});
    // Sparse files: 2 GB and 1 GB on paper, nothing on the disk.
    ASSERT_EQ(::truncate((dir + CollectionFileName).c_str(), 2LL << 30), 0);
    ASSERT_EQ(::truncate((dir + "a.ftg").c_str(), 1LL << 30), 0);
    const auto start = std::chrono::steady_clock::now();
    GameData data;
    ASSERT_EQ(LoadCollection(dir + CollectionFileName, data), CollectionResult::Loaded);
    EXPECT_EQ(data.FigureCount, MaxFigures);
    EXPECT_EQ(data.Figures[1], BigSquare(30, 20));
    ASSERT_TRUE(ReadSaved(dir + "a.ftg", data, MaxFigures));
    EXPECT_EQ(data.Progress[2], 12);
    EXPECT_EQ(data.Progress[3], 0);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadFileStart(dir + "a.ftg", 5, bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{8, 12, 0, 0, 0}));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}
