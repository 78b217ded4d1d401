#include "figure_rules.h"

#include "figure_shape.h"
#include "figures_fixture.h"

#include <gtest/gtest.h>

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
    std::vector<FigureRecord> many;
    for (int k = 0; k < 223; ++k) {
        std::vector<Placement> p;
        for (int t = 0; t < 4; ++t)
            AddSquare(p, 20 + (k % 40), 5 + 10 * t);
        many.push_back(ToRecord(p));
    }
    const std::vector<RuleProblem> problems = CheckCollection(many);
    ASSERT_FALSE(problems.empty());
    EXPECT_EQ(FormatProblem(problems.back()),
              "collection: 223 records, but the game reads only the first 222");
}
