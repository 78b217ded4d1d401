#include "figures/figure_rules.h"

#include "figures/figure_shape.h"
#include "figures/figure_source.h"
#include "figures/solver.h"
#include "support/figure_files.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::vector<int> RulesBroken(const FigureRecord& figure) {
    std::vector<int> rules;
    for (const RuleProblem& p : CheckFigure(1, figure))
        rules.push_back(p.Rule);
    return rules;
}

using Rules = std::vector<int>;

} // namespace

TEST(FigureRules, SoundHousePassesEveryRule) {
    EXPECT_TRUE(CheckFigure(1, SoundHouse()).empty());
    EXPECT_TRUE(CheckCollection({SoundHouse(), BigSquare()}).empty());
}

TEST(FigureRules, Rule1RefusesPlacementsOffTheBoardAndTurnsAbove15) {
    FigureRecord badTurn = SoundHouse();
    badTurn[2].Orient = 16;
    EXPECT_EQ(RulesBroken(badTurn), Rules{RuleOnBoard});
    FigureRecord offBoard = SoundHouse();
    offBoard[5].Row = 60; // a square's lower half would reach row 62
    EXPECT_EQ(RulesBroken(offBoard), Rules{RuleOnBoard});
}

TEST(FigureRules, Rule2KeepsCellsClearOfTheWaitingTrianglesAndVerticesInView) {
    // Two rows of squares 40 wide: moved 15 columns left they reach column 15,
    // and with the centre far off rule 6 objects too.
    FigureRecord left = SoundHouse();
    ASSERT_TRUE(ShiftRecord(left, -15, 0));
    EXPECT_EQ(RulesBroken(left), (Rules{RulePlayingArea, RuleCentred}));

    // A bar 40 long standing upright from row 0: vertices outside rows 1..59.
    std::vector<Placement> p;
    for (int y : {0, 10, 20, 30})
        AddSquare(p, 40, y);
    const std::vector<RuleProblem> problems = CheckFigure(4, ToRecord(p));
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(problems.front().Rule, RulePlayingArea);
    EXPECT_EQ(FormatProblem(problems.front()),
              "figure 4: rule 2 (playing area): vertices reach rows 0..40, outside 1..59");
}

TEST(FigureRules, Rule3RefusesAFigureThatCannotBeLaid) {
    FigureRecord stacked = SoundHouse();
    stacked[1] = stacked[0]; // two triangles on one place
    EXPECT_EQ(RulesBroken(stacked), Rules{RuleLayable});
    // Eight on one place sum to slivers around a hole: no pieces to count.
    FigureRecord pile{};
    pile.fill(SoundHouse()[0]);
    const FigureVerdict verdict = JudgeFigure(pile, {});
    EXPECT_EQ(verdict[RuleId::Layable].State, RuleState::Failed);
    EXPECT_EQ(verdict[RuleId::OnePiece].State, RuleState::NotChecked);
    EXPECT_EQ(verdict[RuleId::EdgeJoined].State, RuleState::NotChecked);
}

TEST(FigureRules, Rule4RefusesIslands) {
    std::vector<Placement> p;
    AddSquare(p, 25, 20);
    AddSquare(p, 35, 20);
    AddSquare(p, 55, 20); // a gap of ten columns
    AddSquare(p, 55, 30);
    const std::vector<RuleProblem> problems = CheckFigure(9, ToRecord(p));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(FormatProblem(problems[0]), "figure 9: rule 4 (one piece): the cells form 2 regions");
}

TEST(FigureRules, Rule5RefusesAFigureTheCheckCannotTellFromAnEarlierOne) {
    FigureRecord moved = SoundHouse();
    ASSERT_TRUE(ShiftRecord(moved, 1, -1)); // still centred within 2
    const std::vector<RuleProblem> problems = CheckCollection({BigSquare(), SoundHouse(), moved});
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(FormatProblem(problems[0]),
              "figure 3: rule 5 (distinct): same cells and values as figure 2");
}

TEST(FigureRules, Rule6WantsTheFigureCentred) {
    FigureRecord off = SoundHouse();
    ASSERT_TRUE(ShiftRecord(off, 2, -2));
    EXPECT_TRUE(RulesBroken(off).empty()); // 2 off is still centred
    ASSERT_TRUE(ShiftRecord(off, 1, 0));
    const std::vector<RuleProblem> problems = CheckFigure(5, off);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(FormatProblem(problems[0]),
              "figure 5: rule 6 (centred): the centre (48, 28) is more than 2 from (45, 30)");
}

TEST(FigureRules, MoreRecordsThanTheGameReadsAreReported) {
    // Records that fail rule 1 are judged no further, so the count is quick to reach.
    FigureRecord badTurn = SoundHouse();
    badTurn[0].Orient = 99;
    const std::vector<RuleProblem> problems =
        CheckCollection(std::vector<FigureRecord>(223, badTurn));
    ASSERT_EQ(problems.size(), 224u);
    EXPECT_EQ(problems[222].Rule, RuleOnBoard);
    EXPECT_EQ(FormatProblem(problems.back()),
              "collection: 223 records, but the game reads only the first 222");
    EXPECT_EQ(CheckCollection(std::vector<FigureRecord>(222, badTurn)).size(), 222u);
}

namespace {

FigureRecord Parse(const std::string& line) {
    FigureSource source;
    std::string error;
    EXPECT_TRUE(ParseFigureSource(line + "\n", source, error)) << error;
    return source.Figures.empty() ? FigureRecord{} : source.Figures[0].Record;
}

// Four squares as a letter L, and the same drawn the other way round as a J.
FigureRecord SquaresAt(std::initializer_list<std::pair<int, int>> corners) {
    std::vector<Placement> p;
    for (const auto& [x, y] : corners)
        AddSquare(p, x, y);
    FigureRecord record = ToRecord(p);
    EXPECT_TRUE(CentreFigure(record));
    return record;
}

} // namespace

TEST(FigureRules, Rule5RefusesTheSameShapeTurnedOrMirrored) {
    const FigureRecord l = SquaresAt({{30, 20}, {30, 30}, {30, 40}, {40, 40}});
    const FigureRecord j = SquaresAt({{50, 20}, {50, 30}, {50, 40}, {40, 40}});
    const FigureRecord lying = SquaresAt({{20, 30}, {30, 30}, {40, 30}, {40, 20}});
    const std::vector<RuleProblem> problems = CheckCollection({l, BigSquare(), j, lying});
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(FormatProblem(problems[0]),
              "figure 3: rule 5 (distinct): figure 1 turned or mirrored");
    EXPECT_EQ(FormatProblem(problems[1]),
              "figure 4: rule 5 (distinct): figure 1 turned or mirrored");
    const FigureVerdict verdict = JudgeFigure(j, std::vector<FigureRecord>{BigSquare(), l});
    EXPECT_EQ(verdict[RuleId::Distinct].State, RuleState::Failed);
    EXPECT_EQ(verdict[RuleId::Distinct].Detail[0], 1); // the index in the collection
    EXPECT_GE(verdict[RuleId::Distinct].Detail[1], 4); // a mirror image, not a turn

    // A judge that keeps what it knows of a record judges distinctness anew.
    FigureJudge judge;
    EXPECT_EQ(judge.Judge(j, std::vector<FigureRecord>{BigSquare(), l})[RuleId::Distinct].Detail,
              verdict[RuleId::Distinct].Detail);
    EXPECT_TRUE(judge.Judge(j, std::vector<FigureRecord>{BigSquare()}).Passed());
    const RuleResult alone = JudgeDistinct(j, std::vector<FigureRecord>{lying, l});
    EXPECT_EQ(alone.Id, RuleId::Distinct);
    EXPECT_EQ(alone.Detail[0], 0);
    EXPECT_EQ(judge.JudgeCollection(std::vector<FigureRecord>{l, j})[1][RuleId::Distinct].State,
              RuleState::Failed);
}

TEST(FigureRules, ADamagedRecordAmongTheOthersIsNoShapeToBeConfusedWith) {
    // The house far off the board, and with turns past the tables: neither is a
    // figure, so neither makes the house a duplicate, and neither is read past
    // the tables (AddressSanitizer saw the turn byte index them).
    FigureRecord offBoard = SoundHouse();
    for (Placement& p : offBoard)
        p.Col = static_cast<uint8_t>(p.Col + 150);
    FigureRecord badTurns = SoundHouse();
    for (Placement& p : badTurns)
        p.Orient = 255;
    const std::vector<FigureRecord> others{offBoard, badTurns};
    EXPECT_TRUE(JudgeFigure(SoundHouse(), others).Passed());
    EXPECT_TRUE(JudgeDistinct(SoundHouse(), others).Passed());
    EXPECT_EQ(FormatProblem(CheckCollection({offBoard, SoundHouse()}).at(0)),
              "figure 1: rule 1 (on the board): triangle 1 (192 37 0) is off the board or has "
              "no such orientation");
    EXPECT_EQ(CheckCollection({offBoard, SoundHouse()}).size(), 1u);
    for (int o : {16, 17, 100, 255})
        EXPECT_FALSE(MappedOrientation(o, 1, 0, 0, 1)) << o;
}

TEST(FigureRules, Rule7WantsEveryTriangleJoinedAlongAnEdge) {
    // Cells in one region, but the blades meet the rest only at corners.
    const FigureRecord pinwheel =
        Parse("Pinwheel: 48 27 4, 48 13 8, 48 33 8, 62 33 12, 42 33 12, 42 47 0, 42 27 0, 28 27 4");
    // Each half joined along edges, the halves tip to tip.
    const FigureRecord hourglass = Parse(
        "Hourglass: 38 18 2, 52 18 2, 45 21 10, 45 25 2, 38 42 10, 52 42 10, 45 39 2, 45 35 10");
    std::vector<RuleProblem> problems = CheckFigure(1, pinwheel);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(FormatProblem(problems[0]),
              "figure 1: rule 7 (joined along edges): triangle 2 touches the rest only at corners");
    problems = CheckFigure(2, hourglass);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(FormatProblem(problems[0]), "figure 2: rule 7 (joined along edges): cut along its "
                                          "shared edges it falls into 2 pieces");
    // A square's two halves share their diagonal, squares side by side a side;
    // the lower halves of two squares side by side meet at a corner.
    EXPECT_NEAR(SharedEdgeLength(BigSquare()[0], BigSquare()[1]), std::sqrt(200.0), 1e-9);
    EXPECT_NEAR(SharedEdgeLength(BigSquare()[0], BigSquare()[3]), 10.0, 1e-9);
    EXPECT_EQ(SharedEdgeLength(BigSquare()[0], BigSquare()[2]), 0.0);
}

TEST(FigureRules, Rule8SamplesACellWhosePiecesDifferForTheRegionTheyCover) {
    // In cell (45, 30): a seven-twelfth (36) against two quarters (16 + 20), the
    // same sum but not the same part; the two halves of either diagonal (29 + 35
    // and 30 + 34) fill it alike. The other triangles lie far off.
    auto at = [](std::initializer_list<Placement> placements) {
        FigureRecord record;
        record.fill({10, 10, 0});
        std::copy(placements.begin(), placements.end(), record.begin());
        return record;
    };
    const FigureRecord seven = at({{41, 26, 5}}), quarters = at({{46, 37, 5}, {50, 34, 13}});
    EXPECT_FALSE(SameRegionInCell(seven, quarters, 45, 30));
    EXPECT_TRUE(SameRegionInCell(seven, seven, 45, 30));
    const FigureRecord slash = at({{43, 37, 0}, {39, 32, 2}});
    const FigureRecord backslash = at({{52, 32, 2}, {48, 37, 4}});
    EXPECT_TRUE(SameRegionInCell(slash, backslash, 45, 30));
    EXPECT_FALSE(SameRegionInCell(slash, quarters, 45, 30));
    // A long side's line through the cell (x + y = 76) covers nothing there.
    EXPECT_TRUE(SameRegionInCell(at({{60, 26, 0}}), at({}), 45, 30));
}

TEST(FigureRules, Rule8LooksAtEveryArrangementWithTheFiguresSums) {
    // The square's sixteen ways differ in their cuts, not in the region.
    const std::vector<FigureRecord> cuts = SolveFigure(BigSquare(), 0, 100).Found;
    ASSERT_EQ(cuts.size(), 16u);
    EXPECT_EQ(FirstOfAnotherRegion(BigSquare(), cuts), 0u);
    FigureRecord moved = BigSquare();
    ASSERT_TRUE(ShiftRecord(moved, 1, 0));
    EXPECT_EQ(FirstOfAnotherRegion(BigSquare(), std::vector<FigureRecord>{cuts[3], moved}), 2u);
    EXPECT_EQ(FirstOfAnotherRegion(BigSquare(), std::vector<FigureRecord>{moved, cuts[0]}), 1u);
    // Long lists are read to their end.
    std::vector<FigureRecord> many;
    for (int k = 0; k < 69; ++k)
        many.push_back(cuts[k % cuts.size()]);
    EXPECT_EQ(FirstOfAnotherRegion(BigSquare(), many), 0u);
    many.push_back(moved);
    many.push_back(cuts[1]);
    EXPECT_EQ(FirstOfAnotherRegion(BigSquare(), many), 70u);
    EXPECT_EQ(FirstOfAnotherRegion(BigSquare(), {}), 0u);
}

TEST(FigureRules, TheVerdictGivesEveryRuleItsStateAndNumbers) {
    const FigureVerdict sound = JudgeFigure(BigSquare(), std::vector<FigureRecord>{SoundHouse()});
    EXPECT_TRUE(sound.Passed());
    for (int i = 0; i < RuleIdCount; ++i) {
        EXPECT_EQ(static_cast<int>(sound.Results[i].Id), i);
        EXPECT_EQ(sound.Results[i].State, RuleState::Passed) << i;
    }
    EXPECT_EQ(sound[RuleId::Recognised].Detail[0], 16); // one way for each choice of diagonals
    // A region search that gave up has shown nothing: the figure is not passed.
    const FigureVerdict cut = FigureJudge(5).Judge(BigSquare(), {});
    EXPECT_EQ(cut[RuleId::Recognised].State, RuleState::Failed);
    EXPECT_EQ(cut[RuleId::Recognised].Detail[1], RegionSearchCutOff);
    EXPECT_FALSE(cut.Passed());

    FigureRecord far = SoundHouse();
    ASSERT_TRUE(ShiftRecord(far, 15, 0));
    const FigureVerdict off = JudgeFigure(far, {});
    EXPECT_FALSE(off.Passed());
    EXPECT_EQ(off[RuleId::StartAreas].State, RuleState::Failed);
    EXPECT_EQ(off[RuleId::StartAreas].Detail, (std::array<int, 2>{45, 74}));
    EXPECT_EQ(off[RuleId::Centred].Detail, (std::array<int, 2>{120, 60})); // twice (60, 30)
    EXPECT_EQ(off[RuleId::TargetWindow].State, RuleState::Passed);

    FigureRecord badTurn = SoundHouse();
    badTurn[3].Orient = 17;
    const FigureVerdict bad = JudgeFigure(badTurn, {});
    EXPECT_EQ(bad[RuleId::Bounds].Detail[0], 4);
    EXPECT_EQ(bad[RuleId::Layable].State, RuleState::NotChecked);
}
