#include "game/game.h"

#include "board/orientation.h"
#include "game/board_keys.h"
#include "support/recording_view.h"
#include "support/test_figures.h"

#include <gtest/gtest.h>

namespace {

// An L of four squares: no turn of it covers the same cells.
FigureRecord LShape(int x, int y) {
    return FigureOfSquares({{x, y}, {x, y + 10}, {x, y + 20}, {x + 10, y + 20}});
}

class GameTest : public testing::Test {
  protected:
    RecordingView view;
    Game game{view, view};

    void SetUp() override {
        game.random.seed(1234);
        Collection({BigSquare(35, 20), LShape(40, 15), BigSquare(71, 41)});
    }

    void Collection(const std::vector<FigureRecord>& figures) {
        game.data.FigureCount = static_cast<int>(figures.size());
        for (size_t k = 0; k < figures.size(); ++k)
            game.data.Figures[k + 1] = figures[k];
    }

    void Start(int figure, uint8_t progress = 0) {
        game.data.CurrentFigure = figure;
        game.data.Progress[figure] = progress;
        SetupFigure(game);
        view.Clear();
    }

    // Lifts everything and lays the triangles at the given placements, as a player would.
    void LayOut(const FigureRecord& placements) {
        for (int t = 1; t <= TriangleCount; ++t)
            RemoveTriangle(game.board, t);
        for (int t = 1; t <= TriangleCount; ++t) {
            game.board.Triangles[t] = placements[t - 1];
            AddTriangle(game.board, t);
        }
    }

    bool AtSolutionPlace(int t) const {
        return game.board.Triangles[t] == game.data.Figures[game.data.CurrentFigure][t - 1];
    }

    bool AtStartingPlace(int t) const {
        const Placement p = game.board.Triangles[t];
        return p == StartingPlace(t, p.Orient);
    }

    // The board grid is exactly the stamps of the eight triangles lying on it.
    Grid Restamped() const {
        Grid grid{};
        for (int t = 1; t <= TriangleCount; ++t)
            if (t != game.board.Selected) StampPlacement(grid, game.board.Triangles[t]);
        return grid;
    }
};

} // namespace

TEST_F(GameTest, SetupBuildsTheTargetAndLaysTrianglesAtTheirStartingPlaces) {
    Start(1);
    Grid target{};
    for (const Placement& p : BigSquare(35, 20))
        StampPlacement(target, p);
    EXPECT_EQ(game.board.Target, target);
    EXPECT_EQ(game.data.Figures[0], game.data.Figures[1]);
    EXPECT_EQ(game.TargetAnchor, (CellPos{35, 20}));
    for (int t = 1; t <= TriangleCount; ++t)
        EXPECT_TRUE(AtStartingPlace(t)) << t;
    EXPECT_EQ(game.board.Triangles[1].Col, 9);
    EXPECT_EQ(game.board.Triangles[8].Col, 81);
    EXPECT_EQ(game.board.Triangles[8].Row, 53);
    EXPECT_EQ(game.board.Board, Restamped());
    EXPECT_EQ(game.State, gsPlaying);
    EXPECT_EQ(game.board.Selected, 0);
    EXPECT_TRUE(view.helpEnabled);
}

TEST_F(GameTest, SeededRandomSourceRepeatsTheStartingOrientations) {
    Start(1);
    const auto first = game.board.Triangles;
    game.random.seed(1234);
    Start(1);
    EXPECT_EQ(game.board.Triangles, first);
}

TEST_F(GameTest, EveryOrientationUpTo15IsDealtAtTheStart) {
    std::array<int, OrientationCount> dealt{};
    for (unsigned seed = 1; seed <= 100; ++seed) {
        game.random.seed(seed);
        Start(1);
        for (int t = 1; t <= TriangleCount; ++t)
            ++dealt[game.board.Triangles[t].Orient];
    }
    for (int o = 0; o < OrientationCount; ++o)
        EXPECT_GT(dealt[o], 0) << o;
}

TEST_F(GameTest, HelpAlreadySpentIsLaidAgain) {
    Start(1, 2);
    for (int t = 1; t <= 4; ++t)
        EXPECT_TRUE(AtSolutionPlace(t)) << t;
    for (int t = 5; t <= 8; ++t)
        EXPECT_TRUE(AtStartingPlace(t)) << t;
    EXPECT_EQ(game.board.Board, Restamped());
    EXPECT_TRUE(view.helpEnabled);
}

TEST_F(GameTest, AFinishedFigureStartsAfreshWithHelpDisabled) {
    for (uint8_t progress : {8, 11, 12}) {
        Start(1, progress);
        for (int t = 1; t <= TriangleCount; ++t)
            EXPECT_TRUE(AtStartingPlace(t)) << t;
        EXPECT_EQ(game.State, gsPlaying);
        EXPECT_FALSE(view.helpEnabled);
    }
}

TEST_F(GameTest, ADamagedHelpCountNeverGoesPastTheEighthTriangle) {
    Start(1, 7);
    for (int t = 1; t <= 6; ++t)
        EXPECT_TRUE(AtSolutionPlace(t)) << t;
    EXPECT_EQ(game.board.Board, Restamped());
}

TEST_F(GameTest, TheFigureBuiltElsewhereIsRecognised) {
    for (auto [dc, dr] : {std::pair{0, 0}, {1, 0}, {0, 1}, {-20, 15}}) {
        Start(1);
        LayOut(Shifted(BigSquare(35, 20), dc, dr));
        EXPECT_TRUE(CheckSolution(game));
        EXPECT_EQ(game.State, gsSolved) << dc << ", " << dr;
    }
    EXPECT_EQ(view.Count("draw 1 green grey"), 1);
    EXPECT_EQ(view.Count("draw 8 green grey"), 1);
    EXPECT_EQ(view.calls.size(), 8u)
        << "the board's drawing only: cue and message are the window's";
}

TEST_F(GameTest, SolvingSetsTheFinishedBitOnceAndKeepsOtherBits) {
    Start(1, 16 | 1);
    LayOut(BigSquare(35, 20));
    CheckSolution(game);
    EXPECT_EQ(game.data.Progress[1], 16 | 8 | 1);
    EXPECT_TRUE(game.data.Dirty);

    game.data.Dirty = false;
    Start(1, 12);
    LayOut(BigSquare(40, 30));
    CheckSolution(game);
    EXPECT_EQ(game.State, gsSolved);
    EXPECT_EQ(game.data.Progress[1], 12);
    EXPECT_FALSE(game.data.Dirty);
}

TEST_F(GameTest, AStrayTriangleIsNoSolution) {
    Start(1);
    FigureRecord laid = BigSquare(35, 20);
    laid[7] = StartingPlace(8, 0);
    LayOut(laid);
    EXPECT_FALSE(CheckSolution(game));
    EXPECT_EQ(game.State, gsPlaying);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(game.data.Progress[1], 0);
}

TEST_F(GameTest, AQuarterTurnedAsymmetricFigureIsNoSolution) {
    Start(2);
    // The same L turned clockwise: the foot now points down-left.
    LayOut(FigureOfSquares({{40, 15}, {50, 15}, {60, 15}, {40, 25}}));
    CheckSolution(game);
    EXPECT_EQ(game.State, gsPlaying);
    LayOut(Shifted(LShape(40, 15), 3, 4));
    CheckSolution(game);
    EXPECT_EQ(game.State, gsSolved);
}

TEST_F(GameTest, AFigureTouchingTheLastColumnAndRowIsRecognised) {
    Start(3);
    EXPECT_NE(game.board.Target[90][60], 0);
    LayOut(Shifted(BigSquare(71, 41), -50, -30));
    CheckSolution(game);
    EXPECT_EQ(game.State, gsSolved);
}

TEST_F(GameTest, FourHelpStepsShowTwoMoreTrianglesEachAndThenGiveUp) {
    Start(1);
    const uint8_t bytes[] = {1, 2, 3, 12};
    for (int step = 1; step <= 4; ++step) {
        view.Clear();
        EXPECT_EQ(TakeHelp(game), step == 4) << "the target's caption changes at the fourth";
        EXPECT_EQ(game.data.Progress[1], bytes[step - 1]);
        for (int t = 1; t <= TriangleCount; ++t)
            EXPECT_EQ(AtSolutionPlace(t), t <= 2 * step) << step << " " << t;
        for (int t = 2 * step + 1; t <= TriangleCount; ++t)
            EXPECT_TRUE(AtStartingPlace(t));
        EXPECT_EQ(game.board.Board, Restamped());
        EXPECT_TRUE(game.data.Dirty);
        EXPECT_EQ(view.Count("draw 5 silver silver"), 1);
        EXPECT_EQ(view.Count(step == 4 ? "draw 8 red grey" : "draw 8 black grey"), 1);
    }
    EXPECT_EQ(game.State, gsGivenUp);
}

TEST_F(GameTest, HelpIsIgnoredOnceTheFigureIsFinished) {
    Start(1);
    LayOut(BigSquare(35, 20));
    CheckSolution(game);
    game.data.Dirty = false;
    const auto before = game.board;
    view.Clear();
    TakeHelp(game);
    EXPECT_EQ(game.data.Progress[1], 8);
    EXPECT_FALSE(game.data.Dirty);
    EXPECT_EQ(game.board.Board, before.Board);
    EXPECT_TRUE(view.calls.empty());

    Start(2, 3);
    TakeHelp(game);
    EXPECT_EQ(game.State, gsGivenUp);
    game.data.Dirty = false;
    TakeHelp(game);
    EXPECT_EQ(game.data.Progress[2], 12);
    EXPECT_FALSE(game.data.Dirty);
}

TEST_F(GameTest, HelpWhileATriangleIsHeldLeavesNoTraceOfIt) {
    Start(1);
    RemoveTriangle(game.board, 3);
    game.board.Selected = 3;
    game.board.Triangles[3] = {45, 30, 5}; // floating over the middle of the board
    TakeHelp(game);
    EXPECT_EQ(game.board.Selected, 0);
    EXPECT_TRUE(AtStartingPlace(3));
    EXPECT_EQ(game.board.Board, Restamped());
}

TEST_F(GameTest, HelpDropsTheUnusedBitsAndCountsOn) {
    Start(1, 17);
    TakeHelp(game);
    EXPECT_EQ(game.data.Progress[1], 2);
}

TEST_F(GameTest, NavigationStaysWithinTheCollectionAndSetsUpAnew) {
    Start(3);
    game.data.Progress[3] = 8; // solved meanwhile
    game.State = gsSolved;
    FigureUp(game);
    EXPECT_EQ(game.data.CurrentFigure, 3);
    EXPECT_EQ(game.State, gsPlaying);
    FigureDown(game);
    FigureDown(game);
    FigureDown(game);
    EXPECT_EQ(game.data.CurrentFigure, 1);
    FigureUp(game);
    EXPECT_EQ(game.data.CurrentFigure, 2);
    EXPECT_EQ(game.data.Figures[0], game.data.Figures[2]);
    EXPECT_FALSE(game.data.Dirty);
    EXPECT_EQ(game.data.Progress[3], 8);
}

TEST_F(GameTest, ALoadedFigureOffTheBoardIsSetUpWithItsVerdictAndNeverStamped) {
    FigureRecord off = BigSquare(35, 20);
    off[5].Row = 60;
    const std::string dir = TempDir("g");
    WriteBytes(dir + "c.dat", CollectionBytes({BigSquare(35, 20), off}));
    ASSERT_EQ(LoadCollection(dir + "c.dat", game.data), CollectionResult::Loaded);
    Start(1);
    EXPECT_TRUE(view.helpEnabled);
    FigureUp(game);
    EXPECT_EQ(game.data.Verdicts[0], RecordVerdict::OffBoard); // taken along, not judged again
    EXPECT_EQ(game.board.Target, Grid{});
    EXPECT_FALSE(view.helpEnabled);
    TakeHelp(game);
    EXPECT_EQ(game.data.Progress[2], 0);
}

TEST_F(GameTest, ADamagedFigureIsNeverStampedAndCanBeLeft) {
    FigureRecord broken = BigSquare(35, 20);
    broken[2].Orient = 200;
    broken[5].Col = 90;
    Collection({BigSquare(35, 20), broken, LShape(40, 15)});
    Start(2, 2);
    EXPECT_EQ(game.board.Target, Grid{});
    EXPECT_FALSE(view.helpEnabled);
    for (int t = 1; t <= TriangleCount; ++t)
        EXPECT_TRUE(AtStartingPlace(t)) << t;
    TakeHelp(game);
    EXPECT_EQ(game.data.Progress[2], 2);
    LayOut(BigSquare(35, 20));
    CheckSolution(game);
    EXPECT_EQ(game.State, gsPlaying);
    FigureUp(game);
    EXPECT_EQ(game.data.CurrentFigure, 3);
    EXPECT_TRUE(view.helpEnabled);
}

namespace {

// Plays with keys as the board box does, recording the outcomes like a window.
struct KeyPlayTest : GameTest {
    Outcome Key(BoardKey key) { return view.Take(KeyOnBoard(game, key)); }
    void Keys(BoardKey key, int times) {
        for (int k = 0; k < times; ++k)
            Key(key);
    }
    // Picks up the next triangle and brings it to `goal` by arrows and turns.
    void Bring(const Placement& goal) {
        Key(BoardKey::NextTriangle);
        const Placement& held = game.board.Triangles[game.board.Selected];
        const int dc = goal.Col - held.Col, dr = goal.Row - held.Row;
        Keys(dc > 0 ? BoardKey::Right : BoardKey::Left, std::abs(dc));
        Keys(dr > 0 ? BoardKey::Down : BoardKey::Up, std::abs(dr));
        const int turns = (goal.Orient - held.Orient + 16) % 16;
        if (turns <= 8)
            Keys(BoardKey::TurnClockwise, turns);
        else
            Keys(BoardKey::TurnAnticlockwise, 16 - turns);
    }
    Arrangement Now() const { return game.board.Triangles; }
};

} // namespace

TEST_F(KeyPlayTest, AFigureLaidWithKeysAloneIsSolved) {
    Start(1);
    const FigureRecord goal = Shifted(BigSquare(35, 20), 7, -3); // anywhere will do
    for (int t = 1; t <= TriangleCount; ++t) {
        Bring(goal[t - 1]);
        ASSERT_EQ(game.board.Selected, t);
        ASSERT_EQ(game.board.Triangles[t], goal[t - 1]) << t;
        view.Clear();
        const Outcome down = Key(BoardKey::PutDown);
        EXPECT_TRUE(down.PutDown) << t;
        EXPECT_EQ(down.Solved, t == TriangleCount) << t;
    }
    EXPECT_EQ(view.cues, (std::vector<int>{2, 5}));
    EXPECT_EQ(game.State, gsSolved);
    EXPECT_TRUE(IsFinished(game.data.Progress[1]));
    EXPECT_EQ(game.board.Board, Restamped());
    view.Clear();
    EXPECT_FALSE(Key(BoardKey::NextTriangle).Changed()); // the board is frozen
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(KeyPlayTest, KeysCountRoundTheEightTrianglesAndPlayTheMouseCues) {
    Start(2);
    EXPECT_TRUE(Key(BoardKey::PreviousTriangle).Picked);
    EXPECT_EQ(game.board.Selected, 8); // counting down from nothing begins at the last
    const Placement eight = game.board.Triangles[8];
    Key(BoardKey::Left);
    Key(BoardKey::Up);
    EXPECT_EQ(game.board.Triangles[8].Col, eight.Col - 1);
    EXPECT_EQ(game.board.Triangles[8].Row, eight.Row - 1);
    const Outcome next = Key(BoardKey::NextTriangle); // puts 8 down, picks 1
    EXPECT_TRUE(next.PutDown && next.Picked);
    EXPECT_EQ(game.board.Selected, 1);
    EXPECT_EQ(view.cues, (std::vector<int>{1, 4, 4, 2, 1}));
    EXPECT_EQ(game.board.Board, Restamped());
    view.Clear();
    Key(BoardKey::TurnClockwise);
    Key(BoardKey::TurnAnticlockwise);
    EXPECT_EQ(view.cues, (std::vector<int>{3, 3}));
}

TEST_F(KeyPlayTest, ShiftsOffTheBoardAreRefusedSilentlyAndAMisfitPutDownWithCueSix) {
    Start(2);
    Key(BoardKey::NextTriangle);
    const Placement start = game.board.Triangles[1];
    view.Clear();
    Keys(BoardKey::Left, 20); // far more than the room left of the starting place
    const Placement at = game.board.Triangles[1];
    int leftmost = GridColumns;
    for (int k = 0; k < 3; ++k)
        leftmost = std::min(leftmost, at.Col + VertexDX[k][at.Orient]);
    EXPECT_EQ(leftmost, 0) << "stopped with its leftmost corner on the board's edge";
    EXPECT_EQ(view.cues, std::vector<int>(start.Col - at.Col, 4));
    view.Clear();
    game.board.Triangles[1] = game.board.Triangles[3]; // floats over triangle 3
    const Outcome refused = Key(BoardKey::PutDown);
    EXPECT_TRUE(refused.Refused);
    EXPECT_EQ(view.cues, std::vector<int>{6});
    EXPECT_EQ(game.board.Selected, 1);
}

TEST_F(KeyPlayTest, EscapePutsTheHeldTriangleBackWhereItWasPickedUp) {
    Start(2);
    const Arrangement before = Now();
    Key(BoardKey::NextTriangle);
    Keys(BoardKey::Down, 4);
    Key(BoardKey::TurnClockwise);
    view.Clear();
    EXPECT_TRUE(Key(BoardKey::PutBack).PutDown);
    EXPECT_EQ(Now(), before);
    EXPECT_EQ(game.board.Selected, 0);
    EXPECT_EQ(game.board.Board, Restamped());
    EXPECT_EQ(view.cues, std::vector<int>{2});
    EXPECT_FALSE(CanUndo(game.history, game.board)) << "nothing changed";
}

TEST_F(KeyPlayTest, UndoAndRedoWalkThePutDownsBackToTheStartAndForwardAgain) {
    Start(2, 1); // one help step spent: triangles 1 and 2 lie at their solution places
    game.data.Dirty = false;
    std::vector<Arrangement> seen{Now()};
    for (int t = 1; t <= 3; ++t) { // triangles 1 to 3 to three places apart
        Bring({static_cast<uint8_t>(15 + 15 * t), static_cast<uint8_t>(50), 0});
        Key(BoardKey::PutDown);
        seen.push_back(Now());
    }
    EXPECT_FALSE(CanRedo(game.history, game.board));
    for (int k = 2; k >= 0; --k) {
        EXPECT_TRUE(UndoMove(game).Redraw);
        EXPECT_EQ(Now(), seen[k]) << k;
        EXPECT_EQ(game.board.Board, Restamped()) << k;
    }
    EXPECT_FALSE(UndoMove(game).Redraw) << "the start is as far back as it goes";
    for (int k = 1; k <= 3; ++k) {
        EXPECT_TRUE(RedoMove(game).Redraw);
        EXPECT_EQ(Now(), seen[k]) << k;
    }
    EXPECT_FALSE(RedoMove(game).Redraw);
    EXPECT_EQ(game.data.Progress[2], 1);
    EXPECT_FALSE(game.data.Dirty);

    // Undo while holding puts the held triangle back; a new put-down drops the redo.
    UndoMove(game);
    Key(BoardKey::NextTriangle);
    Key(BoardKey::Down);
    EXPECT_TRUE(UndoMove(game).Redraw);
    EXPECT_EQ(Now(), seen[2]);
    EXPECT_EQ(game.board.Selected, 0);
    EXPECT_TRUE(CanRedo(game.history, game.board));
    Key(BoardKey::NextTriangle);
    Key(BoardKey::Down);
    Key(BoardKey::PutDown);
    EXPECT_FALSE(CanRedo(game.history, game.board));
}

TEST_F(KeyPlayTest, HelpAndANewFigureEndTheHistory) {
    Start(2);
    Key(BoardKey::NextTriangle);
    Key(BoardKey::Down);
    Key(BoardKey::PutDown);
    ASSERT_TRUE(CanUndo(game.history, game.board));
    TakeHelp(game);
    EXPECT_FALSE(CanUndo(game.history, game.board));
    EXPECT_FALSE(UndoMove(game).Redraw);
    EXPECT_EQ(game.data.Progress[2], 1) << "undo never takes help back";
    Key(BoardKey::NextTriangle);
    Key(BoardKey::Down);
    Key(BoardKey::PutDown);
    FigureUp(game);
    EXPECT_FALSE(CanUndo(game.history, game.board));
}
