#include "shell/saved_games.h"

#include "game/game.h"
#include "support/recording_view.h"
#include "support/sample_collection.h"
#include "ui/dialog_seam.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <deque>
#include <fstream>
#include <sys/resource.h>

namespace {

class FakeMainWindow : public SavedGamesHost {
  public:
    explicit FakeMainWindow(Game& game) : game(game) {}

    Game& game;
    int newGameAnswer = 7;
    std::vector<std::string> calls;
    QString caption = "untouched";

    int AskNewGame() override {
        calls.push_back("ask");
        return newGameAnswer;
    }
    void ShowFigureAnew() override {
        SetupFigure(game);
        calls.push_back("figure");
    }
    void SetCaption(const QString& text) override {
        caption = text;
        calls.push_back("caption");
    }
    void RequestClose() override { calls.push_back("close"); }
    QWidget* DialogParent() override { return nullptr; }
};

struct BoxShown {
    DialogSeam::BoxKind kind;
    QString caption, text;
};

// Keeps the process from writing more than `bytes` bytes into any file.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, SIG_IGN); // report EFBIG instead of ending the process
        rlimit limit = old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }

  private:
    rlimit old{};
};

std::vector<uint8_t> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

class SavedGameCommands : public ::testing::Test {
  protected:
    RecordingView view;
    Game game;
    GameData& data = game.data;
    FakeMainWindow host{game};
    SavedGames games{data, host};
    QTemporaryDir folder;
    std::deque<QString> fileAnswers;
    std::vector<DialogSeam::FileRequest> fileRequests;
    std::deque<int> boxAnswers;
    std::vector<BoxShown> boxes;

    void SetUp() override {
        game.view = &view;
        FillSampleCollection(data, 30);
        data.Language = 0;
        data.ProgramDir = Path("");
        data.Progress[1] = FinishedBit;
        data.Progress[2] = 2;
        data.Dirty = true;
        DialogSeam::Responder responder;
        responder.file = [this](const DialogSeam::FileRequest& request) {
            fileRequests.push_back(request);
            if (fileAnswers.empty()) return QString();
            const QString answer = fileAnswers.front();
            fileAnswers.pop_front();
            return answer;
        };
        responder.box = [this](DialogSeam::BoxKind kind, const QString& caption,
                               const QString& text) {
            boxes.push_back({kind, caption, text});
            if (boxAnswers.empty()) return kind == DialogSeam::BoxKind::Error ? 1 : 7;
            const int answer = boxAnswers.front();
            boxAnswers.pop_front();
            return answer;
        };
        DialogSeam::SetResponder(responder);
    }
    void TearDown() override { DialogSeam::SetResponder({}); }

    std::string Path(const char* name) { return QDir(folder.path()).filePath(name).toStdString(); }
    std::vector<uint8_t> Progress() {
        return {data.Progress.begin() + 1, data.Progress.begin() + 1 + data.FigureCount};
    }
    int Count(const std::string& call) {
        return int(std::count(host.calls.begin(), host.calls.end(), call));
    }
};

} // namespace

TEST_F(SavedGameCommands, SaveAsTurnsATxtChoiceIntoFtgAndAsksWithTheNameOnly) {
    const std::vector<uint8_t> old = {1, 2, 3};
    Write(Path("a.ftg"), old);
    fileAnswers = {QString::fromStdString(Path("a.txt"))};
    boxAnswers = {6};
    games.SaveGameAs();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, DialogSeam::BoxKind::Warning);
    EXPECT_EQ(boxes[0].caption, "Warnung");
    EXPECT_EQ(boxes[0].text, "Game a.ftg already exists. Overwrite?");
    EXPECT_EQ(Bytes(Path("a.ftg")), Progress());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("a.txt"))));
    EXPECT_EQ(data.SaveFileName, Path("a.ftg"));
    EXPECT_FALSE(data.Dirty);
    EXPECT_EQ(host.caption, "Fribo Trigonet - Game a.ftg");
}

TEST_F(SavedGameCommands, SaveAsAsksInGermanWhenTheLanguageIsGerman) {
    Write(Path("a.ftg"), {1});
    data.Language = 1;
    fileAnswers = {QString::fromStdString(Path("a"))};
    boxAnswers = {6};
    games.SaveGameAs();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8("Spiel a.ftg existiert bereits. Überschreiben?"));
    EXPECT_EQ(host.caption, "Fribo Trigonet - Spiel a.ftg");
}

TEST_F(SavedGameCommands, SaveAsDialogStartsInTheProgramFolderOrAtTheSavedGame) {
    games.SaveGameAs();
    data.SaveFileName = Path("mine.ftg");
    games.SaveGameAs();
    ASSERT_EQ(fileRequests.size(), 2u);
    EXPECT_TRUE(fileRequests[0].save);
    EXPECT_EQ(fileRequests[0].startPath.toStdString(), data.ProgramDir);
    EXPECT_EQ(fileRequests[0].filter, "Fribo Trigonet (*.ftg)");
    EXPECT_EQ(fileRequests[0].defaultSuffix, "ftg");
    EXPECT_EQ(fileRequests[1].startPath.toStdString(), Path("mine.ftg"));
}

TEST_F(SavedGameCommands, NoToOverwriteReopensTheDialogAndCancelSavesNothing) {
    const std::vector<uint8_t> old = {1, 2, 3};
    Write(Path("a.ftg"), old);
    fileAnswers = {QString::fromStdString(Path("a.txt"))}; // then cancel
    boxAnswers = {7};
    games.SaveGameAs();
    EXPECT_EQ(fileRequests.size(), 2u);
    EXPECT_EQ(Bytes(Path("a.ftg")), old);
    EXPECT_TRUE(data.Dirty);
    EXPECT_EQ(data.SaveFileName, "");
    EXPECT_EQ(host.caption, "untouched");
}

TEST_F(SavedGameCommands, FailedWriteKeepsTheOldFileAndDirtyAndSaysSo) {
    const std::vector<uint8_t> old = {8, 8, 8};
    Write(Path("full.ftg"), old);
    data.SaveFileName = Path("full.ftg");
    {
        FileSizeLimit noRoom(0);
        games.SaveBtnClick();
    }
    EXPECT_EQ(Bytes(Path("full.ftg")), old);
    EXPECT_TRUE(data.Dirty);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].kind, DialogSeam::BoxKind::Error);
    EXPECT_EQ(boxes[0].caption, "Fehler");
    EXPECT_EQ(boxes[0].text, "Cannot save game full.ftg. Drive full or not writable.");
    EXPECT_EQ(Count("close"), 1);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1); // no temporary left
}

TEST_F(SavedGameCommands, SaveIntoAFolderThatCannotBeWrittenFailsWithTheName) {
    Write(Path("plain"), {0});
    data.Language = 1;
    EXPECT_FALSE(games.SaveGame(Path("plain") + "/game.ftg"));
    EXPECT_TRUE(data.Dirty);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QString::fromUtf8("Kann Spiel game.ftg nicht speichern. Datenträger "
                                               "voll oder nicht beschreibbar."));
    EXPECT_EQ(Count("close"), 1);
}

TEST_F(SavedGameCommands, FailedSaveAsKeepsTheNameAndTitle) {
    Write(Path("plain"), {0});
    data.SaveFileName = "";
    fileAnswers = {QString::fromStdString(Path("plain") + "/new.ftg")};
    games.SaveGameAs();
    EXPECT_EQ(data.SaveFileName, "");
    EXPECT_EQ(host.caption, "untouched");
    EXPECT_TRUE(data.Dirty);
}

TEST_F(SavedGameCommands, SaveWithASavedGameWritesSilentlyEvenWhenItWasDeleted) {
    data.SaveFileName = Path("gone.ftg");
    games.SaveBtnClick();
    EXPECT_TRUE(fileRequests.empty());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Bytes(Path("gone.ftg")), Progress());
    EXPECT_FALSE(data.Dirty);
    games.SaveIfDirty(); // as on closing: nothing more to save
    EXPECT_TRUE(fileRequests.empty());
}

TEST_F(SavedGameCommands, LoadKeepsTheFigureAndLaysTheRecordedHelpAgain) {
    data.Dirty = false;
    data.CurrentFigure = 3;
    data.SaveFileName = Path("old.ftg");
    std::vector<uint8_t> saved(30, 0);
    saved[2] = 2; // figure 3: two help steps, four triangles at their solution places
    Write(Path("other.ftg"), saved);
    fileAnswers = {QString::fromStdString(Path("other.ftg"))};
    games.LoadBtnClick();
    ASSERT_EQ(fileRequests.size(), 1u);
    EXPECT_FALSE(fileRequests[0].save);
    EXPECT_EQ(fileRequests[0].startPath, folder.path());
    EXPECT_EQ(data.CurrentFigure, 3);
    EXPECT_EQ(Progress(), saved);
    for (int t = 1; t <= 4; ++t)
        EXPECT_EQ(game.board.Triangles[t], data.Figures[3][t - 1]) << t;
    EXPECT_EQ(data.SaveFileName, Path("other.ftg"));
    EXPECT_FALSE(data.Dirty);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"figure", "caption"}));
    EXPECT_EQ(host.caption, "Fribo Trigonet - Game other.ftg");
}

TEST_F(SavedGameCommands, LoadWhileChangedSavesFirstAndGoesOnAfterACancelledSave) {
    Write(Path("other.ftg"), {12});
    fileAnswers = {QString::fromStdString(Path("other.ftg"))}; // then the save dialog: cancel
    games.LoadBtnClick();
    ASSERT_EQ(fileRequests.size(), 2u);
    EXPECT_TRUE(fileRequests[1].save);
    EXPECT_EQ(data.Progress[1], 12);
    EXPECT_EQ(data.Progress[2], 0);
    EXPECT_EQ(data.SaveFileName, Path("other.ftg"));
}

TEST_F(SavedGameCommands, FailedLoadNamesOnlyTheFileAndChangesNothing) {
    data.SaveFileName = Path("mine.ftg");
    const std::vector<uint8_t> before = Progress();
    EXPECT_FALSE(games.LoadGame(Path("missing/lost.ftg")));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Fehler");
    EXPECT_EQ(boxes[0].text, "Error occured while loading file lost.ftg!");
    EXPECT_EQ(Count("close"), 1);
    EXPECT_EQ(Progress(), before);
    EXPECT_TRUE(data.Dirty);
    EXPECT_EQ(data.SaveFileName, Path("mine.ftg"));
    data.Language = 1;
    games.LoadGame(Path("lost.ftg"));
    EXPECT_EQ(boxes[1].text, "Fehler beim Laden des Spiels lost.ftg!");
}

TEST_F(SavedGameCommands, CancelledLoadDoesNothing) {
    games.LoadBtnClick();
    EXPECT_EQ(fileRequests.size(), 1u);
    EXPECT_TRUE(data.Dirty);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(SavedGameCommands, NewGameAnsweredNoChangesNothing) {
    data.SaveFileName = Path("mine.ftg");
    const std::vector<uint8_t> before = Progress();
    host.newGameAnswer = 7;
    games.NewgameBtnClick();
    EXPECT_EQ(Progress(), before);
    EXPECT_EQ(data.SaveFileName, Path("mine.ftg"));
    EXPECT_TRUE(data.Dirty);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ask"}));
}

TEST_F(SavedGameCommands, NewGameAnsweredYesClearsProgressAndTitle) {
    data.SaveFileName = Path("mine.ftg");
    host.newGameAnswer = 6;
    games.NewgameBtnClick();
    EXPECT_EQ(Bytes(Path("mine.ftg")).size(), 30u); // the changed game was saved first
    EXPECT_EQ(Progress(), std::vector<uint8_t>(30, 0));
    EXPECT_EQ(data.SaveFileName, "");
    EXPECT_FALSE(data.Dirty);
    EXPECT_EQ(host.caption, "Fribo Trigonet");
    EXPECT_EQ(host.calls, (std::vector<std::string>{"ask", "figure", "caption"}));
    EXPECT_EQ(Bytes(Path("mine.ftg"))[0], FinishedBit); // the old file stays as it was
    games.SaveBtnClick();
    EXPECT_EQ(fileRequests.size(), 1u); // the next save asks for a name
}

TEST_F(SavedGameCommands, TitleNamesTheGameInGerman) {
    data.Language = 1;
    data.SaveFileName = "/somewhere/else/my game.ftg";
    games.UpdateTitle();
    EXPECT_EQ(host.caption, "Fribo Trigonet - Spiel my game.ftg");
    data.Language = -1;
    games.UpdateTitle();
    EXPECT_EQ(host.caption, "Fribo Trigonet - Game my game.ftg");
}
