#include "game/pointer.h"

#include "board/orientation.h"
#include "support/recording_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr int Unit = 4;

// Eight triangles at their starting places, orientation 0, triangle 1 moved to
// the middle of the board where every orientation stays in bounds.
struct PointerTest : ::testing::Test {
    Game game{view, view};
    RecordingView view;
    PointerDrag drag;

    void SetUp() override {
        for (int t = 1; t <= TriangleCount; ++t) {
            game.board.Triangles[t] = StartingPlace(t, 0);
            AddTriangle(game.board, t);
        }
        Move(1, {45, 30, 0});
    }

    void Move(int t, Placement p) {
        RemoveTriangle(game.board, t);
        game.board.Triangles[t] = p;
        AddTriangle(game.board, t);
    }

    // The pixel `dx`, `dy` grid units from triangle t's anchor point.
    static int Px(const Placement& p, double dx) { return static_cast<int>((p.Col + dx) * Unit); }
    static int Py(const Placement& p, double dy) { return static_cast<int>((p.Row + dy) * Unit); }

    Outcome Press(PointerButton button, int x, int y) {
        return view.Take(PressOnBoard(game, drag, Unit, button, x, y));
    }
    // Answers the cursor's zone before the step, as the board box reads it.
    int Drag(int x, int y) {
        const int zone = CursorZone(game, Unit, x, y);
        view.Take(MoveOnBoard(game, drag, Unit, true, x, y));
        return zone;
    }

    // Presses triangle 1 one unit left of its anchor (move zone) and clears the record.
    void HoldFirst() {
        const Placement p = game.board.Triangles[1];
        Press(PointerButton::Left, Px(p, -1), Py(p, 0));
        ASSERT_EQ(game.board.Selected, 1);
        view.Clear();
    }

    const Placement& Held() const { return game.board.Triangles[game.board.Selected]; }
};

TEST(Angle, MeasuresCounterClockwiseOnScreenFromPositiveX) {
    EXPECT_DOUBLE_EQ(Angle(1, 0), 0);
    EXPECT_DOUBLE_EQ(Angle(0, -1), Pi / 2); // up on the screen
    EXPECT_DOUBLE_EQ(Angle(-1, 0), Pi);
    EXPECT_DOUBLE_EQ(Angle(0, 1), 3 * Pi / 2);
    EXPECT_DOUBLE_EQ(Angle(0, 0), Pi / 2);
    EXPECT_DOUBLE_EQ(Angle(1, -1), Pi / 4);
    EXPECT_DOUBLE_EQ(Angle(-1, -1), 3 * Pi / 4);
    EXPECT_DOUBLE_EQ(Angle(-1, 1), 5 * Pi / 4);
    EXPECT_DOUBLE_EQ(Angle(1, 1), 7 * Pi / 4);
}

TEST(Angle, AgreesWithAtan2AllRoundAndStaysBelowTwoPi) {
    for (int k = 0; k < 720; ++k) {
        const double x = std::cos(k * Pi / 360) * 7, y = std::sin(k * Pi / 360) * 7;
        double expected = std::atan2(-y, x);
        if (expected < 0) expected += 2 * Pi;
        const double a = Angle(x, y);
        EXPECT_GE(a, 0);
        EXPECT_LT(a, 2 * Pi);
        EXPECT_NEAR(std::fmod(a - expected + 3 * Pi, 2 * Pi) - Pi, 0, 1e-12) << k;
    }
}

// Orientation 0 has the corners (-7, 3), (3, 3), (3, -7): inside means x <= 3,
// y <= 3 and x + y >= -4 in units from the anchor point.
TEST_F(PointerTest, HitZoneSeparatesOutsideMoveAndTurn) {
    const Placement p = game.board.Triangles[1];
    EXPECT_EQ(HitZone(game.board, Unit, Px(p, 0), Py(p, 0), 1), ZoneMove);
    EXPECT_EQ(HitZone(game.board, Unit, Px(p, -2), Py(p, 0), 1), ZoneMove);
    EXPECT_EQ(HitZone(game.board, Unit, Px(p, -3), Py(p, 0), 1), ZoneTurn); // exactly 3 units
    EXPECT_EQ(HitZone(game.board, Unit, Px(p, 2), Py(p, 2), 1), ZoneMove);  // 2.83 units
    EXPECT_EQ(HitZone(game.board, Unit, Px(p, 2.5), Py(p, 2.5), 1), ZoneTurn);
    EXPECT_EQ(HitZone(game.board, Unit, Px(p, 4), Py(p, 0), 1), ZoneOutside);
    EXPECT_EQ(HitZone(game.board, Unit, Px(p, -3), Py(p, -2), 1), ZoneOutside);
    EXPECT_EQ(HitZone(game.board, Unit, Px(p, 0), Py(p, 3.25), 1), ZoneOutside);
}

TEST_F(PointerTest, HitZoneCountsEdgesAndCornersAsInside) {
    const Placement p = game.board.Triangles[1];
    EXPECT_EQ(HitZone(game.board, Unit, Px(p, 3), Py(p, 0), 1), ZoneTurn);   // right leg
    EXPECT_EQ(HitZone(game.board, Unit, Px(p, 0), Py(p, 3), 1), ZoneTurn);   // bottom leg
    EXPECT_EQ(HitZone(game.board, Unit, Px(p, -2), Py(p, -2), 1), ZoneMove); // hypotenuse
    EXPECT_EQ(HitZone(game.board, Unit, Px(p, 3), Py(p, 3), 1), ZoneTurn);   // right angle
    EXPECT_EQ(HitZone(game.board, Unit, Px(p, -6), Py(p, 3), 1), ZoneTurn);
    EXPECT_EQ(HitZone(game.board, Unit, Px(p, 3), Py(p, -7), 1), ZoneTurn);
}

TEST_F(PointerTest, HitZoneFollowsEveryOrientation) {
    // Just inside each corner is inside; just beyond it, away from the centroid, is not.
    constexpr int Big = 40;
    for (int o = 0; o < OrientationCount; ++o) {
        Move(1, {45, 30, static_cast<uint8_t>(o)});
        const double cx = (VertexDX[0][o] + VertexDX[1][o] + VertexDX[2][o]) / 3.0;
        const double cy = (VertexDY[0][o] + VertexDY[1][o] + VertexDY[2][o]) / 3.0;
        for (int k = 0; k < 3; ++k) {
            const double vx = VertexDX[k][o], vy = VertexDY[k][o];
            auto zoneAt = [&](double f) {
                const double x = (45 + cx + f * (vx - cx)) * Big,
                             y = (30 + cy + f * (vy - cy)) * Big;
                return HitZone(game.board, Big, static_cast<int>(std::lround(x)),
                               static_cast<int>(std::lround(y)), 1);
            };
            EXPECT_NE(zoneAt(0.9), ZoneOutside) << o << " " << k;
            EXPECT_EQ(zoneAt(1.1), ZoneOutside) << o << " " << k;
        }
    }
}

TEST_F(PointerTest, PickUpTakesTheHighestNumberedTriangleAndShowsItAsOutline) {
    Move(5, {45, 30, 0}); // lies exactly over triangle 1
    const Placement p = game.board.Triangles[5];
    Press(PointerButton::Left, Px(p, -1), Py(p, 0));

    EXPECT_EQ(game.board.Selected, 5);
    EXPECT_EQ(drag.DragZone, ZoneMove);
    EXPECT_EQ(view.cues, std::vector<int>{1});
    ASSERT_GE(view.calls.size(), 3u);
    EXPECT_EQ(view.calls[0], "draw 5 silver silver");
    EXPECT_EQ(view.Count("draw 1 black grey"), 1);
    EXPECT_EQ(view.Count("draw 5 black grey"), 0);
    EXPECT_EQ(view.calls[view.calls.size() - 2], "outline 5");
    EXPECT_EQ(view.calls.back(), "cue 1"); // the window plays it after the drawing

    // Only triangle 1 is left in the board grid there.
    Grid expected{};
    for (int t = 1; t <= TriangleCount; ++t)
        if (t != 5) StampPlacement(expected, game.board.Triangles[t]);
    EXPECT_EQ(game.board.Board, expected);
}

TEST_F(PointerTest, PressOnEmptyBoardPicksNothing) {
    Press(PointerButton::Left, 45 * Unit, 50 * Unit);
    EXPECT_EQ(game.board.Selected, 0);
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(PointerTest, DragFromMoveZoneMovesByWholeCellsKeepingTheOffset) {
    HoldFirst(); // pressed one unit left of the anchor: offset one column
    const int startCol = Held().Col;
    EXPECT_EQ(Drag(44 * Unit + 1, 30 * Unit + 2), ZoneMove); // same cell: nothing
    EXPECT_TRUE(view.cues.empty());

    Drag(47 * Unit + 3, 33 * Unit); // three cells right and down
    EXPECT_EQ(Held().Col, startCol + 3);
    EXPECT_EQ(Held().Row, 33);
    EXPECT_EQ(view.cues, std::vector<int>{4});
    EXPECT_EQ(view.Count("outline 1"), 2);

    Drag(52 * Unit, 33 * Unit);
    EXPECT_EQ(Held().Col, 53);
    EXPECT_EQ(view.cues, (std::vector<int>{4, 4}));
}

TEST_F(PointerTest, MoveThatWouldLeaveTheBoardIsRefused) {
    HoldFirst();
    Drag(0, 30 * Unit); // anchor to column 1: the triangle reaches column -6
    EXPECT_EQ(Held().Col, 45);
    EXPECT_TRUE(view.calls.empty());
    // During a drag the pointer may leave the box; cells are truncated towards zero.
    Drag(-Unit * 3, 30 * Unit);
    EXPECT_EQ(Held().Col, 45);
}

TEST_F(PointerTest, DraggingAFullCircleClockwiseTurnsThroughAllSixteenOrientations) {
    const Placement start = game.board.Triangles[1];
    const int ax = start.Col * Unit, ay = start.Row * Unit;
    // 3.5 units straight left: inside orientation 0, in the turn zone.
    Press(PointerButton::Left, ax - 14, ay);
    ASSERT_EQ(game.board.Selected, 1);
    ASSERT_EQ(drag.DragZone, ZoneTurn);
    view.Clear();

    // Clockwise on the screen: the direction angle falls.
    std::vector<int> seen{start.Orient};
    for (int k = 1; k <= 64; ++k) {
        const double a = Pi - k * 2 * Pi / 64;
        Drag(ax + static_cast<int>(std::lround(std::cos(a) * 40)),
             ay - static_cast<int>(std::lround(std::sin(a) * 40)));
        if (seen.back() != Held().Orient) seen.push_back(Held().Orient);
    }
    EXPECT_EQ(view.Count("cue 3"), 16);
    EXPECT_EQ(Held().Orient, start.Orient);
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0}));
    EXPECT_EQ(Held().Col, start.Col);
    EXPECT_EQ(Held().Row, start.Row);
}

TEST_F(PointerTest, TurnByDragSkipsOrientationsThatWouldLeaveTheBoard) {
    // At column 6, orientations 10 to 12 reach column -1; 9 and 13 stay on the board.
    Move(1, {6, 30, 9});
    const int ax = 6 * Unit, ay = 30 * Unit;
    // Between the centroid (the anchor point here) and corner 0, 4.2 units out.
    const int x = ax + static_cast<int>(std::lround(0.6 * VertexDX[0][9] * Unit));
    const int y = ay + static_cast<int>(std::lround(0.6 * VertexDY[0][9] * Unit));
    Press(PointerButton::Left, x, y);
    ASSERT_EQ(drag.DragZone, ZoneTurn);
    view.Clear();

    const double start = Angle(x - ax, y - ay);
    for (int k = 1; k <= 10; ++k) { // a little over a quarter turn clockwise
        const double a = start - k * (Pi / 2 + 0.05) / 10;
        Drag(ax + static_cast<int>(std::lround(std::cos(a) * 20)),
             ay - static_cast<int>(std::lround(std::sin(a) * 20)));
        EXPECT_TRUE(TriangleInBounds(Held())) << k;
    }
    EXPECT_EQ(Held().Orient, 13);
    EXPECT_EQ(view.cues, std::vector<int>{3});
}

TEST_F(PointerTest, RightButtonTurnsOneStepSilentlyAnywhere) {
    Press(PointerButton::Right, 10, 10); // nothing held: nothing happens
    EXPECT_TRUE(view.calls.empty());

    HoldFirst();
    Move(2, {50, 30, 0}); // overlapping the turned triangle does not matter while held
    EXPECT_TRUE(Press(PointerButton::Right, 2, 2).Turned);
    EXPECT_EQ(Held().Orient, 1);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"outline 1", "outline 1"}));
    EXPECT_EQ(drag.DragZone, ZoneMove);

    game.board.Triangles[1].Orient = 15;
    Press(PointerButton::Right, 2, 2);
    EXPECT_EQ(Held().Orient, 0);
}

TEST_F(PointerTest, PutDownWhereItDoesNotFitIsRefusedWithCueSix) {
    HoldFirst();
    game.board.Triangles[1] = game.board.Triangles[3]; // floats over triangle 3
    const Outcome refused = Press(PointerButton::Left, 45 * Unit, 50 * Unit);
    EXPECT_TRUE(refused.Refused);
    EXPECT_FALSE(refused.PutDown || refused.Picked);
    EXPECT_EQ(view.cues, std::vector<int>{6});
    EXPECT_EQ(game.board.Selected, 1);
    EXPECT_EQ(drag.DragZone, ZoneOutside);

    Drag(50 * Unit, 52 * Unit); // a drag begun by that press does nothing
    EXPECT_EQ(view.cues, std::vector<int>{6});
}

TEST_F(PointerTest, PutDownStampsTheTriangleAndPicksUpTheOneUnderThePointer) {
    HoldFirst();
    const Placement four = game.board.Triangles[4];
    const Outcome both = Press(PointerButton::Left, Px(four, -1), Py(four, 0));

    EXPECT_TRUE(both.PutDown && both.Picked);
    EXPECT_EQ(view.cues, (std::vector<int>{2, 1}));
    EXPECT_EQ(view.calls[0], "draw 1 black grey");
    EXPECT_EQ(game.board.Selected, 4);
    EXPECT_EQ(drag.DragZone, ZoneMove);
    Grid expected{};
    for (int t = 1; t <= TriangleCount; ++t)
        if (t != 4) StampPlacement(expected, game.board.Triangles[t]);
    EXPECT_EQ(game.board.Board, expected);
}

TEST_F(PointerTest, PutDownThatCompletesTheFigureFreezesTheBoard) {
    for (int t = 1; t <= TriangleCount; ++t)
        StampPlacement(game.board.Target, game.board.Triangles[t]);
    ASSERT_TRUE(FindAnchor(game.board.Target, game.TargetAnchor));
    HoldFirst();
    // Triangle 2 lies under the press, but the solved board picks nothing up.
    const Placement two = game.board.Triangles[2];
    const Outcome solved = Press(PointerButton::Left, Px(two, -1), Py(two, 0));

    EXPECT_EQ(game.State, gsSolved);
    EXPECT_EQ(game.board.Selected, 0);
    EXPECT_TRUE(solved.Solved && solved.PutDown && !solved.Picked);
    EXPECT_EQ(view.cues, (std::vector<int>{2, 5}));
    EXPECT_EQ(view.Count("solved"), 1);
    EXPECT_EQ(view.Count("draw 2 green grey"), 1);
    EXPECT_TRUE(game.data.Dirty);
    EXPECT_TRUE(IsFinished(game.data.Progress[1]));

    view.Clear();
    Press(PointerButton::Left, Px(two, -1), Py(two, 0));
    Press(PointerButton::Right, 5, 5);
    EXPECT_EQ(Drag(Px(two, -1), Py(two, 0)), -1);
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(PointerTest, PressesAreIgnoredWhenGivenUp) {
    game.State = gsGivenUp;
    const Placement p = game.board.Triangles[1];
    Press(PointerButton::Left, Px(p, -1), Py(p, 0));
    EXPECT_EQ(game.board.Selected, 0);
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(PointerTest, PressOnTheExtraPixelBeyondTheLastCellIsIgnored) {
    HoldFirst();
    Press(PointerButton::Left, 91 * Unit, 30 * Unit);
    Press(PointerButton::Left, 30 * Unit, 61 * Unit);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(game.board.Selected, 1);
}

TEST_F(PointerTest, PointerMovesAnswerTheCursorZoneOnlyWhileHolding) {
    EXPECT_EQ(CursorZone(game, Unit, 45 * Unit, 30 * Unit), -1);
    HoldFirst();
    const Placement p = Held();
    EXPECT_EQ(CursorZone(game, Unit, Px(p, 0), Py(p, 0)), ZoneMove);
    EXPECT_EQ(CursorZone(game, Unit, Px(p, -3.5), Py(p, 0)), ZoneTurn);
    EXPECT_EQ(CursorZone(game, Unit, Px(p, 10), Py(p, 0)), ZoneOutside);
    EXPECT_FALSE(MoveOnBoard(game, drag, Unit, false, Px(p, 10), Py(p, 0)).Changed());
    EXPECT_TRUE(view.calls.empty()); // without the left button nothing moves
}

TEST_F(PointerTest, DragFollowsTheZoneOfThePressNotTheZoneUnderThePointer) {
    HoldFirst(); // a move began
    const Placement p = Held();
    Drag(Px(p, -3.5), Py(p, 0)); // over the turn zone: still a move
    EXPECT_EQ(Held().Orient, 0);
    EXPECT_EQ(Held().Col, p.Col - 3);
}

TEST_F(PointerTest, NoUnitNoInput) {
    EXPECT_FALSE(PressOnBoard(game, drag, 0, PointerButton::Left, 0, 0).Changed());
    EXPECT_EQ(CursorZone(game, 0, 0, 0), -1);
    EXPECT_FALSE(MoveOnBoard(game, drag, 0, true, 0, 0).Changed());
    EXPECT_TRUE(view.calls.empty());
}

} // namespace

TEST_F(PointerTest, TurnStepsWhereRoundingHalvesToEvenSays) {
    HoldFirst();
    const Placement p = Held();
    const int ax = p.Col * Unit, ay = p.Row * Unit;
    const double step = Pi / 8, radius = 400;
    auto at = [&](double a) {
        return std::pair{ax + static_cast<int>(std::lround(std::cos(a) * radius)),
                         ay - static_cast<int>(std::lround(std::sin(a) * radius))};
    };
    const auto [bx, by] = at(Pi); // direction step 8
    BeginTurn(game, drag, Unit, bx, by);
    const auto [nx, ny] = at(Pi - step / 2 + 0.02); // step 7.5 and a little: still 8
    TurnSelected(game, drag, Unit, nx, ny);
    EXPECT_EQ(Held().Orient, 0);
    const auto [cx, cy] = at(Pi - step / 2 - 0.02); // a little under 7.5: step 7
    TurnSelected(game, drag, Unit, cx, cy);
    EXPECT_EQ(Held().Orient, 1);
}

TEST_F(PointerTest, TurnWrapsFrom15To0) {
    Move(1, {45, 30, 15});
    HoldFirst();
    const int ax = 45 * Unit, ay = 30 * Unit;
    BeginTurn(game, drag, Unit, ax - 40, ay);
    view.Take(TurnSelected(game, drag, Unit, ax - 40, ay - 16)); // about 22 degrees clockwise
    EXPECT_EQ(Held().Orient, 0);
    EXPECT_EQ(view.cues, std::vector<int>{3});
}
