#include "figure_generator.h"

#include "figures/figure_rules.h"
#include "figures/figure_shape.h"
#include "figures/look_alike.h"
#include "support/figure_files.h"

#include <gtest/gtest.h>

namespace {

// Growing figures takes a moment; the tests share one run.
const std::vector<GeneratedFigure>& Grown() {
    static const std::vector<GeneratedFigure> figures = GenerateFigures(11, 8, {BigSquare()});
    return figures;
}

} // namespace

// Every kind of figure grows its pool whatever the count, so one figure costs
// nearly what eight do: the first figure grown again is checked against the
// shared run (both tests share one process, see CMakeLists.txt).
TEST(FigureGenerator, TheSameSeedGrowsTheSameFigures) {
    const std::vector<GeneratedFigure> again = GenerateFigures(11, 1, {BigSquare()});
    ASSERT_EQ(again.size(), 1u);
    ASSERT_FALSE(Grown().empty());
    EXPECT_EQ(again[0].Record, Grown()[0].Record);
    EXPECT_EQ(again[0].Name, Grown()[0].Name);
    EXPECT_DOUBLE_EQ(again[0].Interest, Grown()[0].Interest);
}

TEST(FigureGenerator, KeepsOnlyInterestingFiguresThatPassEveryRule) {
    ASSERT_EQ(Grown().size(), 8u);
    std::vector<FigureRecord> all{BigSquare()};
    for (const GeneratedFigure& figure : Grown()) {
        EXPECT_GE(figure.Interest, MinInterest);
        EXPECT_DOUBLE_EQ(figure.Interest, FigureInterest(figure.Record));
        EXPECT_EQ(figure.Name.rfind("Pattern ", 0), 0u) << figure.Name;
        all.push_back(figure.Record);
    }
    // Distinct from each other and from the figure it was told to avoid, and
    // neither near copies nor look-alikes of them.
    for (const RuleProblem& problem : CheckCollection(all))
        ADD_FAILURE() << FormatProblem(problem);
    for (const RuleProblem& problem : CheckLookAlikes(all, {}))
        ADD_FAILURE() << FormatProblem(problem);
}

TEST(FigureGenerator, InterestPrefersCompactFiguresToLongOnes) {
    std::vector<Placement> bar;
    for (int x : {25, 35, 45, 55})
        AddSquare(bar, x, 25);
    EXPECT_GT(FigureInterest(BigSquare()), FigureInterest(ToRecord(bar)));
    EXPECT_GT(FigureInterest(BigSquare()), MinInterest);
}
