#include "game/saved_games.h"

#include "game/saved_game.h"
#include "support/recording_view.h"
#include "support/sample_collection.h"
#include "support/test_figures.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::vector<uint8_t> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Binds the file `from` over `onto` in a user and mount namespace of this
// process's own, which ends with it: nothing outside is touched. False where the
// system allows no such namespace; call it in a child process of one thread.
bool BindPrivately(const std::string& from, const std::string& onto) {
    const uid_t uid = ::geteuid();
    const gid_t gid = ::getegid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    const auto put = [](const char* file, const std::string& text) {
        std::ofstream out(file);
        return static_cast<bool>(out << text << std::flush);
    };
    put("/proc/self/setgroups", "deny");
    if (!put("/proc/self/uid_map", std::to_string(uid) + " " + std::to_string(uid) + " 1") ||
        !put("/proc/self/gid_map", std::to_string(gid) + " " + std::to_string(gid) + " 1"))
        return false;
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount(from.c_str(), onto.c_str(), nullptr, MS_BIND, nullptr) == 0;
}

class SavedGameCommands : public ::testing::Test {
  protected:
    RecordingView board;
    Game game{board, board};
    GameData& data = game.data;
    RecordingSavedGamesView view;
    SavedGames games{game, view};
    std::string folder = TempDir("saved");

    void SetUp() override {
        FillSampleCollection(data, 30);
        data.Language = 0;
        data.ProgramDir = Path("");
        data.Progress[1] = FinishedBit;
        data.Progress[2] = 2;
        data.Dirty = true;
    }

    std::string Path(const char* name) { return folder + name; }
    // What an old reader of the file sees: its first FigureCount bytes.
    std::vector<uint8_t> Leading(const std::string& path) {
        std::vector<uint8_t> bytes = Bytes(path);
        bytes.resize(std::min<size_t>(bytes.size(), data.FigureCount));
        return bytes;
    }
    std::vector<uint8_t> Progress() {
        return {data.Progress.begin() + 1, data.Progress.begin() + 1 + data.FigureCount};
    }
    int Count(const std::string& call) { return view.Count(call); }
};

} // namespace

TEST_F(SavedGameCommands, SaveAsTurnsATxtChoiceIntoFtgAndAsksWithTheNameOnly) {
    const std::vector<uint8_t> old = {1, 2, 3};
    WriteBytes(Path("a.ftg"), old);
    view.files = {Path("a.txt")};
    view.overwriteAnswers = {true};
    games.SaveGameAs();
    EXPECT_EQ(view.Calls("overwrite"), (std::vector<std::string>{"overwrite a.ftg"}));
    EXPECT_EQ(Leading(Path("a.ftg")), Progress());
    // 222 bytes for readers of any collection, then the tag and 30 shapes.
    EXPECT_EQ(Bytes(Path("a.ftg")).size(), 222u + 9 + 30 * 9);
    EXPECT_FALSE(std::filesystem::exists(Path("a.txt")));
    EXPECT_EQ(data.SaveFileName, Path("a.ftg"));
    EXPECT_FALSE(data.Dirty);
    EXPECT_EQ(view.caption, "Fribo Trigonet - Game a.ftg");
}

TEST_F(SavedGameCommands, TitleAfterSaveAsIsGermanWhenTheLanguageIsGerman) {
    WriteBytes(Path("a.ftg"), {1});
    data.Language = 1;
    view.files = {Path("a")};
    view.overwriteAnswers = {true};
    games.SaveGameAs();
    EXPECT_EQ(view.Count("overwrite a.ftg"), 1);
    EXPECT_EQ(view.caption, "Fribo Trigonet - Spiel a.ftg");
}

TEST_F(SavedGameCommands, SaveAsDialogStartsInTheProgramFolderOrAtTheSavedGame) {
    games.SaveGameAs();
    data.SaveFileName = Path("mine.ftg");
    games.SaveGameAs();
    EXPECT_EQ(view.Calls("save"),
              (std::vector<std::string>{"save " + data.ProgramDir, "save " + Path("mine.ftg")}));
}

TEST_F(SavedGameCommands, NoToOverwriteReopensTheDialogAndCancelSavesNothing) {
    const std::vector<uint8_t> old = {1, 2, 3};
    WriteBytes(Path("a.ftg"), old);
    view.files = {Path("a.txt")}; // then cancel
    view.overwriteAnswers = {false};
    games.SaveGameAs();
    EXPECT_EQ(view.Calls("save").size(), 2u);
    EXPECT_EQ(Bytes(Path("a.ftg")), old);
    EXPECT_TRUE(data.Dirty);
    EXPECT_EQ(data.SaveFileName, "");
    EXPECT_EQ(view.caption, "untouched");
}

TEST_F(SavedGameCommands, FailedWriteKeepsTheOldFileAndDirtyAndSaysSo) {
    const std::vector<uint8_t> old = {8, 8, 8};
    WriteBytes(Path("full.ftg"), old);
    data.SaveFileName = Path("full.ftg");
    {
        FileSizeLimit noRoom(0);
        games.SaveBtnClick();
    }
    EXPECT_EQ(Bytes(Path("full.ftg")), old);
    EXPECT_TRUE(data.Dirty);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"cannot save full.ftg", "close"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1); // no temporary left
}

TEST_F(SavedGameCommands, ARefusedRenameIsAFailedSaveAndKeepsTheOldFile) {
    // The saved game is a mount point, which no rename may replace, root's
    // neither; the bytes reach the temporary file and the disk first.
    WriteBytes(Path("a.ftg"), {1, 2, 3});
    WriteBytes(Path("mounted"), {7});
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (!BindPrivately(Path("mounted"), Path("a.ftg"))) ::_exit(77);
        const bool saved = games.SaveGame(Path("a.ftg"));
        const int files = static_cast<int>(std::distance(
            std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
        ::_exit(saved                                                                  ? 1
                : !data.Dirty                                                          ? 2
                : view.calls != std::vector<std::string>{"cannot save a.ftg", "close"} ? 3
                : Bytes(Path("a.ftg")) != std::vector<uint8_t>{7}                      ? 4
                : files != 2 ? 5 // no temporary
                             : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no private mount namespace on this system";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1 saved, 2 clean, 3 not reported, 4 file changed, 5 temp";
    EXPECT_EQ(Bytes(Path("a.ftg")), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(SavedGameCommands, SaveIntoAFolderThatCannotBeWrittenFailsWithTheName) {
    WriteBytes(Path("plain"), {0});
    EXPECT_FALSE(games.SaveGame(Path("plain") + "/game.ftg"));
    EXPECT_TRUE(data.Dirty);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"cannot save game.ftg", "close"}));
}

TEST_F(SavedGameCommands, WriteProtectedOrSpecialFilesAreReportedAndLeftAlone) {
    WriteBytes(Path("locked.ftg"), {8});
    ::chmod(Path("locked.ftg").c_str(), 0444); // root could write it; the game does not
    ASSERT_EQ(::mkfifo(Path("pipe.ftg").c_str(), 0644), 0);
    for (const char* name : {"locked.ftg", "pipe.ftg"}) {
        SCOPED_TRACE(name);
        view.calls.clear();
        data.Dirty = true;
        EXPECT_FALSE(games.SaveGame(Path(name)));
        EXPECT_TRUE(data.Dirty);
        EXPECT_EQ(view.calls,
                  (std::vector<std::string>{"cannot save " + std::string(name), "close"}));
    }
    EXPECT_EQ(CannotSaveMessage(Path("pipe.ftg"), view.saveError, 0),
              "Cannot save game pipe.ftg: it is a named pipe (FIFO).");
    EXPECT_EQ(Bytes(Path("locked.ftg")), (std::vector<uint8_t>{8}));
    struct stat info {};
    ASSERT_EQ(::stat(Path("pipe.ftg").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    view.calls.clear();
    EXPECT_FALSE(games.LoadGame(Path("pipe.ftg"))); // would block for good if opened
    EXPECT_EQ(view.calls, (std::vector<std::string>{"cannot load pipe.ftg", "close"}));
}

TEST_F(SavedGameCommands, FailedSaveAsKeepsTheNameAndTitle) {
    WriteBytes(Path("plain"), {0});
    data.SaveFileName = "";
    view.files = {Path("plain") + "/new.ftg"};
    games.SaveGameAs();
    EXPECT_EQ(data.SaveFileName, "");
    EXPECT_EQ(view.caption, "untouched");
    EXPECT_TRUE(data.Dirty);
}

TEST_F(SavedGameCommands, SaveWithASavedGameWritesSilentlyEvenWhenItWasDeleted) {
    data.SaveFileName = Path("gone.ftg");
    games.SaveBtnClick();
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(Leading(Path("gone.ftg")), Progress());
    EXPECT_FALSE(data.Dirty);
    games.SaveIfDirty(); // as on closing: nothing more to save
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(SavedGameCommands, LoadKeepsTheFigureAndLaysTheRecordedHelpAgain) {
    data.Dirty = false;
    data.CurrentFigure = 3;
    data.SaveFileName = Path("old.ftg");
    std::vector<uint8_t> saved(30, 0);
    saved[2] = 2; // figure 3: two help steps, four triangles at their solution places
    WriteBytes(Path("other.ftg"), saved);
    view.files = {Path("other.ftg")};
    games.LoadBtnClick();
    EXPECT_EQ(view.Calls("open"),
              (std::vector<std::string>{"open " + folder.substr(0, folder.size() - 1)}));
    EXPECT_EQ(data.CurrentFigure, 3);
    EXPECT_EQ(Progress(), saved);
    for (int t = 1; t <= 4; ++t)
        EXPECT_EQ(game.board.Triangles[t], data.Figures[3][t - 1]) << t;
    EXPECT_EQ(data.SaveFileName, Path("other.ftg"));
    EXPECT_FALSE(data.Dirty);
    EXPECT_EQ(view.Calls("figure"), (std::vector<std::string>{"figure"}));
    EXPECT_EQ(view.calls.back(), "caption"); // after the repaint
    EXPECT_EQ(view.caption, "Fribo Trigonet - Game other.ftg");
}

TEST_F(SavedGameCommands, LoadWhileChangedSavesFirstAndGoesOnAfterACancelledSave) {
    WriteBytes(Path("other.ftg"), {12});
    view.files = {Path("other.ftg")}; // then the save dialog: cancel
    games.LoadBtnClick();
    EXPECT_EQ(view.calls[1], "save " + data.ProgramDir);
    EXPECT_EQ(data.Progress[1], 12);
    EXPECT_EQ(data.Progress[2], 0);
    EXPECT_EQ(data.SaveFileName, Path("other.ftg"));
    EXPECT_FALSE(data.Dirty); // only opened: quitting now writes nothing
}

TEST_F(SavedGameCommands, FailedLoadNamesOnlyTheFileAndChangesNothing) {
    data.SaveFileName = Path("mine.ftg");
    const std::vector<uint8_t> before = Progress();
    EXPECT_FALSE(games.LoadGame(Path("missing/lost.ftg")));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"cannot load lost.ftg", "close"}));
    EXPECT_EQ(Progress(), before);
    EXPECT_TRUE(data.Dirty);
    EXPECT_EQ(data.SaveFileName, Path("mine.ftg"));
}

TEST_F(SavedGameCommands, CancelledLoadDoesNothing) {
    games.LoadBtnClick();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"open "}));
    EXPECT_TRUE(data.Dirty);
}

TEST_F(SavedGameCommands, NewGameAnsweredNoChangesNothing) {
    data.SaveFileName = Path("mine.ftg");
    const std::vector<uint8_t> before = Progress();
    view.newGameAnswer = false;
    games.NewgameBtnClick();
    EXPECT_EQ(Progress(), before);
    EXPECT_EQ(data.SaveFileName, Path("mine.ftg"));
    EXPECT_TRUE(data.Dirty);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"ask"}));
}

TEST_F(SavedGameCommands, NewGameAnsweredYesClearsProgressAndTitle) {
    data.SaveFileName = Path("mine.ftg");
    data.Progress[30] = GivenUpByte; // the last figure is cleared like the others
    data.CurrentFigure = 30;
    view.newGameAnswer = true;
    games.NewgameBtnClick();
    EXPECT_TRUE(board.helpEnabled);                        // the figure on the board is open again
    EXPECT_EQ(Leading(Path("mine.ftg"))[29], GivenUpByte); // the changed game was saved first
    EXPECT_EQ(Progress(), std::vector<uint8_t>(30, 0));
    EXPECT_EQ(data.SaveFileName, "");
    EXPECT_FALSE(data.Dirty);
    EXPECT_EQ(view.caption, "Fribo Trigonet");
    EXPECT_EQ(view.calls, (std::vector<std::string>{"ask", "figure", "caption"}));
    EXPECT_EQ(Bytes(Path("mine.ftg"))[0], FinishedBit); // the old file stays as it was
    games.SaveBtnClick();
    EXPECT_EQ(view.Calls("save").size(), 1u); // the next save asks for a name
}

TEST_F(SavedGameCommands, LoadingAGameOfAnotherCollectionMovesItsProgressAndSaysSo) {
    // The game of a collection whose first figure is this one's second, then ten others.
    GameData other;
    FillSampleCollection(other, 1);
    other.Figures[1] = data.Figures[2];
    other.Figures[2] = FigureOfSquares({{0, 0}, {10, 0}, {20, 0}, {20, 40}});
    other.FigureCount = 2;
    other.Progress[1] = GivenUpByte;
    other.Progress[2] = FinishedBit;
    ASSERT_EQ(WriteGameFile(Path("other.ftg"), other), SaveResult::Saved);
    data.Dirty = false;
    view.files = {Path("other.ftg")};
    games.LoadBtnClick();
    EXPECT_EQ(data.Progress[1], 0); // solved here, but not in that game
    EXPECT_EQ(data.Progress[2], GivenUpByte);
    EXPECT_EQ(view.calls.back(), "moved The figure collection has changed: one of the 2 figures "
                                 "you played keeps its state.");
    ASSERT_EQ(data.OtherProgress.size(), 1u);
    // Saved here and loaded there again, the figure that is not here comes back.
    ASSERT_TRUE(games.SaveGame(Path("here.ftg")));
    other.Progress.fill(0);
    ProgressMapping mapping;
    ASSERT_TRUE(ReadGameFile(Path("here.ftg"), other, MaxFigures, mapping));
    EXPECT_EQ(other.Progress[1], GivenUpByte);
    EXPECT_EQ(other.Progress[2], FinishedBit);
    // A new game forgets the other collection's progress too.
    view.newGameAnswer = true;
    games.NewgameBtnClick();
    EXPECT_TRUE(data.OtherProgress.empty());
}

TEST_F(SavedGameCommands, NewGameClearsDirtyAlsoWhenTheSaveBeforeItWasCancelled) {
    view.newGameAnswer = true; // no file name: the save dialog opens and is cancelled
    games.NewgameBtnClick();
    EXPECT_EQ(view.calls,
              (std::vector<std::string>{"ask", "save " + data.ProgramDir, "figure", "caption"}));
    EXPECT_FALSE(data.Dirty);
    EXPECT_EQ(Progress(), std::vector<uint8_t>(30, 0));
}

TEST_F(SavedGameCommands, AFigureCountBeyondTheTablesLoadsAndClearsOnlyTheTables) {
    data.FigureCount = 300;
    WriteBytes(Path("long.ftg"), std::vector<uint8_t>(300, 9));
    ASSERT_TRUE(games.LoadGame(Path("long.ftg")));
    EXPECT_EQ(data.Progress[MaxFigures], 9);
    EXPECT_EQ(data.ProgramDir, Path("")); // the state beyond the table is whole
    view.newGameAnswer = true;
    data.Dirty = false;
    games.NewgameBtnClick();
    EXPECT_EQ(data.Progress[MaxFigures], 0);
    EXPECT_EQ(data.ProgramDir, Path(""));
}

TEST_F(SavedGameCommands, TitleNamesTheGameInGerman) {
    data.Language = 1;
    data.SaveFileName = "/somewhere/else/my game.ftg";
    games.UpdateTitle();
    EXPECT_EQ(view.caption, "Fribo Trigonet - Spiel my game.ftg");
    data.Language = -1;
    games.UpdateTitle();
    EXPECT_EQ(view.caption, "Fribo Trigonet - Game my game.ftg");
}
